#pragma once
// The main window against the virtual device, in real time: m47sim publishes its port in a
// private virtual-port folder, the window connects to it with its timers running, and the
// device's transcript shows what the window sent and when.
#include "connectionfixture.h"
#include "transcript.h"

#include <QElapsedTimer>

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

inline constexpr int kSimulatorCom = 211;
// Generous limits for a loaded machine; every wait ends as soon as its condition holds.
inline constexpr int kIdentifyMs = 30000;
inline constexpr int kRestartMs = 60000;

class WithSimulator : public ConnectionFixture
{
protected:
    void TearDown() override
    {
        if (sim > 0) {
            kill(sim, SIGTERM);
            waitpid(sim, nullptr, 0);
        }
        ConnectionFixture::TearDown();
    }

    // Starts the device on COM211 and the window once the port is published.
    void startSimulator(std::vector<std::string> options)
    {
        transcript = tmp.filePath(QStringLiteral("transcript.txt")).toStdString();
        std::vector<std::string> args = {M47SIM_PROGRAM,
                                         "--com",
                                         std::to_string(kSimulatorCom),
                                         "--ports-dir",
                                         portsDir.path().toStdString(),
                                         "--reply-delay",
                                         "0.05",
                                         "--transcript",
                                         transcript};
        args.insert(args.end(), options.begin(), options.end());
        std::vector<char*> argv;
        for (std::string& a : args)
            argv.push_back(a.data());
        argv.push_back(nullptr);
        // Its announcements stay out of the test's output; its errors do not.
        posix_spawn_file_actions_t quiet;
        posix_spawn_file_actions_init(&quiet);
        posix_spawn_file_actions_addopen(&quiet, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
        const int spawned = posix_spawn(&sim, M47SIM_PROGRAM, &quiet, nullptr, argv.data(), environ);
        posix_spawn_file_actions_destroy(&quiet);
        ASSERT_EQ(spawned, 0);
        ASSERT_TRUE(PumpUntil([&] { return published(); }, 10000));
        start();
        selectPort(kSimulatorCom);
    }

    bool published() const
    {
        return QFileInfo(portsDir.filePath(QStringLiteral("COM%1").arg(kSimulatorCom))).exists();
    }

    // Connect and wait for "Connected..."; returns the milliseconds it took.
    qint64 connectAndIdentify()
    {
        QElapsedTimer clock;
        clock.start();
        openPort()->click();
        EXPECT_TRUE(PumpUntil([&] { return access().Identification().ConnectionState == 2; }, kIdentifyMs));
        return clock.elapsed();
    }

    // The lines the device received with their times, in order.
    std::vector<m47sim::TranscriptEntry> entries() const { return m47sim::ReadTranscript(transcript); }
    // The lines the device received, in order.
    std::vector<std::string> received() const
    {
        std::vector<std::string> lines;
        for (const m47sim::TranscriptEntry& e : entries())
            lines.push_back(e.bytes);
        return lines;
    }
    std::size_t receivedCount(const std::string& line) const
    {
        const auto lines = received();
        return static_cast<std::size_t>(std::count(lines.begin(), lines.end(), line));
    }

    QString shown(const char* box) const { return control<QComboBox>(box)->currentText(); }

    pid_t sim = -1;
    std::string transcript;
};
