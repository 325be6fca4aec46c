#include "device.h"

#include "gnss_sentences.h"
#include "network_module.h"
#include "sentence.h"
#include "sky.h"

#include <algorithm>
#include <ctime>

namespace m47sim {

namespace {

// Longer lines are no command of the program; they are dropped up to the next LF.
constexpr size_t kMaxLine = 256;

constexpr std::string_view kIdentificationBody = "PTST,,,,,16";
constexpr std::string_view kRestartAnnouncement = "PCVN,R,TXT,SYSTEM RESTART";

UtcTime BreakDown(std::chrono::system_clock::time_point t)
{
    const auto seconds = std::chrono::time_point_cast<std::chrono::seconds>(t);
    const std::time_t whole = std::chrono::system_clock::to_time_t(seconds);
    std::tm tm{};
    gmtime_r(&whole, &tm);
    UtcTime utc;
    utc.year = tm.tm_year + 1900;
    utc.month = tm.tm_mon + 1;
    utc.day = tm.tm_mday;
    utc.hour = tm.tm_hour;
    utc.minute = tm.tm_min;
    utc.second = tm.tm_sec;
    utc.centisecond =
        static_cast<int>(std::chrono::duration_cast<std::chrono::milliseconds>(t - seconds).count() / 10);
    return utc;
}

std::string_view TrimRight(std::string_view text)
{
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    return text;
}

} // namespace

Device::Device(DeviceState initial, DeviceState factory, DeviceOptions options, Clock::time_point start)
    : state_(std::move(initial)), factory_(std::move(factory)), options_(options), start_(start),
      nextEpoch_(start), lastEpoch_(start), own_(options.streams.own),
      traffic_(options.streams.own, options.streams.ownMmsi, options.streams.emptySector)
{
    // Epochs fall on whole UTC seconds, as a receiver's do.
    const auto utc = options_.streams.utcStart;
    const auto intoSecond = utc - std::chrono::floor<std::chrono::seconds>(utc);
    if (intoSecond.count() != 0)
        nextEpoch_ =
            start + std::chrono::duration_cast<Clock::duration>(std::chrono::seconds(1) - intoSecond);
}

void Device::Receive(std::string_view bytes, Clock::time_point now)
{
    for (char c : bytes) {
        if (c == '\0' || c == '\r')
            continue;
        if (c != '\n') {
            if (rxLine_.size() < kMaxLine)
                rxLine_ += c;
            else
                rxOverflow_ = true;
            continue;
        }
        if (!rxOverflow_)
            HandleLine(rxLine_, now);
        rxLine_.clear();
        rxOverflow_ = false;
    }
}

void Device::HandleLine(std::string_view line, Clock::time_point now)
{
    if (restarting() || restartTaken_)
        return;
    if (line.empty())
        return;
    if (line[0] != '$') {
        // AT commands reach the network module only in its configuration mode.
        if (configMode_)
            for (auto& reply : AnswerAtCommand(state_.network, TrimRight(line)))
                Schedule(now + options_.replyDelay, std::move(reply));
        return;
    }
    const auto body = CheckedBody(line);
    if (!body)
        return;
    if (*body == kIdentificationBody) {
        if (options_.answerIdentification)
            for (auto& reply : ProductInfoLines(state_))
                Schedule(now + options_.replyDelay, std::move(reply));
        return;
    }
    const std::string_view full = TrimRight(line);
    if (full == kEnterConfigMode) {
        configMode_ = state_.network.fitted;
        return;
    }
    if (full == kLeaveConfigMode) {
        configMode_ = false;
        return;
    }
    if (const auto settings = ParseProgramming(*body)) {
        if (options_.takeProgramming)
            ApplySettings(state_, *settings, factory_);
        configMode_ = false;
        Schedule(now + options_.replyDelay, FrameSentence('$', kRestartAnnouncement), true);
        restartPending_ = true;
    }
}

void Device::Schedule(Clock::time_point due, std::string line, bool restart)
{
    const auto at = std::upper_bound(outbox_.begin(), outbox_.end(), due,
                                     [](Clock::time_point t, const Pending& p) { return t < p.due; });
    outbox_.insert(at, Pending{due, std::move(line), restart});
}

std::vector<std::string> Device::Poll(Clock::time_point now, bool idle)
{
    std::vector<std::string> out;
    if (restartTaken_ || restartAnnounced_)
        return out;

    const bool streaming = !configMode_ && !restartPending_;
    if (streaming && replay_) {
        for (auto& line : replay_->Due(now, idle && outbox_.empty()))
            Schedule(now, std::move(line));
    } else if (streaming && options_.streams.flood) {
        if (idle && outbox_.empty())
            for (auto& line : Epoch(now))
                Schedule(now, std::move(line));
    } else if (streaming && now >= nextEpoch_) {
        for (auto& line : Epoch(now))
            Schedule(now, std::move(line));
        nextEpoch_ += options_.streams.period;
        if (nextEpoch_ <= now) // fell behind (a stalled loop): resume from now
            nextEpoch_ = now + options_.streams.period;
    }

    while (!outbox_.empty() && outbox_.front().due <= now) {
        Pending next = std::move(outbox_.front());
        outbox_.erase(outbox_.begin());
        out.push_back(std::move(next.line));
        if (next.restart) {
            // The device stops talking once it has announced the restart.
            outbox_.clear();
            restartPending_ = false;
            restartAnnounced_ = true;
            break;
        }
    }
    return out;
}

bool Device::TakeRestartRequest()
{
    if (!restartAnnounced_)
        return false;
    restartAnnounced_ = false;
    restartTaken_ = true;
    return true;
}

void Device::Restarted(Clock::time_point now)
{
    restartTaken_ = false;
    configMode_ = false;
    rxLine_.clear();
    rxOverflow_ = false;
    outbox_.clear();
    nextEpoch_ = now + options_.streams.period;
}

std::vector<std::string> Device::Epoch(Clock::time_point now)
{
    const StreamSettings& s = options_.streams;
    const double elapsed = std::chrono::duration<double>(now - lastEpoch_).count();
    lastEpoch_ = now;
    Advance(own_, elapsed);
    traffic_.Advance(elapsed);

    const auto utcNow =
        s.utcStart + std::chrono::duration_cast<std::chrono::system_clock::duration>(now - start_);
    const UtcTime utc = BreakDown(utcNow);
    const bool gpsOn = !state_.gpsDisabled;

    std::vector<std::string> lines;
    if (s.gnss && gpsOn) {
        GnssEpoch epoch;
        epoch.utc = utc;
        epoch.own = own_;
        epoch.fix = s.fix;
        epoch.altitude = state_.gpsNavStatus == 5 ? 12.0 : 640.0;
        epoch.satellites = SatellitesInView(std::chrono::duration<double>(now - start_).count(), s.glonass);
        lines = GnssCycle(epoch);
    }
    if (s.ais)
        for (auto& line : traffic_.Second(epoch_, own_, utc.second, gpsOn && s.fix))
            lines.push_back(std::move(line));
    ++epoch_;
    return lines;
}

} // namespace m47sim
