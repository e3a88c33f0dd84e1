#include "ReportTestTables.h"
#include "common/TestConfiguration.h"
#include "reports/ConfMatrixReport.h"
#include "reports/CutoffReport.h"
#include "reports/LogisticFitReport.h"
#include "reports/QuantileReport.h"
#include "reports/ReportGrid.h"
#include "reports/RocReport.h"

#include <gtest/gtest.h>
#include <memory>

#include <QClipboard>
#include <QGuiApplication>

using namespace lrv;

namespace {

const OleColor kError = rgb(250, 200, 200);
const OleColor kThreshold = rgb(200, 250, 200);
const OleColor kLogistic = rgb(200, 200, 250);

class PerRecordReportsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        auto configuration = test::TestConfiguration::install();
        configuration->setColor(QStringLiteral("LogisticRegression.Grid.RowColor.CalculationError"), kError);
        configuration->setColor(QStringLiteral("LogisticRegression.Cutoff.Chart.Threshold.Backcolor"), kThreshold);
        configuration->setColor(QStringLiteral("LogisticRegression.Logistic.Threshold.Backcolor"), kLogistic);
    }

    std::optional<OleColor> rowColor(int row) const { return grid.itemBackground(row, 0); }

    ReportGrid grid;
};

// A ROC results row: output 0.5, sensitivity 0.5, false-positive rate 1, predicted class 1, the rest as given or 0.
std::vector<double> rocRow(double id, double target, double errorFlag = 0, double match = 1, double outcome = 0)
{
    std::vector<double> row(kCountOf<RocColumn>, 0.0);
    const auto set = [&row](RocColumn column, double value) { row[std::size_t(index(column))] = value; };
    set(RocColumn::Id, id);
    set(RocColumn::Target, target);
    set(RocColumn::Output, 0.5);
    set(RocColumn::Sensitivity, 0.5);
    set(RocColumn::FalsePositiveRate, 1);
    set(RocColumn::ErrorFlag, errorFlag);
    set(RocColumn::PredictedClass, 1);
    set(RocColumn::Match, match);
    set(RocColumn::Outcome, outcome);
    return row;
}

// A probabilities row: id, target, output, log odds, odds, P(1), P(0), class, match, error flag.
std::vector<double> probabilityRow(double id, double target, double mostLikely, double match, double errorFlag = 0)
{
    return { id, target, 0.5, 0.1, 1.1, 0.25, 0.75, mostLikely, match, errorFlag };
}

Table<double> probabilitiesWithClasses(const std::vector<double>& classes)
{
    std::vector<std::vector<double>> rows;
    for (std::size_t r = 0; r < classes.size(); ++r)
        rows.push_back(probabilityRow(double(r), classes[r], classes[r], 1));
    return test::doubleRows(rows);
}

std::vector<int> highlightedRows(const ReportGrid& grid)
{
    std::vector<int> rows;
    for (int row = 0; row < grid.rowCount(); ++row)
        if (grid.itemBackground(row, 0))
            rows.push_back(row);
    return rows;
}

TEST_F(PerRecordReportsTest, RowLimitShows100000RowsAndFlagsOnlyACutTable)
{
    const std::pair<std::shared_ptr<IDataReport>, int> reports[]
        = { { std::make_shared<RocReport>(), 16 }, { std::make_shared<CutoffReport>(), 16 },
              { std::make_shared<LogisticFitReport>(), 10 }, { std::make_shared<ConfMatrixReport>(), 10 } };
    for (const auto& [report, columns] : reports) {
        SCOPED_TRACE(report->Index());
        const auto idTable = [columns = columns](int rowHigh) {
            return test::computedDoubles(rowHigh, columns - 1, [](int r, int c) { return c == 0 ? r : 0.0; });
        };
        report->Init(&grid);

        report->SetDataSourceDbl(idTable(99999));
        report->Refresh();
        EXPECT_EQ(grid.rowCount(), 100000);
        EXPECT_FALSE(report->HasMoreThanMaxRows());

        report->SetDataSourceDbl(idTable(100000));
        report->Refresh();
        EXPECT_EQ(grid.rowCount(), 100000);
        EXPECT_EQ(grid.itemText(99999, 0), "99999");
        EXPECT_TRUE(report->HasMoreThanMaxRows());

        // The copy is not cut: a header line and 100001 data lines, the last one for id 100000.
        const QString text = report->AllDataText();
        const QStringList lines = text.split("\r\n");
        EXPECT_EQ(lines.size(), 1 + 100001);
        EXPECT_TRUE(lines.back().startsWith("100000\t"));
        EXPECT_FALSE(text.endsWith("\r\n"));
        report->CopyAllData();
        EXPECT_EQ(QGuiApplication::clipboard()->text(), text);

        // A file takes the same lines as they are formatted, in blocks of whole lines, the last line ended; a row
        // limit writes the header and the first rows.
        for (const int limit : { -1, 2 }) {
            QByteArray written;
            int blocks = 0;
            TableTextWriter writer(
                [&](QByteArrayView block) {
                    ++blocks;
                    EXPECT_TRUE(block.endsWith('\n'));
                    written.append(block);
                },
                u"\n");
            EXPECT_EQ(report->WriteAllData(writer, limit), limit < 0 ? 100001 : limit);
            writer.flush();
            EXPECT_EQ(QString::fromUtf8(written), lines.mid(0, limit < 0 ? -1 : limit + 1).join("\n") + "\n");
            EXPECT_TRUE(limit > 0 || blocks > 1);
        }

        // A smaller table after a cut one is shown whole and says so.
        report->SetDataSourceDbl(idTable(49999));
        report->Refresh();
        EXPECT_EQ(grid.rowCount(), 50000);
        EXPECT_FALSE(report->HasMoreThanMaxRows());
    }
}

