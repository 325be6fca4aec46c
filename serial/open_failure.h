#pragma once
// Why a serial device could not be opened, in words a technician can act on. Standard C++ only:
// the window, the command-line tools and the tests share it.
//
//   EACCES on /dev/ttyUSB0, group "dialout"
//     -> "/dev/ttyUSB0 belongs to the group "dialout"; your user must be a member of it
//         (sudo usermod -aG dialout $USER, then log in again)."
//   EBUSY on /dev/ttyACM0, held by ModemManager (process 812)
//     -> "/dev/ttyACM0 is in use by ModemManager (process 812). Stop it with
//         sudo systemctl stop ModemManager, then try again."
//   ENOENT on /dev/ttyUSB3 -> "/dev/ttyUSB3 is gone: the receiver was unplugged or switched off."
//   ENOTTY on /dev/null    -> "/dev/null is not a serial port."
//
// What the system knows beyond the error code (the owning group, the holding process) comes
// through injected lookups, so the rules run without a machine behind them.
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace m47::serial {

// A process that has the device open.
struct PortHolder {
    std::string program; // its command name
    int pid = 0;
};

struct OpenFailureLookups {
    // Name of the group that owns the device node; empty when unknown.
    std::function<std::string(const std::string& devicePath)> owningGroup;
    // The process holding the device, when one can be seen.
    std::function<std::optional<PortHolder>(const std::string& devicePath)> holder;
    // Command names of the running processes (to name a known port taker that could not be seen
    // holding the device, because its descriptors belong to another user).
    std::function<std::vector<std::string>()> runningPrograms;
};

// The reason for `error` (an errno value) when opening `devicePath`, one or two sentences of
// plain text. Device-supplied parts (group and program names) are cut and cleaned of control
// characters. A lookup left empty counts as knowing nothing.
std::string ExplainOpenFailure(int error, const std::string& devicePath, const OpenFailureLookups& lookups);

// Lookups on this machine: stat and the group database, /proc/<pid>/fd and /proc/<pid>/comm.
OpenFailureLookups SystemOpenFailureLookups();

// The scans behind SystemOpenFailureLookups, with the process folder given (tests use a fake).
std::string DeviceOwningGroup(const std::string& devicePath);
std::optional<PortHolder> FindPortHolder(const std::string& devicePath, const std::string& procDir);
std::vector<std::string> RunningPrograms(const std::string& procDir);

} // namespace m47::serial
