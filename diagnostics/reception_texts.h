#pragma once
// The RECEPTION page's texts: the cells of "Targets heard", its filter and CSV file, and the
// figures beside the coverage plot and in the line integrity rows.
//
//   MMSI       Name           Call sign  Kind     A   B   Last heard  SOG   COG    NM    Bearing
//   244123456  NORDIC TRADER  PDAB       Class A  31  29  2           14.2  200.0  12.4  231
//
//   CSV: MMSI,Name,Call sign,Kind,Messages A,Messages B,Last heard (s),SOG (kn),COG (deg),
//        Distance (NM),Bearing (deg) CR LF, then one line per target; texts in double quotes.

#include "diagnostics/reception_stats.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace m47::diagnostics {

// Columns of "Targets heard", in order.
enum class TargetColumn : int {
    Mmsi,
    Name,
    CallSign,
    Kind,
    MessagesA,
    MessagesB,
    LastHeard,
    Sog,
    Cog,
    Distance,
    Bearing,
};
inline constexpr int kTargetColumns = 11;
const char* TargetColumnTitle(TargetColumn column);

const char* TargetKindText(nmea::TargetKind kind);

// The cell's text; "" for a value not known (no position, never heard, not reported).
std::string TargetCell(const TargetRow& row, TargetColumn column);
// Name, call sign and kind sort by their text; the other columns by TargetSortValue, where a
// missing value (-1) sorts before every real one.
bool IsTextColumn(TargetColumn column);
double TargetSortValue(const TargetRow& row, TargetColumn column);

// The filter box: MMSI digits or part of the name, case ignored; an empty filter passes all.
bool MatchesTargetFilter(const TargetRow& row, std::string_view filter);

std::string TargetsCsv(const std::vector<TargetRow>& rows);

// "Own ship: 25.0415 N 121.7622 E (VDO)", "... (GNSS)" or "Own ship: no position".
std::string OwnShipText(const OwnShipFix& own);
// "38.2 NM  244123456", or "---" when nothing was heard with a position.
std::string ReachText(const SectorReach& reach);

// One line integrity row: the count and its share, "1234 (5.6 %)".
std::string CountText(std::uint64_t count, std::uint64_t whole);

// The line integrity rows: lines received, then each verdict's count and share of them, then
// the incomplete messages and their share of the multi-sentence messages begun.
inline constexpr std::size_t kIntegrityRows = 2 + kLineVerdicts;
const char* IntegrityRowTitle(std::size_t row);
std::array<std::string, kIntegrityRows> IntegrityTexts(const IntegrityCounts& counts);

// The messages per AIS type in the minute in progress, "1: 52  3: 9  5: 4", types in order.
std::string TypesText(const std::array<std::uint32_t, kAisMessageTypes>& types);

} // namespace m47::diagnostics
