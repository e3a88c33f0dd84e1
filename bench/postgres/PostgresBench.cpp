// Times one analysis of a table in PostgreSQL and counts the rows the database sends back.
// Usage: bench_postgres URI RECORDS [MODEL_COLUMN]
#include "sql/DatabaseDataset.h"

#include <chrono>
#include <cstdio>
#include <exception>
#include <string>

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: bench_postgres URI RECORDS [MODEL_COLUMN]\n");
        return 1;
    }
    const std::string column = argc > 3 ? argv[3] : "model_1";
    try {
        const auto start = std::chrono::steady_clock::now();
        wb::sql::DatabaseDataset database(argv[1], "id", "target", {});
        const wb::engine::Analysis analysis = database.analyse(column, 10);
        const std::chrono::duration<double> seconds = std::chrono::steady_clock::now() - start;
        std::printf("AUC %.6f, %d valid records, %d calculation errors\n", analysis.auc, analysis.validRecords,
            analysis.calculationErrors);
        std::printf("postgres analysis at n=%s: %.2f s, rows returned: %lld\n", argv[2], seconds.count(),
            static_cast<long long>(database.rowsReceived()));
    } catch (const std::exception& error) {
        std::fprintf(stderr, "bench_postgres: %s\n", error.what());
        return 2;
    }
    return 0;
}
