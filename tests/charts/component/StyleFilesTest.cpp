#include "../ScoredTables.h"
#include "charts/ChartComponent.h"
#include "charts/ChartStyleFolder.h"
#include "charts/ChartsHelper.h"
#include "charts/CutoffChart.h"
#include "charts/LogisticFitChart.h"
#include "host/IHostCore.h"
#include "support/Error.h"
#include "support/XTremeChartsHelper.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QLineSeries>
#include <QTemporaryDir>
#include <QValueAxis>

using namespace lrv;
using lrv::test::rows;

namespace {

/// A host core that names a style folder; presenters are not needed here.
class StyleFolderHostCore : public IHostCore, public HostEnvironment {
public:
    explicit StyleFolderHostCore(QString folder)
        : m_folder(std::move(folder))
    {
    }
    std::shared_ptr<DecileLoadPresenter> createLoadPresenter() override { return nullptr; }
    std::shared_ptr<CalculatePresenter> createCalculatePresenter() override { return nullptr; }
    std::unique_ptr<RunStore> createRunStore() override { return nullptr; }
    std::shared_ptr<HostEnvironment> hostEnvironment() override
    {
        return std::shared_ptr<HostEnvironment>(std::shared_ptr<void>(), this);
    }
    QString folder() const override { return m_folder; }

private:
    QString m_folder;
};

/// A fresh style folder as the host's while it lives; the host core installed before comes back afterwards.
class TemporaryStyleFolder {
public:
    /// A host may name the folder with or without a trailing separator.
    explicit TemporaryStyleFolder(bool trailingSeparator = true)
        : m_previous(HostCore::install(std::make_shared<StyleFolderHostCore>(
            m_folder.path() + (trailingSeparator ? QStringLiteral("/") : QString()))))
    {
    }
    ~TemporaryStyleFolder() { HostCore::install(m_previous); }
    QString path() const { return m_folder.path(); }
    void write(const QString& fileName, const QByteArray& text) const
    {
        QFile file(QDir(m_folder.path()).filePath(fileName));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
    }

private:
    QTemporaryDir m_folder;
    std::shared_ptr<IHostCore> m_previous;
};

QString shipped(const char* name) { return QStringLiteral(LRV_SOURCE_DIR "/styles/") + QLatin1String(name); }

TEST(StyleFiles, ShippedFilesHoldWhatTheirChartsUse)
{
    const struct {
        const char* content;
        const char* palette;
        std::size_t series;
        std::size_t constantLines;
    } files[] = {
        { "LRCutoffPoints.xml", "LRCutoffPointsPalette.xml", 4, 2 },
        { "LRLogisticFit.xml", "LRLogisticFitPalette.xml", 3, 0 },
        { "LRLogisticFit.xml", "LRLogisticFitPaletteNoDummyPoints.xml", 3, 0 },
        { "LRLogOddsChart.xml", "ScatterPlotChartPalette.xml", 2, 0 },
        { "LRQuantileRegressionChart.xml", "ScatterPlotChartPalette.xml", 2, 0 },
    };
    for (const auto& file : files) {
        SCOPED_TRACE(file.content);
        const ChartContentStyle content = XTremeChartsHelper::ReadChartContent(shipped(file.content));
        const ChartPaletteStyle palette = XTremeChartsHelper::ReadChartPalette(shipped(file.palette));
        EXPECT_EQ(content.series.size(), file.series);
        EXPECT_EQ(content.constantLines.size(), file.constantLines);
        EXPECT_FALSE(content.axisX.title.isEmpty());
        EXPECT_FALSE(content.axisY.title.isEmpty());
        ASSERT_GE(palette.seriesColors.size(), file.series);
        ASSERT_GE(palette.constantLineColors.size(), file.constantLines);
        // Every series in its own colour, so that the legend tells them apart.
        for (std::size_t i = 0; i < file.series; ++i)
            for (std::size_t j = i + 1; j < file.series; ++j)
                EXPECT_NE(palette.seriesColors[i].rgb(), palette.seriesColors[j].rgb());
    }
}

TEST(StyleFiles, ContentAttributesReachTheComponent)
{
    TemporaryStyleFolder folder;
    folder.write(QStringLiteral("LRCutoffPoints.xml"), R"(<?xml version="1.0"?>
<ChartStyle version="1"><Palette><Series color="#000000"/></Palette><Content>
  <Title text="Rates by cutoff"/><Background color="#F0F0E0"/><AxisX title="Score" labels="true"/>
  <AxisY title="Share" min="0" max="1"/><FutureElement/><ConstantLine name="Here" style="dot"/>
  <Series name="A" width="4"/><Series name="B"/><Series name="C" kind="scatter" marker="square"/><Series name="D"/>
  <Series name="E, extra"/>
</Content></ChartStyle>)");
    folder.write(QStringLiteral("LRCutoffPointsPalette.xml"),
        R"(<ChartStyle><Palette><Series color="#112233"/><ConstantLine color="#445566"/></Palette></ChartStyle>)");
    CutoffChart chart;
    ChartComponent& component = *chart.chartComponent();
    EXPECT_EQ(component.title(), QStringLiteral("Rates by cutoff"));
    EXPECT_EQ(component.backgroundColor(), QColor(0xF0, 0xF0, 0xE0));
    EXPECT_EQ(component.axis(Qt::Horizontal)->titleText(), QStringLiteral("Score"));
    ASSERT_EQ(component.seriesCount(), 5);
    EXPECT_EQ(component.series(0)->name(), QStringLiteral("A"));
    EXPECT_EQ(component.series(0)->pen().widthF(), 4);
    EXPECT_EQ(component.series(0)->pen().color(), QColor(0x11, 0x22, 0x33));
    EXPECT_EQ(component.series(2)->type(), QAbstractSeries::SeriesTypeScatter);
    EXPECT_EQ(component.constantLine(0)->pen().style(), Qt::DotLine);
    EXPECT_EQ(component.constantLine(0)->pen().color(), QColor(0x44, 0x55, 0x66));
    // Beyond what the file names, the built-in look remains.
    EXPECT_EQ(component.constantLine(1)->name(), QStringLiteral("Logistic cutoff (LCP)"));
}

TEST(StyleFiles, MissingOrMalformedFilesLeaveTheBuiltInChart)
{
    const struct {
        const char* name;
        QByteArray content; // empty: no file at all
    } cases[] = {
        { "missing", {} },
        { "not XML", "this is not a style file" },
        { "bad colour", "<ChartStyle><Content><Background color=\"#nothex\"/></Content></ChartStyle>" },
        { "unknown kind", "<ChartStyle><Content><Series kind=\"pie\"/></Content></ChartStyle>" },
        { "other root", "<Chart><Content/></Chart>" },
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.name);
        TemporaryStyleFolder folder;
        if (!test.content.isEmpty()) {
            folder.write(QStringLiteral("LRCutoffPoints.xml"), test.content);
            folder.write(QStringLiteral("LRCutoffPointsPalette.xml"), test.content);
        }
        CutoffChart chart;
        chart.resize(500, 350);
        ChartComponent& component = *chart.chartComponent();
        ASSERT_EQ(component.seriesCount(), 4);
        EXPECT_EQ(component.series(0)->name(), QStringLiteral("Sens (TPR)"));
        EXPECT_EQ(component.axis(Qt::Vertical)->titleText(), QStringLiteral("Rate"));
        EXPECT_NE(component.series(0)->pen().color(), component.series(1)->pen().color());
        chart.SetDataSource(rows<double>(0, { { 0.2, 1, 0, 1, 0 }, { 0.8, 0, 1, 0, 1 }, { 0.8, 0, 1, 0, 1 } }));
        chart.Refresh();
        EXPECT_TRUE(chart.findChild<QLineEdit*>(QStringLiteral("txtInvalidData"))->isHidden());
        EXPECT_EQ(component.pointCount(3), 2);
    }
}

TEST(StyleFiles, EachLoadReadsTheFileAfreshFromAFolderNamedWithoutSeparator)
{
    TemporaryStyleFolder folder(false);
    QFile::copy(shipped("LRLogisticFit.xml"), QDir(folder.path()).filePath(QStringLiteral("LRLogisticFit.xml")));
    folder.write(QStringLiteral("LRLogisticFitPaletteNoDummyPoints.xml"),
        R"(<ChartStyle><Palette><Series color="#000001"/><Series color="#000002"/><Series color="#0000AA"/></Palette></ChartStyle>)");
    LogisticFitChart chart;
    chart.SetDataSource(rows<double>(0, { { 1, 0, 0.1, 0, 0, 0.2 }, { 2, 1, 0.9, 0, 0, 0.8 } }));
    chart.AddDataSource(rows<double>(0, { { 0, 0.1, 0 }, { 1, 0.9, 1 } }));
    chart.Refresh();
    EXPECT_EQ(chart.chartComponent()->series(2)->pen().color(), QColor(0, 0, 0xAA));

    folder.write(QStringLiteral("LRLogisticFitPaletteNoDummyPoints.xml"),
        R"(<ChartStyle><Palette><Series color="#000001"/><Series color="#000002"/><Series color="#00AA00"/></Palette></ChartStyle>)");
    chart.Refresh();
    EXPECT_EQ(chart.chartComponent()->series(2)->pen().color(), QColor(0, 0xAA, 0));
}

TEST(AxisLabelFormat, ScientificForHugeOrTinyEndsInEitherOrder)
{
    const struct {
        double low, high;
        int format;
    } cases[] = { { 0, 1, 0 }, { -0.5, 0.5, 0 }, { 0, 999999, 0 }, { 0, 1000000, 20 }, { -2e6, 0, 20 }, { 3e6, 1, 20 },
        { 0, 1e-9, 0 } /* a low end of 0 keeps general numbers */, { 1e-9, 0.5, 20 }, { 0.5, -1e-10, 20 },
        { 1e-8, 1, 0 } };
    for (const auto& test : cases) {
        SCOPED_TRACE(testing::Message() << test.low << " .. " << test.high);
        EXPECT_EQ(ChartsHelper::AxisLabelFormatFor(test.low, test.high), test.format);
    }
}

} // namespace
