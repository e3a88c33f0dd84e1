#include "run/Model.h"

namespace wb {

Model::Model(std::shared_ptr<RunDocument> document, std::size_t index)
    : m_document(std::move(document))
    , m_index(index)
{
}

const ModelRecord& Model::record() const { return m_document->models.at(m_index); }

std::int32_t Model::id() const { return record().id; }
double Model::trainingRSquare() const { return record().trainingFitness; }
double Model::trainingAccuracy() const { return record().trainingAccuracy; }
double Model::validationRSquare() const { return record().validationFitness; }
double Model::validationAccuracy() const { return record().validationAccuracy; }
QString Model::outputColumn() const { return record().outputColumn; }
QString Model::name() const { return record().name.isEmpty() ? record().outputColumn : record().name; }

} // namespace wb
