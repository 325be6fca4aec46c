// Replay of a saved log in place of the generated streams. Lines starting with "#" and empty
// lines are skipped; every other line is sent as it stands, with CR LF.
//
// Natural pace follows the UTC times of the GNSS sentences in the log (RMC, GGA, GLL, ZDA, GBS,
// GNS, GST, GRS): when the time moves on, the replay waits as long as the receiver did (at most
// 10 s). Lines in between go out at once. A log without such times goes out at 20 lines a second.
// Fast pace sends line after line as fast as the port takes them.
#pragma once

#include "device.h"

#include <optional>
#include <string>
#include <vector>

namespace m47sim {

struct ReplayLine {
    std::string text;                      // with CR LF
    std::chrono::milliseconds delayBefore; // natural pace
};

// The lines of a log with their natural pacing; nothing when the file cannot be read.
std::optional<std::vector<ReplayLine>> LoadReplay(const std::string& path);

class ReplaySource : public LineSource
{
public:
    ReplaySource(std::vector<ReplayLine> lines, bool fast, bool loop);
    std::vector<std::string> Due(Clock::time_point now, bool idle) override;
    bool finished() const { return !loop_ && next_ >= lines_.size(); }

private:
    std::vector<ReplayLine> lines_;
    bool fast_;
    bool loop_;
    size_t next_ = 0;
    std::optional<Clock::time_point> nextDue_;
};

} // namespace m47sim
