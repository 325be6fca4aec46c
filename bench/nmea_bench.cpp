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
// 4. The same for N lines of busy-port traffic: the AIS capture with its senders renamed in
//    every copy (see busy_port.h), over 10,000 MMSIs, so that the target table is full and
//    keeps evicting.
// 5. The cost per AIS message with 100 targets, a full table and a full table that evicts.
// Every figure is the best of three runs, timed in CPU seconds of the process doing the work.

#include "busy_port.h"
#include "cpu_time.h"
#include "target_costs.h"

#include "nmea/sentence_library.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace {

using bench::kRuns;

constexpr double kMinSeconds = 0.5; // each library run repeats its capture at least this long
constexpr std::size_t kMaxLine = 82;
// The renamed copies of the AIS capture repeat after about this many lines, as the traffic of
// a shore station near a busy port does in a day.
constexpr std::size_t kBusyRoundLines = 85000;

struct Capture {
    const char* label;
    const char* path; // relative to the data folder
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

// Best lines per second of kRuns runs, each on a fresh library.
double LibraryRate(const std::vector<std::string>& lines)
{
    double best = 0.0;
    for (int run = 0; run < kRuns; ++run) {
        auto library = std::make_unique<nmea::SentenceLibrary>();
        best = std::max(best, bench::ItemsPerSecond(
                                  [&] {
                                      for (const std::string& line : lines)
                                          library->ProcessSentence(line);
                                      return lines.size();
                                  },
                                  kMinSeconds));
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

struct BenchFile {
    const char* name; // in WORK
    std::string what; // what its lines are
    std::vector<std::string> lines;
    bool withGoals; // print the goals beside the ratios
};

void PrintRatio(const char* label, double ratio, double goal, bool withGoal)
{
    std::printf(" %s %.1fx", label, ratio);
    if (withGoal)
        std::printf(" (goal %.0fx: %s)", goal, ratio >= goal ? "met" : "NOT met");
}

// Writes the lines to WORK and measures the library, the decoder and gpsdecode on them.
void Compare(const Options& options, const BenchFile& file)
{
    const std::string path = options.work + "/" + file.name;
    {
        std::ofstream out(path, std::ios::binary);
        for (const std::string& line : file.lines)
            out << line;
        if (!out) {
            std::fprintf(stderr, "nmea_bench: cannot write %s\n", path.c_str());
            std::exit(1);
        }
    }
    std::size_t accepted = 0;
    {
        auto library = std::make_unique<nmea::SentenceLibrary>();
        for (const std::string& line : file.lines)
            accepted += library->ProcessSentence(line) ? 1 : 0;
    }
    const auto lineCount = static_cast<double>(file.lines.size());
    const double libraryRate = LibraryRate(file.lines);
    const double gpsdRate = lineCount / bench::ProgramSeconds({options.gpsdecode, "-u", "-j"}, path);

    std::printf("\nFile %s: %zu lines of %s, %zu accepted by the library\n", path.c_str(), file.lines.size(),
                file.what.c_str(), accepted);
    std::printf("  %-36s %8s %14.0f lines/s\n", "sentence library (in process)", "", libraryRate);
    auto decoder = [&](const char* label, std::vector<std::string> args) {
        const double seconds = bench::ProgramSeconds(args, path);
        std::printf("  %-36s %7.3fs %14.0f lines/s\n", label, seconds, lineCount / seconds);
        return lineCount / seconds;
    };
    const double toolRate = decoder("nmeadecode < file > /dev/null", {options.decoder});
    decoder("nmeadecode --summary < file", {options.decoder, "--summary"});
    std::printf("  %-36s %7.3fs %14.0f lines/s\n", "gpsdecode -u -j < file > /dev/null", lineCount / gpsdRate,
                gpsdRate);

    std::printf("  Ratio to gpsdecode:");
    PrintRatio("library", libraryRate / gpsdRate, 10.0, file.withGoals);
    std::printf(",");
    PrintRatio("nmeadecode", toolRate / gpsdRate, 3.0, file.withGoals);
    std::printf("\n");
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

} // namespace

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
    // home ground, and the same traffic from over ten thousand senders.
    const auto count = static_cast<std::size_t>(options.lines);
    const std::vector<std::string>& ais = logs[1];
    const auto variants = static_cast<std::uint32_t>((kBusyRoundLines + ais.size() - 1) / ais.size());
    bench::BusyTraffic busy = bench::BusyPortTraffic(ais, count, variants);
    Compare(options, {"bench-lines.nmea", "the three captures in turn", Repeat(logs, count), true});
    Compare(options, {"bench-ais.nmea", "the AIS capture only", Repeat({ais}, count), false});
    Compare(options,
            {"bench-busy-ais.nmea", "the AIS capture from " + std::to_string(busy.distinctMmsis) + " senders",
             std::move(busy.lines), true});
    bench::PrintTargetTableCosts();
    return 0;
}
