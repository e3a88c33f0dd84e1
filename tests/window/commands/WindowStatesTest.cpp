// The analysis window as a person meets it, shown (offscreen) and driven with key and mouse events through its
// states: loading, calculating, results, a failed calculation, the choices, the tabs, closing and reopening.
#include "WindowFixture.h"
#include "reports/ReportGrid.h"
#include "support/RegistryLib.h"
#include "window/HelpControl.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QWheelEvent>

namespace lrv::test {
namespace {

    /// What a calculation was asked to compute: model id, quantiles text, dataset.
    using Request = std::tuple<std::int32_t, QString, std::int16_t>;

    class WindowStates : public WindowFixture {
    protected:
        void SetUp() override
        {
            WindowFixture::SetUp();
            core->calculation = [this](CalculateViewInter& view) { record(view); };
        }

        void record(CalculateViewInter& view)
        {
            requests.emplace_back(view.GetModelId(), view.GetBuckets(), view.GetDataSet());
        }

        /// The controls a user chooses with, the help and Close: usable exactly when no calculation runs.
        static void expectChoicesUsable(frmDecile& window, bool usable)
        {
            for (const char* name : { "cmbModels", "cmbDataset", "cmbBuckets", "chkSynchro", "ctlModelSelector",
                     "HelpControl", "cmdClose" })
                EXPECT_EQ(find<QWidget>(window, name)->isEnabled(), usable) << name;
        }

        static void turnWheel(QWidget* over)
        {
            const QPointF at = over->rect().center();
            QWheelEvent wheel(
                at, over->mapToGlobal(at), {}, { 0, -120 }, Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
            QCoreApplication::sendEvent(over, &wheel);
        }

        /// Types into the quantiles box over what it holds, then presses `key` (none: only types).
        static void typeBuckets(frmDecile& window, const char* text, Qt::Key key = Qt::Key_Return)
        {
            QLineEdit* box = find<QComboBox>(window, "cmbBuckets")->lineEdit();
            box->selectAll();
            QTest::keyClicks(box, text);
            if (key != Qt::Key_unknown)
                QTest::keyClick(box, key);
        }

        std::vector<Request> requests;
    };

    TEST_F(WindowStates, LoadingFillsTheChoicesAndTheFirstCalculationWaitsForTheWindowToShow)
    {
        core->whileLoading = [&] {
            // Init is still running: these are the load presenter's own choices, and the display boxes
            // change no chart yet.
            opening->findChild<QComboBox*>("cmbDataset")->setCurrentIndex(1);
            opening->findChild<QComboBox*>("cmbModels")->setCurrentIndex(2);
            for (const char* name :
                { "ckCutoffNormalized", "chkShowLogisticCuttofPoint", "chkShowLcpLogFit", "chkShowPoints" })
                opening->findChild<QCheckBox*>(QString::fromLatin1(name))->click();
        };
        auto window = open();
        ASSERT_TRUE(run->log.contains("Load"));
        EXPECT_LT(run->log.indexOf("Load"), run->log.indexOf("models")) << "the statistics follow the load";
        EXPECT_EQ(find<QLabel>(*window, "lblModel")->toolTip(), "Total models: 3");
        EXPECT_EQ(window->state(), WindowState::StartUp);
        auto* cutoff = dynamic_cast<RecordingCutoffChart*>(window->findChild<QWidget*>("chCutoff"));
        auto* fit = dynamic_cast<RecordingFitChart*>(window->findChild<QWidget*>("lfChart"));
        ASSERT_TRUE(cutoff && fit);
        EXPECT_TRUE(cutoff->showOCP && cutoff->showLCP && fit->showLCP);
        EXPECT_EQ(cutoff->refreshes + fit->refreshes, 0);
        EXPECT_TRUE(requests.empty());

        window->show();
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();
        EXPECT_EQ(requests, (std::vector<Request> { { 3, "10", 2 } }));
        EXPECT_EQ(window->state(), WindowState::Idle);
        expectChoicesUsable(*window, true);

        core->whileLoading = {};
        core->selectedId = 42;
        EXPECT_EQ(find<QComboBox>(*open(), "cmbModels")->currentIndex(), -1) << "no entry has the id";
    }

