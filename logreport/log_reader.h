#pragma once
// Reads a saved log line by line as a stream, never the whole file: a recorded file, a saved
// data log or any NMEA capture.
//
//   # a capture                                       comment: skipped
//   2026-12-11T10:15:03.125Z $GPGGA,101503.00,...*5B  -> "$GPGGA,101503.00,...*5B", recorded 10:15:03.125
//   !AIVDM,1,1,,A,15RTgt0PAso;90TKcjM8h6g208CQ,0*4A   -> as it stands, no recorded time
//                                                     empty line: skipped
//
// Lines end at LF; a CR before it goes (LF and CR LF files read alike). A line longer than
// kMaxLineLength keeps its first kMaxLineLength bytes; the rest of it is passed over.

#include "logreport/log_time_stamps.h"

#include <array>
#include <cstdint>
#include <istream>
#include <memory>
#include <optional>
#include <string>

namespace m47::logreport {

struct LogLine {
    std::string text;                         // without line end and receive-time prefix
    std::optional<UtcMilliseconds> recorded;  // the receive time a recording put before it
};

class LogReader
{
public:
    static constexpr std::size_t kMaxLineLength = 4096;
    static constexpr std::size_t kChunkSize = 64 * 1024;

    // Reads from `in`; its size, when it can seek, gives the progress.
    explicit LogReader(std::unique_ptr<std::istream> in);
    // The file at `path`; nothing when it cannot be opened.
    static std::unique_ptr<LogReader> Open(const std::string& path);

    // The next line that is neither a comment nor empty; nothing at the end of the input.
    std::optional<LogLine> Next();
    // Back to the first line.
    void Rewind();

    // Bytes taken from the input so far, and its size (0 when unknown).
    std::uint64_t Position() const { return position_; }
    std::uint64_t Size() const { return size_; }

private:
    bool RawLine(std::string& line); // false at the end of the input
    bool Refill();

    std::unique_ptr<std::istream> in_;
    std::array<char, kChunkSize> chunk_{};
    std::size_t chunkPos_ = 0;
    std::size_t chunkEnd_ = 0;
    std::uint64_t position_ = 0;
    std::uint64_t size_ = 0;
};

} // namespace m47::logreport
