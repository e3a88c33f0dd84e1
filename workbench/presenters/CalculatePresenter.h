#pragma once

#include "host/Presenters.h"

#include <memory>

namespace wb {

class Run;

/// Runs one calculation of the engine for the window's model, dataset and buckets, and drives the view
/// through its calculating mode, progress and results, always back to idle mode.
class CalculatePresenter : public lrv::CalculatePresenter,
                           public lrv::ICalculateListener,
                           public lrv::ITerminable,
                           public std::enable_shared_from_this<CalculatePresenter> {
public:
    /// Keeps the view and the run, and registers with the view when it is an lrv::IListener. The
    /// presenter must be owned by a shared_ptr.
    void Init(lrv::CalculateViewInter& view, std::shared_ptr<lrv::IRun>& run) override;
    /// Never throws: every failure reaches the user through ShowError or ShowBucketValueError.
    void Calculate() override;
    void Terminate(bool force) override;

private:
    void calculate(lrv::CalculateViewInter& view, const std::shared_ptr<const Run>& run);

    lrv::CalculateViewInter* m_view = nullptr;
    std::shared_ptr<lrv::IRun> m_run;
};

} // namespace wb
