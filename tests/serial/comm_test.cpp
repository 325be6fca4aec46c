// The serial component against a pseudo-terminal: open and close, errors, line settings, the
// property rules, reads and writes.
#include "serial/comm.h"
#include "serial/port_scan.h"
#include "serial/posix_port.h"
#include "pty_pair.h"

#include <QVariant>

#include <gtest/gtest.h>

#include <cstring>
#include <stdexcept>
#include <termios.h>

namespace {

std::string ErrorText(const std::function<void()>& action)
{
    try {
        action();
    } catch (const std::runtime_error& e) {
        return e.what();
    }
    return "(nothing raised)";
}

class CommTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(pty.Valid());
        comm.SetDeviceName(QString::fromStdString(pty.SlavePath()));
    }
    std::uint32_t DeviceBitRate() const
    {
        std::uint32_t rate = 0;
        EXPECT_EQ(posixport::GetBitRate(pty.Master(), rate), 0);
        return rate;
    }
    tcflag_t DeviceCflag() const
    {
        termios tio{};
        EXPECT_EQ(tcgetattr(pty.Master(), &tio), 0); // a master reports its slave's settings
        return tio.c_cflag;
    }

    PtyPair pty;
    TComm comm;
};

TEST_F(CommTest, InitialPropertiesAreThoseOfTheComponent)
{
    TComm fresh;
    EXPECT_EQ(fresh.DeviceName(), "Com2");
    EXPECT_EQ(fresh.BaudRate(), br9600);
    EXPECT_EQ(fresh.ReadBufSize(), 4096);
    EXPECT_EQ(fresh.WriteBufSize(), 2048);
    EXPECT_EQ(fresh.MonitorEvents(), kAllCommEvents);
    EXPECT_EQ(EventMaskOf(fresh.MonitorEvents()), 0x1FFu);
    EXPECT_EQ(fresh.EventChars().XOnChar(), 17);
    EXPECT_EQ(fresh.EventChars().XOffChar(), 19);
    EXPECT_EQ(fresh.FlowControl(), fcDefault);
    EXPECT_FALSE(fresh.IsOpen());
    // The published properties reach the same state.
    EXPECT_EQ(fresh.property("DeviceName").toString(), "Com2");
    EXPECT_TRUE(fresh.setProperty("BaudRate", QVariant::fromValue(br128000)));
    EXPECT_EQ(fresh.BaudRate(), br128000);
}

TEST_F(CommTest, OpensClosesAndOpensAgain)
{
    comm.Open();
    ASSERT_TRUE(comm.IsOpen());
    EXPECT_NE(comm.EventThread(), nullptr);
    EXPECT_EQ(ErrorText([&] { comm.Open(); }), "Port already assigned (open) (Error: -1)");
    EXPECT_TRUE(comm.IsOpen());
    comm.Close();
    EXPECT_FALSE(comm.IsOpen());
    EXPECT_EQ(comm.EventThread(), nullptr);
    comm.Close(); // closing a closed port does nothing
    comm.Open();
    EXPECT_TRUE(comm.IsOpen());
}

TEST_F(CommTest, MissingDeviceOpensNothingAndModemLinesThenRaise)
{
    for (const char* name : {"/dev/does-not-exist", "\\\\.\\COM254", "/dev/null"}) {
        SCOPED_TRACE(name);
        TComm missing;
        missing.SetDeviceName(QString::fromLatin1(name));
        EXPECT_NO_THROW(missing.Open());
        EXPECT_FALSE(missing.IsOpen());
        EXPECT_EQ(ErrorText([&] { missing.SetRts(true); }), "Port not open (Error: -1)");
        EXPECT_EQ(ErrorText([&] { missing.SetDtr(false); }), "Port not open (Error: -1)");
        char byte = 0;
        EXPECT_EQ(missing.Write(&byte, 1), -1);
        EXPECT_EQ(missing.Read(&byte, 1), -1);
    }
}

TEST_F(CommTest, OpenPortIsExclusiveAgainstTheProbe)
{
    const TPortEnvironment env = SystemPortEnvironment();
    const QString path = QString::fromStdString(pty.SlavePath());
    EXPECT_TRUE(ProbeDevice(path, env).Ok);
    comm.Open();
    const TProbeResult busy = ProbeDevice(path, env);
    EXPECT_FALSE(busy.Ok);
    EXPECT_EQ(busy.Error, EBUSY);
    TComm second;
    second.SetDeviceName(path);
    second.Open();
    EXPECT_FALSE(second.IsOpen());
    comm.Close();
    EXPECT_TRUE(ProbeDevice(path, env).Ok);
}

TEST_F(CommTest, LineSettingsReachTheDevice)
{
    comm.Open();
    for (TBaudRate rate : {br4800, br9600, br19200, br38400, br57600, br115200, br128000, br256000}) {
        comm.SetBaudRate(rate);
        EXPECT_EQ(DeviceBitRate(), kBitRates[rate]) << "rate " << kBitRates[rate];
    }
    comm.SetStopBits(sb20);
    EXPECT_TRUE(DeviceCflag() & CSTOPB);
    EXPECT_EQ(comm.LineSettings().StopBits, 2);
    comm.SetParity(paMark);
    EXPECT_EQ(comm.LineSettings().Parity, 3);
    // A pseudo-terminal carries 8 data bits only: it refuses 7.
    EXPECT_EQ(ErrorText([&] { comm.SetDataBits(da7); }), "Error updating DataControlBlock (Error: 22)");
}

