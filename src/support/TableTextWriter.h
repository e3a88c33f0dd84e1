#pragma once

#include <functional>
#include <string>

#include <QByteArrayView>
#include <QString>

namespace lrv {

/// Table text written as it is formatted: cells separated by TAB, every line ended by the line break, handed
/// on as UTF-8 in blocks of whole lines, so that a table of a million rows never stands whole in memory.
class TableTextWriter {
public:
    /// Receives the blocks in order; may throw, which ends the writing.
    using Sink = std::function<void(QByteArrayView utf8)>;

    /// Numbers take their default text with the locale's decimal separator.
    TableTextWriter(Sink sink, QStringView lineBreak);

    void addText(QStringView text);
    void addNumber(double value);
    /// Ends the line; a full block goes to the sink.
    void endLine();
    /// Hands on what is left. Call it once the table is written: an unfinished writer loses its last block.
    void flush();

private:
    void beginCell();

    Sink m_sink;
    std::string m_lineBreak;
    std::string m_decimalSeparator;
    std::string m_block;
    bool m_lineStart = true;
};

} // namespace lrv
