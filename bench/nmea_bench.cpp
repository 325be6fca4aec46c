// Throughput of the sentence library and of the offline decoder.
//
//   nmea_bench --data DIR --decoder PATH --work DIR [--lines N] [--gpsdecode PATH]
//
// 1. Lines per second through ProcessSentence for a real GNSS receiver log, a real AIS log and
//    a real mixed log (an AIS receiver with its own GPS), each from DIR.
// 2. A file of N (default one million) lines made of those captures in turn is written to
//    WORK; the library, the offline decoder and `gpsdecode -u -j` each process it, and the
//    ratios to gpsdecode's lines per second are printed with the goals (library 10x, tool 3x).
// 3. The same for N lines of the AIS capture alone.
// Every figure is the best of three runs, timed in CPU seconds (user + system) of the process
// doing the work, so that other load on the machine does not skew the comparison.

#include "nmea/sentence_library.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <memory>
#include <string>
#include <string_view>
#include <sys/resource.h>
#include <sys/wait.h>
#include <ctime>
#include <unistd.h>
#include <vector>

namespace {

constexpr int kRuns = 3;
constexpr double kMinSeconds = 0.5;  // each library run repeats its capture at least this long
constexpr std::size_t kMaxLine = 82;

struct Capture {
    const char* label;
    const char* path;  // relative to the data folder
};

constexpr Capture kGnss = {"GNSS receiver log", "gpsd/test/daemon/ublox-neo-m9n-nmea.log"};
constexpr Capture kAis = {"AIS log", "pyais/nmea_data_sample.txt"};
constexpr Capture kMixed = {"mixed log (AIS receiver with GPS)", "gpsd/test/daemon/saab-r4.log"};

struct Options {
    std::string data = "tests/data";
    std::string decoder;
    std::string work = ".";
    std::string gpsdecode = "gpsdecode";
    long lines = 1000000;
};

// The capture's sentences as the receive path hands them over: comments and over-long lines
// left out, CR LF at the end of each.
std::vector<std::string> ReadCapture(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "nmea_bench: cannot read %s\n", path.c_str());
        std::exit(1);
    }
    std::vector<std::string> lines;
    std::string line;
    while (std::getline(in, line)) {
        line.erase(std::remove(line.begin(), line.end(), '\r'), line.end());
        if (line.empty() || line[0] == '#' || line.size() > kMaxLine)
            continue;
        lines.push_back(line + "\r\n");
    }
    return lines;
}

// CPU seconds this process has used.
double CpuSeconds()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

// Best lines per second of kRuns runs, each on a fresh library.
double LibraryRate(const std::vector<std::string>& lines)
{
    double best = 0.0;
    for (int run = 0; run < kRuns; ++run) {
        auto library = std::make_unique<nmea::SentenceLibrary>();
        std::size_t done = 0;
        const double start = CpuSeconds();
        double elapsed = 0.0;
        do {
            for (const std::string& line : lines)
                library->ProcessSentence(line);
            done += lines.size();
            elapsed = CpuSeconds() - start;
        } while (elapsed < kMinSeconds);
        best = std::max(best, static_cast<double>(done) / elapsed);
    }
    return best;
}

// CPU seconds of `args` reading `input` on stdin, output discarded; best of kRuns.
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

// `count` lines of the logs one after the other, repeated as often as needed.
std::vector<std::string> Repeat(const std::vector<std::vector<std::string>>& logs, std::size_t count)
{
    std::vector<std::string> lines;
    lines.reserve(count);
    while (lines.size() < count) {
        for (const auto& log : logs) {
            for (const std::string& line : log) {
                if (lines.size() < count)
                    lines.push_back(line);
            }
        }
    }
    return lines;
}