    TEST_F(WindowStates, WithoutARunNothingCalculatesAndCloseStillCloses)
    {
        run = nullptr;
        core->run = nullptr;
        auto window = open();
        window->show();
        QCoreApplication::processEvents();
        EXPECT_EQ(core->calculations, 0);
        EXPECT_EQ(window->state(), WindowState::Failed);
        QTest::mouseClick(find<QPushButton>(*window, "cmdClose"), Qt::LeftButton);
        EXPECT_FALSE(window->isVisible());
    }

    TEST_F(WindowStates, ChoicesRecalculateOnlyWhenTheyChangeSomething)
    {
        core->modelIds = { 1, 2, 3, 3 };
        auto window = openShown();
        auto* models = find<QComboBox>(*window, "cmbModels");
        auto* dataSets = find<QComboBox>(*window, "cmbDataset");
        auto* buckets = find<QComboBox>(*window, "cmbBuckets");

        pickFromList(models, 0); // the current model
        pickFromList(models, 2);
        EXPECT_EQ(find<QLineEdit>(*window, "txCurrentModel")->text(), "3") << "the selector follows the list";
        pickFromList(models, 3); // another entry of the same model
        QTest::mouseClick(find<QToolButton>(*window, "updCurrentModelDown"), Qt::LeftButton);
        EXPECT_EQ(models->currentIndex(), 1) << "the selector's arrow picks the entry of its model";

        pickFromList(dataSets, "Training");
        pickFromList(dataSets, "Validation");
        EXPECT_EQ(run->values["set_lr#DataSet"].toDouble(), 2);
        pickFromList(dataSets, "Validation");

        pickFromList(buckets, "10");
        QTest::keyClick(buckets->lineEdit(), Qt::Key_Return); // Enter recalculates even with the same text
        pickFromList(buckets, "12");
        // The text goes to the host core as typed, which refuses it; the window and the run keep the last count.
        typeBuckets(*window, "abc");
        EXPECT_EQ(run->values["set_lr#Buckets"].toDouble(), 12);
        pickFromList(buckets, "12");
        typeBuckets(*window, "25", Qt::Key_unknown);
        EXPECT_EQ(core->calculations, 7) << "the last count again, or typing alone, starts nothing";
        QTest::keyClick(buckets->lineEdit(), Qt::Key_Enter);
        EXPECT_EQ(run->values["set_lr#Buckets"].toDouble(), 25);

        for (QComboBox* list : { models, dataSets, buckets }) {
            const QString before = list->currentText();
            turnWheel(list);
            EXPECT_EQ(list->currentText(), before) << "the wheel changes no choice";
        }
        EXPECT_EQ(requests,
            (std::vector<Request> { { 1, "10", 1 }, { 3, "10", 1 }, { 2, "10", 1 }, { 2, "10", 2 }, { 2, "10", 2 },
                { 2, "12", 2 }, { 2, "abc", 2 }, { 2, "25", 2 } }));
    }

    TEST_F(WindowStates, EnterAndEscapeCloseNothingOnlyCloseDoes)
    {
        core->calculation = [&](CalculateViewInter&) {
            // Typed while the results are computed, handled when they have arrived.
            QCoreApplication::postEvent(
                opening->findChild<QCheckBox*>("chkSynchro"), new QKeyEvent(QEvent::KeyPress, Qt::Key_Return, {}));
        };
        auto window = openShown();
        core->calculation = {};
        QCoreApplication::processEvents();
        for (const char* focus : { "chkSynchro", "cmbDataset", "cmbBuckets", "cmdClose" })
            for (Qt::Key key : { Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape }) {
                SCOPED_TRACE(testing::Message() << focus << " " << key);
                QTest::keyClick(find<QWidget>(*window, focus), key);
                ASSERT_TRUE(window->isVisible());
            }
        QTest::mouseClick(find<QPushButton>(*window, "cmdClose"), Qt::LeftButton);
        EXPECT_FALSE(window->isVisible());
    }

