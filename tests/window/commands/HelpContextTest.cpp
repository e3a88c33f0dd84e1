// The help button opens the help address with the context of the current view.
#include "CommandWindow.h"
#include "window/HelpControl.h"

#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QTabBar>
#include <QTest>

namespace lrv::test {
namespace {

    class HelpContext : public CommandWindow {
    protected:
        void pressHelp(QWidget& window)
        {
            auto* help = find<HelpControl>(window, "HelpControl");
            ASSERT_TRUE(help);
            ASSERT_TRUE(help->isEnabled());
            QTest::mouseClick(help->findChild<QPushButton*>("Command"), Qt::LeftButton);
        }
        static QString base() { return "file:///opt/vantorix/help/index.html?"; }
    };

    TEST_F(HelpContext, TellsBucketsDatasetSynchronisationAndBothTabs)
    {
        auto window = openShown(1129);
        find<QComboBox>(*window, "cmbBuckets")->setEditText("20");
        pickFromList(find<QComboBox>(*window, "cmbDataset"), "Validation");
        find<QCheckBox>(*window, "chkSynchro")->click();
        find<QTabBar>(*window, "ssReports")->setCurrentIndex(2);
        ASSERT_EQ(find<QTabBar>(*window, "ssCharts")->currentIndex(), 2);

        pressHelp(*window);
        EXPECT_EQ(platform->openedAddresses, QStringList { base() + "location=lrwindow&b=20&ds=1&sy=1&tb=2&ch=2" });
        EXPECT_EQ(find<HelpControl>(*window, "HelpControl")->Context(), "location=lrwindow&b=20&ds=1&sy=1&tb=2&ch=2");
    }

    TEST_F(HelpContext, TabsApartWithoutSynchronisationAndTheBucketTextAsTyped)
    {
        auto window = openShown(1132);
        find<QComboBox>(*window, "cmbBuckets")->setEditText("abc");
        find<QTabBar>(*window, "ssReports")->setCurrentIndex(5);
        pressHelp(*window);
        EXPECT_EQ(platform->openedAddresses, QStringList { base() + "location=lrwindow&b=abc&ds=0&sy=0&tb=5&ch=3" });
    }

    TEST_F(HelpContext, HelpIsOutOfReachWhileCalculating)
    {
        std::unique_ptr<frmDecile> window;
        bool enabledWhileCalculating = true;
        core->calculation = [&](CalculateViewInter&) {
            enabledWhileCalculating = opening->findChild<HelpControl*>("HelpControl")->isEnabled();
        };
        window = openShown(1129);
        EXPECT_FALSE(enabledWhileCalculating);
        EXPECT_TRUE(find<HelpControl>(*window, "HelpControl")->isEnabled());
    }

}
} // namespace lrv::test
