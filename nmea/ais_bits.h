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
    std::array<std::uint8_t, kAisBitBufferBytes> data{};  // bit 0 is the top bit of byte 0
    std::uint16_t count = 0;                              // valid bits
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
std::uint32_t ReadBits(const AisBitBuffer& bits, unsigned position, unsigned width);

// Two's-complement reading of a `width`-bit field, as a float.
float SignExtend(std::uint32_t value, unsigned width);

}  // namespace nmea
