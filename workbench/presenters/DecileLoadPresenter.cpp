#include "presenters/DecileLoadPresenter.h"

#include "run/Run.h"
#include "support/NumberText.h"

#include <cmath>

namespace wb {

namespace {
    const QString dataSetKey = QStringLiteral("set_lr#DataSet");
    const QString bucketsKey = QStringLiteral("set_lr#Buckets");
    constexpr std::int32_t defaultBuckets = 10;

    std::int32_t integerParameter(const lrv::IRun& run, const QString& key, std::int32_t fallback)
    {
        const auto parameters = run.parameters();
        if (!parameters || !parameters->FindOrdinal(key))
            return fallback;
        const lrv::Variant value = parameters->item(key).value;
        if (!value.isNumeric())
            return fallback;
        const double number = std::round(value.toDouble());
        return number >= -2147483648.0 && number <= 2147483647.0 ? std::int32_t(number) : fallback;
    }
}

void DecileLoadPresenter::SetView(lrv::DecileLoadViewInter& view)
{
    m_view = &view;
    if (auto* listener = dynamic_cast<lrv::IListener*>(&view))
        listener->SetListener(shared_from_this());
}

QString DecileLoadPresenter::modelText(const lrv::IModel& model, std::int32_t kind)
{
    const QString prefix = QStringLiteral("Model %1 - ").arg(model.id());
    if (kind == 1 || kind == 4) {
        const double accuracy = model.trainingAccuracy();
        return prefix + QStringLiteral("Accuracy: ")
            + (accuracy >= 0 ? lrv::accuracyText(accuracy) : QStringLiteral("--"));
    }
    const double rSquare = model.trainingRSquare();
    // Negative fitness marks calculation errors (-11111) or an undefined fit (-1).
    if (rSquare < 0 || !std::isfinite(rSquare))
        return prefix + QStringLiteral("RS: --");
    return prefix + QStringLiteral("RS: ") + lrv::defaultNumberText(std::round(rSquare * 1e6) / 1e6);
}

void DecileLoadPresenter::Load(std::shared_ptr<lrv::IRun>& run)
{
    if (!m_view || !run)
        return;
    // The window writes only the choices a run holds: a run whose analysis was removed gets them back.
    if (const auto workbenchRun = std::dynamic_pointer_cast<Run>(run)) {
        const auto parameters = workbenchRun->parameterList();
        parameters->add(QStringLiteral("set_lr#SelectedChart"), { lrv::RunParameterInt32, lrv::Variant(1129) });
        parameters->add(dataSetKey, { lrv::RunParameterInt32, lrv::Variant(1) });
        parameters->add(bucketsKey, { lrv::RunParameterInt32, lrv::Variant(defaultBuckets) });
    }
    QStringList texts;
    std::vector<std::int32_t> ids;
    std::int32_t selected = 0;
    if (const auto models = run->models()) {
        for (int i = 0; i < models->count(); ++i) {
            const auto model = models->item(i);
            texts << modelText(*model, run->kindCode());
            ids.push_back(model->id());
        }
        if (const auto current = models->current())
            selected = current->id();
    }
    m_view->SetModels(texts, lrv::Vector<std::int32_t>(0, std::move(ids)), selected);

    std::int32_t dataSet = integerParameter(*run, dataSetKey, 1);
    if (dataSet != 1 && dataSet != 2)
        dataSet = 1;
    if (dataSet == 2 && !run->dataSet(2))
        dataSet = 1;
    m_view->SelectDataSet(dataSet);
    m_view->SetBuckets(integerParameter(*run, bucketsKey, defaultBuckets));
    m_view->SetDecileTable(lrv::Table<lrv::Variant>());
}

} // namespace wb
