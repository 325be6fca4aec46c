#include "device/device_info.h"

#include <gtest/gtest.h>

#include <cstring>
#include <optional>
#include <string>

using m47::device::ConfigurationUpdate;
using m47::device::DeviceInfo;
using m47::device::ParseConfigurationLine;

namespace {

DeviceInfo ZeroInfo()
{
    DeviceInfo info;
    std::memset(&info, 0, sizeof info);
    return info;
}

// The device's reply line with its real checksum and CR LF.
std::string Reply(const std::string& item)
{
    const std::string body = "PCVN,R,TXT," + item;
    unsigned sum = 0;
    for (unsigned char c : body)
        sum ^= c;
    char tail[8];
    std::snprintf(tail, sizeof tail, "*%02X\r\n", sum);
    return "$" + body + tail;
}

} // namespace

struct BaudCase {
    std::string line;
    int stored;
    std::optional<int> rs232Item;
    std::optional<int> nmeaItem;
};

class BaudRateRead : public testing::TestWithParam<BaudCase>
{
};

TEST_P(BaudRateRead, StoresTheRateAndSelectsTheFirstItemContainingIt)
{
    const BaudCase& c = GetParam();
    DeviceInfo info = ZeroInfo();
    const ConfigurationUpdate u = ParseConfigurationLine(info, c.line, true);
    EXPECT_EQ(u.rs232BaudItem, c.rs232Item);
    EXPECT_EQ(u.nmeaBaudItem, c.nmeaItem);
    EXPECT_EQ(c.rs232Item ? info.Rs232BaudRate : info.NmeaBaudRate, c.stored);
}

INSTANTIATE_TEST_SUITE_P(Table, BaudRateRead,
                         testing::Values(BaudCase{Reply("RS232 BAUD RATE=9600"), 9600, 4, std::nullopt},
                                         BaudCase{Reply("RS232 BAUD RATE=2400"), 2400, 0, std::nullopt},
                                         BaudCase{Reply("RS232 BAUD RATE=4800"), 4800, 5, std::nullopt},
                                         BaudCase{Reply("RS232 BAUD RATE="), 0, 0, std::nullopt},
                                         BaudCase{Reply("RS232 BAUD RATE=abc"), 0, 0, std::nullopt},
                                         BaudCase{Reply("RS232 BAUD RATE=99999999999999"), 2147483647, 0,
                                                  std::nullopt},
                                         BaudCase{"RS232 BAUD RATE=38400\r\n", 0, 0, std::nullopt}, // no '*'
                                         BaudCase{Reply("NMEA BAUD RATE=4800"), 4800, std::nullopt, 2},
                                         BaudCase{Reply("NMEA BAUD RATE=9600"), 9600, std::nullopt, 1},
                                         BaudCase{Reply("NMEA BAUD RATE=115200"), 115200, std::nullopt, 0},
                                         // the key counts anywhere, not only after the reply prefix
                                         BaudCase{"xx NMEA BAUD RATE=9600*00\r\n", 9600, std::nullopt, 1}));

struct FlagCase {
    std::string line;
    bool usb;
    std::optional<bool> networkVisible;
    std::optional<bool> gpsEnabled;
    std::optional<int> navItem;
};

class FlagRead : public testing::TestWithParam<FlagCase>
{
};

