#include "diagnostics/gnss_texts.h"

#include "diagnostics/lat_lon_format.h"

#include <cmath>
#include <cstdio>

namespace m47::diagnostics {

namespace {

// A coordinate only where the globe has one; the AIS marks its absence with 181 and 91.
std::string CoordinateText(double value, double limit, char positive, char negative)
{
    if (!(std::fabs(value) <= limit))
        return "N/A";
    return FormatCoordinate(value, positive, negative);
}

} // namespace

UtcTexts ShowUtc(int year, int month, int day, int hour, int minute, int second)
{
    char date[24];
    char time[24];
    std::snprintf(date, sizeof date, "%04d/%02d/%02d", year, month, day);
    std::snprintf(time, sizeof time, "%02d:%02d:%02d", hour, minute, second);
    return {date, time};
}

std::string ShowHdop(float hdop)
{
    const double value = hdop;
    if (!(value >= 0.0 && value < 99.9))
        return "N/A";
    char text[16];
    std::snprintf(text, sizeof text, "%4.1f", value);
    return text;
}

FixModeTexts ShowFixMode(int fixMode, float hdop)
{
    if (fixMode != 2 && fixMode != 3)
        return {"Lost", ShowHdop(99.9f)};
    char text[8];
    std::snprintf(text, sizeof text, "%dD", fixMode);
    return {text, ShowHdop(hdop)};
}

PositionTexts ShowPositionAndMotion(float longitude, float latitude, float sog, float cog)
{
    PositionTexts texts;
    texts.longitude = CoordinateText(longitude, 180.0, 'E', 'W');
    texts.latitude = CoordinateText(latitude, 90.0, 'N', 'S');

    const double speed = sog;
    const double course = cog;
    char text[32];
    if (speed >= 0.0 && speed <= 102.2) {
        std::snprintf(text, sizeof text, "%5.2f Kn", speed);
        texts.sog = text;
    } else {
        texts.sog = "N/A";
    }
    if (course >= 0.0 && course < 360.0) {
        std::snprintf(text, sizeof text, "%5.1f%s", course, kDegreeSign);
        texts.cog = text;
    } else {
        texts.cog = "N/A";
    }
    return texts;
}

SatelliteCountTexts ShowSatelliteCounts(int usedCount, int viewCount)
{
    return {std::to_string(viewCount), std::to_string(usedCount)};
}

} // namespace m47::diagnostics
