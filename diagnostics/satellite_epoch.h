#pragma once
// The satellites of one GNSS epoch, collected sentence by sentence and published at once.
//
//   $GPRMC ... $GPVTG ... $GPGGA ... $GPGSA,A,3,07,12,...  $GPGSV,3,1,11,07,62,140,43,...
//   RMC 1      VTG 2      GGA 4      ids used in the fix   satellites in view with a signal
//
// Each position-group type (RMC 1, VTG 2, GGA 4, GLL 8, GBS 16) marks its bit; the first
// repetition of a type since the last flush completes the epoch. The flush publishes what was
// collected up to and including that sentence, then clears everything, that type's bit too, so
// the repeating type starts the next epoch afresh. A device sending RMC, VTG, GGA, GSA, GSV...,
// GLL once a second thus flushes at the RMC of cycle 2, the VTG of cycle 3, the GGA of cycle 4,
// the GLL of cycle 5 (cycles 4 and 5 merged by id), the RMC of cycle 7, and so on.
//
// Satellite ids are 8-bit; 128 and above (negative as the library stores them) are absent.

#include "diagnostics/snr_chart_model.h"

#include <array>
#include <cstddef>
#include <cstdint>

namespace nmea {
struct GnssRecord;
}

namespace m47::diagnostics {

inline constexpr std::size_t kEpochSatellites = 36;
inline constexpr std::size_t kSkyMarkers = 32;

struct SatelliteEpoch {
    std::uint32_t SeenTypes = 0; // position-group bits seen since the last flush
    std::uint8_t UsedCount = 0;
    std::array<std::uint8_t, kEpochSatellites> UsedIds{}; // distinct ids used in the fix (GSA)
    std::uint8_t ViewCount = 0;
    std::array<std::uint8_t, kEpochSatellites> ViewIds{}; // distinct ids with a signal (GSV)
    std::array<std::int8_t, kEpochSatellites> ViewElevations{};
    std::array<std::int16_t, kEpochSatellites> ViewAzimuths{};
    std::array<std::int8_t, kEpochSatellites> ViewSnrs{};

    bool InUse(std::uint8_t id) const;
};

// One sky-map marker as the last flush left it; a hidden marker keeps its last satellite.
struct SkyMarker {
    bool visible = false;
    bool inUse = false;
    int satelliteId = 0;
    int azimuth = 0;
    int elevation = 0;
};
using SkyMarkers = std::array<SkyMarker, kSkyMarkers>;

// Adds one GNSS-group sentence, already stored into `gnss`, to the epoch by its formatter
// (three characters and NUL). True when it completes the epoch; the caller then publishes.
bool CollectSentence(SatelliteEpoch& epoch, const char (&formatter)[4], const nmea::GnssRecord& gnss);

// The flush: one chart bar per collected satellite in collection order (green when used,
// blue otherwise) and placeholders up to 16; markers 0..n-1 placed and shown (n at most 32),
// the rest hidden. Clears the epoch.
void PublishEpoch(SatelliteEpoch& epoch, SnrChartModel& chart, SkyMarkers& markers);

} // namespace m47::diagnostics
