#pragma once

#include "host/IHostCore.h"
#include "host/IRun.h"

#include <functional>
#include <map>
#include <memory>
#include <vector>

#include <QStringList>

namespace lrv::test {

/// A model with fixed figures.
class FakeModel : public IModel {
public:
    explicit FakeModel(std::int32_t id, double rSquare = 0.5)
        : m_id(id)
        , m_rSquare(rSquare)
    {
    }
    std::int32_t id() const override { return m_id; }
    double trainingRSquare() const override { return m_rSquare; }
    double trainingAccuracy() const override { return 80; }
    double validationRSquare() const override { return m_rSquare; }
    double validationAccuracy() const override { return 75; }

private:
    std::int32_t m_id;
    double m_rSquare;
};

/// A run held in memory that records which of its parts were asked for.
class FakeRun : public IRun, public IModels, public IRunParameters, public std::enable_shared_from_this<FakeRun> {
public:
    FakeRun(QString path, int models);

    // IRun
    std::shared_ptr<IModels> models() const override;
    std::int32_t kindCode() const override { return 2; }
    std::shared_ptr<IRunParameters> parameters() const override;
    QString filePath() const override { return m_path; }
    std::shared_ptr<IDataSet> dataSet(int index) const override;

    // IModels
    int count() const override { return int(m_models.size()); }
    int currentPosition() const override { return m_current + 1; }
    void setCurrentPosition(int position) override { m_current = position - 1; }
    void setCurrentIndex(int index) override { m_current = index; }
    std::shared_ptr<IModel> current() const override { return m_models[std::size_t(m_current)]; }
    std::shared_ptr<IModel> item(int index) const override { return m_models[std::size_t(index)]; }

    // IRunParameters
    bool FindOrdinal(const QString& key) const override { return values.count(key) > 0; }
    RunParameter item(const QString& key) const override;
    void set(const QString& key, std::int32_t type, const Variant& value) override;

    std::map<QString, Variant> values;
    std::int32_t records = 200;
    bool hasValidation = true;
    mutable QStringList log;

private:
    QString m_path;
    std::vector<std::shared_ptr<IModel>> m_models;
    int m_current = 0;
};

/// A host core whose presenters run scripts: the load presenter fills the lists, the calculation
/// presenter runs `calculation` on the view.
class ScriptedHostCore : public IHostCore {
public:
    std::shared_ptr<DecileLoadPresenter> createLoadPresenter() override;
    std::shared_ptr<CalculatePresenter> createCalculatePresenter() override;
    std::unique_ptr<RunStore> createRunStore() override { return nullptr; }
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
};

} // namespace lrv::test
