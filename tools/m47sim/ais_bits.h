// Bit packing and six-bit armouring of AIS message payloads (ITU-R M.1371 bits, IEC 61162-1
// armouring): fields are written most significant bit first; every six bits become one payload
// character, "0".."W" for 0..39 and "`".."w" for 40..63; the last character is padded with
// zero fill bits.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace m47sim {

class BitWriter
{
public:
    // The low `width` bits of value (width 1..32).
    void Put(uint32_t value, int width);
    // A two's-complement field of `width` bits.
    void PutSigned(int32_t value, int width);
    // `chars` six-bit characters of text (upper case, "@" padding when the text is shorter).
    void PutText(std::string_view text, int chars);

    const std::vector<bool>& bits() const { return bits_; }
    size_t size() const { return bits_.size(); }

private:
    std::vector<bool> bits_;
};

struct ArmouredPayload {
    std::string text;
    int fillBits = 0;
};

ArmouredPayload Armour(const std::vector<bool>& bits);

// The six-bit code of a text character: "@" 0, "A".."Z" 1..26, space 32, digits 48..57;
// characters outside the AIS alphabet become "?" (63).
unsigned SixBitTextCode(char c);

} // namespace m47sim
