#pragma once
// Field helpers shared by the sentence parsers: empty-field marking, the comma tokenizer,
// comma counting and the readers of positions, times, dates and hexadecimal bytes.

#include <cstddef>
#include <cstdint>

#include "nmea/sentence_record.h"

namespace nmea {

// Room a received line needs: MarkEmptyFields may lengthen it to 98 characters and NUL.
inline constexpr std::size_t kLineCapacity = 99;

// Writes one space into every empty field (after a comma followed by another comma or by "*"),
// so that each parser sees an empty field as a field starting with a space. The line's buffer
// must hold kLineCapacity bytes. False, line unchanged, when the result would reach 99 characters.
bool MarkEmptyFields(char* line);
// The same for a line whose length is already known; `length` becomes the marked line's.
bool MarkEmptyFields(char* line, std::size_t& length);

// True when the line holds exactly n commas (never for a line without any).
bool HasCommaCount(const char* line, int n);
int CountCommas(const char* line);

// strtok-like splitter with one remembered position. Only the first delimiter character counts.
// A field of spaces only (the empty-field mark) comes back as it is; other fields lose their
// leading spaces.
class FieldTokenizer
{
public:
    // Starts at `text`, or at the remembered position when `text` is null. Null when no
    // delimiter follows (the remembered position is then forgotten).
    char* NextField(char* text, const char* delimiters);

private:
    char* remembered_ = nullptr;
};

// A parser's walk over one normalised line: skips the address field on construction, then hands
// out the data fields in order. A field the line does not have reads as the empty mark and
// makes Complete() false, so a short line is rejected instead of read past its end.
class FieldCursor
{
public:
    explicit FieldCursor(char* line);

    const char* Next(); // up to the next ","
    const char* Last(); // up to "*"
    // The last field a parser reads, when `trailing` fields it does not read may follow (the
    // identifiers that NMEA 4.10 receivers append): up to "," then, else up to "*".
    const char* Last(int trailing);
    bool Complete() const { return complete_; }

private:
    const char* Take(const char* delimiter);

    FieldTokenizer tokenizer_;
    bool complete_ = true;
};

// A field whose first character is a space has no value.
inline bool IsEmptyField(const char* field)
{
    return field[0] == ' ';
}

// Number readers with C-library semantics (atoi, atol on a 32-bit long, strtod); an empty field
// gives `empty`. Integers are kept to the field's width before any range test.
std::int8_t ReadByte(const char* field, std::int8_t empty = kNoByte);
std::uint8_t ReadUnsignedByte(const char* field, std::uint8_t empty);
std::int16_t ReadWord(const char* field, std::int16_t empty = kNoWord);
std::int32_t ReadLong(const char* field, std::int32_t empty);
float ReadReal(const char* field, float empty = kNoReal);
// The field's first character, or `empty` for an empty field.
char ReadChar(const char* field, char empty = ' ');
// Copies the field, cut to fit `capacity` bytes with its NUL; an empty field gives an empty
// text when `emptyAsBlank` is false, else the single-space mark.
void ReadText(const char* field, char* out, std::size_t capacity, bool emptyAsBlank);
int ReadInt(const char* field);       // atoi
double ReadDouble(const char* field); // strtod

// ddmm.mmmm to degrees, rounded to a float; limit + 1 when above `limit` or not a number.
float DegMinToDegrees(double value, float limit);

// Latitude field (already read), then its N/S, longitude and E/W fields read from `fields`.
void ParseLatLon(FieldCursor& fields, const char* latitude, Position& out);

// hhmmss.ss; an empty field gives 24:60:60 and leaves the hundredths unchanged.
void ParseUtcTime(const char* field, UtcTime& out);

// ddmmyy; an empty field gives 0, 0, 0.
void ParseDate(const char* field, CalendarDate& out);

// Upper-case hexadecimal text to a byte (kept to 8 bits); false on any other character.
bool ParseHexByte(const char* text, std::uint8_t& out);

} // namespace nmea
