// Field helpers: empty-field marks, the tokenizer, comma counts and the number readers.

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string>

#include "nmea/fields.h"

namespace nmea {
namespace {

TEST(MarkEmptyFields, WritesOneSpaceIntoEveryEmptyField)
{
    struct Case {
        const char* in;
        const char* out;
    };
    const Case cases[] = {
        {"$GPGSA,A,3,,,04,*3C\r\n", "$GPGSA,A,3, , ,04, *3C\r\n"},
        {"$GPHDT,,*3C\r\n", "$GPHDT, , *3C\r\n"},
        {",,,,*,,", ", , , , *, ,"},
        {"$GPHDT,1.0,T*3C\r\n", "$GPHDT,1.0,T*3C\r\n"},
        {"$GPHDT*3C\r\n", "$GPHDT*3C\r\n"},
    };
    for (const Case& c : cases) {
        char line[kLineCapacity + 1] = {};
        std::strcpy(line, c.in);
        EXPECT_TRUE(MarkEmptyFields(line));
        EXPECT_STREQ(line, c.out);
    }
}

TEST(MarkEmptyFields, KeepsAtMost98Characters)
{
    // "$", 48 marked commas and "*" make 98 characters; one comma more would need 100.
    for (int commas : {48, 49, 50}) {
        const std::string input = "$" + std::string(static_cast<std::size_t>(commas), ',') + "*";
        char line[kLineCapacity + 1] = {};
        std::strcpy(line, input.c_str());
        const bool fits = 1 + 2 * commas + 1 <= 98;
        EXPECT_EQ(MarkEmptyFields(line), fits) << commas;
        if (!fits) {
            EXPECT_STREQ(line, input.c_str()); // left unchanged
        } else {
            EXPECT_EQ(std::strlen(line), static_cast<std::size_t>(2 + 2 * commas));
        }
    }
}

TEST(HasCommaCount, CountsEveryCommaOfTheLine)
{
    EXPECT_TRUE(HasCommaCount("$GPHDT,1,T*00", 2));
    EXPECT_FALSE(HasCommaCount("$GPHDT,1,T*00", 1));
    EXPECT_FALSE(HasCommaCount("$GPHDT*00", 0)); // no comma at all is never a match
    EXPECT_TRUE(HasCommaCount("$A,B*C,D", 2));   // commas after "*" count too
}

// The line scans test eight characters at a time and the rest one by one: every length and
// every place of the commas within a word must give what a character-by-character walk gives.
TEST(LineScans, AgreeWithACharacterWalkAtEveryPosition)
{
    for (std::size_t length = 0; length <= 60; ++length) {
        for (std::size_t seed = 0; seed < 24; ++seed) {
            std::string input;
            for (std::size_t i = 0; i < length; ++i)
                input += (i * 7 + seed * 3) % 5 == 0 || (i + seed) % 11 == 0 ? ',' : 'A';
            if (seed % 3 == 0 && length > 0)
                input[(length * seed) % length] = '*';

            std::string expected;
            for (std::size_t i = 0; i < input.size(); ++i) {
                expected += input[i];
                if (input[i] == ',' && i + 1 < input.size() && (input[i + 1] == ',' || input[i + 1] == '*'))
                    expected += ' ';
            }
            const auto commas = static_cast<int>(std::count(input.begin(), input.end(), ','));

            char line[kLineCapacity + 1] = {};
            std::strcpy(line, input.c_str());
            EXPECT_EQ(CountCommas(line), commas) << input;
            EXPECT_TRUE(MarkEmptyFields(line)) << input;
            EXPECT_EQ(std::string(line), expected) << input;
        }
    }
}

TEST(NextField, SplitsInPlaceAndRemembersThePosition)
{
    char line[] = "$GPHDT,  12.5, ,T*00";
    FieldTokenizer tokenizer;
    EXPECT_STREQ(tokenizer.NextField(line, ","), "$GPHDT");
    EXPECT_STREQ(tokenizer.NextField(nullptr, ","), "12.5"); // leading spaces skipped
    EXPECT_STREQ(tokenizer.NextField(nullptr, ","), " ");    // the empty-field mark kept
    EXPECT_STREQ(tokenizer.NextField(nullptr, "*"), "T");
    EXPECT_EQ(tokenizer.NextField(nullptr, ","), nullptr); // no delimiter left
    EXPECT_EQ(tokenizer.NextField(nullptr, "*"), nullptr); // position forgotten
}

TEST(NextField, UsesOnlyTheFirstDelimiterCharacter)
{
    char line[] = "a*b,c";
    FieldTokenizer tokenizer;
    EXPECT_STREQ(tokenizer.NextField(line, ",*"), "a*b");
}

TEST(FieldCursor, MissingFieldsMakeTheWalkIncomplete)
{
    char line[] = "$GPRMA,A*00";
    FieldCursor fields(line);
    EXPECT_STREQ(fields.Last(), "A");
    EXPECT_TRUE(fields.Complete());
    EXPECT_STREQ(fields.Next(), " ");
    EXPECT_FALSE(fields.Complete());
}

TEST(NumberReaders, FollowTheCLibraryAndKeepTheFieldWidth)
{
    EXPECT_EQ(ReadByte(" "), kNoByte);
    EXPECT_EQ(ReadByte("300"), 44); // wraps to 8 bits
    EXPECT_EQ(ReadByte("200"), -56);
    EXPECT_EQ(ReadByte("A"), 0);    // a letter reads 0
    EXPECT_EQ(ReadByte("-5x"), -5); // reading stops at the first non-digit
    EXPECT_EQ(ReadWord("70000"), 4464);
    EXPECT_EQ(ReadWord(" ", 512), 512);
    EXPECT_EQ(ReadLong("99999999999", 0), 2147483647); // a 32-bit long saturates
    EXPECT_EQ(ReadLong(" ", 999999999), 999999999);
    // Plain digits are read without the C library; around that path the results stay its own.
    for (const char* text :
         {"0", "007", "12x", "123456789", "999999999", "1234567890", "2147483647", "2147483648",
          "00000000012", "-2147483649", "+12", "1 2", "9999999999999999999999"}) {
        const long long c = std::strtoll(text, nullptr, 10);
        const long long saturated = c > INT32_MAX ? INT32_MAX : c < INT32_MIN ? INT32_MIN : c;
        EXPECT_EQ(ReadLong(text, 0), saturated) << text;
    }
    EXPECT_FLOAT_EQ(ReadReal("1.5e2"), 150.0f);
    EXPECT_FLOAT_EQ(ReadReal(" "), kNoReal);
    EXPECT_EQ(ReadChar(" "), ' ');
    EXPECT_EQ(ReadChar(" ", kNoChar), kNoChar);
    EXPECT_EQ(ReadChar("AB"), 'A');
}

TEST(ReadText, CutsToCapacityAndKnowsTwoEmptyForms)
{
    char text[8];
    ReadText("ABCDEFGHIJ", text, sizeof text, true);
    EXPECT_STREQ(text, "ABCDEFG");
    ReadText(" ", text, sizeof text, true);
    EXPECT_STREQ(text, " ");
    ReadText(" ", text, sizeof text, false);
    EXPECT_STREQ(text, "");
}

TEST(DegMinToDegrees, ConvertsMinutesAndCapsAtTheLimit)
{
    EXPECT_FLOAT_EQ(DegMinToDegrees(4916.45, 90.0f), 49.274166f);
    EXPECT_FLOAT_EQ(DegMinToDegrees(12311.12, 180.0f), 123.18533f);
    EXPECT_FLOAT_EQ(DegMinToDegrees(-4916.45, 90.0f), -49.274166f);
    EXPECT_FLOAT_EQ(DegMinToDegrees(9100.0, 90.0f), 91.0f);
    EXPECT_FLOAT_EQ(DegMinToDegrees(18030.0, 180.0f), 181.0f);
    EXPECT_FLOAT_EQ(DegMinToDegrees(std::nan(""), 90.0f), 91.0f);
    EXPECT_FLOAT_EQ(DegMinToDegrees(HUGE_VAL, 180.0f), 181.0f);
}

TEST(ParseLatLon, AppliesHemispheresToWhateverWasStored)
{
    struct Case {
        const char* fields; // latitude field first, the rest follows
        float latitude;
        float longitude;
    };
    const Case cases[] = {
        {"4916.45,N,12311.12,W,", 49.274166f, -123.18533f},
        {"4916.45,S,12311.12,E,", -49.274166f, 123.18533f},
        {" ,S, ,W,", -91.0f, -181.0f},
        {" , , , ,", 91.0f, 181.0f},
    };
    for (const Case& c : cases) {
        char line[64] = "$GPGLL,";
        std::strcat(line, c.fields);
        FieldCursor fields(line);
        Position position{};
        ParseLatLon(fields, fields.Next(), position);
        EXPECT_TRUE(fields.Complete());
        EXPECT_FLOAT_EQ(position.latitude, c.latitude) << c.fields;
        EXPECT_FLOAT_EQ(position.longitude, c.longitude) << c.fields;
    }
}

TEST(ParseUtcTime, SplitsHoursMinutesSecondsAndHundredths)
{
    struct Case {
        const char* field;
        int hour, minute, second, hundredths;
    };
    const Case cases[] = {
        {"123519", 12, 35, 19, 0},
        {"235959.50", 23, 59, 59, 50},
        {"000001.25", 0, 0, 1, 25},
        {"093012.00", 9, 30, 12, 0},
    };
    for (const Case& c : cases) {
        UtcTime time{};
        ParseUtcTime(c.field, time);
        EXPECT_EQ(time.hour, c.hour) << c.field;
        EXPECT_EQ(time.minute, c.minute) << c.field;
        EXPECT_EQ(time.second, c.second) << c.field;
        EXPECT_EQ(time.hundredths, c.hundredths) << c.field;
    }
    UtcTime time{1, 2, 3, 77};
    ParseUtcTime(" ", time);
    EXPECT_EQ(time.hour, 24);
    EXPECT_EQ(time.minute, 60);
    EXPECT_EQ(time.second, 60);
    EXPECT_EQ(time.hundredths, 77); // left as it was

    ParseUtcTime("1e300", time); // absurd values must not be undefined behaviour
    ParseUtcTime("nan", time);
}

TEST(ParseDate, ReadsDdMmYyIntoTheCentury2000)
{
    CalendarDate date{};
    ParseDate("230394", date);
    EXPECT_EQ(date.year, 2094);
    EXPECT_EQ(date.month, 3);
    EXPECT_EQ(date.day, 23);
    ParseDate(" ", date);
    EXPECT_EQ(date.year, 0);
    EXPECT_EQ(date.month, 0);
    EXPECT_EQ(date.day, 0);
}

TEST(ParseHexByte, AcceptsUpperCaseDigitsOnly)
{
    struct Case {
        const char* text;
        bool ok;
        int value;
    };
    const Case cases[] = {
        {"", true, 0},    {"1F", true, 0x1F}, {"A", true, 10}, {"FFF", true, 0xFF},
        {"1f", false, 0}, {"G", false, 0},    {" ", false, 0},
    };
    for (const Case& c : cases) {
        std::uint8_t value = 99;
        EXPECT_EQ(ParseHexByte(c.text, value), c.ok) << c.text;
        if (c.ok) {
            EXPECT_EQ(value, c.value) << c.text;
        }
    }
}

} // namespace
} // namespace nmea
