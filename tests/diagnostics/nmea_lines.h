#pragma once
// Received lines for the diagnostics tests: a sentence text completed with its checksum and
// CR LF, and builders of the GNSS sentences the GPS page collects.
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace diagtest {

// "$GPGGA,..." or "!AIVDM,..." without "*hh": the line as the device sends it.
inline std::string Line(std::string_view sentence)
{
    unsigned sum = 0;
    for (char c : sentence.substr(1))
        sum ^= static_cast<unsigned char>(c);
    char tail[8];
    std::snprintf(tail, sizeof tail, "*%02X\r\n", sum);
    return std::string(sentence) + tail;
}

struct Satellite {
    int id;
    int elevation;
    int azimuth;
    int snr; // negative: the field is empty (in view, not tracked)
};

// One GSV sentence with up to four satellites.
inline std::string Gsv(const std::vector<Satellite>& satellites, int inView = 12)
{
    std::string s = "$GPGSV,3,1," + std::to_string(inView);
    char block[32];
    for (const Satellite& sat : satellites) {
        std::snprintf(block, sizeof block, ",%02d,%02d,%03d,", sat.id, sat.elevation, sat.azimuth);
        s += block;
        if (sat.snr >= 0)
            s += std::to_string(sat.snr);
    }
    return Line(s);
}

// GSV sentences for any number of satellites, four to a sentence.
inline std::vector<std::string> GsvSeries(const std::vector<Satellite>& satellites)
{
    std::vector<std::string> lines;
    for (std::size_t i = 0; i < satellites.size(); i += 4) {
        const auto end = satellites.begin() + static_cast<std::ptrdiff_t>(std::min(i + 4, satellites.size()));
        lines.push_back(Gsv({satellites.begin() + static_cast<std::ptrdiff_t>(i), end}));
    }
    return lines;
}

// A GSA of `talker` with the ids used in the fix filled from the first of its 12 slots.
inline std::string Gsa(int fixMode, const std::vector<int>& used, const char* hdop = "1.2",
                       const char* talker = "GP")
{
    std::string s = std::string("$") + talker + "GSA,A," + std::to_string(fixMode);
    for (std::size_t slot = 0; slot < 12; ++slot) {
        s += ',';
        if (slot < used.size()) {
            char id[8];
            std::snprintf(id, sizeof id, "%02d", used[slot]);
            s += id;
        }
    }
    return Line(s + ",2.5," + hdop + ",2.1");
}

// The position-group sentences of a receiver with a fix, from a real capture.
inline const std::string kRmc = Line("$GPRMC,130711.00,A,5012.790800,N,00806.879600,W,0.5,3.0,010611,,A");
inline const std::string kVtg = Line("$GPVTG,3.0,T,,,0.50,N,,,D");
inline const std::string kGga = Line("$GPGGA,130711,5012.790800,N,00806.879600,W,2,08,1.1,45.0,M,52.0,M,,");
inline const std::string kGll = Line("$GPGLL,5012.790800,N,00806.879600,W,130711,A,D");
inline const std::string kGbs = Line("$GPGBS,015509.00,-0.031,-0.186,0.219,19,0.000,-0.354,6.972");
inline const std::string kZda = Line("$GPZDA,130711,01,06,2011,01,00");

// AIS: the receiver's own ship (VDO) and a report from another vessel (VDM) on a channel.
inline const std::string kOwnShipVdo = Line("!AIVDO,1,1,,B,13`kvwO005wJnb0Lfo:@7P8F05`L,0");
inline std::string Vdm(std::string_view channel)
{
    return Line("!AIVDM,1,1,," + std::string(channel) + ",13aGhtw0R<OJf=6LgQ?Ad1FF05`L,0");
}
// A static report in two sentences.
inline const std::string kTwoPartFirst =
    Line("!AIVDM,2,1,1,A,55?MbV02;H;s<HtKR20EHE:0@T4@Dn2222222216L961O5Gf0NSQEp6ClRp8,0");
inline const std::string kTwoPartSecond = Line("!AIVDM,2,2,1,A,88888888880,2");

} // namespace diagtest
