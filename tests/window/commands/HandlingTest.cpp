// The window as a person handles it: after a failure, with Enter, Escape and the wheel, during a
// calculation, and from the keyboard.
#include "CommandWindow.h"
#include "reports/ReportGrid.h"
#include "window/AnalysisTabs.h"
#include "window/ModelSelector.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTest>
#include <QWheelEvent>

namespace lrv::test {
namespace {

    class Handling : public CommandWindow {
    protected:
        void SetUp() override
        {
            CommandWindow::SetUp();
            core->calculation = [this](CalculateViewInter& view) { models.push_back(view.GetModelId()); };
        }

        /// The controls a user chooses with, and Close.
        static std::vector<QWidget*> choiceControls(frmDecile& window)
        {
            std::vector<QWidget*> controls;
            for (const char* name : { "cmbModels", "cmbDataset", "cmbBuckets", "chkSynchro", "ctlModelSelector",
                     "HelpControl", "cmdClose" })
                controls.push_back(find<QWidget>(window, name));
            return controls;
        }

        static void expectUsable(frmDecile& window, bool usable)
        {
            for (QWidget* control : choiceControls(window))
                EXPECT_EQ(control->isEnabled(), usable) << control->objectName().toStdString();
        }

        static void turnWheel(QWidget* over)
        {
            const QPointF at = over->rect().center();
            QWheelEvent wheel(
                at, over->mapToGlobal(at), {}, { 0, -120 }, Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
            QCoreApplication::sendEvent(over, &wheel);
        }

        std::vector<std::int32_t> models;
    };

    TEST_F(Handling, EveryWayAFirstCalculationEndsLeavesAWindowTheUserCanUse)
    {
        // A host that refuses before calculating mode, one that fails inside it, and one cancelled.
        const std::vector<std::function<void(CalculateViewInter&)>> endings = {
            [](CalculateViewInter& view) { view.ShowError("Every output is empty."); },
            [](CalculateViewInter& view) { view.ShowBucketValueError("Choose 2 to 1000 quantiles."); },
            [](CalculateViewInter& view) { view.CalculationCancelled(); },
        };
        for (bool modes : { false, true })
            for (std::size_t ending = 0; ending < endings.size(); ++ending) {
                SCOPED_TRACE(testing::Message() << "modes " << modes << ", ending " << ending);
                core->modes = modes;
                core->calculations = 0;
                core->calculation = endings[ending];
                auto window = openShown();
                EXPECT_EQ(window->state(), WindowState::Failed);
                expectUsable(*window, true);
                core->calculation = {};
                pickFromList(find<QComboBox>(*window, "cmbModels"), 1);
                EXPECT_EQ(core->calculations, 2) << "another model calculates";
            }
    }

    TEST_F(Handling, OnlyCloseAndTheCloseBoxCloseTheWindow)
    {
        core->calculation = [&](CalculateViewInter&) {
            // Typed while the results are computed, handled when they have arrived.
            QCoreApplication::postEvent(
                opening->findChild<QCheckBox*>("chkSynchro"), new QKeyEvent(QEvent::KeyPress, Qt::Key_Return, {}));
        };
        auto window = openShown();
        core->calculation = {};
        QCoreApplication::processEvents();
        ASSERT_TRUE(window->isVisible());
        for (const char* focus : { "chkSynchro", "cmbDataset", "cmdClose" })
            for (Qt::Key key : { Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape }) {
                SCOPED_TRACE(testing::Message() << focus << " " << key);
                QTest::keyClick(find<QWidget>(*window, focus), key);
                ASSERT_TRUE(window->isVisible());
            }
        QTest::keyClick(find<QComboBox>(*window, "cmbBuckets")->lineEdit(), Qt::Key_Return);
        EXPECT_EQ(core->calculations, 2) << "Enter in the quantiles box calculates";
        QTest::mouseClick(find<QPushButton>(*window, "cmdClose"), Qt::LeftButton);
        EXPECT_FALSE(window->isVisible());
    }

    TEST_F(Handling, DuringACalculationChoicesWaitAndTheCloseBoxStopsIt)
    {
        std::unique_ptr<frmDecile> window;
        bool closeRequested = false;
        std::vector<bool> cancelledAfterClose;
        core->modes = false; // the stretch before calculating mode: reading the data
        core->calculation = [&](CalculateViewInter& view) {
            if (!closeRequested)
                return;
            view.SetCalculationPhase(CalculateViewInter::Phase::Reading);
            expectUsable(*window, false);
            EXPECT_EQ(window->state(), WindowState::Reading);
            turnWheel(window->findChild<QComboBox*>("cmbModels"));
            window->close();
            view.NotifyProgress(0);
            cancelledAfterClose.push_back(view.GetUserCancelled());
            EXPECT_TRUE(window->isVisible()) << "the window waits for the calculation to stop";
        };
        window = openShown();
        expectUsable(*window, true);
        closeRequested = true;
        QTest::keyClick(find<QComboBox>(*window, "cmbBuckets")->lineEdit(), Qt::Key_Return);
        EXPECT_EQ(cancelledAfterClose, std::vector<bool> { true });
        EXPECT_FALSE(window->isVisible()) << "closed once the calculation stopped";
        EXPECT_EQ(core->calculations, 2);
    }

