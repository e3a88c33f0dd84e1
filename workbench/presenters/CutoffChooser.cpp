#include "presenters/CutoffChooser.h"

#include "engine/Analysis.h"
#include "engine/RankedRecords.h"
#include "run/RunParameters.h"
#include "support/Error.h"

#include <limits>

namespace wb {

namespace {
    /// Youden's point as a ranking of two groups: the records predicted class 1 at the cutoff, then the rest
    /// beyond every output, which is all a Youden rule reads.
    class YoudenGroups : public engine::RankedGroups {
    public:
        YoudenGroups(const engine::Analysis& a, double cutoff)
            : m_cutoff(cutoff)
            , m_inverted(a.inverted)
        {
            const auto count = [&](lrv::Outcome outcome) { return std::int64_t(lrv::at(a.rocCounts, outcome)); };
            m_tp = count(lrv::Outcome::TruePositive);
            m_fp = count(lrv::Outcome::FalsePositive);
            m_positives = m_tp + count(lrv::Outcome::FalseNegative);
            m_negatives = m_fp + count(lrv::Outcome::TrueNegative);
        }
        std::int64_t groupCount() const override { return 2; }
        double groupOutput(std::int64_t g) const override
        {
            const double beyond = std::numeric_limits<double>::infinity();
            return g == 0 ? m_cutoff : m_inverted ? beyond : -beyond;
        }
        std::int64_t predictedPositive(std::int64_t g) const override
        {
            return g == 0 ? m_tp + m_fp : m_positives + m_negatives;
        }
        std::int64_t truePositives(std::int64_t g) const override { return g == 0 ? m_tp : m_positives; }
        std::int64_t positives() const override { return m_positives; }
        std::int64_t negatives() const override { return m_negatives; }
        bool inverted() const override { return m_inverted; }

    private:
        double m_cutoff;
        bool m_inverted;
        std::int64_t m_tp = 0, m_fp = 0, m_positives = 0, m_negatives = 0;
    };
}

CutoffChooser::CutoffChooser(
    const engine::Analysis& a, std::shared_ptr<RunParameters> parameters, int modelId, int dataSet)
    : m_ranked(a.ranked)
    , m_youdenCutoff(lrv::at(a.rocStats, lrv::RocStat::Cutoff))
    , m_logisticCutoff(a.logisticCutoff)
    , m_youdenThresholdId(a.thresholdId)
    , m_parameters(std::move(parameters))
    , m_key(parameterKey(modelId, dataSet))
{
    if (m_ranked)
        m_groups = engine::rankedGroups(m_ranked);
    else
        m_groups = std::make_unique<YoudenGroups>(a, m_youdenCutoff);
}

QString CutoffChooser::parameterKey(int modelId, int dataSet)
{
    return QStringLiteral("set_lr#ChosenCutoff.%1.%2").arg(modelId).arg(dataSet);
}

QString CutoffChooser::keptRule(const RunParameters* parameters, const QString& key)
{
    if (parameters && parameters->FindOrdinal(key))
        return parameters->item(key).value.text();
    return QStringLiteral("youden");
}

lrv::ChosenCutoffFigures CutoffChooser::figures(const QString& rule) const
{
    engine::ChosenCutoff c;
    try {
        const engine::CutoffRule parsed = engine::parseCutoffRule(rule.toStdString());
        if (!m_ranked && parsed.kind != engine::CutoffRule::Kind::Youden)
            throw lrv::Error(QStringLiteral("The cutoff rule \"%1\" needs the records in memory; a database run "
                                            "offers the Youden cutoff only.")
                                 .arg(rule.trimmed()));
        c = engine::chooseCutoff(*m_groups, parsed, m_youdenCutoff, m_logisticCutoff);
    } catch (const engine::CalculationError& error) {
        throw lrv::Error(QString::fromStdString(error.what()));
    }
    lrv::ChosenCutoffFigures f;
    f.rule = QString::fromStdString(c.rule.text());
    f.cutoff = c.cutoff;
    f.outsideOutputs = c.outsideOutputs;
    const std::int64_t predicted = c.tp + c.fp;
    if (predicted > 0)
        f.thresholdId
            = m_ranked ? m_ranked->id(m_ranked->groupBegin(m_ranked->group(predicted - 1))) : m_youdenThresholdId;
    f.tp = c.tp;
    f.fp = c.fp;
    f.tn = c.tn;
    f.fn = c.fn;
    f.sensitivity = c.sensitivity;
    f.specificity = c.specificity;
    f.ppv = c.ppv;
    f.npv = c.npv;
    f.accuracy = c.accuracy;
    f.f1 = c.f1;
    f.mcc = c.mcc;
    f.expectedCost = c.expectedCost;
    return f;
}

lrv::ChosenCutoffFigures CutoffChooser::choose(const QString& rule)
{
    lrv::ChosenCutoffFigures chosen = figures(rule);
    if (m_parameters) {
        m_parameters->add(m_key, { lrv::RunParameterText, lrv::Variant(chosen.rule) });
        m_parameters->set(m_key, lrv::RunParameterText, lrv::Variant(chosen.rule));
    }
    return chosen;
}

} // namespace wb
