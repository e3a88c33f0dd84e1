#include "presenters/ComparePresenter.h"

#include "presenters/CompareModels.h"
#include "presenters/ComparePainter.h"
#include "run/Run.h"
#include "support/Error.h"

#include <QPainter>

namespace wb {

namespace {

    lrv::ComparisonFigures figures(std::shared_ptr<const ModelComparison> c)
    {
        lrv::ComparisonFigures f;
        f.dataSetName = c->dataSetName;
        f.records = c->records;
        f.compared = c->compared;
        f.buckets = c->buckets;
        for (std::size_t m = 0; m < c->models.size(); ++m) {
            const ComparedModel& model = c->models[m];
            const engine::Uncertainty& u = model.uncertainty;
            f.models.push_back({ model.id, model.name, comparisonColour(int(m)), u.auc.auc, u.auc.ci95.low,
                u.auc.ci95.high, u.gini, u.ks, u.brier, u.probabilitySource == engine::ProbabilitySource::Outputs,
                u.hosmerLemeshow.p, model.youdenCutoff, model.accuracy, model.errors });
        }
        for (const ComparedPair& p : c->pairs)
            f.pairs.push_back({ c->models[std::size_t(p.a)].name, c->models[std::size_t(p.b)].name, p.test.difference,
                p.test.ci95.low, p.test.ci95.high, p.test.p });
        f.pictureSize = comparisonChartSize();
        f.paint = [c](QPainter& painter, const QRect& target) {
            const QSize size = comparisonChartSize();
            painter.save();
            painter.translate(target.topLeft());
            painter.scale(double(target.width()) / size.width(), double(target.height()) / size.height());
            paintComparison(painter, *c);
            painter.restore();
        };
        return f;
    }

} // namespace

void ComparePresenter::Compare(lrv::CompareViewInter& view, std::shared_ptr<lrv::IRun>& run, std::int32_t dataSet)
{
    try {
        const auto workbenchRun = std::dynamic_pointer_cast<const Run>(run);
        if (!workbenchRun)
            throw lrv::Error(QStringLiteral("There is no workbench run to compare: open a run file first."));
        view.ShowComparison(figures(std::make_shared<const ModelComparison>(compareModels(*workbenchRun, dataSet))));
    } catch (const std::exception& error) {
        lrv::bestEffort([&] { view.ShowError(QString::fromUtf8(error.what())); });
    }
}

} // namespace wb
