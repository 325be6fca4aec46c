#pragma once
// Records every received line to a file as it arrives, each line after its receive time in UTC
// with milliseconds, LF line ends:
//
//   2026-12-11T10:15:03.125Z $GPRMC,101503.00,A,2502.4904,N,12145.7358,E,12.3,84.1,111226,,,A*6C
//   2026-12-11T10:15:03.141Z !AIVDM,1,1,,A,15RTgt0PAso;90TKcjM8h6g208CQ,0*4A
//
// Lines wait in a small buffer and reach the file at most once a second (and at stop), or
// sooner when the buffer is full, so memory stays bounded however fast lines come. A failed
// write ends the recording with the system's reason; what reached the file before stays.
// The caller gives the time of every call, so the recorder runs on any clock.

#include "logreport/log_time_stamps.h"

#include <chrono>
#include <cstddef>
#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace m47::logreport {

class LogRecorder
{
public:
    static constexpr std::chrono::seconds kFlushInterval{1};
    // Buffered bytes that are written out at once, without waiting for the second to pass.
    static constexpr std::size_t kBufferLimit = 256 * 1024;

    // Creates or empties the file at `path`; on failure the reason is returned and nothing records.
    [[nodiscard]] std::optional<std::string> Start(const std::string& path, UtcTime now);

    // Each of these returns the reason when a write failed just now and the recording ended.
    [[nodiscard]] std::optional<std::string> Record(std::string_view line, UtcTime now);
    // The once-a-second flush, for quiet times without lines.
    [[nodiscard]] std::optional<std::string> Tick(UtcTime now);
    // Writes what is buffered and closes the file.
    [[nodiscard]] std::optional<std::string> Stop();

    bool Recording() const { return file_ != nullptr; }
    const std::string& Path() const { return path_; }
    std::size_t LinesRecorded() const { return lines_; }

private:
    struct CloseFile {
        void operator()(std::FILE* f) const { std::fclose(f); }
    };

    std::optional<std::string> Flush(UtcTime now);
    std::optional<std::string> Fail(int error);

    std::unique_ptr<std::FILE, CloseFile> file_;
    std::string path_;
    std::string buffer_;
    UtcTime lastFlush_{};
    std::size_t lines_ = 0;
};

} // namespace m47::logreport
