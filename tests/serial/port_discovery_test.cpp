// Port discovery on a fake machine: sysfs and device nodes in a temporary tree, the virtual-port
// folder, the debounced rescan, the inotify watcher, and a vanished port ending the connection.
#include "serial/comm.h"
#include "serial/device_watcher.h"
#include "serial/port_list.h"
#include "serial/port_scan.h"
#include "pty_pair.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cerrno>
#include <grp.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

void WriteText(const QString& path, const QByteArray& text)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(text);
}

void Link(const QString& target, const QString& link)
{
    QDir().mkpath(QFileInfo(link).path());
    QFile::remove(link);
    ASSERT_TRUE(QFile::link(target, link)) << link.toStdString();
}

// A fake /sys/class/tty and /dev: device nodes are links to /dev/null (a character device).
class FakeMachine
{
public:
    FakeMachine()
    {
        env.DevDir = root.filePath("dev");
        env.SysClassTty = root.filePath("sys/class/tty");
        env.VirtualDir = root.filePath("ports");
        QDir().mkpath(env.DevDir);
        QDir().mkpath(env.VirtualDir);
    }
    void AddUart(const QString& node, const char* type)
    {
        WriteText(env.SysClassTty + "/" + node + "/type", type);
        Link(root.filePath("sys/devices/platform/serial8250"), env.SysClassTty + "/" + node + "/device");
        QDir().mkpath(root.filePath("sys/devices/platform/serial8250"));
        Link("/dev/null", env.DevDir + "/" + node);
    }
    void AddUsb(const QString& node, const QByteArray& product)
    {
        const QString usb = root.filePath("sys/devices/usb1/1-" + node);
        WriteText(usb + "/idVendor", "0403\n");
        if (!product.isEmpty())
            WriteText(usb + "/product", product);
        QDir().mkpath(usb + "/1-1:1.0/" + node);
        QDir().mkpath(env.SysClassTty + "/" + node);
        Link(usb + "/1-1:1.0", env.SysClassTty + "/" + node + "/device");
        Link("/dev/null", env.DevDir + "/" + node);
    }
    void Publish(int com, const QString& target, const QByteArray& name)
    {
        if (!name.isNull())
            WriteText(env.VirtualDir + QStringLiteral("/COM%1.name").arg(com), name);
        Link(target, env.VirtualDir + QStringLiteral("/COM%1").arg(com));
    }
    QStringList Names() const
    {
        QStringList names;
        for (const TFoundPort& port : ScanPorts(env))
            names << port.FriendlyName;
        return names;
    }

    QTemporaryDir root;
    TPortEnvironment env;
};

TEST(PortDiscovery, ListsOnlyPortsThatReallyExist)
{
    FakeMachine machine;
    machine.AddUart("ttyS0", "4\n"); // the kernel console below
    machine.AddUart("ttyS1", "4\n"); // a real UART
    machine.AddUart("ttyS2", "0\n"); // a placeholder without a UART
    machine.AddUsb("ttyUSB1", "FT232R USB UART\n");
    machine.AddUsb("ttyACM0", "");
    machine.AddUsb("ttyUSB5", "Gone");
    QFile::remove(machine.env.DevDir + "/ttyUSB5"); // its node vanished already
    WriteText(machine.env.SysClassTty + "/console/active", "tty0 ttyS0\n");
    QDir().mkpath(machine.env.SysClassTty + "/tty7"); // a virtual console
    EXPECT_EQ(machine.Names(), (QStringList{"Communications Port (COM2)", "FT232R USB UART (COM34)",
                                            "USB Serial Device (COM97)"}));
}

TEST(PortDiscovery, VirtualFolderPublishesCharacterDevicesOnly)
{
    FakeMachine machine;
    PtyPair pty;
    ASSERT_TRUE(pty.Valid());
    const QString slave = QString::fromStdString(pty.SlavePath());
    machine.Publish(200, slave, "Veldra M47 Simulator (COM200)\nextra line\n");
    machine.Publish(201, slave, QByteArray());
    machine.Publish(202, machine.root.filePath("ports/COM202.name"), "Not a device");
    machine.Publish(203, "/nonexistent/pts/9", "Dangling");
    machine.Publish(34, slave, "Clash with a present adapter");
    machine.AddUsb("ttyUSB1", "FT232R USB UART");
    EXPECT_EQ(machine.Names(), (QStringList{"FT232R USB UART (COM34)", "Veldra M47 Simulator (COM200)",
                                            "Virtual Serial Port (COM201)"}));

    // "\\.\COM<n>" resolves through the same mapping: present node first, then the folder.
    EXPECT_EQ(ResolveDevicePath("\\\\.\\COM34", machine.env), machine.env.DevDir + "/ttyUSB1");
    EXPECT_EQ(ResolveDevicePath("\\\\.\\COM200", machine.env), machine.env.VirtualDir + "/COM200");
    EXPECT_EQ(ResolveDevicePath("/dev/ttyUSB7", machine.env), "/dev/ttyUSB7");
    EXPECT_TRUE(ProbeDevice("\\\\.\\COM200", machine.env).Ok);
    EXPECT_FALSE(ProbeDevice("\\\\.\\COM203", machine.env).Ok);
}

