#include "diagnostics/reception_minutes.h"

namespace m47::diagnostics {

namespace {

std::size_t SlotOf(std::int64_t minute)
{
    return static_cast<std::size_t>(minute % static_cast<std::int64_t>(kRateMinutes));
}

void KeepFarther(SectorReach& held, const SectorReach& other)
{
    if (other.mmsi != 0 && (held.mmsi == 0 || other.distanceNm > held.distanceNm))
        held = other;
}

void CountOne(std::uint32_t& counter)
{
    if (counter < UINT32_MAX)
        ++counter;
}

} // namespace

std::int64_t MinuteBuckets::MinuteOf(std::int64_t second)
{
    // Clocks start at their epoch; a negative reading is taken as minute 0.
    return second < 0 ? 0 : second / 60;
}

const MinuteBuckets::Bucket* MinuteBuckets::Holding(std::int64_t minute) const
{
    const Bucket& bucket = buckets_[SlotOf(minute)];
    return bucket.minute == minute ? &bucket : nullptr;
}

void MinuteBuckets::Add(std::int64_t second, AisChannel channel, std::uint8_t type, std::uint32_t mmsi,
                        std::optional<double> distanceNm)
{
    const std::int64_t minute = MinuteOf(second);
    Bucket& bucket = buckets_[SlotOf(minute)];
    if (bucket.minute != minute)
        bucket = Bucket{minute};
    const auto lane = static_cast<std::size_t>(channel);
    CountOne(bucket.messages[lane]);
    if (type < kAisMessageTypes)
        CountOne(bucket.types[type]);
    if (distanceNm)
        KeepFarther(bucket.farthest[lane], SectorReach{*distanceNm, mmsi});
}

std::array<std::uint32_t, kRateMinutes> MinuteBuckets::PerMinute(std::int64_t second, AisChannel channel) const
{
    std::array<std::uint32_t, kRateMinutes> rates{};
    const std::int64_t now = MinuteOf(second);
    for (std::size_t i = 0; i < kRateMinutes; ++i) {
        const std::int64_t minute = now - static_cast<std::int64_t>(kRateMinutes - 1 - i);
        if (const Bucket* bucket = minute >= 0 ? Holding(minute) : nullptr)
            rates[i] = bucket->messages[static_cast<std::size_t>(channel)];
    }
    return rates;
}

std::array<std::uint32_t, kAisMessageTypes> MinuteBuckets::TypesThisMinute(std::int64_t second) const
{
    const Bucket* bucket = Holding(MinuteOf(second));
    return bucket ? bucket->types : std::array<std::uint32_t, kAisMessageTypes>{};
}

FarthestReception MinuteBuckets::FarthestLastHour(std::int64_t second) const
{
    FarthestReception farthest;
    const std::int64_t now = MinuteOf(second);
    for (const Bucket& bucket : buckets_) {
        if (bucket.minute < 0 || bucket.minute > now || now - bucket.minute >= static_cast<std::int64_t>(kRateMinutes))
            continue;
        for (std::size_t lane = 0; lane < kAisChannels; ++lane) {
            KeepFarther(farthest.perChannel[lane], bucket.farthest[lane]);
            KeepFarther(farthest.overall, bucket.farthest[lane]);
        }
    }
    return farthest;
}

} // namespace m47::diagnostics
