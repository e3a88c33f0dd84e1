// The help button: the context its parent sets, after the base address of the configuration.
#include "window/HelpControl.h"

#include "WindowFixture.h"

#include <QPushButton>
#include <QTest>

namespace lrv::test {
namespace {

    class HelpControlTest : public WindowFixture {
    protected:
        void click() { QTest::mouseClick(find<QPushButton>(help, "Command"), Qt::LeftButton); }
        const QStringList& opened() const { return platform->openedAddresses; }

        HelpControl help;
    };

    TEST_F(HelpControlTest, OpensTheBaseFollowedByTheContextTheParentSetsWhenEnabled)
    {
        int contextRequests = 0;
        QObject::connect(&help, &HelpControl::SetContext, [&] {
            ++contextRequests;
            EXPECT_TRUE(opened().isEmpty()) << "the context comes before the address opens";
            help.setContext("location=lrwindow&b=20");
        });
        help.setEnabled(false);
        click();
        EXPECT_EQ(contextRequests, 0);
        help.setEnabled(true);
        click();
        EXPECT_EQ(contextRequests, 1);
        EXPECT_EQ(opened(), QStringList({ "file:///opt/vantorix/help/index.html?location=lrwindow&b=20" }));
    }

    TEST_F(HelpControlTest, WithoutAHelpAddressTheUserIsToldAndNothingOpens)
    {
        configuration->values.clear();
        help.setContext("location=classrepr");
        click();
        EXPECT_TRUE(opened().isEmpty());
        ASSERT_EQ(platform->prompts.size(), 1u);
        EXPECT_TRUE(platform->prompts[0].message.contains("App.Help"));
    }

} // namespace
} // namespace lrv::test
