#include "presenters/EngineTables.h"

#include "host/ResultLayout.h"

namespace wb::EngineTables {

namespace {
    template <typename T> class CellTableSource : public lrv::TableSource<T> {
    public:
        explicit CellTableSource(std::shared_ptr<const engine::CellTable> table)
            : m_table(std::move(table))
        {
        }
        T cell(std::int64_t rowOffset, int colOffset) const override { return T(m_table->cell(rowOffset, colOffset)); }

    private:
        std::shared_ptr<const engine::CellTable> m_table;
    };

    template <typename T> lrv::Table<T> adapt(std::shared_ptr<const engine::CellTable> table)
    {
        if (!table)
            return {};
        const int rowLow = table->rowLow(), rowHigh = table->rowHigh();
        const int colLow = table->colLow(), colHigh = table->colHigh();
        return lrv::Table<T>::computed(
            rowLow, rowHigh, colLow, colHigh, std::make_shared<const CellTableSource<T>>(std::move(table)));
    }

    // Every per-record table keeps its ids in the same column.
    constexpr int idColumn = lrv::index(lrv::RocColumn::Id);
    static_assert(idColumn == lrv::index(lrv::ProbabilityColumn::Id));

    class IdColumnTexts : public lrv::CellTexts {
    public:
        explicit IdColumnTexts(std::shared_ptr<const engine::IdTexts> ids)
            : m_ids(std::move(ids))
        {
        }
        std::optional<QString> text(int col, double value) const override
        {
            if (col != idColumn)
                return std::nullopt;
            const std::string_view id = m_ids->text(std::int64_t(value));
            return QString::fromUtf8(id.data(), qsizetype(id.size()));
        }

    private:
        std::shared_ptr<const engine::IdTexts> m_ids;
    };
}

lrv::Table<double> doubles(std::shared_ptr<const engine::CellTable> table) { return adapt<double>(std::move(table)); }

lrv::Table<double> perRecord(std::shared_ptr<const engine::CellTable> table, std::shared_ptr<const engine::IdTexts> ids)
{
    lrv::Table<double> adapted = adapt<double>(std::move(table));
    return ids ? adapted.withTexts(std::make_shared<const IdColumnTexts>(std::move(ids))) : adapted;
}

lrv::Table<lrv::Variant> variants(std::shared_ptr<const engine::CellTable> table)
{
    return adapt<lrv::Variant>(std::move(table));
}

} // namespace wb::EngineTables
