// Fault injection, log replay and the transcript format of the virtual device.
#include "faults.h"
#include "replay.h"
#include "sentence.h"
#include "sim_test_support.h"
#include "transcript.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>

namespace m47sim {
namespace {

using namespace std::chrono_literals;

const std::string kLine = "$GPGGA,120000.00,2502.4904,N,12145.7358,E,1,08,0.9,12.0,M,17.0,M,,*4C\r\n";

std::string Joined(const std::vector<WritePiece>& pieces)
{
    std::string all;
    for (const auto& p : pieces)
        all += p.bytes;
    return all;
}

std::string WithoutNulAndCr(std::string text)
{
    std::erase_if(text, [](char c) { return c == '\0' || c == '\r'; });
    return text;
}

FaultSettings Only(const char* name, double rate = 1.0)
{
    FaultSettings s;
    EXPECT_TRUE(EnableFault(s, name)) << name;
    s.rate = rate;
    return s;
}

TEST(Faults, ChecksumFaultSpoilsTheChecksumOnly)
{
    FaultInjector faults(Only("checksum"));
    const auto out = Joined(faults.Apply(kLine));
    ASSERT_EQ(out.size(), kLine.size());
    EXPECT_EQ(out.substr(0, out.find('*')), kLine.substr(0, kLine.find('*')));
    EXPECT_FALSE(CheckedBody(std::string_view(out).substr(0, out.size() - 2)));
}

TEST(Faults, NulsAndStrayCrsLeaveTheLineAProgramDroppingThemStillReads)
{
    for (const char* name : {"nul", "cr"}) {
        FaultInjector faults(Only(name));
        for (int i = 0; i < 20; ++i) {
            const auto out = Joined(faults.Apply(kLine));
            EXPECT_NE(out, kLine) << name;
            EXPECT_EQ(WithoutNulAndCr(out), WithoutNulAndCr(kLine)) << name;
        }
    }
}

TEST(Faults, NoiseAndLongLinesComeBeforeTheLineWithoutBreakingIt)
{
    FaultInjector noise(Only("noise"));
    for (int i = 0; i < 20; ++i) {
        const auto out = Joined(noise.Apply(kLine));
        ASSERT_GT(out.size(), kLine.size());
        EXPECT_EQ(out.substr(out.size() - kLine.size()), kLine);
        EXPECT_EQ(out.find('\n'), out.size() - 1) << "noise made a line of its own";
    }
    FaultInjector longLines(Only("long"));
    const auto out = Joined(longLines.Apply(kLine));
    const auto first = out.substr(0, out.find('\n') + 1);
    EXPECT_GT(first.size(), 84u);
    EXPECT_EQ(out.substr(first.size()), kLine);
}

TEST(Faults, SplitWritesCarryTheLineInPausedPieces)
{
    FaultInjector faults(Only("split"));
    for (int i = 0; i < 20; ++i) {
        const auto pieces = faults.Apply(kLine);
        EXPECT_EQ(Joined(pieces), kLine);
        ASSERT_GT(pieces.size(), 1u);
        EXPECT_EQ(pieces.front().pauseBefore, 0ms);
        EXPECT_GT(pieces.back().pauseBefore, 0ms);
    }
}

TEST(Faults, NoFaultAtRateZeroAndUnknownNamesRefused)
{
    FaultSettings all;
    for (const char* name : {"noise", "nul", "cr", "checksum", "long"})
        EXPECT_TRUE(EnableFault(all, name));
    all.rate = 0.0;
    FaultInjector faults(all);
    EXPECT_EQ(Joined(faults.Apply(kLine)), kLine);
    EXPECT_FALSE(EnableFault(all, "gremlins"));
}

class ReplayFile : public ::testing::Test
{
protected:
    void Write(const std::string& text)
    {
        path_ = ::testing::TempDir() + "m47sim_replay.log";
        std::ofstream(path_, std::ios::binary) << text;
    }
    void TearDown() override { std::remove(path_.c_str()); }
    std::string path_;
};

TEST_F(ReplayFile, SkipsCommentsAndPacesByTheReceiversClock)
{
    Write("# a capture\n"
          "$GPRMC,120000.00,A,2502.4904,N,12145.7358,E,12.3,84.1,101226,,,A*00\r\n"
          "!AIVDM,1,1,,A,15RTgt0PAso;90TKcjM8h6g208CQ,0*4A\n"
          "\n"
          "$GPGLL,2502.4904,N,12145.7358,E,120001.50,A,A*00\n"
          "$GPZDA,121500.00,10,12,2026,00,00*00\n");
    auto source = ReplaySource::Open(path_, false, false);
    ASSERT_TRUE(source);
    const Clock::time_point t0{};
    const auto first = source->Due(t0, true);
    ASSERT_EQ(first.size(), 2u);
    EXPECT_EQ(first[1], "!AIVDM,1,1,,A,15RTgt0PAso;90TKcjM8h6g208CQ,0*4A\r\n");
    EXPECT_TRUE(source->Due(t0 + 1499ms, true).empty());
    EXPECT_EQ(source->Due(t0 + 1500ms, true).size(), 1u);
    EXPECT_TRUE(source->Due(t0 + 11499ms, true).empty()) << "long gaps are cut to 10 s";
    EXPECT_EQ(source->Due(t0 + 11500ms, true).size(), 1u);
    EXPECT_TRUE(source->finished());
}

TEST_F(ReplayFile, ARecordedFileGoesOutByItsReceiveTimesWithoutThem)
{
    Write("2026-12-11T10:15:03.125Z $GPZDA,101503.00,11,12,2026,00,00*6B\n"
          "2026-12-11T10:15:03.625Z !AIVDM,1,1,,A,15RTgt0PAso;90TKcjM8h6g208CQ,0*4A\n");
    auto source = ReplaySource::Open(path_, false, false);
    ASSERT_TRUE(source);
    EXPECT_EQ(source->Due({}, true), std::vector<std::string>{"$GPZDA,101503.00,11,12,2026,00,00*6B\r\n"});
    EXPECT_TRUE(source->Due(Clock::time_point{} + 499ms, true).empty());
    EXPECT_EQ(source->Due(Clock::time_point{} + 500ms, true).size(), 1u);
}

TEST_F(ReplayFile, AnUntimedLogGoesOutSteadilyAndFastReplayWaitsForAnIdlePort)
{
    Write(
        "!AIVDM,1,1,,A,15RTgt0PAso;90TKcjM8h6g208CQ,0*4A\n!AIVDM,1,1,,B,15RTgt0PAso;90TKcjM8h6g208CQ,0*49\n");
    auto steady = ReplaySource::Open(path_, false, false);
    ASSERT_TRUE(steady);
    const Clock::time_point t0{};
    EXPECT_TRUE(steady->Due(t0, true).empty());
    EXPECT_EQ(steady->Due(t0 + 50ms, true).size(), 1u);
    EXPECT_TRUE(steady->Due(t0 + 99ms, true).empty());
    EXPECT_EQ(steady->Due(t0 + 100ms, true).size(), 1u);

    auto fast = ReplaySource::Open(path_, true, true);
    EXPECT_TRUE(fast->Due({}, false).empty());
    EXPECT_EQ(fast->Due({}, true).size(), 32u) << "a looping log keeps going";
    EXPECT_FALSE(ReplaySource::Open(path_ + ".missing", false, false));
}

TEST_F(ReplayFile, AnEmptyLoopingLogSendsNothingAndDoesNotHold)
{
    Write("# nothing but a comment\n");
    auto source = ReplaySource::Open(path_, false, true);
    ASSERT_TRUE(source);
    EXPECT_TRUE(source->Due({}, true).empty());
    EXPECT_FALSE(source->finished());
}

TEST_F(ReplayFile, TakesThePlaceOfTheStreamsWhileTheDeviceStillAnswers)
{
    Write("$GPZDA,120000.00,10,12,2026,00,00*00\n$GPZDA,120001.00,10,12,2026,00,00*00\n");
    auto device = test::MakeTestDevice();
    device->SetReplay(ReplaySource::Open(path_, false, false));
    Clock::time_point now{};
    device->Receive("$PTST,,,,,16*28\r\n", now);
    const auto lines = test::RunFor(*device, now, 3s);
    ASSERT_EQ(lines.size(), 10u);
    EXPECT_EQ(lines[0], "$GPZDA,120000.00,10,12,2026,00,00*00\r\n");
    EXPECT_EQ(test::Containing(lines, "$PCVN").size(), 8u);
    EXPECT_EQ(lines[9], "$GPZDA,120001.00,10,12,2026,00,00*00\r\n");
}

TEST(TranscriptFormat, EveryByteSurvivesEscaping)
{
    std::string all;
    for (int b = 0; b < 256; ++b)
        all += static_cast<char>(b);
    const std::string escaped = EscapeBytes(all);
    EXPECT_EQ(escaped.find_first_of("\r\n"), std::string::npos);
    EXPECT_EQ(UnescapeBytes(escaped), all);
    EXPECT_EQ(EscapeBytes("$PTST*28\r\n"), "$PTST*28\\r\\n");
    for (const char* bad : {"\\", "\\q", "\\x4", "\\xG0", "\\x+1"})
        EXPECT_FALSE(UnescapeBytes(bad)) << bad;
}

} // namespace
} // namespace m47sim
