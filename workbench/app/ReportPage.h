#pragma once

#include <cstdint>
#include <vector>

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

namespace lrv {
class PropertyGrid;
}

namespace wb {

struct ExportedAnalysis;

/// One tab of the analysis as the page shows it: its chart and the first rows of its table.
struct PageSection {
    QString name; ///< the file name without extension
    QString caption;
    QByteArray svg; ///< the chart as an SVG document
    QStringList header;
    QList<QStringList> rows; ///< the first rows of the table
    std::int64_t totalRows = 0; ///< rows of the whole table
    std::int64_t writtenRows = 0; ///< rows in NAME.tsv
};

/// index.html: one self-contained page, summary first (model, dataset, records, AUC, the Youden cutoff with
/// its confusion matrix, the statistics grid), then per tab its chart inline and its table, printable on A4.
QByteArray reportPage(
    const ExportedAnalysis& exported, const lrv::PropertyGrid& grid, const std::vector<PageSection>& sections);

} // namespace wb
