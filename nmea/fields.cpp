#include "nmea/fields.h"

#include <climits>
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "nmea/byte_words.h"

namespace nmea {

namespace {

constexpr std::size_t kMaxNormalisedLength = 98;

// Integer part of a real, kept to 8 bits like the byte it is stored in; values no 32-bit
// integer can hold (and NaN) give 0 instead of undefined behaviour.
std::uint8_t TruncateToByte(double value)
{
    if (!(value > -2147483649.0 && value < 2147483648.0))
        return 0;
    return static_cast<std::uint8_t>(static_cast<std::int64_t>(value));
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

// strtol on a 32-bit long: saturates like the receiver software's C library did.
long ReadLong32(const char* field)
{
    // Most fields are a few plain digits: read those here, with the result strtoll would give
    // (nine digits cannot overflow); signs, spaces and longer numbers go to the C library.
    constexpr int kPlainDigits = 9;
    long plain = 0;
    int digits = 0;
    for (; digits < kPlainDigits && IsDigit(field[digits]); ++digits)
        plain = plain * 10 + (field[digits] - '0');
    if (digits > 0 && !IsDigit(field[digits]))
        return plain;
    const long long value = std::strtoll(field, nullptr, 10);
    if (value > INT32_MAX)
        return INT32_MAX;
    if (value < INT32_MIN)
        return INT32_MIN;
    return static_cast<long>(value);
}

} // namespace

bool MarkEmptyFields(char* line)
{
    std::size_t length = std::strlen(line);
    return MarkEmptyFields(line, length);
}

bool MarkEmptyFields(char* line, std::size_t& length)
{
    if (length > kMaxNormalisedLength)
        return false;
    // Where a space goes: after every comma followed by another comma or by "*". The NUL ends
    // the look at the next character.
    std::size_t marks[kMaxNormalisedLength];
    std::size_t empty = 0;
    byte_words::ForEachByte(line, length, ',', [&](std::size_t comma) {
        const char next = line[comma + 1];
        if (next == ',' || next == '*')
            marks[empty++] = comma + 1;
    });
    if (length + empty > kMaxNormalisedLength)
        return false;
    // Move the pieces between marks up from the end, NUL included.
    std::size_t end = length + 1;
    for (std::size_t k = empty; k > 0; --k) {
        const std::size_t from = marks[k - 1];
        std::memmove(line + from + k, line + from, end - from);
        line[from + k - 1] = ' ';
        end = from;
    }
    length += empty;
    return true;
}

int CountCommas(const char* line)
{
    return byte_words::CountBytes(line, std::strlen(line), ',');
}

bool HasCommaCount(const char* line, int n)
{
    return n > 0 && CountCommas(line) == n;
}

char* FieldTokenizer::NextField(char* text, const char* delimiters)
{
    char* start = text != nullptr ? text : remembered_;
    if (start == nullptr || delimiters[0] == '\0')
        return nullptr;
    char* delimiter = std::strchr(start, delimiters[0]);
    if (delimiter == nullptr) {
        remembered_ = nullptr;
        return nullptr;
    }
    *delimiter = '\0';
    remembered_ = delimiter + 1;
    char* first = start;
    while (*first == ' ')
        ++first;
    return *first != '\0' ? first : start;
}

FieldCursor::FieldCursor(char* line)
{
    if (tokenizer_.NextField(line, ",") == nullptr)
        complete_ = false;
}

const char* FieldCursor::Next()
{
    return Take(",");
}

const char* FieldCursor::Last()
{
    return Take("*");
}

const char* FieldCursor::Last(int trailing)
{
    return trailing > 0 ? Next() : Last();
}

const char* FieldCursor::Take(const char* delimiter)
{
    const char* field = tokenizer_.NextField(nullptr, delimiter);
    if (field == nullptr) {
        complete_ = false;
        return " ";
    }
    return field;
}

int ReadInt(const char* field)
{
    return static_cast<int>(ReadLong32(field));
}

double ReadDouble(const char* field)
{
    return std::strtod(field, nullptr);
}

std::int8_t ReadByte(const char* field, std::int8_t empty)
{
    return IsEmptyField(field) ? empty : static_cast<std::int8_t>(ReadInt(field));
}

std::uint8_t ReadUnsignedByte(const char* field, std::uint8_t empty)
{
    return IsEmptyField(field) ? empty : static_cast<std::uint8_t>(ReadInt(field));
}

std::int16_t ReadWord(const char* field, std::int16_t empty)
{
    return IsEmptyField(field) ? empty : static_cast<std::int16_t>(ReadInt(field));
}

std::int32_t ReadLong(const char* field, std::int32_t empty)
{
    return IsEmptyField(field) ? empty : static_cast<std::int32_t>(ReadLong32(field));
}

float ReadReal(const char* field, float empty)
{
    return IsEmptyField(field) ? empty : static_cast<float>(ReadDouble(field));
}

char ReadChar(const char* field, char empty)
{
    return IsEmptyField(field) ? empty : field[0];
}

void ReadText(const char* field, char* out, std::size_t capacity, bool emptyAsBlank)
{
    if (!emptyAsBlank && IsEmptyField(field)) {
        out[0] = '\0';
        return;
    }
    std::size_t length = std::strlen(field);
    if (length > capacity - 1)
        length = capacity - 1;
    std::memcpy(out, field, length);
    out[length] = '\0';
}

float DegMinToDegrees(double value, float limit)
{
    // Minutes to degrees in extended precision, so that the truncation of the shown minutes
    // does not lose the last digit to double rounding.
    const long double c = static_cast<long double>(value) * static_cast<long double>(0.01);
    const long double d = std::trunc(c);
    const auto degrees = static_cast<float>(d + (c - d) * static_cast<long double>(1.6666666666666667));
    if (!(degrees <= limit))
        return limit + 1.0f;
    return degrees;
}

void ParseLatLon(FieldCursor& fields, const char* latitude, Position& out)
{
    out.latitude = IsEmptyField(latitude) ? kNoLatitude : DegMinToDegrees(ReadDouble(latitude), 90.0f);
    if (std::strcmp(fields.Next(), "S") == 0)
        out.latitude = -out.latitude;
    const char* longitude = fields.Next();
    out.longitude = IsEmptyField(longitude) ? kNoLongitude : DegMinToDegrees(ReadDouble(longitude), 180.0f);
    if (std::strcmp(fields.Next(), "W") == 0)
        out.longitude = -out.longitude;
}

void ParseUtcTime(const char* field, UtcTime& out)
{
    if (IsEmptyField(field)) {
        out.hour = 24;
        out.minute = 60;
        out.second = 60;
        return;
    }
    const double x = ReadDouble(field);
    out.hour = TruncateToByte(x * 0.0001);
    out.minute = TruncateToByte((x - out.hour * 10000.0) * 0.01);
    const auto seconds = static_cast<float>(x - out.hour * 10000.0 - out.minute * 100.0);
    out.second = TruncateToByte(seconds);
    out.hundredths = TruncateToByte(std::ceil((static_cast<double>(seconds) - out.second) * 100.0));
}

void ParseDate(const char* field, CalendarDate& out)
{
    if (IsEmptyField(field)) {
        out = CalendarDate{0, 0, 0};
        return;
    }
    const int n = ReadInt(field);
    out.year = static_cast<std::int16_t>(2000 + n % 100);
    out.month = static_cast<std::int8_t>((n / 100) % 100);
    out.day = static_cast<std::int8_t>(n / 10000);
}

bool ParseHexByte(const char* text, std::uint8_t& out)
{
    out = 0;
    for (const char* p = text; *p != '\0'; ++p) {
        int value;
        if (*p >= '0' && *p <= '9')
            value = *p - '0';
        else if (*p >= 'A' && *p <= 'F')
            value = *p - 'A' + 10;
        else
            return false;
        out = static_cast<std::uint8_t>(out * 16 + value);
    }
    return true;
}

} // namespace nmea
