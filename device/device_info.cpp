#include "device/device_info.h"

#include "device/text_rules.h"

#include <string>

namespace m47::device {

namespace {

constexpr std::string_view kReplyPrefix = "$PCVN,R,TXT,";

// Where the text after "$PCVN,R,TXT,<key>" starts, or npos when the line lacks it.
std::size_t AfterProprietaryKey(std::string_view line, std::string_view key)
{
    const std::string full = std::string(kReplyPrefix).append(key);
    const auto at = line.find(full);
    return at == std::string_view::npos ? at : at + full.size();
}

bool HasProprietaryKey(std::string_view line, std::string_view key)
{
    return AfterProprietaryKey(line, key) != std::string_view::npos;
}

} // namespace

void ClearReceivedFlags(DeviceInfo& info)
{
    info.FirmwareVersionReceived = 0;
    info.SerialNumberReceived = 0;
    info.NetworkFirmwareReceived = 0;
}

int ItemContainingNumber(std::span<const std::string_view> items, int number)
{
    const std::string digits = std::to_string(number);
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (Contains(items[i], digits))
            return static_cast<int>(i);
    }
    return 0;
}

ConfigurationUpdate ParseConfigurationLine(DeviceInfo& info, std::string_view line, bool usbSelected)
{
    ConfigurationUpdate update;

    if (Contains(line, "FIRMWARE=")) {
        SetText(info.FirmwareVersion, ValueOfKey(line, "FIRMWARE="));
        info.FirmwareVersionReceived = 1;
        update.firmwareVersion = true;
    }
    if (Contains(line, "RS232 BAUD RATE=")) {
        info.Rs232BaudRate = LeadingNumber(ValueOfKey(line, "RS232 BAUD RATE="));
        update.rs232BaudItem = ItemContainingNumber(kRs232BaudItems, info.Rs232BaudRate);
    }
    if (Contains(line, "NMEA BAUD RATE=")) {
        info.NmeaBaudRate = LeadingNumber(ValueOfKey(line, "NMEA BAUD RATE="));
        update.nmeaBaudItem = ItemContainingNumber(kNmeaBaudItems, info.NmeaBaudRate);
    }
    if (HasProprietaryKey(line, "ETH_MODULE=")) {
        info.NetworkModulePresent = Contains(line, "ON") && usbSelected ? 1 : 0;
        update.networkModuleVisible = info.NetworkModulePresent != 0;
    }
    if (HasProprietaryKey(line, "GPS_DISABLE=")) {
        const std::string_view value = ValueOfKey(line, "GPS_DISABLE=");
        info.GpsDisabled = Contains(value, "ON") || Contains(value, "1") ? 1 : 0;
        update.gpsEnabled = info.GpsDisabled == 0;
    }
    if (const auto at = AfterProprietaryKey(line, "GPS_NAV_STATUS="); at != line.npos) {
        info.GpsNavStatus = LeadingNumber(line.substr(at));
        update.gpsNavStatusItem = info.GpsNavStatus == kGpsNavStatusAtSeaLevel ? 1 : 0;
    }
    if (Contains(line, "SERIAL NO.=")) {
        SetText(info.SerialNumber, ValueOfKey(line, "SERIAL NO.="));
        info.SerialNumberReceived = 1;
        update.serialNumber = true;
    }
    if (Contains(line, kRestartAnnouncement))
        update.restartAnnounced = true;

    return update;
}

} // namespace m47::device
