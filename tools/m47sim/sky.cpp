#include "sky.h"

#include <array>
#include <cmath>

namespace m47sim {

namespace {

struct Orbit {
    Constellation system;
    int id;
    int elevation; // at the start
    int azimuth;   // at the start
    bool tracked;  // satellites the receiver never locks on (blocked, weak) stay untracked
};

// A sky that shows every case: high and low satellites, tracked and untracked, in both systems.
constexpr std::array<Orbit, 16> kSky = {{
    {Constellation::Gps, 2, 62, 45, true},
    {Constellation::Gps, 5, 35, 120, true},
    {Constellation::Gps, 7, 18, 200, true},
    {Constellation::Gps, 9, 75, 300, true},
    {Constellation::Gps, 13, 8, 10, false},
    {Constellation::Gps, 16, 42, 250, true},
    {Constellation::Gps, 21, 25, 330, true},
    {Constellation::Gps, 26, 4, 160, false},
    {Constellation::Gps, 29, 55, 85, true},
    {Constellation::Gps, 31, 12, 275, false},
    {Constellation::Glonass, 65, 48, 60, true},
    {Constellation::Glonass, 66, 22, 140, true},
    {Constellation::Glonass, 72, 67, 230, true},
    {Constellation::Glonass, 74, 6, 310, false},
    {Constellation::Glonass, 81, 33, 20, true},
    {Constellation::Glonass, 88, 15, 190, true},
}};

} // namespace

std::vector<SatelliteView> SatellitesInView(double seconds, bool withGlonass)
{
    std::vector<SatelliteView> view;
    for (const Orbit& orbit : kSky) {
        if (orbit.system == Constellation::Glonass && !withGlonass)
            continue;
        SatelliteView sat;
        sat.system = orbit.system;
        sat.id = orbit.id;
        // A slow drift: a quarter turn of azimuth in six hours, elevation swinging by 5 degrees.
        sat.azimuth = static_cast<int>(std::lround(orbit.azimuth + seconds / 240.0)) % 360;
        sat.elevation =
            orbit.elevation + static_cast<int>(std::lround(5.0 * std::sin(seconds / 600.0 + orbit.id)));
        if (sat.elevation < 1)
            sat.elevation = 1;
        if (orbit.tracked)
            sat.snr = 22 + sat.elevation / 3 + orbit.id % 5;
        sat.used = orbit.tracked && sat.elevation >= 10;
        view.push_back(sat);
    }
    return view;
}

} // namespace m47sim
