// Framing of the sentences the virtual device sends and receives: "$" or "!", the body, "*",
// two upper-case hexadecimal digits of the XOR of the body, CR LF. The checksum itself is the
// sentence library's.
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

// For a received line (no CR LF): the body between the start character and the first "*" when
// the line carries a checksum field that matches; nothing otherwise.
std::optional<std::string_view> CheckedBody(std::string_view line);

} // namespace m47sim
