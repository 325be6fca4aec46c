#include "vessel.h"

#include <cmath>
#include <numbers>

namespace m47sim {

namespace {

constexpr double kRadPerDeg = std::numbers::pi / 180.0;
constexpr double kEarthRadiusMiles = 3440.065;

} // namespace

void Advance(VesselMotion& vessel, double seconds)
{
    constexpr double kStep = 1.0; // integrate in steps of at most a second
    while (seconds > 0.0) {
        const double dt = seconds < kStep ? seconds : kStep;
        const double miles = vessel.speed * dt / 3600.0;
        const double course = vessel.course * kRadPerDeg;
        vessel.latitude += miles * std::cos(course) / 60.0;
        vessel.longitude += miles * std::sin(course) / (60.0 * std::cos(vessel.latitude * kRadPerDeg));
        if (vessel.longitude > 180.0)
            vessel.longitude -= 360.0;
        if (vessel.longitude < -180.0)
            vessel.longitude += 360.0;
        vessel.course = std::fmod(vessel.course + vessel.turnRate * dt + 360.0, 360.0);
        seconds -= dt;
    }
}


VesselMotion AtRangeAndBearing(const VesselMotion& from, double miles, double bearing)
{
    const double angle = miles / kEarthRadiusMiles;
    const double course = bearing * kRadPerDeg;
    const double lat1 = from.latitude * kRadPerDeg;
    const double lat2 =
        std::asin(std::sin(lat1) * std::cos(angle) + std::cos(lat1) * std::sin(angle) * std::cos(course));
    const double dLon = std::atan2(std::sin(course) * std::sin(angle) * std::cos(lat1),
                                   std::cos(angle) - std::sin(lat1) * std::sin(lat2));
    VesselMotion to = from;
    to.latitude = lat2 / kRadPerDeg;
    to.longitude = std::remainder(from.longitude + dLon / kRadPerDeg, 360.0);
    return to;
}

double BearingTo(const VesselMotion& from, const VesselMotion& to)
{
    const double lat1 = from.latitude * kRadPerDeg;
    const double lat2 = to.latitude * kRadPerDeg;
    const double dLon = (to.longitude - from.longitude) * kRadPerDeg;
    const double y = std::sin(dLon) * std::cos(lat2);
    const double x = std::cos(lat1) * std::sin(lat2) - std::sin(lat1) * std::cos(lat2) * std::cos(dLon);
    const double bearing = std::fmod(std::atan2(y, x) / kRadPerDeg + 360.0, 360.0);
    return bearing < 360.0 ? bearing : 0.0;
}

} // namespace m47sim
