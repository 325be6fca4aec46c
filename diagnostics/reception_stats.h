#pragma once
// The RECEPTION page's counting: who is heard, how far, how often, and how clean the line is.
// The GPS page's panel runs every dispatched line through the sentence library; right after it,
// the line and whether the library accepted it come here once. Lines the receive path drops as
// too long before any consumer come in through CountDroppedLine. The page asks for a View at
// its own pace.
//
//   !AIVDM,1,1,,B,13u?etPv2;0n:dDPwUM1U1Cb069D,0*23   accepted, sender's entry 17, type 1,
//                                                      channel B, 12.4 NM at 231 degrees
//
// Everything is bounded: one record per entry of the library's 2250-entry table, 60 minute
// buckets, and the last bad line cut to a hundred characters.

#include "diagnostics/reception_geometry.h"
#include "diagnostics/reception_line_integrity.h"
#include "diagnostics/reception_minutes.h"
#include "diagnostics/reception_targets.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace nmea {
class SentenceLibrary;
}

namespace m47::diagnostics {

// Seconds of a steady clock; tests give their own.
using ReceptionClock = std::function<std::int64_t()>;
std::int64_t SteadySeconds();

// Where distances are measured from: the own ship's VDO report (table entry 0), else the
// latest GNSS position, else nowhere.
struct OwnShipFix {
    enum class Source { None, Vdo, Gnss };
    Source source = Source::None;
    GeoPosition position;
};
OwnShipFix OwnShipPosition(const nmea::SentenceLibrary& library);

// One row of "Targets heard".
struct TargetRow {
    std::size_t index = 0; // entry of the library's table
    std::uint32_t mmsi = 0;
    std::string name;     // six-bit text without its "@" padding and trailing blanks
    std::string callSign; // the same
    nmea::TargetKind kind = nmea::TargetKind::Free;
    std::array<std::uint32_t, kAisChannels> messages{};
    std::optional<std::int64_t> lastHeardAge; // seconds
    std::optional<std::int64_t> firstHeardAge;
    std::optional<double> sog; // knots
    std::optional<double> cog; // degrees
    std::optional<RangeBearing> range;
    AisChannel lastChannel = AisChannel::A;
};

struct ReceptionView {
    OwnShipFix ownShip;
    std::vector<TargetRow> targets; // in table order
    SectorOutline sectors{};        // farthest current target per 30-degree sector
    double farthestNm = 0.0;        // of the targets now in the table
    FarthestReception lastHour;
    std::array<std::array<std::uint32_t, kRateMinutes>, kAisChannels> perMinute{};
    std::array<std::uint32_t, kAisMessageTypes> typesThisMinute{};
    IntegrityCounts sinceConnect;
    IntegrityCounts sinceRefresh;
    std::string lastBadLine;
};

class ReceptionStats
{
public:
    explicit ReceptionStats(ReceptionClock clock = SteadySeconds);

    // A dispatched line (with its CR LF) right after the library ran it; `accepted` is the
    // library's answer.
    void CountLine(std::string_view line, bool accepted, const nmea::SentenceLibrary& library);
    // A line longer than the receive path dispatches (its text without CR LF).
    void CountDroppedLine(std::string_view text);

    void Connected(); // a new connection: the line counts since connect start again
    void Refresh();   // the page's Refresh: the line counts since Refresh start again

    // The page's figures now; `view` is filled in place so a refresh reuses its rows.
    void FillView(const nmea::SentenceLibrary& library, ReceptionView& view) const;

private:
    void CountMessage(const nmea::SentenceLibrary& library, std::int64_t now);

    ReceptionClock clock_;
    FragmentWatch fragments_;
    LineIntegrity integrity_;
    MinuteBuckets minutes_;
    TargetsHeard heard_;
};

} // namespace m47::diagnostics