TEST(PortDiscovery, RescanFollowsTheFirstAnnouncementByFourTicks)
{
    std::vector<TFoundPort> present = {{34, "FT232R USB UART (COM34)", ""}};
    TPortList ports([&] { return present; });
    ports.EnumeratePorts();
    EXPECT_EQ(ports.ComboItems(), QStringList{"FT232R USB UART (COM34)"});

    TDeviceChangeSource source;
    ports.WatchDeviceChanges(&source);
    EXPECT_FALSE(ports.DeviceChangeStep()); // nothing announced: no counting
    present.clear();
    emit source.DeviceChanged();
    EXPECT_FALSE(ports.DeviceChangeStep());
    EXPECT_FALSE(ports.DeviceChangeStep());
    emit source.DeviceChanged(); // does not postpone the rescan
    EXPECT_FALSE(ports.DeviceChangeStep());
    EXPECT_EQ(ports.PortCount(), 1);
    EXPECT_TRUE(ports.DeviceChangeStep());
    EXPECT_FALSE(ports.DeviceChangePending());
    EXPECT_EQ(ports.PortCount(), 0);
    EXPECT_EQ(ports.ComboItems(), QStringList{kNotSelectedItem});
    EXPECT_FALSE(ports.DeviceChangeStep());
}

// A publisher killed outright leaves its link dangling and announces nothing: the ports are
// looked at again every fourth quiet tick, and a difference counts as a change.
TEST(PortDiscovery, QuietTicksLookAgainAndReportOnlyADifference)
{
    std::vector<TFoundPort> present = {{200, "Veldra M47 Simulator (COM200)", ""}};
    int scans = 0;
    TPortList ports([&] {
        ++scans;
        return present;
    });
    ports.EnumeratePorts();
    std::vector<bool> rescans;
    for (int tick = 0; tick < 8; ++tick)
        rescans.push_back(ports.DeviceChangeStep());
    EXPECT_EQ(rescans, std::vector<bool>(8, false)); // the same ports: nothing to do
    EXPECT_EQ(scans, 3);
    present.clear();
    rescans.clear();
    for (int tick = 0; tick < 4; ++tick)
        rescans.push_back(ports.DeviceChangeStep());
    EXPECT_EQ(rescans, (std::vector<bool>{false, false, false, true}));
    EXPECT_EQ(ports.PortCount(), 0);
}

TEST(PortDiscovery, PortChoiceSetsTheDeviceNameOnlyForAValidNumber)
{
    TComm comm;
    EXPECT_EQ(ApplySelectedPort(true, "FT232R USB UART (COM34)", comm), 34);
    EXPECT_EQ(comm.DeviceName(), "\\\\.\\COM34");
    EXPECT_EQ(ApplySelectedPort(false, "FT232R USB UART (COM35)", comm), -1);
    EXPECT_EQ(ApplySelectedPort(true, kNotSelectedItem, comm), -1);
    EXPECT_EQ(comm.DeviceName(), "\\\\.\\COM34");
    EXPECT_FALSE(ProbeSelectedPort(kNotSelectedItem).Ok);
}

