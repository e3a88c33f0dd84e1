#pragma once

#include "host/IHostCore.h"
#include "host/IRun.h"

#include <functional>
#include <map>
#include <memory>
#include <vector>

#include <QStringList>

namespace lrv::test {

/// A model with the figures a test gives it.
struct FakeModel : IModel {
    std::int32_t modelId = 1;
    double trainR2 = 0.5;
    double trainAccuracy = 80;
    double validR2 = 0.4;
    double validAccuracy = 75;

    std::int32_t id() const override { return modelId; }
    double trainingRSquare() const override { return trainR2; }
    double trainingAccuracy() const override { return trainAccuracy; }
    double validationRSquare() const override { return validR2; }
    double validationAccuracy() const override { return validAccuracy; }
};

/// A run held in memory: models with ids 1..n, integer parameters, a training and (unless told otherwise) a
/// validation dataset. It records which of its parts were asked for; positions out of range throw as the
/// host's collection does.
class FakeRun : public IRun, public IModels, public IRunParameters, public std::enable_shared_from_this<FakeRun> {
public:
    explicit FakeRun(QString path = QStringLiteral("/runs/credit.run"), int models = 1);

    FakeModel& model(int index = 0) { return *m_models.at(std::size_t(index)); }

    // IRun
    std::shared_ptr<IModels> models() const override;
    std::int32_t kindCode() const override { return kind; }
    std::shared_ptr<IRunParameters> parameters() const override;
    QString filePath() const override { return m_path; }
    std::shared_ptr<IDataSet> dataSet(int index) const override;

    // IModels
    int count() const override { return int(m_models.size()); }
    int currentPosition() const override { return m_current + 1; }
    void setCurrentPosition(int position) override;
    void setCurrentIndex(int index) override;
    std::shared_ptr<IModel> current() const override;
    std::shared_ptr<IModel> item(int index) const override { return m_models.at(std::size_t(index)); }

    // IRunParameters
    bool FindOrdinal(const QString& key) const override { return values.count(key) > 0; }
    RunParameter item(const QString& key) const override;
    void set(const QString& key, std::int32_t type, const Variant& value) override;

    std::map<QString, Variant> values;
    std::int32_t kind = 2;
    std::int32_t records = 200;
    bool hasValidation = true;
    /// setCurrentPosition fails as a locked run file does.
    bool failPositions = false;
    int positionCalls = 0;
    mutable QStringList log;

private:
    QString m_path;
    std::vector<std::shared_ptr<FakeModel>> m_models;
    int m_current = 0;
};

/// What the scripted run stores were asked, and how they answer.
struct RunStoreScript {
    struct Write {
        double min;
        double max;
        QString runPath;
        int dataSet;
        bool invert;
    };
    ClassEncoding stored { 0, 1, false };
    bool failReads = false;
    bool failWrites = false;
    std::vector<Write> writes;
};

/// A host core whose presenters and run stores run scripts: the load presenter fills the lists, the
/// calculation presenter runs `calculation` on the view, the run stores follow `store`.
class ScriptedHostCore : public IHostCore {
public:
    std::shared_ptr<DecileLoadPresenter> createLoadPresenter() override;
    std::shared_ptr<CalculatePresenter> createCalculatePresenter() override;
    std::unique_ptr<RunStore> createRunStore() override;
    std::shared_ptr<HostEnvironment> hostEnvironment() override { return nullptr; }

    /// Installs a fresh one as the library's host core.
    static std::shared_ptr<ScriptedHostCore> install();

    std::function<void(CalculateViewInter&)> calculation;
    /// Runs inside Load, after the lists are filled, while the window is still loading.
    std::function<void()> whileLoading;
    int calculations = 0;
    /// False: the calculation never enters calculating nor idle mode, as a host that refuses at once.
    bool modes = true;
    /// The model the load presenter selects; -1 the first.
    std::int32_t selectedId = -1;
    std::vector<std::int32_t> modelIds { 1, 2, 3 };
    std::int32_t buckets = 10;
    std::int32_t dataSet = 1;
    std::shared_ptr<FakeRun> run;
    std::shared_ptr<RunStoreScript> store = std::make_shared<RunStoreScript>();
};

} // namespace lrv::test
