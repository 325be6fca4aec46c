// Framing of the sentences the virtual device sends and receives: "$" or "!", the body, "*",
// two upper-case hexadecimal digits of the XOR of the body, CR LF.
//
//   $PCVN,R,TXT,PROD. INFO. END*65\r\n
//    `------------ body ------------'
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace m47sim {

// Body plus "*hh" and CR LF, behind the start character ('$' or '!').
std::string FrameSentence(char start, std::string_view body);

// The XOR of every character of the body, the NMEA 0183 checksum.
unsigned SentenceChecksum(std::string_view body);

// 0..15 for a hexadecimal digit (either case), -1 otherwise.
int HexDigitValue(char c);

// For a received line (no CR LF): the body between the start character and "*" when the line
// carries a checksum field that matches; nothing otherwise.
std::optional<std::string_view> CheckedBody(std::string_view line);

}  // namespace m47sim
