#include "cpu_time.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace bench {

double CpuSeconds()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

double ProgramSeconds(const std::vector<std::string>& args, const std::string& input)
{
    double best = 1e300;
    for (int run = 0; run < kRuns; ++run) {
        std::vector<char*> argv;
        for (const std::string& a : args)
            argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        const pid_t pid = fork();
        if (pid == 0) {
            const int in = ::open(input.c_str(), O_RDONLY);
            const int null = ::open("/dev/null", O_WRONLY);
            if (in < 0 || null < 0)
                _exit(126);
            dup2(in, STDIN_FILENO);
            dup2(null, STDOUT_FILENO);
            dup2(null, STDERR_FILENO);
            execvp(argv[0], argv.data());
            _exit(127);
        }
        int status = 0;
        rusage usage{};
        if (pid < 0 || wait4(pid, &status, 0, &usage) < 0 || !WIFEXITED(status) ||
            WEXITSTATUS(status) >= 126) {
            std::fprintf(stderr, "nmea_bench: could not run %s\n", args[0].c_str());
            std::exit(1);
        }
        const auto seconds = [](const timeval& t) {
            return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) * 1e-6;
        };
        best = std::min(best, seconds(usage.ru_utime) + seconds(usage.ru_stime));
    }
    return best;
}

} // namespace bench
