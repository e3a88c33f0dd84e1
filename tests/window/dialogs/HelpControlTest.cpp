#include "window/HelpControl.h"

#include "common/FakePlatform.h"
#include "common/TestConfiguration.h"
#include "host/HostConfiguration.h"
#include "window/Hourglass.h"

#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QPushButton>

namespace lrv::test {
namespace {

    class HelpControlTest : public ::testing::Test {
    protected:
        void SetUp() override
        {
            FakePlatform::installFresh();
            configuration = TestConfiguration::install();
        }
        void TearDown() override { HostConfiguration::set(nullptr); }
        QPushButton* command() const { return help.findChild<QPushButton*>("Command"); }
        const QStringList& opened() const { return FakePlatform::current().openedAddresses; }

        std::shared_ptr<TestConfiguration> configuration;
        HelpControl help;
    };

    TEST_F(HelpControlTest, OpensTheBaseFollowedByTheContextTheParentSets)
    {
        configuration->set("App.Help", "file:///opt/vantorix/help/index.html?");
        bool openedBeforeContext = false;
        QObject::connect(&help, &HelpControl::SetContext, [this, &openedBeforeContext] {
            openedBeforeContext = !opened().isEmpty();
            help.setContext("location=lrwindow&b=20&ds=1&sy=1&tb=2&ch=2");
        });
        ASSERT_NE(command(), nullptr);
        EXPECT_EQ(command()->text(), "&Help");
        command()->click();
        EXPECT_FALSE(openedBeforeContext);
        EXPECT_EQ(opened(),
            QStringList({ "file:///opt/vantorix/help/index.html?location=lrwindow&b=20&ds=1&sy=1&tb=2&ch=2" }));
        EXPECT_EQ(help.property("Context").toString(), "location=lrwindow&b=20&ds=1&sy=1&tb=2&ch=2");
    }

    TEST_F(HelpControlTest, DisabledControlIgnoresClicks)
    {
        configuration->set("App.Help", "https://help.example/?");
        int contextRequests = 0;
        QObject::connect(&help, &HelpControl::SetContext, [&contextRequests] { ++contextRequests; });
        help.setEnabled(false);
        EXPECT_FALSE(command()->isEnabled());
        command()->click();
        EXPECT_EQ(contextRequests, 0);
        EXPECT_TRUE(opened().isEmpty());
        help.setEnabled(true);
        command()->click();
        EXPECT_EQ(contextRequests, 1);
        EXPECT_EQ(opened().size(), 1);
    }

    TEST_F(HelpControlTest, WithoutAHelpAddressTheUserIsToldAndNothingOpens)
    {
        help.setContext("location=classrepr");
        command()->click();
        EXPECT_TRUE(opened().isEmpty());
        ASSERT_EQ(FakePlatform::current().prompts.size(), 1u);
        EXPECT_TRUE(FakePlatform::current().prompts[0].message.contains("App.Help"));
    }

    TEST_F(HelpControlTest, ButtonFillsTheControlAboveTheMinimumSize)
    {
        help.resize(10, 10);
        EXPECT_EQ(help.size(), QSize(54, 20)); // 800 x 300 twips
        help.resize(200, 40);
        help.show();
        EXPECT_EQ(command()->geometry(), QRect(0, 0, 200, 40));
    }

    TEST(Hourglass, FirstDestroyedRestoresTheDefaultPointer)
    {
        {
            Hourglass outer;
            ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
            EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::BusyCursor);
            {
                Hourglass inner;
                EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::BusyCursor);
            }
            EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
        }
        EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    }

} // namespace
} // namespace lrv::test
