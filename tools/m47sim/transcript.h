// A record of every byte the device received, with the time it arrived, so a test can assert
// exactly what the program sent and when. One entry per line of the file:
//
//   # m47sim transcript, started 2026-12-10T13:45:01.123Z
//   0.512034 $PTST,,,,,16*28\r\n
//   2.513112 $PTST,,,,,16*28\r\n
//
// The number is seconds since the start; the bytes are escaped: \r, \n, \\ and \xHH for every
// byte outside printable ASCII. An entry ends after each LF, so every protocol line gets its own.
#pragma once

#include <chrono>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace m47sim {

std::string EscapeBytes(std::string_view bytes);
std::optional<std::string> UnescapeBytes(std::string_view text);

struct TranscriptEntry {
    double seconds = 0.0;
    std::string bytes;
};

class Transcript
{
public:
    // Opens (truncates) the file; `ok()` tells whether that worked.
    Transcript(const std::string& path, std::chrono::steady_clock::time_point start);
    ~Transcript();
    Transcript(const Transcript&) = delete;
    Transcript& operator=(const Transcript&) = delete;

    bool ok() const { return file_ != nullptr; }
    void Record(std::string_view bytes, std::chrono::steady_clock::time_point when);

private:
    std::FILE* file_ = nullptr;
    std::chrono::steady_clock::time_point start_;
};

// The entries of a transcript file; comment lines are skipped, malformed lines too.
std::vector<TranscriptEntry> ReadTranscript(const std::string& path);

} // namespace m47sim
