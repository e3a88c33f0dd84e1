#include "../ScoredTables.h"
#include "charts/ChartComponent.h"
#include "charts/CutoffChart.h"
#include "charts/LogisticFitChart.h"
#include "host/IHostCore.h"

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

/// The host names a fresh style folder, with or without a trailing separator, while a test runs; the host core
/// installed before comes back afterwards.
class StyleFiles : public ::testing::Test, public IHostCore, public HostEnvironment {
protected:
    void SetUp() override { m_previous = HostCore::install(std::shared_ptr<IHostCore>(std::shared_ptr<void>(), this)); }
    void TearDown() override { HostCore::install(m_previous); }
    std::shared_ptr<DecileLoadPresenter> createLoadPresenter() override { return nullptr; }
    std::shared_ptr<CalculatePresenter> createCalculatePresenter() override { return nullptr; }
    std::unique_ptr<RunStore> createRunStore() override { return nullptr; }
    std::shared_ptr<HostEnvironment> hostEnvironment() override
    {
        return std::shared_ptr<HostEnvironment>(std::shared_ptr<void>(), this);
    }
    QString folder() const override { return m_folder.path() + separator; }

    void write(const QString& fileName, const QByteArray& text) const
    {
        QFile file(QDir(m_folder.path()).filePath(fileName));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
    }

    QString separator = QStringLiteral("/");

private:
    QTemporaryDir m_folder;
    std::shared_ptr<IHostCore> m_previous;
};

TEST_F(StyleFiles, ContentAttributesReachTheComponent)
{
    write(QStringLiteral("LRCutoffPoints.xml"), R"(<?xml version="1.0"?>
<ChartStyle version="1"><Palette><Series color="#000000"/></Palette><Content>
  <Title text="Rates by cutoff"/><Background color="#F0F0E0"/><AxisX title="Score" labels="true"/>
  <AxisY title="Share" min="0" max="1"/><FutureElement/><ConstantLine name="Here" style="dot"/>
  <Series name="A" width="4"/><Series name="B"/><Series name="C" kind="scatter" marker="square"/><Series name="D"/>
  <Series name="E, extra"/>
</Content></ChartStyle>)");
    write(QStringLiteral("LRCutoffPointsPalette.xml"),
        R"(<ChartStyle><Palette><Series color="#112233"/><ConstantLine color="#445566"/></Palette></ChartStyle>)");
    CutoffChart chart;
    ChartComponent& component = *chart.chartComponent();
    EXPECT_EQ(component.title(), QStringLiteral("Rates by cutoff"));
    EXPECT_EQ(component.backgroundColor(), QColor(0xF0, 0xF0, 0xE0));
    EXPECT_EQ(component.axis(Qt::Horizontal)->titleText(), QStringLiteral("Score"));
    ASSERT_EQ(component.seriesCount(), 5);
    EXPECT_EQ(component.series(0)->name(), QStringLiteral("A"));
    EXPECT_EQ(component.series(0)->pen().color(), QColor(0x11, 0x22, 0x33));
    EXPECT_EQ(component.series(2)->type(), QAbstractSeries::SeriesTypeScatter);
    EXPECT_EQ(component.constantLine(0)->pen().style(), Qt::DotLine);
    EXPECT_EQ(component.constantLine(0)->pen().color(), QColor(0x44, 0x55, 0x66));
    // Beyond what the file names, the built-in look remains.
    EXPECT_EQ(component.constantLine(1)->name(), QStringLiteral("Logistic cutoff (LCP)"));
}

TEST_F(StyleFiles, MissingOrMalformedFilesLeaveTheBuiltInChart)
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
        if (!test.content.isEmpty()) { // "missing" comes first, before any file is written
            write(QStringLiteral("LRCutoffPoints.xml"), test.content);
            write(QStringLiteral("LRCutoffPointsPalette.xml"), test.content);
        }
        CutoffChart chart;
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

TEST_F(StyleFiles, EachLoadReadsTheFileAfreshFromAFolderNamedWithoutSeparator)
{
    separator.clear();
    QFile::copy(
        QStringLiteral(LRV_SOURCE_DIR "/styles/LRLogisticFit.xml"), folder() + QStringLiteral("/LRLogisticFit.xml"));
    write(QStringLiteral("LRLogisticFitPaletteNoDummyPoints.xml"),
        R"(<ChartStyle><Palette><Series color="#000001"/><Series color="#000002"/><Series color="#0000AA"/></Palette></ChartStyle>)");
    LogisticFitChart chart;
    chart.SetDataSource(rows<double>(0, { { 1, 0, 0.1, 0, 0, 0.2 }, { 2, 1, 0.9, 0, 0, 0.8 } }));
    chart.AddDataSource(rows<double>(0, { { 0, 0.1, 0 }, { 1, 0.9, 1 } }));
    chart.Refresh();
    EXPECT_EQ(chart.chartComponent()->series(2)->pen().color(), QColor(0, 0, 0xAA));

    write(QStringLiteral("LRLogisticFitPaletteNoDummyPoints.xml"),
        R"(<ChartStyle><Palette><Series color="#000001"/><Series color="#000002"/><Series color="#00AA00"/></Palette></ChartStyle>)");
    chart.Refresh();
    EXPECT_EQ(chart.chartComponent()->series(2)->pen().color(), QColor(0, 0xAA, 0));
}

} // namespace
