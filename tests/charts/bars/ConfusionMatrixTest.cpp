#include "charts/ConfusionMatrix.h"

#include "BarCharts.h"
#include "common/FakePlatform.h"
#include "common/TestConfiguration.h"
#include "host/HostConfiguration.h"
#include "support/Error.h"
#include "support/RegistryLib.h"

#include <gtest/gtest.h>

#include <QAbstractAxis>
#include <QApplication>
#include <QChart>
#include <QCheckBox>
#include <QLabel>
#include <QScrollBar>

using namespace lrv;

namespace {

class ConfusionMatrixTest : public ::testing::Test {
protected:
    void SetUp() override { test::FakePlatform::installFresh(); }
    void TearDown() override { HostConfiguration::set(nullptr); }

    /// A shown control; `percent` is the stored state of the percent box it starts with.
    std::unique_ptr<ConfusionMatrix> create(bool percent)
    {
        RegistryLib::SaveAppSetting(
            RegistryLib::kSection, QStringLiteral("ConfMatrixPercent"), QString::number(int(percent)));
        auto matrix = std::make_unique<ConfusionMatrix>();
        matrix->resize(760, 380);
        matrix->show();
        QApplication::processEvents();
        return matrix;
    }
    static void showCounts(ConfusionMatrix& matrix, const Vector<std::int32_t>& counts, int buckets = 10)
    {
        matrix.SetConfusionMatrixData(
            counts, test::confusionSeries(buckets), counts, test::confusionSeries(buckets), 1);
    }
    static QString text(const QWidget& matrix, const QString& name) { return matrix.findChild<QLabel*>(name)->text(); }
    /// The table as a user reads it: cells, totals, correct and wrong.
    static QStringList table(const QWidget& matrix)
    {
        QStringList texts;
        for (int i = 0; i < 4; ++i)
            texts << text(matrix, QStringLiteral("lblValues(%1)").arg(i));
        for (int i = 0; i < 5; ++i)
            texts << text(matrix, QStringLiteral("lblTotals(%1)").arg(i));
        return texts << text(matrix, QStringLiteral("lblTitle(0)")) << text(matrix, QStringLiteral("lblTitle(1)"));
    }
    static QScrollBar* scroll(const QWidget& matrix)
    {
        return matrix.findChild<QScrollBar*>(QStringLiteral("hsScroll"));
    }
    static QCheckBox* percentBox(const QWidget& matrix)
    {
        return matrix.findChild<QCheckBox*>(QStringLiteral("chkPercent"));
    }
};

TEST_F(ConfusionMatrixTest, TableShowsCountsOrSharesOfAllCasesAsThePercentBoxSaysAndTheBoxIsRemembered)
{
    // Cells TP, TN, FP, FN; totals PP, NP, APC, ANC and all; then correct and wrong.
    const QStringList counts { "40 (TP)", "50 (TN)", "3 (FP)", "7 (FN)", "43 (PP)", "57 (NP)", "47 (APC)", "53 (ANC)",
        "100", "90", "10" };
    const QStringList shares { "40.00% (TP)", "50.00% (TN)", "3.00% (FP)", "7.00% (FN)", "43.00% (PP)", "57.00% (NP)",
        "47.00% (APC)", "53.00% (ANC)", "100.00%", "90.00%", "10.00%" };
    auto matrix = create(true);
    showCounts(*matrix, { 40, 50, 3, 7 });
    EXPECT_EQ(table(*matrix), shares);
    percentBox(*matrix)->click();
    EXPECT_EQ(table(*matrix), counts);
    EXPECT_FALSE(percentBox(ConfusionMatrix())->isChecked()) << "a new control takes the stored state";
    percentBox(*matrix)->click();
    EXPECT_EQ(table(*matrix), shares);
    EXPECT_TRUE(percentBox(ConfusionMatrix())->isChecked());
    EXPECT_FALSE(percentBox(*create(false))->isChecked());
    test::FakePlatform::installFresh(); // no stored value: percentages
    EXPECT_TRUE(percentBox(ConfusionMatrix())->isChecked());
}

TEST_F(ConfusionMatrixTest, ItemChoosesBetweenRocAndLogisticDataAndMalformedCountsAreRefused)
{
    auto matrix = create(false);
    matrix->SetConfusionMatrixData(
        { 40, 50, 5, 5 }, test::confusionSeries(10), { 30, 60, 4, 6 }, test::confusionSeries(5), 0);
    matrix->SetMode(1);
    const test::BarChartProbe probe(matrix.get(), "chChart");
    for (const auto& [item, cell, buckets] : { std::tuple { 2, "30 (TP)", 5 }, { 1, "40 (TP)", 10 } }) {
        matrix->ShowItem(item);
        EXPECT_EQ(table(*matrix).first(), QLatin1String(cell));
        EXPECT_EQ(probe.categories().size(), buckets);
    }
    EXPECT_THROW(matrix->SetConfusionMatrixData(
                     { 1, 2, 3 }, test::confusionSeries(10), { 1, 2, 3, 4 }, test::confusionSeries(10), 1),
        Error);
    EXPECT_EQ(table(*matrix).first(), QStringLiteral("40 (TP)")) << "the shown data stays";
    matrix->ShowItem(0);
    EXPECT_EQ(table(*matrix).first(), QStringLiteral("30 (TP)"));
}

TEST_F(ConfusionMatrixTest, HundredBucketsScrollThroughWindowsOfThirty)
{
    test::TestConfiguration::install()->set(
        QStringLiteral("LogisticRegression.Chart.ConfMatrix.StreamingThreshold"), 30);
    auto matrix = create(false);
    showCounts(*matrix, { 40, 50, 5, 5 }, 100);
    EXPECT_FALSE(scroll(*matrix)->isVisible()); // table mode
    matrix->SetMode(1);
    ASSERT_TRUE(scroll(*matrix)->isVisible());
    EXPECT_EQ(scroll(*matrix)->maximum(), 71);
    const test::BarChartProbe probe(matrix.get(), "chChart");
    scroll(*matrix)->setValue(71);
    EXPECT_EQ(probe.categories().first(), QStringLiteral("71 "));
    EXPECT_EQ(probe.categories().last(), QStringLiteral("100 "));
    // Bucket 71 holds 71 TP, 355 TN, 213 FP and 71 FN.
    EXPECT_EQ(probe.values(0).first(), 10.0);
    EXPECT_EQ(probe.values(1).first(), 50.0);
    EXPECT_EQ(probe.values(2).first(), 30.0);
    test::moveTo(probe.view->viewport(), probe.segmentCentre(2, 3));
    EXPECT_EQ(probe.view->toolTip(), QStringLiteral("False Positives, Bucket 74, 30.0% (222)"));

    matrix->Reset();
    EXPECT_EQ(table(*matrix).first(), QStringLiteral("0 (TP)"));
    // No bucket labels, axis title or percentages stand without bars, and no scroll position stays behind.
    EXPECT_TRUE(probe.categories().isEmpty());
    for (QAbstractAxis* axis : probe.view->chart()->axes())
        EXPECT_FALSE(axis->isVisible());
    EXPECT_FALSE(scroll(*matrix)->isVisible());
    EXPECT_EQ(scroll(*matrix)->value(), 1);
}

TEST_F(ConfusionMatrixTest, BucketWithoutCasesDrawsAnEmptyBar)
{
    auto matrix = create(false);
    TableBuilder<std::int32_t> series(0, 1, 0, 3);
    series.set(1, 0, 4);
    matrix->SetConfusionMatrixData({ 4, 0, 0, 0 }, series.build(), { 4, 0, 0, 0 }, series.build(), 1);
    matrix->SetMode(1);
    EXPECT_EQ(test::BarChartProbe(matrix.get(), "chChart").values(0), QList<qreal>({ 0.0, 100.0 }));
}

} // namespace
