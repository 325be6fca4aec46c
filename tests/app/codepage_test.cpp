#include "app/codepage.h"

#include <gtest/gtest.h>

namespace {

struct DecodeCase {
    const char* codePage;
    QByteArray bytes;
    QString expected;
};

class CodePageDecode : public ::testing::TestWithParam<DecodeCase>
{
};

TEST_P(CodePageDecode, GivesTheUnicodeText)
{
    const DecodeCase& c = GetParam();
    EXPECT_EQ(decodeCodePage(c.bytes, c.codePage), c.expected) << c.codePage;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CodePageDecode,
    ::testing::Values(DecodeCase{"CP1250", "Exit(&X)", QStringLiteral("Exit(&X)")},
                      DecodeCase{"CP1250", "\x8A\xE8\xB0", QStringLiteral(u"\u0160\u010D\u00B0")}, // Š č °
                      DecodeCase{"CP950", "\xB3\x73\xBD\x75",
                                 QStringLiteral(u"\u9023\u7DDA")}, // 連線 in Big5
                      DecodeCase{"CP936", "\xC1\xAC\xBD\xD3", QStringLiteral(u"\u8FDE\u63A5")}, // 连接 in GBK
                      DecodeCase{"CP950", "A\xB3", QStringLiteral(u"A\uFFFD")}, // cut-off pair
                      DecodeCase{"CP936",
                                 "\xFF"
                                 "B",
                                 QStringLiteral(u"\uFFFD"
                                                "B")}, // invalid lead byte
                      DecodeCase{"CP950", QByteArray(), QString()}));

} // namespace
