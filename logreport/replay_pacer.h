#pragma once
// Gives out the lines of a saved log at the pace they were received:
//
//   recorded file   2026-12-11T10:15:03.125Z $GPGGA,...   waits as long as the recorded times say
//   NMEA capture    $GPRMC,101503.00,...  !AIVDM,...       waits when the GNSS time moves on,
//                                                          the lines in between go out at once
//   anything else   !AIVDM,...  !AIVDM,...                 one line per untimed interval
//
// The time source is chosen from the first kProbeLines lines: recorded times when any carries
// one, else GNSS times when any sentence has one, else the untimed interval. Every wait is cut
// to kMaxWait, so a gap in a recording (a receiver switched off for the night) does not stall
// the replay. Speeds 1x, 4x, 16x shorten the waits; "as fast as possible" has none. A pause
// holds the schedule; resuming continues where it stopped. The caller gives the time of every
// call, so the pacer runs on any clock.

#include "logreport/log_reader.h"

#include <chrono>
#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace m47::logreport {

enum class TimeSource { Recorded, Gnss, Untimed };

// How many times faster than received; kAsFastAsPossible for no waits at all.
using ReplaySpeed = int;
inline constexpr ReplaySpeed kAsFastAsPossible = 0;

struct PaceSettings {
    std::chrono::milliseconds untimedInterval{100}; // 10 lines a second
    ReplaySpeed speed = 1;
};

class ReplayPacer
{
public:
    using Clock = std::chrono::steady_clock;
    static constexpr std::size_t kProbeLines = 1000;
    static constexpr std::chrono::milliseconds kMaxWait{10000};

    ReplayPacer(std::unique_ptr<LogReader> reader, PaceSettings settings);

    // The texts of the lines due at `now`, at most `maxLines` of them, in file order. The first
    // call starts the schedule.
    std::vector<std::string> Due(Clock::time_point now, std::size_t maxLines);

    void SetSpeed(ReplaySpeed speed, Clock::time_point now);
    void Pause(Clock::time_point now);
    void Resume(Clock::time_point now);
    // Starts the log over; the next call to Due starts a fresh schedule.
    void Rewind();

    bool Paused() const { return pausedAt_.has_value(); }
    bool Finished() const { return finished_; }
    TimeSource Source() const { return source_; }
    ReplaySpeed Speed() const { return settings_.speed; }
    // Position in the file, 0 to 1 (1 once finished).
    double Progress() const;

private:
    bool FetchNext(); // reads the next line and its wait; false at the end
    std::chrono::nanoseconds Wait(const LogLine& line);
    Clock::duration Scaled(std::chrono::nanoseconds wait) const;

    std::unique_ptr<LogReader> reader_;
    PaceSettings settings_;
    TimeSource source_ = TimeSource::Untimed;
    std::optional<LogLine> next_;
    std::chrono::nanoseconds nextWait_{0}; // before next_, at 1x
    std::optional<Clock::time_point> anchor_; // when the line before next_ was due
    std::optional<Clock::time_point> pausedAt_;
    std::optional<UtcMilliseconds> lastRecorded_;
    std::optional<double> lastGnss_;
    bool finished_ = false;
};

} // namespace m47::logreport
