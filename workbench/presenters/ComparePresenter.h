#pragma once

#include "host/CompareViewInter.h"

namespace wb {

/// Compares every model of a workbench run on one dataset (compareModels) and shows the result in the
/// window's comparison view, the picture drawn by the same routine as `vantorix-lr compare`'s.
class ComparePresenter : public lrv::ComparePresenter {
public:
    void Compare(lrv::CompareViewInter& view, std::shared_ptr<lrv::IRun>& run, std::int32_t dataSet) override;
};

} // namespace wb
