#pragma once
// Whether the device took what Program Device sent: the settings a "$PDBG" sentence asks for,
// compared with what the product information reports once the device has restarted.
//
//   sent:       $PDBG,43,2,41,5,,,,           RS-232 38400, NMEA 4800
//   read back:  $PCVN,R,TXT,RS232 BAUD RATE=38400*hh
//               $PCVN,R,TXT,NMEA BAUD RATE=9600*hh
//   result:     NMEA baud rate: programmed 4800, device reports 9600
//
// A restore asks for the factory values of its groups; the network group has no value in the
// product information, so it is verified by the device coming back alone.

#include "device/device_info.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace m47::device {

// The programmable settings; an empty member is not part of the comparison.
struct DeviceSettings {
    std::optional<int> rs232BaudRate;
    std::optional<int> nmeaBaudRate;
    std::optional<bool> gpsEnabled;
    std::optional<bool> gpsAtSeaLevel; // GPS mode: at sea level, else altitude above 500 m

    bool operator==(const DeviceSettings&) const = default;
};

// What a restore of the baud-rate and GPS groups brings back.
inline constexpr int kFactoryBaudRate = 38400;
inline constexpr DeviceSettings kFactorySettings{kFactoryBaudRate, kFactoryBaudRate, true, true};

// The settings each page's command asks for, read from the same items the command is built from.
// Empty when the command would not be built.
std::optional<DeviceSettings> BaudRateSettings(int rs232Item, int nmeaItem);
std::optional<DeviceSettings> InternalGpsSettings(bool gpsEnabled, int gpsNavStatusItem);
std::optional<DeviceSettings> RestoreSettings(const std::array<int, 3>& slots);

// The settings the device reported last, all four members set.
DeviceSettings ReportedSettings(const DeviceInfo& info);

// One setting the device does not report as programmed; texts as the window shows them.
struct SettingDifference {
    std::string_view setting; // "RS-232 baud rate", "NMEA baud rate", "internal GPS", "GPS mode"
    std::string programmed;   // "38400", "on"/"off", "sea"/"high"
    std::string reported;

    bool operator==(const SettingDifference&) const = default;
};

// The programmed members that differ from the reported ones, in the order above; none when the
// device is verified.
std::vector<SettingDifference> VerifySettings(const DeviceSettings& programmed, const DeviceSettings& reported);

// "NMEA baud rate: programmed 4800, device reports 9600"; several joined with "; ".
std::string DescribeDifferences(const std::vector<SettingDifference>& differences);

// The window's programming in flight: set when a command goes out, answered once by the next
// identification (the reconnect after the device's restart), dropped by the user's Connect or
// Disconnect.
class ProgramVerification
{
public:
    void Programmed(const DeviceSettings& expected) { expected_ = expected; }
    void Drop() { expected_.reset(); }
    bool Pending() const { return expected_.has_value(); }
    // The comparison with the product information just read, once; empty when nothing waits.
    std::optional<std::vector<SettingDifference>> Identified(const DeviceInfo& info);

private:
    std::optional<DeviceSettings> expected_;
};

} // namespace m47::device
