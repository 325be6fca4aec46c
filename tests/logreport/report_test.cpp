#include "logreport/report.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

using namespace m47::logreport;

namespace {

// A connected M47 with the English captions of the configuration pages, on 3 February 2024 at
// 9:05:07 in the morning.
ReportRecord EnglishRecord()
{
    ReportRecord r;
    r.serialNumber = "M47A00123";
    r.firmwareVersion = "M47-2.1.0";
    r.rs232BaudRate = 38400;
    r.nmeaBaudRate = 4800;
    r.baudRatePage = "BAUD RATE";
    r.internalGpsPage = "INTERNAL GPS";
    r.networkPage = "NETWORK";
    r.gpsEnableCaption = "Enable Internal GPS Module";
    r.gpsEnableTicked = true;
    r.gpsModeCaption = "GPS Mode";
    r.gpsModeItems = {"Altitude higher than 500m", "At Sea level"};
    r.gpsModeSelected = 1;
    r.networkFirmwareTitle = "Veldra Network Firmware Version:";
    r.networkFirmware = "None";
    r.networkAddressTitle = "Veldra IP Address:";
    r.networkAddress = "None";
    r.date = {2024, 2, 3};
    r.time = {9, 5, 7};
    return r;
}

const std::string kHead = "===========================================\r\n"
                          " Corvana Veldra M47 Configurator Report \r\n"
                          "       2024/02/03 09:05:07\r\n"
                          "===========================================\r\n"
                          "  Serial Number    = M47A00123\r\n"
                          "  Firmware Version = M47-2.1.0\r\n"
                          "\r\n"
                          "\r\n"
                          "[BAUD RATE]\r\n"
                          "\tRS-232 Baud Rate = 38400\r\n"
                          "\r\n"
                          "\tNMEA Baud Rate = 4800\r\n"
                          "\r\n"
                          "[INTERNAL GPS]\r\n"
                          "\tEnable Internal GPS Module = ON\r\n"
                          "\r\n"
                          "\tGPS Mode = At Sea level\r\n"
                          "\r\n";

const std::string kTail = "===========================================\r\n"
                          "   Copyright (C) 2006 - 2024 Corvana Corp.\r\n"
                          "   All rights reserved.\r\n"
                          "   http://www.corvana.example.com    \r\n"
                          "===========================================\r\n";

std::string ReportFile(const ReportRecord& record)
{
    return ReportFileText(ReportItems(record));
}

} // namespace

TEST(ConfigurationReport, WithoutNetworkModule)
{
    EXPECT_EQ(ReportFile(EnglishRecord()), kHead + kTail);
    EXPECT_EQ(ReportItems(EnglishRecord()).size(), 18u); // items 1 to 13 and 17 to 21
}

TEST(ConfigurationReport, WithNetworkModuleKeepsTheVersionsOwnLineEnd)
{
    ReportRecord record = EnglishRecord();
    record.networkModulePresent = true;
    record.networkFirmware = "V1.2.2\r\n"; // as the module answers
    record.networkAddress = "192.168.1.20";
    const std::string network = "[NETWORK]\r\n"
                                "\tVeldra Network Firmware Version: = V1.2.2\r\n"
                                "\r\n"
                                "\r\n"
                                "\tVeldra IP Address: = 192.168.1.20\r\n"
                                "\r\n";
    EXPECT_EQ(ReportFile(record), kHead + network + kTail);
    EXPECT_EQ(ReportItems(record).size(), 21u);
}

TEST(ConfigurationReport, NetworkValuesNotReceivedReadNone)
{
    ReportRecord record = EnglishRecord();
    record.networkModulePresent = true;
    const std::string file = ReportFile(record);
    EXPECT_NE(file.find("\tVeldra Network Firmware Version: = None\r\n\r\n\tVeldra IP"), std::string::npos);
    EXPECT_NE(file.find("\tVeldra IP Address: = None\r\n\r\n===="), std::string::npos);
}

