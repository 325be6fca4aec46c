#include "diagnostics/system_check.h"

#include "device/device_info.h"
#include "nmea/sentence_record.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace m47::diagnostics {

namespace {

constexpr const char* kNotReceived = "---------";

// A device text field, read no further than its own size.
template <std::size_t N>
std::string ReceivedText(const char (&text)[N], bool received, const char* otherwise)
{
    return received ? std::string(text, std::find(text, text + N, '\0')) : std::string(otherwise);
}

// The counters grow for as long as reports arrive; they stop at the top instead of wrapping.
void CountOne(std::int32_t& counter)
{
    if (counter < std::numeric_limits<std::int32_t>::max())
        ++counter;
}

CheckImage PassedOr(bool passed, CheckImage otherwise)
{
    return passed ? ciPassed : otherwise;
}

} // namespace

bool CountRxReport(RxCounters& counters, const nmea::SentenceRecord& record)
{
    if (std::memcmp(record.formatter, "VDO", sizeof record.formatter) == 0)
        return false;
    const nmea::EncapsulatedFields* fragment = nmea::EncapsulatedOf(record);
    CountOne(fragment != nullptr && fragment->channel == 'A' ? counters.RxCountA : counters.RxCountB);
    return true;
}

SystemCheckRows ShowSystemCheck(const device::DeviceInfo& info, bool positionValid,
                                const RxCounters& counters)
{
    const bool firmware = info.FirmwareVersionReceived != 0;
    const bool serial = info.SerialNumberReceived != 0;
    const bool network = info.NetworkFirmwareReceived != 0;
    const bool received = static_cast<std::int64_t>(counters.RxCountA) + counters.RxCountB > 0;
    SystemCheckRows rows;
    rows.firmwareVersion = ReceivedText(info.FirmwareVersion, firmware, kNotReceived);
    rows.serialNumber = ReceivedText(info.SerialNumber, serial, kNotReceived);
    rows.gps = positionValid ? "Fixed" : "Lost";
    rows.networkFirmwareVersion = ReceivedText(info.NetworkFirmwareVersion, network, "N/A");
    rows.rxCountA = std::to_string(counters.RxCountA);
    rows.rxCountB = std::to_string(counters.RxCountB);
    rows.firmwareImage = PassedOr(firmware, ciFailed);
    rows.serialNumberImage = PassedOr(serial, ciFailed);
    rows.rxImage = PassedOr(received, ciNoData);
    rows.networkImage = PassedOr(network, ciNoData);
    rows.gpsImage = PassedOr(positionValid, ciFailed);
    return rows;
}

void ClearSystemCheck(RxCounters& counters, device::DeviceInfo& info)
{
    counters = RxCounters{};
    device::ClearReceivedFlags(info);
}

} // namespace m47::diagnostics
