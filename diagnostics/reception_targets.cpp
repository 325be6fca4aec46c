#include "diagnostics/reception_targets.h"

namespace m47::diagnostics {

void TargetsHeard::Heard(std::size_t index, std::uint32_t mmsi, AisChannel channel, std::int64_t second)
{
    if (index >= records_.size())
        return;
    TargetHeard& record = records_[index];
    if (record.mmsi != mmsi)
        record = TargetHeard{mmsi, {}, second, second, channel};
    std::uint32_t& count = record.messages[static_cast<std::size_t>(channel)];
    if (count < UINT32_MAX)
        ++count;
    record.lastHeard = second;
    record.lastChannel = channel;
}

const TargetHeard* TargetsHeard::Of(std::size_t index, std::uint32_t mmsi) const
{
    if (index >= records_.size() || mmsi == 0 || records_[index].mmsi != mmsi)
        return nullptr;
    return &records_[index];
}

} // namespace m47::diagnostics
