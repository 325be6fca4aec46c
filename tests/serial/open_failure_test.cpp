// The reason given for a refused open: a table over the error codes with fake lookups, and the
// holder scan over a fake process folder whose descriptors lead to a real character device.
#include "serial/open_failure.h"
#include "serial/posix_port.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <grp.h>
#include <pty.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;
using m47::serial::ExplainOpenFailure;
using m47::serial::OpenFailureLookups;
using m47::serial::PortHolder;

namespace {

struct Machine {
    std::string group;
    std::optional<PortHolder> holder;
    std::vector<std::string> running;
};

OpenFailureLookups LookupsOf(const Machine& machine)
{
    return {[machine](const std::string&) { return machine.group; },
            [machine](const std::string&) { return machine.holder; },
            [machine] { return machine.running; }};
}

TEST(OpenFailure, ReasonNamesWhatTheTechnicianCanDo)
{
    struct Case {
        const char* what;
        int error;
        Machine machine;
        const char* reason;
    };
    const Case cases[] = {
        {"permission, group known", EACCES, {"dialout", {}, {}},
         "/dev/ttyUSB0 belongs to the group \"dialout\"; your user must be a member of it "
         "(sudo usermod -aG dialout $USER, then log in again)."},
        {"permission, group unknown", EACCES, {}, "You have no permission to open /dev/ttyUSB0."},
        {"operation not permitted reads as permission", EPERM, {"uucp", {}, {}},
         "/dev/ttyUSB0 belongs to the group \"uucp\"; your user must be a member of it "
         "(sudo usermod -aG uucp $USER, then log in again)."},
        {"busy, known taker seen holding it", EBUSY, {"", PortHolder{"ModemManager", 812}, {}},
         "/dev/ttyUSB0 is in use by ModemManager (process 812). Stop it with sudo systemctl stop "
         "ModemManager, then try again."},
        {"busy, other program seen holding it", EBUSY, {"", PortHolder{"minicom", 4711}, {"gpsd"}},
         "/dev/ttyUSB0 is in use by minicom (process 4711). Close that program, then try again."},
        {"busy, holder hidden but gpsd runs", EBUSY, {"", {}, {"bash", "gpsd"}},
         "/dev/ttyUSB0 is in use by another program; gpsd is running and may hold it. Stop it with "
         "sudo systemctl stop gpsd.socket gpsd, then try again."},
        {"busy, nothing known", EBUSY, {"", {}, {"bash", "gpsdctl"}},
         "/dev/ttyUSB0 is in use by another program. Close that program, then try again."},
        {"gone", ENOENT, {}, "/dev/ttyUSB0 is gone: the receiver was unplugged or switched off."},
        {"no device behind the node", ENODEV, {},
         "/dev/ttyUSB0 is gone: the receiver was unplugged or switched off."},
        {"opened, but no terminal", ENOTTY, {}, "/dev/ttyUSB0 is not a serial port."},
        {"anything else: the system's words", EIO, {},
         "/dev/ttyUSB0 could not be opened: Input/output error."},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ExplainOpenFailure(c.error, "/dev/ttyUSB0", LookupsOf(c.machine)), c.reason) << c.what;
}

TEST(OpenFailure, MachineTextsAreCutAndCleanedAndMissingLookupsKnowNothing)
{
    const Machine hostile{std::string("dial\nout\x1b[31m") + std::string(200, 'g'),
                          PortHolder{std::string("evil\r\n\x7f") + std::string(200, 'p'), 1}, {}};
    const std::string permission = ExplainOpenFailure(EACCES, "/dev/ttyS0", LookupsOf(hostile));
    const std::string busy = ExplainOpenFailure(EBUSY, "/dev/ttyS0", LookupsOf(hostile));
    for (const std::string& text : {permission, busy}) {
        for (const char c : text)
            EXPECT_GE(static_cast<unsigned char>(c), 0x20) << text;
        EXPECT_EQ(text.find('\x7f'), std::string::npos);
    }
    EXPECT_NE(permission.find("\"dialout[31m" + std::string(53, 'g') + "\""), std::string::npos) << permission;
    EXPECT_NE(busy.find("evil" + std::string(60, 'p') + " (process 1)"), std::string::npos) << busy;

    EXPECT_EQ(ExplainOpenFailure(EACCES, "/dev/ttyS0", {}), "You have no permission to open /dev/ttyS0.");
    EXPECT_EQ(ExplainOpenFailure(EBUSY, "/dev/ttyS0", {}),
              "/dev/ttyS0 is in use by another program. Close that program, then try again.");
}

// A fake /proc: process folders with a comm file and fd links.
class FakeProc : public ::testing::Test
{
protected:
    void SetUp() override
    {
        char pattern[] = "/tmp/m47-proc-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        root_ = pattern;
    }
    void TearDown() override { fs::remove_all(root_); }

