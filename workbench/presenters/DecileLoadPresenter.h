#pragma once

#include "host/Presenters.h"

#include <memory>

namespace wb {

/// Fills the window's model, dataset and bucket lists from a run.
class DecileLoadPresenter : public lrv::DecileLoadPresenter,
                            public lrv::ILoadListener,
                            public std::enable_shared_from_this<DecileLoadPresenter> {
public:
    /// Keeps the view and registers with it when it is an lrv::IListener. The presenter must be owned
    /// by a shared_ptr.
    void SetView(lrv::DecileLoadViewInter& view) override;
    void Load(std::shared_ptr<lrv::IRun>& run) override;

    /// The model list's text: "Model 3 - RS: 0.123456", or the accuracy for classification kinds (1, 4).
    static QString modelText(const lrv::IModel& model, std::int32_t kind);

private:
    lrv::DecileLoadViewInter* m_view = nullptr;
};

} // namespace wb
