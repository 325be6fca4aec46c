#include "diagnostics/lat_lon_format.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace m47::diagnostics {

std::string FormatCoordinate(double value, char positive, char negative)
{
    // Beyond three digits the degree field would widen; the truncations below stay defined.
    if (!std::isfinite(value) || std::fabs(value) > 999.0)
        return "N/A";
    const int degrees = static_cast<int>(value); // toward zero
    const double minutes = std::fabs(value - degrees) * 60.0;
    const int wholeMinutes = static_cast<int>(minutes);
    const int tenThousandths = static_cast<int>((minutes - wholeMinutes) * 10000.0);
    char text[32];
    std::snprintf(text, sizeof text, "%3d%s%02d.%04d'%c", std::abs(degrees), kDegreeSign, wholeMinutes,
                  tenThousandths, value >= 0.0 ? positive : negative);
    return text;
}

LatLonTexts FormatLatLon(double longitude, double latitude)
{
    return {FormatCoordinate(longitude, 'E', 'W'), FormatCoordinate(latitude, 'N', 'S')};
}

} // namespace m47::diagnostics
