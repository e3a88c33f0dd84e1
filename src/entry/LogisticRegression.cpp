#include "entry/LogisticRegression.h"

#include "entry/Controls.h"
#include "host/HostConfiguration.h"
#include "host/IHostCore.h"
#include "support/Error.h"
#include "window/frmClassRepresentation.h"
#include "window/frmDecile.h"

namespace lrv {

void LogisticRegression::SetOriginalSamplings(std::int32_t trainSampling, std::int32_t testSampling)
{
    m_trainSampling = trainSampling;
    m_testSampling = testSampling;
}

void LogisticRegression::ShowAnalysis(std::shared_ptr<IRun>& run, std::int32_t selected, QWidget* parentForm)
{
    registerControls();
    auto window = std::make_unique<frmDecile>(parentForm);
    window->Init(run, selected, m_trainSampling, m_testSampling);
    window->exec();
}

void LogisticRegression::RemoveAnalysis(const QString& runPath)
{
    std::unique_ptr<RunStore> store = HostCore::get().createRunStore();
    store->Remove(runPath);
}

bool LogisticRegression::ChangeClasses(const QString& runPath, bool hasTrainingSet, QWidget* parentForm)
{
    registerControls();
    std::unique_ptr<frmClassRepresentation> dialog;
    // A failing step does not stop the next one; the host never sees an error from here.
    bestEffort([&] { dialog = std::make_unique<frmClassRepresentation>(parentForm); });
    bestEffort([&] {
        if (dialog)
            dialog->Init(runPath, hasTrainingSet);
    });
    bestEffort([&] {
        if (dialog)
            dialog->exec();
    });
    m_invertClassRepresentation = dialog && dialog->InvertClassRepresentation();
    return dialog && dialog->OKPressed();
}

bool LogisticRegression::ChangeClasses2(
    const QString& runPath, bool hasTrainingSet, QWidget* parentForm, std::shared_ptr<IConfiguration>& configuration)
{
    HostConfiguration::set(configuration);
    return ChangeClasses(runPath, hasTrainingSet, parentForm);
}

void LogisticRegression::Init(std::shared_ptr<IConfiguration>& configuration) { HostConfiguration::set(configuration); }

} // namespace lrv
