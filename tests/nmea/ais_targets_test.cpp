#include "ais_test_support.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

namespace nmea {
namespace {

using test::BitWriter;

ClockReading g_clock;

ClockReading TestClock()
{
    return g_clock;
}

void SetClock(std::uint16_t year, std::uint8_t month, std::uint8_t day, std::uint8_t hour,
              std::uint8_t minute, std::uint8_t second)
{
    g_clock = ClockReading{year, month, day, hour, minute, second, 50};
}

BitWriter Header(unsigned type, std::uint32_t mmsi)
{
    BitWriter w;
    w.Put(type, 6).Put(0, 2).Put(mmsi, 30);
    return w;
}

BitWriter PositionReport(std::uint32_t mmsi, std::uint32_t heading = 215)
{
    BitWriter w = Header(1, mmsi);
    w.Put(5, 4).Put(0x81, 8).Put(123, 10).Put(1, 1).Put(80 * 600000, 28).Put(29028980, 27);
    w.Put(2240, 12).Put(heading, 9).Put(33, 6).Put(0, 4).Put(0, 1).Put(1, 1).Put(0, 19);
    return w;
}

std::string Text(const char* text)
{
    return std::string(text);
}

class AisTargets : public ::testing::Test
{
protected:
    void SetUp() override
    {
        state->targets.clock = TestClock;
        SetClock(2026, 12, 10, 13, 45, 30);
    }

    // Decodes the message and updates the table as the library does for one sentence.
    int Feed(const BitWriter& w, bool ownShip = false, char channel = 'A')
    {
        EXPECT_TRUE(test::DecodeBits(*state, w));
        return UpdateTarget(state->targets, state->message, channel, 0, ownShip);
    }
    AisTarget& Entry(std::size_t i) { return state->targets.entries.at(i); }

