// Everything the virtual device sends is accepted by our own sentence library, and what the
// library makes of it is what the device meant.
#include "sim_test_support.h"

#include "nmea/sentence_library.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>

namespace m47sim {
namespace {

using namespace std::chrono_literals;

bool IsFirstOfSeveral(const std::string& line)
{
    // "!AIVDM,<total>,<number>,..." with number below total.
    return line[0] == '!' && line[7] != line[9];
}

TEST(SentenceLibraryAcceptance, EveryGeneratedSentenceIsAcceptedAndCompletesItsMessage)
{
    for (const bool glonass : {true, false}) {
        DeviceOptions options;
        options.streams.glonass = glonass;
        auto device = test::MakeTestDevice(options);
        auto library = std::make_unique<nmea::SentenceLibrary>();
        Clock::time_point now{};
        int accepted = 0;
        bool ownShipReported = false;
        for (const auto& line : test::RunFor(*device, now, 30s)) {
            const bool ok = library->ProcessSentence(line);
            EXPECT_EQ(ok, !IsFirstOfSeveral(line)) << line;
            accepted += ok ? 1 : 0;
            ownShipReported = ownShipReported || line.compare(0, 6, "!AIVDO") == 0;
            if (ownShipReported && line.compare(3, 3, "GGA") == 0) {
                // The own ship's VDO of the previous second sits a few hundred metres behind.
                EXPECT_TRUE(library->latest.gnss.positionValid);
                EXPECT_NEAR(library->latest.gnss.latitude, library->ais.targets.entries[0].latitude, 0.01);
            }
        }
        EXPECT_GT(accepted, 300);
        EXPECT_EQ(library->ais.targets.entries[0].mmsi, 416000047u);
        EXPECT_EQ(library->ais.targets.TargetCount, 36u) << "the own ship, five named vessels and the fleet of thirty";
    }
}

TEST(SentenceLibraryAcceptance, TheGnssValuesAreTheVesselsAndTheSkysOfTheSameSecond)
{
    DeviceOptions options;
    options.streams.ais = false;
    options.streams.glonass = false;
    auto device = test::MakeTestDevice(options);
    auto library = std::make_unique<nmea::SentenceLibrary>();
    Clock::time_point now{};
    const auto lines = test::RunFor(*device, now, 1s);
    for (const auto& line : lines) {
        ASSERT_TRUE(library->ProcessSentence(line)) << line;
        if (line.compare(3, 3, "GSA") == 0) {
            EXPECT_EQ(library->latest.gnss.fixMode, 3);
            EXPECT_EQ(library->latest.gnss.satellitesUsed, 7);
        }
    }
    const auto& gnss = library->latest.gnss;
    EXPECT_EQ(gnss.utcYear, 2026);
    EXPECT_EQ(gnss.utcMonth, 12);
    EXPECT_EQ(gnss.utcDay, 10);
    EXPECT_EQ(gnss.utcHour, 12);
    EXPECT_TRUE(gnss.timeValid);
    EXPECT_NEAR(gnss.latitude, options.streams.own.latitude, 1e-3);
    EXPECT_NEAR(gnss.longitude, options.streams.own.longitude, 1e-3);
    EXPECT_NEAR(gnss.speedKnots, options.streams.own.speed, 0.05);
    EXPECT_EQ(gnss.satellitesInView, 10);
}

TEST(SentenceLibraryAcceptance, WithoutAFixTheSentencesStillParseAndSayNoPosition)
{
    DeviceOptions options;
    options.streams.fix = false;
    auto device = test::MakeTestDevice(options);
    auto library = std::make_unique<nmea::SentenceLibrary>();
    Clock::time_point now{};
    for (const auto& line : test::RunFor(*device, now, 2s)) {
        EXPECT_NE(line.substr(0, 6), "!AIVDO") << "an own-ship report without a position";
        if (line[0] == '$') {
            EXPECT_TRUE(library->ProcessSentence(line)) << line;
        }
    }
    EXPECT_FALSE(library->latest.gnss.positionValid);
    EXPECT_EQ(library->latest.gnss.fixMode, 1);
}

} // namespace
} // namespace m47sim
