#include "device/command_sentences.h"
#include "device/program_verification.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace m47::device;

namespace {

// The product information of a device, as the configuration read leaves it.
DeviceInfo Reporting(int rs232, int nmea, bool gpsDisabled, int navStatus)
{
    DeviceInfo info{};
    info.Rs232BaudRate = rs232;
    info.NmeaBaudRate = nmea;
    info.GpsDisabled = gpsDisabled ? 1 : 0;
    info.GpsNavStatus = navStatus;
    return info;
}

struct VerifyCase {
    const char* what;
    std::optional<DeviceSettings> programmed;
    DeviceInfo reported;
    std::string differences; // DescribeDifferences, empty when verified
};

class Verification : public testing::TestWithParam<VerifyCase>
{
};

TEST_P(Verification, ComparesOnlyWhatWasProgrammed)
{
    const VerifyCase& c = GetParam();
    ASSERT_TRUE(c.programmed) << c.what;
    EXPECT_EQ(DescribeDifferences(VerifySettings(*c.programmed, ReportedSettings(c.reported))), c.differences)
        << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Table, Verification,
    testing::Values(
        VerifyCase{"baud rates taken", BaudRateSettings(2, 2), Reporting(38400, 4800, true, 4), ""},
        VerifyCase{"NMEA rate kept", BaudRateSettings(2, 2), Reporting(38400, 9600, false, 5),
                   "NMEA baud rate: programmed 4800, device reports 9600"},
        VerifyCase{"both rates kept", BaudRateSettings(0, 1), Reporting(38400, 38400, false, 5),
                   "RS-232 baud rate: programmed 115200, device reports 38400; "
                   "NMEA baud rate: programmed 9600, device reports 38400"},
        // A value without digits reads as 0 and never passes for a rate.
        VerifyCase{"rate unreadable", BaudRateSettings(5, 0), Reporting(0, 38400, false, 5),
                   "RS-232 baud rate: programmed 4800, device reports 0"},
        VerifyCase{"GPS off, high", InternalGpsSettings(false, 0), Reporting(9600, 4800, true, 4), ""},
        // Any mode code but 5 is the altitude mode, as the configuration page shows it.
        VerifyCase{"GPS on, other code", InternalGpsSettings(true, 0), Reporting(9600, 4800, false, 3), ""},
        VerifyCase{"GPS still off", InternalGpsSettings(true, 1), Reporting(9600, 4800, true, 5),
                   "internal GPS: programmed on, device reports off"},
        VerifyCase{"mode kept", InternalGpsSettings(true, 1), Reporting(9600, 4800, false, 4),
                   "GPS mode: programmed sea, device reports high"},
        VerifyCase{"restore baud", RestoreSettings(RestoreSlots(true, false, false)),
                   Reporting(38400, 38400, true, 4), ""},
        VerifyCase{"restore GPS not taken", RestoreSettings(RestoreSlots(false, true, false)),
                   Reporting(9600, 4800, true, 5), "internal GPS: programmed on, device reports off"},
        VerifyCase{"restore all", RestoreSettings(RestoreSlots(true, true, true)),
                   Reporting(38400, 9600, false, 5), "NMEA baud rate: programmed 38400, device reports 9600"},
        // The network group has no value in the product information.
        VerifyCase{"restore network", RestoreSettings(RestoreSlots(false, false, true)),
                   Reporting(4800, 4800, true, 4), ""}));

TEST(Verification, NoSettingsWithoutACommand)
{
    EXPECT_FALSE(BaudRateSettings(-1, 0));
    EXPECT_FALSE(BaudRateSettings(0, 3));
    EXPECT_FALSE(InternalGpsSettings(true, 2));
    EXPECT_FALSE(RestoreSettings(RestoreSlots(false, false, false)));
}

TEST(Verification, RatesMapToTheItemsTheCommandIsBuiltFrom)
{
    for (int item = 0; item < 6; ++item)
        EXPECT_EQ(BaudRateSettings(item, 0)->rs232BaudRate, kBaudCodeRates[static_cast<std::size_t>(item)]);
    const std::vector<std::pair<int, int>> nmea = {{38400, 0}, {9600, 1}, {4800, 2}, {57600, -1}, {0, -1}};
    for (const auto& [rate, item] : nmea) {
        EXPECT_EQ(NmeaItemOfRate(rate), item) << rate;
        if (item >= 0) {
            EXPECT_EQ(BaudRateSettings(0, item)->nmeaBaudRate, rate);
        }
    }
    EXPECT_EQ(Rs232ItemOfRate(19200), 3);
    EXPECT_EQ(Rs232ItemOfRate(2400), -1);
}

TEST(Verification, AnswersTheNextIdentificationOnce)
{
    ProgramVerification verification;
    EXPECT_FALSE(verification.Identified(Reporting(38400, 38400, false, 5)));
    verification.Programmed(*BaudRateSettings(4, 1));
    const auto differences = verification.Identified(Reporting(9600, 9600, false, 5));
    ASSERT_TRUE(differences);
    EXPECT_TRUE(differences->empty());
    EXPECT_FALSE(verification.Identified(Reporting(38400, 38400, false, 5)));

    // The user's own Connect or Disconnect drops what waits.
    verification.Programmed(*BaudRateSettings(4, 1));
    verification.Drop();
    EXPECT_FALSE(verification.Identified(Reporting(38400, 38400, false, 5)));
}

} // namespace
