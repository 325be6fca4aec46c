// Helpers for driving the virtual device in tests without a port: a device on a fake clock and
// the lines it sends over a stretch of time.
#pragma once

#include "device.h"

#include <chrono>
#include <memory>
#include <string>
#include <vector>

namespace m47sim::test {

inline constexpr std::chrono::milliseconds kStep{10};

// A device whose clock starts at the steady clock's epoch and whose UTC starts on a whole second.
inline std::unique_ptr<Device> MakeTestDevice(DeviceOptions options = {}, DeviceState state = {})
{
    options.streams.utcStart =
        std::chrono::system_clock::time_point(std::chrono::seconds(1796904000)); // 2026-12-10
    return std::make_unique<Device>(state, DeviceState{}, options, Clock::time_point{});
}

// Polls the device every 10 ms of fake time from `from` for `span`; the lines in sending order.
inline std::vector<std::string> RunFor(Device& device, Clock::time_point& now, std::chrono::milliseconds span)
{
    std::vector<std::string> lines;
    const auto end = now + span;
    for (; now < end; now += kStep)
        for (auto& line : device.Poll(now))
            lines.push_back(std::move(line));
    return lines;
}

inline std::vector<std::string> Containing(const std::vector<std::string>& lines, const std::string& text)
{
    std::vector<std::string> found;
    for (const auto& line : lines)
        if (line.find(text) != std::string::npos)
            found.push_back(line);
    return found;
}

} // namespace m47sim::test
