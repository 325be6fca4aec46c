#include "diagnostics/gps_status_panel.h"

#include "nmea/sentence_library.h"
#include "nmea/sentence_parser.h"

namespace m47::diagnostics {

GpsStatusPanel::GpsStatusPanel(nmea::SentenceLibrary& library) : library_(library) {}

bool GpsStatusPanel::PositionValid() const
{
    return library_.latest.gnss.positionValid != 0;
}

GpsStatusUpdate GpsStatusPanel::UpdateGpsStatus(std::string_view line)
{
    if (line.empty() || (line[0] != '$' && line[0] != '!') || line.size() > kMaxLineLength)
        return {};
    if (!library_.ProcessSentence(line))
        return {};
    GpsStatusUpdate update;
    switch (nmea::ClassifySentence(library_.record)) {
    case nmea::sgGnss: update = UpdateGnssPanel(); break;
    case nmea::sgAis:
        if (library_.record.start == '!')
            update.rxCounted = CountRxReport(rxCounts_, library_.record);
        break;
    default: break;
    }
    update.accepted = true;
    return update;
}

GpsStatusUpdate GpsStatusPanel::UpdateGnssPanel()
{
    nmea::GnssRecord& gnss = library_.latest.gnss;
    GpsStatusUpdate update;
    if (gnss.timeValid)
        update.utc =
            ShowUtc(gnss.utcYear, gnss.utcMonth, gnss.utcDay, gnss.utcHour, gnss.utcMinute, gnss.utcSecond);
    if (gnss.ggaArrived) {
        gnss.ggaArrived = 0;
        update.fix = ShowFixMode(gnss.fixMode, gnss.hdop);
    }
    const nmea::AisTarget& ownShip = library_.ais.targets.entries[nmea::kOwnShipIndex];
    // Before the first VDO the entry holds start values, not the device's position.
    if (gnss.positionValid && ownShip.vdoCount > 0)
        update.position =
            ShowPositionAndMotion(ownShip.longitude, ownShip.latitude, ownShip.sog, ownShip.cog);
    if (CollectSentence(epoch_, library_.record.formatter, gnss)) {
        update.satelliteCounts = ShowSatelliteCounts(epoch_.UsedCount, epoch_.ViewCount);
        PublishEpoch(epoch_, chart_, markers_);
        update.epochFlushed = true;
    }
    return update;
}

} // namespace m47::diagnostics
