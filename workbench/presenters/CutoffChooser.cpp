#include "presenters/CutoffChooser.h"

#include "engine/RankedRecords.h"
#include "run/RunParameters.h"
#include "support/Error.h"

namespace wb {

CutoffChooser::CutoffChooser(std::shared_ptr<const engine::RankedRecords> ranked, double youdenCutoff,
    double logisticCutoff, std::shared_ptr<RunParameters> parameters, int modelId, int dataSet)
    : m_ranked(std::move(ranked))
    , m_groups(engine::rankedGroups(m_ranked))
    , m_youdenCutoff(youdenCutoff)
    , m_logisticCutoff(logisticCutoff)
    , m_parameters(std::move(parameters))
    , m_key(parameterKey(modelId, dataSet))
{
}

QString CutoffChooser::parameterKey(int modelId, int dataSet)
{
    return QStringLiteral("set_lr#ChosenCutoff.%1.%2").arg(modelId).arg(dataSet);
}

QString CutoffChooser::keptRule() const
{
    if (m_parameters && m_parameters->FindOrdinal(m_key))
        return m_parameters->item(m_key).value.text();
    return QStringLiteral("youden");
}

lrv::ChosenCutoffFigures CutoffChooser::figures(const QString& rule) const
{
    engine::ChosenCutoff c;
    try {
        c = engine::chooseCutoff(
            *m_groups, engine::parseCutoffRule(rule.toStdString()), m_youdenCutoff, m_logisticCutoff);
    } catch (const engine::CalculationError& error) {
        throw lrv::Error(QString::fromStdString(error.what()));
    }
    lrv::ChosenCutoffFigures f;
    f.rule = QString::fromStdString(c.rule.text());
    f.cutoff = c.cutoff;
    f.outsideOutputs = c.outsideOutputs;
    const std::int64_t predicted = c.tp + c.fp;
    if (predicted > 0)
        f.thresholdId = m_ranked->id(m_ranked->groupBegin(m_ranked->group(predicted - 1)));
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
