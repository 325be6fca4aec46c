#pragma once
// Helpers of the sentence library tests: framing a sentence body with its checksum and CR LF,
// and parsing it in a buffer of the size the receive path provides.

#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>

#include "nmea/fields.h"
#include "nmea/sentence_parser.h"
#include "nmea/sentence_record.h"

namespace nmea::test {

// "$GPGGA,..." -> "$GPGGA,...*hh\r\n", the checksum computed here, independently of the library.
inline std::string Framed(std::string_view body)
{
    unsigned sum = 0;
    for (std::size_t i = 1; i < body.size(); ++i)
        sum ^= static_cast<unsigned char>(body[i]);
    char tail[8];
    std::snprintf(tail, sizeof tail, "*%02X\r\n", sum);
    return std::string(body) + tail;
}

// Runs ParseSentence on a copy of `line` in a kLineCapacity buffer.
inline bool ParseLine(const std::string& line, SentenceRecord& record)
{
    char buffer[kLineCapacity + 1] = {};
    if (line.size() >= sizeof buffer)
        return false;
    std::memcpy(buffer, line.data(), line.size());
    return ParseSentence(buffer, record);
}

inline bool ParseBody(std::string_view body, SentenceRecord& record)
{
    return ParseLine(Framed(body), record);
}

} // namespace nmea::test
