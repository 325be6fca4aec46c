#include "device/connection_rules.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace m47::device;

TEST(BaudRateChoice, ItemTextGivesTheComponentIndex)
{
    const std::pair<const char*, int> cases[] = {
        {"115200", 12}, {"57600", 11}, {"38400", 9}, {"19200", 8}, {"9600", 6},
        {"4800", 5},    {"110", 0},    {"256000", 14}, {"", 12},   {"12345", 12}, {"abc", 12}};
    for (auto [text, index] : cases)
        EXPECT_EQ(BaudRateIndexFor(text), index) << text;
}

TEST(PortItem, NumberAfterTheFirstComFallsBackTo1)
{
    const std::pair<const char*, int> cases[] = {
        {"Veldra M47 Simulator (COM200)", 200},
        {"USB Serial Port (COM7)", 7},
        {"COM3 bridge (COM9)", 3},   // the first "COM" counts
        {"(COM255)", 255},
        {"(COM256)", 1},
        {"(COM0)", 1},
        {"(COM-4)", 1},
        {"(COM99999999999999)", 1},
        {"- NOT SELECTED -", 1},
        {"", 1}};
    for (auto [text, number] : cases)
        EXPECT_EQ(PortNumberFromItem(text), number) << text;
}

TEST(PortItem, ListedPortIsFoundByItsParenthesisedName)
{
    const std::vector<std::string> items{"Alpha (COM12)", "Beta (COM1)", "Gamma (COM1)"};
    EXPECT_EQ(PortTag(1), "(COM1)");
    EXPECT_EQ(FindPortItem(items, 1), 1);
    EXPECT_EQ(FindPortItem(items, 12), 0);
    EXPECT_EQ(FindPortItem(items, 2), -1);
    EXPECT_EQ(FindPortItem({}, 1), -1);
}

// Runs the identification timer the way the window does, for a device that never answers.
TEST(Identification, SilentDeviceIsQueriedEightTimesAndTimesOutOnThe17thTick)
{
    IdentificationState s;
    ResetIdentification(s);
    ASSERT_EQ(AdvanceIdentification(s, nullptr, {}), IdentificationResult::Started);
    std::vector<int> queryTicks;
    int timeoutTick = 0;
    bool open = true;
    for (int tick = 1; tick <= 30 && timeoutTick == 0; ++tick) {
        if (!ShouldPollIdentification(s, open))
            continue;
        const PollDecision d = PollIdentification(s.IdentifyTicks);
        if (d.sendQuery)
            queryTicks.push_back(tick);
        if (d.timedOut) {
            timeoutTick = tick;
            open = false;
            ResetIdentification(s);
        }
        ++s.IdentifyTicks;
    }
    EXPECT_EQ(queryTicks, (std::vector<int>{2, 4, 6, 8, 10, 12, 14, 16}));
    EXPECT_EQ(timeoutTick, 17);
    EXPECT_EQ(s.ConnectionState, 0);
}

TEST(Identification, EndLineReadsBackThenIdentifies)
{
    IdentificationState s;
    AdvanceIdentification(s, nullptr, {});
    s.IdentifyTicks = 5;
    int readBacks = 0;
    const auto readBack = [&] {
        ++readBacks;
        EXPECT_FALSE(s.ProductInfoComplete); // set only once the read-back is done
    };
    EXPECT_EQ(AdvanceIdentification(s, "$GPGGA,...*00\r\n", readBack), IdentificationResult::None);
    EXPECT_EQ(AdvanceIdentification(s, nullptr, readBack), IdentificationResult::None);
    EXPECT_EQ(AdvanceIdentification(s, "$PCVN,R,TXT,PROD. INFO. END*65\r\n", readBack),
              IdentificationResult::Identified);
    EXPECT_EQ(readBacks, 1);
    EXPECT_TRUE(s.ProductInfoComplete);
    EXPECT_TRUE(s.DeviceIdentified);
    EXPECT_EQ(s.ConnectionState, 2);
    EXPECT_EQ(s.IdentifyTicks, 0);
    EXPECT_FALSE(ShouldPollIdentification(s, true));
    // identified: a second end line (the read-back's reply) changes nothing
    EXPECT_EQ(AdvanceIdentification(s, "$PCVN,R,TXT,PROD. INFO. END*65\r\n", readBack),
              IdentificationResult::None);
    EXPECT_EQ(readBacks, 1);
}

