// The log reader and the replay pacer on a fake clock: what is read from a log, the three time
// sources, the speeds, pause and the line limit per call.
#include "logreport/replay_pacer.h"

#include <gtest/gtest.h>

#include <sstream>

using namespace m47::logreport;
using namespace std::chrono_literals;

namespace {

using Clock = ReplayPacer::Clock;
const Clock::time_point t0{};

std::unique_ptr<LogReader> Reader(const std::string& text)
{
    return std::make_unique<LogReader>(std::make_unique<std::istringstream>(text));
}

std::vector<std::string> AllLines(const std::string& text)
{
    auto reader = Reader(text);
    std::vector<std::string> lines;
    while (auto line = reader->Next())
        lines.push_back(line->text);
    return lines;
}

// A pacer over `text` and the number of lines due at each of `times`.
std::vector<std::size_t> DueCounts(const std::string& text, PaceSettings settings,
                                   const std::vector<Clock::duration>& times)
{
    ReplayPacer pacer(Reader(text), settings);
    std::vector<std::size_t> counts;
    for (const auto at : times)
        counts.push_back(pacer.Due(t0 + at, 1000).size());
    return counts;
}

const std::string kRecorded = "2026-12-11T10:15:03.125Z $GPZDA,101503.00,11,12,2026,00,00*6B\n"
                              "2026-12-11T10:15:03.140Z !AIVDM,1,1,,A,15RTgt0PAso;90TKcjM8h6g208CQ,0*4A\n"
                              "2026-12-11T10:15:04.125Z $GPZDA,101504.00,11,12,2026,00,00*6C\n"
                              "2026-12-11T10:16:04.125Z $GPZDA,101604.00,11,12,2026,00,00*6D\n";

const std::string kCapture = "# a capture\r\n"
                             "$GPRMC,120000.00,A,2502.4904,N,12145.7358,E,12.3,84.1,101226,,,A*00\r\n"
                             "!AIVDM,1,1,,A,15RTgt0PAso;90TKcjM8h6g208CQ,0*4A\r\n"
                             "\r\n"
                             "$GPGLL,2502.4904,N,12145.7358,E,120001.50,A,A*00\r\n"
                             "$GPZDA,115900.00,10,12,2026,00,00*00\r\n";

const std::string kUntimed = "!AIVDM,1,1,,A,15RTgt0PAso;90TKcjM8h6g208CQ,0*4A\n"
                             "!AIVDM,1,1,,B,15RTgt0PAso;90TKcjM8h6g208CQ,0*49\n"
                             "!AIVDM,1,1,,A,15RTgt0PAso;90TKcjM8h6g208CQ,0*4A\n";

} // namespace

TEST(LogReader, SkipsCommentsAndEmptyLinesAndStripsLineEndsAndRecordedTimes)
{
    EXPECT_EQ(AllLines(kCapture),
              (std::vector<std::string>{"$GPRMC,120000.00,A,2502.4904,N,12145.7358,E,12.3,84.1,101226,,,A*00",
                                        "!AIVDM,1,1,,A,15RTgt0PAso;90TKcjM8h6g208CQ,0*4A",
                                        "$GPGLL,2502.4904,N,12145.7358,E,120001.50,A,A*00",
                                        "$GPZDA,115900.00,10,12,2026,00,00*00"}));
    auto recorded = Reader(kRecorded);
    const auto first = recorded->Next();
    ASSERT_TRUE(first && first->recorded);
    EXPECT_EQ(first->text, "$GPZDA,101503.00,11,12,2026,00,00*6B");
    EXPECT_EQ(AllLines("a\rb\r\r\nlast without LF\r"), (std::vector<std::string>{"a\rb\r", "last without LF"}))
        << "only the CR of the line end goes; the receive path drops the others";
    EXPECT_EQ(AllLines(" # not a comment\n"), (std::vector<std::string>{" # not a comment"}));
}

TEST(LogReader, AnEndlessLineIsCutAndTheNextLineStillRead)
{
    const std::string endless(3 * LogReader::kChunkSize, 'x');
    const auto lines = AllLines(endless + "\r\n$GPZDA\n" + endless);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], std::string(LogReader::kMaxLineLength, 'x'));
    EXPECT_EQ(lines[1], "$GPZDA");
    EXPECT_EQ(lines[2].size(), LogReader::kMaxLineLength);
}

TEST(LogReader, PositionFollowsTheBytesTakenAndRewindStartsOver)
{
    auto reader = Reader(kUntimed);
    EXPECT_EQ(reader->Size(), kUntimed.size());
    ASSERT_TRUE(reader->Next());
    EXPECT_EQ(reader->Position(), kUntimed.find('\n') + 1);
    while (reader->Next()) {
    }
    EXPECT_EQ(reader->Position(), kUntimed.size());
    reader->Rewind();
    EXPECT_EQ(reader->Position(), 0u);
    EXPECT_EQ(reader->Next()->text, "!AIVDM,1,1,,A,15RTgt0PAso;90TKcjM8h6g208CQ,0*4A");
    EXPECT_FALSE(LogReader::Open("/nonexistent-folder/m47.log"));
}