TEST(ConfigurationReport, NoticeRunsToThePcsYearButAtLeast2016)
{
    for (auto [year, line] : {std::pair{2014, "   Copyright (C) 2006 - 2016 Corvana Corp."},
                              {2016, "   Copyright (C) 2006 - 2016 Corvana Corp."},
                              {2025, "   Copyright (C) 2006 - 2025 Corvana Corp."}}) {
        ReportRecord record = EnglishRecord();
        record.date.year = static_cast<std::uint16_t>(year);
        EXPECT_EQ(ReportItems(record).at(14), line) << year;
    }
}

TEST(ConfigurationReport, DateLineHasSevenSpacesAndLeadingZeros)
{
    for (auto [date, time, line] :
         {std::tuple{nmea::PackedDate{2024, 2, 3}, nmea::PackedTime{9, 5, 7}, "       2024/02/03 09:05:07"},
          {nmea::PackedDate{2025, 12, 31}, nmea::PackedTime{23, 59, 59}, "       2025/12/31 23:59:59"},
          {nmea::PackedDate{2026, 1, 1}, nmea::PackedTime{0, 0, 0}, "       2026/01/01 00:00:00"}}) {
        ReportRecord record = EnglishRecord();
        record.date = date;
        record.time = time;
        EXPECT_EQ(ReportItems(record).at(2), line);
    }
}

TEST(ConfigurationReport, GpsItemsFollowTheBoxes)
{
    struct Case {
        bool ticked;
        int selected;
        std::string enableLine;
        std::string modeLine;
    };
    for (const Case& c :
         {Case{true, 0, "\tEnable Internal GPS Module = ON\r\n",
               "\tGPS Mode = Altitude higher than 500m\r\n"},
          Case{false, 1, "\tEnable Internal GPS Module = OFF\r\n", "\tGPS Mode = At Sea level\r\n"},
          Case{true, -1, "\tEnable Internal GPS Module = ON\r\n", "\tGPS Mode = At Sea level\r\n"}}) {
        ReportRecord record = EnglishRecord();
        record.gpsEnableTicked = c.ticked;
        record.gpsModeSelected = c.selected;
        const auto items = ReportItems(record);
        EXPECT_EQ(items.at(11), c.enableLine) << c.selected;
        EXPECT_EQ(items.at(12), c.modeLine) << c.selected;
    }
}

TEST(ConfigurationReport, CaptionsOfTheLanguageAreWrittenAsTheyAre)
{
    ReportRecord record = EnglishRecord();
    record.baudRatePage = "\xC0\x6A\xB2\x76"; // BAUD RATE in the Traditional Chinese file (Big5)
    EXPECT_EQ(ReportItems(record).at(7), "[\xC0\x6A\xB2\x76]");
}

TEST(ConfigurationReport, DeviceValuesComeFromDeviceInfo)
{
    m47::device::DeviceInfo info{};
    m47::device::SetText(info.SerialNumber, "M47A00123456789");
    m47::device::SetText(info.FirmwareVersion, "M47-2.1.0");
    info.Rs232BaudRate = 115200;
    info.NmeaBaudRate = 38400;
    info.NetworkModulePresent = 1;
    ReportRecord record;
    TakeDeviceValues(record, info);
    EXPECT_EQ(record.serialNumber, "M47A00123456789");
    EXPECT_EQ(record.firmwareVersion, "M47-2.1.0");
    EXPECT_EQ(record.rs232BaudRate, 115200);
    EXPECT_EQ(record.nmeaBaudRate, 38400);
    EXPECT_TRUE(record.networkModulePresent);

    // A text field without its NUL is read to the field's end, not beyond.
    std::memset(info.SerialNumber, 'S', sizeof info.SerialNumber);
    info.NetworkModulePresent = 0;
    TakeDeviceValues(record, info);
    EXPECT_EQ(record.serialNumber, std::string(sizeof info.SerialNumber, 'S'));
    EXPECT_FALSE(record.networkModulePresent);
}
