#include "netmodule/system_check_row.h"

namespace m47::netmodule {

CheckRow NetworkFirmwareRow(const device::DeviceInfo& info)
{
    if (info.NetworkFirmwareReceived)
        return {info.NetworkFirmwareVersion, kCheckImagePassed};
    return {kNoNetworkFirmwareText, kCheckImageNothingYet};
}

} // namespace m47::netmodule
