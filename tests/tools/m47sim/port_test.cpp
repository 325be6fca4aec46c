// The virtual device on its published pseudo-terminal, driven the way the configurator drives
// it: in-process on a thread, and as the m47sim program in a subprocess.
#include "options.h"
#include "sentence.h"
#include "simulator.h"
#include "transcript.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <poll.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <termios.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace m47sim {
namespace {

using namespace std::chrono_literals;
namespace fs = std::filesystem;

std::string MakePrivateFolder()
{
    const char* base = std::getenv("XDG_RUNTIME_DIR");
    std::string pattern = std::string(base && *base ? base : "/tmp") + "/m47sim-test-XXXXXX";
    if (!mkdtemp(pattern.data()))
        return {};
    return pattern;
}

template <typename Condition>
bool WaitFor(Condition condition, std::chrono::milliseconds limit = 3000ms)
{
    const auto end = std::chrono::steady_clock::now() + limit;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > end)
            return false;
        std::this_thread::sleep_for(5ms);
    }
    return true;
}

bool IsPublished(const std::string& link)
{
    struct stat st {
    };
    return stat(link.c_str(), &st) == 0 && S_ISCHR(st.st_mode);
}

// The program's end of the port, opened through the published link.
class PortClient
{
public:
    explicit PortClient(const std::string& link) : fd_(open(link.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK))
    {
        if (fd_ >= 0) {
            termios tio{};
            tcgetattr(fd_, &tio);
            cfmakeraw(&tio);
            tcsetattr(fd_, TCSANOW, &tio);
        }
    }
    ~PortClient()
    {
        if (fd_ >= 0)
            close(fd_);
    }
    bool ok() const { return fd_ >= 0; }
    void Send(std::string_view bytes)
    {
        ASSERT_EQ(write(fd_, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
    }

    // Reads until `text` has arrived or the time is up; false also when the port hangs up.
    bool ReadUntil(const std::string& text, std::chrono::milliseconds limit = 2000ms)
    {
        const auto end = std::chrono::steady_clock::now() + limit;
        while (received_.find(text) == std::string::npos) {
            if (!ReadSome(end))
                return false;
        }
        return true;
    }
    // True when the port hangs up (the device went away) within the time.
    bool HangsUp(std::chrono::milliseconds limit = 2000ms)
    {
        const auto end = std::chrono::steady_clock::now() + limit;
        while (ReadSome(end)) {
        }
        return hungUp_;
    }
    const std::string& received() const { return received_; }

private:
    bool ReadSome(std::chrono::steady_clock::time_point end)
    {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(end - std::chrono::steady_clock::now());
        if (left.count() <= 0)
            return false;
        pollfd p{fd_, POLLIN, 0};
        if (poll(&p, 1, static_cast<int>(left.count())) <= 0)
            return false;
        char buffer[4096];
        const ssize_t n = read(fd_, buffer, sizeof buffer);
        if (n <= 0) {
            hungUp_ = n == 0 || errno == EIO;
            return !hungUp_ && errno == EAGAIN;
        }
        received_.append(buffer, static_cast<size_t>(n));
        return true;
    }

    int fd_;
    std::string received_;
    bool hungUp_ = false;
};

class SimulatorOnPort : public ::testing::Test
{
protected:
    void SetUp() override
    {
        folder_ = MakePrivateFolder();
        ASSERT_FALSE(folder_.empty());
    }
    void TearDown() override
    {
        if (simulator_) {
            simulator_->Stop();
            loop_.join();
            EXPECT_FALSE(fs::exists(fs::symlink_status(link()))) << "the port stays published after the end";
        }
        fs::remove_all(folder_);
    }

    void Start(DeviceOptions device, SimulatorOptions options)
    {
        options.portsFolder = folder_;
        options.comNumber = 42;
        device.replyDelay = 50ms;
        simulator_ = std::make_unique<Simulator>(
            std::make_unique<Device>(DeviceState{}, DeviceState{}, device, Clock::now()), options);
        std::string error;
        ASSERT_TRUE(simulator_->Start(error)) << error;
        loop_ = std::thread([this] { simulator_->Run(); });
    }
    static DeviceOptions Quiet()
    {
        DeviceOptions d;
        d.streams.gnss = d.streams.ais = false;
        return d;
    }
    std::string link() const { return folder_ + "/COM42"; }

    std::string folder_;
    std::unique_ptr<Simulator> simulator_;
    std::thread loop_;
};

TEST_F(SimulatorOnPort, PublishesItselfAsAComPortAndAnswersIdentification)
{
    Start(Quiet(), {});
    ASSERT_TRUE(IsPublished(link()));
    std::ifstream name(link() + ".name");
    std::string text;
    std::getline(name, text);
    EXPECT_EQ(text, "Veldra M47 Simulator (COM42)");

    PortClient port(link());
    ASSERT_TRUE(port.ok());
    port.Send("$PTST,,,,,16*28\r\n");
    ASSERT_TRUE(port.ReadUntil("$PCVN,R,TXT,PROD. INFO. END*65\r\n"));
    EXPECT_EQ(port.received().find("$PCVN,R,TXT,FIRMWARE="), 0u);
}

TEST_F(SimulatorOnPort, ProgrammingRestartsThePortUnderTheSameNumberWithTheNewValue)
{
    SimulatorOptions options;
    options.restartPause = 300ms;
    Start(Quiet(), options);
    {
        PortClient port(link());
        ASSERT_TRUE(port.ok());
        port.Send("$PDBG,43,4,41,5,,,,*12\r\n");
        ASSERT_TRUE(port.ReadUntil("$PCVN,R,TXT,SYSTEM RESTART*5F\r\n"));
        EXPECT_TRUE(port.HangsUp()) << "the program's port stays open across the restart";
    }
    EXPECT_TRUE(WaitFor([&] { return !fs::exists(fs::symlink_status(link())); }));
    ASSERT_TRUE(WaitFor([&] { return IsPublished(link()); }));
    EXPECT_EQ(simulator_->reappearances(), 1);

    PortClient port(link());
    ASSERT_TRUE(port.ok());
    port.Send("$PTST,,,,,16*28\r\n");
    ASSERT_TRUE(port.ReadUntil("PROD. INFO. END"));
    EXPECT_NE(port.received().find("$PCVN,R,TXT,RS232 BAUD RATE=9600*3D\r\n"), std::string::npos);
    EXPECT_NE(port.received().find("$PCVN,R,TXT,NMEA BAUD RATE=4800*0B\r\n"), std::string::npos);
}

TEST_F(SimulatorOnPort, LinesSentWhileNobodyListensAreLost)
{
    SimulatorOptions options;
    options.transcriptPath = folder_ + "/transcript.txt";
    Start(Quiet(), options);
    {
        PortClient port(link());
        port.Send("$PTST,,,,,16*28\r\n");
    } // closed before the answer is due
    // Once the device has the query, its answer falls due while nobody listens.
    EXPECT_TRUE(WaitFor([&] { return !ReadTranscript(options.transcriptPath).empty(); }));
    std::this_thread::sleep_for(300ms);
    PortClient port(link());
    EXPECT_FALSE(port.ReadUntil("$", 200ms)) << port.received();
}

TEST_F(SimulatorOnPort, TheTranscriptHoldsExactlyTheBytesReceivedInOrder)
{
    SimulatorOptions options;
    options.transcriptPath = folder_ + "/transcript.txt";
    Start(Quiet(), options);
    PortClient port(link());
    port.Send("$PTST,,,,,16*28\r\n");
    ASSERT_TRUE(port.ReadUntil("PROD. INFO. END"));
    port.Send("$PDBG,163,1,,,,,,*14\r\n");
    port.Send(std::string("AT+VER\n\0", 8));
    ASSERT_TRUE(port.ReadUntil("+ok=V1.2.2\r\n"));

    const auto entries = ReadTranscript(options.transcriptPath);
    std::string all;
    for (size_t i = 0; i < entries.size(); ++i) {
        all += entries[i].bytes;
        if (i > 0) {
            EXPECT_GE(entries[i].seconds, entries[i - 1].seconds);
        }
    }
    EXPECT_EQ(all, std::string("$PTST,,,,,16*28\r\n$PDBG,163,1,,,,,,*14\r\nAT+VER\n\0", 47));
    ASSERT_FALSE(entries.empty());
    EXPECT_EQ(entries.front().bytes, "$PTST,,,,,16*28\r\n");
}

TEST_F(SimulatorOnPort, UnplugsAndPlugsBackOnRequestAndAfterConfiguredTimes)
{
    SimulatorOptions options;
    options.vanishAfter = 200ms;
    options.vanishFor = 200ms;
    Start(Quiet(), options);
    EXPECT_TRUE(WaitFor([&] { return simulator_->reappearances() == 1 && IsPublished(link()); }));

    simulator_->ToggleUnplug();
    EXPECT_TRUE(WaitFor([&] { return !fs::exists(fs::symlink_status(link())); }));
    simulator_->ToggleUnplug();
    EXPECT_TRUE(WaitFor([&] { return IsPublished(link()); }));
    EXPECT_EQ(simulator_->reappearances(), 2);
}

TEST_F(SimulatorOnPort, FloodingDeliversWholeSentencesAtFullSpeed)
{
    DeviceOptions device;
    device.streams.flood = true;
    Start(device, {});
    PortClient port(link());
    ASSERT_TRUE(port.ok());
    port.ReadUntil("never sent", 500ms);
    const std::string& all = port.received();
    size_t lines = 0;
    for (size_t start = all.find_first_of("$!"), end;
         start != std::string::npos && (end = all.find("\r\n", start)) != std::string::npos;
         start = all.find_first_of("$!", end), ++lines)
        EXPECT_TRUE(CheckedBody(std::string_view(all).substr(start, end - start)))
            << all.substr(start, end - start);
    EXPECT_GT(lines, 200u) << "flooding sends many seconds' worth in half a second";
}

TEST(VirtualPortFolder, AnEntryTakenOverByAnotherPublisherSurvivesTheFirstOnesEnd)
{
    const std::string folder = MakePrivateFolder();
    std::string error;
    auto first = VirtualPort::Open(folder, 9, "First", error);
    ASSERT_TRUE(first) << error;
    auto second = VirtualPort::Open(folder, 9, "Second (COM9)", error);
    ASSERT_TRUE(second) << error;
    first.reset();
    EXPECT_EQ(fs::read_symlink(folder + "/COM9"), second->devicePath());
    std::ifstream name(folder + "/COM9.name");
    std::string text;
    std::getline(name, text);
    EXPECT_EQ(text, "Second (COM9)");
    second.reset();
    EXPECT_TRUE(fs::is_empty(folder));
    fs::remove_all(folder);
}

// ---- the program m47sim, as tests and scripts start it ----

struct Process {
    pid_t pid = -1;
    int Wait() const
    {
        int status = 0;
        waitpid(pid, &status, 0);
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
};

Process Spawn(const std::vector<std::string>& args, const std::string& output = "/dev/null")
{
    std::vector<char*> argv;
    std::string program = M47SIM_PROGRAM;
    argv.push_back(program.data());
    std::vector<std::string> copy = args;
    for (auto& a : copy)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, output.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0600);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, (output + ".err").c_str(),
                                     O_WRONLY | O_CREAT | O_TRUNC, 0600);
    Process p;
    posix_spawn(&p.pid, program.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    return p;
}

std::string Slurp(const std::string& path)
{
    std::ifstream in(path);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

TEST(SimulatorProgram, HelpListsEveryOptionAndEachIsAccepted)
{
    // The options scripts and tests rely on, with a valid value each.
    const std::vector<std::vector<std::string>> options = {{"--com", "7"},
                                                           {"--name", "Bench M47"},
                                                           {"--ports-dir", "/tmp/x"},
                                                           {"--firmware", "V9"},
                                                           {"--serial", "S1"},
                                                           {"--rs232-baud", "9600"},
                                                           {"--nmea-baud", "4800"},
                                                           {"--gps-disabled"},
                                                           {"--gps-nav-status", "4"},
                                                           {"--no-network-module"},
                                                           {"--net-version", "V2"},
                                                           {"--net-ip", "10.0.0.2"},
                                                           {"--net-mask", "255.0.0.0"},
                                                           {"--net-name", "N"},
                                                           {"--mmsi", "123456789"},
                                                           {"--latitude", "-33.8"},
                                                           {"--longitude", "151.2"},
                                                           {"--speed", "5"},
                                                           {"--course", "90"},
                                                           {"--silent"},
                                                           {"--no-gnss"},
                                                           {"--no-ais"},
                                                           {"--gps-only"},
                                                           {"--no-fix"},
                                                           {"--period", "0.5"},
                                                           {"--replay", "log.txt"},
                                                           {"--replay-fast"},
                                                           {"--replay-loop"},
                                                           {"--reply-delay", "0.05"},
                                                           {"--restart-pause", "0.2"},
                                                           {"--no-identify"},
                                                           {"--ignore-programming"},
                                                           {"--fault", "noise,nul,cr,checksum,long,split"},
                                                           {"--fault-rate", "0.5"},
                                                           {"--seed", "3"},
                                                           {"--flood"},
                                                           {"--vanish-after", "2"},
                                                           {"--vanish-for", "1.5"},
                                                           {"--transcript", "t.txt"},
                                                           {"--help"}};
    const std::string folder = MakePrivateFolder();
    const std::string out = folder + "/help.txt";
    EXPECT_EQ(Spawn({"--help"}, out).Wait(), 0);
    const std::string help = Slurp(out);
    for (const auto& option : options) {
        EXPECT_NE(help.find("  " + option[0] + " "), std::string::npos)
            << option[0] << " missing from --help";
        std::string error;
        EXPECT_TRUE(ParseCommandLine(option, error)) << option[0] << ": " << error;
    }
    fs::remove_all(folder);
}

TEST(SimulatorProgram, RejectsBadOptionsAndValues)
{
    for (const std::vector<std::string>& bad : {std::vector<std::string>{"--bogus"},
                                                {"--com", "0"},
                                                {"--com", "256"},
                                                {"--rs232-baud", "2400"},
                                                {"--nmea-baud", "115200"},
                                                {"--fault", "noise,gremlins"},
                                                {"--firmware", "A*B"},
                                                {"--period", "0"},
                                                {"--fault-rate", "2"},
                                                {"--com"}}) {
        std::string error;
        EXPECT_FALSE(ParseCommandLine(bad, error)) << bad[0];
        EXPECT_FALSE(error.empty());
    }
    const std::string folder = MakePrivateFolder();
    EXPECT_EQ(Spawn({"--bogus"}, folder + "/out").Wait(), 2);
    EXPECT_NE(Slurp(folder + "/out.err").find("unknown option --bogus"), std::string::npos);
    fs::remove_all(folder);
}

TEST(SimulatorProgram, RunsOnAPrivateFolderUnplugsOnSigusr1AndCleansUpOnSigterm)
{
    const std::string folder = MakePrivateFolder();
    const std::string link = folder + "/COM7";
    const std::string transcript = folder + "/transcript.txt";
    setenv("M47_PORTS_DIR", folder.c_str(), 1); // the folder comes from the environment
    const Process sim =
        Spawn({"--com", "7", "--silent", "--reply-delay", "0.05", "--transcript", transcript});
    unsetenv("M47_PORTS_DIR");
    ASSERT_TRUE(WaitFor([&] { return IsPublished(link); }));
    {
        PortClient port(link);
        port.Send("$PTST,,,,,16*28\r\n");
        EXPECT_TRUE(port.ReadUntil("PROD. INFO. END"));
    }
    kill(sim.pid, SIGUSR1);
    EXPECT_TRUE(WaitFor([&] { return !fs::exists(fs::symlink_status(link)); }));
    kill(sim.pid, SIGUSR1);
    EXPECT_TRUE(WaitFor([&] { return IsPublished(link); }));
    kill(sim.pid, SIGTERM);
    EXPECT_EQ(sim.Wait(), 0);
    EXPECT_FALSE(fs::exists(fs::symlink_status(link)));
    EXPECT_FALSE(fs::exists(link + ".name"));
    const auto entries = ReadTranscript(transcript);
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].bytes, "$PTST,,,,,16*28\r\n");
    fs::remove_all(folder);
}

} // namespace
} // namespace m47sim
