#pragma once
// The GPS STATUS page's logic, fed every received line by the receive path. It runs the line
// through the sentence library, keeps the current satellite epoch, and returns the texts the
// page's boxes must show; at the end of an epoch it rebuilds the chart content and the sky-map
// markers. Decoded AIS reports are counted per channel for the system check on the way.
//
//   nmea::SentenceLibrary library;              // one for the whole run
//   GpsStatusPanel panel(library);
//   GpsStatusUpdate u = panel.UpdateGpsStatus("$GPGGA,...*6A\r\n");
//   if (u.fix) ... lblEdtGpsFixMode = u.fix->fixMode ...
//   if (u.epochFlushed) ... chart <- panel.Chart(), sky map <- panel.Markers() ...
//
// Position, SOG and COG come from the own ship's AIS entry (the device's VDO reports), not
// from the GNSS sentences; they stay unshown until the first VDO has filled that entry.

#include "diagnostics/gnss_texts.h"
#include "diagnostics/satellite_epoch.h"
#include "diagnostics/snr_chart_model.h"
#include "diagnostics/system_check.h"

#include <optional>
#include <string_view>

namespace nmea {
class SentenceLibrary;
}

namespace m47::diagnostics {

// What one line changes; an empty optional leaves those boxes as they are.
struct GpsStatusUpdate {
    std::optional<UtcTexts> utc;
    std::optional<FixModeTexts> fix; // only when a GGA arrived
    std::optional<PositionTexts> position;
    std::optional<SatelliteCountTexts> satelliteCounts; // at a flush
    bool epochFlushed = false;                          // Chart() and Markers() hold the new epoch
    bool rxCounted = false;                             // RxCounts() changed
    bool accepted = false; // the library accepted the line (a "!" one: completed and decoded)
};

class GpsStatusPanel
{
public:
    // Longest line taken, CR LF included.
    static constexpr std::size_t kMaxLineLength = 82;

    explicit GpsStatusPanel(nmea::SentenceLibrary& library);

    // One received line with its CR LF. Anything that is not a sentence, too long, fails its
    // checksum or does not parse changes nothing.
    GpsStatusUpdate UpdateGpsStatus(std::string_view line);

    void ClearSatelliteEpoch() { epoch_ = SatelliteEpoch{}; }

    const SatelliteEpoch& Epoch() const { return epoch_; }
    const SnrChartModel& Chart() const { return chart_; }
    const SkyMarkers& Markers() const { return markers_; }
    // The system check shows them; its Refresh clears them.
    RxCounters& RxCounts() { return rxCounts_; }
    const RxCounters& RxCounts() const { return rxCounts_; }
    // The GNSS position flag the system check's GPS row shows.
    bool PositionValid() const;

private:
    GpsStatusUpdate UpdateGnssPanel();

    nmea::SentenceLibrary& library_;
    SatelliteEpoch epoch_;
    SnrChartModel chart_;
    SkyMarkers markers_{};
    RxCounters rxCounts_;
};

} // namespace m47::diagnostics
