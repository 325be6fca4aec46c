// Checksum verification and appending, and the framing rules ParseSentence applies before any
// parser runs.

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "nmea/checksum.h"
#include "sentence_test_support.h"

namespace nmea {
namespace {

TEST(VerifyChecksum, ReadsDigitsAsTheDeviceSoftwareDoes)
{
    struct Case {
        const char* line;
        bool valid;
    };
    const Case cases[] = {
        {"$GPHDT,274.07,T*03\r\n", true},
        {"$GPHDT,274.07,T*04\r\n", false}, // one digit changed
        {"$GPHDT,274.07,T\r\n", false},    // no "*": the checksum is never optional
        {"$GPHDT,274.07,T*\r\n", false},   // digits missing
        {"$GPHDT,274.08,T*0C\r\n", true},
        {"$GPHDT,274.08,T*0c\r\n", false}, // lower-case second digit
        {"$GPZDA,201530.00,04,07,2002,00,00*60\r\n", true},
        {"$GPZDA,201530.00,04,07,2002,00,00*AC\r\n", false},
        {"$GPHDT*", false},
        {"$**2A", true}, // the character after the start counts, even a "*"
        {"$A*41", true}, // the shortest line with both digits
        {"$A*4", false},
        {"$", false},
        {"", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        EXPECT_EQ(VerifyChecksum(c.line), c.valid);
    }
}

// The sum is taken several characters at a time: every body length and every changed
// character must still count.
TEST(VerifyChecksum, CountsEveryCharacterAtEveryLength)
{
    std::string body = "$";
    for (int length = 1; length <= 80; ++length) {
        body += static_cast<char>('A' + length % 26);
        std::string line = test::Framed(body);
        EXPECT_TRUE(VerifyChecksum(line.c_str())) << line;
        for (std::size_t i = 1; i < body.size(); ++i) {
            std::string changed = line;
            changed[i] = static_cast<char>(changed[i] ^ 0x40);
            EXPECT_FALSE(VerifyChecksum(changed.c_str())) << changed;
        }
    }
}

TEST(VerifyChecksum, LowerCaseHighDigitHappensToMatch)
{
    // Only a byte above 0x7F gives a letter in the high digit; written in lower case, 'a'
    // reads as 42 and 42 x 16 = 672, which is 0xA0 modulo 256 like 'A'.
    std::string line;
    for (int c = 0x80; c <= 0xFF; ++c) {
        line = test::Framed(std::string("$GPTXT,01,01,01,") + static_cast<char>(c));
        const char high = line[line.find('*') + 1];
        if (high >= 'A' && high <= 'F')
            break;
    }
    const std::size_t star = line.find('*');
    ASSERT_TRUE(line[star + 1] >= 'A' && line[star + 1] <= 'F');
    EXPECT_TRUE(VerifyChecksum(line.c_str()));
    line[star + 1] = static_cast<char>(line[star + 1] - 'A' + 'a');
    EXPECT_TRUE(VerifyChecksum(line.c_str()));
}

TEST(AppendChecksum, WritesStarUpperCaseDigitsAndCrLf)
{
    char text[32] = "$PTST,,,,,16";
    ASSERT_TRUE(AppendChecksum(text));
    EXPECT_STREQ(text, test::Framed("$PTST,,,,,16").c_str());
    EXPECT_TRUE(VerifyChecksum(text));

    char withLetters[32] = "$GPHDT,274.08,T";
    ASSERT_TRUE(AppendChecksum(withLetters));
    EXPECT_STREQ(withLetters, "$GPHDT,274.08,T*0C\r\n");
}

TEST(AppendChecksum, RefusesTextsOf65535CharactersOrMore)
{
    std::string text(65535, 'A');
    text[0] = '$';
    text.resize(text.size() + 6, '\0');
    EXPECT_FALSE(AppendChecksum(text.data()));
    EXPECT_EQ(std::strlen(text.c_str()), 65535u);
}

TEST(ParseSentence, RequiresCrLfAndChecksumBeforeAnyParser)
{
    SentenceRecord record{};
    const std::string good = test::Framed("$GPHDT,274.07,T");
    EXPECT_TRUE(test::ParseLine(good, record));
    EXPECT_FALSE(test::ParseLine(good.substr(0, good.size() - 2), record));        // no CR LF
    EXPECT_FALSE(test::ParseLine(good.substr(0, good.size() - 2) + "\n", record)); // LF only
    EXPECT_FALSE(test::ParseLine("$GPHDT,274.07,T\r\n", record));                  // no "*"
}

TEST(ParseSentence, RejectsLinesThatGrowPast98CharactersWhenMarked)
{
    // 40 empty fields: 83 characters as received, 123 once every empty field holds a space.
    SentenceRecord record{};
    const std::string line = test::Framed("$GPGSA" + std::string(40, ','));
    ASSERT_LE(line.size(), 84u);
    EXPECT_FALSE(test::ParseLine(line, record));
}

} // namespace
} // namespace nmea
