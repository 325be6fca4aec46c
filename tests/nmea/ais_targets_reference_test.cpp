// The target table against a plain walk over its entries: the first entry with the MMSI wins,
// a new MMSI takes entry TargetCount while there is room, and a full table gives up the entry
// with the oldest last-seen stamp (the lowest index among equal stamps). Random streams of
// senders and clock readings go through both; after every message every entry must agree.
// A message writes only the entry it goes to, so that entry is compared after each message and
// the whole table every few messages, which keeps the walk affordable under the sanitizers.

#include "ais_test_support.h"

#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <ctime>
#include <memory>
#include <random>

namespace nmea {
namespace {

// The rules of finding, taking and freeing entries, walked entry by entry.
class LinearTable
{
public:
    struct Entry {
        std::uint32_t mmsi = 0;
        PackedDate lastDate;
        PackedTime lastTime;
        PackedDate firstDate;
        PackedTime firstTime;
        std::uint32_t vdmCount = 0;
        std::uint32_t vdoCount = 0;
    };

    // UpdateTarget's choice of entry and its stamps, then the count ProcessSentence adds.
    std::size_t Update(std::uint32_t mmsi, bool ownShip, const ClockReading& now)
    {
        std::size_t index = 0;
        bool isNew = false;
        if (ownShip) {
            if (entries[0].mmsi == 0) {
                entries[0].mmsi = mmsi;
                isNew = true;
            }
        } else {
            bool found = false;
            for (std::size_t i = 0; i < count && !found; ++i) {
                if (entries[i].mmsi == mmsi) {
                    index = i;
                    found = true;
                }
            }
            if (!found) {
                index = count < kAisTargetCapacity ? count++ : Evict();
                entries[index].mmsi = mmsi;
                isNew = true;
            }
        }
        Entry& e = entries[index];
        if (isNew) {
            e.vdmCount = e.vdoCount = 0;
            e.firstDate = PackDate(now);
            e.firstTime = PackTime(now);
        }
        e.lastDate = PackDate(now);
        e.lastTime = PackTime(now);
        ++(ownShip ? e.vdoCount : e.vdmCount);
        return index;
    }

    std::array<Entry, kAisTargetCapacity> entries{};
    std::size_t count = 1;

private:
    std::size_t Evict()
    {
        std::size_t chosen = 1;
        for (std::size_t i = 2; i < count; ++i) {
            if (Stamp(entries[i]) < Stamp(entries[chosen])) {
                chosen = i;
            }
        }
        entries[chosen].mmsi = 0;
        entries[chosen].lastDate = PackedDate{};
        entries[chosen].lastTime = PackedTime{};
        return chosen;
    }

