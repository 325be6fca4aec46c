#include "gnss_sentences.h"

#include "sentence.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace m47sim {

namespace {

constexpr double kKmPerNauticalMile = 1.852;
constexpr int kSatellitesPerGsv = 4;
constexpr int kGsaSlots = 12;

// "ddmm.mmmm,N" or "dddmm.mmmm,E": whole degrees, then minutes with four decimals.
std::string Coordinate(double value, int degreeDigits, char positive, char negative)
{
    const double magnitude = std::fabs(value);
    long tenThousandths = std::lround(magnitude * 600000.0); // 1/10000 minute
    const long degrees = tenThousandths / 600000;
    tenThousandths -= degrees * 600000;
    char text[32];
    std::snprintf(text, sizeof text, "%0*ld%02ld.%04ld,%c", degreeDigits, degrees, tenThousandths / 10000,
                  tenThousandths % 10000, value < 0 ? negative : positive);
    return text;
}

std::string Time(const UtcTime& t)
{
    char text[16];
    std::snprintf(text, sizeof text, "%02d%02d%02d.%02d", t.hour, t.minute, t.second, t.centisecond);
    return text;
}

std::string Decimal(double value, int decimals)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    return text;
}

const char* GsvTalker(Constellation system)
{
    return system == Constellation::Gps ? "GP" : "GL";
}

std::vector<SatelliteView> OfSystem(const std::vector<SatelliteView>& all, Constellation system)
{
    std::vector<SatelliteView> some;
    for (const auto& sat : all)
        if (sat.system == system)
            some.push_back(sat);
    return some;
}

int UsedCount(const std::vector<SatelliteView>& sats)
{
    int count = 0;
    for (const auto& sat : sats)
        count += sat.used ? 1 : 0;
    return count;
}

std::string Gsa(const std::string& talker, const GnssEpoch& epoch, const std::vector<SatelliteView>& sats)
{
    std::string body = talker + "GSA,A," + (epoch.fix ? "3" : "1");
    int slots = 0;
    for (const auto& sat : sats) {
        if (epoch.fix && sat.used && slots < kGsaSlots) {
            char id[16];
            std::snprintf(id, sizeof id, ",%02d", sat.id);
            body += id;
            ++slots;
        }
    }
    for (; slots < kGsaSlots; ++slots)
        body += ',';
    body += epoch.fix ? ",1.6,0.9,1.3" : ",,,";
    return FrameSentence('$', body);
}

void AppendGsv(std::vector<std::string>& out, Constellation system, const std::vector<SatelliteView>& sats)
{
    const int inView = static_cast<int>(sats.size());
    const int total = inView == 0 ? 1 : (inView + kSatellitesPerGsv - 1) / kSatellitesPerGsv;
    for (int number = 1; number <= total; ++number) {
        char head[32];
        std::snprintf(head, sizeof head, "%sGSV,%d,%d,%02d", GsvTalker(system), total, number, inView);
        std::string body = head;
        for (int i = (number - 1) * kSatellitesPerGsv; i < inView && i < number * kSatellitesPerGsv; ++i) {
            const auto& sat = sats[static_cast<size_t>(i)];
            char block[32];
            std::snprintf(block, sizeof block, ",%02d,%02d,%03d,", sat.id, sat.elevation, sat.azimuth);
            body += block;
            if (sat.snr) {
                char snr[16];
                std::snprintf(snr, sizeof snr, "%02d", *sat.snr);
                body += snr;
            }
        }
        out.push_back(FrameSentence('$', body));
    }
}

} // namespace

std::vector<std::string> GnssCycle(const GnssEpoch& epoch)
{
    const auto gps = OfSystem(epoch.satellites, Constellation::Gps);
    const auto glonass = OfSystem(epoch.satellites, Constellation::Glonass);
    const std::string talker = glonass.empty() ? "GP" : "GN";
    const std::string time = Time(epoch.utc);
    const std::string lat = epoch.fix ? Coordinate(epoch.own.latitude, 2, 'N', 'S') : ",";
    const std::string lon = epoch.fix ? Coordinate(epoch.own.longitude, 3, 'E', 'W') : ",";
    const std::string sog = epoch.fix ? Decimal(epoch.own.speed, 1) : "";
    const std::string cog = epoch.fix ? Decimal(epoch.own.course, 1) : "";
    const std::string kmh = epoch.fix ? Decimal(epoch.own.speed * kKmPerNauticalMile, 1) : "";
    const std::string mode = epoch.fix ? "A" : "N";
    char date[32];
    std::snprintf(date, sizeof date, "%02d%02d%02d", epoch.utc.day, epoch.utc.month, epoch.utc.year % 100);
    const int used = epoch.fix ? UsedCount(epoch.satellites) : 0;
    char usedText[16];
    std::snprintf(usedText, sizeof usedText, "%02d", used > 12 ? 12 : used);

    std::vector<std::string> out;
    out.push_back(FrameSentence('$', talker + "RMC," + time + ',' + (epoch.fix ? "A" : "V") + ',' + lat +
                                         ',' + lon + ',' + sog + ',' + cog + ',' + date + ",,," + mode));
    out.push_back(FrameSentence('$', talker + "VTG," + cog + ",T,,M," + sog + ",N," + kmh + ",K," + mode));
    out.push_back(FrameSentence('$', talker + "GGA," + time + ',' + lat + ',' + lon + ',' +
                                         (epoch.fix ? "1" : "0") + ',' + usedText + ',' +
                                         (epoch.fix ? "0.9" : "") + ',' +
                                         (epoch.fix ? Decimal(epoch.altitude, 1) : "") + ",M,17.0,M,,"));
    out.push_back(Gsa(talker, epoch, gps));
    if (!glonass.empty())
        out.push_back(Gsa(talker, epoch, glonass));
    AppendGsv(out, Constellation::Gps, gps);
    if (!glonass.empty())
        AppendGsv(out, Constellation::Glonass, glonass);
    out.push_back(FrameSentence('$', talker + "GLL," + lat + ',' + lon + ',' + time + ',' +
                                         (epoch.fix ? "A" : "V") + ',' + mode));
    char zda[48];
    std::snprintf(zda, sizeof zda, "ZDA,%s,%02d,%02d,%04d,00,00", time.c_str(), epoch.utc.day,
                  epoch.utc.month, epoch.utc.year);
    out.push_back(FrameSentence('$', talker + zda));
    return out;
}

} // namespace m47sim
