#include "presenters/ScoredSource.h"

#include "presenters/DatasetCache.h"
#include "run/Model.h"
#include "run/Run.h"
#include "sql/DatabaseDataset.h"
#include "sql/DatabaseSource.h"

#include <atomic>
#include <cmath>
#include <future>

#include <QCoreApplication>

namespace wb {

namespace {
    QString dataSetName(int dataSet)
    {
        return dataSet == 2 ? QStringLiteral("validation") : QStringLiteral("training");
    }

    class CsvScores : public ScoredSource {
    public:
        CsvScores(std::shared_ptr<const engine::Dataset> records, std::size_t column, QString location)
            : m_records(std::move(records))
            , m_column(column)
        {
            m_location = std::move(location);
            const std::vector<double>& outputs = m_records->outputs[column];
            for (std::size_t i = 0; i < outputs.size(); ++i) {
                if (std::isfinite(outputs[i])) {
                    ++m_valid;
                    m_positives += m_records->classes[i];
                }
            }
        }

        engine::Analysis analyse(int buckets, const engine::ProgressFunction& progress) const override
        {
            const std::vector<double>& outputs = m_records->outputs[m_column];
            engine::ScoredRecords scored;
            scored.ids = m_records->ids.data();
            scored.classes = m_records->classes.data();
            scored.outputs = outputs.data();
            scored.size = outputs.size();
            scored.inverted = m_records->inverted;
            scored.idTexts = m_records->idTexts;
            return engine::analyse(scored, buckets, progress);
        }

    private:
        std::shared_ptr<const engine::Dataset> m_records;
        std::size_t m_column;
    };

    class DatabaseScores : public ScoredSource {
    public:
        DatabaseScores(std::shared_ptr<sql::DatabaseDataset> database, std::string column, QString location)
            : m_database(std::move(database))
            , m_column(std::move(column))
        {
            m_location = std::move(location);
            const auto overview = m_database->overview(m_column);
            m_valid = overview.valid;
            m_positives = overview.positives;
        }

        engine::Analysis analyse(int buckets, const engine::ProgressFunction& progress) const override
        {
            std::atomic<std::int64_t> done { 0 }, total { 1 };
            std::atomic<bool> cancelled { false };
            auto work = [&] {
                return m_database->analyse(m_column, buckets, [&](std::int64_t d, std::int64_t t) {
                    done = d;
                    total = t;
                    return !cancelled.load();
                });
            };
            if (!QCoreApplication::instance())
                return m_database->analyse(m_column, buckets, progress);
            // Queries take seconds on large tables: they run aside while the window goes on painting.
            auto pending = std::async(std::launch::async, work);
            while (pending.wait_for(std::chrono::milliseconds(50)) != std::future_status::ready) {
                QCoreApplication::processEvents();
                if (progress && !cancelled && !progress(done, total)) {
                    cancelled = true;
                    m_database->cancel();
                }
            }
            return pending.get();
        }

    private:
        std::shared_ptr<sql::DatabaseDataset> m_database;
        std::string m_column;
    };

    /// Opening reads a CSV file or asks a database: it runs aside while the window goes on painting. The
    /// window's own handlers wait, since a calculation is under way.
    template <typename Work> auto aside(Work work)
    {
        if (!QCoreApplication::instance())
            return work();
        auto pending = std::async(std::launch::async, work);
        while (pending.wait_for(std::chrono::milliseconds(50)) != std::future_status::ready)
            QCoreApplication::processEvents();
        return pending.get();
    }
}

std::unique_ptr<ScoredSource> ScoredSource::open(const Run& run, int dataSet, const Model& model)
{
    const auto dataSetRecord = run.dataSetAt(dataSet);
    const QString location = dataSetRecord->csvPath();
    const std::string column = model.outputColumn().toStdString();
    if (sql::isDatabaseSource(location.toStdString())) {
        const lrv::ClassEncoding encoding = dataSetRecord->encoding();
        return aside([&]() -> std::unique_ptr<ScoredSource> {
            auto database = std::make_shared<sql::DatabaseDataset>(location.toStdString(),
                run.document().idColumn.toStdString(), run.document().targetColumn.toStdString(),
                engine::ClassEncoding { encoding.min, encoding.max, encoding.invert });
            return std::make_unique<DatabaseScores>(std::move(database), column, location);
        });
    }
    auto records = aside([&] { return DatasetCache::get(run, dataSet); });
    std::size_t index = 0;
    while (index < records->outputColumns.size() && records->outputColumns[index] != column)
        ++index;
    if (index == records->outputColumns.size())
        throw engine::InputError(QStringLiteral("The %1 dataset has no output column \"%2\" for model %3.")
                                     .arg(dataSetName(dataSet), model.outputColumn())
                                     .arg(model.id())
                                     .toStdString());
    return std::make_unique<CsvScores>(std::move(records), index, location);
}

} // namespace wb
