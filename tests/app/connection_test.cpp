// The device connection in the main window, driven handler by handler over a pseudo-terminal:
// line assembly through the receive handler, Connect and its warnings, identification by timer
// ticks, the configuration read, Program Device's sentences as the device receives them, and
// the reconnect after a device restart.
#include "connectionfixture.h"

#include "logreport/data_log_view.h"

#include <QCheckBox>

#include <fcntl.h>
#include <sys/file.h>

#include <chrono>
#include <cstdio>
#include <functional>
#include <optional>
#include <thread>
#include <vector>

namespace {

constexpr int kCom = PtyDeviceFixture::kDeviceCom;

class Connection : public PtyDeviceFixture
{
protected:
    QStringList logLines() const
    {
        const auto* log = control<m47::logreport::DataLogView>("MemoDataLog");
        QStringList lines;
        for (std::size_t i = 0; i < log->lines().Count(); ++i)
            lines << log->lineText(i);
        return lines;
    }
};

TEST_F(Connection, ReceivedBytesAreAssembledIntoLinesForTheLogAndTheConsumers)
{
    connectDevice();
    SetTag(control("spbtnEnableLog"), 1);
    // A line split over two notifications is dispatched once, whole, after the second.
    device.Send("$PCVN,R,TXT,FIRMWA");
    ASSERT_TRUE(PumpUntil([&] { return access().PendingLength() == 18; }));
    EXPECT_FALSE(access().DeviceInfo().FirmwareVersionReceived);
    device.Send("RE=V1.02*3A\r\n");
    ASSERT_TRUE(PumpUntil([&] { return access().DeviceInfo().FirmwareVersionReceived != 0; }));
    EXPECT_STREQ(access().DeviceInfo().FirmwareVersion, "V1.02");

    // CR and NUL vanish wherever they are; a lone LF is an empty line; two lines in one chunk
    // both reach the configuration read. 82 characters are dispatched, 83 only logged.
    const std::string serial82 = "$PCVN,R,TXT,SERIAL NO.=" + std::string(56, 'S') + "*00";
    const std::string serial83 = "$PCVN,R,TXT,SERIAL NO.=" + std::string(57, 'T') + "*00";
    ASSERT_EQ(serial82.size(), 82u);
    device.Send(std::string("AB\rCD\n\n$PCVN,R,TXT,FIR\0MWARE=V2*00\r\n", 36) + serial83 + "\r\n");
    ASSERT_TRUE(PumpUntil([&] { return logLines().size() >= 5; }));
    EXPECT_STREQ(access().DeviceInfo().FirmwareVersion, "V2");
    EXPECT_FALSE(access().DeviceInfo().SerialNumberReceived);
    device.Send(serial82 + "\r\n");
    ASSERT_TRUE(PumpUntil([&] { return access().DeviceInfo().SerialNumberReceived != 0; }));
    EXPECT_STREQ(access().DeviceInfo().SerialNumber, std::string(15, 'S').c_str()); // cut to its field

    EXPECT_EQ(logLines(),
              QStringList({"$PCVN,R,TXT,FIRMWARE=V1.02*3A", "ABCD", "", "$PCVN,R,TXT,FIRMWARE=V2*00",
                           QString::fromStdString(serial83), QString::fromStdString(serial82)}));
}

TEST_F(Connection, InterfaceChoiceSetsThePortsBaudRate)
{
    start();
    auto* interfaceItem = control<QComboBox>("ComboBoxDeviceItem");
    auto* baudRate = control<QComboBox>("ComboBoxBaudRate");
    interfaceItem->setCurrentIndex(1);
    EXPECT_FALSE(baudRate->isHidden());
    baudRate->setCurrentText(QStringLiteral("57600"));
    EXPECT_EQ(access().Port().BaudRate(), br57600);
    interfaceItem->setCurrentIndex(0);
    EXPECT_TRUE(baudRate->isHidden());
    EXPECT_TRUE(control("LabelBaudRate")->isHidden());
    EXPECT_EQ(access().Port().BaudRate(), br128000);
}

TEST_F(Connection, ConnectAndDisconnectMoveBetweenIdleAndIdentifying)
{
    connectDevice();
    EXPECT_TRUE(openPort()->isChecked());
    EXPECT_EQ(openPort()->text(), QStringLiteral("Disconnect"));
    EXPECT_EQ(statusText(), QStringLiteral("Connecting..."));
    EXPECT_EQ(access().Identification().ConnectionState, 1);
    for (const char* box : {"ComboBoxDeviceItem", "ComboBoxBaudRate", "cbxDeviceComEnum"})
        EXPECT_FALSE(control(box)->isEnabled()) << box;
    EXPECT_EQ(access().Port().DeviceName(), QStringLiteral("\\\\.\\COM%1").arg(kCom));

    // The probe fails on our own open port; a click while connected still disconnects.
    openPort()->click();
    EXPECT_EQ(connectionTag(), 0);
    EXPECT_FALSE(openPort()->isChecked());
    EXPECT_FALSE(access().Port().IsOpen());
    EXPECT_EQ(openPort()->text(), QStringLiteral("Connect"));
    EXPECT_EQ(statusText(), QStringLiteral("Click to Connect"));
    for (const char* box : {"ComboBoxDeviceItem", "ComboBoxBaudRate", "cbxDeviceComEnum"})
        EXPECT_TRUE(control(box)->isEnabled()) << box;
    EXPECT_TRUE(boxes.calls().empty());
}

TEST_F(Connection, ConnectRefusesAPortInUseOrWithoutNumberAndStaysIdle)
{
    const QString held = QString::fromStdString(device.SlavePath());
    publish(203, held, "COMBO adapter"); // "(COM203)" passes the probe, the first "COM" has no number
    startWithPort(kCom);
    {
        const int other = open(device.SlavePath().c_str(), O_RDWR | O_NOCTTY);
        ASSERT_EQ(flock(other, LOCK_EX | LOCK_NB), 0); // another program holds the port
        openPort()->click();
        close(other);
    }
    ASSERT_EQ(boxes.calls().size(), 1u);
    // The second line names the holder, this test program (the kernel keeps 15 bytes of its name).
    EXPECT_EQ(boxes.calls()[0].text,
              QStringLiteral("The select device can not connectable.\n%1 is in use by app_connection_ (process "
                             "%2). Close that program, then try again.")
                  .arg(portsDir.filePath(QStringLiteral("COM%1").arg(kCom)))
                  .arg(getpid()));
    EXPECT_EQ(boxes.calls()[0].caption, QStringLiteral("WARNING"));
    EXPECT_EQ(boxes.calls()[0].buttons, QMessageBox::Ok);

    selectPort(203);
    openPort()->click();
    EXPECT_EQ(lastBoxText(), QStringLiteral("Please check connection port is correct!"));
    EXPECT_EQ(connectionTag(), 0);
    EXPECT_FALSE(openPort()->isChecked());
    EXPECT_FALSE(access().Port().IsOpen());
}

TEST_F(Connection, APortThatDoesNotOpenIsReportedAndTheWindowStaysIdle)
{
    // /dev/null passes the probe but is no terminal, so the component leaves it closed.
    publish(202, QStringLiteral("/dev/null"));
    startWithPort(202);
    openPort()->click();
    ASSERT_EQ(boxes.calls().size(), 1u);
    EXPECT_EQ(boxes.calls()[0].text, QStringLiteral("Port not open (Error: -1)\n%1 is not a serial port.")
                                         .arg(portsDir.filePath(QStringLiteral("COM202"))));
    EXPECT_EQ(boxes.calls()[0].caption, QStringLiteral("WARNING"));
    EXPECT_EQ(connectionTag(), 0);
    EXPECT_FALSE(openPort()->isChecked());
    EXPECT_EQ(openPort()->text(), QStringLiteral("Connect"));
    EXPECT_EQ(statusText(), QStringLiteral("Click to Connect"));
    EXPECT_EQ(access().Identification().ConnectionState, 0);
    EXPECT_TRUE(control("cbxDeviceComEnum")->isEnabled());
    EXPECT_FALSE(access().Port().IsOpen());
    // Nothing polls the closed port.
    for (int tick = 0; tick < 20; ++tick)
        access().Timer1Tick();
    EXPECT_EQ(boxes.calls().size(), 1u);
}

TEST_F(Connection, IdentificationPollsOnEverySecondTickAndGivesUpOnTheSeventeenth)
{
    connectDevice();
    std::vector<int> queryTicks;
    for (int tick = 1; tick <= 16; ++tick) {
        access().Timer1Tick();
        const std::string sent = received();
        if (!sent.empty()) {
            EXPECT_EQ(sent, ProductInfoQuery) << "tick " << tick;
            queryTicks.push_back(tick);
        }
    }
    EXPECT_EQ(queryTicks, (std::vector<int>{2, 4, 6, 8, 10, 12, 14, 16}));
    EXPECT_TRUE(boxes.calls().empty());
    EXPECT_EQ(connectionTag(), 1);

    access().Timer1Tick();
    ASSERT_EQ(boxes.calls().size(), 1u);
    EXPECT_EQ(boxes.calls()[0].text, QStringLiteral("Please select correct device."));
    EXPECT_EQ(boxes.calls()[0].caption, QStringLiteral("Veldra M47 Configurator"));
    EXPECT_EQ(connectionTag(), 0);
    EXPECT_FALSE(access().Port().IsOpen());
    EXPECT_EQ(statusText(), QStringLiteral("Click to Connect"));
    auto* ports = control<QComboBox>("cbxDeviceComEnum");
    EXPECT_TRUE(ports->view()->isVisible()); // dropped down for another choice
    ports->hidePopup();
}

TEST_F(Connection, EndLineBetweenPollsIdentifiesAtOnceAfterTheReadBack)
{
    connectDevice();
    for (int tick = 1; tick <= 3; ++tick)
        access().Timer1Tick();
    EXPECT_EQ(received(), ProductInfoQuery);
    device.Send(DeviceLine("$PCVN,R,TXT,PROD. INFO. END") + "\r\n");
    ASSERT_TRUE(PumpUntil([&] { return access().Identification().ConnectionState == 2; }, 15000));
    EXPECT_EQ(received(), ProductInfoQuery); // the read-back's query
    EXPECT_EQ(statusText(), QStringLiteral("Connected..."));
    EXPECT_TRUE(access().Identification().ProductInfoComplete);
    EXPECT_FALSE(control("PanelView")->isHidden());
    EXPECT_EQ(confPage(), control("TabSheetBaudRate"));
    EXPECT_TRUE(access().TimerUpdateSysChk().isActive());
    for (int tick = 0; tick < 4; ++tick)
        access().Timer1Tick();
    EXPECT_EQ(received(), "");
}

TEST_F(Connection, DoubleClickIdentifiesOnlyWhileIdentifying)
{
    startWithPort(kCom);
    doubleClickStatus();
    EXPECT_EQ(access().Identification().ConnectionState, 0);
    EXPECT_TRUE(control("PanelView")->isHidden());

    openPort()->click();
    doubleClickStatus();
    EXPECT_EQ(access().Identification().ConnectionState, 2);
    EXPECT_EQ(statusText(), QStringLiteral("Connected..."));
    EXPECT_FALSE(control("PanelView")->isHidden());
    EXPECT_EQ(received(), ""); // no read-back

    doubleClickStatus();
    EXPECT_EQ(access().Identification().ConnectionState, 2);
    openPort()->click();
    EXPECT_TRUE(control("PanelView")->isHidden());
    EXPECT_TRUE(access().TimerUpdateSysChk().isActive()); // keeps running after the connection
}

TEST_F(Connection, StatusBlinksRedAndBlackOnlyWhileIdentifying)
{
    connectDevice();
    auto* status = control<QLabel>("LabelConnectionStatus");
    std::vector<QString> colours;
    for (int tick = 0; tick < 3; ++tick) {
        access().Timer2Tick();
        colours.push_back(status->styleSheet());
    }
    EXPECT_EQ(colours, (std::vector<QString>{"color: red;", "color: black;", "color: red;"}));
    doubleClickStatus();
    access().Timer2Tick();
    EXPECT_EQ(status->styleSheet(), QStringLiteral("color: black;"));
}

// The 500 ms tick runs the device-change step before the blink: the tick whose rescan ends the
// connection leaves the label black, not in the next blink colour.
TEST_F(Connection, TickThatEndsTheConnectionAtTheRescanLeavesTheStatusBlack)
{
    connectDevice();
    auto* status = control<QLabel>("LabelConnectionStatus");
    access().Timer2Tick();
    ASSERT_EQ(status->styleSheet(), QStringLiteral("color: red;"));
    unpublish(kCom);
    access().RescanAfterDeviceChange();
    ASSERT_EQ(connectionTag(), 0);
    EXPECT_EQ(status->styleSheet(), QStringLiteral("color: black;"));
}

// One product-information line on a fresh window and what the configuration pages show then.
struct ShownValue {
    const char* control;
    const char* property;
    QVariant value;
};
struct ConfigurationCase {
    const char* text; // sent with its checksum unless it carries one
    int interfaceItem;
    std::vector<ShownValue> shown;
    std::optional<bool> networkItems;
    std::optional<bool> restart;
};

TEST_F(Connection, ProductInformationLinesSetTheConfigurationPages)
{
    const ConfigurationCase cases[] = {
        {"$PCVN,R,TXT,RS232 BAUD RATE=9600", 0, {{"cbxBaud_RS232", "currentText", "9600"}}, {}, {}},
        {"$PCVN,R,TXT,RS232 BAUD RATE=2400", 0, {{"cbxBaud_RS232", "currentText", "115200"}}, {}, {}},
        {"$PCVN,R,TXT,NMEA BAUD RATE=4800", 0, {{"cbxBaud_NMEA", "currentText", "4800"}}, {}, {}},
        {"$PCVN,R,TXT,ETH_MODULE=ON", 0, {}, true, {}},
        {"$PCVN,R,TXT,ETH_MODULE=ON", 1, {}, false, {}},
        {"$PCVN,R,TXT,ETH_MODULE=OFF", 0, {}, false, {}},
        {"$PCVN,R,TXT,GPS_DISABLE=ON",
         0,
         {{"CheckBoxInternalGPSEnable", "checked", false},
          {"ComboBoxGPSNavStatus", "enabled", false},
          {"LabelGPSNavStatus", "enabled", false}},
         {},
         {}},
        {"$PCVN,R,TXT,GPS_DISABLE=OFF",
         0,
         {{"CheckBoxInternalGPSEnable", "checked", true},
          {"ComboBoxGPSNavStatus", "enabled", true},
          {"LabelGPSNavStatus", "enabled", true}},
         {},
         {}},
        {"$PCVN,R,TXT,GPS_NAV_STATUS=5",
         0,
         {{"ComboBoxGPSNavStatus", "currentText", "At Sea level"}},
         {},
         {}},
        {"$PCVN,R,TXT,GPS_NAV_STATUS=4",
         0,
         {{"ComboBoxGPSNavStatus", "currentText", "Altitude higher than 500m"}},
         {},
         {}},
        {"$PCVN,R,TXT,SYSTEM RESTART", 0, {}, {}, true},
        {"$PCVN,R,TXT,SYSTEM RESTART*00\r\n", 0, {}, {}, false},
    };
    for (const ConfigurationCase& c : cases) {
        SCOPED_TRACE(c.text);
        boxes = ScriptedMessageBoxes();
        start();
        access().StopTimers();
        auto* gpsEnable = control<QCheckBox>("CheckBoxInternalGPSEnable");
        gpsEnable->setChecked(true); // the opposite of what GPS_DISABLE=ON shows, and so on
        control("ComboBoxGPSNavStatus")->setEnabled(false);
        control<QComboBox>("ComboBoxGPSNavStatus")->setCurrentIndex(-1);
        control<QComboBox>("ComboBoxDeviceItem")->setCurrentIndex(c.interfaceItem);
        auto* pages = control<QTabWidget>("PageControlConf");
        pages->setTabVisible(pages->indexOf(control("TabSheetNetwork")), !c.networkItems.value_or(true));
        const std::string text = c.text;
        access().ParseConfigurationLine(text.find('*') == std::string::npos ? DeviceLine(text) + "\r\n"
                                                                            : text);
        for (const ShownValue& v : c.shown)
            EXPECT_EQ(control(v.control)->property(v.property), v.value) << v.control << "." << v.property;
        if (c.networkItems) {
            EXPECT_EQ(pages->isTabVisible(pages->indexOf(control("TabSheetNetwork"))), *c.networkItems);
            for (const char* item : {"ImageNetworkFirmwareVersion", "LabelNetworkFirmwareVersionCaption",
                                     "LabelNetworkFirmwareVersoinData"})
                EXPECT_EQ(control(item)->isHidden(), !*c.networkItems) << item;
        }
        if (c.restart) {
            EXPECT_EQ(progress->isVisible(), *c.restart);
            EXPECT_EQ(access().RestartStep(), *c.restart ? 1 : 0);
            if (*c.restart) {
                EXPECT_EQ(progress->progressBar()->maximum(), 10);
                EXPECT_EQ(progress->progressBar()->value(), 0);
            }
        }
        progress->hide();
    }
}

TEST_F(Connection, ReadDeviceShowsTheBaudRatePageFiveTicksLaterAndSendsNothing)
{
    connectDevice();
    doubleClickStatus();
    control<QTabWidget>("PageControlConf")->setCurrentWidget(control("TabSheetRestore"));
    control<QAbstractButton>("SpeedButtonReload")->click();
    for (int tick = 1; tick <= 4; ++tick)
        access().Timer2Tick();
    EXPECT_EQ(confPage(), control("TabSheetRestore"));
    access().Timer2Tick();
    EXPECT_EQ(confPage(), control("TabSheetBaudRate"));
    EXPECT_EQ(access().ReadDeviceCountdown(), 255);
    EXPECT_EQ(received(), "");
}

TEST_F(Connection, ProgramDeviceSendsThePagesSentenceWithItsChecksum)
{
    connectDevice();
    access().ParseConfigurationLine(DeviceLine("$PCVN,R,TXT,ETH_MODULE=ON") + "\r\n"); // NETWORK can be shown
    doubleClickStatus();
    const auto restore = [this](bool baud, bool gps, bool network) {
        return [=, this] {
            control<QCheckBox>("CheckBoxBaudRateRestore")->setChecked(baud);
            control<QCheckBox>("CheckBoxInternalGPSRestore")->setChecked(gps);
            control<QCheckBox>("CheckBoxNetworkRestore")->setChecked(network);
        };
    };
    const auto gps = [this](bool enabled, int mode) {
        return [=, this] {
            control<QCheckBox>("CheckBoxInternalGPSEnable")->setChecked(enabled);
            control<QComboBox>("ComboBoxGPSNavStatus")->setCurrentIndex(mode);
        };
    };
    const auto baud = [this](int rs232, int nmea) {
        return [=, this] {
            control<QComboBox>("cbxBaud_RS232")->setCurrentIndex(rs232);
            control<QComboBox>("cbxBaud_NMEA")->setCurrentIndex(nmea);
        };
    };
    struct ProgramCase {
        const char* page;
        std::function<void()> choose;
        std::optional<QMessageBox::StandardButton> answer; // the restore question is asked
        std::string sent;
    };
    const ProgramCase cases[] = {
        {"TabSheetBaudRate", baud(2, 0), {}, "$PDBG,43,2,41,2,,,,*13\r\n"},
        {"TabSheetBaudRate", baud(3, 1), {}, "$PDBG,43,3,41,4,,,,*14\r\n"},
        {"TabSheetBaudRate", baud(0, -1), {}, ""},
        {"TabSheetInternalGPS", gps(true, 1), {}, "$PDBG,50,0,52,5,,,,*16\r\n"},
        {"TabSheetInternalGPS", gps(false, 0), {}, "$PDBG,50,1,52,4,,,,*16\r\n"},
        {"TabSheetRestore", restore(false, true, false), QMessageBox::Yes,
         "$PDBG,100,2,100,0,100,0,,*12\r\n"},
        {"TabSheetRestore", restore(true, true, true), QMessageBox::Yes, "$PDBG,100,1,100,2,100,3,,*10\r\n"},
        {"TabSheetRestore", restore(false, true, true), QMessageBox::Yes, "$PDBG,100,2,100,3,100,0,,*11\r\n"},
        {"TabSheetRestore", restore(false, true, false), QMessageBox::No, ""},
        {"TabSheetRestore", restore(false, false, false), {}, ""},
        {"TabSheetNetwork", restore(true, true, true), {}, ""},
    };
    auto* pages = control<QTabWidget>("PageControlConf");
    for (const ProgramCase& c : cases) {
        SCOPED_TRACE(std::string(c.page) + " " + c.sent);
        pages->setCurrentWidget(control(c.page));
        ASSERT_EQ(pages->currentWidget(), control(c.page));
        c.choose();
        received(); // what the page change sent (the network module's mode); Program Device's bytes count
        const std::size_t asked = boxes.calls().size();
        if (c.answer)
            boxes.answerNext(*c.answer);
        control<QAbstractButton>("SpeedButtonSetting")->click();
        EXPECT_EQ(received(), c.sent);
        ASSERT_EQ(boxes.calls().size(), asked + (c.answer ? 1 : 0));
        if (c.answer) {
            EXPECT_EQ(lastBoxText(), QStringLiteral("Are you sure to restore settings?"));
            EXPECT_EQ(boxes.calls().back().caption, QStringLiteral("WARNING"));
            EXPECT_EQ(boxes.calls().back().buttons, QMessageBox::Yes | QMessageBox::No);
        }
    }
}

// The reconnect after the device announced a restart, tick by tick of the system check timer.
class Restart : public Connection
{
protected:
    void SetUp() override
    {
        Connection::SetUp();
        connectDevice();
        doubleClickStatus();
        access().ParseConfigurationLine(DeviceLine("$PCVN,R,TXT,SYSTEM RESTART") + "\r\n");
        ASSERT_TRUE(progress->isVisible());
    }
    // Ticks of the system check timer until the sequence stands at `step`.
    void tickTo(int step)
    {
        while (access().RestartStep() != step && access().RestartStep() != 0) {
            access().SysChkTick();
            EXPECT_EQ(progress->progressBar()->value(),
                      access().RestartStep() == 0 ? 10 : access().RestartStep());
        }
    }
};

TEST_F(Restart, ClosesOnTheNextTickAndReopensAtTenWhenThePortIsListed)
{
    access().SysChkTick();
    EXPECT_EQ(progress->progressBar()->value(), 2);
    EXPECT_EQ(connectionTag(), 0);
    EXPECT_FALSE(access().Port().IsOpen());
    EXPECT_TRUE(progress->isVisible());
    tickTo(9);
    EXPECT_EQ(connectionTag(), 0);
    access().SysChkTick();
    EXPECT_EQ(access().RestartStep(), 0);
    EXPECT_EQ(progress->progressBar()->value(), 10);
    EXPECT_FALSE(progress->isVisible());
    EXPECT_EQ(connectionTag(), 1);
    EXPECT_TRUE(openPort()->isChecked());
    EXPECT_TRUE(access().Port().IsOpen());
    EXPECT_EQ(statusText(), QStringLiteral("Connecting..."));
    EXPECT_EQ(control<QComboBox>("cbxDeviceComEnum")->currentText(),
              QStringLiteral("Test M47 (COM%1)").arg(kCom));
    EXPECT_TRUE(boxes.calls().empty());
}

TEST_F(Restart, EndsIdleWithTheProgressHiddenWhenThePortDidNotComeBack)
{
    access().SysChkTick();
    unpublish(kCom);
    access().RescanAfterDeviceChange();
    tickTo(10);
    EXPECT_EQ(access().RestartStep(), 10);
    EXPECT_FALSE(progress->isVisible());
    EXPECT_EQ(connectionTag(), 0);
    EXPECT_FALSE(access().Port().IsOpen());
    access().SysChkTick();
    EXPECT_EQ(access().RestartStep(), 10);
    EXPECT_TRUE(boxes.calls().empty());
}

TEST_F(Restart, APortRescanThatEndedTheConnectionFirstIsNotReopenedByTheCloseStep)
{
    // The device's port goes away right after the announcement; the rescan ends the connection
    // before the system check timer ticks.
    unpublish(kCom);
    access().RescanAfterDeviceChange();
    ASSERT_EQ(connectionTag(), 0);
    access().SysChkTick();
    EXPECT_EQ(progress->progressBar()->value(), 2);
    EXPECT_EQ(connectionTag(), 0);
    EXPECT_FALSE(access().Port().IsOpen());
    EXPECT_TRUE(boxes.calls().empty());
    // The port is back in time: the sequence reconnects at ten as usual.
    publish(kCom, QString::fromStdString(device.SlavePath()));
    access().RescanAfterDeviceChange();
    tickTo(0);
    EXPECT_EQ(connectionTag(), 1);
    EXPECT_TRUE(access().Port().IsOpen());
    EXPECT_FALSE(progress->isVisible());
}

TEST_F(Connection, VanishedPortEndsTheConnectionAtTheRescan)
{
    connectDevice();
    access().RescanAfterDeviceChange(); // still listed: nothing happens
    EXPECT_EQ(connectionTag(), 1);
    unpublish(kCom);
    access().RescanAfterDeviceChange();
    EXPECT_EQ(connectionTag(), 0);
    EXPECT_FALSE(access().Port().IsOpen());
    EXPECT_TRUE(boxes.calls().empty());
    // The rescan that ended the connection rebuilds the list: the gone port is not offered.
    auto* ports = control<QComboBox>("cbxDeviceComEnum");
    EXPECT_EQ(ports->currentIndex(), -1);
    EXPECT_EQ(ports->itemText(0), QStringLiteral("- NOT SELECTED -"));
}

// A device that goes away while connected: the window must never stay connected to a dead port.
class LostPort : public Connection
{
protected:
    // Points COM<kCom> at `target` in one step, as a publisher does on a replug.
    void republish(const std::string& target)
    {
        const QString link = portsDir.filePath(QStringLiteral("COM%1").arg(kCom));
        const QString fresh = link + QStringLiteral(".new");
        ASSERT_TRUE(QFile::link(QString::fromStdString(target), fresh));
        ASSERT_EQ(std::rename(fresh.toLocal8Bit().constData(), link.toLocal8Bit().constData()), 0);
    }
    bool listed() const
    {
        return control<QComboBox>("cbxDeviceComEnum")
                   ->findText(QStringLiteral("(COM%1)").arg(kCom), Qt::MatchEndsWith) >= 0;
    }
    void expectIdleWithoutAWord()
    {
        EXPECT_EQ(connectionTag(), 0);
        EXPECT_FALSE(access().Port().IsOpen());
        EXPECT_EQ(statusText(), QStringLiteral("Click to Connect"));
        EXPECT_TRUE(boxes.calls().empty());
    }
};

TEST_F(LostPort, HangUpWhileConnectedEndsTheConnectionAndTheGonePortLeavesTheList)
{
    connectDevice();
    doubleClickStatus();
    device.CloseMaster();
    ASSERT_TRUE(PumpUntil([&] { return connectionTag() == 0; }, 2000)); // the hang-up event alone
    expectIdleWithoutAWord();
    EXPECT_FALSE(listed());
}

TEST_F(LostPort, HangUpDuringTheReadBackWaitsEndsTheConnectionRightAfterThem)
{
    connectDevice();
    std::thread unplug([this] {
        std::this_thread::sleep_for(std::chrono::milliseconds(400));
        device.CloseMaster();
    });
    device.Send(DeviceLine("$PCVN,R,TXT,PROD. INFO. END"));
    ASSERT_TRUE(PumpUntil([&] { return access().Identification().ConnectionState == 2; }, 5000));
    unplug.join();
    ASSERT_TRUE(PumpUntil([&] { return connectionTag() == 0; }, 1000));
    expectIdleWithoutAWord();
}

TEST_F(LostPort, ReplugUnderTheSameNameWithinTheDebounceEndsTheConnection)
{
    connectDevice();
    PtyPair replugged;
    ASSERT_TRUE(replugged.Valid());
    republish(replugged.SlavePath()); // the old node still answers: only its identity tells
    access().Timer2Tick();
    expectIdleWithoutAWord();
    ASSERT_TRUE(listed());
    selectPort(kCom);
    openPort()->click();
    ASSERT_EQ(connectionTag(), 1);
    access().Timer1Tick();
    access().Timer1Tick();
    EXPECT_EQ(replugged.Receive(1 << 10, 100), ProductInfoQuery); // the new node is the one open
    access().Timer2Tick();
    EXPECT_EQ(connectionTag(), 1);
}

TEST_F(LostPort, HangUpOfARestartingDeviceLeavesTheSequenceToReconnect)
{
    connectDevice();
    doubleClickStatus();
    access().ParseConfigurationLine(DeviceLine("$PCVN,R,TXT,SYSTEM RESTART") + "\r\n");
    device.CloseMaster(); // the device restarts at once
    ASSERT_TRUE(PumpUntil([&] { return connectionTag() == 0; }, 2000));
    PtyPair restarted;
    ASSERT_TRUE(restarted.Valid());
    republish(restarted.SlavePath());
    std::vector<int> progressShown;
    while (access().RestartStep() != 0 && progressShown.size() < 12) {
        access().Timer2Tick(); // two 500 ms ticks to each second of the system check
        access().Timer2Tick();
        access().SysChkTick();
        progressShown.push_back(progress->progressBar()->value());
    }
    EXPECT_EQ(progressShown, (std::vector<int>{2, 3, 4, 5, 6, 7, 8, 9, 10}));
    EXPECT_EQ(connectionTag(), 1);
    EXPECT_TRUE(access().Port().IsOpen());
    EXPECT_FALSE(progress->isVisible());
    EXPECT_TRUE(boxes.calls().empty());
}

TEST_F(LostPort, DanglingVirtualLinkLeavesTheListWithoutAnyFolderEvent)
{
    startWithPort(kCom);
    device.CloseMaster(); // a publisher killed outright: its link stays and dangles
    for (int tick = 0; tick < 4; ++tick)
        access().Timer2Tick();
    EXPECT_FALSE(access().DeviceChangePending());
    EXPECT_FALSE(listed());
}

} // namespace