// Writes the lines to WORK/name and measures the library, the decoder and gpsdecode on them.
void Compare(const Options& options, const char* name, const char* what,
             const std::vector<std::string>& lines, bool withGoals)
{
    const std::string path = options.work + "/" + name;
    {
        std::ofstream out(path, std::ios::binary);
        for (const std::string& line : lines)
            out << line;
        if (!out) {
            std::fprintf(stderr, "nmea_bench: cannot write %s\n", path.c_str());
            std::exit(1);
        }
    }
    std::size_t accepted = 0;
    {
        auto library = std::make_unique<nmea::SentenceLibrary>();
        for (const std::string& line : lines)
            accepted += library->ProcessSentence(line) ? 1 : 0;
    }
    const double libraryRate = LibraryRate(lines);
    const auto lineCount = static_cast<double>(lines.size());
    const double toolSeconds = ProgramSeconds({options.decoder}, path);
    const double gpsdSeconds = ProgramSeconds({options.gpsdecode, "-u", "-j"}, path);
    const double toolRate = lineCount / toolSeconds;
    const double gpsdRate = lineCount / gpsdSeconds;

    std::printf("\nFile %s: %zu lines of %s, %zu accepted by the library\n", path.c_str(),
                lines.size(), what, accepted);
    std::printf("  %-36s %8s %14.0f lines/s\n", "sentence library (in process)", "", libraryRate);
    std::printf("  %-36s %7.3fs %14.0f lines/s\n", "nmeadecode < file > /dev/null", toolSeconds, toolRate);
    std::printf("  %-36s %7.3fs %14.0f lines/s\n", "gpsdecode -u -j < file > /dev/null", gpsdSeconds, gpsdRate);
    const double libraryRatio = libraryRate / gpsdRate;
    const double toolRatio = toolRate / gpsdRate;
    if (withGoals) {
        std::printf("  Ratio to gpsdecode: library %.1fx (goal 10x: %s), nmeadecode %.1fx (goal 3x: %s)\n",
                    libraryRatio, libraryRatio >= 10.0 ? "met" : "NOT met", toolRatio,
                    toolRatio >= 3.0 ? "met" : "NOT met");
    } else {
        std::printf("  Ratio to gpsdecode: library %.1fx, nmeadecode %.1fx\n", libraryRatio, toolRatio);
    }
}

bool ParseOptions(int argc, char** argv, Options& options)
{
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string_view key = argv[i];
        const char* value = argv[i + 1];
        if (key == "--data")
            options.data = value;
        else if (key == "--decoder")
            options.decoder = value;
        else if (key == "--work")
            options.work = value;
        else if (key == "--gpsdecode")
            options.gpsdecode = value;
        else if (key == "--lines")
            options.lines = std::atol(value);
        else
            return false;
    }
    return argc % 2 == 1 && !options.decoder.empty() && options.lines > 0;
}

void PrintLibraryRow(const Capture& capture, const std::vector<std::string>& lines, double rate)
{
    std::printf("  %-36s %-28s %6zu lines  %12.0f lines/s\n", capture.label,
                std::strrchr(capture.path, '/') + 1, lines.size(), rate);
}

}  // namespace

int main(int argc, char** argv)
{
    Options options;
    if (!ParseOptions(argc, argv, options)) {
        std::fprintf(stderr, "usage: nmea_bench --data DIR --decoder PATH --work DIR [--lines N] "
                             "[--gpsdecode PATH]\n");
        return 2;
    }

    const Capture captures[] = {kGnss, kAis, kMixed};
    std::vector<std::vector<std::string>> logs;
    std::printf("Sentence library, ProcessSentence (best of %d runs):\n", kRuns);
    for (const Capture& capture : captures) {
        logs.push_back(ReadCapture(options.data + "/" + capture.path));
        PrintLibraryRow(capture, logs.back(), LibraryRate(logs.back()));
    }

    // The goal file: the three captures one after the other, again and again (whole captures,
    // so multi-sentence AIS messages stay together). Then the AIS capture alone, gpsdecode's
    // home ground, for a view of the pure AIS path.
    const auto count = static_cast<std::size_t>(options.lines);
    Compare(options, "bench-lines.nmea", "the three captures in turn", Repeat(logs, count), true);
    Compare(options, "bench-ais.nmea", "the AIS capture only", Repeat({logs[1]}, count), false);
    return 0;
}
