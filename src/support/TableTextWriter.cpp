#include "support/TableTextWriter.h"

#include "support/NumberText.h"

#include <algorithm>

#include <QLocale>

namespace lrv {

namespace {
    /// Blocks of about a megabyte: few writes, little memory.
    constexpr std::size_t kBlockSize = 1 << 20;

    void appendUtf8(std::string& out, QStringView text)
    {
        // Table texts are nearly always ASCII: copied character by character, without a converted copy.
        if (std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 0x80; })) {
            for (const QChar c : text)
                out.push_back(char(c.unicode()));
            return;
        }
        const QByteArray utf8 = text.toUtf8();
        out.append(utf8.constData(), std::size_t(utf8.size()));
    }
}

TableTextWriter::TableTextWriter(Sink sink, QStringView lineBreak)
    : m_sink(std::move(sink))
{
    appendUtf8(m_lineBreak, lineBreak);
    appendUtf8(m_decimalSeparator, QLocale().decimalPoint());
    m_block.reserve(kBlockSize + 4096);
}

void TableTextWriter::beginCell()
{
    if (!m_lineStart)
        m_block.push_back('\t');
    m_lineStart = false;
}

void TableTextWriter::addText(QStringView text)
{
    beginCell();
    appendUtf8(m_block, text);
}

void TableTextWriter::addNumber(double value)
{
    beginCell();
    char buffer[kNumberTextCapacity];
    const char* const end = writeInvariantNumberText(buffer, value);
    if (m_decimalSeparator == ".") {
        m_block.append(buffer, std::size_t(end - buffer));
        return;
    }
    for (const char* c = buffer; c != end; ++c) {
        if (*c == '.')
            m_block.append(m_decimalSeparator);
        else
            m_block.push_back(*c);
    }
}

void TableTextWriter::endLine()
{
    m_block.append(m_lineBreak);
    m_lineStart = true;
    if (m_block.size() >= kBlockSize)
        flush();
}

void TableTextWriter::flush()
{
    if (m_block.empty())
        return;
    m_sink(QByteArrayView(m_block.data(), qsizetype(m_block.size())));
    m_block.clear();
}

} // namespace lrv
