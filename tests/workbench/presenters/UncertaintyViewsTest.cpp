// The analysis window with the workbench as its host: the calibration tab, the Wilson error bars, the
// uncertainty statistics and the Compare Models command, on outputs of every scale.
#include "charts/CalibrationChart.h"
#include "charts/PercentBarPlot.h"
#include "common/FakePlatform.h"
#include "engine/Uncertainty.h"
#include "presenters/CompareModels.h"
#include "presenters/DatasetCache.h"
#include "presenters/WorkbenchHostCore.h"
#include "reports/PropertyGrid.h"
#include "run/Run.h"
#include "run/RunFile.h"
#include "window/frmDecile.h"
#include "workbench/Program.h"

#include <cmath>
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QPushButton>
#include <QTabBar>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

using namespace wb;

namespace {

constexpr int kRecords = 300;
constexpr int kBuckets = 10;

/// One model per scale of output; the first's outputs are probabilities.
struct Scale {
    const char* column;
    double (*output)(double probability);
};
const Scale kScales[] = {
    { "probability", [](double p) { return p; } },
    { "tiny", [](double p) { return p * 1e-12; } },
    { "huge", [](double p) { return p * 1e12; } },
    { "integer", [](double p) { return std::round(p * 100); } },
    { "offset", [](double p) { return 1e9 + p * 1e-3; } },
};

class UncertaintyViews : public ::testing::Test {
protected:
    void SetUp() override
    {
        lrv::test::FakePlatform::installFresh();
        WorkbenchHostCore::install();
        // A model that ranks well but not perfectly: the class follows the probability with some noise.
        RunDocument document;
        document.targetColumn = "target";
        document.idColumn = "id";
        document.dataSets[0] = DataSetRecord { "train.csv", {}, 0 };
        document.parameters["set_lr#Buckets"] = { lrv::RunParameterInt32, lrv::Variant(kBuckets) };
        QString csv = "id,target";
        for (const Scale& scale : kScales) {
            csv += QLatin1Char(',') + QLatin1String(scale.column);
            document.models.push_back({ std::int32_t(document.models.size() + 1), scale.column, {}, -1, -1, -1, -1 });
        }
        document.models[0].trainingFitness = 0.5;
        for (int i = 0; i < kRecords; ++i) {
            const double p = (i + 0.5) / kRecords;
            const int cls = std::fmod(i * 0.6180339887, 1.0) < p ? 1 : 0;
            csv += QString("\n%1,%2").arg(i + 1).arg(cls);
            for (const Scale& scale : kScales)
                csv += QLatin1Char(',') + QString::number(scale.output(p), 'g', 17);
            classes.push_back(std::uint8_t(cls));
            ids.push_back(i + 1);
            probabilities.push_back(p);
        }
        test::writeFile(dir.filePath("train.csv"), csv.toUtf8() + '\n');
        RunFile::save(dir.filePath("scales.run"), document);
    }
    void TearDown() override { DatasetCache::clear(); }

    /// The window on the model, shown and calculated, as the host opens it.
    std::unique_ptr<lrv::frmDecile> open(int modelIndex)
    {
        run = wb::Run::open(dir.filePath("scales.run"));
        run->models()->setCurrentIndex(modelIndex);
        auto window = std::make_unique<lrv::frmDecile>();
        std::shared_ptr<lrv::IRun> handle = run;
        window->resize(1400, 950);
        window->Init(handle, lrv::frmDecile::kFirstChartCode, 0, 0);
        window->show();
        window->Activate();
        QApplication::processEvents();
        return window;
    }

    engine::Uncertainty engineFigures(int modelIndex) const
    {
        std::vector<double> outputs;
        for (double p : probabilities)
            outputs.push_back(kScales[modelIndex].output(p));
        const engine::ScoredRecords records { ids.data(), classes.data(), outputs.data(), outputs.size(), false, {} };
        return engine::assessUncertainty(engine::analyse(records, kBuckets));
    }

    static void clickTab(QTabBar* tabs, int index)
    {
        QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(index).center());
        QApplication::processEvents();
    }

    QTemporaryDir dir;
    std::shared_ptr<wb::Run> run;
    std::vector<std::int32_t> ids;
    std::vector<std::uint8_t> classes;
    std::vector<double> probabilities;
};

