#include "window/ModelSelector.h"

#include "common/FakePlatform.h"
#include "reports/properties/FakeRun.h"
#include "support/ControlRegistry.h"
#include "window/dialogs/KeyInput.h"

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QToolButton>

namespace lrv::test {
namespace {

    class ModelSelectorTest : public ::testing::Test {
    protected:
        void SetUp() override
        {
            FakePlatform::installFresh();
            QObject::connect(
                &selector, &ModelSelector::ModelChanged, [this](std::int32_t id) { changes.push_back(id); });
        }
        void init()
        {
            std::shared_ptr<IRun> asRun = run;
            selector.Init(asRun);
        }
        QLineEdit* box() const { return selector.findChild<QLineEdit*>("txCurrentModel"); }
        QLineEdit* fitness() const { return selector.findChild<QLineEdit*>("txtRsquare"); }
        QToolButton* arrow(const char* name) const { return selector.findChild<QToolButton*>(name); }
        int current() const { return run->modelList->currentPosition(); }

        std::shared_ptr<FakeRun> run = std::make_shared<FakeRun>(20);
        ModelSelector selector;
        std::vector<std::int32_t> changes;
    };

    TEST_F(ModelSelectorTest, PositionBoxKeepsAPositionOfTheRun)
    {
        init();
        ASSERT_TRUE(box() && fitness() && selector.findChild<QWidget*>("updCurrentModel"));
        EXPECT_EQ(box()->text(), "1");
        box()->setText("0");
        EXPECT_EQ(box()->text(), "1");
        box()->setText("x");
        EXPECT_EQ(box()->text(), "1");
        box()->setText("999");
        EXPECT_EQ(box()->text(), "20");
        box()->setText("7");
        EXPECT_EQ(box()->text(), "7");
        // Typing alone applies nothing.
        EXPECT_TRUE(changes.empty());
        EXPECT_EQ(run->modelList->positionCalls, 0);
    }

    TEST_F(ModelSelectorTest, KeyFilterKeepsDigitsOnly)
    {
        init();
        box()->selectAll();
        typeText(box(), "1a-2");
        EXPECT_EQ(box()->text(), "12");
    }

    TEST_F(ModelSelectorTest, EnterAppliesThePosition)
    {
        run->model(4).trainR2 = 0.25;
        init();
        box()->setText("5");
        pressKey(box(), Qt::Key_Return, Qt::NoModifier, "\r");
        EXPECT_EQ(changes, std::vector<std::int32_t>({ 105 }));
        EXPECT_EQ(current(), 5);
        EXPECT_EQ(fitness()->text(), "0.25");
        EXPECT_TRUE(box()->isEnabled());
    }

    TEST_F(ModelSelectorTest, GotoNextAndPreviousStopAtTheEnds)
    {
        init();
        selector.SetModelByIndex(19);
        selector.GotoNext();
        EXPECT_TRUE(changes.empty());
        EXPECT_EQ(box()->text(), "20");

        selector.SetModelByIndex(0);
        selector.GotoPrevious();
        EXPECT_TRUE(changes.empty());
        EXPECT_EQ(run->modelList->positionCalls, 0);

        selector.GotoNext();
        selector.GotoNext();
        selector.GotoPrevious();
        EXPECT_EQ(changes, std::vector<std::int32_t>({ 102, 103, 102 }));
        EXPECT_EQ(box()->text(), "2");
        EXPECT_EQ(current(), 2);
    }

    TEST_F(ModelSelectorTest, ArrowsStepWithinTheModels)
    {
        run = std::make_shared<FakeRun>(2);
        init();
        arrow("updCurrentModelUp")->click();
        arrow("updCurrentModelUp")->click();
        EXPECT_EQ(changes, std::vector<std::int32_t>({ 102 }));
        EXPECT_EQ(box()->text(), "2");
        arrow("updCurrentModelDown")->click();
        arrow("updCurrentModelDown")->click();
        EXPECT_EQ(changes, std::vector<std::int32_t>({ 102, 101 }));
        EXPECT_EQ(current(), 1);
    }

