#include "support/ClipboardHelpers.h"

#include "support/Error.h"
#include "support/Platform.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QWidget>

namespace lrv::ClipboardHelpers {

namespace {
    const QString kLineBreak = QStringLiteral("\r\n");

    template <typename T, typename WriteCell>
    std::int64_t writeTable(TableTextWriter& writer, const std::vector<int>& columns, const Table<T>& table,
        int firstRow, std::int64_t maxRows, const QStringList& headerCaptions, bool withHeaders, const QString& title,
        WriteCell writeCell)
    {
        if (!title.isEmpty()) {
            writer.addText(title);
            writer.endLine();
        }
        if (withHeaders) {
            for (const QString& caption : headerCaptions)
                writer.addText(caption);
            writer.endLine();
        }
        const int first = firstRow == -1 ? table.rowLow() : firstRow;
        std::int64_t rows = std::max<std::int64_t>(0, std::int64_t(table.rowHigh()) - first + 1);
        if (maxRows >= 0)
            rows = std::min(rows, maxRows);
        for (std::int64_t k = 0; k < rows; ++k) {
            const int row = int(first + k);
            for (const int col : columns)
                writeCell(row, col);
            writer.endLine();
        }
        return rows;
    }
}

std::int64_t WriteTableText(TableTextWriter& writer, const std::vector<int>& columns, const Table<Variant>& table,
    int firstRow, std::int64_t maxRows, const QStringList& headerCaptions, bool withHeaders, const QString& title)
{
    return writeTable(
        writer, columns, table, firstRow, maxRows, headerCaptions, withHeaders, title, [&](int row, int col) {
            const Variant cell = table.at(row, col);
            if (cell.isNumber())
                writer.addNumber(cell.toDouble());
            else
                writer.addText(cell.text());
        });
}

std::int64_t WriteTableText(TableTextWriter& writer, const std::vector<int>& columns, const Table<double>& table,
    int firstRow, std::int64_t maxRows, const QStringList& headerCaptions, bool withHeaders, const QString& title,
    const CellTextOverride& cellText)
{
    return writeTable(
        writer, columns, table, firstRow, maxRows, headerCaptions, withHeaders, title, [&](int row, int col) {
            if (cellText)
                if (std::optional<QString> text = cellText(row, col)) {
                    writer.addText(*text);
                    return;
                }
            if (std::optional<QString> text = table.text(row, col))
                writer.addText(*text);
            else
                writer.addNumber(table.at(row, col));
        });
}

QString WrittenText(const std::function<std::int64_t(TableTextWriter&)>& write)
{
    QByteArray utf8;
    TableTextWriter writer([&](QByteArrayView block) { utf8.append(block); }, kLineBreak);
    const std::int64_t rows = write(writer);
    writer.flush();
    // Only the title and header lines of an empty table keep their line breaks.
    if (rows > 0)
        utf8.chop(kLineBreak.size());
    return QString::fromUtf8(utf8);
}

QString VariantTableText(const std::vector<int>& columns, const Table<Variant>& table, int firstRow,
    const QStringList& headerCaptions, bool withHeaders, const QString& title)
{
    return WrittenText([&](TableTextWriter& writer) {
        return WriteTableText(writer, columns, table, firstRow, -1, headerCaptions, withHeaders, title);
    });
}

QString DoubleTableText(const std::vector<int>& columns, const Table<double>& table, int firstRow,
    const QStringList& headerCaptions, bool withHeaders, const QString& title)
{
    return WrittenText([&](TableTextWriter& writer) {
        return WriteTableText(writer, columns, table, firstRow, -1, headerCaptions, withHeaders, title);
    });
}

void CopyText(const QString& text)
{
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    clipboard->setText(text);
}

void CopyVariantTableText(const std::vector<int>& columns, const Table<Variant>& table,
    const QStringList& headerCaptions, int firstRow, bool withHeaders, const QString& title)
{
    CopyText(VariantTableText(columns, table, firstRow, headerCaptions, withHeaders, title));
}

void CopyDoubleTableText(const std::vector<int>& columns, const Table<double>& table, const QStringList& headerCaptions,
    int firstRow, bool withHeaders, const QString& title)
{
    CopyText(DoubleTableText(columns, table, firstRow, headerCaptions, withHeaders, title));
}

QImage PaintedImage(const PaintRoutine& paint, const QSize& size)
{
    QImage image(size.expandedTo(QSize(1, 1)), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    paint(painter, QRect(QPoint(0, 0), size));
    return image;
}

void CopyPainted(const PaintRoutine& paint, const QSize& size)
{
    const QImage image = PaintedImage(paint, size);
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    clipboard->setImage(image);
}

void PrintPainted(
    const PaintRoutine& paint, const QSize& size, int screenDpi, PrintPlacement placement, QWidget* dialogParent)
{
    if (size.isEmpty())
        throw Error(QStringLiteral("There is no picture to print: the chart has no size."));
    Platform& platform = Platform::instance();
    const std::optional<PrintSetup> setup = platform.askPrinter(dialogParent);
    if (!setup)
        return;
    for (int copy = 0; copy < std::max(1, setup->copies); ++copy) {
        std::unique_ptr<QPagedPaintDevice> document = platform.startPrintDocument(*setup);
        if (!document)
            throw Error(QStringLiteral("The printer could not start a document. Check the printer and try again."));
        QPainter painter(document.get());
        if (!painter.isActive())
            throw Error(QStringLiteral("The printer could not start a document. Check the printer and try again."));
        const QSize page(document->width(), document->height());
        const double scale = double(document->logicalDpiX()) / std::max(1, screenDpi);
        QSize target(int(size.width() * scale), int(size.height() * scale));
        if (placement == PrintPlacement::FitPage || target.width() > page.width() || target.height() > page.height())
            target = size.scaled(page, Qt::KeepAspectRatio);
        paint(painter, QRect(QPoint(0, 0), target));
    }
}

QList<QStringList> PaginateText(const QStringList& lines, int lineHeight, int pageHeight)
{
    QList<QStringList> pages;
    if (lines.isEmpty() || lineHeight <= 0)
        return pages;
    const double pageEnd = pageHeight * 7.0 / 8.0;
    QStringList page;
    int y = 2 * lineHeight;
    for (const QString& line : lines) {
        page.append(line);
        y += lineHeight;
        if (y >= pageEnd) {
            pages.append(page);
            page.clear();
            y = 2 * lineHeight;
        }
    }
    if (!page.isEmpty())
        pages.append(page);
    return pages;
}

void PrintText(const QString& text, QWidget* parent)
{
    Platform& platform = Platform::instance();
    const std::optional<PrintSetup> setup = platform.askPrinter(parent);
    if (!setup)
        return;
    const QStringList lines = text.split(kLineBreak);
    for (int copy = 0; copy < setup->copies; ++copy) {
        std::unique_ptr<QPagedPaintDevice> document = platform.startPrintDocument(*setup);
        if (!document)
            return;
        QPainter painter(document.get());
        painter.setFont(QFont(QStringLiteral("DejaVu Sans"), 10));
        const int lineHeight = painter.fontMetrics().lineSpacing();
        const int width = painter.device()->width();
        const int height = painter.device()->height();
        const QList<QStringList> pages = PaginateText(lines, lineHeight, height);
        for (qsizetype p = 0; p < pages.size(); ++p) {
            if (p > 0)
                document->newPage();
            int y = 2 * lineHeight;
            for (const QString& line : pages[p]) {
                painter.drawText(width / 10, y + painter.fontMetrics().ascent(), line);
                y += lineHeight;
            }
        }
    }
}

} // namespace lrv::ClipboardHelpers
