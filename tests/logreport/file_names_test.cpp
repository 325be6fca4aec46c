#include "logreport/file_names.h"

#include <gtest/gtest.h>

#include <string>

using namespace m47::logreport;

namespace {

struct NameCase {
    std::string given;
    std::string expected;
};

class DefaultExtension : public testing::TestWithParam<NameCase> {};
class SuggestedName : public testing::TestWithParam<NameCase> {};

} // namespace

TEST_P(DefaultExtension, IsAddedOnlyWhenTheNameHasNone)
{
    EXPECT_EQ(WithDefaultExtension(GetParam().given), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Table, DefaultExtension,
    testing::Values(NameCase{"/home/tech/m47log", "/home/tech/m47log.TXT"},
                    NameCase{"/home/tech/M47A00123456789", "/home/tech/M47A00123456789.TXT"},
                    NameCase{"/home/tech/m47log.TXT", "/home/tech/m47log.TXT"},
                    NameCase{"/home/tech/m47log.csv", "/home/tech/m47log.csv"},
                    NameCase{"/home/tech/logs.d/m47log", "/home/tech/logs.d/m47log.TXT"},
                    NameCase{"/home/tech/m47log.", "/home/tech/m47log.TXT"},
                    NameCase{"/home/tech/.m47log", "/home/tech/.m47log.TXT"},
                    NameCase{"m47log", "m47log.TXT"}));

TEST_P(SuggestedName, StaysAPlainNameInTheChosenFolder)
{
    EXPECT_EQ(SafeFileName(GetParam().given), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Table, SuggestedName,
    testing::Values(NameCase{"M47A00123456789", "M47A00123456789"},
                    NameCase{"", ""},
                    NameCase{"../../etc/passwd", "___.._etc_passwd"},
                    NameCase{"..", "__"},
                    NameCase{"-rf", "_rf"},
                    NameCase{".-.x", "___x"},
                    NameCase{"/tmp", "_tmp"},
                    NameCase{"M47\\A:B*?<>|\"", "M47_A_B______"},
                    NameCase{std::string("M4\0\x1B\n\x7F", 6), "M4____"},
                    NameCase{"M47A-01.5", "M47A-01.5"},
                    NameCase{"\xE5\xBA\x8F\xE8\x99\x9F", "\xE5\xBA\x8F\xE8\x99\x9F"})); // UTF-8

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