TEST(Identification, ConnectionClosedDuringTheReadBackStaysIdle)
{
    IdentificationState s;
    AdvanceIdentification(s, nullptr, {});
    EXPECT_EQ(AdvanceIdentification(s, "$PCVN,R,TXT,PROD. INFO. END*65\r\n",
                                    [&] { ResetIdentification(s); }),
              IdentificationResult::None);
    EXPECT_FALSE(s.DeviceIdentified);
    EXPECT_EQ(s.ConnectionState, 0);
}

TEST(Identification, DoubleClickIdentifiesOnlyWhileIdentifying)
{
    IdentificationState idle;
    EXPECT_EQ(ForceIdentification(idle, false), IdentificationResult::None);
    EXPECT_FALSE(idle.ProductInfoComplete);

    IdentificationState identifying;
    AdvanceIdentification(identifying, nullptr, {});
    EXPECT_EQ(ForceIdentification(identifying, true), IdentificationResult::Identified);
    EXPECT_EQ(identifying.ConnectionState, 2);
    EXPECT_EQ(ForceIdentification(identifying, true), IdentificationResult::None);

    // Re-opening starts identifying afresh: the flag is cleared and the next line counts.
    ResetIdentification(identifying);
    AdvanceIdentification(identifying, nullptr, {});
    EXPECT_FALSE(identifying.ProductInfoComplete);
    EXPECT_EQ(AdvanceIdentification(identifying, "CHECK PASS", {}), IdentificationResult::None);
}

TEST(ReadDevice, CountdownRunsOutOnTheFifthTickAndRestartsOnAClick)
{
    int countdown = kReadDeviceIdle;
    EXPECT_FALSE(ReadDeviceCountdownTick(countdown));
    EXPECT_EQ(countdown, kReadDeviceIdle);

    countdown = kReadDeviceTicks;
    std::vector<bool> due;
    for (int i = 0; i < 6; ++i)
        due.push_back(ReadDeviceCountdownTick(countdown));
    EXPECT_EQ(due, (std::vector<bool>{false, false, false, false, true, false}));
    EXPECT_EQ(countdown, kReadDeviceIdle);

    countdown = kReadDeviceTicks;
    ReadDeviceCountdownTick(countdown);
    ReadDeviceCountdownTick(countdown);
    countdown = kReadDeviceTicks; // second click
    int ticks = 1;
    while (!ReadDeviceCountdownTick(countdown))
        ++ticks;
    EXPECT_EQ(ticks, 5);
}

TEST(StatusBlink, AlternatesRedOnlyWhileIdentifying)
{
    bool blink = false;
    EXPECT_TRUE(StatusBlinkTick(blink, true, false));
    EXPECT_FALSE(StatusBlinkTick(blink, true, false));
    EXPECT_TRUE(StatusBlinkTick(blink, true, false));
    EXPECT_FALSE(StatusBlinkTick(blink, true, true));
    EXPECT_FALSE(StatusBlinkTick(blink, false, false));
    EXPECT_TRUE(blink); // the phase only moves while blinking
}

TEST(RestartSequence, ClosesOnTheFirstTickAndLooksForThePortAtStep10)
{
    int step = 0;
    RestartTick t = RestartStepTick(step);
    EXPECT_EQ(step, 0);
    EXPECT_EQ(t.progress, -1);
    EXPECT_FALSE(t.closeConnection || t.lookForPort);

    step = 1; // the restart announcement
    t = RestartStepTick(step);
    EXPECT_EQ(step, 2);
    EXPECT_EQ(t.progress, 2);
    EXPECT_TRUE(t.closeConnection);
    EXPECT_FALSE(t.lookForPort);

    std::vector<int> progress;
    int lookedAt = 0;
    for (int tick = 1; tick <= 12; ++tick) {
        t = RestartStepTick(step);
        EXPECT_FALSE(t.closeConnection);
        if (t.progress >= 0)
            progress.push_back(t.progress);
        if (t.lookForPort)
            lookedAt = tick;
    }
    EXPECT_EQ(progress, (std::vector<int>{3, 4, 5, 6, 7, 8, 9, 10}));
    EXPECT_EQ(lookedAt, 8); // the 8th tick after the close
    EXPECT_EQ(step, kRestartSteps); // port not found: the sequence rests at 10
}
