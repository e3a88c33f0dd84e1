#include "common/FakePlatform.h"
#include "common/TestConfiguration.h"
#include "host/HostConfiguration.h"
#include "window/dialogs/FakeHostCore.h"
#include "window/dialogs/KeyInput.h"
#include "window/frmClassRepresentation.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace lrv::test {
namespace {

    const QString kRunPath = QStringLiteral("/runs/credit.run");
    const QString kFirstMessage = QStringLiteral("The value for encoding class \"0\" must be numeric.");
    const QString kSecondMessage = QStringLiteral("The value for encoding class \"1\" must be numeric.");
    const QString kThirdMessage
        = QStringLiteral("The number for encoding class \"0\" must be smaller than the number for class \"1\".");

    class ClassRepresentationTest : public ::testing::Test {
    protected:
        void SetUp() override
        {
            FakePlatform::installFresh();
            m_previous = HostCore::install(core);
        }
        void TearDown() override
        {
            HostCore::install(m_previous);
            HostConfiguration::set(nullptr);
        }
        template <typename T> T* control(const QString& name) const
        {
            T* found = dialog.findChild<T*>(name);
            EXPECT_NE(found, nullptr) << name.toStdString();
            return found;
        }
        QLineEdit* box(const char* name) const { return control<QLineEdit>(name); }
        QRadioButton* option(const QString& name) const { return control<QRadioButton>(name); }
        void enter(const QString& min, const QString& max)
        {
            box("txtNewMin")->setText(min);
            box("txtNewMax")->setText(max);
        }
        void pressOk() { control<QPushButton>("OKButton")->click(); }
        const std::vector<FakePlatform::Prompt>& prompts() const { return FakePlatform::current().prompts; }

        std::shared_ptr<ScriptedHostCore> core = std::make_shared<ScriptedHostCore>();
        frmClassRepresentation dialog;

    private:
        std::shared_ptr<IHostCore> m_previous;
    };

    TEST_F(ClassRepresentationTest, InitShowsTheStoredEncoding)
    {
        core->script->stored = { -1, 1, true };
        dialog.Init(kRunPath, true);
        EXPECT_EQ(dialog.windowTitle(), " Class Encoding");
        EXPECT_EQ(control<QLabel>("lblCurrent")->text(), "Current Encoding: [-1, 1]");
        EXPECT_EQ(box("txtMin")->text(), "-1");
        EXPECT_EQ(box("txtMax")->text(), "1");
        EXPECT_EQ(box("txtNewMin")->text(), "-1");
        EXPECT_EQ(box("txtNewMax")->text(), "1");
        EXPECT_FALSE(dialog.InvertClassRepresentation()) << "the stored flag leaves the box as it was";
        EXPECT_TRUE(option("optEncoding(1)")->isChecked());
        EXPECT_TRUE(box("txtNewMin")->isEnabled());
        EXPECT_TRUE(control<QLabel>("lblOther(4)")->isEnabled());
        EXPECT_EQ(control<QLabel>("lblOther(1)")->text(), "\"1\" or \"Yes\":");
        EXPECT_FALSE(option("optClasses(0)")->isEnabled());
        EXPECT_EQ(control<QCheckBox>("chkInvert")->text(), "Invert Class Representation");
    }

