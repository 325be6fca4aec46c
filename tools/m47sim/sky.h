// The satellites in view of the internal GPS: a fixed constellation geometry that drifts slowly
// with time, with some satellites tracked (a signal-to-noise ratio) and some not (none).
#pragma once

#include <optional>
#include <vector>

namespace m47sim {

enum class Constellation { Gps, Glonass };

struct SatelliteView {
    Constellation system = Constellation::Gps;
    int id = 0;             // NMEA satellite id: GPS 1..32, GLONASS 65..96
    int elevation = 0;      // degrees
    int azimuth = 0;        // degrees true
    std::optional<int> snr; // dB-Hz; none when the satellite is not tracked
    bool used = false;      // used in the position fix
};

// The satellites of the requested constellations `seconds` after the start of the simulation.
std::vector<SatelliteView> SatellitesInView(double seconds, bool withGlonass);

} // namespace m47sim
