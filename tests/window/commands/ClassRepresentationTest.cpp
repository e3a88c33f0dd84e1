// The class-encoding dialog: the stored encoding, its presets, the checks before writing, a failing run store.
#include "WindowFixture.h"
#include "window/frmClassRepresentation.h"

#include <QCheckBox>
#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

namespace lrv::test {
namespace {

    const QString kRunPath = QStringLiteral("/runs/credit.run");
    const QString kMinNotNumeric = QStringLiteral("The value for encoding class \"0\" must be numeric.");
    const QString kMaxNotNumeric = QStringLiteral("The value for encoding class \"1\" must be numeric.");
    const QString kNotIncreasing
        = QStringLiteral("The number for encoding class \"0\" must be smaller than the number for class \"1\".");

    class ClassRepresentationTest : public WindowFixture {
    protected:
        template <typename T> T* control(const QString& name) { return find<T>(dialog, name); }
        QLineEdit* box(const char* name) { return control<QLineEdit>(name); }
        QRadioButton* option(const char* name) { return control<QRadioButton>(name); }
        void enter(const QString& min, const QString& max)
        {
            box("txtNewMin")->setText(min);
            box("txtNewMax")->setText(max);
        }
        void press(const char* button) { control<QPushButton>(button)->click(); }
        const std::vector<FakePlatform::Prompt>& prompts() const { return platform->prompts; }
        RunStoreScript& store() const { return *core->store; }

        frmClassRepresentation dialog;
    };

    TEST_F(ClassRepresentationTest, OpensOnTheStoredEncodingAndPresetsFillTheBoxes)
    {
        store().stored = { -1, 1, true };
        dialog.Init(kRunPath, true);
        EXPECT_EQ(control<QLabel>("lblCurrent")->text(), "Current Encoding: [-1, 1]");
        for (const char* name : { "txtMin", "txtNewMin" })
            EXPECT_EQ(box(name)->text(), "-1") << name;
        for (const char* name : { "txtMax", "txtNewMax" })
            EXPECT_EQ(box(name)->text(), "1") << name;
        EXPECT_FALSE(dialog.InvertClassRepresentation()) << "the stored flag leaves the box as it was";
        EXPECT_TRUE(option("optEncoding(1)")->isChecked());
        EXPECT_TRUE(box("txtNewMin")->isEnabled());
        EXPECT_FALSE(option("optClasses(0)")->isEnabled());

        option("optEncoding(0)")->click();
        EXPECT_FALSE(box("txtNewMin")->isEnabled());
        EXPECT_FALSE(box("txtNewMax")->isEnabled());
        EXPECT_TRUE(option("optClasses(4)")->isEnabled());
        const std::pair<const char*, std::pair<const char*, const char*>> presets[]
            = { { "optClasses(4)", { "0", "1" } }, { "optClasses(5)", { "-10000", "10000" } } };
        for (const auto& [preset, values] : presets) {
            option(preset)->click();
            EXPECT_EQ(box("txtNewMin")->text(), values.first) << preset;
            EXPECT_EQ(box("txtNewMax")->text(), values.second) << preset;
        }
        option("optEncoding(1)")->click();
        EXPECT_TRUE(box("txtNewMin")->isEnabled());
        EXPECT_FALSE(option("optClasses(5)")->isEnabled());
        EXPECT_EQ(box("txtNewMax")->text(), "10000") << "the preset's values stay to edit";
    }

