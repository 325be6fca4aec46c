#pragma once
// The two text rules the device's replies are read with: a key's value found anywhere in a line,
// and a decimal number read the way the C library's atoi reads it (but without its overflow).

#include <string_view>

namespace m47::device {

// The value of `key` in `line`: the text from the end of the first occurrence of the key up to,
// not including, the first '*' of the line. Empty when the key is missing, the line has no '*',
// or its first '*' comes before the end of the key.
//   "$PCVN,R,TXT,FIRMWARE=V1.02*3A\r\n", "FIRMWARE=" -> "V1.02"
std::string_view ValueOfKey(std::string_view line, std::string_view key);

// Leading spaces, an optional sign, then decimal digits up to the first other character; no
// digits gives 0. Out-of-range values saturate at the int limits instead of overflowing.
int LeadingNumber(std::string_view text);

// Whether `text` contains `part` (substring search, as the device's replies are recognised).
inline bool Contains(std::string_view text, std::string_view part)
{
    return text.find(part) != std::string_view::npos;
}

} // namespace m47::device
