#pragma once

#include <QString>

namespace lrv {

/// A column of the report grid: which item of each record it shows, under which caption and how wide.
struct ReportColumn {
    int itemIndex = 0;
    QString caption;
    int width = 100;
    bool resizable = true;
    Qt::Alignment alignment = Qt::AlignRight | Qt::AlignVCenter;
    Qt::Alignment headerAlignment = Qt::AlignHCenter | Qt::AlignVCenter;
};

} // namespace lrv
