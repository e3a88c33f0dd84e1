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

    Json quantiles(const engine::Analysis& a)
    {
        Json rows = Json::array();
        const engine::CellTable& deciles = *a.decileResults;
        for (int b = deciles.rowLow(); b <= deciles.rowHigh(); ++b)
            rows.push_back({ { "quantile", number(deciles.at(b, 0)) }, { "records", number(deciles.at(b, 5)) },
                { "positives", number(deciles.at(b, 3)) }, { "upper", number(deciles.at(b, 1)) },
                { "lower", number(deciles.at(b, 2)) } });
        return rows;
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
    json["positives"] = number(a.decileStats[2]);
    json["negatives"] = number(a.decileStats[3]);
    json["calculationErrors"] = a.calculationErrors;
    json["auc"] = number(a.auc);
    json["youden"] = { { "cutoff", number(a.rocStats[2]) }, { "j", number(a.rocStats[1]) }, { "tp", a.rocCounts[0] },
        { "fp", a.rocCounts[2] }, { "tn", a.rocCounts[1] }, { "fn", a.rocCounts[3] } };
    json["quantiles"] = quantiles(a);
    json["statistics"] = statistics(grid);
    return json;
}

} // namespace wb
