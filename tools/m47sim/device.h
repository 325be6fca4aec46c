// The virtual M47 itself, without any port: bytes from the program go in through Receive, the
// lines the device sends come out of Poll when they are due. It answers identification, takes
// programming sentences (announcing a restart), runs the network module's configuration mode
// and produces the once-a-second GNSS and AIS streams.
#pragma once

#include "ais_traffic.h"
#include "device_state.h"
#include "vessel.h"

#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace m47sim {

using Clock = std::chrono::steady_clock;

struct StreamSettings {
    bool gnss = true;                       // GNSS cycle (while the internal GPS is enabled)
    bool ais = true;                        // VDM targets and the own ship's VDO
    bool glonass = true;                    // a second constellation beside GPS
    bool fix = true;                        // false: the GPS has no position
    bool flood = false;                     // send epoch after epoch as fast as the port takes them
    std::chrono::milliseconds period{1000}; // one epoch per period
    uint32_t ownMmsi = 416000047;
    VesselMotion own{25.0415, 121.7622, 12.3, 84.0, 0.05};
    std::optional<double> emptySector; // degrees true: no target heard from here to 30 degrees on
    std::chrono::system_clock::time_point utcStart = std::chrono::system_clock::now();
};

struct DeviceOptions {
    std::chrono::milliseconds replyDelay{150}; // between a query and its answer
    bool answerIdentification = true;          // false: a device that never answers "$PTST"
    bool takeProgramming = true; // false: programming sentences restart it but change nothing
    StreamSettings streams;
};

// Lines that take the place of the generated streams (a replayed log).
class LineSource
{
public:
    virtual ~LineSource() = default;
    // The lines due at `now`; `idle` tells that everything sent before has gone out.
    virtual std::vector<std::string> Due(Clock::time_point now, bool idle) = 0;
};

class Device
{
public:
    Device(DeviceState initial, DeviceState factory, DeviceOptions options, Clock::time_point start);

    // Bytes from the program. NUL and CR are dropped, LF ends a line.
    void Receive(std::string_view bytes, Clock::time_point now);

    // The lines (each with its line end) due at `now`, in sending order. `idle` tells that the
    // port has sent everything handed out before; flooding and fast replay wait for it.
    std::vector<std::string> Poll(Clock::time_point now, bool idle = true);

    // True once after the restart announcement has been handed out by Poll: the device now goes
    // away (the port closes) until Restarted is called.
    bool TakeRestartRequest();
    void Restarted(Clock::time_point now);
    bool restarting() const { return restartPending_ || restartAnnounced_; }

    void SetReplay(std::unique_ptr<LineSource> source) { replay_ = std::move(source); }

    const DeviceState& state() const { return state_; }
    bool configMode() const { return configMode_; }
    long epochs() const { return epoch_; }

private:
    struct Pending {
        Clock::time_point due;
        std::string line;
        bool restart = false;
    };

    void HandleLine(std::string_view line, Clock::time_point now);
    void Schedule(Clock::time_point due, std::string line, bool restart = false);
    std::vector<std::string> Epoch(Clock::time_point now);

    DeviceState state_;
    DeviceState factory_;
    DeviceOptions options_;
    Clock::time_point start_;
    std::string rxLine_;
    bool rxOverflow_ = false;
    std::vector<Pending> outbox_;
    bool configMode_ = false;
    bool restartPending_ = false;   // announcement queued
    bool restartAnnounced_ = false; // announcement handed out, restart not yet taken
    bool restartTaken_ = false;     // the port is away until Restarted
    Clock::time_point nextEpoch_;
    Clock::time_point lastEpoch_;
    long epoch_ = 0;
    VesselMotion own_;
    AisTraffic traffic_;
    std::unique_ptr<LineSource> replay_;
};

} // namespace m47sim
