// wb::showAnalysis as a host calls it: this executable links the shared workbench library alone, as a host does.
#include "common/FakePlatform.h"
#include "embed/Workbench.h"
#include "run/RunFile.h"
#include "workbench/Program.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QPushButton>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

TEST(Embed, ShowAnalysisSavesTheChoicesMadeInTheWindowWhenItCloses)
{
    lrv::test::FakePlatform::installFresh();
    wb::installHost();
    QTemporaryDir dir;
    const QString path = wb::test::copyFixtureRun(dir.path(), "small.run");

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
    wb::showAnalysis(wb::openRun(path), -1, nullptr);
    user.stop();
    EXPECT_EQ(closed, 1);
    EXPECT_EQ(wb::RunFile::load(path).parameters.at("set_lr#SelectedChart").value.toDouble(), 1132);
}
