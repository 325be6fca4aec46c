#include "virtual_port.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <poll.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

namespace m47sim {

namespace {

std::string ErrorText(const char* what)
{
    return std::string(what) + ": " + std::strerror(errno);
}

bool WriteWholeFile(const std::string& path, const std::string& text)
{
    std::FILE* f = std::fopen(path.c_str(), "w");
    if (!f)
        return false;
    const bool ok = std::fwrite(text.data(), 1, text.size(), f) == text.size();
    return std::fclose(f) == 0 && ok;
}

// Creates the missing folders of the path, readable by their owner only: the port entries
// decide which device the configurator opens.
bool MakePrivateFolders(const std::string& path)
{
    for (size_t slash = path.find('/', 1);; slash = path.find('/', slash + 1)) {
        const std::string prefix = path.substr(0, slash);
        if (!prefix.empty() && mkdir(prefix.c_str(), 0700) != 0 && errno != EEXIST)
            return false;
        if (slash == std::string::npos)
            return true;
    }
}

} // namespace

std::string DefaultPortsDirectory()
{
    if (const char* dir = std::getenv("M47_PORTS_DIR"); dir && *dir)
        return dir;
    if (const char* runtime = std::getenv("XDG_RUNTIME_DIR"); runtime && *runtime)
        return std::string(runtime) + "/veldra-m47/ports";
    return "/tmp/veldra-m47-" + std::to_string(getuid()) + "/ports";
}

std::string FriendlyPortName(std::string_view name, int comNumber)
{
    const std::string tag = "(COM" + std::to_string(comNumber) + ")";
    if (name.find(tag) != std::string_view::npos)
        return std::string(name);
    return std::string(name) + (name.empty() ? "" : " ") + tag;
}

std::unique_ptr<VirtualPort> VirtualPort::Open(const std::string& folder, int comNumber,
                                               const std::string& friendlyName, std::string& error)
{
    std::unique_ptr<VirtualPort> port(new VirtualPort);
    port->master_ = posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (port->master_ < 0 || grantpt(port->master_) != 0 || unlockpt(port->master_) != 0) {
        error = ErrorText("cannot create a pseudo-terminal");
        return nullptr;
    }
    char name[128];
    if (ptsname_r(port->master_, name, sizeof name) != 0) {
        error = ErrorText("cannot name the pseudo-terminal");
        return nullptr;
    }
    port->devicePath_ = name;

    // Raw line settings, so no byte is echoed or translated. Opening and closing the device end
    // once also leaves the pseudo-terminal hung up until a program opens it: that is how
    // Connected() tells whether anyone listens.
    const int device = open(name, O_RDWR | O_NOCTTY);
    if (device < 0) {
        error = ErrorText("cannot open the pseudo-terminal");
        return nullptr;
    }
    termios tio{};
    tcgetattr(device, &tio);
    cfmakeraw(&tio);
    tcsetattr(device, TCSANOW, &tio);
    close(device);

    if (!MakePrivateFolders(folder)) {
        error = ErrorText(("cannot create " + folder).c_str());
        return nullptr;
    }
    const std::string entry = "COM" + std::to_string(comNumber);
    const std::string base = folder + "/" + entry;
    const std::string namePath = base + ".name";
    // Files are made under hidden names that no scanner takes for an entry, then renamed.
    const std::string hidden = folder + "/." + entry + "." + std::to_string(getpid());
    const std::string hiddenName = hidden + ".name";
    if (!WriteWholeFile(hiddenName, FriendlyPortName(friendlyName, comNumber) + "\n") ||
        std::rename(hiddenName.c_str(), namePath.c_str()) != 0) {
        error = ErrorText(("cannot write " + namePath).c_str());
        std::remove(hiddenName.c_str());
        return nullptr;
    }
    port->namePath_ = namePath;
    // The link appears atomically under its final name, so a scanner never sees half an entry.
    std::remove(hidden.c_str());
    if (symlink(name, hidden.c_str()) != 0 || std::rename(hidden.c_str(), base.c_str()) != 0) {
        error = ErrorText(("cannot publish " + base).c_str());
        std::remove(hidden.c_str());
        return nullptr;
    }
    port->linkPath_ = base;
    return port;
}

VirtualPort::~VirtualPort()
{
    // Another publisher may have taken the number over since; its entry stays.
    std::error_code ec;
    const bool ours = !linkPath_.empty() && std::filesystem::read_symlink(linkPath_, ec) == devicePath_;
    if (ours) {
        std::remove(linkPath_.c_str());
        std::remove(namePath_.c_str());
    }
    if (master_ >= 0)
        close(master_);
}

bool VirtualPort::Connected() const
{
    pollfd p{master_, POLLIN, 0};
    return poll(&p, 1, 0) >= 0 && (p.revents & POLLHUP) == 0;
}

std::string VirtualPort::Read()
{
    std::string bytes;
    char buffer[4096];
    // Bounded, so a program that never stops writing cannot hold the device's loop.
    while (bytes.size() < 16 * sizeof buffer) {
        const ssize_t n = read(master_, buffer, sizeof buffer);
        if (n <= 0)
            break;
        bytes.append(buffer, static_cast<size_t>(n));
    }
    return bytes;
}

size_t VirtualPort::Write(std::string_view bytes)
{
    const ssize_t n = write(master_, bytes.data(), bytes.size());
    return n > 0 ? static_cast<size_t>(n) : 0;
}

} // namespace m47sim