TEST_F(PerRecordReportsTest, IdsShowAsTheFileWritesThemAndCopiesAreHeadedByTheGrid)
{
    // Keys 1 and 2 stand for ids the file writes as texts; the threshold is found by key.
    struct FileIds : CellTexts {
        std::optional<QString> text(int col, double value) const override
        {
            return col != 0 ? std::nullopt
                            : std::optional(value == 1 ? QStringLiteral("C00109") : QStringLiteral("9007199254740993"));
        }
    };
    const auto ids = std::make_shared<FileIds>();
    RocReport roc;
    roc.SetThresholdId(2);
    ConfMatrixReport matrix;
    const std::pair<TableReport*, Table<double>> cases[] = {
        { &roc, test::doubleRows({ rocRow(1, 1), rocRow(2, 0) }).withTexts(ids) },
        { &matrix, test::doubleRows({ probabilityRow(1, 1, 1, 1), probabilityRow(2, 0, 0, 1) }).withTexts(ids) },
    };
    for (const auto& [report, data] : cases) {
        SCOPED_TRACE(report->Index());
        report->Init(&grid);
        report->SetDataSourceDbl(data);
        report->Refresh();
        EXPECT_EQ(grid.itemText(1, 0), "9007199254740993");
        EXPECT_EQ(report->ColumnText(0), "Id\r\nC00109\r\n9007199254740993");
        EXPECT_TRUE(report->AllDataText().split("\r\n")[1].startsWith("C00109\t1\t"));
    }
    roc.Init(&grid);
    roc.Refresh();
    EXPECT_EQ(highlightedRows(grid), std::vector<int>({ 1 }));
    // The header line is what the grid shows, even when another report built its columns last.
    QuantileReport quantiles;
    quantiles.Init(&grid);
    EXPECT_TRUE(roc.AllDataText().startsWith("Quantile\t"));
}

TEST_F(PerRecordReportsTest, WholeRowsShowErrorsThresholdsAndClassChangesTheThresholdWinning)
{
    const auto withThreshold = [](std::shared_ptr<TableReport> report, std::int32_t id) {
        report->SetThresholdId(id);
        return report;
    };
    const auto fit = std::make_shared<LogisticFitReport>();
    // Ids 5 to 7 and 0; the first two are calculation errors.
    const Table<double> roc = test::doubleRows({ rocRow(5, 1, 1), rocRow(6, 0, 1), rocRow(7, 0, 0), rocRow(0, 1, 0) });
    const std::optional<OleColor> none;
    const struct {
        const char* name;
        std::shared_ptr<TableReport> report;
        Table<double> data;
        std::vector<std::optional<OleColor>> colours;
    } cases[] = {
        { "ROC, threshold on an error row", withThreshold(std::make_shared<RocReport>(), 6), roc,
            { kError, kThreshold, none, none } },
        { "cutoff, threshold on an error row", withThreshold(std::make_shared<CutoffReport>(), 6), roc,
            { kError, kThreshold, none, none } },
        { "ROC, threshold id 0", withThreshold(std::make_shared<RocReport>(), 0), roc,
            { kError, kError, none, kThreshold } },
        { "ROC, an id in no row", withThreshold(std::make_shared<RocReport>(), 42), roc,
            { kError, kError, none, none } },
        { "fit, a class change", fit, probabilitiesWithClasses({ 0, 0, 0, 1, 1 }),
            { none, none, kLogistic, none, none } },
        { "fit, the last pair is not examined", fit, probabilitiesWithClasses({ 0, 0, 0, 0, 1 }),
            { none, none, none, none, none } },
        { "fit, two changes", fit, probabilitiesWithClasses({ 0, 0, 1, 1, 0, 0 }),
            { none, kLogistic, none, kLogistic, none, none } },
        { "fit, one record", fit, probabilitiesWithClasses({ 1 }), { none } },
        { "matrix, the threshold is the last row before the change",
            withThreshold(std::make_shared<ConfMatrixReport>(), 1),
            test::doubleRows({ probabilityRow(0, 0, 0, 1, 1), probabilityRow(1, 0, 0, 1), probabilityRow(2, 1, 1, 1),
                probabilityRow(3, 1, 1, 1) }),
            { kError, kLogistic, none, none } },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        c.report->Init(&grid);
        c.report->SetDataSourceDbl(c.data);
        c.report->Refresh();
        std::vector<std::optional<OleColor>> shown;
        for (int row = 0; row < grid.rowCount(); ++row) {
            shown.push_back(rowColor(row));
            EXPECT_EQ(grid.itemBackground(row, grid.columnCount() - 1), rowColor(row)) << "the whole row, " << row;
        }
        EXPECT_EQ(shown, c.colours);
    }
}

