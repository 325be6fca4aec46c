// The RECEPTION page's counting fed as the receive path feeds it: each line through the GPS
// page's panel, then once into the reception counting.
#include "nmea_lines.h"
#include "reception_lines.h"

#include "diagnostics/reception_texts.h"

#include <gtest/gtest.h>

namespace m47::diagnostics {
namespace {

using diagtest::Line;
using receptiontest::PositionLine;
using receptiontest::Receiver;
using receptiontest::StaticLines;

std::uint64_t Count(const IntegrityCounts& counts, LineVerdict verdict)
{
    return counts.Of(verdict);
}

TEST(LineIntegrity, AStreamWithEachFaultOnceCountsEachUnderItsOwnHeading)
{
    Receiver rx;
    std::string badChecksum = diagtest::kGga;
    badChecksum[badChecksum.size() - 3] = badChecksum[badChecksum.size() - 3] == '0' ? '1' : '0';
    const std::vector<std::string> typeFive = StaticLines(244123456, "NORDIC TRADER");
    ASSERT_EQ(typeFive.size(), 2u);
    const std::string longLine = Line("$GPTXT," + std::string(80, 'X')); // 90 characters

    struct Step {
        std::string line;
        LineVerdict verdict;
    };
    const Step steps[] = {
        {diagtest::kRmc, LineVerdict::Accepted},
        {badChecksum, LineVerdict::ChecksumFailed},
        {"GPGGA,130711\r\n", LineVerdict::NotSentence},
        {"\r\n", LineVerdict::NotSentence},
        {longLine, LineVerdict::TooLong},
        {Line("$GPXYZ,1,2,3"), LineVerdict::Rejected},         // good checksum, unknown formatter
        {typeFive[0], LineVerdict::Accepted},                   // a fragment held ...
        {diagtest::kGga, LineVerdict::Accepted},                // ... given up by a "$" sentence
        {typeFive[0], LineVerdict::Accepted},                   // begun again
        {typeFive[1], LineVerdict::Accepted},                   // and completed
        {PositionLine(244123456, 25.1, 121.8), LineVerdict::Accepted},
        {Line("!AIVDM,1,1,,A,13aGhtw0R<OJf=6LgQ?Ad1FX05`L,0"), LineVerdict::Rejected}, // "X" is no armour
    };
    std::array<std::uint64_t, kLineVerdicts> expected{};
    for (const Step& step : steps) {
        rx.Feed(step.line);
        ++expected[static_cast<std::size_t>(step.verdict)];
    }
    // The receive path drops a line of 83 characters or more before any consumer sees it.
    rx.stats.CountDroppedLine(std::string(300, '$'));
    ++expected[static_cast<std::size_t>(LineVerdict::TooLong)];

    const ReceptionView view = rx.View();
    EXPECT_EQ(view.sinceConnect.lines, expected);
    EXPECT_EQ(view.sinceConnect.Received(), std::size(steps) + 1);
    EXPECT_EQ(view.sinceConnect.multiSentenceMessages, 2u);
    EXPECT_EQ(view.sinceConnect.incompleteMessages, 1u);
    EXPECT_EQ(view.sinceRefresh.lines, expected);
    // The dropped line is the last bad one: shown cut, with "..." after.
    EXPECT_EQ(view.lastBadLine, std::string(kShownBadLineLength, '$') + "...");
    EXPECT_EQ(CountText(Count(view.sinceConnect, LineVerdict::ChecksumFailed), view.sinceConnect.Received()),
              "1 (7.7 %)");
}

TEST(LineIntegrity, RefreshAndConnectStartTheirCountsAgain)
{
    Receiver rx;
    rx.Feed(diagtest::kRmc);
    rx.Feed("noise\r\n");
    rx.stats.Refresh();
    rx.Feed(diagtest::kGga);
    ReceptionView view = rx.View();
    EXPECT_EQ(view.sinceConnect.Received(), 3u);
    EXPECT_EQ(view.sinceRefresh.Received(), 1u);
    EXPECT_EQ(Count(view.sinceRefresh, LineVerdict::NotSentence), 0u);
    EXPECT_EQ(view.lastBadLine, "noise");

    rx.stats.Connected();
    view = rx.View();
    EXPECT_EQ(view.sinceConnect.Received(), 0u);
    EXPECT_EQ(view.sinceRefresh.Received(), 0u);
    EXPECT_EQ(view.lastBadLine, "");
}

TEST(LineIntegrity, BadLinesAreShownAsPrintableTextOnly)
{
    EXPECT_EQ(ShowableLine(std::string("$GP\x01GGA\xB0,\\x*00\r\n", 16)), "$GP\\x01GGA\\xB0,\\x5Cx*00");
    EXPECT_EQ(ShowableLine(""), "");
}

TEST(OwnShip, DistancesAreFromTheVdoAndFromTheGnssPositionWhenThereIsNoVdo)
{
    Receiver rx;
    rx.Feed(PositionLine(244123456, 50.5, -8.11466)); // before any own position
    ReceptionView view = rx.View();
    EXPECT_EQ(view.ownShip.source, OwnShipFix::Source::None);
    ASSERT_EQ(view.targets.size(), 1u);
    EXPECT_FALSE(view.targets[0].range);
    EXPECT_EQ(TargetCell(view.targets[0], TargetColumn::Distance), "");
    EXPECT_EQ(OwnShipText(view.ownShip), "Own ship: no position");

    rx.Feed(diagtest::kRmc); // 50 12.7908 N, 8 06.8796 W with a fix
    view = rx.View();
    EXPECT_EQ(view.ownShip.source, OwnShipFix::Source::Gnss);
    EXPECT_NEAR(view.ownShip.position.latitude, 50.21318, 1e-4);
    EXPECT_NEAR(view.ownShip.position.longitude, -8.11466, 1e-4);
    ASSERT_TRUE(view.targets[0].range);
    EXPECT_NEAR(view.targets[0].range->distanceNm, (50.5 - 50.21318) * 60.0405, 0.01);
    EXPECT_EQ(OwnShipText(view.ownShip), "Own ship: 50.2132 N 8.1147 W (GNSS)");

    rx.Feed(PositionLine(416000047, 50.0, -8.11466, 'A', "VDO"));
    view = rx.View();
    EXPECT_EQ(view.ownShip.source, OwnShipFix::Source::Vdo);
    EXPECT_NEAR(view.targets[0].range->distanceNm, 30.02, 0.01);
    EXPECT_NEAR(view.targets[0].range->bearingDegrees, 0.0, 0.01);
    EXPECT_EQ(view.targets.size(), 1u); // the own ship is the reference, not a row
}

TEST(TargetsHeard, ChannelCountsAgesAndRatesFollowEachSender)
{
    Receiver rx;
    rx.Feed(PositionLine(416000047, 25.0, 121.0, 'A', "VDO")); // not reception: counted nowhere
    rx.Feed(PositionLine(111111111, 25.5, 121.0, 'A'));
    rx.now += 5;
    rx.Feed(PositionLine(111111111, 25.5, 121.0, 'B'));
    rx.Feed(PositionLine(222222222, 24.0, 121.0, '2')); // any other channel counts as B
    for (const std::string& line : StaticLines(222222222, "PACIFIC \"STAR\", II"))
        rx.Feed(line);
    rx.now += 3;

    const ReceptionView view = rx.View();
    ASSERT_EQ(view.targets.size(), 2u);
    const TargetRow& first = view.targets[0];
    EXPECT_EQ(first.mmsi, 111111111u);
    EXPECT_EQ(first.messages, (std::array<std::uint32_t, 2>{1, 1}));
    EXPECT_EQ(first.lastHeardAge, 3);
    EXPECT_EQ(first.firstHeardAge, 8);
    EXPECT_EQ(first.lastChannel, AisChannel::B);
    const TargetRow& second = view.targets[1];
    EXPECT_EQ(second.messages, (std::array<std::uint32_t, 2>{0, 2}));
    EXPECT_EQ(second.name, "PACIFIC \"STAR\", II");
    EXPECT_EQ(second.callSign, "PDAB");
    EXPECT_NEAR(second.range->distanceNm, 60.04, 0.01);
    EXPECT_NEAR(second.range->bearingDegrees, 180.0, 0.01);

    EXPECT_EQ(view.perMinute[0].back(), 1u);
    EXPECT_EQ(view.perMinute[1].back(), 3u);
    EXPECT_EQ(view.typesThisMinute[1], 3u);
    EXPECT_EQ(view.typesThisMinute[5], 1u);
    EXPECT_EQ(TypesText(view.typesThisMinute), "1: 3  5: 1");
    EXPECT_EQ(view.lastHour.overall, (SectorReach{second.range->distanceNm, 222222222}));
    EXPECT_EQ(view.lastHour.perChannel[0].mmsi, 111111111u);
    EXPECT_EQ(view.sectors[SectorOf(180.0)].mmsi, 222222222u);
    EXPECT_NEAR(view.farthestNm, 60.04, 0.01);
}

TEST(TargetsHeard, AnEntryGivenToAnotherSenderStartsItsCountsAfresh)
{
    TargetsHeard heard;
    heard.Heard(7, 111, AisChannel::A, 10);
    heard.Heard(7, 111, AisChannel::A, 11);
    ASSERT_NE(heard.Of(7, 111), nullptr);
    EXPECT_EQ(heard.Of(7, 111)->messages[0], 2u);
    heard.Heard(7, 222, AisChannel::B, 20); // the library evicted 111 and reused entry 7
    EXPECT_EQ(heard.Of(7, 111), nullptr);
    EXPECT_EQ(heard.Of(7, 222)->messages, (std::array<std::uint32_t, 2>{0, 1}));
    EXPECT_EQ(heard.Of(7, 222)->firstHeard, 20);
    heard.Heard(nmea::kAisTargetCapacity, 1, AisChannel::A, 0); // out of the table: ignored
    EXPECT_EQ(heard.Of(nmea::kAisTargetCapacity, 1), nullptr);
}

TEST(TargetTexts, FilterAndCsvOfASmallTable)
{
    TargetRow trader;
    trader.mmsi = 244123456;
    trader.name = "NORDIC TRADER";
    trader.callSign = "PDAB";
    trader.kind = nmea::TargetKind::ClassA;
    trader.messages = {31, 29};
    trader.lastHeardAge = 2;
    trader.sog = 14.2;
    trader.cog = 200.0;
    trader.range = RangeBearing{12.44, 231.4};
    TargetRow buoy;
    buoy.mmsi = 992446001;
    buoy.name = "WEST \"A\", PILE";
    buoy.kind = nmea::TargetKind::AidToNavigation;
    buoy.messages = {0, 1};
    buoy.lastHeardAge = 61;

    EXPECT_TRUE(MatchesTargetFilter(trader, ""));
    EXPECT_TRUE(MatchesTargetFilter(trader, "nordic"));
    EXPECT_TRUE(MatchesTargetFilter(trader, "4123"));
    EXPECT_FALSE(MatchesTargetFilter(trader, "pile"));
    EXPECT_TRUE(MatchesTargetFilter(buoy, "Pile"));

    EXPECT_EQ(TargetsCsv({trader, buoy}),
              "MMSI,Name,Call sign,Kind,Messages A,Messages B,Last heard (s),SOG (kn),COG (deg),"
              "Distance (NM),Bearing (deg)\r\n"
              "244123456,\"NORDIC TRADER\",\"PDAB\",\"Class A\",31,29,2,14.2,200.0,12.4,231\r\n"
              "992446001,\"WEST \"\"A\"\", PILE\",\"\",\"Aid to navigation\",0,1,61,,,,\r\n");
}

} // namespace
} // namespace m47::diagnostics
