#pragma once
// The configuration report: the items of MemoRecord, built from a plain record of the device's
// values and the captions as shown, and the report file made of them.
//
//   ===========================================
//    Corvana Veldra M47 Configurator Report
//          2024/02/03 09:05:07
//   ===========================================
//     Serial Number    = M47A00123
//     Firmware Version = M47-2.1.0
//   (two empty lines)
//   [BAUD RATE]
//   <tab>RS-232 Baud Rate = 38400        each setting line is followed by one empty line
//   <tab>NMEA Baud Rate = 4800
//   [INTERNAL GPS]
//   <tab>Enable Internal GPS Module = ON
//   <tab>GPS Mode = At Sea level
//   [NETWORK]                            the network section only with the module fitted
//   <tab>Veldra Network Firmware Version: = V1.2.2   (its own CR LF adds a second empty line)
//   <tab>Veldra IP Address: = 192.168.1.20
//   ===========================================
//      Copyright (C) 2006 - 2024 Corvana Corp.
//      All rights reserved.
//      http://www.corvana.example.com
//   ===========================================
//
// All texts are single-byte text in the language's code page; the file is the items, each
// followed by CR LF.

#include "device/device_info.h"
#include "nmea/ais_clock.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace m47::logreport {

struct ReportRecord {
    // DeviceInfo's values; texts not yet received are empty, rates 0.
    std::string serialNumber;
    std::string firmwareVersion;
    int rs232BaudRate = 0;
    int nmeaBaudRate = 0;
    bool networkModulePresent = false;

    // Captions and states of the configuration pages, as shown.
    std::string baudRatePage;     // TabSheetBaudRate
    std::string internalGpsPage;  // TabSheetInternalGPS
    std::string networkPage;      // TabSheetNetwork
    std::string gpsEnableCaption; // CheckBoxInternalGPSEnable
    bool gpsEnableTicked = false;
    std::string gpsModeCaption;              // LabelGPSNavStatus
    std::array<std::string, 2> gpsModeItems; // the two items of ComboBoxGPSNavStatus
    int gpsModeSelected = -1;                // its selected index, -1 for none
    std::string networkFirmwareTitle;        // LabelEthFirmwareVersionTitle
    std::string networkFirmware;             // LabelEthFirmwareVersion, the module's CR LF kept
    std::string networkAddressTitle;         // LabelEthIPTitle
    std::string networkAddress;              // LabelEthIP

    // The PC's local date and time when the report is built.
    nmea::PackedDate date;
    nmea::PackedTime time;
};

inline constexpr std::string_view kReportRule = "===========================================";
inline constexpr std::string_view kMakerWebAddress = "http://www.corvana.example.com";
// The notice's years run from 2006 to the PC's year, and to at least this year.
inline constexpr int kNoticeFirstYear = 2006;
inline constexpr int kNoticeLeastLastYear = 2016;

// Fills the device values of `record` from DeviceInfo.
void TakeDeviceValues(ReportRecord& record, const device::DeviceInfo& info);

// The report's items in order; the network section only when the module is present.
std::vector<std::string> ReportItems(const ReportRecord& record);

// The report file's bytes: every item followed by CR LF.
std::string ReportFileText(const std::vector<std::string>& items);

} // namespace m47::logreport