TEST_F(PerRecordReportsTest, MatchAndOutcomeShowAsWordsAndACalculationErrorAsNoneInGridAndCopy)
{
    const auto shownRows = [&] {
        QStringList rows;
        for (int r = 0; r < grid.rowCount(); ++r) {
            QStringList cells;
            for (int c = 0; c < grid.columnCount(); ++c)
                cells << grid.itemText(r, c);
            rows << cells.join('\t');
        }
        return rows;
    };
    // Error rows of the engine come first: NaN output and probabilities, match 0, the outcome code -1.
    const double nan = std::nan("");
    std::vector<double> rocError = rocRow(4, 1, 1, 0, -1);
    rocError[index(RocColumn::Output)] = nan;
    const std::vector<double> probabilityError { 4, 1, nan, nan, nan, nan, nan, 0, 0, 1 };
    const struct {
        std::shared_ptr<TableReport> report;
        Table<double> data;
        QStringList lines; // what the grid shows and the copy holds, without the header
    } cases[] = {
        { std::make_shared<ConfMatrixReport>(),
            test::doubleRows({ probabilityError, probabilityRow(1, 1, 0, 0), probabilityRow(2, 0, 0, 1),
                probabilityRow(3, 1, 1, 1), probabilityRow(4, 0, 1, 0) }),
            { "4\t1\tNaN\tNaN\tNaN\t0\t\tCalculation Error", "1\t1\t0.5\t0.25\t0.75\t0\tWrong\tFalse Neg.",
                "2\t0\t0.5\t0.25\t0.75\t0\tOK\tTrue Neg.", "3\t1\t0.5\t0.25\t0.75\t1\tOK\tTrue Pos.",
                "4\t0\t0.5\t0.25\t0.75\t1\tWrong\tFalse Pos." } },
        { std::make_shared<LogisticFitReport>(), test::doubleRows({ probabilityError, probabilityRow(9, 1, 0, 0) }),
            { "4\t1\tNaN\tNaN\tNaN\tNaN\tNaN\t0\t", "9\t1\t0.5\t0.1\t1.1\t0.25\t0.75\t0\tWrong" } },
        { std::make_shared<CutoffReport>(),
            test::doubleRows({ rocError, rocRow(1, 1, 0, 1, 0), rocRow(2, 0, 0, 0, 4), rocRow(3, 0, 0, 0, 2) }),
            { "4\t1\tNaN\t0.5\t0\t1\t0\t0\t1\t\tCalculation Error", "1\t1\t0.5\t0.5\t0\t1\t0\t0\t1\tOK\tTrue Pos.",
                "2\t0\t0.5\t0.5\t0\t1\t0\t0\t1\tWrong\t", "3\t0\t0.5\t0.5\t0\t1\t0\t0\t1\tWrong\tFalse Pos." } },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.report->Index());
        c.report->Init(&grid);
        c.report->SetDataSourceDbl(c.data);
        c.report->Refresh();
        EXPECT_EQ(shownRows(), c.lines);
        EXPECT_EQ(c.report->AllDataText().split("\r\n").mid(1), c.lines);
        EXPECT_EQ(rowColor(0), kError);
    }
}

} // namespace
