#pragma once
// Six-bit armouring of AIS payloads and bit-level reading of the de-armoured message.
//
//   !AIVDM,1,1,,A,15RTgt0PAso;90TKcjM8h6g208CQ,0*4A
//                 |--------- payload ---------| fill bits
//
// Each payload character carries six bits, first character most significant. The fill bits
// say how many bits of the last character are padding (0, 2 or 4 are understood).

#include <array>
#include <cstdint>
#include <string_view>

namespace nmea {

struct AisFragmentBuffer;

// Longest message of the standard: 1008 bits, 168 payload characters.
inline constexpr std::size_t kAisMaxPayloadChars = 168;
inline constexpr std::size_t kAisBitBufferBytes = 127;

struct AisBitBuffer {
    std::array<std::uint8_t, kAisBitBufferBytes> data{}; // bit 0 is the top bit of byte 0
    std::uint16_t count = 0;                             // valid bits
};

// Six-bit value of an armouring character ("0".."W" and "`".."w"); 255 for any other.
std::uint8_t SixBitValue(char c);

// Turns a completed payload into bits. False for a payload above 168 characters, a character
// outside the armouring alphabet or fill bits other than 0, 2 or 4. Characters beyond the
// last whole group that the fill bits do not account for are ignored.
bool Dearmour(std::string_view payload, int fillBits, AisBitBuffer& bits);
// The same for the completed message held in the fragment buffer.
bool Dearmour(const AisFragmentBuffer& buffer, AisBitBuffer& bits);

// `width` (1..32) bits from bit `position`, most significant first. Bits beyond the buffer read 0.
// Inline: the decoder reads every field through it.
inline std::uint32_t ReadBits(const AisBitBuffer& bits, unsigned position, unsigned width)
{
    if (width == 0 || width > 32) {
        return 0;
    }
    // The eight bytes from the field's first, most significant first: the skipped bits shift out
    // at the top, then the field's `width` bits come down from the top. Away from the buffer's
    // end the bytes are read as one word (compilers make the byte joins one load).
    const std::size_t first = position / 8;
    std::uint64_t window = 0;
    if (first + 8 <= bits.data.size()) {
        const std::uint8_t* b = bits.data.data() + first;
        window = std::uint64_t{b[0]} << 56 | std::uint64_t{b[1]} << 48 | std::uint64_t{b[2]} << 40 |
                 std::uint64_t{b[3]} << 32 | std::uint64_t{b[4]} << 24 | std::uint64_t{b[5]} << 16 |
                 std::uint64_t{b[6]} << 8 | b[7];
    } else {
        for (std::size_t i = 0; i < 8; ++i) {
            const std::size_t index = first + i;
            window = (window << 8) | (index < bits.data.size() ? bits.data[index] : 0u);
        }
    }
    return static_cast<std::uint32_t>((window << (position % 8)) >> (64 - width));
}

// Two's-complement reading of a `width`-bit field, as a float. Inline like ReadBits.
inline float SignExtend(std::uint32_t value, unsigned width)
{
    if (width == 0 || width > 32) {
        return 0.0f;
    }
    const std::int64_t v = value;
    const std::int64_t signBit = std::int64_t{1} << (width - 1);
    return static_cast<float>((v & signBit) != 0 ? v - (signBit << 1) : v);
}

} // namespace nmea
