#include "device/command_sentences.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

using namespace m47::device;

struct CommandCase {
    std::optional<std::string> text; // the built command text
    std::string sent;                // the bytes that go to the device
};

class ProgrammingSentence : public testing::TestWithParam<CommandCase>
{
};

TEST_P(ProgrammingSentence, IsCompletedWithItsChecksumAndCrLf)
{
    const CommandCase& c = GetParam();
    ASSERT_TRUE(c.text);
    EXPECT_EQ(CompleteCommand(*c.text), c.sent);
}

INSTANTIATE_TEST_SUITE_P(
    Table, ProgrammingSentence,
    testing::Values(
        // RS-232 38400, NMEA 38400
        CommandCase{BaudRateCommand(2, 0), "$PDBG,43,2,41,2,,,,*13\r\n"},
        // RS-232 115200, NMEA 4800
        CommandCase{BaudRateCommand(0, 2), "$PDBG,43,0,41,5,,,,*16\r\n"},
        // module enabled, at sea level
        CommandCase{InternalGpsCommand(true, 1), "$PDBG,50,0,52,5,,,,*16\r\n"},
        // module disabled: flag 1 whatever mode, and the mode box's code still sent
        CommandCase{InternalGpsCommand(false, 0), "$PDBG,50,1,52,4,,,,*16\r\n"},
        CommandCase{RestoreCommand(RestoreSlots(false, true, false)), "$PDBG,100,2,100,0,100,0,,*12\r\n"},
        CommandCase{RestoreCommand(RestoreSlots(true, true, true)), "$PDBG,100,1,100,2,100,3,,*10\r\n"},
        CommandCase{std::string(kProductInfoQuery), "$PTST,,,,,16*28\r\n"}));

TEST(ProgrammingSentence, BaudCodesFollowTheItems)
{
    const char* nmea[] = {"$PDBG,43,5,41,2,,,,", "$PDBG,43,5,41,4,,,,", "$PDBG,43,5,41,5,,,,"};
    for (int item = 0; item < 3; ++item)
        EXPECT_EQ(BaudRateCommand(5, item), nmea[item]);
    EXPECT_EQ(BaudRateCommand(3, 1), "$PDBG,43,3,41,4,,,,");
}

TEST(ProgrammingSentence, NoValidSelectionBuildsNothing)
{
    for (auto [rs232, nmea] : {std::pair{-1, 0}, {0, -1}, {6, 0}, {0, 3}})
        EXPECT_FALSE(BaudRateCommand(rs232, nmea)) << rs232 << "," << nmea;
    EXPECT_FALSE(InternalGpsCommand(true, -1));
    EXPECT_FALSE(InternalGpsCommand(true, 2));
    EXPECT_FALSE(RestoreCommand(RestoreSlots(false, false, false)));
}

TEST(ProgrammingSentence, RestoreSlotsFillFromTheFront)
{
    using Slots = std::array<int, 3>;
    EXPECT_EQ(RestoreSlots(false, true, true), (Slots{2, 3, 0}));
    EXPECT_EQ(RestoreSlots(true, false, true), (Slots{1, 3, 0}));
    EXPECT_EQ(RestoreSlots(false, false, true), (Slots{3, 0, 0}));
    EXPECT_EQ(RestoreSlots(false, false, false), (Slots{0, 0, 0}));
}

TEST(ProgrammingSentence, CompletionKeepsWithinTheCommandBuffer)
{
    const std::string longest = "$" + std::string(kMaxCommandTextLength - 1, 'A');
    const auto sent = CompleteCommand(longest);
    ASSERT_TRUE(sent);
    EXPECT_EQ(sent->size(), kMaxCommandTextLength + 5);
    EXPECT_EQ(sent->substr(sent->size() - 5), "*41\r\n"); // 93 'A's XOR to 'A'
    EXPECT_FALSE(CompleteCommand(longest + "A"));
    EXPECT_FALSE(CompleteCommand(""));
}
