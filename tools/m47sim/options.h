// The command line of m47sim: every option sets part of the initial device state, the streams,
// the port or the faults. The help text is made from the same table the parser uses.
#pragma once

#include "device.h"
#include "simulator.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace m47sim {

struct CommandLine {
    DeviceState state; // initial state
    DeviceOptions device;
    SimulatorOptions simulator;
    std::string replayPath; // empty: generated streams
    bool replayFast = false;
    bool replayLoop = false;
    bool help = false;
};

// Parses the arguments (without the program name); nothing and a reason on a bad option.
std::optional<CommandLine> ParseCommandLine(const std::vector<std::string>& args, std::string& error);

std::string HelpText();

// The device of a command line, with its replay loaded; nothing and a reason when the log
// cannot be read.
std::unique_ptr<Device> MakeDevice(const CommandLine& line, Clock::time_point start, std::string& error);

} // namespace m47sim
