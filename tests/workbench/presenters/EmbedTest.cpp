// wb::showAnalysis as a host calls it. The embedding calls live only in the shared workbench library, which
// holds its own copy of the layers below (linked in, it would clash with this executable's static ones): the
// test loads it at run time, as a plug-in host would, and finds the calls by their C++ names.
#include "common/FakePlatform.h"
#include "host/IRun.h"
#include "run/RunFile.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QLibrary>
#include <QPushButton>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

TEST(Embed, ShowAnalysisSavesTheChoicesMadeInTheWindowWhenItCloses)
{
    QLibrary workbench(QCoreApplication::applicationDirPath() + "/../workbench/libVNRK5LGAnViewsWorkbench.so");
    ASSERT_TRUE(workbench.load()) << workbench.errorString().toStdString();
    const auto installHost = reinterpret_cast<void (*)()>(workbench.resolve("_ZN2wb11installHostEv"));
    const auto openRun = reinterpret_cast<std::shared_ptr<lrv::IRun> (*)(const QString&)>(
        workbench.resolve("_ZN2wb7openRunERK7QString"));
    const auto showAnalysis = reinterpret_cast<void (*)(const std::shared_ptr<lrv::IRun>&, std::int32_t, QWidget*)>(
        workbench.resolve("_ZN2wb12showAnalysisERKSt10shared_ptrIN3lrv4IRunEEiP7QWidget"));
    ASSERT_TRUE(installHost && openRun && showAnalysis);
    lrv::test::FakePlatform::installFresh();
    installHost();
    QTemporaryDir dir;
    const QString data = QStringLiteral(LRV_TEST_DATA "/workbench/");
    for (const char* name : { "small.run", "train.csv", "valid.csv" })
        ASSERT_TRUE(QFile::copy(data + name, dir.filePath(name)));
    const QString path = dir.filePath("small.run");
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);

    // The user picks the fourth chart tab once the calculation has ended (Close is enabled), then closes.
    int closed = 0;
    QTimer user;
    QObject::connect(&user, &QTimer::timeout, [&] {
        QWidget* window = QApplication::activeModalWidget();
        auto* close = window ? window->findChild<QPushButton*>("cmdClose") : nullptr;
        if (!close || !close->isEnabled())
            return;
        auto* tabs = window->findChild<QTabBar*>("ssCharts");
        QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(3).center());
        QTest::mouseClick(close, Qt::LeftButton);
        ++closed;
    });
    user.start(50);
    showAnalysis(openRun(path), -1, nullptr);
    user.stop();
    EXPECT_EQ(closed, 1);
    EXPECT_EQ(wb::RunFile::load(path).parameters.at("set_lr#SelectedChart").value.toDouble(), 1132);
}
