// One second of the internal GPS: the cycle RMC, VTG, GGA, GSA (one per constellation), GSV
// sequences (one per constellation), GLL, ZDA.
//
//   $GPRMC,123519.00,A,2530.0000,N,12115.0000,E,12.3,084.4,101226,,,A*hh
//   $GPGSV,3,1,10,02,62,045,44,05,35,120,33,07,18,200,29,13,08,010,*hh   (13 not tracked)
#pragma once

#include "sky.h"
#include "vessel.h"

#include <string>
#include <vector>

namespace m47sim {

struct UtcTime {
    int year = 2026, month = 1, day = 1;
    int hour = 0, minute = 0, second = 0, centisecond = 0;
};

struct GnssEpoch {
    UtcTime utc;
    VesselMotion own;
    bool fix = true;        // false: no position (status V, quality 0, fix mode 1)
    double altitude = 12.0; // metres above the geoid
    std::vector<SatelliteView> satellites;
};

// Framed sentences of one epoch in sending order. The talker is "GP" with GPS alone and "GN"
// when several constellations are in view; GSA and GSV come once per constellation.
std::vector<std::string> GnssCycle(const GnssEpoch& epoch);

} // namespace m47sim
