#pragma once

#include "host/IRunParameters.h"
#include "run/RunDocument.h"

#include <memory>

namespace wb {

/// The parameters of a run, kept in the run's document.
class RunParameters : public lrv::IRunParameters {
public:
    explicit RunParameters(std::shared_ptr<RunDocument> document);

    bool FindOrdinal(const QString& key) const override;
    lrv::RunParameter item(const QString& key) const override;
    void set(const QString& key, std::int32_t type, const lrv::Variant& value) override;

    /// Adds a parameter the run lacks; one it holds keeps its value.
    void add(const QString& key, const lrv::RunParameter& parameter);

    /// The value of a key as a whole number, or the fallback when the key is absent or not a number.
    std::int32_t integer(const QString& key, std::int32_t fallback) const;

private:
    std::shared_ptr<RunDocument> m_document;
};

} // namespace wb
