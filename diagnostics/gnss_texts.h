#pragma once
// The texts of the GPS STATUS page's boxes, one function per group of boxes; each returns what
// the boxes show and leaves writing them to the window. UTF-8, like FormatLatLon.
//
//   lblEdtGpsUtcDate "2011/06/01"   lblEdtGpsFixMode "3D" / "Lost"   lblEdtHdop " 1.2" / "N/A"
//   lblEdtGpsUtcTime "13:07:11"     lblEdtGpsSOG "  0.50 Kn"         lblEdtGpsCOG "  3.0°"

#include <cstdint>
#include <string>

namespace m47::diagnostics {

struct UtcTexts {
    std::string date; // lblEdtGpsUtcDate
    std::string time; // lblEdtGpsUtcTime
};

struct FixModeTexts {
    std::string fixMode; // lblEdtGpsFixMode
    std::string hdop;    // lblEdtHdop
};

struct PositionTexts {
    std::string latitude;  // lblEdtGpsLat
    std::string longitude; // lblEdtGpsLon
    std::string sog;       // lblEdtGpsSOG
    std::string cog;       // lblEdtGpsCOG
};

struct SatelliteCountTexts {
    std::string inView; // lblEdtGpsNoSV_InView
    std::string inUse;  // lblEdtGpsNoSV_InUse
};

UtcTexts ShowUtc(int year, int month, int day, int hour, int minute, int second);

// "N/A" from 99.9 up and below 0 (the no-value mark), else "%4.1f". The single-precision value
// is widened before the comparison, so a stored 99.9 is already "N/A".
std::string ShowHdop(float hdop);

// Mode 2 or 3: "2D"/"3D" and the GSA's HDOP; any other mode: "Lost" and no HDOP.
FixModeTexts ShowFixMode(int fixMode, float hdop);

// The own ship's position, speed and course (degrees, knots; single precision as stored).
// SOG "N/A" below 0 and above 102.2 (102.3 is the AIS no-value); COG "N/A" below 0 and from
// 360 up. A coordinate outside the globe (the AIS no-value 181 / 91) shows "N/A" as well.
PositionTexts ShowPositionAndMotion(float longitude, float latitude, float sog, float cog);

SatelliteCountTexts ShowSatelliteCounts(int usedCount, int viewCount);

} // namespace m47::diagnostics
