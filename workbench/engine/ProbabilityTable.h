#pragma once

#include "engine/CellTable.h"
#include "engine/LogisticModel.h"
#include "engine/RankedRecords.h"
#include "host/ResultLayout.h"

#include <memory>

namespace wb::engine {

/// The probabilities of the logistic model, one row per record: the calculation-error rows first, then the
/// valid records in ascending output order.
template <class Ranking> class ProbabilityTableOf : public CellTable {
public:
    ProbabilityTableOf(std::shared_ptr<const Ranking> ranked, LogisticModel model);

    double cell(std::int64_t rowOffset, int colOffset) const override;

private:
    std::shared_ptr<const Ranking> m_ranked;
    LogisticModel m_model;
    int m_errorRowClass; ///< the most likely class of the first valid row, so error rows show no class change
};

using ProbabilityTable = ProbabilityTableOf<RankedRecords>;

} // namespace wb::engine