double gridNumber(const lrv::PropertyGrid& grid, const QString& caption)
{
    for (const lrv::PropertyGrid::Item& category : grid.categories())
        if (category.caption() == QLatin1String("Uncertainty and Calibration"))
            for (const lrv::PropertyGrid::Item& row : category.children())
                if (row.caption() == caption)
                    return row.value().toDouble();
    ADD_FAILURE() << "no row " << caption.toStdString();
    return std::nan("");
}

} // namespace

TEST_F(UncertaintyViews, CalibrationTabErrorBarsAndStatisticsAtEveryScaleOfOutput)
{
    for (int m = 0; m < int(std::size(kScales)); ++m) {
        SCOPED_TRACE(kScales[m].column);
        const auto window = open(m);
        const engine::Uncertainty expected = engineFigures(m);

        auto* tabs = window->findChild<QTabBar*>("ssCharts");
        const int tab = tabs->count() - 1; // the calibration tab comes last
        clickTab(tabs, tab);
        auto* chart = window->findChild<lrv::CalibrationChart*>("chCalibration");
        ASSERT_TRUE(chart);
        EXPECT_TRUE(chart->isVisible());
        const lrv::ChartPicture& picture = chart->picture();
        EXPECT_FALSE(picture.invalidData);
        EXPECT_EQ(picture.points.size(), std::size_t(kBuckets));

        clickTab(tabs, 0);
        auto* bars0 = window->findChild<lrv::PercentBarPlot*>("chQuant");
        ASSERT_TRUE(bars0);
        EXPECT_EQ(bars0->intervalStrokes().size(), kBuckets);

        const auto* grid = window->findChild<lrv::PropertyGrid*>("pgProperties");
        for (const auto& [caption, value] : { std::pair { "AUC 95 % CI Low (DeLong)", expected.auc.ci95.low },
                 { "AUC 95 % CI High (DeLong)", expected.auc.ci95.high }, { "Gini", expected.gini },
                 { "KS", expected.ks }, { "KS Cutoff Point", expected.ksCutoff }, { "Brier Score", expected.brier },
                 { "Log Loss", expected.logLoss }, { "Hosmer-Lemeshow Statistic", expected.hosmerLemeshow.statistic },
                 { "Hosmer-Lemeshow p", expected.hosmerLemeshow.p } })
            EXPECT_DOUBLE_EQ(gridNumber(*grid, caption), value) << caption;
        EXPECT_EQ(gridNumber(*grid, "Hosmer-Lemeshow df"), kBuckets - 2);
        window->hide();
    }
}

TEST_F(UncertaintyViews, ModelsAreListedAndCompareModelsShowsEveryModelAndPair)
{
    const auto window = open(0);
    // The load presenter lists the models with their fitness and adds the choices the run lacks, which the
    // window can then keep (a run only changes keys it has).
    auto* list = window->findChild<QComboBox*>("cmbModels");
    EXPECT_EQ(list->itemText(0), "Model 1 - RS: 0.5");
    EXPECT_EQ(list->itemText(1), "Model 2 - RS: --");
    EXPECT_EQ(run->parameterList()->integer("set_lr#SelectedChart", 0), 1129);
    auto* button = window->findChild<QPushButton*>("cmdCompareModels");
    ASSERT_TRUE(button);
    QTest::mouseClick(button, Qt::LeftButton);
    QApplication::processEvents();
    auto* dialog = window->findChild<QDialog*>("frmCompareModels");
    ASSERT_TRUE(dialog);
    EXPECT_TRUE(dialog->isVisible());

    const ModelComparison expected = compareModels(*run, 1);
    auto* models = dialog->findChild<QTableWidget*>("grdModels");
    auto* pairs = dialog->findChild<QTableWidget*>("grdPairs");
    ASSERT_EQ(models->rowCount(), int(expected.models.size()));
    EXPECT_EQ(pairs->rowCount(), int(expected.models.size() * (expected.models.size() - 1) / 2));
    for (int row = 0; row < models->rowCount(); ++row)
        EXPECT_EQ(models->item(row, 1)->text(),
            QString::number(expected.models[std::size_t(row)].uncertainty.auc.auc, 'f', 4));
    EXPECT_TRUE(lrv::test::FakePlatform::current().prompts.empty());
    dialog->close();
}
