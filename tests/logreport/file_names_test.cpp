#include "logreport/file_names.h"

#include <gtest/gtest.h>

#include <string>

using namespace m47::logreport;

namespace {

struct NameCase {
    std::string (*rule)(std::string_view);
    std::string given;
    std::string expected;
};

NameCase Extended(std::string given, std::string expected)
{
    return {WithDefaultExtension, std::move(given), std::move(expected)};
}

NameCase Suggested(std::string given, std::string expected)
{
    return {SafeFileName, std::move(given), std::move(expected)};
}

class FileName : public testing::TestWithParam<NameCase>
{
};

} // namespace

TEST_P(FileName, FollowsItsRule)
{
    EXPECT_EQ(GetParam().rule(GetParam().given), GetParam().expected);
}

// The default extension is added only when the name has none.
INSTANTIATE_TEST_SUITE_P(DefaultExtension, FileName,
                         testing::Values(Extended("/home/tech/m47log", "/home/tech/m47log.TXT"),
                                         Extended("/home/tech/M47A00123456789",
                                                  "/home/tech/M47A00123456789.TXT"),
                                         Extended("/home/tech/m47log.TXT", "/home/tech/m47log.TXT"),
                                         Extended("/home/tech/m47log.csv", "/home/tech/m47log.csv"),
                                         Extended("/home/tech/logs.d/m47log", "/home/tech/logs.d/m47log.TXT"),
                                         Extended("/home/tech/m47log.", "/home/tech/m47log.TXT"),
                                         Extended("/home/tech/.m47log", "/home/tech/.m47log.TXT"),
                                         Extended("m47log", "m47log.TXT")));

// The suggested report name stays a plain name in the chosen folder.
INSTANTIATE_TEST_SUITE_P(
    SuggestedName, FileName,
    testing::Values(Suggested("M47A00123456789", "M47A00123456789"), Suggested("", ""),
                    Suggested("../../etc/passwd", "___.._etc_passwd"), Suggested("..", "__"),
                    Suggested("-rf", "_rf"), Suggested(".-.x", "___x"), Suggested("/tmp", "_tmp"),
                    Suggested("M47\\A:B*?<>|\"", "M47_A_B______"),
                    Suggested(std::string("M4\0\x1B\n\x7F", 6), "M4____"),
                    Suggested("M47A-01.5", "M47A-01.5"),
                    Suggested("\xE5\xBA\x8F\xE8\x99\x9F", "\xE5\xBA\x8F\xE8\x99\x9F"))); // UTF-8

TEST(SuggestedName, NoByteLeadsOutOfTheFolder)
{
    for (int b = 0; b < 256; ++b) {
        const char c = static_cast<char>(b);
        const std::string name = SafeFileName(std::string{c, 'x', c});
        ASSERT_EQ(name.size(), 3u);
        EXPECT_EQ(name.find('/'), std::string::npos) << b;
        EXPECT_NE(name[0], '.') << b;
        EXPECT_NE(name[0], '-') << b;
        for (char n : name)
            EXPECT_FALSE(static_cast<unsigned char>(n) < 0x20 || n == 0x7F) << b;
    }
}
