#pragma once

#include <charconv>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace wb::engine {

/// How a file writes the ids of its records, for datasets whose keys are not the ids themselves: key k
/// (from 1) stands for the k-th id in id order.
class IdTexts {
public:
    std::int64_t size() const { return std::int64_t(m_ends.size()); }
    /// The id of a key as the file writes it; empty for a key that stands for no id.
    std::string_view text(std::int64_t key) const;

private:
    friend class RecordIdCollector;
    std::string m_chars;
    std::vector<std::uint64_t> m_ends;
};

/// Collects the ids of a dataset as a reader meets them and turns them into the keys the engine works with
/// (ranking ties by key, per-record tables, the threshold id). This is the one place that decides how an id
/// becomes a key:
/// - when every id is a whole number from −2147483648 to 2147483647 written plainly, the key is the id;
/// - otherwise (64-bit numbers, texts, numbers written with leading zeros) the key is the id's position in id
///   order, from 1, and the texts are kept (IdTexts). Id order is numerical when every id is a whole number,
///   otherwise by the text.
/// So keys sort as the ids do, and views show each id as the file writes it.
class RecordIdCollector {
public:
    /// Two records with one id: their 0-based positions in the file, first < second.
    struct Duplicate {
        std::size_t first = 0;
        std::size_t second = 0;
    };

    void reserve(std::size_t records);
    /// Adds the id of the next record as the file writes it (surrounding blanks already removed).
    void add(std::string_view id)
    {
        std::int32_t value = 0;
        if (!m_textsKept && plainInt32(id, value)) [[likely]]
            m_keys.push_back(value);
        else
            addText(id);
    }
    /// The keys of the records in file order and, when the keys are not the ids, the ids' texts; or the first
    /// pair of records that share an id.
    std::optional<Duplicate> finish(std::vector<std::int32_t>& keys, std::shared_ptr<const IdTexts>& texts);

    /// The text of the id of the record at a 0-based position (before finish).
    std::string idText(std::size_t record) const;

    /// The id as std::to_string writes a 32-bit number: no sign but "-", no leading zero.
    static bool plainInt32(std::string_view text, std::int32_t& value)
    {
        if (text.empty() || text.size() > 11)
            return false;
        const std::size_t digits = text.front() == '-' ? 1 : 0;
        if (text.size() == digits || (text[digits] == '0' && text.size() > digits + 1) || text == "-0")
            return false;
        const auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
        return ec == std::errc() && ptr == text.data() + text.size();
    }

private:
    void addText(std::string_view id);
    void keepTexts();
    std::optional<Duplicate> findDuplicateKey() const;

    std::vector<std::int32_t> m_keys; ///< while every id is a plain 32-bit number
    bool m_textsKept = false;
    bool m_allWhole = true;
    std::string m_chars; ///< once texts are kept: every id's text, in file order
    std::vector<std::uint64_t> m_ends;
    std::vector<std::int64_t> m_numbers; ///< while every id is a whole number
};

/// An id as a whole number: optional sign, digits, optionally a point followed by zeros only.
std::optional<std::int64_t> wholeNumberId(std::string_view text);

} // namespace wb::engine
