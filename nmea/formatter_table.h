#pragma once
// Look-up of a formatter's entry in a table keyed by the formatter. The tables are written in
// the order that reads best and sorted at compile time, so that each sentence costs a binary
// search (six steps for the parsers) rather than a compare with every entry. Internal to the
// library.
//
//   constexpr auto kIndex = IndexByFormatter(kEntries);   // entries have `char formatter[4]`
//   static_assert(HasUniqueFormatters(kIndex));
//   if (const Entry* entry = FindFormatter(kIndex, record.formatter)) ...

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>

namespace nmea {

// All four bytes (the NULs after a short formatter too), first byte highest, so that keys
// order like the texts and equal keys mean equal texts.
constexpr std::uint32_t FormatterKey(const char (&formatter)[4])
{
    std::uint32_t key = 0;
    for (const char c : formatter)
        key = key << 8 | static_cast<unsigned char>(c);
    return key;
}

// The entries in the order of their keys, with the keys apart so that the search reads a small
// array of numbers.
template <typename Entry, std::size_t N>
struct FormatterIndex {
    std::array<std::uint32_t, N> keys{};  // rising
    std::array<Entry, N> entries{};
};

template <typename Entry, std::size_t N>
constexpr FormatterIndex<Entry, N> IndexByFormatter(const Entry (&entries)[N])
{
    FormatterIndex<Entry, N> index;
    std::copy(entries, entries + N, index.entries.begin());
    std::sort(index.entries.begin(), index.entries.end(), [](const Entry& a, const Entry& b) {
        return FormatterKey(a.formatter) < FormatterKey(b.formatter);
    });
    for (std::size_t i = 0; i < N; ++i)
        index.keys[i] = FormatterKey(index.entries[i].formatter);
    return index;
}

// Each formatter once, so that the search finds what a walk through the table would find first.
template <typename Entry, std::size_t N>
constexpr bool HasUniqueFormatters(const FormatterIndex<Entry, N>& index)
{
    return std::adjacent_find(index.keys.begin(), index.keys.end()) == index.keys.end();
}

// The entry of `formatter`, or null.
template <typename Entry, std::size_t N>
const Entry* FindFormatter(const FormatterIndex<Entry, N>& index, const char (&formatter)[4])
{
    const std::uint32_t key = FormatterKey(formatter);
    const auto found = std::lower_bound(index.keys.begin(), index.keys.end(), key);
    if (found == index.keys.end() || *found != key)
        return nullptr;
    return &index.entries[static_cast<std::size_t>(found - index.keys.begin())];
}

}  // namespace nmea
