// Replay of a saved log in place of the generated streams, through the log reader and pacer
// the configurator's replay uses: "#" comments and empty lines are skipped, every other line is
// sent as it stands, with CR LF, and the file is read as it goes, never held whole.
//
// Natural pace follows the log's times: the receive times of a recorded file, else the UTC
// times of the GNSS sentences (when the time moves on, the replay waits as long as the receiver
// did, at most 10 s; lines in between go out at once). A log without times goes out at 20 lines
// a second. Fast pace sends line after line as fast as the port takes them.
#pragma once

#include "device.h"
#include "logreport/replay_pacer.h"

#include <memory>
#include <string>
#include <vector>

namespace m47sim {

class ReplaySource : public LineSource
{
public:
    static constexpr std::chrono::milliseconds kUntimedInterval{50};

    ReplaySource(std::unique_ptr<m47::logreport::LogReader> reader, bool fast, bool loop);
    // The log at `path`; nothing when the file cannot be read.
    static std::unique_ptr<ReplaySource> Open(const std::string& path, bool fast, bool loop);

    std::vector<std::string> Due(Clock::time_point now, bool idle) override;
    bool finished() const { return !loop_ && pacer_.Finished(); }

private:
    std::vector<std::string> Take(Clock::time_point now, std::size_t limit);

    m47::logreport::ReplayPacer pacer_;
    bool fast_;
    bool loop_;
};

} // namespace m47sim
