#include "support/ClipboardHelpers.h"

#include "support/Capture.h"
#include "support/Error.h"
#include "support/NumberText.h"
#include "support/Platform.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QFont>
#include <QGuiApplication>
#include <QLocale>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QWidget>

namespace lrv::ClipboardHelpers {

namespace {
    const QString kLineBreak = QStringLiteral("\r\n");

    template <typename T, typename CellText>
    QString tableText(const std::vector<int>& columns, const Table<T>& table, int firstRow,
        const QStringList& headerCaptions, bool withHeaders, const QString& title, CellText cellText)
    {
        QString text;
        if (!title.isEmpty())
            text += title + kLineBreak;
        if (withHeaders)
            text += headerCaptions.join(QLatin1Char('\t')) + kLineBreak;
        const int first = firstRow == -1 ? table.rowLow() : firstRow;
        // About ten characters a cell: one allocation instead of a series of growing copies.
        text.reserve(
            text.size() + qsizetype(std::max(0, table.rowHigh() - first + 1)) * qsizetype(columns.size() + 1) * 10);
        for (int row = first; row <= table.rowHigh(); ++row) {
            if (row > first)
                text += kLineBreak;
            for (std::size_t k = 0; k < columns.size(); ++k) {
                if (k > 0)
                    text += QLatin1Char('\t');
                text += cellText(row, columns[k]);
            }
        }
        return text;
    }
}

QString VariantTableText(const std::vector<int>& columns, const Table<Variant>& table, int firstRow,
    const QStringList& headerCaptions, bool withHeaders, const QString& title)
{
    const QString separator = QLocale().decimalPoint();
    return tableText(columns, table, firstRow, headerCaptions, withHeaders, title, [&](int row, int col) {
        const Variant cell = table.at(row, col);
        return cell.isNumber() ? defaultNumberText(cell.toDouble(), separator) : cell.text();
    });
}

QString DoubleTableText(const std::vector<int>& columns, const Table<double>& table, int firstRow,
    const QStringList& headerCaptions, bool withHeaders, const QString& title)
{
    const QString separator = QLocale().decimalPoint();
    return tableText(columns, table, firstRow, headerCaptions, withHeaders, title, [&](int row, int col) {
        if (std::optional<QString> text = table.text(row, col))
            return *text;
        return defaultNumberText(table.at(row, col), separator);
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

void CopyControlImage(QWidget* control)
{
    const QPixmap picture = Capture::CaptureControl(control);
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    clipboard->setPixmap(picture);
}

void PrintControlImage(QWidget* control, QWidget* dialogParent)
{
    if (!control)
        throw Error(QStringLiteral("There is no control to print."));
    Platform& platform = Platform::instance();
    const std::optional<PrintSetup> setup = platform.askPrinter(dialogParent);
    if (!setup)
        return;
    // Charts are reached by the name of their Refresh, as controls were by late binding.
    if (control->metaObject()->indexOfMethod("Refresh()") >= 0)
        QMetaObject::invokeMethod(control, "Refresh", Qt::DirectConnection);
    QCoreApplication::processEvents();
    const QPixmap picture = Capture::CaptureControl(control);
    for (int copy = 0; copy < setup->copies; ++copy) {
        std::unique_ptr<QPagedPaintDevice> document = platform.startPrintDocument(*setup);
        if (!document)
            return;
        QPainter painter(document.get());
        // The picture keeps its physical size: screen pixels at the screen's resolution.
        const double scale = double(document->logicalDpiX()) / std::max(1, control->logicalDpiX());
        painter.drawPixmap(QRectF(QPointF(0, 0), QSizeF(picture.size()) * scale), picture, QRectF(picture.rect()));
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
