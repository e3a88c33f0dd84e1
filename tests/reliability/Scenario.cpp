#include "Scenario.h"

#include "presenters/CalculatePresenter.h"
#include "presenters/DatasetCache.h"
#include "run/Run.h"
#include "workbench/Program.h"

#include <gtest/gtest.h>

namespace wb::test {

namespace {
    const QByteArray runText = R"({
  "format": 1,
  "kind": 2,
  "targetColumn": "target",
  "idColumn": "id",
  "training": "data.csv",
  "models": [ { "id": 1, "output": "score", "name": "Scored" } ],
  "currentModel": 1,
  "classEncoding": { "training": { "min": 0, "max": 1, "invert": false } },
  "parameters": { "set_lr#Buckets": { "type": 3, "value": 2 } }
}
)";
}

Scenario::Scenario(const QByteArray& csv)
    : m_run(runText)
{
    writeFile(csvPath(), csv);
    writeFile(runPath(), m_run);
}

RecordingCalculateView Scenario::calculate(const QString& buckets)
{
    DatasetCache::clear();
    RecordingCalculateView view;
    view.modelId = 1;
    view.dataSet = 1;
    view.buckets = buckets;
    std::shared_ptr<lrv::IRun> run = Run::open(runPath());
    const auto presenter = std::make_shared<CalculatePresenter>();
    presenter->Init(view, run);
    EXPECT_NO_THROW(presenter->Calculate());
    presenter->Terminate(true);
    DatasetCache::clear();
    return view;
}

bool Scenario::runUnchanged() const { return readFile(runPath()) == m_run; }

QString Scenario::onlyError(const RecordingCalculateView& view)
{
    EXPECT_EQ(view.errors.size(), 1u);
    return view.errors.empty() ? QString() : view.errors.front();
}

} // namespace wb::test
