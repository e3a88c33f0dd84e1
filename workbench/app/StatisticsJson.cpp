#include "StatisticsJson.h"

#include "ExportedAnalysis.h"
#include "reports/PropertyGrid.h"

#include <cmath>
#include <cstdint>

namespace wb {

using Json = nlohmann::ordered_json;

namespace {
    /// Whole numbers as JSON integers (a count reads 1000000, not 1000000.0); NaN and infinities have no
    /// JSON form and become null.
    Json number(double value)
    {
        if (!std::isfinite(value))
            return nullptr;
        if (value == std::trunc(value) && std::abs(value) < 9007199254740992.0)
            return std::int64_t(value);
        return value;
    }

    /// A number, or a text that reads as one, as a number; other texts ("78%", "288 (40.06%)") as they are.
    Json gridValue(const lrv::Variant& value)
    {
        if (value.isNumber() || value.isNumeric())
            return number(value.toDouble());
        if (value.isEmpty())
            return nullptr;
        return value.text().toStdString();
    }

    Json statistics(const lrv::PropertyGrid& grid)
    {
        Json categories = Json::object();
        for (const lrv::PropertyGrid::Item& category : grid.categories()) {
            Json rows = Json::object();
            for (const lrv::PropertyGrid::Item& row : category.children())
                if (!row.isHidden())
                    rows[row.caption().toStdString()] = gridValue(row.value());
            categories[category.caption().toStdString()] = rows;
        }
        return categories;
    }

    Json interval(const engine::Interval95& i) { return Json::array({ number(i.low), number(i.high) }); }

    /// Wilson intervals per bucket when they are known.
    Json quantiles(const engine::Analysis& a, const std::vector<engine::Interval95>* wilson95)
    {
        Json rows = Json::array();
        const engine::CellTable& deciles = *a.decileResults;
        for (int b = deciles.rowLow(); b <= deciles.rowHigh(); ++b) {
            const std::size_t index = std::size_t(b - deciles.rowLow());
            const auto cell = [&](lrv::DecileColumn column) { return number(lrv::at(deciles, b, column)); };
            Json row = { { "quantile", cell(lrv::DecileColumn::Bucket) }, { "records", cell(lrv::DecileColumn::Total) },
                { "positives", cell(lrv::DecileColumn::Positives) },
                { "upper", cell(lrv::DecileColumn::UpperBoundary) },
                { "lower", cell(lrv::DecileColumn::LowerBoundary) } };
            if (wilson95 && index < wilson95->size())
                row["wilson95"] = interval((*wilson95)[index]);
            rows.push_back(row);
        }
        return rows;
    }

    Json chosenCutoff(const engine::ChosenCutoff& c)
    {
        Json json = { { "rule", c.rule.text() }, { "cutoff", number(c.cutoff) } };
        if (c.outsideOutputs)
            json["outsideOutputs"] = true;
        json.update(
            { { "tp", c.tp }, { "fp", c.fp }, { "tn", c.tn }, { "fn", c.fn }, { "sensitivity", number(c.sensitivity) },
                { "specificity", number(c.specificity) }, { "ppv", number(c.ppv) }, { "npv", number(c.npv) },
                { "accuracy", number(c.accuracy) }, { "f1", number(c.f1) }, { "mcc", number(c.mcc) } });
        if (c.rule.kind == engine::CutoffRule::Kind::Cost)
            json["expectedCost"] = number(c.expectedCost);
        return json;
    }
}

Json statisticsJson(const ExportedAnalysis& exported, const lrv::PropertyGrid& grid)
{
    const engine::Analysis& a = exported.analysis;
    Json model = { { "id", exported.modelId } };
    model["name"] = exported.modelName.isEmpty() ? Json(nullptr) : Json(exported.modelName.toStdString());
    Json json = Json::object();
    json["model"] = model;
    json["dataset"] = exported.dataSetName().toStdString();
    json["buckets"] = a.buckets;
    json["records"] = a.validRecords;
    json["positives"] = number(lrv::at(a.decileStats, lrv::DecileStat::Positives));
    json["negatives"] = number(lrv::at(a.decileStats, lrv::DecileStat::Negatives));
    json["calculationErrors"] = a.calculationErrors;
    json["auc"] = number(a.auc);
    if (const auto& u = exported.uncertainty) {
        json["aucCi95"] = interval(u->auc.ci95);
        json["gini"] = number(u->gini);
        json["ks"] = { { "value", number(u->ks) }, { "cutoff", number(u->ksCutoff) } };
        json["probabilitySource"]
            = u->probabilitySource == engine::ProbabilitySource::Outputs ? "outputs" : "logistic fit";
        json["brier"] = number(u->brier);
        json["logLoss"] = number(u->logLoss);
        json["hosmerLemeshow"] = { { "statistic", number(u->hosmerLemeshow.statistic) },
            { "df", u->hosmerLemeshow.degrees }, { "p", number(u->hosmerLemeshow.p) } };
    }
    using lrv::Outcome;
    json["youden"] = { { "cutoff", number(lrv::at(a.rocStats, lrv::RocStat::Cutoff)) },
        { "j", number(lrv::at(a.rocStats, lrv::RocStat::Youden)) },
        { "tp", lrv::at(a.rocCounts, Outcome::TruePositive) }, { "fp", lrv::at(a.rocCounts, Outcome::FalsePositive) },
        { "tn", lrv::at(a.rocCounts, Outcome::TrueNegative) }, { "fn", lrv::at(a.rocCounts, Outcome::FalseNegative) } };
    if (exported.chosen)
        json["chosenCutoff"] = chosenCutoff(*exported.chosen);
    json["quantiles"] = quantiles(a, exported.uncertainty ? &exported.uncertainty->wilson95 : nullptr);
    json["statistics"] = statistics(grid);
    return json;
}

} // namespace wb
