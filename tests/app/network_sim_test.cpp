// The NETWORK sub-page against the virtual device and its network module, in real time: the
// read-back after identification enters the module's configuration mode, asks for its version
// and address and leaves again; opening the sub-page later does the same.
#include "simulatorfixture.h"

#include <QLabel>

#include <optional>

namespace {

const std::string kEnter = "$PDBG,163,1,,,,,,*14\r\n"; // CR LF
const std::string kLeave = "$PDBG,163,0,,,,,,*15\n";   // LF only

class NetworkWithSimulator : public WithSimulator
{
protected:
    QString label(const char* name) const { return control<QLabel>(name)->text(); }

    // The time of the first entry at or after `from` whose bytes are `line`.
    std::optional<double> timeOf(const std::string& line, std::size_t& from) const
    {
        const auto all = entries();
        for (std::size_t i = from; i < all.size(); ++i)
            if (all[i].bytes == line) {
                from = i + 1;
                return all[i].seconds;
            }
        return std::nullopt;
    }

    // Enter, the two queries and leave in this order from entry `from` on; the seconds from
    // the enter sentence to the leave sentence.
    double expectOneModeVisit(std::size_t& from) const
    {
        const auto enter = timeOf(kEnter, from);
        const auto version = timeOf("AT+VER\n", from);
        const auto address = timeOf("AT+SYSIP\n", from);
        const auto leave = timeOf(kLeave, from);
        EXPECT_TRUE(enter && version && address && leave);
        return enter && leave ? *leave - *enter : 0.0;
    }
};

TEST_F(NetworkWithSimulator, IdentificationAndThePageShowTheModulesValuesAndLeaveTheModeAgain)
{
    startSimulator({"--net-version", "V2.0.7", "--net-ip", "10.20.30.40"});
    connectAndIdentify();
    ASSERT_TRUE(PumpUntil([&] { return receivedCount(kLeave) == 1; }, kIdentifyMs));
    EXPECT_EQ(label("LabelEthFirmwareVersion"), QStringLiteral("V2.0.7\r\n"));
    EXPECT_EQ(label("LabelEthIP"), QStringLiteral("10.20.30.40"));
    ASSERT_TRUE(
        PumpUntil([&] { return label("LabelNetworkFirmwareVersoinData").startsWith(u"V2.0.7"); }, 5000));
    EXPECT_STREQ(access().DeviceInfo().NetworkFirmwareVersion, "V2.0.7\r\n");

    // Every sentence of the first visit as stored: the read-back's one-second waits hold the
    // timer back, so only the order counts here.
    std::size_t from = 0;
    expectOneModeVisit(from);
    EXPECT_EQ(receivedCount(kEnter), 1u);

    // Opening the sub-page again: the timer alone leaves the mode, about 1.6 s after entering.
    auto* pages = control<QTabWidget>("PageControlConf");
    pages->setCurrentWidget(control("TabSheetInternalGPS"));
    pages->setCurrentWidget(control("TabSheetNetwork"));
    ASSERT_TRUE(PumpUntil([&] { return receivedCount(kLeave) == 2; }, kIdentifyMs));
    const double seconds = expectOneModeVisit(from);
    std::printf("[ measured ] enter to leave on the NETWORK page: %.3f s\n", seconds);
    EXPECT_GT(seconds, 1.5);
    EXPECT_LT(seconds, 3.0);
    EXPECT_EQ(label("LabelEthIP"), QStringLiteral("10.20.30.40"));
    EXPECT_TRUE(boxes.calls().empty());
}

} // namespace
