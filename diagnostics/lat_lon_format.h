#pragma once
// Degrees and decimal minutes of a position, as the GPS STATUS page shows it.
//
//   latitude 25.5        ->  " 25°30.0000'N"
//   longitude -121.25    ->  "121°15.0000'W"
//   latitude -0.5        ->  "  0°30.0000'S"
//            ^^^ three-wide whole degrees, minutes truncated to 1/10000 (never rounded)
//
// Texts are UTF-8: the degree sign U+00B0 is the two bytes C2 B0, everything else is ASCII, so
// the window hands them to QString::fromUtf8.

#include <string>

namespace m47::diagnostics {

inline constexpr const char* kDegreeSign = "\xC2\xB0";

struct LatLonTexts {
    std::string longitude;
    std::string latitude;
};

// One coordinate, `positive`/`negative` being the hemisphere letters ('E'/'W' or 'N'/'S').
// A value that is not finite or lies beyond +-999 degrees has no such text and gives "N/A".
std::string FormatCoordinate(double value, char positive, char negative);

// Both coordinates; single-precision values are widened to double first.
LatLonTexts FormatLatLon(double longitude, double latitude);

} // namespace m47::diagnostics
