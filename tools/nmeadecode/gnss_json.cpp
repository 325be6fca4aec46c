#include "gnss_json.h"

#include <cstddef>
#include <string_view>

namespace {

// A one-character field; 0 (never written) gives an empty text.
void Char(JsonWriter& out, std::string_view key, char c)
{
    out.String(key, c == '\0' ? std::string_view() : std::string_view(&c, 1));
}

template <typename T, std::size_t N>
void Array(JsonWriter& out, std::string_view key, const T (&values)[N])
{
    out.BeginArray(key);
    for (const T v : values)
        out.Element(static_cast<std::int64_t>(v));
    out.EndArray();
}

} // namespace

void WriteGnssRecord(JsonWriter& out, const nmea::GnssRecord& g)
{
    out.BeginObject("gnss");
    out.UInt("talker", g.talker);
    out.UInt("utc_hour", g.utcHour);
    out.UInt("utc_minute", g.utcMinute);
    out.UInt("utc_second", g.utcSecond);
    out.UInt("utc_hundredths", g.utcHundredths);
    out.Float("lat", g.latitude);
    out.Float("lon", g.longitude);
    out.Int("gga_quality", g.ggaQuality);
    Char(out, "gsa_selection_mode", g.gsaSelectionMode);
    out.Int("fix_mode", g.fixMode);
    out.Float("geoid_separation", g.geoidalSeparation);
    out.Int("utc_year", g.utcYear);
    out.Int("utc_month", g.utcMonth);
    out.Int("utc_day", g.utcDay);
    Char(out, "mode_indicator", g.modeIndicator);
    Char(out, "status", g.status);
    out.Float("course_true", g.courseTrue);
    out.Float("course_magnetic", g.courseMagnetic);
    out.Float("speed_knots", g.speedKnots);
    out.Float("speed_kmh", g.speedKmh);
    out.Int("satellites_used", g.satellitesUsed);
    out.UInt("gga_arrived", g.ggaArrived);
    Array(out, "used_prn", g.usedPrn);
    out.Float("pdop", g.pdop);
    out.Float("hdop", g.hdop);
    out.Float("vdop", g.vdop);
    out.Int("satellites_in_view", g.satellitesInView);
    out.Int("gsv_sentence_count", g.gsvSentenceCount);
    out.Int("gsv_sentence_number", g.gsvSentenceNumber);
    out.UInt("gsv_satellites", g.gsvSatellites);
    Array(out, "prn", g.prn);
    Array(out, "elevation", g.elevation);
    Array(out, "azimuth", g.azimuth);
    Array(out, "snr", g.snr);
    out.Float("gbs_error_lat", g.gbsErrorLatitude);
    out.Float("gbs_error_lon", g.gbsErrorLongitude);
    out.Float("gbs_error_alt", g.gbsErrorAltitude);
    out.UInt("gbs_failed_satellite", g.gbsFailedSatellite);
    out.Float("gbs_probability", g.gbsProbability);
    out.Float("gbs_bias", g.gbsBias);
    out.Float("gbs_bias_stddev", g.gbsBiasStdDev);
    out.UInt("time_valid", g.timeValid);
    out.UInt("position_valid", g.positionValid);
    out.UInt("course_valid", g.courseValid);
    out.UInt("gbs_valid", g.gbsValid);
    out.Text("last_formatter", g.lastFormatter, sizeof g.lastFormatter);
    out.EndObject();
}
