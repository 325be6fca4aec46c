#include "logreport/record_replay.h"

#include <algorithm>

namespace m47::logreport {

RecordReplayMenu MenuFor(bool connected, bool recording, bool replaying)
{
    return {.record = !recording,
            .stopRecording = recording,
            .replay = !connected && !replaying,
            .stopReplay = replaying,
            .connect = !replaying,
            .recIndicator = recording};
}

std::string RecordingFileName(const std::tm& local)
{
    std::array<char, 32> name{};
    if (std::strftime(name.data(), name.size(), "m47-%Y%m%d-%H%M%S.log", &local) == 0)
        return "m47.log";
    return name.data();
}

std::optional<int> SpeedChoiceIndex(ReplaySpeed speed)
{
    const auto at = std::find_if(kSpeedChoices.begin(), kSpeedChoices.end(),
                                 [speed](const SpeedChoice& c) { return c.speed == speed; });
    if (at == kSpeedChoices.end())
        return std::nullopt;
    return static_cast<int>(at - kSpeedChoices.begin());
}

std::optional<ReplaySpeed> ParseSpeed(std::string_view text)
{
    if (text == "max" || text == "Max")
        return kAsFastAsPossible;
    for (const SpeedChoice& c : kSpeedChoices)
        if (c.speed != kAsFastAsPossible && text == std::to_string(c.speed))
            return c.speed;
    return std::nullopt;
}

std::string RecordingRefusedText(std::string_view path, std::string_view reason)
{
    return std::string("Cannot record to ").append(path).append(": ").append(reason).append(".");
}

std::string RecordingStoppedText(std::string_view path, std::string_view reason)
{
    return std::string("Recording stopped: ")
        .append(reason)
        .append(".\n")
        .append(path)
        .append(" keeps the lines written before.");
}

std::string ReplayFailedText(std::string_view path)
{
    return std::string("Cannot read ").append(path).append(".");
}

} // namespace m47::logreport
