#pragma once

#include "host/ResultLayout.h"
#include "reports/PropertyGrid.h"
#include "support/Table.h"
#include "support/Variant.h"

#include <memory>

#include <QPointer>
#include <QString>

namespace lrv {

class IModel;
class IRun;

/// Writes the statistics of the current model into the statistics grid, one category per analysis.
/// Every Set… operation that fills a category replaces its rows; a missing array element or a missing
/// grid row throws lrv::Error.
class PropertyGridAdapter {
public:
    /// The categories in grid order.
    enum Category : int {
        CurrentModel,
        General,
        Quantiles,
        Roc,
        CutoffPoints,
        Gains,
        Lift,
        LogOdds,
        LogisticFit,
        LogisticConfusionMatrix,
        RocConfusionMatrix,
        CategoryCount
    };

    void Init(PropertyGrid* grid, std::shared_ptr<IRun> run);
    /// The grid as text: per category its caption, then "caption<TAB>value" per row, each line ended by
    /// CR LF; the blocks are joined by CR LF.
    QString ToString() const;
    /// Clears the grid, creates the eleven categories and shows the run's current model.
    void Reset();
    /// Expands "General" and the category of an analysis, collapses the others and selects the analysis'
    /// category.
    void SelectCategory(Category chosen);

    void SetModelStats(const std::shared_ptr<IModel>& model);
    /// total cases, quantiles, positive cases, negative cases.
    void SetGeneralStats(const Vector<Variant>& stats);
    /// The decile statistics (DecileStat); kept for the gains and lift categories.
    void SetDecileStats(const Vector<Variant>& stats);
    /// Appends the weighted trend line to "Quantiles".
    void SetWeightedLinearRegression(double slope, double intercept, double rSquare);
    /// The ROC statistics (RocStat).
    void SetROCStats(const Vector<Variant>& stats);
    /// The ROC statistics (RocStat), as the cutoff points show them.
    void SetCutoffPointsStats(const Vector<Variant>& stats);
    void SetGainsStats(double& areaUnderLiftCurve, double& gainsRankingQuality);
    /// area between curves, cumulative lift area, lift area, lift ranking quality.
    void SetLiftStats(const Vector<double>& values);
    /// Fills "Log Odds" and "Logistic Fit"; the logistic cutoff point is undefined for a slope of 0 or
    /// kUndefinedFit and for the marker kNoCutoffPoint.
    void SetLogOddsStats(double& logisticCutoffPoint, double& slope, double& intercept, double rSquare);
    /// The logistic confusion-matrix statistics (MatrixStat up to the ROC-only ones).
    void SetConfusionMatrixStats(const Vector<Variant>& stats);
    /// The ROC confusion-matrix statistics (MatrixStat); also puts TP, TN, FP and FN into "ROC" after "Total".
    void SetROCConfusionMatrixStats(const Vector<Variant>& stats);
    /// Shows "--" for the fitness and accuracy of dataset 1 (training) or 2 (validation).
    void InvalidateModel(int modelId, int dataSet);
    /// Shows the calculation-error row of dataset 1 or 2 with the count; hides it for 0.
    void SetCalculationErrors(int count, int dataSet);

private:
    PropertyGrid& grid() const;
    PropertyGrid::Item category(Category which) const;
    /// The category emptied for new rows.
    PropertyGrid::Item cleared(Category which) const;
    /// Makes every row read-only once a category has its rows.
    void finish() const;

    QPointer<PropertyGrid> m_grid;
    std::shared_ptr<IRun> m_run;
    Vector<Variant> m_decileStats;
    QString m_logisticCutoffText = QStringLiteral("UNDEFINED");
};

} // namespace lrv
