#pragma once
// Eight characters at a time for the line scans that run on every received sentence (checksum,
// comma counting, empty-field marking): one word test in place of eight character tests.
// Internal to the library.

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace nmea::byte_words {

// Byte i of a loaded word is text[i]: the flag positions below rely on it.
static_assert(std::endian::native == std::endian::little);

inline constexpr std::size_t kWordBytes = 8;
inline constexpr std::uint64_t kOnes = 0x0101010101010101u;
inline constexpr std::uint64_t kLow7 = 0x7F7F7F7F7F7F7F7Fu;

inline std::uint64_t Load(const char* text)
{
    std::uint64_t word = 0;
    std::memcpy(&word, text, kWordBytes);
    return word;
}

// The high bit of each byte of `word` that equals `c`, and no other bit (exact: no carry runs
// from one byte into the next).
constexpr std::uint64_t Matches(std::uint64_t word, char c)
{
    const std::uint64_t x = word ^ (kOnes * static_cast<unsigned char>(c));
    return ~(((x & kLow7) + kLow7) | x | kLow7);
}

// How many bytes Matches flagged.
constexpr int CountFlags(std::uint64_t flags)
{
    return static_cast<int>(((flags >> 7) * kOnes) >> 56);
}

// Index of the lowest flagged byte; `flags` is not 0.
constexpr std::size_t LowestFlag(std::uint64_t flags)
{
    return static_cast<std::size_t>(std::countr_zero(flags)) / 8;
}

// How many of text[0, length) equal `c`.
inline int CountBytes(const char* text, std::size_t length, char c)
{
    int count = 0;
    std::size_t i = 0;
    for (; i + kWordBytes <= length; i += kWordBytes)
        count += CountFlags(Matches(Load(text + i), c));
    for (; i < length; ++i)
        count += text[i] == c ? 1 : 0;
    return count;
}

// Calls visit(i) for each i in [0, length) with text[i] == c, in rising order.
template <typename Visit>
void ForEachByte(const char* text, std::size_t length, char c, Visit&& visit)
{
    std::size_t i = 0;
    for (; i + kWordBytes <= length; i += kWordBytes) {
        for (std::uint64_t flags = Matches(Load(text + i), c); flags != 0; flags &= flags - 1)
            visit(i + LowestFlag(flags));
    }
    for (; i < length; ++i) {
        if (text[i] == c)
            visit(i);
    }
}

// XOR of text[0, length).
inline unsigned char XorBytes(const char* text, std::size_t length)
{
    std::uint64_t folded = 0;
    std::size_t i = 0;
    for (; i + kWordBytes <= length; i += kWordBytes)
        folded ^= Load(text + i);
    folded ^= folded >> 32;
    folded ^= folded >> 16;
    folded ^= folded >> 8;
    auto sum = static_cast<unsigned char>(folded);
    for (; i < length; ++i)
        sum ^= static_cast<unsigned char>(text[i]);
    return sum;
}

} // namespace nmea::byte_words
