// Runs a Device on a published virtual port: reads what the program sends, writes the device's
// lines through the fault injector, restarts (the port vanishes and comes back under the same
// COM number) after programming, and vanishes on demand.
//
// In-process use (tests):
//     Simulator sim(std::move(device), options);
//     if (!sim.Start(error)) ...;
//     std::thread loop([&] { sim.Run(); });
//     ... open sim.linkPath(), talk ...
//     sim.Stop(); loop.join();
#pragma once

#include "device.h"
#include "faults.h"
#include "transcript.h"
#include "virtual_port.h"

#include <atomic>
#include <chrono>
#include <deque>
#include <memory>
#include <optional>
#include <string>

namespace m47sim {

struct SimulatorOptions {
    std::string portsFolder; // empty: DefaultPortsDirectory()
    int comNumber = 200;
    std::string friendlyName = "Veldra M47 Simulator";
    std::chrono::milliseconds restartPause{3000};         // how long the port is away on a restart
    std::optional<std::chrono::milliseconds> vanishAfter; // unplug this long after the start
    std::optional<std::chrono::milliseconds> vanishFor;   // come back after this; none: stay away
    FaultSettings faults;
    std::string transcriptPath; // empty: no transcript
};

class Simulator
{
public:
    Simulator(std::unique_ptr<Device> device, SimulatorOptions options);
    ~Simulator();

    // Opens the transcript and publishes the port; false with a reason when that fails.
    bool Start(std::string& error);
    // The loop; returns after Stop().
    void Run();

    // Both only set flags, so they are safe from another thread and from a signal handler.
    void Stop() { stop_ = true; }
    void ToggleUnplug() { unplugRequests_.fetch_add(1); }

    std::string linkPath() const;
    // Times the port has come back after a restart or an unplug.
    int reappearances() const { return reappearances_; }
    bool present() const { return present_; }

private:
    void Step(Clock::time_point now);
    void Flush(Clock::time_point now);
    void GoAway(std::optional<Clock::time_point> back);
    bool ComeBack();

    std::unique_ptr<Device> device_;
    SimulatorOptions options_;
    std::string folder_;
    std::unique_ptr<VirtualPort> port_;
    std::unique_ptr<Transcript> transcript_;
    FaultInjector faults_;
    std::deque<WritePiece> writes_;
    size_t queuedBytes_ = 0;
    std::optional<Clock::time_point> nextWriteAt_;
    Clock::time_point start_;
    std::optional<Clock::time_point> lingerUntil_; // announcement out, restart after this
    std::optional<Clock::time_point> backAt_;      // away; back at this time
    bool vanishDone_ = false;
    int unplugSeen_ = 0;

    std::atomic<bool> stop_{false};
    std::atomic<int> unplugRequests_{0};
    std::atomic<int> reappearances_{0};
    std::atomic<bool> present_{false};
};

} // namespace m47sim