    TEST_F(Handling, TheWheelChangesNoChoiceAndTypedCountsStayAsTyped)
    {
        auto window = openShown();
        auto* buckets = find<QComboBox>(*window, "cmbBuckets");
        pickFromList(buckets, "75");
        ASSERT_EQ(core->calculations, 2);
        for (const char* name : { "cmbModels", "cmbDataset", "cmbBuckets" }) {
            auto* list = find<QComboBox>(*window, name);
            const QString before = list->currentText();
            turnWheel(list);
            EXPECT_EQ(list->currentText(), before) << name;
        }
        EXPECT_EQ(core->calculations, 2) << "the wheel starts nothing";

        QLineEdit* text = buckets->lineEdit();
        std::vector<QString> asked;
        core->calculation = [&](CalculateViewInter& view) { asked.push_back(view.GetBuckets()); };
        for (const char* typed : { "7", "1", "abc" }) {
            text->selectAll();
            QTest::keyClicks(text, typed);
            QTest::keyClick(text, Qt::Key_Return);
        }
        EXPECT_EQ(asked, (std::vector<QString> { "7", "1", "abc" }));
        EXPECT_EQ(run->values["set_lr#Buckets"].toDouble(), 1) << "a text that is no number keeps the last count";
    }

    TEST_F(Handling, TheModelSelectorFollowsTheListAndNoIdSelectsNoEntry)
    {
        auto window = openShown();
        pickFromList(find<QComboBox>(*window, "cmbModels"), 2);
        EXPECT_EQ(find<QLineEdit>(*window, "txCurrentModel")->text(), "3");
        EXPECT_EQ(models, (std::vector<std::int32_t> { 1, 3 }));

        core->selectedId = 42;
        EXPECT_EQ(find<QComboBox>(*open(), "cmbModels")->currentIndex(), -1);
    }

    TEST_F(Handling, CtrlTabAndCtrlPageKeysSwitchTheTabsOfTheFocusedArea)
    {
        auto window = openShown();
        auto* reports = find<QTabBar>(*window, "ssReports");
        auto* charts = find<QTabBar>(*window, "ssCharts");
        auto* grid = find<ReportGrid>(*window, "rcDecile");
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
        grid->setFocus();
        ASSERT_NE(QApplication::focusWidget(), nullptr);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, Qt::ControlModifier);
        EXPECT_EQ(reports->currentIndex(), 1);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_PageDown, Qt::ControlModifier);
        EXPECT_EQ(reports->currentIndex(), 2);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_PageUp, Qt::ControlModifier);
        EXPECT_EQ(reports->currentIndex(), 1);
        EXPECT_EQ(charts->currentIndex(), 0) << "the charts follow only when synchronised";
        charts->setFocus();
        QTest::keyClick(charts, Qt::Key_PageDown, Qt::ControlModifier);
        EXPECT_EQ(charts->currentIndex(), 1);
    }

    TEST_F(Handling, AtTheSmallestSizeNoButtonCoversAChoiceAndLegendValuesShowWhole)
    {
        core->calculation = [](CalculateViewInter& view) {
            view.ShowROC(Table<double>(), 0.2199404612345678, 1);
            double area = -0.7659041234567891, quality = 4.50662227616609e-05;
            view.SetGainsChart(Table<Variant>(), area, quality);
            view.SetLiftChart(Table<Variant>(), Vector<double>(0, { -0.7659041234567, 12345.678901234, 0.1, 1e-7 }));
            view.SetLogOddsStats(-1234.56789012345, 98765.4321012345, 0.123456789012345, false);
        };
        auto window = openShown();
        window->resize(window->minimumSize());
        QCoreApplication::processEvents();
        for (const char* button : { "HelpControl", "cmdClose" })
            for (const char* choice : { "cmbModels", "ctlModelSelector", "cmbDataset", "cmbBuckets", "chkSynchro" })
                EXPECT_FALSE(
                    find<QWidget>(*window, button)->geometry().intersects(find<QWidget>(*window, choice)->geometry()))
                    << button << " covers " << choice;
        const std::pair<int, const char*> legends[]
            = { { 1, "picROCLegend" }, { 3, "picGainsLegend" }, { 4, "picLiftLegend" }, { 5, "picLogOddsLegend" } };
        for (const auto& [tab, name] : legends) {
            find<QTabBar>(*window, "ssCharts")->setCurrentIndex(tab);
            QCoreApplication::processEvents();
            for (QLabel* label : find<QWidget>(*window, name)->findChildren<QLabel*>()) {
                if (!label->isVisible())
                    continue;
                EXPECT_GE(label->width(), label->sizeHint().width()) << name << ": " << label->text().toStdString();
            }
        }
    }

    TEST_F(Handling, EachTabShowsItsChartWithItsSideControlsBesideAndHidesTheOthers)
    {
        auto window = openShown();
        window->resize(window->minimumSize());
        const std::vector<AnalysisTab>& tabs = analysisTabs();
        for (std::size_t shown = 0; shown < tabs.size(); ++shown) {
            SCOPED_TRACE(tabs[shown].caption);
            find<QTabBar>(*window, "ssCharts")->setCurrentIndex(int(shown));
            QCoreApplication::processEvents();
            EXPECT_EQ(find<QTabBar>(*window, "ssCharts")->tabText(int(shown)), tabs[shown].caption);
            QWidget* chart = find<QWidget>(*window, tabs[shown].chart.objectName);
            EXPECT_TRUE(chart->isVisible());
            std::vector<QRect> taken { chart->geometry() };
            for (const char* name : tabs[shown].sideControls) {
                QWidget* side = find<QWidget>(*window, name);
                EXPECT_TRUE(side->isVisible()) << name;
                for (const QRect& other : taken)
                    EXPECT_FALSE(side->geometry().intersects(other)) << name << " covers the chart or another control";
                EXPECT_LE(side->geometry().right(), chart->parentWidget()->width()) << name;
                taken.push_back(side->geometry());
            }
            for (std::size_t other = 0; other < tabs.size(); ++other) {
                if (other == shown)
                    continue;
                for (const char* name : tabs[other].sideControls)
                    EXPECT_FALSE(find<QWidget>(*window, name)->isVisible()) << name;
            }
        }
    }

}
} // namespace lrv::test
