// The main window against the virtual device, in real time: m47sim publishes its port in a
// private virtual-port folder, the window connects to it with its timers running, and the
// device's transcript shows what the window sent.
#include "simulatorfixture.h"

#include <QCheckBox>
#include <QDir>

#include <cstdio>

namespace {

constexpr int kCom = kSimulatorCom;

class Replugged : public WithSimulator
{
protected:
    // Whether the port list offers the device's port again.
    bool listed() const
    {
        auto* ports = control<QComboBox>("cbxDeviceComEnum");
        return ports->findText(QStringLiteral("(COM%1)").arg(kCom), Qt::MatchEndsWith) >= 0;
    }
};

TEST_F(WithSimulator, ConnectIdentifiesTheDeviceAndShowsItsSettings)
{
    startSimulator(
        {"--rs232-baud", "9600", "--nmea-baud", "4800", "--gps-nav-status", "4", "--gps-disabled"});
    const qint64 ms = connectAndIdentify();
    std::printf("[ measured ] Connect to \"Connected...\": %lld ms\n", static_cast<long long>(ms));
    EXPECT_EQ(statusText(), QStringLiteral("Connected..."));
    EXPECT_FALSE(control("PanelView")->isHidden());
    EXPECT_EQ(confPage(), control("TabSheetBaudRate"));
    // The read-back's query was answered too; the pages show the device's values.
    ASSERT_TRUE(PumpUntil([&] { return receivedCount(ProductInfoQuery) >= 2; }, kIdentifyMs));
    const auto lines = received();
    EXPECT_EQ(lines[0], ProductInfoQuery);
    EXPECT_EQ(lines[1], ProductInfoQuery);
    EXPECT_EQ(shown("cbxBaud_RS232"), QStringLiteral("9600"));
    EXPECT_EQ(shown("cbxBaud_NMEA"), QStringLiteral("4800"));
    EXPECT_EQ(shown("ComboBoxGPSNavStatus"), QStringLiteral("Altitude higher than 500m"));
    EXPECT_FALSE(control<QCheckBox>("CheckBoxInternalGPSEnable")->isChecked());
    auto* pages = control<QTabWidget>("PageControlConf");
    EXPECT_TRUE(pages->isTabVisible(pages->indexOf(control("TabSheetNetwork"))));
    EXPECT_STREQ(access().DeviceInfo().FirmwareVersion, "M47 V1.05.12");
    EXPECT_STREQ(access().DeviceInfo().SerialNumber, "M47A2612000047");
    EXPECT_TRUE(boxes.calls().empty());
}

TEST_F(WithSimulator, ProgrammedBaudRatesRestartTheDeviceAndTheWindowReconnectsToShowThem)
{
    // The port stays away long enough for the rescan to end the connection before the restart
    // sequence takes its first step: that step must then leave the vanished port alone.
    startSimulator({"--restart-pause", "6", "--no-network-module"});
    connectAndIdentify();
    access().TimerUpdateSysChk().stop();
    control<QComboBox>("cbxBaud_RS232")->setCurrentIndex(3); // 19200
    control<QComboBox>("cbxBaud_NMEA")->setCurrentIndex(1);  // 9600
    QElapsedTimer clock;
    clock.start();
    control<QAbstractButton>("SpeedButtonSetting")->click();
    ASSERT_TRUE(PumpUntil([&] { return progress->isVisible(); }, kIdentifyMs));
    ASSERT_TRUE(PumpUntil([&] { return connectionTag() == 0; }, kRestartMs));
    EXPECT_FALSE(access().Port().IsOpen());

    access().TimerUpdateSysChk().start();
    ASSERT_TRUE(PumpUntil([&] { return access().RestartStep() >= 2; }, kRestartMs));
    EXPECT_EQ(connectionTag(), 0);
    EXPECT_FALSE(access().Port().IsOpen());
    ASSERT_TRUE(PumpUntil([&] { return access().RestartStep() == 0; }, kRestartMs));
    EXPECT_FALSE(progress->isVisible());
    ASSERT_TRUE(PumpUntil([&] { return access().Identification().ConnectionState == 2; }, kIdentifyMs));
    std::printf("[ measured ] Program Device to \"Connected...\" after the restart: %lld ms\n",
                static_cast<long long>(clock.elapsed()));
    ASSERT_TRUE(PumpUntil([&] { return shown("cbxBaud_RS232") == QStringLiteral("19200"); }, kIdentifyMs));
    EXPECT_EQ(shown("cbxBaud_NMEA"), QStringLiteral("9600"));
    EXPECT_TRUE(boxes.calls().empty());
    EXPECT_EQ(receivedCount("$PDBG,43,3,41,4,,,,*14\r\n"), 1u);
}

TEST_F(WithSimulator, SilentDeviceTimesOutAfterEightQueries)
{
    startSimulator({"--no-identify"});
    access().Timer1().setInterval(50); // the seventeen ticks in under a second
    openPort()->click();
    ASSERT_TRUE(PumpUntil([&] { return !boxes.calls().empty(); }, kIdentifyMs));
    EXPECT_EQ(lastBoxText(), QStringLiteral("Please select correct device."));
    EXPECT_EQ(connectionTag(), 0);
    EXPECT_FALSE(access().Port().IsOpen());
    control<QComboBox>("cbxDeviceComEnum")->hidePopup();
    ASSERT_TRUE(PumpUntil([&] { return received().size() >= 8; }, kIdentifyMs));
    EXPECT_EQ(received(), std::vector<std::string>(8, ProductInfoQuery));
}

TEST_F(Replugged, DeviceVanishingMidSessionReturnsTheWindowToIdle)
{
    startSimulator({});
    connectAndIdentify();
    kill(sim, SIGUSR1); // unplugged
    ASSERT_TRUE(PumpUntil([&] { return connectionTag() == 0; }, kRestartMs));
    EXPECT_FALSE(access().Port().IsOpen());
    EXPECT_TRUE(control("PanelView")->isHidden());
    EXPECT_EQ(statusText(), QStringLiteral("Click to Connect"));
    EXPECT_EQ(openPort()->text(), QStringLiteral("Connect"));
    EXPECT_TRUE(boxes.calls().empty());
    // Plugged back in: the window connects as before.
    kill(sim, SIGUSR1);
    ASSERT_TRUE(PumpUntil([&] { return listed(); }, kRestartMs)); // the gone port left the list
    selectPort(kCom);
    connectAndIdentify();
    EXPECT_EQ(statusText(), QStringLiteral("Connected..."));
}

// Open descriptors and threads of this process, to see that connections leave nothing behind.
std::size_t CountEntries(const char* folder)
{
    return static_cast<std::size_t>(
        QDir(QLatin1String(folder)).entryList(QDir::AllEntries | QDir::NoDotAndDotDot).size());
}

// A jiggled cable: quick unplug/replug cycles at any moment of the connection. Every cycle must
// end idle on its own, and Connect must work again right after.
TEST_F(Replugged, QuickUnplugReplugCyclesAlwaysEndIdleAndReconnect)
{
    startSimulator({"--no-network-module"});
    constexpr int kCycles = 20;
    std::size_t fdsBefore = 0;
    std::size_t threadsBefore = 0;
    for (int cycle = 0; cycle < kCycles; ++cycle) {
        SCOPED_TRACE(cycle);
        // The list follows the port's return within its rescan.
        ASSERT_TRUE(PumpUntil([&] { return listed(); }, 10000));
        selectPort(kCom);
        if (cycle == 1) { // after the first connection has created what stays
            fdsBefore = CountEntries("/proc/self/fd");
            threadsBefore = CountEntries("/proc/self/task");
        }
        openPort()->click();
        ASSERT_EQ(connectionTag(), 1);
        // Unplugged at a different moment of the road each time, for 0.3 to 1.5 s.
        PumpUntil([] { return false; }, 100 + 150 * (cycle % 7));
        kill(sim, SIGUSR1);
        PumpUntil([] { return false; }, 300 + 60 * cycle);
        kill(sim, SIGUSR1);
        ASSERT_TRUE(PumpUntil([&] { return connectionTag() == 0; }, 5000)) << "left connected to a dead port";
        EXPECT_FALSE(access().Port().IsOpen());
    }
    ASSERT_TRUE(PumpUntil([&] { return published(); }, 10000));
    PumpUntil([] { return false; }, 2500); // the last rescan
    const std::size_t fdsAfter = CountEntries("/proc/self/fd");
    const std::size_t threadsAfter = CountEntries("/proc/self/task");
    std::printf("[ measured ] %d unplug/replug cycles: descriptors %zu -> %zu, threads %zu -> %zu\n", kCycles,
                fdsBefore, fdsAfter, threadsBefore, threadsAfter);
    EXPECT_LE(fdsAfter, fdsBefore);
    EXPECT_LE(threadsAfter, threadsBefore);
    selectPort(kCom);
    connectAndIdentify();
    EXPECT_EQ(statusText(), QStringLiteral("Connected..."));
    EXPECT_TRUE(boxes.calls().empty());
}

} // namespace
