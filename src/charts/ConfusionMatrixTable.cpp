#include "charts/ConfusionMatrixTable.h"

#include "support/NumberText.h"

namespace lrv::ConfusionMatrixTable {

Texts texts(const Counts& counts, bool percentages)
{
    const auto [tp, tn, fp, fn] = counts;
    const std::int64_t all = tp + tn + fp + fn;
    const double divisor = all == 0 ? 1.0 : double(all);
    const auto number
        = [&](std::int64_t n) { return percentages ? percentText(double(n) / divisor, 2) : QString::number(n); };
    Texts texts;
    texts.values = { number(tp) + QStringLiteral(" (TP)"), number(tn) + QStringLiteral(" (TN)"),
        number(fp) + QStringLiteral(" (FP)"), number(fn) + QStringLiteral(" (FN)") };
    texts.totals = { number(tp + fp) + QStringLiteral(" (PP)"), number(tn + fn) + QStringLiteral(" (NP)"),
        number(tp + fn) + QStringLiteral(" (APC)"), number(tn + fp) + QStringLiteral(" (ANC)"), number(all) };
    texts.titles = { number(tp + tn), number(fp + fn) };
    return texts;
}

} // namespace lrv::ConfusionMatrixTable
