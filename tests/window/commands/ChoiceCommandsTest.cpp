// Model, dataset and bucket choices, the model selector, stop and close.
#include "CommandWindow.h"
#include "support/RegistryLib.h"
#include "window/ModelSelector.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

namespace lrv::test {
namespace {

    /// What each calculation was asked to compute.
    struct Request {
        std::int32_t modelId;
        QString buckets;
        std::int16_t dataSet;
    };

    class ChoiceCommands : public CommandWindow {
    protected:
        void SetUp() override
        {
            CommandWindow::SetUp();
            core->calculation = [this](CalculateViewInter& view) {
                requests.push_back({ view.GetModelId(), view.GetBuckets(), view.GetDataSet() });
            };
        }
        std::vector<Request> requests;
    };

    TEST_F(ChoiceCommands, PickingTheCurrentModelStartsNothingAnotherModelRecalculates)
    {
        core->modelIds = { 4, 7, 9, 9 };
        auto window = openShown();
        auto* models = find<QComboBox>(*window, "cmbModels");
        ASSERT_EQ(requests.size(), 1u);
        EXPECT_EQ(requests.back().modelId, 4);

        pickFromList(models, "Model 4 - RS: 0.5");
        EXPECT_EQ(core->calculations, 1);
        pickFromList(models, "Model 9 - RS: 0.5");
        ASSERT_EQ(core->calculations, 2);
        EXPECT_EQ(requests.back().modelId, 9);
        pickFromList(models, "Model 9 - RS: 0.5");
        EXPECT_EQ(core->calculations, 2);
        pickFromList(models, 3);
        EXPECT_EQ(core->calculations, 2) << "another entry of the same model";
        pickFromList(models, 1);
        ASSERT_EQ(core->calculations, 3);
        EXPECT_EQ(requests.back().modelId, 7);
    }

    TEST_F(ChoiceCommands, PickingTheOtherDatasetRecalculatesAndRemembersIt)
    {
        auto window = openShown();
        auto* dataSets = find<QComboBox>(*window, "cmbDataset");
        pickFromList(dataSets, "Training");
        EXPECT_EQ(core->calculations, 1);
        pickFromList(dataSets, "Validation");
        ASSERT_EQ(core->calculations, 2);
        EXPECT_EQ(requests.back().dataSet, 2);
        EXPECT_EQ(run->values["set_lr#DataSet"].toDouble(), 2);
        pickFromList(dataSets, "Validation");
        EXPECT_EQ(core->calculations, 2);
    }

    TEST_F(ChoiceCommands, PickingTheCurrentBucketCountStartsNothingEnterAlwaysRecalculates)
    {
        auto window = openShown();
        auto* buckets = find<QComboBox>(*window, "cmbBuckets");
        QLineEdit* text = buckets->lineEdit();
        ASSERT_NE(text, nullptr);

        pickFromList(buckets, "10");
        EXPECT_EQ(core->calculations, 1) << "10 buckets are current";
        QTest::keyClick(text, Qt::Key_Return);
        ASSERT_EQ(core->calculations, 2) << "Enter recalculates with the same text";
        EXPECT_EQ(requests.back().buckets, "10");

        pickFromList(buckets, "12");
        ASSERT_EQ(core->calculations, 3);
        EXPECT_EQ(requests.back().buckets, "12");
        EXPECT_EQ(run->values["set_lr#Buckets"].toDouble(), 12);

        text->selectAll();
        QTest::keyClicks(text, "25");
        EXPECT_EQ(core->calculations, 3) << "typing alone starts nothing";
        QTest::keyClick(text, Qt::Key_Enter);
        ASSERT_EQ(core->calculations, 4);
        EXPECT_EQ(requests.back().buckets, "25");

        // The text goes to the host core as typed; it is the one to refuse it.
        text->selectAll();
        QTest::keyClicks(text, "abc");
        QTest::keyClick(text, Qt::Key_Return);
        ASSERT_EQ(core->calculations, 5);
        EXPECT_EQ(requests.back().buckets, "abc");
    }

