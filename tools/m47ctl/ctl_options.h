#pragma once
// The command line of m47ctl: one command, the port and interface, what to program, and the
// output options. Standard C++ only; the help text lists the exit statuses a script checks.
//
//   m47ctl program --port COM200 --rs232 38400 --nmea 4800 --json
//          ^command  ^port          ^settings to program    ^output

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace m47::ctl {

// The exit statuses, as the help and the README give them.
inline constexpr int kExitOk = 0;      // done, and for programming: verified
inline constexpr int kExitDevice = 1;  // the device reported an error or a value differs
inline constexpr int kExitUsage = 2;   // the command line is wrong
inline constexpr int kExitPort = 3;    // the port is missing, cannot be opened or went away
inline constexpr int kExitTimeout = 4; // the device did not answer in time

enum class Command { List, Identify, Read, Program, ProfileSave, ProfileApply, Help };

// What `program` (or a profile) asks for; an empty member is left as the device has it.
struct ProgramRequest {
    std::optional<int> rs232BaudRate;
    std::optional<int> nmeaBaudRate;
    std::optional<bool> gpsEnabled;
    std::optional<bool> gpsAtSeaLevel;
    std::array<bool, 3> restore{}; // groups: baud rates, internal GPS, network

    bool ChangesBaudRates() const { return rs232BaudRate || nmeaBaudRate; }
    bool ChangesGps() const { return gpsEnabled || gpsAtSeaLevel; }
    bool Restores() const { return restore[0] || restore[1] || restore[2]; }
};

struct CtlOptions {
    Command command = Command::Help;
    int comNumber = -1;      // --port COM<n>
    bool rs232 = false;      // --interface rs232; USB otherwise
    int pcBaudRate = 115200; // --baud, the PC side of RS-232
    int timeoutSeconds = 60; // --timeout, the longest any command may take
    bool json = false;
    bool verbose = false;
    bool network = false; // read --network
    ProgramRequest program;
    std::string profilePath;
};

// Parses the arguments without the program name; empty, with the reason, when they are wrong.
std::optional<CtlOptions> ParseArguments(const std::vector<std::string>& args, std::string& error);

std::string HelpText();

} // namespace m47::ctl
