#include "reports/PropertyGridAdapter.h"

#include "host/IModel.h"
#include "host/IModels.h"
#include "host/IRun.h"
#include "reports/ReportTexts.h"
#include "support/Error.h"
#include "support/NumberText.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

#include <QStringList>

namespace lrv {

namespace {
    using Kind = PropertyGrid::Kind;

    const std::array<QString, PropertyGridAdapter::CategoryCount> kCaptions = {
        QStringLiteral("Current Model"),
        QStringLiteral("General"),
        QStringLiteral("Quantiles"),
        QStringLiteral("ROC"),
        QStringLiteral("Cutoff Points"),
        QStringLiteral("Gains"),
        QStringLiteral("Lift"),
        QStringLiteral("Log Odds"),
        QStringLiteral("Logistic Fit"),
        QStringLiteral("Logistic Confusion Matrix"),
        QStringLiteral("ROC Confusion Matrix"),
    };

    const QString kMissing = QStringLiteral("--");
    const QString kNotANumber = QStringLiteral("#DIV/0");
    const QString kUndefined = QStringLiteral("UNDEFINED");
    const QString kLineEnd = QStringLiteral("\r\n");
    // Position of "Total" in "ROC"; the four counts of the ROC confusion matrix follow it.
    constexpr int kRocCountsPosition = 6;
    const QStringList kRocCountCaptions
        = { QStringLiteral("TP"), QStringLiteral("TN"), QStringLiteral("FP"), QStringLiteral("FN") };

    struct Row {
        int kind;
        QString caption;
        Variant value;
        bool constraintEdit = false;
    };
    using Rows = std::vector<Row>;

    /// An element of a statistics vector; a missing one is an error that names the array.
    template <typename T, class Layout>
    const T& element(const Vector<T>& values, Layout entry, const QString& arrayName)
    {
        const int k = index(entry);
        if (!values.contains(values.low() + k))
            throw Error(QStringLiteral("The %1 have no element %2 (they hold %3); the statistics cannot be shown.")
                            .arg(arrayName)
                            .arg(k)
                            .arg(values.size()));
        return at(values, entry);
    }

    double number(const Variant& value, const QString& what)
    {
        if (value.isNumber())
            return value.toDouble();
        double parsed = 0;
        if (!parseNumberText(value.text(), parsed))
            throw Error(QStringLiteral("The statistic \"%1\" is not a number (\"%2\").").arg(what, value.text()));
        return parsed;
    }

    QString percentOrNotANumber(double fraction)
    {
        return std::isfinite(fraction) ? percentText(fraction, 2) : kNotANumber;
    }

    QString percentOf(const Variant& value, const QString& what) { return percentOrNotANumber(number(value, what)); }

    QString countWithShare(double count, double total)
    {
        const QString share = total != 0 ? percentOrNotANumber(count / total) : kNotANumber;
        return defaultNumberText(count) + QStringLiteral(" (") + share + QStringLiteral(")");
    }

    QString countWithShare(const Variant& count, const Variant& total, const QString& what)
    {
        return countWithShare(number(count, what), number(total, what));
    }

    QString fitnessText(double fitness) { return fitness >= 0 ? defaultNumberText(fitness) : kMissing; }
    QString accuracyOrMissing(double accuracy) { return accuracy >= 0 ? accuracyText(accuracy) : kMissing; }

    void addRows(PropertyGrid::Item target, const Rows& rows)
    {
        for (const Row& row : rows) {
            PropertyGrid::Item item = target.addChild(row.kind, row.caption, row.value);
            if (row.constraintEdit)
                item.setConstraintEdit(true);
        }
    }

    void makeReadOnly(const PropertyGrid::Item& item)
    {
        for (PropertyGrid::Item child : item.children()) {
            makeReadOnly(child);
            child.setReadOnly(true);
        }
    }

