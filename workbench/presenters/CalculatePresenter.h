#pragma once

#include "host/ChosenCutoff.h"
#include "host/Presenters.h"

#include <memory>

namespace wb::engine {
struct Analysis;
}

namespace wb {

class CutoffChooser;
class Run;

/// Runs one calculation of the engine for the window's model, dataset and buckets, and drives the view
/// through its calculating mode, progress and results, always back to idle mode.
class CalculatePresenter : public lrv::CalculatePresenter,
                           public lrv::ICalculateListener,
                           public lrv::ICutoffListener,
                           public lrv::ITerminable,
                           public std::enable_shared_from_this<CalculatePresenter> {
public:
    /// Keeps the view and the run, and registers with the view when it is an lrv::IListener. The
    /// presenter must be owned by a shared_ptr.
    void Init(lrv::CalculateViewInter& view, std::shared_ptr<lrv::IRun>& run) override;
    /// Never throws: every failure reaches the user through ShowError or ShowBucketValueError.
    void Calculate() override;
    void Terminate(bool force) override;
    /// Answers from the last calculation that delivered its results; throws lrv::Error before one has.
    lrv::ChosenCutoffFigures ChooseCutoff(const QString& rule) override;

private:
    void calculate(lrv::CalculateViewInter& view, const std::shared_ptr<const Run>& run);
    /// The kept rule's figures to the view, or why there are none.
    void deliverChosenCutoff(lrv::CalculateViewInter& view, const engine::Analysis& analysis,
        const std::shared_ptr<const Run>& run, std::int32_t modelId, int dataSet);

    lrv::CalculateViewInter* m_view = nullptr;
    std::shared_ptr<lrv::IRun> m_run;
    std::shared_ptr<CutoffChooser> m_chooser;
};

} // namespace wb