    std::unique_ptr<AisState> state = std::make_unique<AisState>();
};

TEST_F(AisTargets, StartValues)
{
    const AisTargetTable& t = state->targets;
    EXPECT_EQ(t.TargetCount, 1u);
    EXPECT_EQ(t.LastTargetIndex, -1);
    EXPECT_EQ(t.LastMessageKind, -1);
    const AisTarget& own = t.entries[0];
    EXPECT_EQ(own.mmsi, 0u);
    EXPECT_EQ(own.latitude, -30.0f);
    EXPECT_EQ(own.longitude, 150.0f);
    EXPECT_EQ(own.sog, 15.0f);
    EXPECT_EQ(own.cog, 301.0f);
    EXPECT_EQ(own.heading, 62.0f);
    EXPECT_EQ(own.rateOfTurn, 5.0f);
    EXPECT_EQ(own.kind, TargetKind::ClassA);
    for (const std::size_t i : {std::size_t{1}, std::size_t{1000}, kAisTargetCapacity - 1}) {
        EXPECT_EQ(t.entries[i].mmsi, 0u);
        EXPECT_EQ(t.entries[i].longitude, 181.0f);
        EXPECT_EQ(t.entries[i].latitude, 91.0f);
        EXPECT_EQ(t.entries[i].kind, TargetKind::Free);
    }
    // The group-assignment store starts with its corners not available.
    float corners[4];
    std::memcpy(corners, t.groupAssignment.bytes.data() + FieldOffset(ais_layout::kGroupAssignment, "ne_lon"),
                sizeof corners);
    EXPECT_EQ(corners[0], 181.0f);
    EXPECT_EQ(corners[1], 91.0f);
    EXPECT_EQ(corners[2], 181.0f);
    EXPECT_EQ(corners[3], 91.0f);
}

TEST_F(AisTargets, UnknownMmsiTakesTheNextEntryAndKeepsItsFirstSighting)
{
    EXPECT_EQ(Feed(PositionReport(371798000)), 1);
    EXPECT_EQ(state->targets.TargetCount, 2u);
    EXPECT_EQ(Entry(1).mmsi, 371798000u);
    EXPECT_EQ(Entry(1).firstSeenTime.minute, 45);
    Entry(1).vdmCount = 7;

    SetClock(2026, 12, 10, 14, 0, 0);
    EXPECT_EQ(Feed(PositionReport(371798000)), 1);
    EXPECT_EQ(state->targets.TargetCount, 2u);
    EXPECT_EQ(Entry(1).vdmCount, 7u);
    EXPECT_EQ(Entry(1).firstSeenTime.hour, 13);
    EXPECT_EQ(Entry(1).lastSeenTime.hour, 14);
    EXPECT_EQ(Entry(1).lastSeenDate.year, 2026);

    EXPECT_EQ(Feed(PositionReport(440348000)), 2);
    EXPECT_EQ(state->targets.TargetCount, 3u);
    EXPECT_EQ(state->targets.LastTargetIndex, 2);
    EXPECT_EQ(state->targets.LastMessageKind, 1);
}

TEST_F(AisTargets, OwnShipKeepsItsFirstMmsi)
{
    EXPECT_EQ(Feed(PositionReport(211000001), true), 0);
    EXPECT_EQ(state->targets.TargetCount, 1u);
    EXPECT_EQ(Entry(0).mmsi, 211000001u);
    EXPECT_NEAR(Entry(0).latitude, 48.381633f, 2e-5);
    EXPECT_NEAR(Entry(0).sog, 12.3f, 1e-5);
    EXPECT_NEAR(Entry(0).cog, 224.0f, 1e-4);

    BitWriter other = Header(1, 211000002);
    other.Put(0, 4).Put(0, 8).Put(50, 10).Put(0, 1).Put(0, 28).Put(0, 27).Put(900, 12).Put(90, 9).PadTo(168);
    EXPECT_EQ(Feed(other, true), 0);
    EXPECT_EQ(Entry(0).mmsi, 211000001u);
    EXPECT_FLOAT_EQ(Entry(0).sog, 5.0f);
    EXPECT_FLOAT_EQ(Entry(0).cog, 90.0f);
    EXPECT_EQ(Entry(0).heading, 90.0f);
    EXPECT_EQ(state->targets.TargetCount, 1u);

    // The search includes the own ship: a VDM from its MMSI updates entry 0.
    EXPECT_EQ(Feed(PositionReport(211000001)), 0);
    EXPECT_EQ(state->targets.TargetCount, 1u);
}

TEST_F(AisTargets, FullTableReusesTheEntrySeenLongestAgo)
{
    for (std::uint32_t i = 1; i < kAisTargetCapacity; ++i) {
        SetClock(2026, 12, 10, static_cast<std::uint8_t>(i / 3600), static_cast<std::uint8_t>(i / 60 % 60),
                 static_cast<std::uint8_t>(i % 60));
        ASSERT_EQ(Feed(PositionReport(100000000 + i)), static_cast<int>(i));
    }
    ASSERT_EQ(state->targets.TargetCount, kAisTargetCapacity);
    SetClock(2026, 12, 11, 0, 0, 0);
    EXPECT_EQ(Feed(PositionReport(100000001)), 1); // entry 1 is now the newest
    std::strcpy(Entry(2).name.data(), "OLD NAME");
    std::strcpy(Entry(2).callSign.data(), "OLDCS");
    Entry(2).epfdAndStatus = 0x57;

    const int index = Feed(Header(14, 999000001).PadTo(48));
    EXPECT_EQ(index, 2);
    EXPECT_EQ(state->targets.TargetCount, kAisTargetCapacity);
    const AisTarget& reused = Entry(2);
    EXPECT_EQ(reused.mmsi, 999000001u);
    EXPECT_EQ(Text(reused.name.data()), "");
    EXPECT_EQ(Text(reused.callSign.data()), "");
    EXPECT_EQ(reused.kind, TargetKind::Free); // type 14 leaves the kind as reset
    EXPECT_EQ(TargetEpfd(reused), 7);         // the EPFD type survives the reset
    EXPECT_EQ(TargetNavigationalStatus(reused), 0);
    EXPECT_EQ(reused.cog, 361.0f);
    EXPECT_EQ(reused.heading, 511.0f);
    EXPECT_EQ(reused.longitude, 181.0f);
    EXPECT_EQ(reused.flags & kTargetDte, kTargetDte);
    EXPECT_EQ(reused.firstSeenDate.day, 11);
    EXPECT_EQ(reused.lastSeenDate.day, 11);
    EXPECT_EQ(Entry(0).mmsi, 0u); // the own ship, never seen, is never evicted
}

TEST_F(AisTargets, EvictionTiesGoToTheLowestIndex)
{
    state->targets.TargetCount = 4;
    ReindexTargets(state->targets);
    EXPECT_EQ(EvictTarget(state->targets), 1);
    Entry(1).lastSeenDate = PackedDate{2026, 1, 2};
    Entry(2).lastSeenDate = PackedDate{2026, 1, 1};
    Entry(3).lastSeenDate = PackedDate{2026, 1, 1};
    ReindexTargets(state->targets);
    EXPECT_EQ(EvictTarget(state->targets), 2);
    state->targets.TargetCount = 1;
    ReindexTargets(state->targets);
    EXPECT_EQ(EvictTarget(state->targets), 1);
}

TEST_F(AisTargets, HandBuiltTableWithAnMmsiTwiceUpdatesTheFirst)
{
    state->targets.TargetCount = 6;
    Entry(2).mmsi = 366000001;
    Entry(4).mmsi = 366000001;
    Entry(5).mmsi = 366000002;
    ReindexTargets(state->targets);
    EXPECT_EQ(Feed(PositionReport(366000001)), 2);
    EXPECT_EQ(Feed(PositionReport(366000002)), 5);
    // Entries 1 and 3 still hold no MMSI; a report without one finds the own ship first.
    EXPECT_EQ(Feed(PositionReport(0)), 0);
    EXPECT_EQ(state->targets.TargetCount, 6u);
}

TEST(StampSeconds, CountsYearsOf365Days)
{
    struct Case {
        PackedDate date;
        PackedTime time;
        std::uint32_t seconds;
    };
    const Case cases[] = {
        {{2000, 1, 1}, {0, 0, 0}, 86400},
        {{2000, 1, 1}, {23, 59, 59}, 86400 + 86399},
        {{2026, 12, 10}, {13, 45, 30}, (((26u * 365 + 334 + 10) * 24 + 13) * 60 + 45) * 60 + 30},
        {{2124, 2, 29}, {0, 0, 0}, (24u * 365 + 60) * 86400}, // leap days ignored: as 1 March
        {{2024, 3, 1}, {0, 0, 0}, (24u * 365 + 60) * 86400},
        {{1999, 12, 31}, {23, 59, 59}, (((99u * 365 + 334 + 31) * 24 + 23) * 60 + 59) * 60 + 59},
        {{0, 0, 0}, {0, 0, 0}, 0},
        {{2026, 13, 1}, {0, 0, 0}, (26u * 365 + 1) * 86400}, // no month beyond December
    };
    for (const Case& c : cases) {
        EXPECT_EQ(StampSeconds(c.date, c.time), c.seconds) << c.date.year << "-" << int(c.date.month);
    }
}

TEST(PackClock, DateAndWholeSeconds)
{
    const ClockReading clock{2026, 12, 10, 23, 59, 58, 99};
    const PackedDate date = PackDate(clock);
    const PackedTime time = PackTime(clock);
    EXPECT_EQ(date.year, 2026);
    EXPECT_EQ(date.month, 12);
    EXPECT_EQ(date.day, 10);
    EXPECT_EQ(time.hour, 23);
    EXPECT_EQ(time.minute, 59);
    EXPECT_EQ(time.second, 58);
    const ClockReading now = ReadLocalClock();
    EXPECT_GE(now.year, 2024);
    EXPECT_GE(now.month, 1);
    EXPECT_LE(now.month, 12);
    EXPECT_LT(now.hundredths, 100);
}

TEST(PackClock, SecondsClockStampsAsThePreciseClock)
{
    // The table's default clock reads whole seconds only; a stamp keeps no more than that.
    const ClockReading before = ReadLocalClock();
    const ClockReading seconds = ReadLocalClockSeconds();
    const ClockReading after = ReadLocalClock();
    EXPECT_EQ(seconds.hundredths, 0);
    const std::uint32_t stamp = StampSeconds(PackDate(seconds), PackTime(seconds));
    // The seconds counter may lag the precise clock by a tick across a second's change.
    EXPECT_GE(stamp + 1, StampSeconds(PackDate(before), PackTime(before)));
    EXPECT_LE(stamp, StampSeconds(PackDate(after), PackTime(after)));
    EXPECT_EQ(std::make_unique<AisTargetTable>()->clock, &ReadLocalClockSeconds);
}

TEST_F(AisTargets, PositionReportValues)
{
    ASSERT_EQ(Feed(PositionReport(371798000, 400)), 1);
    const AisTarget& t = Entry(1);
    EXPECT_EQ(t.kind, TargetKind::ClassA);
    EXPECT_EQ(TargetNavigationalStatus(t), 5);
    EXPECT_NEAR(t.rateOfTurn, -720.0f, 0.01f);
    EXPECT_EQ(t.longitude, 80.0f);
    EXPECT_EQ(t.flags & (kTargetPositionAccuracy | kTargetRaim), kTargetPositionAccuracy | kTargetRaim);
    EXPECT_EQ(t.heading, 511.0f);
}

TEST_F(AisTargets, StaticAndVoyageValues)
{
    BitWriter w = Header(5, 351759000);
    w.Put(1, 2).Put(9134270, 30).PutText("3FOF8", 7).PutText("EVER DIADEM", 20).Put(70, 8);
    w.Put((225u << 21) | (70u << 12) | (1u << 6) | 31u, 30)
        .Put(1, 4)
        .Put((5u << 16) | (15u << 11) | (14u << 6), 20);
    w.Put(122, 8).PutText("NEW YORK", 20).Put(1, 1).Put(0, 1);
    ASSERT_EQ(Feed(w), 1);
    const AisTarget& t = Entry(1);
    EXPECT_EQ(t.kind, TargetKind::ClassA);
    EXPECT_EQ(t.aisVersion, 1);
    EXPECT_EQ(t.imo, 9134270u);
    EXPECT_EQ(Text(t.callSign.data()), "3FOF8@@");
    EXPECT_EQ(Text(t.name.data()), "EVER DIADEM@@@@@@@@@");
    EXPECT_EQ(Text(t.destination.data()), "NEW YORK@@@@@@@@@@@@");
    EXPECT_EQ(t.shipType, 70);
    EXPECT_EQ(t.toBow, 225);
    EXPECT_EQ(t.toStern, 70);
    EXPECT_EQ(t.toPort, 1);
    EXPECT_EQ(t.toStarboard, 31);
    EXPECT_EQ(TargetEpfd(t), 1);
    EXPECT_EQ(t.etaMonth, 5);
    EXPECT_EQ(t.etaDay, 15);
    EXPECT_EQ(t.etaHour, 14);
    EXPECT_EQ(t.etaMinute, 0);
    EXPECT_FLOAT_EQ(t.draught, 12.2f);
    EXPECT_EQ(t.flags & kTargetDte, kTargetDte);
    EXPECT_EQ(t.longitude, 181.0f); // a static report leaves the position alone
}

TEST_F(AisTargets, SarAircraftClassBAndAidToNavigationValues)
{
    BitWriter sar = Header(9, 111232511);
    sar.Put(303, 12).Put(42, 10).Put(0, 1).Put(0, 28).Put(0, 27).Put(1545, 12).Put(15, 6).Put(0, 8).Put(1, 1);
    sar.PadTo(168);
    ASSERT_EQ(Feed(sar), 1);
    EXPECT_EQ(Entry(1).kind, TargetKind::SarAircraft);
    EXPECT_EQ(TargetAltitude(Entry(1)), 303.0f);
    EXPECT_EQ(Entry(1).sog, 42.0f);
    EXPECT_EQ(Entry(1).flags & kTargetDte, kTargetDte);

    BitWriter classB = Header(18, 366764000);
    classB.Put(0, 8).Put(0, 10).Put(0, 1).Put(0, 28).Put(0, 27).Put(0, 12).Put(511, 9).Put(52, 6).Put(0, 2);
    classB.Put(1, 1).Put(0, 1).Put(1, 1).Put(1, 1).Put(1, 1).Put(0, 1).Put(1, 1).PadTo(168);
    ASSERT_EQ(Feed(classB), 2);
    EXPECT_EQ(Entry(2).kind, TargetKind::ClassB);
    EXPECT_EQ(Entry(2).classBFlags, kClassBCsUnit | kClassBDsc | kClassBBand | kClassBMessage22);
    EXPECT_EQ(Entry(2).flags & kTargetRaim, kTargetRaim);

    BitWriter aid = Header(21, 4000003);
    aid.Put(30, 5).PutText("IBC G BUOY", 20).Put(1, 1).Put(0, 28).Put(0, 27).Put(0, 30).Put(1, 4).Put(31, 6);
    aid.Put(1, 1).Put(0, 8).Put(0, 1).Put(1, 1).Put(0, 1).Put(0, 1).PutText("EXTENSION", 14).PadTo(360);
    ASSERT_EQ(Feed(aid), 3);
    EXPECT_EQ(Entry(3).kind, TargetKind::AidToNavigation);
    EXPECT_EQ(Entry(3).aidToNavigation, kAidOffPosition | (30 << kAidTypeShift) | kAidVirtual);
    EXPECT_EQ(Text(Entry(3).name.data()), "IBC G BUOY@@@@@@@@@@");
    EXPECT_EQ(Text(TargetNameExtension(Entry(3))), "EXTENSION@@@@@");
}

TEST_F(AisTargets, StaticDataReportByPartNumber)
{
    ASSERT_EQ(Feed(Header(24, 271041815).Put(0, 2).PutText("PROGUY", 20).PadTo(160)), 1);
    EXPECT_EQ(Text(Entry(1).name.data()), "PROGUY@@@@@@@@@@@@@@");
    EXPECT_EQ(state->targets.LastMessageKind, 24);

    BitWriter partB = Header(24, 271041815);
    partB.Put(1, 2)
        .Put(60, 8)
        .PutText("1D00014", 7)
        .PutText("TC6163", 7)
        .Put((15u << 12) | 5u, 30)
        .PadTo(168);
    ASSERT_EQ(Feed(partB), 1);
    EXPECT_EQ(state->targets.LastMessageKind, 25);
    EXPECT_EQ(Entry(1).kind, TargetKind::ClassB);
    EXPECT_EQ(Entry(1).shipType, 60);
    EXPECT_EQ(Text(Entry(1).vendorId.data()), "1D00014");
    EXPECT_EQ(Text(Entry(1).callSign.data()), "TC6163@");
    EXPECT_EQ(Entry(1).toStern, 15);
    EXPECT_EQ(Entry(1).toStarboard, 5);
    EXPECT_EQ(Text(Entry(1).name.data()), "PROGUY@@@@@@@@@@@@@@");

    // A reserved part number decodes by the part A layout but copies as part B: the values
    // come from the name's bytes.
    ASSERT_EQ(Feed(Header(24, 271041815).Put(2, 2).PutText("ABCDEFGHIJKLMNOPQRST", 20)), 1);
    EXPECT_EQ(state->targets.LastMessageKind, 26);
    EXPECT_EQ(Entry(1).shipType, 'A');
    EXPECT_EQ(Text(Entry(1).vendorId.data()), "BCDEFGH");
    EXPECT_EQ(Text(Entry(1).callSign.data()), "JKLMNOP");
}

TEST_F(AisTargets, LatestMessageStores)
{
    BitWriter longText = Header(14, 2275200);
    longText.Put(0, 2);
    while (longText.Size() + 6 <= 1008) {
        longText.PutText("W", 1);
    }
    longText.PadTo(1008);
    ASSERT_EQ(Feed(longText), 1);
    const auto& broadcast = state->targets.safetyBroadcast;
    EXPECT_EQ(broadcast.isNew, 1);
    EXPECT_EQ(std::memcmp(broadcast.bytes.data(), state->message.bytes.data(), kSafetyBroadcastKeptBytes), 0);
    EXPECT_EQ(broadcast.bytes[kSafetyBroadcastKeptBytes], 0); // the cut text still ends
    EXPECT_EQ(Entry(1).kind, TargetKind::Free);

    struct Case {
        unsigned type;
        unsigned bits;
        const AisStoredMessage<kAisMessageBytes>* store;
        bool channel;
    };
    const AisTargetTable& t = state->targets;
    const Case cases[] = {
        {12, 96, &t.safetyAddressed, false},    {15, 160, &t.interrogation, true},
        {20, 160, &t.dataLinkManagement, true}, {22, 168, &t.channelManagement, false},
        {23, 160, &t.groupAssignment, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("type " + std::to_string(c.type));
        BitWriter w = Header(c.type, 3160048);
        w.Put(0, 2).Put(0x2AAAAAAA, 30).PadTo(c.bits);
        ASSERT_GE(Feed(w, false, 'B'), 0);
        EXPECT_EQ(c.store->isNew, 1);
        EXPECT_EQ(c.store->bytes, state->message.bytes);
        EXPECT_EQ(c.store->channelCode, c.channel ? 'B' : 0);
    }
    EXPECT_EQ(Entry(2).kind, TargetKind::BaseStation);
}

TEST_F(AisTargets, UndecodedIdentifiersLeaveTheTableAlone)
{
    for (const std::uint8_t type : {std::uint8_t{0}, std::uint8_t{25}, std::uint8_t{63}}) {
        AisMessage message;
        message.bytes[0] = type;
        message.bytes[2] = 1;
        EXPECT_EQ(UpdateTarget(state->targets, message, 'A', 0, false), -1);
        EXPECT_EQ(UpdateTarget(state->targets, message, 'A', 0, true), -1);
    }
    EXPECT_EQ(state->targets.TargetCount, 1u);
    EXPECT_EQ(state->targets.LastTargetIndex, -1);
}

} // namespace
} // namespace nmea
