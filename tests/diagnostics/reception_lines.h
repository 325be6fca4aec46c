#pragma once
// AIS lines for the RECEPTION tests, made by the virtual device's encoder (checked bit for bit
// against real receivers' payloads in its own tests).
#include "ais_messages.h"

#include "diagnostics/gps_status_panel.h"
#include "diagnostics/reception_stats.h"
#include "nmea/sentence_library.h"

#include <memory>
#include <string>
#include <vector>

namespace receptiontest {

// A class A position report at `latitude`, `longitude` on `channel` ("!AIVDM", or "!AIVDO" for
// the own ship).
inline std::string PositionLine(std::uint32_t mmsi, double latitude, double longitude, char channel = 'A',
                                const char* formatter = "VDM")
{
    m47sim::PositionReportA report;
    report.mmsi = mmsi;
    report.speed = 123;
    report.course = 2000;
    report.latitude = m47sim::AisAngle(latitude);
    report.longitude = m47sim::AisAngle(longitude);
    return m47sim::EncapsulateAis(formatter, channel, 0, m47sim::EncodeAis(report)).front();
}

// The two sentences of a type 5 with `name`.
inline std::vector<std::string> StaticLines(std::uint32_t mmsi, const std::string& name, int sequenceId = 1)
{
    m47sim::StaticVoyageData data;
    data.mmsi = mmsi;
    data.name = name;
    data.callSign = "PDAB";
    return m47sim::EncapsulateAis("VDM", 'B', sequenceId, m47sim::EncodeAis(data));
}

// The receive path's view of the page: the library, the GPS page's panel that runs each line
// through it, and the reception counting right after, on a clock the test sets.
struct Receiver {
    std::unique_ptr<nmea::SentenceLibrary> library = std::make_unique<nmea::SentenceLibrary>();
    m47::diagnostics::GpsStatusPanel panel{*library};
    std::int64_t now = 1000;
    m47::diagnostics::ReceptionStats stats{[this] { return now; }};

    void Feed(const std::string& line)
    {
        const bool accepted = panel.UpdateGpsStatus(line).accepted;
        stats.CountLine(line, accepted, *library);
    }
    m47::diagnostics::ReceptionView View() const
    {
        m47::diagnostics::ReceptionView view;
        stats.FillView(*library, view);
        return view;
    }
};

} // namespace receptiontest
