#pragma once
// NMEA 0183 checksum: the XOR of every character between the start character and "*".

namespace nmea {

// True when the two digits after the first "*" equal the XOR of the characters between the
// start character and that "*". A line without "*" fails: the checksum is never optional.
bool VerifyChecksum(const char* line);

// Appends "*", the checksum as two upper-case hex digits, CR and LF to a command text that
// starts with "$"; the buffer needs room for five more bytes. False (text unchanged) when the
// text is 65535 characters or longer.
bool AppendChecksum(char* text);

}  // namespace nmea
