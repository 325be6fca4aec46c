#include "replay.h"

#include <array>
#include <fstream>
#include <string_view>

namespace m47sim {

namespace {

constexpr std::chrono::milliseconds kMaxPause{10000};
constexpr std::chrono::milliseconds kUntimedPause{50};

// Seconds of the day of a GNSS sentence's time field ("hhmmss.ss" as first field), if it has one.
std::optional<double> TimeOfDay(std::string_view line)
{
    constexpr std::array<std::string_view, 8> kTimed = {"RMC", "GGA", "GLL", "ZDA",
                                                        "GBS", "GNS", "GST", "GRS"};
    if (line.size() < 7 || line[0] != '$')
        return std::nullopt;
    const std::string_view formatter = line.substr(3, 3);
    bool timed = false;
    for (auto f : kTimed)
        timed = timed || f == formatter;
    if (!timed)
        return std::nullopt;
    std::string_view field = line.substr(7);
    // GLL carries its time as the fifth field.
    for (int skip = formatter == "GLL" ? 4 : 0; skip > 0; --skip) {
        const auto comma = field.find(',');
        if (comma == std::string_view::npos)
            return std::nullopt;
        field.remove_prefix(comma + 1);
    }
    field = field.substr(0, field.find_first_of(",*"));
    if (field.size() < 6)
        return std::nullopt;
    for (size_t i = 0; i < 6; ++i)
        if (field[i] < '0' || field[i] > '9')
            return std::nullopt;
    const auto two = [&](size_t at) { return (field[at] - '0') * 10 + (field[at + 1] - '0'); };
    double fraction = 0.0;
    if (field.size() > 7 && field[6] == '.') {
        double scale = 0.1;
        for (size_t i = 7; i < field.size() && field[i] >= '0' && field[i] <= '9'; ++i, scale /= 10)
            fraction += (field[i] - '0') * scale;
    }
    return two(0) * 3600.0 + two(2) * 60.0 + two(4) + fraction;
}

} // namespace

std::optional<std::vector<ReplayLine>> LoadReplay(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::nullopt;
    std::vector<ReplayLine> lines;
    std::optional<double> lastTime;
    bool anyTime = false;
    std::string text;
    while (std::getline(in, text)) {
        while (!text.empty() && (text.back() == '\r' || text.back() == '\n'))
            text.pop_back();
        if (text.empty() || text[0] == '#')
            continue;
        ReplayLine line{text + "\r\n", std::chrono::milliseconds(0)};
        if (const auto t = TimeOfDay(text)) {
            anyTime = true;
            if (lastTime && *t > *lastTime) {
                const auto ms = std::chrono::milliseconds(static_cast<long>((*t - *lastTime) * 1000.0));
                line.delayBefore = ms < kMaxPause ? ms : kMaxPause;
            }
            lastTime = t;
        }
        lines.push_back(std::move(line));
    }
    if (!anyTime)
        for (auto& line : lines)
            line.delayBefore = kUntimedPause;
    return lines;
}

ReplaySource::ReplaySource(std::vector<ReplayLine> lines, bool fast, bool loop)
    : lines_(std::move(lines)), fast_(fast), loop_(loop)
{}

std::vector<std::string> ReplaySource::Due(Clock::time_point now, bool idle)
{
    std::vector<std::string> out;
    if (lines_.empty())
        return out;
    if (fast_) {
        if (!idle)
            return out;
        // A burst per call keeps the port busy without heaping up lines.
        for (int i = 0; i < 32 && (loop_ || next_ < lines_.size()); ++i) {
            out.push_back(lines_[next_].text);
            next_ = loop_ ? (next_ + 1) % lines_.size() : next_ + 1;
        }
        return out;
    }
    // Bounded per call: a looping log whose times never move on must not hold the loop.
    for (int sent = 0; sent < 1000 && (loop_ || next_ < lines_.size()); ++sent) {
        if (!nextDue_)
            nextDue_ = now + lines_[next_].delayBefore;
        if (*nextDue_ > now)
            break;
        out.push_back(lines_[next_].text);
        next_ = loop_ ? (next_ + 1) % lines_.size() : next_ + 1;
        const auto base = *nextDue_;
        nextDue_.reset();
        if (loop_ || next_ < lines_.size())
            nextDue_ = base + lines_[next_].delayBefore;
    }
    return out;
}

} // namespace m47sim
