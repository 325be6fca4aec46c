#include "logreport/code_page_encode.h"

#include <gtest/gtest.h>

using m47::logreport::encodeCodePage;

namespace {

struct EncodeCase {
    const char* codePage;
    QString text;
    QByteArray bytes;
};

class CodePageEncode : public testing::TestWithParam<EncodeCase>
{
};

} // namespace

TEST_P(CodePageEncode, GivesTheCodePagesBytes)
{
    const EncodeCase& c = GetParam();
    EXPECT_EQ(encodeCodePage(c.text, c.codePage), c.bytes) << c.codePage;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CodePageEncode,
    testing::Values(EncodeCase{"CP1250", QStringLiteral("BAUD RATE"), "BAUD RATE"},
                    EncodeCase{"CP1250", QStringLiteral(u"\u0160\u010D\u00B0"), "\x8A\xE8\xB0"}, // Š č °
                    EncodeCase{"CP950", QStringLiteral(u"\u9023\u7DDA"), "\xB3\x73\xBD\x75"}, // 連線 in Big5
                    EncodeCase{"CP936", QStringLiteral(u"\u8FDE\u63A5"), "\xC1\xAC\xBD\xD3"}, // 连接 in GBK
                    EncodeCase{"CP1250", QStringLiteral(u"A\u9023B"), "A?B"},    // no code for it
                    EncodeCase{"CP950", QStringLiteral(u"A\U0001F600B"), "A?B"}, // one '?' per pair
                    EncodeCase{"CP950", QStringLiteral(u"A\xD800"), "A?"},       // lone surrogate
                    EncodeCase{"no such code page", QStringLiteral(u"M47\u00E9"), "M47\xE9"}, // Latin-1
                    EncodeCase{"CP950", QString(), QByteArray()}));