    // The four rows that "Gains" and "Lift" take from the quantile statistics.
    Rows decileSummaryRows(const Vector<Variant>& decileStats)
    {
        if (decileStats.isEmpty())
            throw Error(QStringLiteral("The quantile statistics must arrive before the gains and lift statistics."));
        const QString name = QStringLiteral("quantile statistics");
        const Variant& middleToBottom = element(decileStats, DecileStat::SpreadMiddleToBottom, name);
        return {
            { Kind::TextKind, QStringLiteral("Average Positive Rate"),
                percentOf(
                    element(decileStats, DecileStat::PositiveRate, name), QStringLiteral("Average Positive Rate")) },
            { Kind::TextKind, QStringLiteral("Spread from Top to Bottom"),
                percentOf(element(decileStats, DecileStat::SpreadTopToBottom, name),
                    QStringLiteral("Spread from Top to Bottom")) },
            { Kind::TextKind, QStringLiteral("Spread from Top to Middle"),
                percentOf(element(decileStats, DecileStat::SpreadTopToMiddle, name),
                    QStringLiteral("Spread from Top to Middle")) },
            { Kind::TextKind, QStringLiteral("Spread from Middle to Bottom"),
                middleToBottom.isNumeric() ? percentText(middleToBottom.toDouble(), 2) : kNotANumber },
        };
    }

    // The rows that both confusion-matrix categories show, from the same array positions.
    Rows confusionRows(const Vector<Variant>& stats)
    {
        const QString name = QStringLiteral("confusion-matrix statistics");
        const Variant& total = element(stats, MatrixStat::Total, name);
        Rows rows;
        rows.push_back({ Kind::TextKind, QStringLiteral("Correct"),
            countWithShare(element(stats, MatrixStat::Correct, name), total, QStringLiteral("Correct")) });
        rows.push_back({ Kind::TextKind, QStringLiteral("Wrong"),
            countWithShare(element(stats, MatrixStat::Wrong, name), total, QStringLiteral("Wrong")) });
        rows.push_back({ Kind::DoubleKind, QStringLiteral("Total"), total });
        const std::pair<QString, MatrixStat> counts[] = { { QStringLiteral("TP"), MatrixStat::TruePositives },
            { QStringLiteral("FN"), MatrixStat::FalseNegatives }, { QStringLiteral("FP"), MatrixStat::FalsePositives },
            { QStringLiteral("TN"), MatrixStat::TrueNegatives } };
        for (const auto& [caption, entry] : counts)
            rows.push_back({ Kind::TextKind, caption, countWithShare(element(stats, entry, name), total, caption) });
        const std::pair<QString, MatrixStat> rates[] = { { QStringLiteral("TPR (Sens)"), MatrixStat::TruePositiveRate },
            { QStringLiteral("FNR"), MatrixStat::FalseNegativeRate },
            { QStringLiteral("FPR (1-Spec)"), MatrixStat::FalsePositiveRate },
            { QStringLiteral("TNR (Spec)"), MatrixStat::TrueNegativeRate } };
        for (const auto& [caption, entry] : rates)
            rows.push_back({ Kind::DoubleKind, caption, element(stats, entry, name) });
        rows.push_back({ Kind::TextKind, QStringLiteral("PPV"),
            element(stats, MatrixStat::PositivePredictiveValue, name).text() });
        rows.push_back({ Kind::TextKind, QStringLiteral("NPV"),
            element(stats, MatrixStat::NegativePredictiveValue, name).text() });
        return rows;
    }

