#include "charts/ChartInterfaces.h"
#include "common/FakePlatform.h"
#include "common/ScriptedHost.h"
#include "support/ControlRegistry.h"
#include "support/RegistryLib.h"
#include "window/frmDecile.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QTabBar>

using namespace lrv;
using namespace lrv::test;

namespace {
// Chart doubles that record the cutoff points the window hands them.
class RecordingCutoffChart : public QWidget, public ICutoffChart {
public:
    using QWidget::QWidget;
    void SetDataSource(const Table<double>&) override { }
    void Refresh() override { }
    void Reset() override { }
    void SetOptimumModelValue(double) override { }
    void SetLogisticCutoffPoint(double value) override { cutoffs.push_back(value); }
    bool ShowOCP() const override { return true; }
    void SetShowOCP(bool) override { }
    bool ShowLCP() const override { return true; }
    void SetShowLCP(bool) override { }
    std::vector<double> cutoffs;
};

class RecordingFitChart : public QWidget, public ILogisticFitChart {
public:
    using QWidget::QWidget;
    void SetDataSource(const Table<double>&) override { }
    void Refresh() override { }
    void Reset() override { }
    void SetLogisticCutoffPoint(double value) override { cutoffs.push_back(value); }
    bool ShowLCP() const override { return true; }
    void SetShowLCP(bool) override { }
    bool ShowDummyPoints() const override { return true; }
    void SetShowDummyPoints(bool) override { }
    void AddDataSource(const Table<double>&) override { }
    std::vector<double> cutoffs;
};

Table<double> rocTable(int rows)
{
    TableBuilder<double> builder(0, rows - 1, 0, 15);
    for (int r = 0; r < rows; ++r) {
        builder.set(r, 0, r + 1);
        builder.set(r, 2, 1.0 - double(r) / rows);
    }
    return builder.build();
}

void pressKey(QWidget* target, int key)
{
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &release);
}

class AnalysisWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        platform = &FakePlatform::installFresh();
        core = ScriptedHostCore::install();
        run = std::make_shared<FakeRun>(QStringLiteral("/runs/credit.run"), 3);
        run->values = { { "set_lr#SelectedChart", 1129 }, { "set_lr#DataSet", 1 }, { "set_lr#Buckets", 10 },
            { "data#train_Samples", 200 }, { "data#test_Samples", 100 } };
        core->run = run;
    }

    std::unique_ptr<frmDecile> open(
        std::int32_t selected = -1, std::int32_t trainSampling = 0, std::int32_t testSampling = 0)
    {
        auto window = std::make_unique<frmDecile>();
        std::shared_ptr<IRun> handle = run;
        window->Init(handle, selected, trainSampling, testSampling);
        return window;
    }

    template <typename T> static T* find(QWidget& window, const char* name)
    {
        T* control = window.findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(control, nullptr) << name;
        return control;
    }

    static QString status(QWidget& window, int panel)
    {
        return find<QLabel>(window, QStringLiteral("sbStatus.Panel(%1)").arg(panel).toLatin1().constData())->text();
    }

    FakePlatform* platform = nullptr;
    std::shared_ptr<ScriptedHostCore> core;
    std::shared_ptr<FakeRun> run;
};
}

TEST_F(AnalysisWindow, InitRunsTheLoadPresenterBeforeTheStatisticsAndTheSelector)
{
    auto window = open();
    ASSERT_TRUE(run->log.contains("Load"));
    EXPECT_LT(run->log.indexOf("Load"), run->log.indexOf("models"));
    EXPECT_EQ(find<QComboBox>(*window, "cmbModels")->count(), 3);
    EXPECT_EQ(find<QComboBox>(*window, "cmbBuckets")->currentText(), "10");
    EXPECT_EQ(find<QLabel>(*window, "lblModel")->toolTip(), "Total models: 3");
    EXPECT_FALSE(window->isLoading());
}

TEST_F(AnalysisWindow, CaptionIsTheRunFileNameWithoutItsExtension)
{
    EXPECT_EQ(open()->windowTitle(), "Logistic Regression - credit");
    run = std::make_shared<FakeRun>(QStringLiteral("C:\\models\\model.abc"), 1);
    EXPECT_EQ(open()->windowTitle(), "Logistic Regression - model");
    run = std::make_shared<FakeRun>(QStringLiteral("/x/a.ru"), 1);
    EXPECT_EQ(open()->windowTitle(), "Logistic Regression - a.ru");
}