    TEST_F(ChoiceCommands, ModelSelectorChoosesTheFirstEntryWithItsIdAndRecalculates)
    {
        core->modelIds = { 4, 7, 7, 9 };
        auto window = openShown();
        auto* models = find<QComboBox>(*window, "cmbModels");
        auto* selector = find<ModelSelector>(*window, "ctlModelSelector");
        ASSERT_TRUE(models && selector);

        emit selector->ModelChanged(7);
        EXPECT_EQ(models->currentIndex(), 1);
        ASSERT_EQ(core->calculations, 2);
        EXPECT_EQ(requests.back().modelId, 7);
        emit selector->ModelChanged(7);
        EXPECT_EQ(core->calculations, 2) << "the model is already current";
        emit selector->ModelChanged(12);
        EXPECT_EQ(models->currentIndex(), 1) << "an id without an entry changes nothing";
        EXPECT_EQ(core->calculations, 2);
        emit selector->ModelChanged(9);
        EXPECT_EQ(models->currentIndex(), 3);
        EXPECT_EQ(requests.back().modelId, 9);
    }

    TEST_F(ChoiceCommands, ModelSelectorArrowsStepThroughTheModelsOfTheRun)
    {
        auto window = openShown(); // the run's models have ids 1, 2 and 3, as the list
        find<ModelSelector>(*window, "ctlModelSelector")->GotoNext();
        ASSERT_EQ(core->calculations, 2);
        EXPECT_EQ(requests.back().modelId, 2);
        EXPECT_EQ(find<QComboBox>(*window, "cmbModels")->currentIndex(), 1);
    }

    TEST_F(ChoiceCommands, ChoicesMadeWhileCalculatingOrLoadingStartNothing)
    {
        std::unique_ptr<frmDecile> window;
        core->whileLoading = [&] {
            // Init is still running: these are the load presenter's own changes.
            opening->findChild<QComboBox*>("cmbDataset")->setCurrentIndex(1);
            opening->findChild<QComboBox*>("cmbModels")->setCurrentIndex(2);
        };
        bool interfered = false;
        core->calculation = [&](CalculateViewInter& view) {
            requests.push_back({ view.GetModelId(), view.GetBuckets(), view.GetDataSet() });
            if (interfered)
                return;
            interfered = true;
            window->findChild<QComboBox*>("cmbModels")->setCurrentIndex(0);
            window->findChild<QComboBox*>("cmbDataset")->setCurrentIndex(0);
            QTest::keyClick(window->findChild<QComboBox*>("cmbBuckets")->lineEdit(), Qt::Key_Return);
        };
        window = open();
        EXPECT_EQ(core->calculations, 0);
        window->show();
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();
        EXPECT_EQ(core->calculations, 1);
        ASSERT_FALSE(requests.empty());
        EXPECT_EQ(requests.front().modelId, 3);
        EXPECT_EQ(requests.front().dataSet, 2);
    }

    TEST_F(ChoiceCommands, StopDuringACalculationIsSeenByTheHostAtItsNextCheck)
    {
        std::vector<bool> cancelledBefore, cancelledAfter;
        bool stopVisible = false, stopEnabled = false;
        std::unique_ptr<frmDecile> window;
        core->calculation = [&](CalculateViewInter& view) {
            cancelledBefore.push_back(view.GetUserCancelled());
            if (cancelledBefore.size() == 2) {
                auto* stop = window->findChild<QPushButton*>("cmdStop");
                stopVisible = stop->isVisible();
                stopEnabled = stop->isEnabled();
                QTimer::singleShot(0, stop, [stop] { QTest::mouseClick(stop, Qt::LeftButton); });
                view.NotifyProgress(1); // lets the click through
            }
            cancelledAfter.push_back(view.GetUserCancelled());
        };
        window = openShown();
        window->Recalculate();
        window->Recalculate();
        EXPECT_TRUE(stopVisible) << "a calculation of 200 x 200 records shows the progress panel";
        EXPECT_TRUE(stopEnabled);
        EXPECT_EQ(cancelledBefore, (std::vector<bool> { false, false, false }));
        EXPECT_EQ(cancelledAfter, (std::vector<bool> { false, true, false }));
    }

    TEST_F(ChoiceCommands, CloseButtonClosesAndKeepsTheSynchronisation)
    {
        bool closeEnabledWhileCalculating = true;
        std::unique_ptr<frmDecile> window;
        core->calculation = [&](CalculateViewInter&) {
            closeEnabledWhileCalculating = opening->findChild<QPushButton*>("cmdClose")->isEnabled();
        };
        window = openShown();
        EXPECT_FALSE(closeEnabledWhileCalculating);
        find<QCheckBox>(*window, "chkSynchro")->click();
        QTest::mouseClick(find<QPushButton>(*window, "cmdClose"), Qt::LeftButton);
        EXPECT_FALSE(window->isVisible());
        EXPECT_EQ(RegistryLib::GetAppSetting(RegistryLib::kSection, "Synchro"), "1");
    }

}
} // namespace lrv::test
