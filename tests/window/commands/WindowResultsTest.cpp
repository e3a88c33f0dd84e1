// What the analysis window shows: its caption and lists for the run, the results and their status texts,
// the help context, and a layout in which nothing covers anything.
#include "WindowFixture.h"
#include "entry/LogisticRegression.h"
#include "window/AnalysisTabs.h"
#include "window/HelpControl.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTabBar>
#include <QTest>
#include <QTimer>

namespace lrv::test {
namespace {

    class WindowResults : public WindowFixture {
    protected:
        static QString status(QWidget& window, int panel)
        {
            return find<QLabel>(window, QStringLiteral("sbStatus.Panel(%1)").arg(panel))->text();
        }
    };

    TEST_F(WindowResults, CaptionAndQuantileListFollowTheRun)
    {
        for (const auto& [path, name] : { std::pair { "/runs/credit.run", "credit" },
                 std::pair { "C:\\models\\model.abc", "model" }, std::pair { "/x/a.ru", "a.ru" } }) {
            run = std::make_shared<FakeRun>(QString::fromLatin1(path), 1);
            EXPECT_EQ(open()->windowTitle(), QStringLiteral("Logistic Regression - ") + name);
        }
        const auto bucketList = [&](int samples) {
            run->values["data#train_Samples"] = samples;
            QStringList texts;
            const auto window = open();
            auto* list = find<QComboBox>(*window, "cmbBuckets");
            for (int i = 0; i < list->count(); ++i)
                texts << list->itemText(i);
            return texts;
        };
        EXPECT_EQ(bucketList(30), QStringList({ "2", "4", "5", "8", "9", "10", "12", "15" }));
        EXPECT_EQ(bucketList(40).last(), "20");
        EXPECT_EQ(bucketList(40).size(), 9);
        EXPECT_EQ(bucketList(2000).size(), 20);
        EXPECT_EQ(bucketList(2000).last(), "1000");
    }

    TEST_F(WindowResults, TheEntryOpensTheWindowWithTheHostsSamplings)
    {
        core->calculation = [](CalculateViewInter& view) { view.ShowROC(rocTable(100001), 0.8, 1); };
        LogisticRegression entry;
        entry.SetOriginalSamplings(2, 1); // the top of the training set, all of the validation set
        QTimer::singleShot(0, [&] {
            frmDecile* window = nullptr;
            for (QWidget* shown : QApplication::topLevelWidgets())
                window = window ? window : qobject_cast<frmDecile*>(shown);
            for (int i = 0; i < 20 && core->calculations == 0; ++i)
                QCoreApplication::processEvents();
            if (window) {
                find<QTabBar>(*window, "ssReports")->setCurrentIndex(1);
                EXPECT_EQ(status(*window, 1), "200 records processed; showing 100000.");
                EXPECT_EQ(status(*window, 3), "Results evaluated for the top 200 records.");
                find<QTabBar>(*window, "ssReports")->setCurrentIndex(0);
                EXPECT_EQ(status(*window, 1), "Ready");
                find<QComboBox>(*window, "cmbDataset")->setCurrentIndex(1);
                EXPECT_EQ(status(*window, 3), "Results obtained using the Validation dataset.");
                window->close();
            }
        });
        std::shared_ptr<IRun> handle = run;
        entry.ShowAnalysis(handle, 1130, nullptr);
        EXPECT_EQ(core->calculations, 2);
    }

    TEST_F(WindowResults, AnAucBelowOneHalfShowsItsComplementAndAFlatLogOddsLineNoCutoff)
    {
        auto window = open(1130);
        auto* complement = find<QLabel>(*window, "lblOneMinuxAUC");
        window->ShowROC(rocTable(3), 0.3, 1);
        EXPECT_FALSE(complement->isHidden());
        EXPECT_EQ(complement->text(), "0.7");
        EXPECT_EQ(find<QLabel>(*window, "lblAUC")->text(), "0.3");
        window->ShowROC(rocTable(3), 0.5, 1);
        EXPECT_TRUE(complement->isHidden());

        auto* cutoff = dynamic_cast<RecordingCutoffChart*>(window->findChild<QWidget*>("chCutoff"));
        auto* fit = dynamic_cast<RecordingFitChart*>(window->findChild<QWidget*>("lfChart"));
        ASSERT_TRUE(cutoff && fit);
        window->SetLogOddsStats(1000, 1, 0.5, false);
        EXPECT_EQ(find<QLabel>(*window, "lblExpSlope")->text(), "UNDEFINED") << "an exponent that overflows";
        EXPECT_EQ(find<QLabel>(*window, "lblSlope")->text(), "1000");
        window->SetLogOddsStats(0, 2, 0.5, false);
        window->SetLogOddsStats(2, -1, 0.5, false);
        window->SetLogOddsStats(-9999, -9999, -9999, false); // a fit that could not be made
        EXPECT_EQ(find<QLabel>(*window, "lblExpSlope")->text(), "UNDEFINED");
        EXPECT_EQ(cutoff->cutoffs, (std::vector<double> { -0.001, -99999, 0.5, -99999 }));
        EXPECT_EQ(fit->cutoffs, cutoff->cutoffs);
    }

    TEST_F(WindowResults, HelpTellsBucketsDatasetSynchronisationAndBothTabs)
    {
        // Chart, quantiles, validation and synchronisation chosen, report tab; the context that tells them.
        const std::tuple<std::int32_t, const char*, bool, int, const char*> cases[] = {
            { 1129, "20", true, 2, "location=lrwindow&b=20&ds=1&sy=1&tb=2&ch=2" },
            { 1132, "abc", false, 5, "location=lrwindow&b=abc&ds=0&sy=0&tb=5&ch=3" },
        };
        for (const auto& [selected, buckets, chosen, reportTab, context] : cases) {
            SCOPED_TRACE(context);
            platform->openedAddresses.clear();
            auto window = openShown(selected);
            find<QComboBox>(*window, "cmbBuckets")->setEditText(buckets);
            if (chosen) {
                pickFromList(find<QComboBox>(*window, "cmbDataset"), "Validation");
                find<QCheckBox>(*window, "chkSynchro")->click();
            }
            find<QTabBar>(*window, "ssReports")->setCurrentIndex(reportTab);
            QTest::mouseClick(
                find<HelpControl>(*window, "HelpControl")->findChild<QPushButton*>("Command"), Qt::LeftButton);
            EXPECT_EQ(platform->openedAddresses,
                QStringList { QStringLiteral("file:///opt/vantorix/help/index.html?") + context });
        }
    }

    TEST_F(WindowResults, AtTheSmallestSizeNothingCoversAChoiceAChartOrALegendValue)
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

        const std::vector<AnalysisTab>& tabs = analysisTabs();
        auto* charts = find<QTabBar>(*window, "ssCharts");
        for (std::size_t shown = 0; shown < tabs.size(); ++shown) {
            SCOPED_TRACE(tabs[shown].caption);
            charts->setCurrentIndex(int(shown));
            QCoreApplication::processEvents();
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
                for (QLabel* label : side->findChildren<QLabel*>()) {
                    if (label->isVisible()) {
                        EXPECT_GE(label->width(), label->sizeHint().width())
                            << name << ": " << label->text().toStdString();
                    }
                }
            }
            for (std::size_t other = 0; other < tabs.size(); ++other)
                for (const char* name : other == shown ? std::vector<const char*> {} : tabs[other].sideControls)
                    EXPECT_FALSE(find<QWidget>(*window, name)->isVisible()) << name;
        }
    }

}
} // namespace lrv::test
