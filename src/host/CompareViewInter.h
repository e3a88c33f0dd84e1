#pragma once

#include "host/HostObject.h"
#include "host/IRun.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include <QColor>
#include <QSize>
#include <QString>

class QPainter;
class QRect;

namespace lrv {

/// One model of a comparison. NaN stands for a figure that cannot be estimated.
struct ComparedModelFigures {
    std::int32_t id = 0;
    QString name;
    QColor colour; ///< its curves' colour in the picture
    double auc = 0;
    double aucLow = 0; ///< DeLong's 95 % interval
    double aucHigh = 0;
    double gini = 0;
    double ks = 0;
    double brier = 0;
    bool probabilitiesFromOutputs = true; ///< else the Brier score and the test use the logistic fit's
    double hosmerLemeshowP = 0;
    double cutoff = 0; ///< the model's Youden cutoff
    double accuracy = 0; ///< a fraction, at that cutoff
    std::int64_t recordsWithoutOutput = 0;
};

/// DeLong's paired test of two models' AUC on the same records.
struct ComparedPairFigures {
    QString a, b; ///< the models' names
    double difference = 0; ///< AUC(a) − AUC(b)
    double low = 0; ///< its 95 % interval
    double high = 0;
    double p = 0; ///< two-sided
};

/// Every model of a run on one dataset, as the host compared them on the records where every model has
/// an output.
struct ComparisonFigures {
    QString dataSetName;
    std::int64_t records = 0;
    std::int64_t compared = 0;
    int buckets = 0; ///< of the Hosmer–Lemeshow test
    std::vector<ComparedModelFigures> models;
    std::vector<ComparedPairFigures> pairs;
    /// The overlaid ROC and gains curves: their natural size, and the routine that paints them scaled into
    /// a rectangle on any device.
    QSize pictureSize;
    std::function<void(QPainter&, const QRect&)> paint;
};

/// The view a compare presenter fills.
class CompareViewInter {
public:
    virtual ~CompareViewInter() = default;
    virtual void ShowComparison(const ComparisonFigures& figures) = 0;
    /// The comparison could not be made; the message tells the user why.
    virtual void ShowError(const QString& message) = 0;
};

/// The host's comparison of a run's models.
class ComparePresenter : public virtual HostObject {
public:
    /// Compares every model of the run on dataset 1 (training) or 2 (validation) and tells the view the
    /// result or the error; never throws.
    virtual void Compare(CompareViewInter& view, std::shared_ptr<IRun>& run, std::int32_t dataSet) = 0;
};

} // namespace lrv
