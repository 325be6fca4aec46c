#include "diagnostics/reception_stats.h"

#include "nmea/sentence_library.h"
#include "nmea/sentence_parser.h"

#include <algorithm>
#include <chrono>
#include <cstring>

namespace m47::diagnostics {

namespace {

// AIS marks a speed of 102.3 knots and a course of 360 degrees or more as not available.
constexpr double kSogNotAvailable = 102.25;
constexpr double kCogNotAvailable = 360.0;

template <std::size_t N>
std::string SixBitText(const std::array<char, N>& text)
{
    std::string_view shown(text.data(), strnlen(text.data(), N));
    while (!shown.empty() && (shown.back() == '@' || shown.back() == ' '))
        shown.remove_suffix(1);
    return std::string(shown);
}

bool Moves(nmea::TargetKind kind)
{
    return kind == nmea::TargetKind::ClassA || kind == nmea::TargetKind::ClassB ||
           kind == nmea::TargetKind::SarAircraft;
}

std::optional<RangeBearing> RangeFrom(const OwnShipFix& own, const nmea::AisTarget& target)
{
    const auto position = AvailablePosition(target.latitude, target.longitude);
    if (own.source == OwnShipFix::Source::None || !position)
        return std::nullopt;
    return GreatCircle(own.position, *position);
}

void FillRow(TargetRow& row, std::size_t index, const nmea::AisTarget& target, const TargetHeard* heard,
             const OwnShipFix& own, std::int64_t now)
{
    row.index = index;
    row.mmsi = target.mmsi;
    row.name = SixBitText(target.name);
    row.callSign = SixBitText(target.callSign);
    row.kind = target.kind;
    row.messages = heard ? heard->messages : std::array<std::uint32_t, kAisChannels>{};
    row.lastHeardAge = heard ? std::optional(now - heard->lastHeard) : std::nullopt;
    row.firstHeardAge = heard ? std::optional(now - heard->firstHeard) : std::nullopt;
    row.lastChannel = heard ? heard->lastChannel : AisChannel::A;
    const bool moves = Moves(target.kind);
    row.sog = moves && target.sog >= 0.0f && target.sog < kSogNotAvailable ? std::optional<double>(target.sog)
                                                                          : std::nullopt;
    row.cog = moves && target.cog >= 0.0f && target.cog < kCogNotAvailable ? std::optional<double>(target.cog)
                                                                          : std::nullopt;
    row.range = RangeFrom(own, target);
}

} // namespace

std::int64_t SteadySeconds()
{
    const auto since = std::chrono::steady_clock::now().time_since_epoch();
    return std::chrono::duration_cast<std::chrono::seconds>(since).count();
}

OwnShipFix OwnShipPosition(const nmea::SentenceLibrary& library)
{
    const nmea::AisTarget& own = library.ais.targets.entries[nmea::kOwnShipIndex];
    if (own.vdoCount > 0) {
        if (const auto position = AvailablePosition(own.latitude, own.longitude))
            return OwnShipFix{OwnShipFix::Source::Vdo, *position};
    }
    const nmea::GnssRecord& gnss = library.latest.gnss;
    if (gnss.positionValid) {
        if (const auto position = AvailablePosition(gnss.latitude, gnss.longitude))
            return OwnShipFix{OwnShipFix::Source::Gnss, *position};
    }
    return OwnShipFix{};
}

ReceptionStats::ReceptionStats(ReceptionClock clock) : clock_(std::move(clock)) {}

void ReceptionStats::CountLine(std::string_view line, bool accepted, const nmea::SentenceLibrary& library)
{
    const FragmentWatch::Change change = fragments_.After(library);
    integrity_.Count(JudgeLine(line, accepted, change.fragmentHeld), line);
    integrity_.CountFragments(change);
    if (accepted && library.record.start == '!')
        CountMessage(library, clock_());
}

void ReceptionStats::CountDroppedLine(std::string_view text)
{
    integrity_.Count(LineVerdict::TooLong, text);
}

// A decoded AIS message from another station (the own ship's VDO is not reception), counted on
// its channel as the system check counts it: "A", or B for "B" and any other character.
void ReceptionStats::CountMessage(const nmea::SentenceLibrary& library, std::int64_t now)
{
    const nmea::SentenceRecord& record = library.record;
    if (std::memcmp(record.formatter, "VDO", sizeof record.formatter) == 0)
        return;
    const nmea::EncapsulatedFields* fragment = nmea::EncapsulatedOf(record);
    const std::int32_t index = library.ais.targets.LastTargetIndex;
    if (fragment == nullptr || index <= 0)
        return;
    const auto entry = static_cast<std::size_t>(index);
    const nmea::AisTarget& target = library.ais.targets.entries[entry];
    const AisChannel channel = fragment->channel == 'A' ? AisChannel::A : AisChannel::B;
    heard_.Heard(entry, target.mmsi, channel, now);
    const auto range = RangeFrom(OwnShipPosition(library), target);
    minutes_.Add(now, channel, library.ais.message.Id(), target.mmsi,
                 range ? std::optional(range->distanceNm) : std::nullopt);
}

void ReceptionStats::Connected()
{
    integrity_.Connected();
}

void ReceptionStats::Refresh()
{
    integrity_.Refresh();
}

void ReceptionStats::FillView(const nmea::SentenceLibrary& library, ReceptionView& view) const
{
    const std::int64_t now = clock_();
    const nmea::AisTargetTable& table = library.ais.targets;
    view.ownShip = OwnShipPosition(library);
    view.sectors = SectorOutline{};
    view.farthestNm = 0.0;
    const std::size_t count = std::min<std::size_t>(table.TargetCount, nmea::kAisTargetCapacity);
    std::size_t rows = 0;
    view.targets.resize(count);
    for (std::size_t index = nmea::kOwnShipIndex + 1; index < count; ++index) {
        const nmea::AisTarget& target = table.entries[index];
        if (target.mmsi == 0)
            continue;
        TargetRow& row = view.targets[rows++];
        FillRow(row, index, target, heard_.Of(index, target.mmsi), view.ownShip, now);
        if (row.range) {
            WidenSector(view.sectors, *row.range, row.mmsi);
            view.farthestNm = std::max(view.farthestNm, row.range->distanceNm);
        }
    }
    view.targets.resize(rows);
    view.lastHour = minutes_.FarthestLastHour(now);
    for (std::size_t lane = 0; lane < kAisChannels; ++lane)
        view.perMinute[lane] = minutes_.PerMinute(now, static_cast<AisChannel>(lane));
    view.typesThisMinute = minutes_.TypesThisMinute(now);
    view.sinceConnect = integrity_.SinceConnect();
    view.sinceRefresh = integrity_.SinceRefresh();
    view.lastBadLine = integrity_.LastBadLine();
}

} // namespace m47::diagnostics