    TEST_F(WindowStates, WhileCalculatingOnlyStopCountsAndTheWindowComesBackUsable)
    {
        std::unique_ptr<frmDecile> window;
        bool busy = false;
        std::vector<bool> cancelled;
        core->calculation = [&](CalculateViewInter& view) {
            record(view);
            if (!busy)
                return;
            busy = false;
            EXPECT_EQ(window->state(), WindowState::Calculating);
            expectChoicesUsable(*window, false);
            // What a user tries meanwhile starts nothing: another model, Enter, F5, the help.
            window->findChild<QComboBox*>("cmbModels")->setCurrentIndex(2);
            QTest::keyClick(window->findChild<QComboBox*>("cmbBuckets")->lineEdit(), Qt::Key_Return);
            QTest::keyClick(window.get(), Qt::Key_F5);
            QTest::mouseClick(
                window->findChild<HelpControl*>("HelpControl")->findChild<QPushButton*>("Command"), Qt::LeftButton);
            auto* stop = window->findChild<QPushButton*>("cmdStop");
            EXPECT_TRUE(stop->isVisible() && stop->isEnabled());
            QTimer::singleShot(0, stop, [stop] { QTest::mouseClick(stop, Qt::LeftButton); });
            cancelled.push_back(view.GetUserCancelled());
            view.NotifyProgress(1); // lets the click through
            cancelled.push_back(view.GetUserCancelled());
            if (view.GetUserCancelled())
                view.CalculationCancelled();
        };
        window = openShown();
        busy = true;
        pickFromList(find<QComboBox>(*window, "cmbModels"), 1); // 200 x 200 records: the progress panel shows
        EXPECT_EQ(cancelled, (std::vector<bool> { false, true })) << "the host sees Stop at its next check";
        EXPECT_EQ(core->calculations, 2);
        EXPECT_TRUE(platform->openedAddresses.isEmpty()) << "the help is out of reach";
        EXPECT_EQ(window->state(), WindowState::Failed);
        expectChoicesUsable(*window, true);
    }

    TEST_F(WindowStates, TheCloseBoxStopsACalculationAndClosesOnceItHasStopped)
    {
        std::unique_ptr<frmDecile> window;
        bool closeRequested = false;
        std::vector<bool> cancelledAfterClose;
        core->modes = false; // the stretch before calculating mode: reading the data
        core->calculation = [&](CalculateViewInter& view) {
            if (!closeRequested)
                return;
            view.SetCalculationPhase(CalculateViewInter::Phase::Reading);
            EXPECT_EQ(window->state(), WindowState::Reading);
            expectChoicesUsable(*window, false);
            window->close();
            view.NotifyProgress(0);
            cancelledAfterClose.push_back(view.GetUserCancelled());
            EXPECT_TRUE(window->isVisible()) << "the window waits for the calculation to stop";
        };
        window = openShown();
        closeRequested = true;
        QTest::keyClick(find<QComboBox>(*window, "cmbBuckets")->lineEdit(), Qt::Key_Return);
        EXPECT_EQ(cancelledAfterClose, std::vector<bool> { true });
        EXPECT_FALSE(window->isVisible());
    }

    TEST_F(WindowStates, AFailedCalculationShowsItsNoticeAndLosesNoChoice)
    {
        // A host that refuses before calculating mode, one that fails inside it, and one cancelled.
        const struct {
            std::function<void(CalculateViewInter&)> ending;
            const char* notice;
        } endings[] = {
            { [](CalculateViewInter& view) { view.ShowError("Every output is empty."); }, "Every output is empty." },
            { [](CalculateViewInter& view) { view.ShowBucketValueError("Choose 2 to 1000 quantiles."); },
                "Choose 2 to 1000 quantiles." },
            { [](CalculateViewInter& view) { view.CalculationCancelled(); }, nullptr },
        };
        for (bool modes : { false, true })
            for (const auto& [ending, notice] : endings) {
                SCOPED_TRACE(testing::Message() << "modes " << modes << ", notice " << (notice ? notice : "none"));
                core->modes = modes;
                core->calculations = 0;
                platform->prompts.clear();
                core->calculation = ending;
                auto window = openShown(); // the first calculation fails
                EXPECT_EQ(window->state(), WindowState::Failed);
                expectChoicesUsable(*window, true);
                pickFromList(find<QComboBox>(*window, "cmbDataset"), "Validation");
                typeBuckets(*window, "25"); // so does the next
                EXPECT_EQ(platform->prompts.size(), notice ? 3u : 0u);
                if (notice) {
                    EXPECT_EQ(platform->prompts.back().message, notice);
                }
                EXPECT_EQ(find<QComboBox>(*window, "cmbDataset")->currentText(), "Validation");
                EXPECT_EQ(find<QComboBox>(*window, "cmbBuckets")->currentText(), "25");
                core->calculation = [this](CalculateViewInter& view) { record(view); };
                pickFromList(find<QComboBox>(*window, "cmbModels"), 1);
                EXPECT_EQ(requests.back(), Request(2, "25", 2)) << "another model calculates with the choices";
                EXPECT_EQ(window->state(), WindowState::Idle);
            }
    }