    TEST_F(ClassRepresentationTest, OkTellsTheFirstProblemOrWritesEveryDataset)
    {
        const struct {
            const char* min;
            const char* max;
            bool trainingSet;
            QString message; // empty: valid
        } cases[] = {
            { "1", "1", true, kNotIncreasing },
            { "2", "1", true, kNotIncreasing },
            { "abc", "x", true, kMinNotNumeric },
            { "", "1", true, kMinNotNumeric },
            { "0", "1,5x", true, kMaxNotNumeric },
            { "-5", "5", true, QString() },
            { "-1E3", "2.5", false, QString() },
        };
        for (const auto& c : cases) {
            SCOPED_TRACE(std::string(c.min) + " / " + c.max);
            platform->prompts.clear();
            store().writes.clear();
            dialog.Init(kRunPath, c.trainingSet);
            dialog.show();
            enter(c.min, c.max);
            control<QCheckBox>("chkInvert")->setChecked(true);
            press("OKButton");
            EXPECT_EQ(dialog.OKPressed(), c.message.isEmpty());
            EXPECT_EQ(dialog.isVisible(), !c.message.isEmpty());
            if (!c.message.isEmpty()) {
                ASSERT_EQ(prompts().size(), 1u);
                EXPECT_EQ(prompts()[0].message, c.message);
                EXPECT_TRUE(store().writes.empty());
                continue;
            }
            EXPECT_TRUE(prompts().empty());
            // The validation set is written too, and only, with a training set.
            ASSERT_EQ(store().writes.size(), c.trainingSet ? 2u : 1u);
            for (std::size_t i = 0; i < store().writes.size(); ++i) {
                const RunStoreScript::Write& write = store().writes[i];
                EXPECT_EQ(write.dataSet, int(i) + 1);
                EXPECT_EQ(write.min, box("txtNewMin")->text().toDouble());
                EXPECT_EQ(write.max, box("txtNewMax")->text().toDouble());
                EXPECT_EQ(write.runPath, kRunPath);
                EXPECT_TRUE(write.invert);
            }
            EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
        }
    }

    TEST_F(ClassRepresentationTest, AFailingRunStoreIsShownAndKeepsTheDialogOpenUntilOkSucceedsCancelWritesNothing)
    {
        store().failReads = true;
        EXPECT_THROW(dialog.Init(kRunPath, false), Error);
        ASSERT_EQ(prompts().size(), 1u);
        EXPECT_TRUE(prompts()[0].message.contains("Cannot read /runs/credit.run"));
        platform->prompts.clear();
        store().failReads = false;

        dialog.Init(kRunPath, true);
        dialog.show();
        store().failWrites = true;
        enter("0", "10");
        press("OKButton");
        EXPECT_FALSE(dialog.OKPressed());
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_TRUE(control<QPushButton>("OKButton")->isEnabled());
        EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
        ASSERT_EQ(prompts().size(), 1u);
        EXPECT_TRUE(prompts()[0].message.contains("could not be saved"));
        EXPECT_TRUE(prompts()[0].message.contains("Cannot write /runs/credit.run: permission denied."));

        store().failWrites = false;
        press("OKButton");
        EXPECT_TRUE(dialog.OKPressed());
        EXPECT_EQ(store().writes.size(), 2u);

        dialog.Init(kRunPath, true);
        dialog.show();
        press("CancelButton");
        EXPECT_FALSE(dialog.OKPressed());
        EXPECT_FALSE(dialog.isVisible());
        EXPECT_EQ(store().writes.size(), 2u) << "Cancel writes nothing";
    }

    TEST_F(ClassRepresentationTest, BoxesTakeSignedNumberKeysAndCopyAndPasteTheWholeBox)
    {
        dialog.Init(kRunPath, false);
        box("txtNewMin")->clear();
        QTest::keyClicks(box("txtNewMin"), "-1a.5e+2x");
        EXPECT_EQ(box("txtNewMin")->text(), "-1.5e+2");

        box("txtNewMin")->setSelection(0, 1);
        QTest::keyClick(box("txtNewMin"), Qt::Key_C, Qt::ControlModifier);
        EXPECT_EQ(QGuiApplication::clipboard()->text(), "-1.5e+2");
        QGuiApplication::clipboard()->setText("42");
        box("txtNewMax")->setCursorPosition(1);
        QTest::keyClick(box("txtNewMax"), Qt::Key_V, Qt::ControlModifier);
        EXPECT_EQ(box("txtNewMax")->text(), "42");
    }

} // namespace
} // namespace lrv::test
