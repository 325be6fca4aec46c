#include "nmea/checksum.h"

#include <cstring>

#include "nmea/byte_words.h"

namespace nmea {

namespace {

// Digit value as the receiver firmware reads it: anything above '9' counts from 'A', so a
// lower-case letter is accepted in the high digit only by coincidence of the modulo.
int HexDigitValue(unsigned char c)
{
    return c > '9' ? c - 55 : c - 48;
}

} // namespace

bool VerifyChecksum(const char* line)
{
    return VerifyChecksum(line, std::strlen(line));
}

bool VerifyChecksum(const char* line, std::size_t length)
{
    // The first "*" from the third character on, with both digits before the line's end.
    const void* found = length > 2 ? std::memchr(line + 2, '*', length - 2) : nullptr;
    if (found == nullptr)
        return false;
    const auto star = static_cast<std::size_t>(static_cast<const char*>(found) - line);
    if (star + 2 >= length)
        return false;
    // The character after the start character counts even when it is the "*".
    const unsigned char sum = byte_words::XorBytes(line + 1, star - 1);
    const auto high = static_cast<unsigned char>(line[star + 1]);
    const auto low = static_cast<unsigned char>(line[star + 2]);
    const int received = (HexDigitValue(high) * 16 + HexDigitValue(low)) & 0xFF;
    return received == sum;
}

bool AppendChecksum(char* text)
{
    const std::size_t length = std::strlen(text);
    if (length >= 65535)
        return false;
    unsigned char sum = 0;
    for (std::size_t i = 1; i < length; ++i)
        sum ^= static_cast<unsigned char>(text[i]);
    static constexpr char kDigits[] = "0123456789ABCDEF";
    char* end = text + length;
    end[0] = '*';
    end[1] = kDigits[sum >> 4];
    end[2] = kDigits[sum & 0x0F];
    end[3] = '\r';
    end[4] = '\n';
    end[5] = '\0';
    return true;
}

} // namespace nmea
