// The last hour in one-minute buckets, on a clock the test moves.
#include "diagnostics/reception_minutes.h"

#include <gtest/gtest.h>

namespace m47::diagnostics {
namespace {

constexpr std::int64_t kMinute = 60;

class MinuteBucketsTest : public ::testing::Test
{
protected:
    // Minute 1000 of the clock, at its start.
    std::int64_t now = 1000 * kMinute;
    MinuteBuckets buckets;

    void Hear(AisChannel channel, int times, std::uint8_t type = 1)
    {
        for (int i = 0; i < times; ++i)
            buckets.Add(now, channel, type, 0, std::nullopt);
    }
};

TEST_F(MinuteBucketsTest, MinutesRollOverIntoTheHistoryAndFallOutAfterAnHour)
{
    Hear(AisChannel::A, 3);
    Hear(AisChannel::B, 1);
    now += kMinute - 1; // the same minute, its last second
    Hear(AisChannel::A, 2);
    auto a = buckets.PerMinute(now, AisChannel::A);
    EXPECT_EQ(a.back(), 5u);
    EXPECT_EQ(buckets.PerMinute(now, AisChannel::B).back(), 1u);

    now += 1; // the next minute: the first moves one place back
    Hear(AisChannel::A, 7);
    a = buckets.PerMinute(now, AisChannel::A);
    EXPECT_EQ(a[kRateMinutes - 1], 7u);
    EXPECT_EQ(a[kRateMinutes - 2], 5u);

    now += 10 * kMinute; // ten quiet minutes show as zeros between
    a = buckets.PerMinute(now, AisChannel::A);
    EXPECT_EQ(a[kRateMinutes - 1], 0u);
    EXPECT_EQ(a[kRateMinutes - 11], 7u);
    EXPECT_EQ(a[kRateMinutes - 12], 5u);

    // 59 minutes after the first one it is the oldest value; at 60 it is gone, even though its
    // slot was never written again.
    now = 1000 * kMinute + 59 * kMinute;
    EXPECT_EQ(buckets.PerMinute(now, AisChannel::A).front(), 5u);
    now += kMinute;
    EXPECT_EQ(buckets.PerMinute(now, AisChannel::A).front(), 7u);
    EXPECT_EQ(buckets.PerMinute(now, AisChannel::A)[kRateMinutes - 1], 0u);

    // A message in a slot that last held an hour-old minute starts the bucket afresh.
    Hear(AisChannel::A, 1);
    EXPECT_EQ(buckets.PerMinute(now, AisChannel::A).back(), 1u);
}

TEST_F(MinuteBucketsTest, TypesCountOnlyTheMinuteInProgress)
{
    Hear(AisChannel::A, 2, 1);
    Hear(AisChannel::B, 1, 5);
    Hear(AisChannel::B, 1, 27);
    auto types = buckets.TypesThisMinute(now);
    EXPECT_EQ(types[1], 2u);
    EXPECT_EQ(types[5], 1u);
    EXPECT_EQ(types[27], 1u);
    now += kMinute;
    types = buckets.TypesThisMinute(now);
    EXPECT_EQ(types[1], 0u);
    EXPECT_EQ(types[5], 0u);
}

TEST_F(MinuteBucketsTest, TheFarthestOfTheLastHourPerChannelWithItsSender)
{
    buckets.Add(now, AisChannel::A, 1, 111, 12.0);
    buckets.Add(now, AisChannel::B, 1, 222, 30.0);
    buckets.Add(now, AisChannel::B, 1, 333, std::nullopt); // no position: no range
    now += 20 * kMinute;
    buckets.Add(now, AisChannel::A, 1, 444, 25.0);

    FarthestReception far = buckets.FarthestLastHour(now);
    EXPECT_EQ(far.perChannel[0], (SectorReach{25.0, 444}));
    EXPECT_EQ(far.perChannel[1], (SectorReach{30.0, 222}));
    EXPECT_EQ(far.overall, (SectorReach{30.0, 222}));

    // An hour after the first minute, the 30 NM of channel B has aged out.
    now += 40 * kMinute;
    far = buckets.FarthestLastHour(now);
    EXPECT_EQ(far.overall, (SectorReach{25.0, 444}));
    EXPECT_EQ(far.perChannel[1], SectorReach{});
}

} // namespace
} // namespace m47::diagnostics