    static std::uint32_t Stamp(const Entry& e) { return StampSeconds(e.lastDate, e.lastTime); }
};

bool operator==(const PackedDate& a, const PackedDate& b)
{
    return a.year == b.year && a.month == b.month && a.day == b.day;
}

bool operator==(const PackedTime& a, const PackedTime& b)
{
    return a.hour == b.hour && a.minute == b.minute && a.second == b.second;
}

bool SameEntry(const AisTarget& t, const LinearTable::Entry& r)
{
    return t.mmsi == r.mmsi && t.lastSeenDate == r.lastDate && t.lastSeenTime == r.lastTime &&
           t.firstSeenDate == r.firstDate && t.firstSeenTime == r.firstTime && t.vdmCount == r.vdmCount &&
           t.vdoCount == r.vdoCount;
}

// The first entry where the table and the walk differ, or -1.
int FirstDifference(const AisTargetTable& table, const LinearTable& reference)
{
    for (std::size_t i = 0; i < kAisTargetCapacity; ++i) {
        if (!SameEntry(table.entries[i], reference.entries[i])) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

ClockReading g_now;

ClockReading Now()
{
    return g_now;
}

void SetNow(std::time_t seconds)
{
    std::tm t{};
    gmtime_r(&seconds, &t);
    g_now = ClockReading{static_cast<std::uint16_t>(t.tm_year + 1900),
                         static_cast<std::uint8_t>(t.tm_mon + 1),
                         static_cast<std::uint8_t>(t.tm_mday),
                         static_cast<std::uint8_t>(t.tm_hour),
                         static_cast<std::uint8_t>(t.tm_min),
                         static_cast<std::uint8_t>(t.tm_sec),
                         0};
}

enum class Clock { Running, Wandering };

struct Stream {
    unsigned seed;
    std::uint32_t senders; // distinct MMSIs the stream draws from
    int messages;
    Clock clock;
};

// Few senders beyond the table's room, many more than it holds, and as many as it holds, with
// a clock that mostly runs on; then a clock that wanders back and forth over a few minutes, so
// that many stamps are filed between older and newer ones and meet stamps filed before.
constexpr Stream kStreams[] = {
    {1, 3000, 40000, Clock::Running},
    {2, 20000, 40000, Clock::Running},
    {3, static_cast<std::uint32_t>(kAisTargetCapacity - 1), 30000, Clock::Running},
    {4, 5000, 30000, Clock::Wandering},
};

// The next clock reading: mostly the same second or the next few; now and then set back or
// far ahead. A wandering clock steps up to three seconds either way.
std::time_t NextSecond(std::time_t seconds, Clock clock, std::mt19937& random)
{
    const int step = std::uniform_int_distribution<int>(0, 99)(random);
    if (clock == Clock::Wandering) {
        return seconds + step % 7 - 3;
    }
    if (step < 25) {
        return seconds + 1 + step % 3;
    }
    if (step < 28) {
        const std::time_t back = step < 26 ? 120 : 3 * 86400;
        return seconds - std::uniform_int_distribution<std::time_t>(1, back)(random);
    }
    if (step == 28) {
        return seconds + std::uniform_int_distribution<std::time_t>(1, 400 * 86400)(random);
    }
    return seconds;
}

constexpr int kWholeTableEvery = 64;

TEST(AisTargetsReference, RandomStreamsAgreeWithTheWalk)
{
    for (const Stream& stream : kStreams) {
        SCOPED_TRACE("stream seed " + std::to_string(stream.seed));
        auto state = std::make_unique<AisState>();
        auto reference = std::make_unique<LinearTable>();
        state->targets.clock = Now;
        test::BitWriter report;
        report.Put(1, 6).Put(0, 2).Put(0, 30).PadTo(168);
        ASSERT_TRUE(test::DecodeBits(*state, report));
        constexpr std::size_t kMmsiAt = FieldOffset(ais_layout::kPositionReport, "mmsi");

        std::mt19937 random(stream.seed);
        std::uniform_int_distribution<int> percent(0, 99);
        std::uniform_int_distribution<std::uint32_t> anySender(1, stream.senders);
        std::uniform_int_distribution<std::uint32_t> busySender(1, 400);
        std::time_t seconds = 1796000000; // December 2026
        for (int m = 0; m < stream.messages; ++m) {
            seconds = NextSecond(seconds, stream.clock, random);
            SetNow(seconds);
            // A few busy senders and many occasional ones; the own ship now and then, and a
            // sender without an MMSI.
            const int kind = percent(random);
            const bool ownShip = kind < 2;
            const std::uint32_t mmsi =
                kind == 2 ? 0 : 200000000 + (kind < 50 ? busySender(random) : anySender(random));
            std::memcpy(state->message.bytes.data() + kMmsiAt, &mmsi, sizeof mmsi);

            const int index = UpdateTarget(state->targets, state->message, 'A', 0, ownShip);
            ASSERT_GE(index, 0);
            AisTarget& target = state->targets.entries[static_cast<std::size_t>(index)];
            ++(ownShip ? target.vdoCount : target.vdmCount);
            const std::size_t expected = reference->Update(mmsi, ownShip, g_now);

            ASSERT_EQ(static_cast<std::size_t>(index), expected) << "message " << m;
            ASSERT_EQ(state->targets.TargetCount, reference->count) << "message " << m;
            ASSERT_TRUE(SameEntry(target, reference->entries[expected])) << "message " << m;
            if (m % kWholeTableEvery == 0) {
                ASSERT_EQ(FirstDifference(state->targets, *reference), -1) << "message " << m;
            }
        }
        EXPECT_EQ(FirstDifference(state->targets, *reference), -1);
        if (stream.senders > kAisTargetCapacity) {
            EXPECT_EQ(state->targets.TargetCount, kAisTargetCapacity);
        }
    }
}

} // namespace
} // namespace nmea
