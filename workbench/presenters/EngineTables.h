#pragma once

#include "engine/CellTable.h"
#include "engine/RecordIds.h"
#include "support/Table.h"
#include "support/Variant.h"

#include <memory>

/// The engine's result tables as the window's tables: the cells stay computed by the engine's table, so a
/// per-record table of a million rows is never copied.
namespace wb::EngineTables {

lrv::Table<double> doubles(std::shared_ptr<const engine::CellTable> table);
lrv::Table<lrv::Variant> variants(std::shared_ptr<const engine::CellTable> table);
/// A per-record table whose id column shows the ids as the file writes them when its keys stand for texts.
lrv::Table<double> perRecord(
    std::shared_ptr<const engine::CellTable> table, std::shared_ptr<const engine::IdTexts> ids);

} // namespace wb::EngineTables
