#include "vessel.h"

#include <cmath>
#include <numbers>

namespace m47sim {

void Advance(VesselMotion& vessel, double seconds)
{
    constexpr double kRadPerDeg = std::numbers::pi / 180.0;
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

} // namespace m47sim
