#include "engine/RecordIds.h"

#include <algorithm>
#include <limits>
#include <numeric>

namespace wb::engine {

std::optional<std::int64_t> wholeNumberId(std::string_view text)
{
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    if (const std::size_t point = text.find('.'); point != std::string_view::npos) {
        const std::string_view fraction = text.substr(point + 1);
        if (point == 0 || fraction.find_first_not_of('0') != std::string_view::npos)
            return std::nullopt;
        text = text.substr(0, point);
    }
    std::int64_t value = 0;
    if (text.empty() || text.front() == '+')
        return std::nullopt;
    const auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || ptr != text.data() + text.size())
        return std::nullopt;
    return value;
}

std::string_view IdTexts::text(std::int64_t key) const
{
    if (key < 1 || key > size())
        return {};
    const std::uint64_t begin = key == 1 ? 0 : m_ends[std::size_t(key - 2)];
    return std::string_view(m_chars).substr(begin, m_ends[std::size_t(key - 1)] - begin);
}

void RecordIdCollector::reserve(std::size_t records) { m_keys.reserve(records); }

void RecordIdCollector::addText(std::string_view id)
{
    if (!m_textsKept)
        keepTexts();
    m_chars.append(id);
    m_ends.push_back(m_chars.size());
    if (m_allWhole) {
        if (const std::optional<std::int64_t> number = wholeNumberId(id)) {
            m_numbers.push_back(*number);
        } else {
            m_allWhole = false;
            m_numbers = {};
        }
    }
}

void RecordIdCollector::keepTexts()
{
    // The ids so far were plain numbers: their texts are their numbers' texts.
    m_textsKept = true;
    m_ends.reserve(m_keys.capacity());
    m_numbers.reserve(m_keys.capacity());
    for (const std::int32_t key : m_keys) {
        m_chars += std::to_string(key);
        m_ends.push_back(m_chars.size());
        m_numbers.push_back(key);
    }
    m_keys = {};
}

std::string RecordIdCollector::idText(std::size_t record) const
{
    if (!m_textsKept)
        return std::to_string(m_keys[record]);
    const std::uint64_t begin = record == 0 ? 0 : m_ends[record - 1];
    return m_chars.substr(begin, m_ends[record] - begin);
}

std::optional<RecordIdCollector::Duplicate> RecordIdCollector::findDuplicateKey() const
{
    if (m_keys.empty())
        return std::nullopt;
    const auto [low, high] = std::minmax_element(m_keys.begin(), m_keys.end());
    const std::uint64_t range = std::uint64_t(std::int64_t(*high) - *low) + 1;
    std::optional<std::int32_t> repeated;
    if (range <= 8 * std::uint64_t(m_keys.size()) + 4096) {
        // Ids of a dense range, as most files number their records: one bit each.
        std::vector<std::uint64_t> seen(std::size_t((range + 63) / 64), 0);
        for (const std::int32_t key : m_keys) {
            const std::uint64_t bit = std::uint64_t(std::int64_t(key) - *low);
            std::uint64_t& word = seen[std::size_t(bit / 64)];
            const std::uint64_t mask = std::uint64_t(1) << (bit % 64);
            if (word & mask) {
                repeated = key;
                break;
            }
            word |= mask;
        }
    } else {
        std::vector<std::int32_t> sorted = m_keys;
        std::sort(sorted.begin(), sorted.end());
        if (const auto found = std::adjacent_find(sorted.begin(), sorted.end()); found != sorted.end())
            repeated = *found;
    }
    if (!repeated)
        return std::nullopt;
    const auto first = std::find(m_keys.begin(), m_keys.end(), *repeated);
    const auto second = std::find(first + 1, m_keys.end(), *repeated);
    return Duplicate { std::size_t(first - m_keys.begin()), std::size_t(second - m_keys.begin()) };
}

std::optional<RecordIdCollector::Duplicate> RecordIdCollector::finish(
    std::vector<std::int32_t>& keys, std::shared_ptr<const IdTexts>& texts)
{
    if (!m_textsKept) {
        if (const std::optional<Duplicate> duplicate = findDuplicateKey())
            return duplicate;
        keys = std::move(m_keys);
        texts = nullptr;
        return std::nullopt;
    }

    const std::size_t n = m_ends.size();
    const auto textOf = [this](std::size_t record) {
        const std::uint64_t begin = record == 0 ? 0 : m_ends[record - 1];
        return std::string_view(m_chars).substr(begin, m_ends[record] - begin);
    };
    std::vector<std::uint32_t> order(n);
    std::iota(order.begin(), order.end(), 0u);
    // Stable: records with one id stay in file order, so a duplicate pair names the earlier record first.
    if (m_allWhole)
        std::stable_sort(order.begin(), order.end(), [this](auto a, auto b) { return m_numbers[a] < m_numbers[b]; });
    else
        std::stable_sort(order.begin(), order.end(), [&](auto a, auto b) { return textOf(a) < textOf(b); });

    std::optional<Duplicate> duplicate;
    for (std::size_t k = 1; k < n; ++k) {
        const bool same
            = m_allWhole ? m_numbers[order[k]] == m_numbers[order[k - 1]] : textOf(order[k]) == textOf(order[k - 1]);
        if (same && (!duplicate || order[k] < duplicate->second))
            duplicate = Duplicate { order[k - 1], order[k] };
    }
    if (duplicate)
        return duplicate;

    auto kept = std::make_shared<IdTexts>();
    kept->m_chars.reserve(m_chars.size());
    kept->m_ends.reserve(n);
    keys.assign(n, 0);
    for (std::size_t k = 0; k < n; ++k) {
        keys[order[k]] = std::int32_t(k + 1);
        kept->m_chars.append(textOf(order[k]));
        kept->m_ends.push_back(kept->m_chars.size());
    }
    texts = std::move(kept);
    return std::nullopt;
}

} // namespace wb::engine
