// The model selector: a position box that takes digits and applies on Enter, arrows that stop at the ends.
#include "window/ModelSelector.h"

#include "WindowFixture.h"

#include <QLineEdit>
#include <QTest>
#include <QToolButton>

namespace lrv::test {
namespace {

    class ModelSelectorTest : public WindowFixture {
    protected:
        void SetUp() override
        {
            WindowFixture::SetUp();
            QObject::connect(
                &selector, &ModelSelector::ModelChanged, [this](std::int32_t id) { changes.push_back(id); });
        }
        /// The run's models get ids 101, 102, ... so that an id is never taken for a position.
        void init(int models = 20)
        {
            run = std::make_shared<FakeRun>(QStringLiteral("/runs/credit.run"), models);
            for (int i = 0; i < models; ++i)
                run->model(i).modelId = 101 + i;
            if (prepare)
                prepare(*run);
            std::shared_ptr<IRun> asRun = run;
            selector.Init(asRun);
        }
        QLineEdit* box() const { return selector.findChild<QLineEdit*>("txCurrentModel"); }
        QLineEdit* fitness() const { return selector.findChild<QLineEdit*>("txtRsquare"); }
        void clickArrow(const char* name) { QTest::mouseClick(find<QToolButton>(selector, name), Qt::LeftButton); }

        std::function<void(FakeRun&)> prepare;
        ModelSelector selector;
        std::vector<std::int32_t> changes;
    };

    TEST_F(ModelSelectorTest, PositionBoxTakesDigitsAndAppliesOnEnterArrowsStopAtTheEnds)
    {
        prepare = [](FakeRun& r) { r.model(4).trainR2 = 0.25; };
        init();
        EXPECT_EQ(box()->text(), "1");
        const std::pair<const char*, const char*> typed[]
            = { { "0", "1" }, { "x", "1" }, { "999", "20" }, { "7", "7" } };
        for (const auto& [text, kept] : typed) {
            box()->setText(text);
            EXPECT_EQ(box()->text(), kept) << text;
        }
        box()->selectAll();
        QTest::keyClicks(box(), "1a-2");
        EXPECT_EQ(box()->text(), "12");
        EXPECT_TRUE(changes.empty()) << "typing alone applies nothing";
        EXPECT_EQ(run->positionCalls, 0);

        box()->setText("5");
        QTest::keyClick(box(), Qt::Key_Return);
        EXPECT_EQ(fitness()->text(), "0.25");
        EXPECT_TRUE(box()->isEnabled());

        prepare = {};
        init(3);
        selector.GotoPrevious();
        clickArrow("updCurrentModelDown");
        selector.GotoNext();
        clickArrow("updCurrentModelUp");
        clickArrow("updCurrentModelUp");
        selector.GotoNext();
        EXPECT_EQ(box()->text(), "3");
        clickArrow("updCurrentModelDown");
        EXPECT_EQ(changes, std::vector<std::int32_t>({ 105, 102, 103, 102 })) << "nothing before the first";
        EXPECT_EQ(box()->text(), "2");
        EXPECT_EQ(run->currentPosition(), 2);
    }

    TEST_F(ModelSelectorTest, FitnessShowsRSquareOrAccuracyAndMarksWhatIsMissing)
    {
        const struct {
            std::int32_t kind;
            double figure;
            const char* text;
            const char* tip;
        } cases[] = {
            { 2, -11111, " --", "Calculation errors." },
            { 2, -1, " --", "UNDEFINED" },
            { 2, 0.12345678, "0.123457", "Training R-square of the active model." },
            { 1, 87.1, "87.1%", "Training Accuracy of the active model." },
        };
        for (const auto& c : cases) {
            SCOPED_TRACE(c.figure);
            prepare = [&](FakeRun& r) {
                r.kind = c.kind;
                r.model(1).trainR2 = r.model(1).trainAccuracy = c.figure;
            };
            init(2);
            selector.SetModelByIndex(1);
            EXPECT_EQ(fitness()->text(), c.text);
            EXPECT_EQ(fitness()->toolTip(), c.tip);
        }
        EXPECT_TRUE(changes.empty());
    }

    TEST_F(ModelSelectorTest, ABadIndexOrAFailingHostKeepsThePositionAndTellsTheUser)
    {
        init();
        selector.SetModelByIndex(4);
        EXPECT_THROW(selector.SetModelByIndex(20), Error);
        EXPECT_EQ(box()->text(), "5");

        run->failPositions = true;
        box()->setText("3");
        QTest::keyClick(box(), Qt::Key_Enter);
        EXPECT_TRUE(changes.empty());
        EXPECT_EQ(box()->text(), "5");
        EXPECT_TRUE(box()->isEnabled());
        ASSERT_EQ(platform->prompts.size(), 1u);
        EXPECT_TRUE(platform->prompts[0].message.contains("The run file is locked."));
    }

} // namespace
} // namespace lrv::test
