#pragma once

#include "support/Table.h"
#include "support/Variant.h"

#include <cstdint>

#include <QStringList>

namespace lrv {

/// The view the load presenter fills once, while the window loads.
class DecileLoadViewInter {
public:
    virtual ~DecileLoadViewInter() = default;

    /// 1 training, 2 validation.
    virtual void SelectDataSet(std::int32_t dataSet) = 0;
    virtual void SetBuckets(std::int32_t buckets) = 0;
    virtual void SetDecileTable(const Table<Variant>& values) = 0;
    virtual void SetModels(const QStringList& texts, const Vector<std::int32_t>& itemData, std::int32_t selectedId) = 0;
};

} // namespace lrv
