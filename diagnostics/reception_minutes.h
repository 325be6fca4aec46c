#pragma once
// The last hour of AIS reception in one-minute buckets: messages on channel A and on B, the
// messages per AIS type, and the farthest sender heard on each channel.
//
//   minute:   ... | 17:41 | 17:42 | 17:43 (current)
//   bucket:        A 52     A 49     A 12
//                  B 47     B 51     B 10     farthest A 38.2 NM 244123456, B 36.9 NM ...
//
// Sixty buckets in a ring, keyed by the minute since the clock's epoch; a bucket older than an
// hour is emptied when its slot comes round again, so memory stays fixed however long the run.

#include "diagnostics/reception_geometry.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>

namespace m47::diagnostics {

inline constexpr std::size_t kRateMinutes = 60;
inline constexpr std::size_t kAisMessageTypes = 28; // identifiers 0 .. 27; 0 stays unused

enum class AisChannel : std::size_t { A, B }; // B: "B" or any other channel character
inline constexpr std::size_t kAisChannels = 2;

// The farthest reception over the last hour, overall and per channel.
struct FarthestReception {
    SectorReach overall;
    std::array<SectorReach, kAisChannels> perChannel{};
};

class MinuteBuckets
{
public:
    // One message heard at `second` (seconds of a steady clock), from `mmsi` at `distanceNm`
    // when both positions are known.
    void Add(std::int64_t second, AisChannel channel, std::uint8_t type, std::uint32_t mmsi,
             std::optional<double> distanceNm);

    // Messages per minute of the last 60 minutes on a channel, oldest first; the last value is
    // the minute in progress.
    std::array<std::uint32_t, kRateMinutes> PerMinute(std::int64_t second, AisChannel channel) const;
    // Messages per AIS type in the minute in progress.
    std::array<std::uint32_t, kAisMessageTypes> TypesThisMinute(std::int64_t second) const;
    FarthestReception FarthestLastHour(std::int64_t second) const;

    void Clear() { buckets_ = {}; }

private:
    struct Bucket {
        std::int64_t minute = -1; // -1: never used
        std::array<std::uint32_t, kAisChannels> messages{};
        std::array<std::uint32_t, kAisMessageTypes> types{};
        std::array<SectorReach, kAisChannels> farthest{};
    };
    static std::int64_t MinuteOf(std::int64_t second);
    // The bucket of `minute` when it holds that minute; nullptr otherwise.
    const Bucket* Holding(std::int64_t minute) const;

    std::array<Bucket, kRateMinutes> buckets_{};
};

} // namespace m47::diagnostics
