#include "line_reader.h"

#include <cerrno>
#include <cstring>
#include <unistd.h>

LineReader::LineReader(int fd) : fd_(fd) {}

bool LineReader::Fill()
{
    pos_ = end_ = 0;
    while (!eof_) {
        const ssize_t n = ::read(fd_, block_, kBlockSize);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            failed_ = n < 0;
            eof_ = true;
            break;
        }
        end_ = static_cast<std::size_t>(n);
        return true;
    }
    return false;
}

bool LineReader::Next(LogLine& line)
{
    line.length = 0;
    bool any = false; // a byte of this line was read, so an unterminated last line counts
    for (;;) {
        if (pos_ == end_ && !Fill())
            break;
        any = true;
        const char* start = block_ + pos_;
        const auto* lf = static_cast<const char*>(std::memchr(start, '\n', end_ - pos_));
        const char* stop = lf ? lf : block_ + end_;
        for (const char* p = start; p < stop; ++p) {
            if (*p == '\r' || *p == '\0')
                continue;
            if (line.length <= LogLine::kMaxLength)
                line.text[line.length] = *p;
            ++line.length;
        }
        pos_ = static_cast<std::size_t>(stop - block_);
        if (lf) {
            ++pos_;
            break;
        }
    }
    if (!any)
        return false;
    line.text[line.length <= LogLine::kMaxLength ? line.length : LogLine::kMaxLength + 1] = '\0';
    line.number = ++number_;
    return true;
}
