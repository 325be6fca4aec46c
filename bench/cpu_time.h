#pragma once
// CPU time of the benchmark's own work and of programs it runs, so that other load on the
// machine does not skew a comparison. Every figure is the best of kRuns runs.

#include <cstddef>
#include <string>
#include <vector>

namespace bench {

inline constexpr int kRuns = 3;

// CPU seconds this process has used.
double CpuSeconds();

// Items per CPU second of `round` (which does some work and returns how many items it did),
// run again and again until `minSeconds` have passed; once when `minSeconds` is 0.
template <typename Round>
double ItemsPerSecond(Round round, double minSeconds)
{
    std::size_t done = 0;
    const double start = CpuSeconds();
    double elapsed = 0.0;
    do {
        done += round();
        elapsed = CpuSeconds() - start;
    } while (elapsed < minSeconds);
    return static_cast<double>(done) / elapsed;
}

// CPU seconds (user + system) of the program `args` reading the file `input` on standard
// input, its output discarded; the best of kRuns. Exits the benchmark when it cannot run.
double ProgramSeconds(const std::vector<std::string>& args, const std::string& input);

} // namespace bench
