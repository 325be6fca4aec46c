#include "logreport/console_sentence.h"
#include "logreport/messages.h"

#include <gtest/gtest.h>

#include <string>

using namespace m47::logreport;
using namespace std::string_literals;

TEST(ConsoleSentence, IsTheTextWithCrLfAndItsZeroByte)
{
    struct Case {
        std::string text;
        std::string sent;
    };
    const std::string longest(86, 'A');
    for (const Case& c : {Case{"", "\r\n\0"s}, Case{"$PTST,,,,,16*28", "$PTST,,,,,16*28\r\n\0"s},
                          Case{"no dollar, no checksum", "no dollar, no checksum\r\n\0"s},
                          Case{longest, longest + "\r\n\0"s}, Case{longest + "BC", longest + "\r\n\0"s}}) {
        const std::string sent = ConsoleSentence(c.text);
        EXPECT_EQ(sent, c.sent) << c.text;
        EXPECT_LE(sent.size(), kMaxConsoleTextLength + 3);
    }
}

TEST(LogSwitch, ClickTurnsLoggingOnFromTagZeroOnly)
{
    struct Case {
        int tag;
        int newTag;
        bool down;
        std::string_view caption;
    };
    for (const Case& c :
         {Case{0, 1, true, "Stop Log"}, Case{1, 0, false, "Start Log"}, Case{7, 0, false, "Start Log"}}) {
        const LogSwitchState state = LogSwitchAfterClick(c.tag);
        EXPECT_EQ(state.tag, c.newTag) << c.tag;
        EXPECT_EQ(state.down, c.down) << c.tag;
        EXPECT_EQ(state.caption, c.caption) << c.tag;
    }
}
