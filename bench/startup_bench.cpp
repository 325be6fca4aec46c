// Start-up of the configurator window: from starting the process to its first frame, measured
// from outside. Each run starts the program with --self-check, offscreen, in a fresh home folder
// (no settings file, as on a first start); the program prints "first frame: shown" once its window
// has painted and then ends. Prints the fastest, median and slowest of the runs in milliseconds.
// Usage: startup_bench [PROGRAM] [--runs N]      PROGRAM defaults to the window of this build
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

// Milliseconds from fork to the first-frame line; negative when the program failed.
double TimeToFirstFrame(const std::string& program, const std::string& home)
{
    int out[2];
    if (pipe(out) != 0)
        return -1;
    const Clock::time_point start = Clock::now();
    const pid_t child = fork();
    if (child == 0) {
        dup2(out[1], STDOUT_FILENO);
        // The platform plugin's notes are not part of the figure.
        if (const int quiet = open("/dev/null", O_WRONLY); quiet >= 0)
            dup2(quiet, STDERR_FILENO);
        close(out[0]);
        close(out[1]);
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
        setenv("HOME", home.c_str(), 1);
        setenv("XDG_RUNTIME_DIR", home.c_str(), 1);
        execl(program.c_str(), program.c_str(), "--self-check", static_cast<char*>(nullptr));
        _exit(127);
    }
    close(out[1]);
    double shown = -1;
    std::string text;
    char buffer[512];
    ssize_t got;
    while ((got = read(out[0], buffer, sizeof buffer)) > 0) {
        text.append(buffer, static_cast<std::size_t>(got));
        if (shown < 0 && text.find("first frame: shown") != std::string::npos)
            shown = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    }
    close(out[0]);
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? shown : -1;
}

} // namespace

int main(int argc, char** argv)
{
    std::string program = M47_WINDOW_PROGRAM;
    int runs = 15;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--runs") == 0 && i + 1 < argc)
            runs = std::max(1, std::atoi(argv[++i]));
        else
            program = argv[i];
    }
    char pattern[] = "/tmp/m47-startup-XXXXXX";
    if (mkdtemp(pattern) == nullptr)
        return 1;
    const std::string home = pattern;

    TimeToFirstFrame(program, home); // the first run warms the page cache
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        const double ms = TimeToFirstFrame(program, home);
        if (ms < 0) {
            std::fprintf(stderr, "startup_bench: %s --self-check failed\n", program.c_str());
            return 1;
        }
        times.push_back(ms);
    }
    std::sort(times.begin(), times.end());
    std::printf("start to first frame of %s over %d runs: fastest %.1f ms, median %.1f ms, slowest %.1f ms "
                "(goal: 300 ms)\n",
                program.c_str(), runs, times.front(), times[times.size() / 2], times.back());
    return std::system(("rm -rf " + home).c_str()) == 0 ? 0 : 1;
}
