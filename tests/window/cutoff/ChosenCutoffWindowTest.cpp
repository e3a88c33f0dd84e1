// The chosen cutoff in the analysis window on the workbench's engine: real mouse and key events on the
// shown (offscreen) window, and every view following.
#include "charts/ChartComponent.h"
#include "charts/ChartsHelper.h"
#include "charts/ConfusionMatrix.h"
#include "charts/CutoffChart.h"
#include "charts/GainsChart.h"
#include "charts/LiftChart.h"
#include "charts/ROCChart.h"
#include "common/FakePlatform.h"
#include "presenters/WorkbenchHostCore.h"
#include "reports/PropertyGrid.h"
#include "reports/ReportGrid.h"
#include "reports/ReportRecordsModel.h"
#include "run/Run.h"
#include "support/NumberText.h"
#include "window/ChosenCutoffLink.h"
#include "window/frmDecile.h"

#include <algorithm>
#include <functional>
#include <gtest/gtest.h>

#include <QChart>
#include <QChartView>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QLineSeries>
#include <QRadioButton>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTest>

using namespace lrv;

namespace {

// Outputs 0.95 down to 0.05; positives at 0.95, 0.85, 0.65, 0.45, 0.15.
const char* const kScores = "id,target,score\n1,1,0.95\n2,1,0.85\n3,0,0.75\n4,1,0.65\n5,0,0.55\n"
                            "6,1,0.45\n7,0,0.35\n8,0,0.25\n9,1,0.15\n10,0,0.05\n";
enum Tab { kRocTab = 1, kCutoffTab = 2, kConfusionMatrixTab = 7 };

/// What every view must show for a chosen cutoff, worked out by hand from kScores.
struct Expected {
    std::int64_t tp, fp, tn, fn;
    double cutoffLow, cutoffHigh; ///< the cutoff lies in [low, high]
};

class ChosenCutoffWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        test::FakePlatform::installFresh();
        wb::WorkbenchHostCore::install();
        QFile csv(dir.filePath(QStringLiteral("train.csv")));
        ASSERT_TRUE(csv.open(QIODevice::WriteOnly));
        csv.write(kScores);
        csv.close();
        wb::RunDocument document;
        document.kind = 2;
        document.targetColumn = QStringLiteral("target");
        document.idColumn = QStringLiteral("id");
        document.dataSets[0] = wb::DataSetRecord { QStringLiteral("train.csv"), {}, 0 };
        document.models.push_back({ 1, QStringLiteral("score"), {}, -1, -1, -1, -1 });
        document.currentModel = 1;
        document.parameters[QStringLiteral("set_lr#Buckets")] = { RunParameterInt32, Variant(5) };
        document.parameters[QStringLiteral("set_lr#SelectedChart")] = { RunParameterInt32, Variant(1131) };
        run = std::make_shared<wb::Run>(dir.filePath(QStringLiteral("scores.run")), document);
        open();
    }

    void open()
    {
        window = std::make_unique<frmDecile>();
        std::shared_ptr<IRun> handle = run;
        window->Init(handle, -1, 0, 0);
        window->resize(1320, 880);
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        window->Activate();
        ASSERT_EQ(window->state(), WindowState::Idle);
    }

    template <typename T> T* child(const char* name) const
    {
        T* found = window->findChild<T*>(QLatin1String(name));
        EXPECT_TRUE(found) << name;
        return found;
    }

    void showChart(Tab tab)
    {
        child<QTabBar>("ssCharts")->setCurrentIndex(tab);
        QCoreApplication::processEvents();
    }

    /// Drags the cutoff chart's marker from one output to another with the left button.
    void dragCutoffMarker(double from, double to)
    {
        showChart(kCutoffTab);
        ChartComponent* component = child<CutoffChart>("chCutoff")->chartComponent();
        auto* view = component->findChild<QChartView*>();
        const auto pixel = [&](double output) {
            const QPointF inChart = component->chart()->mapToPosition(
                QPointF(output / component->axisUnit(Qt::Horizontal), 0.5), component->constantLine(2));
            return view->mapFromScene(component->chart()->mapToScene(inChart));
        };
        QTest::mousePress(view->viewport(), Qt::LeftButton, {}, pixel(from));
        QTest::mouseMove(view->viewport(), pixel((from + to) / 2));
        QTest::mouseMove(view->viewport(), pixel(to));
        QTest::mouseRelease(view->viewport(), Qt::LeftButton, {}, pixel(to));
    }

    /// Clicks the ROC curve at its point for a false-positive and a true-positive rate.
    void clickRoc(double fpr, double tpr)
    {
        showChart(kRocTab);
        auto* roc = child<ROCChart>("rcChart");
        const ChartPicture& picture = roc->picture();
        const double W = picture.plot().width(), H = picture.plot().height();
        const QPointF at = picture.toSurface(QPointF(W * fpr * ROCChart::kXFactor, (H - H * tpr) * ROCChart::kYFactor));
        QWidget* plot = roc->findChild<QWidget*>(QStringLiteral("pic"));
        ASSERT_TRUE(plot);
        QTest::mouseClick(plot, Qt::LeftButton, {}, (at - plot->pos()).toPoint());
    }

    void type(const QString& text)
    {
        auto* input = child<QLineEdit>("txtCutoff");
        input->selectAll();
        QTest::keyClicks(input, text);
        QTest::keyClick(input, Qt::Key_Return);
    }

    QString gridValue(const QString& caption) const
    {
        auto* grid = window->findChild<PropertyGrid*>(QStringLiteral("pgProperties"));
        for (const PropertyGrid::Item& category : grid->categories())
            if (category.caption() == QStringLiteral("Chosen Cutoff"))
                for (const PropertyGrid::Item& item : category.children())
                    if (item.caption() == caption)
                        return item.valueText();
        return QStringLiteral("(missing)");
    }

    /// Every view shows the same chosen cutoff, and its counts are the expected ones.
    void expectEveryViewFollows(const Expected& e)
    {
        const auto& figures = window->chosenCutoff()->figures();
        ASSERT_TRUE(figures);
        EXPECT_EQ((std::array<std::int64_t, 4> { figures->tp, figures->fp, figures->tn, figures->fn }),
            (std::array<std::int64_t, 4> { e.tp, e.fp, e.tn, e.fn }));
        EXPECT_GE(figures->cutoff, e.cutoffLow);
        EXPECT_LE(figures->cutoff, e.cutoffHigh);
        const double n = double(e.tp + e.fp + e.tn + e.fn);
        const double fpr = double(e.fp) / double(e.fp + e.tn), tpr = double(e.tp) / double(e.tp + e.fn);

        EXPECT_EQ(child<QLabel>("lblChosenPoint")->text(),
            QStringLiteral("%1, %2").arg(roundedText(fpr, 4), roundedText(tpr, 4)));
        ChartComponent* cutoff = child<CutoffChart>("chCutoff")->chartComponent();
        EXPECT_TRUE(cutoff->isConstantLineVisible(2));
        EXPECT_DOUBLE_EQ(cutoff->constantLineValue(2), figures->cutoff);
        for (const char* name : { "chGains", "chLift" }) {
            SCOPED_TRACE(name);
            const ChartPicture& marks = child<DrawnChart>(name)->marks();
            const bool marked = std::any_of(marks.series.begin(), marks.series.end(), [&](const ChartStroke& s) {
                return s.color == DrawnChart::chosenCutoffColor() && s.from.x() == s.to.x()
                    && std::abs(s.from.x() - 100 * (e.tp + e.fp) / n) < 1e-9;
            });
            EXPECT_TRUE(marked) << "a vertical marker at the share predicted positive";
        }
        showChart(kConfusionMatrixTab);
        // On the button's circle: the button is wider than what takes a click.
        QTest::mouseClick(child<QRadioButton>("optConfMatrixType(2)"), Qt::LeftButton, {}, QPoint(8, 10));
        auto* matrix = child<ConfusionMatrix>("confMatrix");
        EXPECT_EQ(matrix->findChild<QLabel*>(QStringLiteral("lblValues(0)"))->toolTip(), QString::number(e.tp));
        EXPECT_EQ(matrix->findChild<QLabel*>(QStringLiteral("lblValues(3)"))->toolTip(), QString::number(e.fn));
        EXPECT_EQ(gridValue(QStringLiteral("TP")), QStringLiteral("%1 (%2%)").arg(e.tp).arg(100 * e.tp / n, 0, 'f', 2));
        EXPECT_EQ(gridValue(QStringLiteral("Sensitivity")), defaultNumberText(tpr));
        // The ROC report highlights the row of the last record predicted positive: rank TP + FP.
        child<QTabBar>("ssReports")->setCurrentIndex(1);
        ReportRecordsModel& records = child<ReportGrid>("rcDecile")->records();
        for (int record = 0; record < records.recordCount(); ++record)
            EXPECT_EQ(records.itemBackground(record, 0).has_value(), record == int(e.tp + e.fp) - 1) << record;
    }

    QTemporaryDir dir;
    std::shared_ptr<wb::Run> run;
    std::unique_ptr<frmDecile> window;
};

