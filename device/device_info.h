#pragma once
// The values the device reports about itself, and the reading of its product-information lines.
//
//   $PCVN,R,TXT,FIRMWARE=M47-2.1.0*hh        $PCVN,R,TXT,ETH_MODULE=ON*hh
//   $PCVN,R,TXT,SERIAL NO.=M47A00123*hh      $PCVN,R,TXT,GPS_DISABLE=OFF*hh
//   $PCVN,R,TXT,RS232 BAUD RATE=38400*hh     $PCVN,R,TXT,GPS_NAV_STATUS=5*hh
//   $PCVN,R,TXT,NMEA BAUD RATE=4800*hh       $PCVN,R,TXT,PROD. INFO. END*hh
//                 key ------^     ^---- value, up to the first '*' of the line
//
// A key's value is taken as ValueOfKey reads it; one line may carry several keys. The restart
// announcement "$PCVN,R,TXT,SYSTEM RESTART*5F" is recognised with its checksum.

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace m47::device {

struct DeviceInfo {
    char SerialNumber[16];    // at most 15 characters, NUL-terminated
    char FirmwareVersion[25]; // at most 24 characters
    int Rs232BaudRate;        // as reported; 0 when the value had no digits
    int NmeaBaudRate;
    std::uint8_t GpsDisabled;          // 1 internal GPS module disabled
    int GpsNavStatus;                  // 5 at sea level, other values altitude above 500 m
    std::uint8_t NetworkModulePresent; // fitted, and the USB interface is in use
    char NetworkFirmwareVersion[30];   // at most 29 characters
    std::uint8_t FirmwareVersionReceived;
    std::uint8_t SerialNumberReceived;
    std::uint8_t NetworkFirmwareReceived;
};

// Copies `text` into a fixed-size field, cut to the field's size less one, NUL-terminated.
template <std::size_t N>
void SetText(char (&field)[N], std::string_view text)
{
    const std::size_t n = text.size() < N - 1 ? text.size() : N - 1;
    text.copy(field, n);
    field[n] = '\0';
}

void ClearReceivedFlags(DeviceInfo& info);

// Item texts of the configuration pages' choice boxes, in their order.
inline constexpr std::array<std::string_view, 6> kRs232BaudItems{"115200", "57600", "38400",
                                                                 "19200",  "9600",  "4800"};
inline constexpr std::array<std::string_view, 3> kNmeaBaudItems{"38400", "9600", "4800"};
inline constexpr int kGpsNavStatusAtSeaLevel = 5;

// The restart announcement, checksum included.
inline constexpr std::string_view kRestartAnnouncement = "$PCVN,R,TXT,SYSTEM RESTART*5F";

// What a product-information line asks of the configuration pages. An empty optional or a false
// flag means the line did not carry that item and the control keeps its state.
struct ConfigurationUpdate {
    bool firmwareVersion = false;             // FirmwareVersion was set
    std::optional<int> rs232BaudItem;         // item to select in cbxBaud_RS232
    std::optional<int> nmeaBaudItem;          // item to select in cbxBaud_NMEA
    std::optional<bool> networkModuleVisible; // SetNetworkModuleVisible(value)
    std::optional<bool> gpsEnabled;           // tick CheckBoxInternalGPSEnable, SetGpsModeEnabled
    std::optional<int> gpsNavStatusItem;      // item to select in ComboBoxGPSNavStatus
    bool serialNumber = false;                // SerialNumber was set
    bool restartAnnounced = false;            // the device is about to restart

    bool Any() const
    {
        return firmwareVersion || rs232BaudItem || nmeaBaudItem || networkModuleVisible || gpsEnabled ||
               gpsNavStatusItem || serialNumber || restartAnnounced;
    }
};

// Reads one received line (ending in CR LF, checksum field still on) into `info` and returns
// what the pages must show. `usbSelected`: the interface choice is USB; over RS-232 the network
// module is taken as absent.
ConfigurationUpdate ParseConfigurationLine(DeviceInfo& info, std::string_view line, bool usbSelected);

// The first item whose text contains `number` written in decimal; item 0 when none does.
int ItemContainingNumber(std::span<const std::string_view> items, int number);

} // namespace m47::device