TEST_P(FlagRead, SetsTheNetworkAndGpsControls)
{
    const FlagCase& c = GetParam();
    DeviceInfo info = ZeroInfo();
    info.GpsDisabled = 7; // every matching line sets it afresh
    const ConfigurationUpdate u = ParseConfigurationLine(info, c.line, c.usb);
    EXPECT_EQ(u.networkModuleVisible, c.networkVisible);
    EXPECT_EQ(u.gpsEnabled, c.gpsEnabled);
    EXPECT_EQ(u.gpsNavStatusItem, c.navItem);
    if (c.networkVisible) {
        EXPECT_EQ(info.NetworkModulePresent, *c.networkVisible ? 1 : 0);
    }
    if (c.gpsEnabled) {
        EXPECT_EQ(info.GpsDisabled, *c.gpsEnabled ? 0 : 1);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, FlagRead,
    testing::Values(FlagCase{Reply("ETH_MODULE=ON"), true, true, {}, {}},
                    FlagCase{Reply("ETH_MODULE=ON"), false, false, {}, {}},
                    FlagCase{Reply("ETH_MODULE=OFF"), true, false, {}, {}},
                    FlagCase{"ETH_MODULE=ON*00\r\n", true, {}, {}, {}}, // needs the reply prefix
                    FlagCase{Reply("GPS_DISABLE=ON"), true, {}, false, {}},
                    FlagCase{Reply("GPS_DISABLE=1"), true, {}, false, {}},
                    FlagCase{Reply("GPS_DISABLE=OFF"), true, {}, true, {}},
                    FlagCase{Reply("GPS_DISABLE=0"), true, {}, true, {}},
                    FlagCase{Reply("GPS_DISABLE=maybe"), true, {}, true, {}},
                    // checksum digits never count: "GPS_DISABLE=OFF*31" must not read the '1'
                    FlagCase{"$PCVN,R,TXT,GPS_DISABLE=OFF*31\r\n", true, {}, true, {}},
                    FlagCase{"$PCVN,R,TXT,GPS_DISABLE=ON\r\n", true, {}, true, {}}, // no '*': empty value
                    FlagCase{Reply("GPS_NAV_STATUS=5"), true, {}, {}, 1},
                    FlagCase{Reply("GPS_NAV_STATUS=4"), true, {}, {}, 0},
                    FlagCase{Reply("GPS_NAV_STATUS=55"), true, {}, {}, 0},
                    FlagCase{Reply("GPS_NAV_STATUS="), true, {}, {}, 0},
                    FlagCase{"GPS_NAV_STATUS=5*00\r\n", true, {}, {}, {}}));

TEST(ConfigurationRead, TextsAreCutToTheirFieldsAndFlaggedEvenWhenEmpty)
{
    DeviceInfo info = ZeroInfo();
    info.NetworkFirmwareReceived = 1;
    std::memset(info.SerialNumber, 'Z', sizeof info.SerialNumber); // no NUL left in the field

    auto u = ParseConfigurationLine(info, Reply("FIRMWARE=" + std::string(40, 'F')), true);
    EXPECT_TRUE(u.firmwareVersion);
    EXPECT_EQ(std::string(info.FirmwareVersion), std::string(24, 'F'));

    u = ParseConfigurationLine(info, Reply("SERIAL NO.=0123456789ABCDEFGH"), true);
    EXPECT_TRUE(u.serialNumber);
    EXPECT_EQ(std::string(info.SerialNumber), "0123456789ABCDE");

    u = ParseConfigurationLine(info, "$PCVN,R,TXT,FIRMWARE=V2\r\n", true); // no '*'
    EXPECT_TRUE(u.firmwareVersion);
    EXPECT_EQ(std::string(info.FirmwareVersion), "");
    EXPECT_EQ(info.FirmwareVersionReceived, 1);
    EXPECT_EQ(info.SerialNumberReceived, 1);

    m47::device::ClearReceivedFlags(info);
    EXPECT_EQ(info.FirmwareVersionReceived + info.SerialNumberReceived + info.NetworkFirmwareReceived, 0);
    EXPECT_EQ(std::string(info.SerialNumber), "0123456789ABCDE"); // values stay
}

TEST(ConfigurationRead, OneLineMayCarrySeveralItems)
{
    DeviceInfo info = ZeroInfo();
    const auto u = ParseConfigurationLine(
        info, "$PCVN,R,TXT,FIRMWARE=1 SERIAL NO.=7 RS232 BAUD RATE=57600*00\r\n", true);
    EXPECT_TRUE(u.firmwareVersion);
    EXPECT_TRUE(u.serialNumber);
    EXPECT_EQ(u.rs232BaudItem, 1);
    // every value runs to the first '*' of the line
    EXPECT_EQ(std::string(info.FirmwareVersion), "1 SERIAL NO.=7 RS232 BAU");
    EXPECT_EQ(std::string(info.SerialNumber), "7 RS232 BAUD RA");
    EXPECT_EQ(info.Rs232BaudRate, 57600);
}

TEST(ConfigurationRead, RestartIsAnnouncedOnlyWithItsOwnChecksum)
{
    DeviceInfo info = ZeroInfo();
    EXPECT_EQ(Reply("SYSTEM RESTART"), "$PCVN,R,TXT,SYSTEM RESTART*5F\r\n");
    EXPECT_TRUE(ParseConfigurationLine(info, "$PCVN,R,TXT,SYSTEM RESTART*5F\r\n", true).restartAnnounced);
    EXPECT_FALSE(ParseConfigurationLine(info, "$PCVN,R,TXT,SYSTEM RESTART*5E\r\n", true).restartAnnounced);
    EXPECT_FALSE(ParseConfigurationLine(info, "$PCVN,R,TXT,SYSTEM RESTART\r\n", true).Any());
}

TEST(ConfigurationRead, OtherLinesChangeNothing)
{
    DeviceInfo info = ZeroInfo();
    DeviceInfo before;
    std::memcpy(&before, &info, sizeof info);
    for (const char* line :
         {"$GPGGA,,,,,,0,00,,,M,,M,,*66\r\n", "\r\n", "", "$PCVN,R,TXT,PROD. INFO. END*65\r\n", "FIRMWARE"}) {
        EXPECT_FALSE(ParseConfigurationLine(info, line, true).Any()) << line;
    }
    EXPECT_EQ(std::memcmp(&before, &info, sizeof info), 0);
}
