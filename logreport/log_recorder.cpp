#include "logreport/log_recorder.h"

#include <cerrno>
#include <cstring>

namespace m47::logreport {

std::optional<std::string> LogRecorder::Start(const std::string& path, UtcTime now)
{
    if (file_)
        (void)Stop();
    errno = 0;
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file)
        return std::strerror(errno != 0 ? errno : EIO);
    // Unbuffered: the recorder's own buffer decides when bytes go out, and a write error shows
    // at the write that failed.
    std::setvbuf(file, nullptr, _IONBF, 0);
    file_.reset(file);
    path_ = path;
    buffer_.clear();
    buffer_.reserve(kBufferLimit);
    lastFlush_ = now;
    lines_ = 0;
    return std::nullopt;
}

std::optional<std::string> LogRecorder::Record(std::string_view line, UtcTime now)
{
    if (!file_)
        return std::nullopt;
    buffer_ += ReceiveStamp(now);
    buffer_ += line;
    buffer_ += '\n';
    ++lines_;
    if (buffer_.size() >= kBufferLimit)
        return Flush(now);
    return Tick(now);
}

std::optional<std::string> LogRecorder::Tick(UtcTime now)
{
    // A clock set back counts as due, so the buffer is never held for long.
    if (!file_ || (now >= lastFlush_ && now - lastFlush_ < kFlushInterval))
        return std::nullopt;
    return Flush(now);
}

std::optional<std::string> LogRecorder::Stop()
{
    if (!file_)
        return std::nullopt;
    if (auto failure = Flush(lastFlush_))
        return failure;
    std::FILE* file = file_.release();
    errno = 0;
    if (std::fclose(file) != 0)
        return std::strerror(errno != 0 ? errno : EIO);
    return std::nullopt;
}

std::optional<std::string> LogRecorder::Flush(UtcTime now)
{
    lastFlush_ = now;
    if (buffer_.empty())
        return std::nullopt;
    errno = 0;
    const std::size_t written = std::fwrite(buffer_.data(), 1, buffer_.size(), file_.get());
    if (written != buffer_.size())
        return Fail(errno != 0 ? errno : EIO);
    buffer_.clear();
    return std::nullopt;
}

std::optional<std::string> LogRecorder::Fail(int error)
{
    buffer_.clear();
    file_.reset();
    return std::strerror(error);
}

} // namespace m47::logreport
