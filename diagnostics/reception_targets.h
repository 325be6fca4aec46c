#pragma once
// What the RECEPTION page knows about each sender beside the library's target table: messages
// per channel, first and last heard by the steady clock, and the channel of the last message.
// The records follow the table's entries by index; when the library gives an entry to another
// MMSI (eviction), the record starts afresh.
//
//   table entry 17: MMSI 244123456 "NORDIC TRADER" ...      (library)
//   record 17:      MMSI 244123456, A 31, B 29, heard 12 s .. 2 s ago, last on B

#include "diagnostics/reception_minutes.h"

#include "nmea/ais_targets.h"

#include <array>
#include <cstdint>

namespace m47::diagnostics {

struct TargetHeard {
    std::uint32_t mmsi = 0; // 0: no message counted for this entry yet
    std::array<std::uint32_t, kAisChannels> messages{};
    std::int64_t firstHeard = 0; // steady-clock seconds
    std::int64_t lastHeard = 0;
    AisChannel lastChannel = AisChannel::A;
};

class TargetsHeard
{
public:
    // One message from the sender now in table entry `index` with `mmsi`.
    void Heard(std::size_t index, std::uint32_t mmsi, AisChannel channel, std::int64_t second);

    // The record of entry `index` when it belongs to `mmsi`; nullptr otherwise.
    const TargetHeard* Of(std::size_t index, std::uint32_t mmsi) const;

    void Clear() { records_ = {}; }

private:
    std::array<TargetHeard, nmea::kAisTargetCapacity> records_{};
};

} // namespace m47::diagnostics
