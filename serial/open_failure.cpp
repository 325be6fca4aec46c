// The words for a refused open: permission (the owning group and how to join it), busy (who holds
// the device, or which known port taker is running), gone, or the system's own text.
#include "open_failure.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <string_view>

namespace m47::serial {
namespace {

// Group and program names come from the machine; a name longer than this is cut.
constexpr std::size_t kMaxNameLength = 64;
// Device paths are ours, but a virtual-port folder may lie deep; the reason stays readable.
constexpr std::size_t kMaxPathLength = 255;

// Services that take serial ports on their own when a USB serial device appears, and how to stop
// them for the session.
struct PortTaker {
    std::string_view program;
    std::string_view stopCommand;
};
constexpr std::array<PortTaker, 3> kPortTakers{{
    {"ModemManager", "sudo systemctl stop ModemManager"},
    {"gpsd", "sudo systemctl stop gpsd.socket gpsd"},
    {"brltty", "sudo systemctl stop brltty"},
}};

const PortTaker* KnownTaker(std::string_view program)
{
    const auto* it = std::find_if(kPortTakers.begin(), kPortTakers.end(),
                                  [program](const PortTaker& taker) { return taker.program == program; });
    return it == kPortTakers.end() ? nullptr : it;
}

// Printable bytes only, at most `limit` of them: the reason is shown as one plain-text message.
std::string Cleaned(std::string_view text, std::size_t limit)
{
    std::string out;
    for (const char c : text) {
        if (out.size() == limit)
            break;
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x20 && byte != 0x7F)
            out += c;
    }
    return out;
}

std::string StopAdvice(const PortTaker* taker)
{
    if (taker == nullptr)
        return " Close that program, then try again.";
    return " Stop it with " + std::string(taker->stopCommand) + ", then try again.";
}

std::string PermissionReason(const std::string& path, const std::string& group)
{
    if (group.empty())
        return "You have no permission to open " + path + ".";
    return path + " belongs to the group \"" + group + "\"; your user must be a member of it (sudo usermod -aG " +
           group + " $USER, then log in again).";
}

// `devicePath` is what the lookups get, `path` what the text shows.
std::string BusyReason(const std::string& devicePath, const std::string& path, const OpenFailureLookups& lookups)
{
    if (const auto holder = lookups.holder ? lookups.holder(devicePath) : std::nullopt) {
        const std::string program = Cleaned(holder->program, kMaxNameLength);
        return path + " is in use by " + program + " (process " + std::to_string(holder->pid) + ")." +
               StopAdvice(KnownTaker(program));
    }
    // A daemon's descriptors are hidden from other users; a known taker that runs is the likely one.
    const std::vector<std::string> running = lookups.runningPrograms ? lookups.runningPrograms()
                                                                     : std::vector<std::string>{};
    for (const PortTaker& taker : kPortTakers) {
        if (std::find(running.begin(), running.end(), taker.program) != running.end())
            return path + " is in use by another program; " + std::string(taker.program) +
                   " is running and may hold it." + StopAdvice(&taker);
    }
    return path + " is in use by another program." + StopAdvice(nullptr);
}

} // namespace

std::string ExplainOpenFailure(int error, const std::string& devicePath, const OpenFailureLookups& lookups)
{
    const std::string path = Cleaned(devicePath, kMaxPathLength);
    switch (error) {
    case EACCES:
    case EPERM:
        return PermissionReason(path, Cleaned(lookups.owningGroup ? lookups.owningGroup(devicePath) : std::string(),
                                               kMaxNameLength));
    case EBUSY:
        return BusyReason(devicePath, path, lookups);
    case ENOENT:
    case ENODEV:
    case ENXIO:
        return path + " is gone: the receiver was unplugged or switched off.";
    case ENOTTY:
        return path + " is not a serial port.";
    default:
        // strerror's buffer is shared; the text is copied at once.
        return path + " could not be opened: " + std::string(std::strerror(error)) + ".";
    }
}

} // namespace m47::serial
