#pragma once

#include "host/IConfigurationConsumer.h"
#include "host/IRun.h"

#include <cstdint>
#include <memory>

#include <QString>

class QWidget;

namespace lrv {

/// The library's public entry object: the host opens the analysis of a run, changes how the classes are
/// represented, removes a stored analysis and says which sampling was used.
class LogisticRegression : public IConfigurationConsumer {
public:
    bool InvertClassRepresentation() const { return m_invertClassRepresentation; }
    /// The host's sampling values for the windows opened from now on.
    void SetOriginalSamplings(std::int32_t trainSampling, std::int32_t testSampling);
    /// Opens the analysis window modally over parentForm; returns when it is closed. selected is a chart
    /// code 1129..1136, or -1 for the one stored in the run. Failures reach the caller as lrv::Error.
    void ShowAnalysis(std::shared_ptr<IRun>& run, std::int32_t selected, QWidget* parentForm);
    void RemoveAnalysis(const QString& runPath);
    /// Runs the class-encoding dialog modally; true when the user confirmed it. Never fails.
    bool ChangeClasses(const QString& runPath, bool hasTrainingSet, QWidget* parentForm);
    /// Replaces the library-wide configuration, then ChangeClasses.
    bool ChangeClasses2(const QString& runPath, bool hasTrainingSet, QWidget* parentForm,
        std::shared_ptr<IConfiguration>& configuration);

    // IConfigurationConsumer
    void Init(std::shared_ptr<IConfiguration>& configuration) override;

private:
    std::int32_t m_trainSampling = 0;
    std::int32_t m_testSampling = 0;
    bool m_invertClassRepresentation = false;
};

} // namespace lrv
