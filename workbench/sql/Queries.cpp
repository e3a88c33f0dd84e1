#include "sql/Queries.h"

#include <charconv>

namespace wb::sql::Queries {

namespace {
    std::string number(std::int64_t value) { return std::to_string(value); }

    // Every query reads the records through this: id, target, output and class (1 for the class-one value).
    std::string scored(const Scored& s)
    {
        return "scored AS (SELECT CAST(" + s.id + " AS BIGINT) AS id, CAST(" + s.target
            + " AS DOUBLE PRECISION) AS target, CAST(" + s.output + " AS DOUBLE PRECISION) AS output, CASE WHEN "
            + s.target + " = " + s.classOne + " THEN 1 ELSE 0 END AS cls FROM (" + s.relation + ") AS source)";
    }

    // NULL, NaN and the infinities are calculation errors. Comparing with the infinities leaves out NULL and
    // NaN on every engine (PostgreSQL sorts NaN above every number; others compare it false).
    const std::string validOutput = "(output > CAST('-Infinity' AS DOUBLE PRECISION)"
                                    " AND output < CAST('Infinity' AS DOUBLE PRECISION))";

    std::string valid(const Scored& s)
    {
        return scored(s) + ", valid AS (SELECT id, cls, output FROM scored WHERE " + validOutput + ")";
    }

    std::string badTargetCondition(const Scored& s)
    {
        return "(target IS NULL OR (target <> " + s.classOne + " AND target <> " + s.classZero + "))";
    }

    std::string direction(const Scored& s) { return s.inverted ? "ASC" : "DESC"; }

    std::string ranking(const Scored& s) { return "ORDER BY output " + direction(s) + ", id ASC"; }

