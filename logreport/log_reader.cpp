#include "logreport/log_reader.h"

#include <algorithm>
#include <cstring>
#include <fstream>

namespace m47::logreport {

LogReader::LogReader(std::unique_ptr<std::istream> in) : in_(std::move(in))
{
    in_->seekg(0, std::ios::end);
    const std::streamoff end = in_->tellg();
    size_ = end > 0 ? static_cast<std::uint64_t>(end) : 0;
    in_->clear();
    in_->seekg(0, std::ios::beg);
    in_->clear();
}

std::unique_ptr<LogReader> LogReader::Open(const std::string& path)
{
    auto file = std::make_unique<std::ifstream>(path, std::ios::binary);
    if (!*file)
        return nullptr;
    return std::make_unique<LogReader>(std::move(file));
}

std::optional<LogLine> LogReader::Next()
{
    std::string raw;
    while (RawLine(raw)) {
        if (raw.empty() || raw.front() == '#')
            continue;
        LogLine line;
        line.recorded = ParseReceiveStamp(raw);
        line.text = line.recorded ? raw.substr(kReceiveStampLength) : std::move(raw);
        return line;
    }
    return std::nullopt;
}

void LogReader::Rewind()
{
    in_->clear();
    in_->seekg(0, std::ios::beg);
    chunkPos_ = chunkEnd_ = 0;
    position_ = 0;
}

bool LogReader::RawLine(std::string& line)
{
    line.clear();
    bool any = false;
    std::size_t length = 0; // of the whole line, kept or not
    // A CR is the line end's only when the line was kept whole.
    const auto dropLineEndCr = [&] {
        if (length == line.size() && !line.empty() && line.back() == '\r')
            line.pop_back();
    };
    while (chunkPos_ < chunkEnd_ || Refill()) {
        any = true;
        const char* start = chunk_.data() + chunkPos_;
        const std::size_t available = chunkEnd_ - chunkPos_;
        const void* lf = std::memchr(start, '\n', available);
        const std::size_t take = lf ? static_cast<std::size_t>(static_cast<const char*>(lf) - start) : available;
        const std::size_t room = kMaxLineLength - std::min(line.size(), kMaxLineLength);
        line.append(start, std::min(take, room));
        length += take;
        const std::size_t consumed = lf ? take + 1 : take;
        chunkPos_ += consumed;
        position_ += consumed;
        if (lf) {
            dropLineEndCr();
            return true;
        }
    }
    // A last line without LF still counts.
    dropLineEndCr();
    return any;
}

bool LogReader::Refill()
{
    chunkPos_ = chunkEnd_ = 0;
    if (!*in_)
        return false;
    in_->read(chunk_.data(), static_cast<std::streamsize>(chunk_.size()));
    chunkEnd_ = static_cast<std::size_t>(std::max<std::streamsize>(in_->gcount(), 0));
    return chunkEnd_ > 0;
}

} // namespace m47::logreport