TEST_F(AnalysisWindow, BucketListDependsOnTheTrainingSamples)
{
    const auto entries = [&](int samples) {
        run->values["data#train_Samples"] = samples;
        auto window = open();
        QStringList items;
        auto* buckets = find<QComboBox>(*window, "cmbBuckets");
        for (int i = 0; i < buckets->count(); ++i)
            items << buckets->itemText(i);
        return items;
    };
    EXPECT_EQ(entries(30), QStringList({ "2", "4", "5", "8", "9", "10", "12", "15" }));
    EXPECT_EQ(entries(40).last(), "20");
    EXPECT_EQ(entries(40).size(), 9);
    const QStringList all = entries(2000);
    EXPECT_EQ(all.size(), 20);
    EXPECT_EQ(all.last(), "1000");
}

TEST_F(AnalysisWindow, OpensOnTheChartTabOfTheSelectedCode)
{
    const auto openedTab = [&](std::int32_t selected) {
        auto window = open(selected);
        window->Activate();
        return find<QTabBar>(*window, "ssCharts")->currentIndex();
    };
    EXPECT_EQ(openedTab(1134), 5);
    EXPECT_EQ(openedTab(1129), 0);
    EXPECT_EQ(openedTab(1500), 0);
    run->values["set_lr#SelectedChart"] = 1131;
    EXPECT_EQ(openedTab(-1), 2);
    run->values.erase("set_lr#SelectedChart");
    EXPECT_EQ(openedTab(-1), 0);
}

TEST_F(AnalysisWindow, SynchronisationLinksTheTabStripsOnlyWhenOn)
{
    auto window = open(1130);
    window->Activate();
    auto* reports = find<QTabBar>(*window, "ssReports");
    auto* charts = find<QTabBar>(*window, "ssCharts");
    EXPECT_EQ(charts->currentIndex(), 1);
    EXPECT_EQ(reports->currentIndex(), 0); // "Synchro" is off by default

    reports->setCurrentIndex(3);
    EXPECT_EQ(charts->currentIndex(), 1);
    find<QCheckBox>(*window, "chkSynchro")->setChecked(true);
    EXPECT_EQ(charts->currentIndex(), 3);
    charts->setCurrentIndex(6);
    EXPECT_EQ(reports->currentIndex(), 6);
    reports->setCurrentIndex(2);
    EXPECT_EQ(charts->currentIndex(), 2);
}

TEST_F(AnalysisWindow, SynchroSettingIsReadAtActivationAndSavedAtClosing)
{
    RegistryLib::SaveAppSetting(RegistryLib::kSection, "Synchro", "1");
    auto window = open(1132);
    window->Activate();
    EXPECT_TRUE(find<QCheckBox>(*window, "chkSynchro")->isChecked());
    EXPECT_EQ(find<QTabBar>(*window, "ssReports")->currentIndex(), 3);
    find<QCheckBox>(*window, "chkSynchro")->setChecked(false);
    EXPECT_TRUE(window->close());
    EXPECT_EQ(RegistryLib::GetAppSetting(RegistryLib::kSection, "Synchro"), "0");
}

TEST_F(AnalysisWindow, StatusTextsTellTheRowLimitAndTheSampling)
{
    core->calculation = [](CalculateViewInter& view) { view.ShowROC(rocTable(100001), 0.8, 1); };
    auto window = open(1130, 2, 0);
    window->Activate();
    find<QTabBar>(*window, "ssReports")->setCurrentIndex(1);
    EXPECT_EQ(status(*window, 1), "200 records processed; showing 100000.");
    EXPECT_EQ(status(*window, 3), "Results evaluated for the top 200 records.");

    find<QTabBar>(*window, "ssReports")->setCurrentIndex(0);
    EXPECT_EQ(status(*window, 1), "Ready");

    core->calculation = nullptr;
    auto full = open(1129, 0, 1);
    full->Activate();
    EXPECT_EQ(status(*full, 3), "");
    find<QComboBox>(*full, "cmbDataset")->setCurrentIndex(1);
    EXPECT_EQ(status(*full, 3), "Results obtained using the Validation dataset.");

    auto top = open(1129, 0, 5);
    top->Activate();
    find<QComboBox>(*top, "cmbDataset")->setCurrentIndex(1);
    EXPECT_EQ(status(*top, 3), "Results obtained using the top 100 records of the Validation set.");
}

