#include "diagnostics/reception_texts.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>

namespace m47::diagnostics {

namespace {

constexpr double kMissing = -1.0;

struct ColumnInfo {
    const char* title;
    bool text;
};
constexpr std::array<ColumnInfo, kTargetColumns> kColumns = {{
    {"MMSI", false},
    {"Name", true},
    {"Call sign", true},
    {"Kind", true},
    {"A", false},
    {"B", false},
    {"Last heard (s)", false},
    {"SOG (kn)", false},
    {"COG", false},
    {"NM", false},
    {"Bearing", false},
}};

// The CSV file's header names the two message columns and the units in full.
constexpr std::array<const char*, kTargetColumns> kCsvTitles = {
    "MMSI", "Name", "Call sign", "Kind", "Messages A", "Messages B", "Last heard (s)",
    "SOG (kn)", "COG (deg)", "Distance (NM)", "Bearing (deg)"};

std::string Fixed(double value, int decimals)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    return text;
}

std::string Optional(const std::optional<double>& value, int decimals)
{
    return value ? Fixed(*value, decimals) : std::string();
}

std::string Lower(std::string_view text)
{
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); });
    return lower;
}

std::string Quoted(const std::string& text)
{
    std::string quoted = "\"";
    for (const char c : text)
        quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
    return quoted + "\"";
}

// A hemisphere-lettered coordinate, "25.0415 N".
std::string Coordinate(double value, char positive, char negative)
{
    return Fixed(std::fabs(value), 4) + ' ' + (value >= 0.0 ? positive : negative);
}

} // namespace

const char* TargetColumnTitle(TargetColumn column)
{
    return kColumns[static_cast<std::size_t>(column)].title;
}

bool IsTextColumn(TargetColumn column)
{
    return kColumns[static_cast<std::size_t>(column)].text;
}

const char* TargetKindText(nmea::TargetKind kind)
{
    switch (kind) {
    case nmea::TargetKind::BaseStation: return "Base station";
    case nmea::TargetKind::SarAircraft: return "SAR aircraft";
    case nmea::TargetKind::AidToNavigation: return "Aid to navigation";
    case nmea::TargetKind::ClassA: return "Class A";
    case nmea::TargetKind::ClassB: return "Class B";
    case nmea::TargetKind::Free: break;
    }
    return "";
}

double TargetSortValue(const TargetRow& row, TargetColumn column)
{
    const auto optional = [](const auto& value) { return value ? static_cast<double>(*value) : kMissing; };
    switch (column) {
    case TargetColumn::Mmsi: return row.mmsi;
    case TargetColumn::MessagesA: return row.messages[static_cast<std::size_t>(AisChannel::A)];
    case TargetColumn::MessagesB: return row.messages[static_cast<std::size_t>(AisChannel::B)];
    case TargetColumn::LastHeard: return optional(row.lastHeardAge);
    case TargetColumn::Sog: return optional(row.sog);
    case TargetColumn::Cog: return optional(row.cog);
    case TargetColumn::Distance: return row.range ? row.range->distanceNm : kMissing;
    case TargetColumn::Bearing: return row.range ? row.range->bearingDegrees : kMissing;
    case TargetColumn::Name:
    case TargetColumn::CallSign:
    case TargetColumn::Kind: break;
    }
    return kMissing;
}

std::string TargetCell(const TargetRow& row, TargetColumn column)
{
    switch (column) {
    case TargetColumn::Name: return row.name;
    case TargetColumn::CallSign: return row.callSign;
    case TargetColumn::Kind: return TargetKindText(row.kind);
    case TargetColumn::Sog: return Optional(row.sog, 1);
    case TargetColumn::Cog: return Optional(row.cog, 1);
    case TargetColumn::Distance: return row.range ? Fixed(row.range->distanceNm, 1) : std::string();
    case TargetColumn::Bearing: return row.range ? Fixed(row.range->bearingDegrees, 0) : std::string();
    case TargetColumn::LastHeard:
        return row.lastHeardAge ? std::to_string(*row.lastHeardAge) : std::string();
    case TargetColumn::Mmsi:
    case TargetColumn::MessagesA:
    case TargetColumn::MessagesB: break;
    }
    return std::to_string(static_cast<std::uint64_t>(TargetSortValue(row, column)));
}

bool MatchesTargetFilter(const TargetRow& row, std::string_view filter)
{
    if (filter.empty())
        return true;
    const std::string wanted = Lower(filter);
    return std::to_string(row.mmsi).find(wanted) != std::string::npos ||
           Lower(row.name).find(wanted) != std::string::npos;
}

std::string TargetsCsv(const std::vector<TargetRow>& rows)
{
    std::string csv;
    for (std::size_t column = 0; column < kCsvTitles.size(); ++column)
        csv += std::string(column ? "," : "") + kCsvTitles[column];
    csv += "\r\n";
    for (const TargetRow& row : rows) {
        for (int column = 0; column < kTargetColumns; ++column) {
            const auto which = static_cast<TargetColumn>(column);
            const std::string cell = TargetCell(row, which);
            csv += std::string(column ? "," : "") + (IsTextColumn(which) ? Quoted(cell) : cell);
        }
        csv += "\r\n";
    }
    return csv;
}

std::string OwnShipText(const OwnShipFix& own)
{
    if (own.source == OwnShipFix::Source::None)
        return "Own ship: no position";
    return "Own ship: " + Coordinate(own.position.latitude, 'N', 'S') + ' ' +
           Coordinate(own.position.longitude, 'E', 'W') +
           (own.source == OwnShipFix::Source::Vdo ? " (VDO)" : " (GNSS)");
}

std::string ReachText(const SectorReach& reach)
{
    if (reach.mmsi == 0)
        return "---";
    return Fixed(reach.distanceNm, 1) + " NM  " + std::to_string(reach.mmsi);
}

std::string CountText(std::uint64_t count, std::uint64_t whole)
{
    const double percent = whole == 0 ? 0.0 : 100.0 * static_cast<double>(count) / static_cast<double>(whole);
    return std::to_string(count) + " (" + Fixed(percent, 1) + " %)";
}

const char* IntegrityRowTitle(std::size_t row)
{
    static constexpr std::array<const char*, kIntegrityRows> kTitles = {
        "Lines received", "Accepted", "Failed checksum", "Not a sentence",
        "Too long (over 82)", "Rejected", "Incomplete messages"};
    return row < kTitles.size() ? kTitles[row] : "";
}

std::array<std::string, kIntegrityRows> IntegrityTexts(const IntegrityCounts& counts)
{
    std::array<std::string, kIntegrityRows> texts;
    const std::uint64_t received = counts.Received();
    texts[0] = std::to_string(received);
    for (std::size_t verdict = 0; verdict < kLineVerdicts; ++verdict)
        texts[1 + verdict] = CountText(counts.lines[verdict], received);
    texts.back() = CountText(counts.incompleteMessages, counts.multiSentenceMessages);
    return texts;
}

std::string TypesText(const std::array<std::uint32_t, kAisMessageTypes>& types)
{
    std::string text;
    for (std::size_t type = 1; type < types.size(); ++type) {
        if (types[type] == 0)
            continue;
        text += (text.empty() ? "" : "  ") + std::to_string(type) + ": " + std::to_string(types[type]);
    }
    return text.empty() ? "---" : text;
}

} // namespace m47::diagnostics
