#include "diagnostics/satellite_epoch.h"

#include "nmea/latest_values.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace m47::diagnostics {

namespace {

enum class EpochRole : std::uint8_t { Position, UsedSatellites, ViewSatellites };

struct FormatterRole {
    char formatter[4];
    EpochRole role;
    std::uint32_t bit; // position group only
};

constexpr FormatterRole kRoles[] = {
    {"RMC", EpochRole::Position, 1},       {"VTG", EpochRole::Position, 2},
    {"GGA", EpochRole::Position, 4},       {"GLL", EpochRole::Position, 8},
    {"GBS", EpochRole::Position, 16},      {"GSA", EpochRole::UsedSatellites, 0},
    {"GSV", EpochRole::ViewSatellites, 0},
};

const FormatterRole* RoleOf(const char (&formatter)[4])
{
    for (const FormatterRole& role : kRoles) {
        if (std::memcmp(role.formatter, formatter, sizeof role.formatter) == 0)
            return &role;
    }
    return nullptr;
}

bool IsAbsentId(std::int8_t id)
{
    return id < 0; // 128..255 as an unsigned byte
}

template <std::size_t N>
bool Holds(const std::array<std::uint8_t, N>& ids, std::size_t count, std::uint8_t id)
{
    return std::find(ids.begin(), ids.begin() + static_cast<std::ptrdiff_t>(count), id) !=
           ids.begin() + static_cast<std::ptrdiff_t>(count);
}

// The first satellitesUsed slots of the last GSA.
void CollectUsed(SatelliteEpoch& epoch, const nmea::GnssRecord& gnss)
{
    const int slots =
        std::clamp(static_cast<int>(gnss.satellitesUsed), 0, static_cast<int>(std::size(gnss.usedPrn)));
    for (int k = 0; k < slots; ++k) {
        const std::int8_t prn = gnss.usedPrn[k];
        if (IsAbsentId(prn))
            continue;
        const auto id = static_cast<std::uint8_t>(prn);
        if (epoch.UsedCount < kEpochSatellites && !Holds(epoch.UsedIds, epoch.UsedCount, id))
            epoch.UsedIds[epoch.UsedCount++] = id;
    }
}

// The last GSV's satellites that are being tracked (id and SNR present).
void CollectInView(SatelliteEpoch& epoch, const nmea::GnssRecord& gnss)
{
    const int blocks = std::min(static_cast<int>(gnss.gsvSatellites), static_cast<int>(std::size(gnss.prn)));
    for (int k = 0; k < blocks; ++k) {
        if (IsAbsentId(gnss.prn[k]) || gnss.snr[k] < 0)
            continue;
        const auto id = static_cast<std::uint8_t>(gnss.prn[k]);
        if (epoch.ViewCount == kEpochSatellites || Holds(epoch.ViewIds, epoch.ViewCount, id))
            continue;
        const std::size_t i = epoch.ViewCount++;
        epoch.ViewIds[i] = id;
        epoch.ViewElevations[i] = gnss.elevation[k];
        epoch.ViewAzimuths[i] = gnss.azimuth[k];
        epoch.ViewSnrs[i] = gnss.snr[k];
    }
}

} // namespace

bool SatelliteEpoch::InUse(std::uint8_t id) const
{
    return Holds(UsedIds, UsedCount, id);
}

bool CollectSentence(SatelliteEpoch& epoch, const char (&formatter)[4], const nmea::GnssRecord& gnss)
{
    const FormatterRole* role = RoleOf(formatter);
    if (role == nullptr)
        return false;
    switch (role->role) {
    case EpochRole::Position: {
        const bool repeated = (epoch.SeenTypes & role->bit) != 0;
        epoch.SeenTypes |= role->bit;
        return repeated;
    }
    case EpochRole::UsedSatellites: CollectUsed(epoch, gnss); return false;
    case EpochRole::ViewSatellites: CollectInView(epoch, gnss); return false;
    }
    return false;
}

void PublishEpoch(SatelliteEpoch& epoch, SnrChartModel& chart, SkyMarkers& markers)
{
    chart.Clear();
    for (std::size_t i = 0; i < epoch.ViewCount; ++i) {
        const std::uint8_t id = epoch.ViewIds[i];
        const bool used = epoch.InUse(id);
        char label[4];
        std::snprintf(label, sizeof label, "%d", id);
        chart.AddBar(epoch.ViewSnrs[i], label, used ? kInUseColour : kInViewColour);
        if (i < kSkyMarkers)
            markers[i] = {true, used, id, epoch.ViewAzimuths[i], epoch.ViewElevations[i]};
    }
    for (std::size_t i = epoch.ViewCount; i < kSkyMarkers; ++i)
        markers[i].visible = false;
    chart.AddPlaceholders();
    epoch = SatelliteEpoch{};
}

} // namespace m47::diagnostics
