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
        void SetUp() override { FakePlatform::installFresh(); }
        void TearDown() override { HostConfiguration::set(nullptr); }
        QPushButton* command() const { return help.findChild<QPushButton*>("Command"); }
        const QStringList& opened() const { return FakePlatform::current().openedAddresses; }

        HelpControl help;
    };

    TEST_F(HelpControlTest, OpensTheBaseFollowedByTheContextTheParentSetsWhenEnabled)
    {
        TestConfiguration::install()->set("App.Help", "file:///opt/vantorix/help/index.html?");
        int contextRequests = 0;
        QObject::connect(&help, &HelpControl::SetContext, [&] {
            ++contextRequests;
            EXPECT_TRUE(opened().isEmpty()) << "the context comes before the address opens";
            help.setContext("location=lrwindow&b=20");
        });
        help.setEnabled(false);
        command()->click();
        EXPECT_EQ(contextRequests, 0);
        help.setEnabled(true);
        command()->click();
        EXPECT_EQ(contextRequests, 1);
        EXPECT_EQ(opened(), QStringList({ "file:///opt/vantorix/help/index.html?location=lrwindow&b=20" }));
    }

    TEST_F(HelpControlTest, WithoutAHelpAddressTheUserIsToldAndNothingOpens)
    {
        TestConfiguration::install();
        help.setContext("location=classrepr");
        command()->click();
        EXPECT_TRUE(opened().isEmpty());
        ASSERT_EQ(FakePlatform::current().prompts.size(), 1u);
        EXPECT_TRUE(FakePlatform::current().prompts[0].message.contains("App.Help"));
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
