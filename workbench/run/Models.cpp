#include "run/Models.h"

#include "support/Error.h"

namespace wb {

Models::Models(std::shared_ptr<RunDocument> document)
    : m_document(std::move(document))
{
    for (std::size_t i = 0; i < m_document->models.size(); ++i)
        m_models.push_back(std::make_shared<Model>(m_document, i));
}

int Models::count() const { return int(m_models.size()); }

int Models::currentPosition() const
{
    for (std::size_t i = 0; i < m_models.size(); ++i)
        if (m_models[i]->id() == m_document->currentModel)
            return int(i) + 1;
    // A current id that names no model falls back to the first, as a run without currentModel does.
    return m_models.empty() ? 0 : 1;
}

void Models::setCurrentPosition(int position) { setCurrentIndex(position - 1); }

void Models::setCurrentIndex(int index)
{
    if (index < 0 || index >= count())
        throw lrv::Error(
            QStringLiteral("There is no model number %1: the run has %2 models.").arg(index + 1).arg(count()));
    m_document->currentModel = m_models[std::size_t(index)]->id();
}

std::shared_ptr<lrv::IModel> Models::current() const
{
    const int position = currentPosition();
    return position > 0 ? m_models[std::size_t(position - 1)] : nullptr;
}

std::shared_ptr<lrv::IModel> Models::item(int index) const { return model(index); }

std::shared_ptr<Model> Models::model(int index) const
{
    if (index < 0 || index >= count())
        throw lrv::Error(
            QStringLiteral("There is no model number %1: the run has %2 models.").arg(index + 1).arg(count()));
    return m_models[std::size_t(index)];
}

std::shared_ptr<Model> Models::find(std::int32_t id) const
{
    for (const auto& model : m_models)
        if (model->id() == id)
            return model;
    return nullptr;
}

} // namespace wb