TEST(RawTermios, ParityByteSizeAndStopBitsMapToTheirFlags)
{
    struct Case {
        std::uint8_t parity, byteSize, stopBits;
        tcflag_t cflag;
    };
    for (const Case& c : {Case{0, 8, 0, CS8}, Case{1, 8, 0, CS8 | PARENB | PARODD},
                          Case{2, 7, 0, CS7 | PARENB}, Case{3, 7, 2, CS7 | PARENB | PARODD | CMSPAR | CSTOPB},
                          Case{4, 5, 1, CS5 | PARENB | CMSPAR | CSTOPB}, Case{0, 6, 0, CS6}}) {
        termios tio{};
        tio.c_cflag = CRTSCTS | PARODD | CS7; // as a driver might report it
        TLineSettings settings;
        settings.Parity = c.parity;
        settings.ByteSize = c.byteSize;
        settings.StopBits = c.stopBits;
        ASSERT_TRUE(posixport::MakeRawTermios(tio, settings));
        EXPECT_EQ(tio.c_cflag & (CSIZE | PARENB | PARODD | CMSPAR | CSTOPB), c.cflag) << int(c.parity);
        EXPECT_EQ(tio.c_cflag & (CLOCAL | CREAD | CRTSCTS), static_cast<tcflag_t>(CLOCAL | CREAD | CRTSCTS));
        EXPECT_EQ(tio.c_cc[VMIN], 1);
        EXPECT_EQ(tio.c_cc[VTIME], 0);
    }
    termios tio{};
    TLineSettings four;
    four.ByteSize = 4;
    EXPECT_FALSE(posixport::MakeRawTermios(tio, four));
}

TEST_F(CommTest, RefusedSettingRaisesAndKeepsTheValue)
{
    comm.Open();
    EXPECT_EQ(ErrorText([&] { comm.SetDataBits(da4); }), "Error updating DataControlBlock (Error: 22)");
    EXPECT_EQ(comm.DataBits(), da4);
    EXPECT_TRUE(comm.IsOpen());
    comm.Close();
    // Refused at Open: the port stays open without an event thread, and Close still closes it.
    EXPECT_EQ(ErrorText([&] { comm.Open(); }), "Error updating DataControlBlock (Error: 22)");
    EXPECT_TRUE(comm.IsOpen());
    EXPECT_EQ(comm.EventThread(), nullptr);
    comm.Close();
    EXPECT_FALSE(comm.IsOpen());
}

TEST_F(CommTest, SettersReapplyOnlyOnChange)
{
    comm.SetBaudRate(br57600); // while closed: stored, applied by Open
    EXPECT_NE(DeviceBitRate(), 57600u);
    comm.Open();
    EXPECT_EQ(DeviceBitRate(), 57600u);

    // Someone else changes the rate behind the component's back; equal values leave it alone.
    ASSERT_EQ(posixport::SetBitRate(pty.Master(), 4800), 0);
    comm.SetBaudRate(br57600);
    comm.SetParity(paNone);
    comm.SetOptions({});
    EXPECT_EQ(DeviceBitRate(), 4800u);
    // A change of FlowControl re-applies the line settings (but no flow-control bits).
    const tcflag_t flowBefore = DeviceCflag() & CRTSCTS;
    comm.SetFlowControl(fcCTS);
    EXPECT_EQ(DeviceBitRate(), 57600u);
    EXPECT_EQ(DeviceCflag() & CRTSCTS, flowBefore);
    // A special character always re-applies.
    ASSERT_EQ(posixport::SetBitRate(pty.Master(), 4800), 0);
    comm.EventChars().SetXOnChar(comm.EventChars().XOnChar());
    EXPECT_EQ(DeviceBitRate(), 57600u);
}

TEST_F(CommTest, DeviceNameAndQueueSizesAreIgnoredWhileOpen)
{
    comm.Open();
    const QString opened = comm.DeviceName();
    comm.SetDeviceName(QStringLiteral("/dev/other"));
    comm.SetReadBufSize(100);
    comm.SetMonitorEvents({evRxChar});
    EXPECT_EQ(comm.DeviceName(), opened);
    EXPECT_EQ(comm.ReadBufSize(), 4096);
    EXPECT_EQ(comm.MonitorEvents(), kAllCommEvents);
    comm.Close();
    EXPECT_EQ(comm.DeviceName(), opened);
    comm.SetDeviceName(QStringLiteral("/dev/other"));
    EXPECT_EQ(comm.DeviceName(), "/dev/other");
}

TEST_F(CommTest, WritesAndReadsBytes)
{
    comm.Open();
    comm.SetRts(true); // a pseudo-terminal has no modem lines: no error
    comm.SetDtr(true);
    const char line[] = "$PTST,,,,,16*6B\r\n";
    EXPECT_EQ(comm.Write(line, static_cast<int>(std::strlen(line))), static_cast<int>(std::strlen(line)));
    EXPECT_EQ(pty.Receive(std::strlen(line)), line);

    char buffer[64] = {};
    EXPECT_EQ(comm.Read(buffer, 0), 0);
    EXPECT_EQ(comm.Read(buffer, -3), 0);
    EXPECT_EQ(comm.Write(buffer, 0), 0);
    ASSERT_TRUE(pty.Send("$GPGSV"));
    // More than arrived: waits up to its time-out and returns what came.
    EXPECT_EQ(comm.Read(buffer, sizeof buffer), 6);
    EXPECT_EQ(std::string(buffer, 6), "$GPGSV");
    comm.Close();
    EXPECT_EQ(comm.Write(line, 3), -1);
    EXPECT_EQ(comm.Read(buffer, 3), -1);
}

TEST_F(CommTest, DestructorClosesAnOpenPort)
{
    const QString path = QString::fromStdString(pty.SlavePath());
    {
        TComm scoped;
        scoped.SetDeviceName(path);
        scoped.Open();
        ASSERT_TRUE(scoped.IsOpen());
    }
    EXPECT_TRUE(ProbeDevice(path, SystemPortEnvironment()).Ok);
}

} // namespace
