#pragma once
// NMEA 0183 checksum: the XOR of every character between the start character and "*".

#include <cstddef>

namespace nmea {

// True when the two digits after the first "*" equal the XOR of the characters between the
// start character and that "*". A line without "*" fails: the checksum is never optional.
bool VerifyChecksum(const char* line);
// The same for a line whose length (up to its first NUL) is already known.
bool VerifyChecksum(const char* line, std::size_t length);

// Appends "*", the checksum as two upper-case hex digits, CR and LF to a command text that
// starts with "$"; the buffer needs room for five more bytes. False (text unchanged) when the
// text is 65535 characters or longer.
bool AppendChecksum(char* text);

} // namespace nmea
