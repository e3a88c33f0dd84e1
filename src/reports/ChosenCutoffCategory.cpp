#include "reports/ChosenCutoffCategory.h"

#include "reports/PropertyGrid.h"
#include "support/NumberText.h"

#include <cmath>

#include <QTreeWidget>

namespace lrv::ChosenCutoffCategory {

namespace {
    const QString kNotANumber = QStringLiteral("#DIV/0");

    QString measure(double value) { return std::isfinite(value) ? defaultNumberText(value) : kNotANumber; }

    QString countWithShare(std::int64_t count, std::int64_t total)
    {
        const QString share = total > 0 ? percentText(double(count) / double(total), 2) : kNotANumber;
        return defaultNumberText(double(count)) + QStringLiteral(" (") + share + QStringLiteral(")");
    }

    int position(const PropertyGrid& grid)
    {
        for (int i = 0; i < grid.categoryCount(); ++i)
            if (grid.category(i).caption() == caption())
                return i;
        return -1;
    }
}

QString caption() { return QStringLiteral("Chosen Cutoff"); }

void show(PropertyGrid& grid, const ChosenCutoffFigures& f)
{
    const int found = position(grid);
    PropertyGrid::Item category = found >= 0 ? grid.category(found) : grid.addCategory(caption());
    const bool expanded = found >= 0 && category.isExpanded();
    category.clearChildren();
    const auto add = [&](int kind, const QString& text, const Variant& value) {
        category.addChild(kind, text, value).setReadOnly(true);
    };
    add(PropertyGrid::TextKind, QStringLiteral("Rule"), f.rule);
    add(PropertyGrid::TextKind, QStringLiteral("Cutoff"),
        defaultNumberText(f.cutoff) + (f.outsideOutputs ? QStringLiteral(" (outside the outputs)") : QString()));
    const std::int64_t n = f.records();
    add(PropertyGrid::TextKind, QStringLiteral("TP"), countWithShare(f.tp, n));
    add(PropertyGrid::TextKind, QStringLiteral("FP"), countWithShare(f.fp, n));
    add(PropertyGrid::TextKind, QStringLiteral("TN"), countWithShare(f.tn, n));
    add(PropertyGrid::TextKind, QStringLiteral("FN"), countWithShare(f.fn, n));
    add(PropertyGrid::TextKind, QStringLiteral("Sensitivity"), measure(f.sensitivity));
    add(PropertyGrid::TextKind, QStringLiteral("Specificity"), measure(f.specificity));
    add(PropertyGrid::TextKind, QStringLiteral("PPV"), measure(f.ppv));
    add(PropertyGrid::TextKind, QStringLiteral("NPV"), measure(f.npv));
    add(PropertyGrid::TextKind, QStringLiteral("Accuracy"), measure(f.accuracy));
    add(PropertyGrid::TextKind, QStringLiteral("F1"), measure(f.f1));
    add(PropertyGrid::TextKind, QStringLiteral("Matthews Correlation"), measure(f.mcc));
    if (std::isfinite(f.expectedCost))
        add(PropertyGrid::TextKind, QStringLiteral("Expected Cost"), defaultNumberText(f.expectedCost));
    category.setExpanded(expanded || found < 0);
}

void remove(PropertyGrid& grid)
{
    const int found = position(grid);
    if (found >= 0)
        delete grid.view()->takeTopLevelItem(found);
}

} // namespace lrv::ChosenCutoffCategory