    TEST_F(ClassRepresentationTest, IsValidTellsTheFirstProblem)
    {
        struct Case {
            const char* min;
            const char* max;
            QString message; // empty: valid
        };
        const std::vector<Case> cases = {
            { "1", "1", kThirdMessage },
            { "2", "1", kThirdMessage },
            { "abc", "x", kFirstMessage },
            { "", "1", kFirstMessage },
            { "0", "1,5x", kSecondMessage },
            { "0", "1", QString() },
            { "-1E3", "2.5", QString() },
        };
        dialog.Init(kRunPath, false);
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(c.min) + " / " + c.max);
            FakePlatform::installFresh();
            enter(c.min, c.max);
            EXPECT_EQ(dialog.IsValid(), c.message.isEmpty());
            if (c.message.isEmpty()) {
                EXPECT_TRUE(prompts().empty());
            } else {
                ASSERT_EQ(prompts().size(), 1u);
                EXPECT_EQ(prompts()[0].message, c.message);
                EXPECT_EQ(prompts()[0].title, "Vantorix 5.0");
            }
        }
    }

    TEST_F(ClassRepresentationTest, PresetsFillTheBoxesWhileTheyStayDisabled)
    {
        dialog.Init(kRunPath, false);
        enter("5", "7");
        option("optEncoding(0)")->click();
        EXPECT_FALSE(box("txtNewMin")->isEnabled());
        EXPECT_FALSE(box("txtNewMax")->isEnabled());
        EXPECT_FALSE(control<QLabel>("lblOther(0)")->isEnabled());
        ASSERT_EQ(option("optClasses(4)")->text(), "Standard [0, 1]");
        EXPECT_TRUE(option("optClasses(4)")->isEnabled());

        option("optClasses(4)")->click();
        EXPECT_EQ(box("txtNewMin")->text(), "0");
        EXPECT_EQ(box("txtNewMax")->text(), "1");
        EXPECT_FALSE(box("txtNewMin")->isEnabled());

        option("optClasses(5)")->click();
        EXPECT_EQ(box("txtNewMin")->text(), "-10000");
        EXPECT_EQ(box("txtNewMax")->text(), "10000");

        option("optEncoding(1)")->click();
        EXPECT_TRUE(box("txtNewMin")->isEnabled());
        EXPECT_FALSE(option("optClasses(5)")->isEnabled());
        EXPECT_EQ(box("txtNewMax")->text(), "10000");
    }

    TEST_F(ClassRepresentationTest, OkWritesTheValidationSetOnlyWithATrainingSet)
    {
        for (const bool hasTrainingSet : { false, true }) {
            SCOPED_TRACE(hasTrainingSet);
            core->script->writes.clear();
            dialog.Init(kRunPath, hasTrainingSet);
            dialog.show();
            enter("-5", "5");
            control<QCheckBox>("chkInvert")->setChecked(true);
            pressOk();
            ASSERT_EQ(core->script->writes.size(), hasTrainingSet ? 2u : 1u);
            for (std::size_t i = 0; i < core->script->writes.size(); ++i) {
                const RunStoreScript::Write& write = core->script->writes[i];
                EXPECT_EQ(write.dataSet, int(i) + 1);
                EXPECT_EQ(write.min, -5);
                EXPECT_EQ(write.max, 5);
                EXPECT_EQ(write.runPath, kRunPath);
                EXPECT_TRUE(write.invert);
            }
            EXPECT_TRUE(dialog.OKPressed());
            EXPECT_FALSE(dialog.isVisible());
            EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
        }
    }

    TEST_F(ClassRepresentationTest, InvalidInputWritesNothing)
    {
        dialog.Init(kRunPath, true);
        dialog.show();
        enter("3", "3");
        pressOk();
        EXPECT_TRUE(core->script->writes.empty());
        EXPECT_FALSE(dialog.OKPressed());
        EXPECT_TRUE(dialog.isVisible());
        ASSERT_EQ(prompts().size(), 1u);
        EXPECT_EQ(prompts()[0].message, kThirdMessage);
    }

    TEST_F(ClassRepresentationTest, CancelReportsNoChange)
    {
        dialog.Init(kRunPath, true);
        dialog.show();
        enter("0", "10");
        control<QPushButton>("CancelButton")->click();
        EXPECT_FALSE(dialog.OKPressed());
        EXPECT_FALSE(dialog.isVisible());
        EXPECT_TRUE(core->script->writes.empty());
    }

    TEST_F(ClassRepresentationTest, FailingRunStoreKeepsTheDialogOpen)
    {
        dialog.Init(kRunPath, true);
        dialog.show();
        core->script->failWrites = true;
        enter("0", "10");
        pressOk();
        EXPECT_FALSE(dialog.OKPressed());
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_TRUE(control<QPushButton>("OKButton")->isEnabled());
        EXPECT_TRUE(control<QPushButton>("CancelButton")->isEnabled());
        EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
        ASSERT_EQ(prompts().size(), 1u);
        EXPECT_TRUE(prompts()[0].message.contains("could not be saved"));
        EXPECT_TRUE(prompts()[0].message.contains("Cannot write /runs/credit.run: permission denied."));

        // Once the store works again, a second OK succeeds.
        core->script->failWrites = false;
        pressOk();
        EXPECT_TRUE(dialog.OKPressed());
        EXPECT_EQ(core->script->writes.size(), 2u);
    }

    TEST_F(ClassRepresentationTest, FailingReadIsShownAndThrown)
    {
        core->script->failReads = true;
        EXPECT_THROW(dialog.Init(kRunPath, false), Error);
        ASSERT_EQ(prompts().size(), 1u);
        EXPECT_TRUE(prompts()[0].message.contains("Cannot read /runs/credit.run"));
    }

    TEST_F(ClassRepresentationTest, CopyAndPasteTakeTheWholeBox)
    {
        dialog.Init(kRunPath, false);
        enter("12.5", "1");
        box("txtNewMin")->setSelection(0, 1);
        pressKey(box("txtNewMin"), Qt::Key_C, Qt::ControlModifier, "\x03");
        EXPECT_EQ(QGuiApplication::clipboard()->text(), "12.5");

        QGuiApplication::clipboard()->setText("42");
        box("txtNewMax")->setCursorPosition(1);
        pressKey(box("txtNewMax"), Qt::Key_V, Qt::ControlModifier, "\x16");
        EXPECT_EQ(box("txtNewMax")->text(), "42");
    }

    TEST_F(ClassRepresentationTest, BoxesTakeSignedNumberKeysOnly)
    {
        dialog.Init(kRunPath, false);
        box("txtNewMin")->clear();
        typeText(box("txtNewMin"), "-1a.5e+2x");
        EXPECT_EQ(box("txtNewMin")->text(), "-1.5e+2");
    }

    TEST_F(ClassRepresentationTest, HelpOpensTheClassEncodingContext)
    {
        TestConfiguration::install()->set("App.Help", "https://help.example/lr/?");
        dialog.Init(kRunPath, false);
        enter("-1", "1");
        control<QCheckBox>("chkInvert")->setChecked(true);
        control<QPushButton>("Command")->click();
        ASSERT_EQ(FakePlatform::current().openedAddresses.size(), 1);
        EXPECT_EQ(FakePlatform::current().openedAddresses[0],
            "https://help.example/lr/?location=classrepr&inv=1&min=-1&max=1");
    }

} // namespace
} // namespace lrv::test