TEST_F(ChosenCutoffWindow, DragClickAndTypeMoveEveryView)
{
    // Youden's cutoff first: J is largest (0.4) at 0.85, 0.65 and 0.45; the first in ranking order counts.
    expectEveryViewFollows({ 2, 0, 5, 3, 0.85, 0.85 });

    struct Move {
        const char* what;
        std::function<void()> act;
        Expected expected;
    };
    const std::vector<Move> moves = {
        { "drag the marker between 0.55 and 0.65", [this] { dragCutoffMarker(0.85, 0.6); },
            { 3, 1, 4, 2, 0.56, 0.64 } },
        { "click the ROC point of 0.45", [this] { clickRoc(0.4, 0.8); }, { 4, 2, 3, 1, 0.45, 0.45 } },
        { "type a rule", [this] { type(QStringLiteral("top=30%")); }, { 2, 1, 4, 3, 0.75, 0.75 } },
        { "type a value above every output", [this] { type(QStringLiteral("2")); }, { 0, 0, 5, 5, 2, 2 } },
    };
    for (const Move& move : moves) {
        SCOPED_TRACE(move.what);
        move.act();
        expectEveryViewFollows(move.expected);
    }
    EXPECT_TRUE(child<QLabel>("lblCutoffNote")->text().contains(QStringLiteral("outside the outputs")));
}

