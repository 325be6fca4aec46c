#pragma once
// The system check's Network Firmware Version row, fed by the module's AT+VER answer.

#include "device/device_info.h"

#include <string_view>

namespace m47::netmodule {

// Images of the system check's list.
inline constexpr int kCheckImagePassed = 1;
inline constexpr int kCheckImageNothingYet = 2;
inline constexpr std::string_view kNoNetworkFirmwareText = "N/A";

struct CheckRow {
    std::string_view text; // LabelNetworkFirmwareVersoinData; points into the DeviceInfo
    int image;             // ImageNetworkFirmwareVersion
};

// The version with the pass mark once received, else "N/A" with the warning triangle.
CheckRow NetworkFirmwareRow(const device::DeviceInfo& info);

} // namespace m47::netmodule
