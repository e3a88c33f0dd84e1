#pragma once

#include "support/Table.h"
#include "support/TableTextWriter.h"
#include "support/Variant.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include <QString>
#include <QStringList>

class QImage;
class QPainter;
class QRect;
class QSize;
class QWidget;

/// Everything that leaves the screen as text: table text to the clipboard, plain text to the printer.
namespace lrv::ClipboardHelpers {

/// The text of the listed columns of rows firstRow (-1: the table's first row) to the last: cells
/// separated by TAB, lines by CR LF, no trailing TAB or line break. A non-empty title comes first on a
/// line of its own; with headers, the captions form the first line of the table.
QString VariantTableText(const std::vector<int>& columns, const Table<Variant>& table, int firstRow,
    const QStringList& headerCaptions, bool withHeaders, const QString& title);
/// The same for a table of numbers, each cell in its default text form.
QString DoubleTableText(const std::vector<int>& columns, const Table<double>& table, int firstRow,
    const QStringList& headerCaptions, bool withHeaders, const QString& title);

/// What a table text writes for cell (row, col) of a table of numbers instead of its number; nothing: the
/// table's own text for the cell, or else its number.
using CellTextOverride = std::function<std::optional<QString>(int row, int col)>;

/// The lines of a table text, each ended, at most `maxRows` rows (-1: all), written as they are formatted;
/// returns the rows written.
std::int64_t WriteTableText(TableTextWriter& writer, const std::vector<int>& columns, const Table<Variant>& table,
    int firstRow, std::int64_t maxRows, const QStringList& headerCaptions, bool withHeaders, const QString& title);
/// The same for a table of numbers; columns the override answers for may lie beyond the table.
std::int64_t WriteTableText(TableTextWriter& writer, const std::vector<int>& columns, const Table<double>& table,
    int firstRow, std::int64_t maxRows, const QStringList& headerCaptions, bool withHeaders, const QString& title,
    const CellTextOverride& cellText = {});
/// The table text a writer gives with CR LF line ends: `write` writes the lines and returns the rows written,
/// after which the last line break is dropped.
QString WrittenText(const std::function<std::int64_t(TableTextWriter&)>& write);

/// Clears the clipboard and puts VariantTableText on it.
void CopyVariantTableText(const std::vector<int>& columns, const Table<Variant>& table,
    const QStringList& headerCaptions, int firstRow, bool withHeaders, const QString& title);
/// Clears the clipboard and puts DoubleTableText on it.
void CopyDoubleTableText(const std::vector<int>& columns, const Table<double>& table, const QStringList& headerCaptions,
    int firstRow, bool withHeaders, const QString& title);
/// Clears the clipboard and puts the text on it.
void CopyText(const QString& text);

/// Paints a picture into a target rectangle on any device: screen image, clipboard, SVG, PDF, printer.
using PaintRoutine = std::function<void(QPainter& painter, const QRect& target)>;
/// How a printed picture takes the page.
enum class PrintPlacement {
    /// At (0, 0) at its own physical size (its screen pixels at the screen's resolution), shrunk to the
    /// page only when larger.
    OwnSize,
    /// As large as the page allows, keeping its proportions.
    FitPage
};

/// The picture painted at a size in pixels, on an opaque white ground.
QImage PaintedImage(const PaintRoutine& paint, const QSize& size);
/// Clears the clipboard and puts PaintedImage on it.
void CopyPainted(const PaintRoutine& paint, const QSize& size);
/// Printer dialog; then the picture painted at the printer's resolution (vector graphics, no screen
/// capture), one document per requested copy. `size` is the picture's size in pixels of a screen of
/// `screenDpi` dots per inch. Cancelling prints nothing.
void PrintPainted(const PaintRoutine& paint, const QSize& size, int screenDpi, PrintPlacement placement,
    QWidget* dialogParent = nullptr);

/// The lines of each printed page: a page begins with two empty lines and ends when the print position
/// reaches 7/8 of the page height.
QList<QStringList> PaginateText(const QStringList& lines, int lineHeight, int pageHeight);
/// Printer dialog, then the text line by line, once per requested copy; cancelling prints nothing.
void PrintText(const QString& text, QWidget* parent = nullptr);

} // namespace lrv::ClipboardHelpers
