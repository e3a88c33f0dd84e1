#pragma once

#include "workbench/presenters/RecordingViews.h"

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

namespace wb::test {

/// A run file and its training CSV in a fresh folder, calculated the way the analysis window does it.
/// The run names the columns "id", "target" and "score" (model 1) with the class encoding 0/1.
class Scenario {
public:
    explicit Scenario(const QByteArray& csv);

    QString runPath() const { return m_dir.filePath("bad.run"); }
    QString csvPath() const { return m_dir.filePath("data.csv"); }
    QString folder() const { return m_dir.path(); }

    /// Init, Calculate, Terminate with a recording view asking for model 1 of the training dataset.
    RecordingCalculateView calculate(const QString& buckets = "2");
    /// True when the run file holds the bytes it was written with.
    bool runUnchanged() const;
    /// The only message the view was shown; fails the test when there was not exactly one.
    static QString onlyError(const RecordingCalculateView& view);

private:
    QTemporaryDir m_dir;
    QByteArray m_run;
};

} // namespace wb::test
