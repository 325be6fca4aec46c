// Reads a big generated log through the replay's log reader, as fast as it goes, and prints
// lines per second and the peak resident memory: the reader streams the file, so the memory
// stays the same whatever the file's size. The file (1 GB by default) is made in /tmp and
// removed afterwards; the run is skipped when the disk has not room for it twice over. Build it
// without the sanitizers: their quarantine of freed memory would show as resident memory.
//
//   log_reader_bench [--megabytes N] [--folder DIR]
#include "logreport/log_reader.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <sys/resource.h>
#include <unistd.h>

namespace {

// Peak resident memory of this process so far, in MiB.
double PeakRssMiB()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

// A recorded session: every line after its receive time, GNSS and AIS lines mixed.
void WriteLog(const std::string& path, std::uintmax_t bytes)
{
    const std::string_view lines[] = {
        "2026-12-11T10:15:03.125Z $GPRMC,101503.00,A,2502.4904,N,12145.7358,E,12.3,84.1,111226,,,A*6C\n",
        "2026-12-11T10:15:03.141Z $GPGSV,3,1,12,01,40,083,46,02,17,308,41,12,07,344,39,14,22,228,45*75\n",
        "2026-12-11T10:15:03.172Z !AIVDM,1,1,,A,15RTgt0PAso;90TKcjM8h6g208CQ,0*4A\n",
        "# a comment line\n"};
    std::string block;
    while (block.size() < (1u << 20))
        for (const auto line : lines)
            block += line;
    std::ofstream out(path, std::ios::binary);
    for (std::uintmax_t written = 0; written < bytes; written += block.size())
        out.write(block.data(), static_cast<std::streamsize>(block.size()));
}

} // namespace

int main(int argc, char** argv)
{
    std::uintmax_t megabytes = 1024;
    std::string folder = "/tmp";
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string_view option = argv[i];
        if (option == "--megabytes")
            megabytes = std::strtoull(argv[i + 1], nullptr, 10);
        else if (option == "--folder")
            folder = argv[i + 1];
    }
    const std::uintmax_t bytes = megabytes << 20;
    std::error_code error;
    const auto space = std::filesystem::space(folder, error);
    if (error || space.available < 2 * bytes) {
        std::printf("skipped: %s has not %ju MB free\n", folder.c_str(), 2 * megabytes);
        return 0;
    }
    const std::string path = folder + "/m47-log-reader-bench-" + std::to_string(getpid()) + ".log";
    WriteLog(path, bytes);
    const double rssBefore = PeakRssMiB();

    const auto start = std::chrono::steady_clock::now();
    auto reader = m47::logreport::LogReader::Open(path);
    std::uintmax_t lines = 0;
    while (reader && reader->Next())
        ++lines;
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::filesystem::remove(path, error);

    std::printf("log reader: %ju MB, %ju lines in %.2f s: %.0f lines/s, %.0f MB/s\n", megabytes, lines, seconds,
                static_cast<double>(lines) / seconds, static_cast<double>(megabytes) / seconds);
    std::printf("peak RSS: %.1f MiB before reading, %.1f MiB after\n", rssBefore, PeakRssMiB());
    return 0;
}
