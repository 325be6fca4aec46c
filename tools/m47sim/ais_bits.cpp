#include "ais_bits.h"

#include <cctype>

namespace m47sim {

void BitWriter::Put(uint32_t value, int width)
{
    for (int bit = width - 1; bit >= 0; --bit)
        bits_.push_back(((value >> bit) & 1U) != 0);
}

void BitWriter::PutSigned(int32_t value, int width)
{
    Put(static_cast<uint32_t>(value), width);
}

unsigned SixBitTextCode(char c)
{
    const auto upper = static_cast<unsigned char>(std::toupper(static_cast<unsigned char>(c)));
    if (upper >= 64 && upper < 96)
        return upper - 64U;
    if (upper >= 32 && upper < 64)
        return upper;
    return 63;
}

void BitWriter::PutText(std::string_view text, int chars)
{
    for (int i = 0; i < chars; ++i)
        Put(static_cast<size_t>(i) < text.size() ? SixBitTextCode(text[static_cast<size_t>(i)]) : 0U, 6);
}

ArmouredPayload Armour(const std::vector<bool>& bits)
{
    ArmouredPayload payload;
    for (size_t start = 0; start < bits.size(); start += 6) {
        unsigned value = 0;
        for (size_t i = start; i < start + 6; ++i)
            value = (value << 1) | (i < bits.size() && bits[i] ? 1U : 0U);
        payload.text += static_cast<char>(value < 40 ? value + 48 : value + 56);
    }
    payload.fillBits = static_cast<int>((6 - bits.size() % 6) % 6);
    return payload;
}

} // namespace m47sim
