#pragma once

#include "support/Table.h"
#include "support/Variant.h"

#include <vector>

namespace lrv::test {

/// Tables as the host core delivers them for a synthetic model of 400 records, 35 % positives, whose
/// scores separate the classes well but not perfectly.
Table<double> realisticRocTable();
/// Gains table of 10 buckets: row 0 the origin, columns 0..13.
Table<Variant> realisticGainsTable();
/// Lift table of 10 buckets, rows 1..10, columns 0..4.
Table<Variant> realisticLiftTable();

/// A double table of the given rows, each row's cells from column 0.
Table<double> doubleRows(const std::vector<std::vector<double>>& rows);
/// A variant table of the given rows, each row's cells from column 0.
Table<Variant> variantRows(const std::vector<std::vector<Variant>>& rows, int rowLow = 0);

} // namespace lrv::test
