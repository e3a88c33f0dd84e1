#pragma once

#include "support/Table.h"
#include "support/Variant.h"

#include <vector>

#include <QString>
#include <QStringList>

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

/// Clears the clipboard and puts VariantTableText on it.
void CopyVariantTableText(const std::vector<int>& columns, const Table<Variant>& table,
    const QStringList& headerCaptions, int firstRow, bool withHeaders, const QString& title);
/// Clears the clipboard and puts DoubleTableText on it.
void CopyDoubleTableText(const std::vector<int>& columns, const Table<double>& table, const QStringList& headerCaptions,
    int firstRow, bool withHeaders, const QString& title);
/// Clears the clipboard and puts the text on it.
void CopyText(const QString& text);

/// The lines of each printed page: a page begins with two empty lines and ends when the print position
/// reaches 7/8 of the page height.
QList<QStringList> PaginateText(const QStringList& lines, int lineHeight, int pageHeight);
/// Printer dialog, then the text line by line, once per requested copy; cancelling prints nothing.
void PrintText(const QString& text, QWidget* parent = nullptr);

} // namespace lrv::ClipboardHelpers
