#pragma once
// Look-up of a formatter's entry in a table keyed by the formatter. The tables are written in
// the order that reads best and indexed at compile time, so that each sentence costs one hash
// and one compare rather than a compare with every entry. Internal to the library.
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

// A perfect hash of the formatters: the key times a multiplier found at compile time, top eight
// bits, names a slot that holds at most one entry. A look-up is one multiplication and one
// compare, whatever the table's size.
template <typename Entry, std::size_t N>
struct FormatterIndex {
    static constexpr std::size_t kSlots = 256;
    static constexpr std::uint8_t kEmpty = 0xFF;
    static_assert(N < kEmpty);

    std::uint32_t multiplier = 0; // 0: no collision-free multiplier was found
    std::array<std::uint8_t, kSlots> entryOf{};
    std::array<std::uint32_t, N> keys{}; // of the entries, to confirm a hit in one compare
    std::array<Entry, N> entries{};

    static constexpr std::size_t Slot(std::uint32_t key, std::uint32_t multiplier)
    {
        return (key * multiplier) >> 24;
    }
};

template <typename Entry, std::size_t N>
constexpr FormatterIndex<Entry, N> IndexByFormatter(const Entry (&entries)[N])
{
    using Index = FormatterIndex<Entry, N>;
    Index index;
    std::copy(entries, entries + N, index.entries.begin());
    for (std::size_t i = 0; i < N; ++i)
        index.keys[i] = FormatterKey(entries[i].formatter);
    // Odd multipliers from a fixed sequence until one sends every formatter to its own slot.
    std::uint32_t candidate = 0x9E3779B1u;
    for (int attempt = 0; attempt < 100000; ++attempt, candidate += 0x6A09E668u) {
        index.entryOf.fill(Index::kEmpty);
        bool distinct = true;
        for (std::size_t i = 0; i < N && distinct; ++i) {
            std::uint8_t& slot = index.entryOf[Index::Slot(index.keys[i], candidate | 1u)];
            distinct = slot == Index::kEmpty;
            slot = static_cast<std::uint8_t>(i);
        }
        if (distinct) {
            index.multiplier = candidate | 1u;
            return index;
        }
    }
    return index;
}

// Each formatter once, so that the look-up finds what a walk through the table would find
// first, and a multiplier found.
template <typename Entry, std::size_t N>
constexpr bool HasUniqueFormatters(const FormatterIndex<Entry, N>& index)
{
    return index.multiplier != 0;
}

// The entry of `formatter`, or null.
template <typename Entry, std::size_t N>
const Entry* FindFormatter(const FormatterIndex<Entry, N>& index, const char (&formatter)[4])
{
    const std::uint32_t key = FormatterKey(formatter);
    const std::uint8_t at = index.entryOf[FormatterIndex<Entry, N>::Slot(key, index.multiplier)];
    if (at == FormatterIndex<Entry, N>::kEmpty || index.keys[at] != key)
        return nullptr;
    return &index.entries[at];
}

} // namespace nmea