TEST_F(AnalysisWindow, ProgressMovesOnlyAtMultiplesOfTheInterval)
{
    std::unique_ptr<frmDecile> window;
    QString afterMessage, after250, after300;
    int bar250 = -1, bar300 = -1;
    core->calculation = [&](CalculateViewInter& view) {
        auto* text = window->findChild<QLineEdit*>("lblProgress");
        auto* bar = window->findChild<QProgressBar*>("pBar");
        view.SetTotalRows(1000);
        view.SetProgressModeValue(100);
        view.SetCalculationMessage("Record {0} of 1000");
        afterMessage = text->text();
        view.NotifyProgress(250);
        after250 = text->text();
        bar250 = bar->value();
        view.NotifyProgress(300);
        after300 = text->text();
        bar300 = bar->value();
    };
    window = open(1129);
    window->Recalculate();
    EXPECT_EQ(afterMessage, "Record 1 of 1000");
    EXPECT_EQ(after250, "Record 1 of 1000");
    EXPECT_EQ(bar250, 0);
    EXPECT_EQ(after300, "Record 300 of 1000");
    EXPECT_EQ(bar300, 300);
    EXPECT_EQ(find<QLineEdit>(*window, "lblProgress")->text(), ""); // idle again
    EXPECT_TRUE(find<QComboBox>(*window, "cmbModels")->isEnabled());
}

TEST_F(AnalysisWindow, OneMinusAucShownOnlyBelowOneHalf)
{
    auto window = open(1130);
    window->ShowROC(rocTable(3), 0.3, 1);
    EXPECT_FALSE(find<QLabel>(*window, "lblOneMinuxAUC")->isHidden());
    EXPECT_EQ(find<QLabel>(*window, "lblOneMinuxAUC")->text(), "0.7");
    EXPECT_FALSE(find<QLabel>(*window, "lblGainsLabels(3)")->isHidden());
    EXPECT_EQ(find<QLabel>(*window, "lblAUC")->text(), "0.3");
    window->ShowROC(rocTable(3), 0.5, 1);
    EXPECT_TRUE(find<QLabel>(*window, "lblOneMinuxAUC")->isHidden());
    EXPECT_TRUE(find<QLabel>(*window, "lblGainsLabels(3)")->isHidden());
}

TEST_F(AnalysisWindow, LogOddsStatsGiveUndefinedAndNoCutoffForAFlatLine)
{
    ControlRegistry::add(
        ControlRegistry::progIdOf("CutoffChart"), [](QWidget* p) { return new RecordingCutoffChart(p); });
    ControlRegistry::add(
        ControlRegistry::progIdOf("LogisticFitChart"), [](QWidget* p) { return new RecordingFitChart(p); });
    auto window = open(1129);
    window->SetLogOddsStats(1000, 1, 0.5, false);
    EXPECT_EQ(find<QLabel>(*window, "lblExpSlope")->text(), "UNDEFINED");
    EXPECT_EQ(find<QLabel>(*window, "lblSlope")->text(), "1000");
    window->SetLogOddsStats(0, 2, 0.5, false);
    window->SetLogOddsStats(2, -1, 0.5, false);
    auto* cutoff = dynamic_cast<RecordingCutoffChart*>(window->findChild<QWidget*>("chCutoff"));
    auto* fit = dynamic_cast<RecordingFitChart*>(window->findChild<QWidget*>("lfChart"));
    ASSERT_TRUE(cutoff && fit);
    EXPECT_EQ(cutoff->cutoffs, (std::vector<double> { -0.001, -99999, 0.5 }));
    EXPECT_EQ(fit->cutoffs, cutoff->cutoffs);
    // An undefined fit has no e^slope either, as in the statistics grid.
    window->SetLogOddsStats(-9999, -9999, -9999, false);
    EXPECT_EQ(find<QLabel>(*window, "lblExpSlope")->text(), "UNDEFINED");
}

TEST_F(AnalysisWindow, EveryOtherKeyDownIsActedOnSoF5TwiceCalculatesOnce)
{
    auto window = open(1129);
    window->show();
    QCoreApplication::processEvents(); // activation: the first calculation
    QWidget* focus = QApplication::focusWidget() ? QApplication::focusWidget() : window.get();
    pressKey(focus, Qt::Key_F5);
    pressKey(focus, Qt::Key_F5);
    EXPECT_EQ(core->calculations, 2);
    pressKey(focus, Qt::Key_F5);
    EXPECT_EQ(core->calculations, 3);
}

TEST_F(AnalysisWindow, RunParametersAreWrittenOnlyWhenTheRunHoldsThem)
{
    run->values.erase("set_lr#Buckets");
    auto window = open(1129);
    find<QComboBox>(*window, "cmbDataset")->setCurrentIndex(1);
    window->Recalculate();
    EXPECT_EQ(run->values.count("set_lr#Buckets"), 0u);
    EXPECT_EQ(run->values["set_lr#DataSet"].toDouble(), 2);
    find<QTabBar>(*window, "ssCharts")->setCurrentIndex(4);
    EXPECT_EQ(run->values["set_lr#SelectedChart"].toDouble(), 1133);
}