    // The valid records ranked, each with its tie group's counts: with ORDER BY, a RANGE frame ends with the
    // last row tied with the current one, and RANGE BETWEEN CURRENT ROW AND CURRENT ROW is the tie group.
    // Every window sorts by the output, so one sort serves them all.
    std::string ranked(const Scored& s)
    {
        const std::string order = "ORDER BY output " + direction(s);
        const std::string upToGroupEnd = "OVER (" + order + " RANGE BETWEEN UNBOUNDED PRECEDING AND CURRENT ROW)";
        const std::string group = "OVER (" + order + " RANGE BETWEEN CURRENT ROW AND CURRENT ROW)";
        return valid(s) + ", ranked AS (SELECT id, cls, output, ROW_NUMBER() OVER (" + ranking(s)
            + ") AS rank_number, SUM(cls) " + upToGroupEnd + " AS tp, COUNT(*) " + upToGroupEnd
            + " AS group_end, COUNT(*) " + group + " AS records, SUM(cls) " + group + " AS group_positives, MIN(id) "
            + group + " AS first_id FROM valid)";
    }
}

std::string doubleLiteral(double value)
{
    char text[32];
    const auto end = std::to_chars(text, text + sizeof text, value).ptr;
    return "CAST('" + std::string(text, end) + "' AS DOUBLE PRECISION)";
}

std::string describe(const std::string& relation) { return "SELECT * FROM (" + relation + ") AS source WHERE 1 = 0"; }

std::string overview(const Scored& s)
{
    return "WITH " + scored(s) + " SELECT COUNT(*), SUM(CASE WHEN " + validOutput
        + " THEN 1 ELSE 0 END), SUM(CASE WHEN " + validOutput + " THEN cls ELSE 0 END), SUM(CASE WHEN "
        + badTargetCondition(s) + " THEN 1 ELSE 0 END), SUM(CASE WHEN id IS NULL THEN 1 ELSE 0 END), MIN(id), "
        + "MAX(id) FROM scored";
}

std::string badTarget(const Scored& s)
{
    return "WITH " + scored(s) + " SELECT id, target FROM scored WHERE " + badTargetCondition(s)
        + " ORDER BY id FETCH FIRST 1 ROWS ONLY";
}

std::string errorRecords(const Scored& s, std::int64_t limit)
{
    return "WITH " + scored(s) + " SELECT id, cls FROM scored WHERE output IS NULL OR NOT " + validOutput
        + " ORDER BY id FETCH FIRST " + number(limit) + " ROWS ONLY";
}

std::string rankingResults(
    const Scored& s, int bucketCount, std::int64_t positives, std::int64_t validRecords, std::int64_t sampleSize)
{
    const std::string big = "CAST(NULL AS BIGINT)", n = number(validRecords);
    // Buckets: floor(B·(rank − 1)/n) + 1; whole numbers divide with truncation, the floor for these.
    const std::string buckets = "SELECT 1 AS kind, bucket AS a, COUNT(*) AS b, SUM(cls) AS c, " + big + " AS d, " + big
        + " AS e, MAX(output) AS x, MIN(output) AS y FROM (SELECT cls, output, " + number(bucketCount)
        + " * (rank_number - 1) / " + n + " + 1 AS bucket FROM ranked) AS bucketed GROUP BY bucket";
    // The optimum: a group's last row stands for it; between its neighbour point and its own, a group adds
    // the trapezoid negatives × (TP before + TP after) to twice U.
    const std::string optimum = "SELECT * FROM (SELECT 2 AS kind, records, first_id, tp, group_end, (SELECT CAST(SUM("
                                "(records - group_positives) * (2 * tp - group_positives)) AS BIGINT) FROM groups), "
                                "output, CAST(NULL AS DOUBLE PRECISION) FROM groups ORDER BY tp * "
        + number(validRecords - positives) + " - (group_end - tp) * " + number(positives)
        + " DESC, group_end ASC FETCH FIRST 1 ROWS ONLY) AS optimum";
    // The sample: row i is rank floor(i·(n − 1)/(size − 1)), so rank r is one when i = ceil(r·(size − 1)/(n − 1))
    // leads back to it.
    const std::string r = "(rank_number - 1)", last = number(validRecords - 1), steps = number(sampleSize - 1);
    const std::string sample = "SELECT 3, rank_number, id, cls, tp, group_end, output, CAST(NULL AS DOUBLE PRECISION)"
                               " FROM ranked WHERE "
        + r + " = ((" + r + " * " + steps + " + " + last + " - 1) / " + last + ") * " + last + " / " + steps;
    return "WITH " + ranked(s)
        + ", groups AS (SELECT output, records, group_positives, first_id, tp, group_end FROM ranked WHERE"
          " rank_number = group_end) "
        + buckets + " UNION ALL " + optimum + " UNION ALL " + sample + " ORDER BY kind, a";
}

std::string countsAtCutoff(const Scored& s, double cutoff, bool below)
{
    return "WITH " + valid(s) + " SELECT COUNT(*), COALESCE(SUM(cls), 0) FROM valid WHERE output "
        + (below ? "< " : ">= ") + doubleLiteral(cutoff);
}

std::string distinctTargets(const std::string& relation, const std::string& target, std::int64_t limit)
{
    return "SELECT DISTINCT CAST(" + target + " AS DOUBLE PRECISION) FROM (" + relation + ") AS source WHERE " + target
        + " IS NOT NULL FETCH FIRST " + number(limit) + " ROWS ONLY";
}

std::string probabilitySums(const Scored& s, double slope, double intercept)
{
    // EXP fails beyond the range of doubles on some engines; past ±700 the probability is 0 or 1 anyway.
    return "WITH " + valid(s) + ", logits AS (SELECT cls, " + doubleLiteral(slope) + " * output + "
        + doubleLiteral(intercept)
        + " AS z FROM valid), probabilities AS (SELECT cls, CASE WHEN z < -700 THEN 0 WHEN z > 700 THEN 1"
          " ELSE 1 / (1 + EXP(-z)) END AS p FROM logits) SELECT SUM(p), SUM(p * p), SUM(cls), SUM(p * cls)"
          " FROM probabilities";
}

} // namespace wb::sql::Queries
