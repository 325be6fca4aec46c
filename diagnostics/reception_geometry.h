#pragma once
// Range and bearing between two positions on the earth, and the 30-degree sectors of the
// coverage plot.
//
//   own ship 25.0415 N 121.7622 E, target 25.5415 N 121.7622 E  ->  30.02 NM at 0.0 degrees
//
// Distances follow the great circle on a sphere of 3440.065 NM (the mean earth radius); the
// bearing is the initial true course from the first position towards the second.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>

namespace m47::diagnostics {

inline constexpr double kEarthRadiusNm = 3440.065;
inline constexpr std::size_t kCoverageSectors = 12; // 30 degrees each, the first from north
inline constexpr double kSectorWidthDegrees = 360.0 / kCoverageSectors;

struct GeoPosition {
    double latitude = 0.0;  // degrees, north positive
    double longitude = 0.0; // degrees, east positive
};

struct RangeBearing {
    double distanceNm = 0.0;
    double bearingDegrees = 0.0; // 0 <= bearing < 360, true
};

// The position when both values are real coordinates; AIS marks a missing one with 91 and 181.
std::optional<GeoPosition> AvailablePosition(double latitude, double longitude);

RangeBearing GreatCircle(const GeoPosition& from, const GeoPosition& to);

// The sector a bearing falls in: 0 for [0, 30), ..., 11 for [330, 360).
std::size_t SectorOf(double bearingDegrees);

// The farthest target heard in one sector; mmsi 0 when none.
struct SectorReach {
    double distanceNm = 0.0;
    std::uint32_t mmsi = 0;

    bool operator==(const SectorReach&) const = default;
};
using SectorOutline = std::array<SectorReach, kCoverageSectors>;

// Keeps the farther of the reach held and one target at `range`.
void WidenSector(SectorOutline& outline, const RangeBearing& range, std::uint32_t mmsi);

// The coverage plot's range rings: `rings` rings `stepNm` apart, the outer one at or beyond the
// farthest target (1, 2 or 5 times a power of ten per ring).
struct RangeRings {
    double stepNm = 1.0;
    int rings = 4;
    double OuterNm() const { return stepNm * rings; }
};
RangeRings RingsFor(double farthestNm);

} // namespace m47::diagnostics
