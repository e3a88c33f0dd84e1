#pragma once

#include "host/IModel.h"
#include "run/RunDocument.h"

#include <memory>

namespace wb {

/// A model of a run, read from the run's document.
class Model : public lrv::IModel {
public:
    Model(std::shared_ptr<RunDocument> document, std::size_t index);

    std::int32_t id() const override;
    double trainingRSquare() const override;
    double trainingAccuracy() const override;
    double validationRSquare() const override;
    double validationAccuracy() const override;

    QString outputColumn() const;
    /// The name, or the output column when the model has none.
    QString name() const;

private:
    const ModelRecord& record() const;

    std::shared_ptr<RunDocument> m_document;
    std::size_t m_index;
};

} // namespace wb
