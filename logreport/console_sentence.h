#pragma once
// The raw command line of the DATA LOG page: the user types the whole sentence, "$" and checksum
// field included, and it is sent as typed with CR, LF and the terminating zero byte.
//
//   "$PTST,,,,,16*28" -> "$PTST,,,,,16*28\r\n\0"  (15 + 3 bytes)
//   ""                -> "\r\n\0"                 (3 bytes)

#include <cstddef>
#include <string>
#include <string_view>

namespace m47::logreport {

// The command entry holds at most this many characters of the single-byte code page.
inline constexpr std::size_t kMaxConsoleTextLength = 86;

// The bytes to send for `text`: its first kMaxConsoleTextLength characters, CR, LF and NUL.
std::string ConsoleSentence(std::string_view text);

} // namespace m47::logreport
