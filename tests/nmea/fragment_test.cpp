// Assembly of multi-sentence AIS payloads in the fragment buffer.

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "nmea/fragment_assembly.h"
#include "sentence_test_support.h"

namespace nmea {
namespace {

class FragmentTest : public ::testing::Test
{
protected:
    // Parses one fragment sentence and adds it to the buffer.
    bool Add(const std::string& body)
    {
        SentenceRecord record{};
        EXPECT_TRUE(test::ParseBody(body, record)) << body;
        return AssembleFragment(record, buffer);
    }

    static std::string Vdm(int total, int number, const char* id, const std::string& payload, int fill = 0)
    {
        return "!AIVDM," + std::to_string(total) + "," + std::to_string(number) + "," + id + ",A," + payload +
               "," + std::to_string(fill);
    }

    AisFragmentBuffer buffer{};
};

TEST_F(FragmentTest, SingleSentenceCompletesAtOnce)
{
    EXPECT_TRUE(Add(Vdm(1, 1, "", "177KQJ5000G?tO`K>RA1wUbN0TKH")));
    EXPECT_STREQ(buffer.payload, "177KQJ5000G?tO`K>RA1wUbN0TKH");
    EXPECT_STREQ(buffer.formatter, "VDM");
    EXPECT_EQ(buffer.channel, 'A');
}

TEST_F(FragmentTest, JoinsPayloadsAndTakesTheLastFillBits)
{
    EXPECT_FALSE(Add(Vdm(3, 1, "5", "AAAA")));
    EXPECT_FALSE(Add(Vdm(3, 2, "5", "BBBB")));
    EXPECT_TRUE(Add(Vdm(3, 3, "5", "CC", 2)));
    EXPECT_STREQ(buffer.payload, "AAAABBBBCC");
    EXPECT_EQ(buffer.fillBits, 2);
    EXPECT_EQ(buffer.number, 3);
}

TEST_F(FragmentTest, EmptySequentialIdentifiersMatch)
{
    EXPECT_FALSE(Add(Vdm(2, 1, "", "AAAA")));
    EXPECT_TRUE(Add(Vdm(2, 2, "", "BBBB")));
}

TEST_F(FragmentTest, AFragmentThatDoesNotFollowReplacesTheHeldOne)
{
    struct Case {
        const char* what;
        std::string first;
        std::string second;
    };
    const Case cases[] = {
        {"other identifier", Vdm(2, 1, "3", "AAAA"), Vdm(2, 2, "4", "BBBB")},
        {"sentence skipped", Vdm(3, 1, "3", "AAAA"), Vdm(3, 3, "3", "BBBB")},
        {"other total", Vdm(2, 1, "3", "AAAA"), Vdm(3, 2, "3", "BBBB")},
        {"other formatter", Vdm(2, 1, "3", "AAAA"), "!AIVDO,2,2,3,A,BBBB,0"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        buffer = AisFragmentBuffer{};
        EXPECT_FALSE(Add(c.first));
        EXPECT_FALSE(Add(c.second));
        EXPECT_STREQ(buffer.payload, "BBBB");
    }
}

TEST_F(FragmentTest, TotalZeroNeverCompletes)
{
    EXPECT_FALSE(Add(Vdm(0, 0, "", "AAAA")));
    EXPECT_FALSE(Add(Vdm(0, 1, "", "AAAA")));
}

TEST_F(FragmentTest, PayloadsPast168CharactersAreRefused)
{
    const std::string part(56, '0');
    EXPECT_FALSE(Add(Vdm(3, 1, "1", part)));
    EXPECT_FALSE(Add(Vdm(3, 2, "1", part)));
    EXPECT_TRUE(Add(Vdm(3, 3, "1", part))); // 168 characters: the longest message
    EXPECT_EQ(std::strlen(buffer.payload), 168u);

    buffer = AisFragmentBuffer{};
    EXPECT_FALSE(Add(Vdm(3, 1, "1", part)));
    EXPECT_FALSE(Add(Vdm(3, 2, "1", part)));
    EXPECT_FALSE(Add(Vdm(3, 3, "1", part + "0"))); // 169
}

TEST_F(FragmentTest, FragmentsRunningPastTheBufferAreDropped)
{
    // Nine sentences of 63 characters would need 567; the buffer holds 172.
    const std::string part(63, '0');
    EXPECT_FALSE(Add(Vdm(9, 1, "2", part)));
    EXPECT_FALSE(Add(Vdm(9, 2, "2", part)));
    EXPECT_FALSE(Add(Vdm(9, 3, "2", part)));
    EXPECT_EQ(buffer.payload[0], '\0');
    EXPECT_FALSE(Add(Vdm(9, 4, "2", part))); // no longer a continuation
    EXPECT_EQ(std::strlen(buffer.payload), 63u);
}

TEST_F(FragmentTest, OnlyEncapsulatedSentencesCarryFragments)
{
    SentenceRecord record{};
    ASSERT_TRUE(test::ParseBody("$GPHDT,274.07,T", record));
    EXPECT_FALSE(AssembleFragment(record, buffer));
    ASSERT_TRUE(test::ParseBody("!AIABM,1,1,0,211444000,A,12,E@EL5@hTppm=@TF@,0", record));
    EXPECT_TRUE(AssembleFragment(record, buffer));
    EXPECT_STREQ(buffer.formatter, "ABM");
}

} // namespace
} // namespace nmea