    void AddProcess(const std::string& pid, const std::string& comm, const std::vector<std::string>& fds)
    {
        fs::create_directories(root_ / pid / "fd");
        std::ofstream(root_ / pid / "comm") << comm;
        int n = 0;
        for (const std::string& target : fds)
            fs::create_symlink(target, root_ / pid / "fd" / std::to_string(n++));
    }
    std::string Dir() const { return root_.string(); }

    fs::path root_;
};

TEST_F(FakeProc, HolderIsTheProcessWithADescriptorOnTheSameDevice)
{
    AddProcess("17", "bash\n", {"/dev/zero", root_.string() + "/17/comm"});
    AddProcess("812", "ModemManager\n", {"/dev/zero", "/dev/null"});
    AddProcess("self", "not-a-process\n", {"/dev/null"});
    // The device reached through a link, as a virtual-port entry is.
    fs::create_symlink("/dev/null", root_ / "COM200");

    const auto holder = m47::serial::FindPortHolder((root_ / "COM200").string(), Dir());
    ASSERT_TRUE(holder.has_value());
    EXPECT_EQ(holder->program, "ModemManager");
    EXPECT_EQ(holder->pid, 812);

    EXPECT_FALSE(m47::serial::FindPortHolder("/dev/full", Dir()).has_value());
    // Not a character device, or no device at all: nothing to look for.
    EXPECT_FALSE(m47::serial::FindPortHolder(root_.string() + "/17/comm", Dir()).has_value());
    EXPECT_FALSE(m47::serial::FindPortHolder("/dev/ttyUSB99-absent", Dir()).has_value());

    std::vector<std::string> running = m47::serial::RunningPrograms(Dir());
    std::sort(running.begin(), running.end());
    EXPECT_EQ(running, (std::vector<std::string>{"ModemManager", "bash"}));
}

TEST(OpenFailure, SystemLookupsNameTheGroupOfARealNode)
{
    struct stat st {
    };
    ASSERT_EQ(stat("/dev/null", &st), 0);
    const group* owner = getgrgid(st.st_gid);
    ASSERT_NE(owner, nullptr);
    EXPECT_EQ(m47::serial::DeviceOwningGroup("/dev/null"), owner->gr_name);
    EXPECT_EQ(m47::serial::DeviceOwningGroup("/dev/ttyUSB99-absent"), "");
}

TEST(OpenFailure, APortHeldHereIsExplainedThroughTheRealProcessFolder)
{
    int master = -1;
    int slave = -1;
    char name[128] = {};
    ASSERT_EQ(openpty(&master, &slave, name, nullptr, nullptr), 0);
    const int holder = posixport::OpenExclusive(name);
    ASSERT_GE(holder, 0);
    ASSERT_LT(posixport::OpenExclusive(name), 0);
    EXPECT_EQ(errno, EBUSY);

    const std::string reason = ExplainOpenFailure(EBUSY, name, m47::serial::SystemOpenFailureLookups());
    // The kernel keeps the first 15 bytes of the program's name.
    const std::string expected = std::string(name) + " is in use by serial_open_fai (process " +
                                 std::to_string(getpid()) + "). Close that program, then try again.";
    EXPECT_EQ(reason, expected);
    posixport::Close(holder);
    close(slave);
    close(master);
}

} // namespace