TEST_F(ChosenCutoffWindow, BadRulesSayWhatIsAllowedAndLoseNothing)
{
    type(QStringLiteral("sensitivity=0.8"));
    for (const char* bad : { "sensitivity=1.5", "top=0%", "cost=-1:2", "text" }) {
        SCOPED_TRACE(bad);
        type(QString::fromLatin1(bad));
        EXPECT_TRUE(child<QLabel>("lblCutoffNote")->text().contains(QStringLiteral("Allowed:")));
        EXPECT_EQ(child<QLineEdit>("txtCutoff")->text(), bad) << "the text stays to correct";
        EXPECT_EQ(window->chosenCutoff()->figures()->rule, QStringLiteral("sensitivity=0.8"));
        EXPECT_EQ(run->parameterList()->item(QStringLiteral("set_lr#ChosenCutoff.1.1")).value.text(),
            QStringLiteral("sensitivity=0.8"));
    }
}

TEST_F(ChosenCutoffWindow, TheRuleIsKeptInTheRunAndRestoredWhenTheWindowReopens)
{
    type(QStringLiteral("sensitivity=0.8"));
    type(QStringLiteral("top=30%")); // the run keeps the last rule
    window->close();
    run->save();
    run = wb::Run::open(dir.filePath(QStringLiteral("scores.run")));
    open();
    EXPECT_EQ(child<QLineEdit>("txtCutoff")->text(), QStringLiteral("top=30%"));
    expectEveryViewFollows({ 2, 1, 4, 3, 0.75, 0.75 });
}

}
