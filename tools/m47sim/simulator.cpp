#include "simulator.h"

#include <algorithm>
#include <cstdio>
#include <poll.h>

namespace m47sim {

namespace {

constexpr std::chrono::milliseconds kLoopPeriod{5};
// After announcing a restart the device lets the program read the announcement before it goes.
constexpr std::chrono::milliseconds kRestartLinger{200};
// Lines waiting for a program that has stopped reading; beyond this they are dropped.
constexpr size_t kMaxQueuedBytes = 64 * 1024;

} // namespace

Simulator::Simulator(std::unique_ptr<Device> device, SimulatorOptions options)
    : device_(std::move(device)), options_(std::move(options)), faults_(options_.faults), start_(Clock::now())
{}

Simulator::~Simulator() = default;

bool Simulator::Start(std::string& error)
{
    folder_ = options_.portsFolder.empty() ? DefaultPortsDirectory() : options_.portsFolder;
    start_ = Clock::now();
    if (!options_.transcriptPath.empty()) {
        transcript_ = std::make_unique<Transcript>(options_.transcriptPath, start_);
        if (!transcript_->ok()) {
            error = "cannot write the transcript " + options_.transcriptPath;
            return false;
        }
    }
    port_ = VirtualPort::Open(folder_, options_.comNumber, options_.friendlyName, error);
    present_ = port_ != nullptr;
    return port_ != nullptr;
}

std::string Simulator::linkPath() const
{
    return (folder_.empty() ? DefaultPortsDirectory() : folder_) + "/COM" +
           std::to_string(options_.comNumber);
}

void Simulator::Run()
{
    while (!stop_) {
        const auto now = Clock::now();
        Step(now);
        // Wait for the program's bytes, for room to write when a piece is due, or for the next
        // piece of a split write.
        auto wait = kLoopPeriod;
        bool due = !writes_.empty();
        if (due && nextWriteAt_ && *nextWriteAt_ > now) {
            wait = std::min(wait, std::chrono::ceil<std::chrono::milliseconds>(*nextWriteAt_ - now));
            due = false;
        }
        pollfd p{port_ ? port_->fd() : -1, static_cast<short>(POLLIN | (due ? POLLOUT : 0)), 0};
        // A hung-up port reports POLLHUP at once, so it is only polled while someone listens.
        if (port_ && !port_->Connected())
            p.fd = -1;
        poll(&p, 1, static_cast<int>(wait.count()));
    }
    port_.reset();
    present_ = false;
}

void Simulator::GoAway(std::optional<Clock::time_point> back)
{
    port_.reset();
    present_ = false;
    writes_.clear();
    queuedBytes_ = 0;
    nextWriteAt_.reset();
    lingerUntil_.reset(); // an unplug cuts a restart short; plugging in ends it
    backAt_ = back;
}

bool Simulator::ComeBack()
{
    std::string error;
    port_ = VirtualPort::Open(folder_, options_.comNumber, options_.friendlyName, error);
    if (!port_) {
        std::fprintf(stderr, "m47sim: %s\n", error.c_str());
        return false;
    }
    backAt_.reset();
    present_ = true;
    ++reappearances_;
    return true;
}

void Simulator::Step(Clock::time_point now)
{
    // Unplug on a signal, or once after the configured time; plug in again on the next signal
    // or after the configured time away.
    const int requests = unplugRequests_.load();
    const bool toggle = requests != unplugSeen_;
    unplugSeen_ = requests;
    const auto timeAway = [&]() -> std::optional<Clock::time_point> {
        if (options_.vanishFor)
            return now + *options_.vanishFor;
        return std::nullopt;
    };
    if (toggle && port_) {
        GoAway(timeAway());
        return;
    }
    if (toggle && !port_) {
        if (ComeBack())
            device_->Restarted(now);
        return;
    }
    if (!vanishDone_ && options_.vanishAfter && now - start_ >= *options_.vanishAfter && port_) {
        vanishDone_ = true;
        GoAway(timeAway());
        return;
    }
    if (!port_) {
        if (backAt_ && now >= *backAt_ && ComeBack())
            device_->Restarted(now);
        return;
    }

    // What the program wrote just before closing the port still reaches the device.
    const std::string received = port_->Read();
    if (!received.empty()) {
        if (transcript_)
            transcript_->Record(received, now);
        device_->Receive(received, now);
    }
    const bool connected = port_->Connected();
    if (!connected && !writes_.empty()) {
        writes_.clear(); // nobody listens: the lines are lost, as on the wire
        queuedBytes_ = 0;
        nextWriteAt_.reset();
    }

    for (auto& line : device_->Poll(now, writes_.empty())) {
        // Nobody listens, or the program stopped reading and the device's buffer ran over.
        if (!connected || queuedBytes_ > kMaxQueuedBytes)
            continue;
        for (auto& piece : options_.faults.Any() ? faults_.Apply(std::move(line))
                                                 : std::vector<WritePiece>{{std::move(line)}}) {
            queuedBytes_ += piece.bytes.size();
            writes_.push_back(std::move(piece));
        }
    }
    Flush(now);

    if (device_->TakeRestartRequest())
        lingerUntil_ = now + kRestartLinger;
    if (lingerUntil_ && now >= *lingerUntil_)
        GoAway(now + options_.restartPause);
}

void Simulator::Flush(Clock::time_point now)
{
    while (!writes_.empty()) {
        WritePiece& piece = writes_.front();
        if (!nextWriteAt_)
            nextWriteAt_ = now + piece.pauseBefore;
        if (now < *nextWriteAt_)
            return;
        const size_t taken = port_->Write(piece.bytes);
        piece.bytes.erase(0, taken);
        queuedBytes_ -= taken;
        if (!piece.bytes.empty())
            return; // the port is full; the rest goes when it drains
        writes_.pop_front();
        nextWriteAt_.reset();
    }
}

} // namespace m47sim
