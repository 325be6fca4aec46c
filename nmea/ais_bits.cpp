#include "nmea/ais_bits.h"

#include "nmea/fragment_assembly.h"

#include <array>
#include <cstring>

namespace nmea {

namespace {

constexpr std::uint8_t kInvalidSixBit = 255;

// Six-bit value of every byte: "0".."W" are 0..39, "`".."w" are 40..63, the rest invalid.
constexpr std::array<std::uint8_t, 256> kSixBitValues = [] {
    std::array<std::uint8_t, 256> values{};
    for (unsigned code = 0; code < values.size(); ++code) {
        values[code] = code >= 48 && code <= 87    ? static_cast<std::uint8_t>(code - 48)
                       : code >= 96 && code <= 119 ? static_cast<std::uint8_t>(code - 56)
                                                   : kInvalidSixBit;
    }
    return values;
}();

// Six-bit values of `count` characters from `first`, joined most significant first; characters
// past the payload count as invalid, as the NUL after a text would.
bool JoinSixBits(std::string_view payload, std::size_t first, unsigned count, std::uint32_t& joined)
{
    joined = 0;
    for (unsigned i = 0; i < count; ++i) {
        const std::size_t index = first + i;
        const std::uint8_t value = index < payload.size() ? SixBitValue(payload[index]) : kInvalidSixBit;
        if (value == kInvalidSixBit) {
            return false;
        }
        joined = (joined << 6) | value;
    }
    return true;
}

} // namespace

std::uint8_t SixBitValue(char c)
{
    return kSixBitValues[static_cast<unsigned char>(c)];
}

bool Dearmour(std::string_view payload, int fillBits, AisBitBuffer& bits)
{
    bits = AisBitBuffer{};
    if (payload.size() > kAisMaxPayloadChars) {
        return false;
    }
    std::size_t pos = 0;
    std::size_t out = 0;
    std::uint32_t joined = 0;
    // Four characters make three whole bytes.
    for (; pos + 4 <= payload.size(); pos += 4) {
        const std::uint8_t a = SixBitValue(payload[pos]);
        const std::uint8_t b = SixBitValue(payload[pos + 1]);
        const std::uint8_t c = SixBitValue(payload[pos + 2]);
        const std::uint8_t d = SixBitValue(payload[pos + 3]);
        if ((a | b | c | d) > 63) { // an invalid character's 255 shows in the top bits
            return false;
        }
        joined = std::uint32_t{a} << 18 | std::uint32_t{b} << 12 | std::uint32_t{c} << 6 | d;
        bits.data[out++] = static_cast<std::uint8_t>(joined >> 16);
        bits.data[out++] = static_cast<std::uint8_t>(joined >> 8);
        bits.data[out++] = static_cast<std::uint8_t>(joined);
        bits.count = static_cast<std::uint16_t>(bits.count + 24);
    }
    switch (fillBits) {
    case 0: return true;
    case 2: // three characters, 18 bits, two padding bits: two bytes
        if (!JoinSixBits(payload, pos, 3, joined)) {
            return false;
        }
        joined >>= 2;
        bits.data[out++] = static_cast<std::uint8_t>(joined >> 8);
        bits.data[out] = static_cast<std::uint8_t>(joined);
        bits.count = static_cast<std::uint16_t>(bits.count + 16);
        return true;
    case 4: // two characters, 12 bits, four padding bits: one byte
        if (!JoinSixBits(payload, pos, 2, joined)) {
            return false;
        }
        bits.data[out] = static_cast<std::uint8_t>(joined >> 4);
        bits.count = static_cast<std::uint16_t>(bits.count + 8);
        return true;
    default: return false;
    }
}

bool Dearmour(const AisFragmentBuffer& buffer, AisBitBuffer& bits)
{
    const std::string_view payload(buffer.payload, strnlen(buffer.payload, sizeof buffer.payload));
    return Dearmour(payload, buffer.fillBits, bits);
}

} // namespace nmea
