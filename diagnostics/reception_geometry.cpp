#include "diagnostics/reception_geometry.h"

#include <cmath>
#include <numbers>

namespace m47::diagnostics {

namespace {

constexpr double kRadiansPerDegree = std::numbers::pi / 180.0;

double Radians(double degrees)
{
    return degrees * kRadiansPerDegree;
}

} // namespace

std::optional<GeoPosition> AvailablePosition(double latitude, double longitude)
{
    if (!std::isfinite(latitude) || !std::isfinite(longitude) || std::fabs(latitude) > 90.0 ||
        std::fabs(longitude) > 180.0)
        return std::nullopt;
    return GeoPosition{latitude, longitude};
}

RangeBearing GreatCircle(const GeoPosition& from, const GeoPosition& to)
{
    const double lat1 = Radians(from.latitude);
    const double lat2 = Radians(to.latitude);
    const double dLat = lat2 - lat1;
    const double dLon = Radians(to.longitude - from.longitude);
    // Haversine: well conditioned for the short distances a receiver hears.
    const double h = std::sin(dLat / 2) * std::sin(dLat / 2) +
                     std::cos(lat1) * std::cos(lat2) * std::sin(dLon / 2) * std::sin(dLon / 2);
    const double distance = 2.0 * kEarthRadiusNm * std::asin(std::sqrt(std::fmin(1.0, h)));
    const double y = std::sin(dLon) * std::cos(lat2);
    const double x = std::cos(lat1) * std::sin(lat2) - std::sin(lat1) * std::cos(lat2) * std::cos(dLon);
    double bearing = std::atan2(y, x) / kRadiansPerDegree;
    if (bearing < 0.0)
        bearing += 360.0;
    if (bearing >= 360.0)
        bearing -= 360.0;
    return RangeBearing{distance, bearing};
}

std::size_t SectorOf(double bearingDegrees)
{
    if (!(bearingDegrees >= 0.0))
        return 0;
    const auto sector = static_cast<std::size_t>(bearingDegrees / kSectorWidthDegrees);
    return sector < kCoverageSectors ? sector : kCoverageSectors - 1;
}

void WidenSector(SectorOutline& outline, const RangeBearing& range, std::uint32_t mmsi)
{
    SectorReach& reach = outline[SectorOf(range.bearingDegrees)];
    if (reach.mmsi == 0 || range.distanceNm > reach.distanceNm)
        reach = SectorReach{range.distanceNm, mmsi};
}


RangeRings RingsFor(double farthestNm)
{
    RangeRings rings;
    if (!(farthestNm > rings.OuterNm()))
        return rings;
    // The smallest 1-2-5 step whose four rings reach the farthest target.
    const double wanted = farthestNm / rings.rings;
    double decade = std::pow(10.0, std::floor(std::log10(wanted)));
    for (;; decade *= 10.0) {
        for (const double factor : {1.0, 2.0, 5.0}) {
            if (decade * factor >= wanted) {
                rings.stepNm = decade * factor;
                return rings;
            }
        }
    }
}

} // namespace m47::diagnostics