    // The rates that the ROC and the cutoff points show after their counts.
    void appendRocRates(Rows& rows, const Vector<Variant>& stats, const QString& name)
    {
        const std::pair<QString, RocStat> rates[] = { { QStringLiteral("TPR (Sens)"), RocStat::TruePositiveRate },
            { QStringLiteral("TNR (Spec)"), RocStat::TrueNegativeRate },
            { QStringLiteral("FPR (1-Spec)"), RocStat::FalsePositiveRate },
            { QStringLiteral("FNR"), RocStat::FalseNegativeRate },
            { QStringLiteral("PPV"), RocStat::PositivePredictiveValue },
            { QStringLiteral("NPV"), RocStat::NegativePredictiveValue } };
        for (const auto& [caption, entry] : rates)
            rows.push_back({ Kind::DoubleKind, caption, element(stats, entry, name) });
    }
}

void PropertyGridAdapter::Init(PropertyGrid* grid, std::shared_ptr<IRun> run)
{
    m_grid = grid;
    m_run = std::move(run);
    Reset();
}

PropertyGrid& PropertyGridAdapter::grid() const
{
    if (!m_grid)
        throw Error(QStringLiteral("The statistics grid is not available: Init must be given a grid."));
    return *m_grid;
}

PropertyGrid::Item PropertyGridAdapter::category(Category which) const { return grid().category(int(which)); }

PropertyGrid::Item PropertyGridAdapter::cleared(Category which) const
{
    PropertyGrid::Item item = category(which);
    item.clearChildren();
    return item;
}

void PropertyGridAdapter::finish() const
{
    if (grid().categoryCount() < 1)
        return;
    for (const PropertyGrid::Item& item : grid().categories())
        makeReadOnly(item);
}

QString PropertyGridAdapter::ToString() const
{
    QStringList blocks;
    for (const PropertyGrid::Item& item : grid().categories()) {
        QString block = item.caption() + kLineEnd;
        for (const PropertyGrid::Item& child : item.children())
            block += child.caption() + QLatin1Char('\t') + child.value().text() + kLineEnd;
        blocks.append(block);
    }
    return blocks.join(kLineEnd);
}

void PropertyGridAdapter::Reset()
{
    PropertyGrid& target = grid();
    target.clear();
    for (const QString& caption : kCaptions)
        target.addCategory(caption);
    std::shared_ptr<IModel> model;
    if (m_run)
        if (const std::shared_ptr<IModels> models = m_run->models())
            model = models->current();
    SetModelStats(model);
}

void PropertyGridAdapter::SelectCategory(Category chosen)
{
    if (chosen < 0 || chosen >= CategoryCount)
        throw Error(QStringLiteral("There is no statistics category %1; categories are numbered 0 to %2.")
                        .arg(int(chosen))
                        .arg(int(CategoryCount) - 1));
    const QList<PropertyGrid::Item> all = grid().categories();
    for (int position = 0; position < all.size(); ++position)
        PropertyGrid::Item(all[position]).setExpanded(position == int(General) || position == chosen);
    category(chosen).select();
}

void PropertyGridAdapter::SetModelStats(const std::shared_ptr<IModel>& model)
{
    Rows rows;
    bool validation = false;
    if (model) {
        validation = m_run && m_run->dataSet(2) != nullptr;
        rows.push_back({ Kind::IntegerKind, QStringLiteral("Id"), Variant(double(model->id())) });
        rows.push_back({ Kind::TextKind, QStringLiteral("Training Fitness"), fitnessText(model->trainingRSquare()) });
        rows.push_back(
            { Kind::TextKind, QStringLiteral("Training Accuracy"), accuracyOrMissing(model->trainingAccuracy()) });
        rows.push_back({ Kind::IntegerKind, QStringLiteral("Calculation Errors Training"), Variant(0) });
        if (validation) {
            rows.push_back(
                { Kind::TextKind, QStringLiteral("Validation Fitness"), fitnessText(model->validationRSquare()) });
            rows.push_back({ Kind::TextKind, QStringLiteral("Validation Accuracy"),
                accuracyOrMissing(model->validationAccuracy()) });
            rows.push_back({ Kind::IntegerKind, QStringLiteral("Calculation Errors Validation"), Variant(0) });
        }
    }
    PropertyGrid::Item target = cleared(CurrentModel);
    addRows(target, rows);
    // The error rows appear once a calculation reports errors.
    if (model) {
        target.child(3).setHidden(true);
        if (validation)
            target.child(6).setHidden(true);
    }
    finish();
}

void PropertyGridAdapter::SetGeneralStats(const Vector<Variant>& stats)
{
    const QString name = QStringLiteral("general statistics");
    const Variant& total = element(stats, DecileStat::Records, name);
    Rows rows;
    rows.push_back({ Kind::IntegerKind, QStringLiteral("Total Cases"), total });
    rows.push_back({ Kind::IntegerKind, QStringLiteral("Quantiles"), element(stats, DecileStat::Buckets, name) });
    rows.push_back({ Kind::TextKind, QStringLiteral("Positive Cases"),
        countWithShare(element(stats, DecileStat::Positives, name), total, QStringLiteral("Positive Cases")) });
    rows.push_back({ Kind::TextKind, QStringLiteral("Negative Cases"),
        countWithShare(element(stats, DecileStat::Negatives, name), total, QStringLiteral("Negative Cases")) });
    addRows(cleared(General), rows);
    finish();
}

void PropertyGridAdapter::SetDecileStats(const Vector<Variant>& stats)
{
    const QString name = QStringLiteral("quantile statistics");
    const double total = number(element(stats, DecileStat::Records, name), QStringLiteral("Total Cases"));
    const double positives = number(element(stats, DecileStat::Positives, name), QStringLiteral("Positive Cases"));
    Rows rows;
    rows.push_back({ Kind::TextKind, QStringLiteral("Average Positive Rate"),
        total != 0 ? percentOrNotANumber(positives / total) : kNotANumber });
    rows.push_back({ Kind::TextKind, QStringLiteral("Spread from Top to Bottom"),
        percentOf(element(stats, DecileStat::SpreadTopToBottom, name), QStringLiteral("Spread from Top to Bottom")) });
    rows.push_back({ Kind::TextKind, QStringLiteral("Spread from Top to Middle"),
        percentOf(element(stats, DecileStat::SpreadTopToMiddle, name), QStringLiteral("Spread from Top to Middle")) });
    const Variant& middleToBottom = element(stats, DecileStat::SpreadMiddleToBottom, name);
    rows.push_back({ Kind::TextKind, QStringLiteral("Spread from Middle to Bottom"),
        middleToBottom.isNumeric() ? percentText(middleToBottom.toDouble(), 2) : kNotANumber });
    addRows(cleared(Quantiles), rows);
    m_decileStats = stats;
    finish();
}

void PropertyGridAdapter::SetWeightedLinearRegression(double slope, double intercept, double rSquare)
{
    addRows(category(Quantiles),
        { { Kind::DoubleKind, QStringLiteral("R-square"), rSquare },
            { Kind::DoubleKind, QStringLiteral("Slope"), slope },
            { Kind::DoubleKind, QStringLiteral("Intercept"), intercept } });
    finish();
}

void PropertyGridAdapter::SetROCStats(const Vector<Variant>& stats)
{
    const QString name = QStringLiteral("ROC statistics");
    const Variant& total = element(stats, RocStat::Total, name);
    Rows rows;
    rows.push_back(
        { Kind::DoubleKind, QStringLiteral("Area Under the ROC Curve"), element(stats, RocStat::Auc, name) });
    rows.push_back({ Kind::DoubleKind, QStringLiteral("Optimal Cutoff Point (Youden Index)"),
        element(stats, RocStat::Youden, name) });
    rows.push_back({ Kind::DoubleKind, QStringLiteral("ROC Cutoff Point"), element(stats, RocStat::Cutoff, name) });
    rows.push_back({ Kind::TextKind, QStringLiteral("Correct"),
        countWithShare(element(stats, RocStat::Correct, name), total, QStringLiteral("Correct")) });
    rows.push_back({ Kind::TextKind, QStringLiteral("Wrong"),
        countWithShare(element(stats, RocStat::Wrong, name), total, QStringLiteral("Wrong")) });
    rows.push_back({ Kind::DoubleKind, QStringLiteral("Total"), total });
    appendRocRates(rows, stats, name);
    addRows(cleared(Roc), rows);
    finish();
}

void PropertyGridAdapter::SetCutoffPointsStats(const Vector<Variant>& stats)
{
    const QString name = QStringLiteral("cutoff point statistics");
    const Variant& total = element(stats, RocStat::Total, name);
    Rows rows;
    rows.push_back({ Kind::DoubleKind, QStringLiteral("Optimal Cutoff Point (Youden Index)"),
        element(stats, RocStat::Youden, name) });
    rows.push_back({ Kind::DoubleKind, QStringLiteral("ROC Cutoff Point"), element(stats, RocStat::Cutoff, name) });
    rows.push_back({ Kind::TextKind, QStringLiteral("Correct"),
        countWithShare(element(stats, RocStat::Correct, name), total, QStringLiteral("Correct")) });
    rows.push_back({ Kind::TextKind, QStringLiteral("Wrong"),
        countWithShare(element(stats, RocStat::Wrong, name), total, QStringLiteral("Wrong")) });
    rows.push_back({ Kind::DoubleKind, QStringLiteral("Total"), total });
    const RocStat counts[]
        = { RocStat::TruePositives, RocStat::TrueNegatives, RocStat::FalsePositives, RocStat::FalseNegatives };
    for (int i = 0; i < kRocCountCaptions.size(); ++i)
        rows.push_back({ Kind::TextKind, kRocCountCaptions[i],
            countWithShare(element(stats, counts[i], name), total, kRocCountCaptions[i]) });
    appendRocRates(rows, stats, name);
    addRows(cleared(CutoffPoints), rows);
    finish();
}

void PropertyGridAdapter::SetGainsStats(double& areaUnderLiftCurve, double& gainsRankingQuality)
{
    Rows rows = decileSummaryRows(m_decileStats);
    rows.push_back({ Kind::DoubleKind, QStringLiteral("Area Under the Lift Curve"), areaUnderLiftCurve });
    rows.push_back({ Kind::DoubleKind, QStringLiteral("Gains Ranking Quality"), gainsRankingQuality });
    addRows(cleared(Gains), rows);
    finish();
}

void PropertyGridAdapter::SetLiftStats(const Vector<double>& values)
{
    const QString name = QStringLiteral("lift statistics");
    Rows rows = decileSummaryRows(m_decileStats);
    rows.push_back(
        { Kind::DoubleKind, QStringLiteral("Lift Ranking Quality"), element(values, LiftStat::RankingQuality, name) });
    rows.push_back({ Kind::DoubleKind, QStringLiteral("Area Between Curves"),
        element(values, LiftStat::AreaBetweenCurves, name) });
    rows.push_back({ Kind::DoubleKind, QStringLiteral("Lift Area"), element(values, LiftStat::LiftArea, name) });
    rows.push_back({ Kind::DoubleKind, QStringLiteral("Cumulative Lift Area"),
        element(values, LiftStat::CumulativeLiftArea, name) });
    addRows(cleared(Lift), rows);
    finish();
}

void PropertyGridAdapter::SetLogOddsStats(double& logisticCutoffPoint, double& slope, double& intercept, double rSquare)
{
    // kUndefinedFit marks a fit that could not be made: neither e^slope nor a cutoff point exists then.
    const bool undefinedFit = slope == kUndefinedFit || !std::isfinite(slope);
    const QString expText = ReportTexts::expSlopeText(slope);
    const bool noCutoff
        = undefinedFit || slope == 0 || logisticCutoffPoint == kNoCutoffPoint || !std::isfinite(logisticCutoffPoint);
    m_logisticCutoffText = noCutoff ? kUndefined : defaultNumberText(logisticCutoffPoint);

    addRows(cleared(LogOdds),
        { { Kind::DoubleKind, QStringLiteral("R-square"), rSquare },
            { Kind::DoubleKind, QStringLiteral("Slope"), slope },
            { Kind::DoubleKind, QStringLiteral("Intercept"), intercept },
            { Kind::TextKind, QStringLiteral("Exp(slope)"), expText } });
    addRows(cleared(LogisticFit),
        { { Kind::TextKind, QStringLiteral("Logistic Cutoff Point"), m_logisticCutoffText, true },
            { Kind::DoubleKind, QStringLiteral("Slope"), slope, true },
            { Kind::DoubleKind, QStringLiteral("Intercept"), intercept, true },
            { Kind::TextKind, QStringLiteral("Exp(slope)"), expText, true } });
    finish();
}

void PropertyGridAdapter::SetConfusionMatrixStats(const Vector<Variant>& stats)
{
    Rows rows { { Kind::TextKind, QStringLiteral("Logistic Cutoff Point"), m_logisticCutoffText } };
    const Rows counts = confusionRows(stats);
    rows.insert(rows.end(), counts.begin(), counts.end());
    addRows(cleared(LogisticConfusionMatrix), rows);
    finish();
}

void PropertyGridAdapter::SetROCConfusionMatrixStats(const Vector<Variant>& stats)
{
    const QString name = QStringLiteral("ROC confusion-matrix statistics");
    Rows rows;
    rows.push_back({ Kind::DoubleKind, QStringLiteral("Optimal Cutoff Point (Youden Index)"),
        element(stats, MatrixStat::Youden, name) });
    rows.push_back({ Kind::DoubleKind, QStringLiteral("ROC Cutoff Point"), element(stats, MatrixStat::Cutoff, name) });
    const Rows counts = confusionRows(stats);
    rows.insert(rows.end(), counts.begin(), counts.end());

    // TP, TN, FP, FN as whole numbers, each a share of their sum.
    const std::array<MatrixStat, kCountOf<Outcome>> positions = { MatrixStat::TruePositives, MatrixStat::TrueNegatives,
        MatrixStat::FalsePositives, MatrixStat::FalseNegatives };
    std::array<double, kCountOf<Outcome>> whole {};
    double sum = 0;
    for (std::size_t i = 0; i < positions.size(); ++i) {
        whole[i] = std::nearbyint(number(element(stats, positions[i], name), kRocCountCaptions[int(i)]));
        sum += whole[i];
    }

    addRows(cleared(RocConfusionMatrix), rows);

    PropertyGrid::Item roc = category(Roc);
    // A repeated call replaces the counts of the previous one instead of adding a second set.
    const auto holdsCounts = [&roc] {
        if (roc.childCount() < kRocCountsPosition + kRocCountCaptions.size())
            return false;
        for (int i = 0; i < kRocCountCaptions.size(); ++i)
            if (roc.child(kRocCountsPosition + i).caption() != kRocCountCaptions[i])
                return false;
        return true;
    };
    if (holdsCounts())
        for (int i = 0; i < kRocCountCaptions.size(); ++i)
            roc.removeChild(kRocCountsPosition);
    // Without the ROC rows the counts go to the end rather than fail.
    const int first = std::min(kRocCountsPosition, roc.childCount());
    for (std::size_t i = 0; i < whole.size(); ++i)
        roc.insertChild(first + int(i), Kind::TextKind, kRocCountCaptions[int(i)], countWithShare(whole[i], sum));
    finish();
}

void PropertyGridAdapter::InvalidateModel(int modelId, int dataSet)
{
    (void)modelId;
    PropertyGrid::Item model = category(CurrentModel);
    if (dataSet == 1) {
        model.child(1).setValue(kMissing);
        model.child(2).setValue(kMissing);
    } else if (dataSet == 2 && model.childCount() >= 6) {
        model.child(4).setValue(kMissing);
        model.child(5).setValue(kMissing);
    }
}

void PropertyGridAdapter::SetCalculationErrors(int count, int dataSet)
{
    if (dataSet != 1 && dataSet != 2)
        return;
    PropertyGrid::Item errors = category(CurrentModel).child(dataSet == 1 ? 3 : 6);
    errors.setHidden(count == 0);
    errors.setValue(Variant(count));
}

} // namespace lrv