    TEST_F(WindowStates, TabsMoveByKeyboardAndFollowEachOtherOnlyWhenSynchronised)
    {
        auto window = openShown();
        auto* reports = find<QTabBar>(*window, "ssReports");
        auto* charts = find<QTabBar>(*window, "ssCharts");
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
        find<ReportGrid>(*window, "rcDecile")->setFocus();
        const auto press = [](Qt::Key key) { QTest::keyClick(QApplication::focusWidget(), key, Qt::ControlModifier); };
        press(Qt::Key_Tab);
        EXPECT_EQ(reports->currentIndex(), 1);
        press(Qt::Key_PageDown);
        EXPECT_EQ(reports->currentIndex(), 2);
        press(Qt::Key_PageUp);
        EXPECT_EQ(reports->currentIndex(), 1);
        EXPECT_EQ(charts->currentIndex(), 0) << "the charts follow only when synchronised";
        charts->setFocus();
        press(Qt::Key_PageDown);
        press(Qt::Key_PageDown);
        press(Qt::Key_PageDown);
        EXPECT_EQ(charts->currentIndex(), 3);
        EXPECT_EQ(reports->currentIndex(), 1);
        EXPECT_EQ(run->values["set_lr#SelectedChart"].toDouble(), 1132) << "the run keeps the chart shown";

        QTest::mouseClick(find<QCheckBox>(*window, "chkSynchro"), Qt::LeftButton);
        EXPECT_EQ(charts->currentIndex(), 1) << "the charts join the reports";
        reports->setFocus();
        press(Qt::Key_PageDown);
        EXPECT_EQ(charts->currentIndex(), 2);
        charts->setFocus();
        press(Qt::Key_PageDown);
        EXPECT_EQ(reports->currentIndex(), 3);
    }

    TEST_F(WindowStates, ClosingKeepsTheUsersChoicesForTheNextWindow)
    {
        auto window = openShown();
        pickFromList(find<QComboBox>(*window, "cmbDataset"), "Validation");
        typeBuckets(*window, "25");
        QTest::mouseClick(find<QCheckBox>(*window, "chkSynchro"), Qt::LeftButton);
        find<QTabBar>(*window, "ssCharts")->setCurrentIndex(3);
        QTest::mouseClick(find<QPushButton>(*window, "cmdClose"), Qt::LeftButton);
        EXPECT_FALSE(window->isVisible());
        EXPECT_EQ(RegistryLib::GetAppSetting(RegistryLib::kSection, "Synchro"), "1");
        EXPECT_EQ(run->values["set_lr#DataSet"].toDouble(), 2);
        EXPECT_EQ(run->values["set_lr#Buckets"].toDouble(), 25);

        auto again = openShown(-1); // on the chart the run keeps
        EXPECT_TRUE(find<QCheckBox>(*again, "chkSynchro")->isChecked());
        EXPECT_EQ(find<QTabBar>(*again, "ssCharts")->currentIndex(), 3);
        EXPECT_EQ(find<QTabBar>(*again, "ssReports")->currentIndex(), 3);
        QTest::mouseClick(find<QCheckBox>(*again, "chkSynchro"), Qt::LeftButton);
        EXPECT_TRUE(again->close());
        EXPECT_EQ(RegistryLib::GetAppSetting(RegistryLib::kSection, "Synchro"), "0");

        // The window writes only the parameters the run holds.
        run->values.erase("set_lr#Buckets");
        auto third = openShown();
        typeBuckets(*third, "30");
        EXPECT_EQ(run->values.count("set_lr#Buckets"), 0u);
    }

}
} // namespace lrv::test
