// The device's end of a virtual serial port: a pseudo-terminal published in the virtual-port
// folder as COM<n>, so the configurator lists it like a USB serial port.
//
//   <folder>/COM200       -> /dev/pts/7            (symbolic link, created last, removed first)
//   <folder>/COM200.name     "Veldra M47 Simulator (COM200)"
#pragma once

#include <memory>
#include <string>
#include <string_view>

namespace m47sim {

// $M47_PORTS_DIR, else $XDG_RUNTIME_DIR/veldra-m47/ports, else /tmp/veldra-m47-<uid>/ports.
std::string DefaultPortsDirectory();

// "<name> (COM<n>)" unless the name already carries "(COM<n>)".
std::string FriendlyPortName(std::string_view name, int comNumber);

class VirtualPort
{
public:
    // Opens a pseudo-terminal in raw mode and publishes it; nothing (and a reason in `error`)
    // when that fails.
    static std::unique_ptr<VirtualPort> Open(const std::string& folder, int comNumber,
                                             const std::string& friendlyName, std::string& error);
    // Unpublishes (link first) and closes: to the program the port is gone, as if unplugged.
    ~VirtualPort();
    VirtualPort(const VirtualPort&) = delete;
    VirtualPort& operator=(const VirtualPort&) = delete;

    // True while a program holds the port open. Lines sent while nobody listens are lost, as on
    // a real device.
    bool Connected() const;
    // Reads what the program sent (non-blocking); empty when nothing is waiting.
    std::string Read();
    // Writes as much as the port takes now (non-blocking); the number of bytes taken.
    size_t Write(std::string_view bytes);

    int fd() const { return master_; }
    const std::string& devicePath() const { return devicePath_; }

private:
    VirtualPort() = default;

    int master_ = -1;
    std::string devicePath_;
    std::string linkPath_;
    std::string namePath_;
};

} // namespace m47sim
