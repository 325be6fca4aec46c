#pragma once
// m47ctl against virtual devices, both as subprocesses in one private virtual-port folder: the
// devices publish COM<n> with a transcript of what they received, m47ctl runs as a script would
// and leaves its exit status, stdout and stderr.
#include "transcript.h"

#include <gtest/gtest.h>

#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <spawn.h>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

extern char** environ;

struct CtlRun {
    int status = -1;
    std::string out;
    std::string err;

    QJsonObject Json() const { return QJsonDocument::fromJson(QByteArray::fromStdString(out)).object(); }
};

class CtlFixture : public testing::Test
{
protected:
    void SetUp() override
    {
        const char* base = std::getenv("XDG_RUNTIME_DIR");
        folder_ = std::string(base && *base ? base : "/tmp") + "/m47ctl-test-XXXXXX";
        ASSERT_NE(mkdtemp(folder_.data()), nullptr);
        ports_ = folder_ + "/ports";
        ASSERT_EQ(mkdir(ports_.c_str(), 0700), 0);
        setenv("M47_PORTS_DIR", ports_.c_str(), 1);
    }

    void TearDown() override
    {
        for (const pid_t sim : sims_) {
            kill(sim, SIGTERM);
            waitpid(sim, nullptr, 0);
        }
        unsetenv("M47_PORTS_DIR");
        std::filesystem::remove_all(folder_);
    }

    // Starts a virtual device on COM<com> and waits until it is published.
    void StartDevice(int com, std::vector<std::string> options = {})
    {
        std::vector<std::string> args = {"--com",           std::to_string(com), "--reply-delay", "0.05",
                                         "--restart-pause", "0.2",               "--transcript",  Transcript(com)};
        args.insert(args.end(), options.begin(), options.end());
        sims_.push_back(Spawn(M47SIM_PROGRAM, args, "/dev/null", "/dev/null"));
        const std::string link = ports_ + "/COM" + std::to_string(com);
        const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        struct stat st {};
        while (stat(link.c_str(), &st) != 0 || !S_ISCHR(st.st_mode)) {
            ASSERT_LT(std::chrono::steady_clock::now(), end) << "COM" << com << " not published";
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
    }

    // Starts m47ctl; Finish waits for it.
    pid_t Start(const std::vector<std::string>& args)
    {
        const std::string name = folder_ + "/run" + std::to_string(runs_++);
        outputs_.push_back(name);
        const pid_t pid = Spawn(M47CTL_PROGRAM, args, name + ".out", name + ".err");
        started_.push_back(pid);
        return pid;
    }
    CtlRun Finish(pid_t pid)
    {
        const auto index = std::find(started_.begin(), started_.end(), pid) - started_.begin();
        int status = 0;
        waitpid(pid, &status, 0);
        const std::string& name = outputs_[static_cast<std::size_t>(index)];
        return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, Slurp(name + ".out"), Slurp(name + ".err")};
    }
    CtlRun Run(const std::vector<std::string>& args) { return Finish(Start(args)); }

    std::string Transcript(int com) const { return folder_ + "/transcript" + std::to_string(com) + ".txt"; }
    // How often the device on COM<com> received exactly `line`.
    std::size_t Received(int com, const std::string& line) const
    {
        const auto entries = m47sim::ReadTranscript(Transcript(com));
        return static_cast<std::size_t>(std::count_if(
            entries.begin(), entries.end(), [&](const m47sim::TranscriptEntry& e) { return e.bytes == line; }));
    }
    std::string Path(const std::string& name) const { return folder_ + "/" + name; }

    static std::string Slurp(const std::string& path)
    {
        std::ifstream in(path);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

private:
    pid_t Spawn(const char* program, std::vector<std::string> args, const std::string& out, const std::string& err)
    {
        std::string name = program;
        std::vector<char*> argv{name.data()};
        for (std::string& a : args)
            argv.push_back(a.data());
        argv.push_back(nullptr);
        posix_spawn_file_actions_t files;
        posix_spawn_file_actions_init(&files);
        posix_spawn_file_actions_addopen(&files, STDOUT_FILENO, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        posix_spawn_file_actions_addopen(&files, STDERR_FILENO, err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        pid_t pid = -1;
        EXPECT_EQ(posix_spawn(&pid, program, &files, nullptr, argv.data(), environ), 0);
        posix_spawn_file_actions_destroy(&files);
        return pid;
    }

    std::string folder_;
    std::string ports_;
    std::vector<pid_t> sims_;
    std::vector<pid_t> started_;
    std::vector<std::string> outputs_;
    int runs_ = 0;
};
