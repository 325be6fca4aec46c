#include "logreport/replay_pacer.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace m47::logreport {

namespace {

TimeSource ProbeTimeSource(LogReader& reader)
{
    bool gnss = false;
    for (std::size_t i = 0; i < ReplayPacer::kProbeLines; ++i) {
        const auto line = reader.Next();
        if (!line)
            break;
        if (line->recorded)
            return TimeSource::Recorded;
        gnss = gnss || GnssTimeOfDay(line->text).has_value();
    }
    return gnss ? TimeSource::Gnss : TimeSource::Untimed;
}

} // namespace

ReplayPacer::ReplayPacer(std::unique_ptr<LogReader> reader, PaceSettings settings)
    : reader_(std::move(reader)), settings_(settings)
{
    source_ = ProbeTimeSource(*reader_);
    Rewind();
}

void ReplayPacer::Rewind()
{
    reader_->Rewind();
    next_.reset();
    anchor_.reset();
    lastRecorded_.reset();
    lastGnss_.reset();
    finished_ = false;
}

std::vector<std::string> ReplayPacer::Due(Clock::time_point now, std::size_t maxLines)
{
    std::vector<std::string> out;
    if (pausedAt_)
        return out;
    if (!anchor_)
        anchor_ = now;
    const bool fast = settings_.speed == kAsFastAsPossible;
    while (out.size() < maxLines && (next_ || FetchNext())) {
        const Clock::time_point due = *anchor_ + Scaled(nextWait_);
        if (!fast && due > now)
            break;
        out.push_back(std::move(next_->text));
        next_.reset();
        // Lines keep their own schedule when the caller comes late, so the pace averages out.
        anchor_ = fast ? now : due;
    }
    return out;
}

void ReplayPacer::SetSpeed(ReplaySpeed speed, Clock::time_point now)
{
    speed = std::max(speed, kAsFastAsPossible);
    // The part of the current wait already passed stays passed at the new speed.
    if (anchor_ && !pausedAt_ && speed != kAsFastAsPossible && settings_.speed != kAsFastAsPossible &&
        now > *anchor_)
        anchor_ = now - (now - *anchor_) * settings_.speed / speed;
    else if (anchor_ && !pausedAt_)
        anchor_ = std::min(*anchor_, now);
    settings_.speed = speed;
}

void ReplayPacer::Pause(Clock::time_point now)
{
    if (!pausedAt_)
        pausedAt_ = now;
}

void ReplayPacer::Resume(Clock::time_point now)
{
    if (!pausedAt_)
        return;
    if (anchor_ && now > *pausedAt_)
        *anchor_ += now - *pausedAt_;
    pausedAt_.reset();
}

double ReplayPacer::Progress() const
{
    if (finished_ || reader_->Size() == 0)
        return finished_ ? 1.0 : 0.0;
    return std::min(1.0, static_cast<double>(reader_->Position()) / static_cast<double>(reader_->Size()));
}

bool ReplayPacer::FetchNext()
{
    next_ = reader_->Next();
    if (!next_) {
        finished_ = true;
        return false;
    }
    nextWait_ = std::min<std::chrono::nanoseconds>(Wait(*next_), kMaxWait);
    return true;
}

std::chrono::nanoseconds ReplayPacer::Wait(const LogLine& line)
{
    switch (source_) {
    case TimeSource::Recorded: {
        if (!line.recorded)
            return {};
        const auto last = std::exchange(lastRecorded_, line.recorded);
        return last && *line.recorded > *last ? *line.recorded - *last : std::chrono::nanoseconds{};
    }
    case TimeSource::Gnss: {
        const auto time = GnssTimeOfDay(line.text);
        if (!time)
            return {};
        const auto last = std::exchange(lastGnss_, time);
        // A time that goes back (midnight, a new capture) waits nothing.
        if (!last || *time <= *last)
            return {};
        // Whole milliseconds, so that times such as .30 keep an exact schedule.
        return std::chrono::milliseconds(std::llround(std::min(*time - *last, 86400.0) * 1000.0));
    }
    case TimeSource::Untimed: return settings_.untimedInterval;
    }
    return {};
}

ReplayPacer::Clock::duration ReplayPacer::Scaled(std::chrono::nanoseconds wait) const
{
    if (settings_.speed <= 1)
        return std::chrono::duration_cast<Clock::duration>(wait);
    return std::chrono::duration_cast<Clock::duration>(wait / settings_.speed);
}

} // namespace m47::logreport
