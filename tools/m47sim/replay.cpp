#include "replay.h"

namespace m47sim {

namespace logreport = m47::logreport;

namespace {

// Lines per call: a burst keeps the port busy without heaping up lines, and a looping log
// whose times never move on must not hold the loop.
constexpr std::size_t kFastBurst = 32;
constexpr std::size_t kPacedLimit = 1000;

} // namespace

ReplaySource::ReplaySource(std::unique_ptr<logreport::LogReader> reader, bool fast, bool loop)
    : pacer_(std::move(reader), {kUntimedInterval, fast ? logreport::kAsFastAsPossible : 1}), fast_(fast),
      loop_(loop)
{}

std::unique_ptr<ReplaySource> ReplaySource::Open(const std::string& path, bool fast, bool loop)
{
    auto reader = logreport::LogReader::Open(path);
    if (!reader)
        return nullptr;
    return std::make_unique<ReplaySource>(std::move(reader), fast, loop);
}

std::vector<std::string> ReplaySource::Due(Clock::time_point now, bool idle)
{
    if (fast_)
        return idle ? Take(now, kFastBurst) : std::vector<std::string>{};
    return Take(now, kPacedLimit);
}

std::vector<std::string> ReplaySource::Take(Clock::time_point now, std::size_t limit)
{
    std::vector<std::string> out;
    bool rewound = false;
    while (out.size() < limit) {
        const std::vector<std::string> lines = pacer_.Due(now, limit - out.size());
        for (const std::string& line : lines)
            out.push_back(line + "\r\n");
        // A log with no lines at all ends the loop too.
        if (!loop_ || !pacer_.Finished() || (rewound && lines.empty()))
            break;
        pacer_.Rewind();
        rewound = true;
    }
    return out;
}

} // namespace m47sim