TEST(PortDiscovery, RefusedProbeExplainsWhyTheDeviceWouldNotOpen)
{
    const m47::serial::OpenFailureLookups dialout{[](const std::string&) { return std::string("dialout"); },
                                                  {}, {}};
    EXPECT_EQ(ProbeFailureHint({true, 0, "/dev/ttyUSB0"}, dialout), QString());
    EXPECT_EQ(ProbeFailureHint({false, 0, ""}, dialout), QString()); // an item that names no port
    EXPECT_EQ(ProbeFailureHint({false, EACCES, "/dev/ttyUSB0"}, dialout),
              QString::fromStdString(m47::serial::ExplainOpenFailure(EACCES, "/dev/ttyUSB0", dialout)));
    EXPECT_EQ(ProbeFailureHint({false, EBUSY, "/dev/ttyUSB0"}, dialout),
              "/dev/ttyUSB0 is in use by another program. Close that program, then try again.");

    // A real refusal: a user outside the group probes a device node of mode 0660.
    if (geteuid() != 0)
        GTEST_SKIP() << "needs root to play another user";
    PtyPair pty;
    ASSERT_TRUE(pty.Valid());
    const group* owner = getgrnam("dialout");
    const gid_t gid = owner ? owner->gr_gid : 5;
    const QString expectedGroup = QString::fromLocal8Bit(getgrgid(gid)->gr_name);
    ASSERT_EQ(chown(pty.SlavePath().c_str(), 0, gid), 0);
    ASSERT_EQ(chmod(pty.SlavePath().c_str(), 0660), 0);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        const gid_t nobody = 65534;
        if (setgroups(0, nullptr) != 0 || setgid(nobody) != 0 || setuid(nobody) != 0)
            _exit(2);
        const TProbeResult result =
            ProbeDevice(QString::fromStdString(pty.SlavePath()), SystemPortEnvironment());
        const QString hint = ProbeFailureHint(result);
        _exit(!result.Ok && result.Error == EACCES && hint.contains("\"" + expectedGroup + "\"") ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
}

TEST(PortDiscovery, WatcherAnnouncesTtyNodesAndVirtualFolderChanges)
{
    FakeMachine machine;
    QDir(machine.env.VirtualDir).removeRecursively(); // created by the watcher
    TInotifyDeviceWatcher watcher(machine.env.DevDir, machine.env.VirtualDir);
    ASSERT_TRUE(watcher.IsWatching());
    EXPECT_TRUE(QFileInfo(machine.env.VirtualDir).isDir());
    int announced = 0;
    QObject::connect(&watcher, &TDeviceChangeSource::DeviceChanged, [&] { ++announced; });

    WriteText(machine.env.DevDir + "/sda1", "");
    PumpFor(200);
    EXPECT_EQ(announced, 0);
    Link("/dev/null", machine.env.DevDir + "/ttyUSB3");
    ASSERT_TRUE(PumpUntil([&] { return announced > 0; }));

    announced = 0;
    machine.Publish(200, "/dev/null", "Sim");
    ASSERT_TRUE(PumpUntil([&] { return announced > 0; }));
    announced = 0;
    QFile::remove(machine.env.VirtualDir + "/COM200");
    ASSERT_TRUE(PumpUntil([&] { return announced > 0; }));

    // The folder itself vanishes and comes back: still watched.
    announced = 0;
    ASSERT_TRUE(QDir(machine.env.VirtualDir).removeRecursively());
    ASSERT_TRUE(PumpUntil([&] { return announced > 0; }));
    ASSERT_TRUE(PumpUntil([&] { return QFileInfo(machine.env.VirtualDir).isDir(); }));
    announced = 0;
    machine.Publish(201, "/dev/null", "Sim");
    EXPECT_TRUE(PumpUntil([&] { return announced > 0; }));
}

TEST(PortDiscovery, VanishedVirtualPortEndsTheConnectionAtTheRescan)
{
    FakeMachine machine;
    qputenv("M47_PORTS_DIR", machine.env.VirtualDir.toLocal8Bit());
    PtyPair pty;
    ASSERT_TRUE(pty.Valid());
    machine.Publish(200, QString::fromStdString(pty.SlavePath()), "Veldra M47 Simulator");

    TPortList ports([&] { return ScanVirtualPorts(machine.env.VirtualDir); });
    TInotifyDeviceWatcher watcher(machine.env.DevDir, machine.env.VirtualDir);
    ports.WatchDeviceChanges(&watcher);
    ports.EnumeratePorts();
    ASSERT_EQ(ports.ComboItems(), QStringList{"Veldra M47 Simulator (COM200)"});

    TComm comm;
    const int port = ApplySelectedPort(true, ports.ComboItems().first(), comm);
    ASSERT_TRUE(ProbeSelectedPort(ports.ComboItems().first()).Ok);
    comm.Open();
    ASSERT_TRUE(comm.IsOpen());
    EXPECT_FALSE(ProbeSelectedPort(ports.ComboItems().first()).Ok);

    // The simulator ends: its pseudo-terminal goes, and it withdraws its entry.
    pty.CloseMaster();
    QFile::remove(machine.env.VirtualDir + "/COM200");
    ASSERT_TRUE(PumpUntil([&] { return ports.DeviceChangePending(); }));
    bool rescanned = false;
    for (int tick = 0; tick < 4; ++tick)
        rescanned = ports.DeviceChangeStep();
    ASSERT_TRUE(rescanned);
    if (!ports.HoldsPort(port))
        comm.Close();
    EXPECT_FALSE(comm.IsOpen());
    qunsetenv("M47_PORTS_DIR");
}

} // namespace