    TEST_F(ModelSelectorTest, ApplyIsNotReentered)
    {
        init();
        bool enabledDuringChange = true;
        QObject::connect(&selector, &ModelSelector::ModelChanged, [this, &enabledDuringChange](std::int32_t) {
            enabledDuringChange = box()->isEnabled();
            selector.GotoNext();
        });
        selector.GotoNext();
        EXPECT_EQ(changes, std::vector<std::int32_t>({ 102 }));
        EXPECT_FALSE(enabledDuringChange);
        EXPECT_TRUE(box()->isEnabled());
        selector.GotoNext();
        EXPECT_EQ(changes.size(), 2u);
    }

    TEST_F(ModelSelectorTest, AccuracyShownWithoutTrailingZeros)
    {
        run->kind = 1;
        const std::vector<std::pair<double, QString>> cases
            = { { 87.1, "87.1%" }, { 87.25, "87.25%" }, { 100, "100%" }, { 95, "95%" } };
        for (std::size_t i = 0; i < cases.size(); ++i)
            run->model(int(i)).trainAccuracy = cases[i].first;
        init();
        for (std::size_t i = 0; i < cases.size(); ++i) {
            SCOPED_TRACE(cases[i].first);
            selector.SetModelByIndex(int(i));
            EXPECT_EQ(fitness()->text(), cases[i].second);
            EXPECT_EQ(fitness()->toolTip(), "Training Accuracy of the active model.");
        }
    }

    TEST_F(ModelSelectorTest, RSquareMarkersAndRounding)
    {
        run->model(0).trainR2 = -11111;
        run->model(1).trainR2 = -1;
        run->model(2).trainR2 = 0.12345678;
        init();
        EXPECT_EQ(fitness()->text(), " --");
        EXPECT_EQ(fitness()->toolTip(), "Calculation errors.");
        selector.SetModelByIndex(1);
        EXPECT_EQ(fitness()->text(), " --");
        EXPECT_EQ(fitness()->toolTip(), "UNDEFINED");
        selector.SetModelByIndex(2);
        EXPECT_EQ(fitness()->text(), "0.123457");
        EXPECT_EQ(fitness()->toolTip(), "Training R-square of the active model.");
        EXPECT_TRUE(changes.empty());
    }

    TEST_F(ModelSelectorTest, SetModelByIndexRejectsABadIndex)
    {
        init();
        selector.SetModelByIndex(4);
        EXPECT_EQ(box()->text(), "5");
        EXPECT_THROW(selector.SetModelByIndex(20), Error);
        EXPECT_EQ(box()->text(), "5");
    }

    TEST_F(ModelSelectorTest, FailingHostTellsTheUserAndKeepsThePosition)
    {
        init();
        run->modelList->failPositions = true;
        box()->setText("3");
        pressKey(box(), Qt::Key_Enter, Qt::NoModifier, "\r");
        EXPECT_TRUE(changes.empty());
        EXPECT_EQ(box()->text(), "1");
        EXPECT_TRUE(box()->isEnabled());
        ASSERT_EQ(FakePlatform::current().prompts.size(), 1u);
        EXPECT_TRUE(FakePlatform::current().prompts[0].message.contains("The run file is locked."));
    }

    TEST(ControlRegistration, SelectorAndHelpButtonAreRegistered)
    {
        for (const char* name : { "ModelSelector", "HelpControl" }) {
            std::unique_ptr<QWidget> control(ControlRegistry::create(ControlRegistry::progIdOf(name), nullptr));
            ASSERT_NE(control, nullptr) << name;
            EXPECT_STREQ(control->metaObject()->className(), (std::string("lrv::") + name).c_str());
        }
    }

} // namespace
} // namespace lrv::test