struct PaceCase {
    const char* name;
    const std::string* text;
    TimeSource source;
    ReplaySpeed speed;
    std::vector<Clock::duration> times;
    std::vector<std::size_t> due;
};

class Pacing : public testing::TestWithParam<PaceCase>
{
};

TEST_P(Pacing, LinesComeWhenTheirTimeSourceSays)
{
    const PaceCase& c = GetParam();
    EXPECT_EQ(ReplayPacer(Reader(*c.text), {}).Source(), c.source);
    EXPECT_EQ(DueCounts(*c.text, {100ms, c.speed}, c.times), c.due);
}

INSTANTIATE_TEST_SUITE_P(
    , Pacing,
    testing::Values(
        // Recorded: 15 ms, then 985 ms, then a minute's gap cut to 10 s.
        PaceCase{"RecordedAt1x", &kRecorded, TimeSource::Recorded, 1,
                 {0ms, 14ms, 15ms, 999ms, 1000ms, 10999ms, 11000ms}, {1, 0, 1, 0, 1, 0, 1}},
        PaceCase{"RecordedAt4x", &kRecorded, TimeSource::Recorded, 4, {0ms, 3ms, 4ms, 249ms, 250ms, 2750ms},
                 {1, 0, 1, 0, 1, 1}},
        PaceCase{"RecordedAsFastAsPossible", &kRecorded, TimeSource::Recorded, kAsFastAsPossible, {0ms}, {4}},
        // GNSS: RMC and the AIS line at once, GLL 1.5 s later, a time going back waits nothing.
        PaceCase{"GnssAt1x", &kCapture, TimeSource::Gnss, 1, {0ms, 1499ms, 1500ms}, {2, 0, 2}},
        PaceCase{"GnssAt16x", &kCapture, TimeSource::Gnss, 16, {0ms, 93ms, 94ms}, {2, 0, 2}},
        // Untimed: one line every 100 ms, the first too.
        PaceCase{"UntimedAt1x", &kUntimed, TimeSource::Untimed, 1, {0ms, 99ms, 100ms, 250ms, 300ms},
                 {0, 0, 1, 1, 1}},
        PaceCase{"UntimedAt16x", &kUntimed, TimeSource::Untimed, 16, {0ms, 6ms, 7ms, 19ms}, {0, 0, 1, 2}}),
    [](const auto& test) { return std::string(test.param.name); });

TEST(Pacer, APauseHoldsTheScheduleAndResumingGoesOnFromThere)
{
    ReplayPacer pacer(Reader(kUntimed), {});
    EXPECT_TRUE(pacer.Due(t0, 10).empty());
    EXPECT_EQ(pacer.Due(t0 + 100ms, 10).size(), 1u);
    pacer.Pause(t0 + 150ms);
    EXPECT_TRUE(pacer.Paused());
    EXPECT_TRUE(pacer.Due(t0 + 5s, 10).empty());
    pacer.Resume(t0 + 5s);
    EXPECT_TRUE(pacer.Due(t0 + 5s + 49ms, 10).empty()) << "50 ms of the wait were left at the pause";
    EXPECT_EQ(pacer.Due(t0 + 5s + 50ms, 10).size(), 1u);
}

TEST(Pacer, ASpeedChangeKeepsThePartOfTheWaitAlreadyPassed)
{
    ReplayPacer pacer(Reader(kRecorded), {});
    EXPECT_EQ(pacer.Due(t0, 10).size(), 1u);
    EXPECT_EQ(pacer.Due(t0 + 15ms, 10).size(), 1u);
    // 500 ms of the 985 ms wait passed at 1x; the other 485 ms take 121 ms at 4x.
    pacer.SetSpeed(4, t0 + 515ms);
    EXPECT_TRUE(pacer.Due(t0 + 515ms + 121ms, 10).empty());
    EXPECT_EQ(pacer.Due(t0 + 515ms + 122ms, 10).size(), 1u);
    pacer.SetSpeed(kAsFastAsPossible, t0 + 700ms);
    EXPECT_EQ(pacer.Due(t0 + 700ms, 10).size(), 1u);
    EXPECT_TRUE(pacer.Finished());
    EXPECT_EQ(pacer.Progress(), 1.0);
}

TEST(Pacer, LateCallsCatchUpWithinTheLimitPerCall)
{
    ReplayPacer pacer(Reader(kUntimed + kUntimed + kUntimed), {});
    EXPECT_TRUE(pacer.Due(t0, 4).empty()) << "the first call starts the schedule";
    EXPECT_EQ(pacer.Due(t0 + 10s, 4).size(), 4u) << "behind: the limit holds";
    EXPECT_EQ(pacer.Due(t0 + 10s, 4).size(), 4u);
    EXPECT_LT(pacer.Progress(), 1.0);
    EXPECT_EQ(pacer.Due(t0 + 10s, 4).size(), 1u);
    EXPECT_TRUE(pacer.Finished());
    pacer.Rewind();
    EXPECT_FALSE(pacer.Finished());
    EXPECT_EQ(pacer.Due(t0 + 30s, 10).size(), 0u);
    EXPECT_EQ(pacer.Due(t0 + 30s + 100ms, 10).size(), 1u);
}
