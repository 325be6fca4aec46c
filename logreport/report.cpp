#include "logreport/report.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace m47::logreport {

namespace {

// A DeviceInfo text field up to its NUL, never beyond the field.
template <std::size_t N>
std::string FieldText(const char (&field)[N])
{
    return std::string(field, strnlen(field, N));
}

std::string DateLine(const nmea::PackedDate& date, const nmea::PackedTime& time)
{
    char text[48];
    std::snprintf(text, sizeof text, "       %04d/%02d/%02d %02d:%02d:%02d", date.year, date.month, date.day,
                  time.hour, time.minute, time.second);
    return text;
}

// "\t%s = %s\r\n": one setting, followed by an empty line in the file.
std::string SettingLine(std::string_view caption, std::string_view value)
{
    std::string line = "\t";
    line.append(caption).append(" = ").append(value).append("\r\n");
    return line;
}

std::string SectionLine(std::string_view caption)
{
    std::string line = "[";
    line.append(caption).append("]");
    return line;
}

std::string NoticeLine(int pcYear)
{
    const int lastYear = std::max(pcYear, kNoticeLeastLastYear);
    return "   Copyright (C) " + std::to_string(kNoticeFirstYear) + " - " + std::to_string(lastYear) +
           " Corvana Corp.";
}

} // namespace

void TakeDeviceValues(ReportRecord& record, const device::DeviceInfo& info)
{
    record.serialNumber = FieldText(info.SerialNumber);
    record.firmwareVersion = FieldText(info.FirmwareVersion);
    record.rs232BaudRate = info.Rs232BaudRate;
    record.nmeaBaudRate = info.NmeaBaudRate;
    record.networkModulePresent = info.NetworkModulePresent == 1;
}

std::vector<std::string> ReportItems(const ReportRecord& r)
{
    std::vector<std::string> items{
        std::string(kReportRule),
        " Corvana Veldra M47 Configurator Report ",
        DateLine(r.date, r.time),
        std::string(kReportRule),
        "  Serial Number    = " + r.serialNumber,
        "  Firmware Version = " + r.firmwareVersion,
        "\r\n",
        SectionLine(r.baudRatePage),
        SettingLine("RS-232 Baud Rate", std::to_string(r.rs232BaudRate)),
        SettingLine("NMEA Baud Rate", std::to_string(r.nmeaBaudRate)),
        SectionLine(r.internalGpsPage),
        SettingLine(r.gpsEnableCaption, r.gpsEnableTicked ? "ON" : "OFF"),
        // Item 1 stands for every selection but item 0, "nothing selected" included.
        SettingLine(r.gpsModeCaption, r.gpsModeItems[r.gpsModeSelected == 0 ? 0 : 1]),
    };
    if (r.networkModulePresent) {
        items.push_back(SectionLine(r.networkPage));
        items.push_back(SettingLine(r.networkFirmwareTitle, r.networkFirmware));
        items.push_back(SettingLine(r.networkAddressTitle, r.networkAddress));
    }
    items.insert(items.end(), {std::string(kReportRule), NoticeLine(r.date.year), "   All rights reserved.",
                               "   " + std::string(kMakerWebAddress) + "    ", std::string(kReportRule)});
    return items;
}

std::string ReportFileText(const std::vector<std::string>& items)
{
    std::string text;
    for (const std::string& item : items)
        text.append(item).append("\r\n");
    return text;
}

} // namespace m47::logreport
