#pragma once

#include "host/IModels.h"
#include "run/Model.h"

#include <memory>
#include <vector>

namespace wb {

/// The models of a run; the current model is the document's currentModel.
class Models : public lrv::IModels {
public:
    explicit Models(std::shared_ptr<RunDocument> document);

    int count() const override;
    int currentPosition() const override;
    void setCurrentPosition(int position) override;
    void setCurrentIndex(int index) override;
    std::shared_ptr<lrv::IModel> current() const override;
    std::shared_ptr<lrv::IModel> item(int index) const override;

    /// The model with an id, or nothing.
    std::shared_ptr<Model> find(std::int32_t id) const;
    std::shared_ptr<Model> model(int index) const;

private:
    std::shared_ptr<RunDocument> m_document;
    std::vector<std::shared_ptr<Model>> m_models;
};

} // namespace wb
