#pragma once

#include "host/IHostCore.h"
#include "support/Error.h"

#include <memory>
#include <vector>

namespace lrv::test {

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

/// A host core whose run stores follow one script; it makes no presenters.
class ScriptedHostCore : public IHostCore {
public:
    std::shared_ptr<DecileLoadPresenter> createLoadPresenter() override { return nullptr; }
    std::shared_ptr<CalculatePresenter> createCalculatePresenter() override { return nullptr; }
    std::unique_ptr<RunStore> createRunStore() override { return std::make_unique<ScriptedRunStore>(script); }
    std::shared_ptr<HostEnvironment> hostEnvironment() override { return nullptr; }

    std::shared_ptr<RunStoreScript> script = std::make_shared<RunStoreScript>();
};

} // namespace lrv::test
