#include "common/ScriptedHost.h"

#include "support/Error.h"

namespace lrv::test {

namespace {
    class FakeDataSet : public IDataSet {
    public:
        explicit FakeDataSet(std::int32_t count)
            : m_count(count)
        {
        }
        std::int32_t count() const override { return m_count; }

    private:
        std::int32_t m_count;
    };

    class LoadPresenter : public DecileLoadPresenter,
                          public ILoadListener,
                          public std::enable_shared_from_this<LoadPresenter> {
    public:
        explicit LoadPresenter(ScriptedHostCore& core)
            : m_core(core)
        {
        }
        void SetView(DecileLoadViewInter& view) override
        {
            m_view = &view;
            if (auto* listener = dynamic_cast<IListener*>(&view))
                listener->SetListener(shared_from_this());
        }
        void Load(std::shared_ptr<IRun>& run) override
        {
            if (m_core.run)
                m_core.run->log << "Load";
            QStringList texts;
            for (std::int32_t id : m_core.modelIds)
                texts << QStringLiteral("Model %1 - RS: 0.5").arg(id);
            m_view->SetModels(texts, Vector<std::int32_t>(0, m_core.modelIds),
                m_core.selectedId == -1 ? m_core.modelIds.front() : m_core.selectedId);
            m_view->SelectDataSet(m_core.dataSet);
            m_view->SetBuckets(m_core.buckets);
            m_view->SetDecileTable(Table<Variant>());
            if (m_core.whileLoading)
                m_core.whileLoading();
            (void)run;
        }

    private:
        ScriptedHostCore& m_core;
        DecileLoadViewInter* m_view = nullptr;
    };

    class CalcPresenter : public CalculatePresenter,
                          public ICalculateListener,
                          public ITerminable,
                          public std::enable_shared_from_this<CalcPresenter> {
    public:
        explicit CalcPresenter(ScriptedHostCore& core)
            : m_core(core)
        {
        }
        void Init(CalculateViewInter& view, std::shared_ptr<IRun>&) override
        {
            m_view = &view;
            if (auto* listener = dynamic_cast<IListener*>(&view))
                listener->SetListener(shared_from_this());
        }
        void Calculate() override
        {
            ++m_core.calculations;
            if (m_core.modes)
                m_view->SetCalculationMode();
            if (m_core.calculation)
                m_core.calculation(*m_view);
            if (m_core.modes)
                m_view->SetIdleMode();
        }
        void Terminate(bool) override { m_view = nullptr; }

    private:
        ScriptedHostCore& m_core;
        CalculateViewInter* m_view = nullptr;
    };

    class ScriptedRunStore : public RunStore {
    public:
        explicit ScriptedRunStore(std::shared_ptr<RunStoreScript> script)
            : m_script(std::move(script))
        {
        }
        void Remove(const QString&) override { }
        ClassEncoding GetClassEncoding(const QString& runPath, int) override
        {
            if (m_script->failReads)
                throw Error(QStringLiteral("Cannot read %1: the file does not exist.").arg(runPath));
            return m_script->stored;
        }
        void SetClassEncoding(double min, double max, const QString& runPath, int dataSet, bool invert) override
        {
            if (m_script->failWrites)
                throw Error(QStringLiteral("Cannot write %1: permission denied.").arg(runPath));
            m_script->writes.push_back({ min, max, runPath, dataSet, invert });
        }

    private:
        std::shared_ptr<RunStoreScript> m_script;
    };
}

FakeRun::FakeRun(QString path, int models)
    : m_path(std::move(path))
{
    for (int i = 1; i <= models; ++i) {
        m_models.push_back(std::make_shared<FakeModel>());
        m_models.back()->modelId = i;
    }
}

void FakeRun::setCurrentPosition(int position)
{
    ++positionCalls;
    if (failPositions)
        throw Error(QStringLiteral("The run file is locked."));
    setCurrentIndex(position - 1);
}

void FakeRun::setCurrentIndex(int index)
{
    if (index < 0 || index >= count())
        throw Error(QStringLiteral("No model at index %1.").arg(index));
    m_current = index;
}

std::shared_ptr<IModel> FakeRun::current() const
{
    return m_models.empty() ? nullptr : m_models[std::size_t(m_current)];
}

std::shared_ptr<IModels> FakeRun::models() const
{
    log << "models";
    return std::const_pointer_cast<FakeRun>(shared_from_this());
}

std::shared_ptr<IRunParameters> FakeRun::parameters() const
{
    return std::const_pointer_cast<FakeRun>(shared_from_this());
}

std::shared_ptr<IDataSet> FakeRun::dataSet(int index) const
{
    if (index == 1 || (index == 2 && hasValidation))
        return std::make_shared<FakeDataSet>(records);
    return nullptr;
}

RunParameter FakeRun::item(const QString& key) const
{
    const auto found = values.find(key);
    if (found == values.end())
        throw Error(QStringLiteral("no parameter ") + key);
    return { RunParameterInt32, found->second };
}

void FakeRun::set(const QString& key, std::int32_t, const Variant& value)
{
    if (FindOrdinal(key))
        values[key] = value;
}

std::shared_ptr<DecileLoadPresenter> ScriptedHostCore::createLoadPresenter()
{
    return std::make_shared<LoadPresenter>(*this);
}

std::shared_ptr<CalculatePresenter> ScriptedHostCore::createCalculatePresenter()
{
    return std::make_shared<CalcPresenter>(*this);
}

std::unique_ptr<RunStore> ScriptedHostCore::createRunStore() { return std::make_unique<ScriptedRunStore>(store); }

std::shared_ptr<ScriptedHostCore> ScriptedHostCore::install()
{
    auto core = std::make_shared<ScriptedHostCore>();
    HostCore::install(core);
    return core;
}

} // namespace lrv::test
