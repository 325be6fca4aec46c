// What the machine tells about a device that would not open: the group owning its node (stat and
// the group database) and the processes that hold it (/proc/<pid>/fd links that lead to the same
// character device, named by /proc/<pid>/comm).
#include "open_failure.h"

#include <cctype>
#include <charconv>
#include <dirent.h>
#include <fcntl.h>
#include <grp.h>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

namespace m47::serial {
namespace {

// The kernel keeps a command name of at most 15 bytes; anything longer is not a comm file.
constexpr std::size_t kMaxCommLength = 64;

using DirHandle = std::unique_ptr<DIR, int (*)(DIR*)>;

DirHandle OpenDir(const std::string& path)
{
    return DirHandle(opendir(path.c_str()), &closedir);
}

bool IsNumber(const char* name)
{
    if (*name == '\0')
        return false;
    for (; *name != '\0'; ++name) {
        if (std::isdigit(static_cast<unsigned char>(*name)) == 0)
            return false;
    }
    return true;
}

// Calls visit(name) for every numeric entry of `folder` until it returns true.
template <typename Visit>
bool AnyNumberedEntry(const std::string& folder, Visit visit)
{
    const DirHandle dir = OpenDir(folder);
    if (!dir)
        return false;
    while (const dirent* entry = readdir(dir.get())) {
        if (IsNumber(entry->d_name) && visit(std::string(entry->d_name)))
            return true;
    }
    return false;
}

// The first line of /proc/<pid>/comm, read with a bounded buffer.
std::string CommandName(const std::string& processDir)
{
    const int fd = open((processDir + "/comm").c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return {};
    char buffer[kMaxCommLength];
    const ssize_t got = read(fd, buffer, sizeof buffer);
    close(fd);
    if (got <= 0)
        return {};
    std::string name(buffer, static_cast<std::size_t>(got));
    return name.substr(0, name.find('\n'));
}

} // namespace

std::string DeviceOwningGroup(const std::string& devicePath)
{
    struct stat st {
    };
    if (stat(devicePath.c_str(), &st) != 0)
        return {};
    // getgrgid_r with a buffer of its own: the lookup may run beside other threads.
    std::string buffer(4096, '\0');
    group entry{};
    group* found = nullptr;
    if (getgrgid_r(st.st_gid, &entry, buffer.data(), buffer.size(), &found) != 0 || found == nullptr)
        return {};
    return found->gr_name;
}

std::optional<PortHolder> FindPortHolder(const std::string& devicePath, const std::string& procDir)
{
    struct stat target {
    };
    if (stat(devicePath.c_str(), &target) != 0 || !S_ISCHR(target.st_mode))
        return std::nullopt;
    std::optional<PortHolder> holder;
    AnyNumberedEntry(procDir, [&](const std::string& pid) {
        const std::string processDir = procDir + '/' + pid;
        // Another user's descriptors are unreadable: the folder does not open and is passed over.
        const bool holds = AnyNumberedEntry(processDir + "/fd", [&](const std::string& fd) {
            struct stat st {
            };
            return stat((processDir + "/fd/" + fd).c_str(), &st) == 0 && S_ISCHR(st.st_mode) &&
                   st.st_rdev == target.st_rdev;
        });
        if (holds) {
            int number = 0;
            std::from_chars(pid.data(), pid.data() + pid.size(), number);
            holder = PortHolder{CommandName(processDir), number};
        }
        return holds;
    });
    return holder;
}

std::vector<std::string> RunningPrograms(const std::string& procDir)
{
    std::vector<std::string> programs;
    AnyNumberedEntry(procDir, [&](const std::string& pid) {
        programs.push_back(CommandName(procDir + '/' + pid));
        return false;
    });
    return programs;
}

OpenFailureLookups SystemOpenFailureLookups()
{
    const std::string procDir = "/proc";
    return {DeviceOwningGroup, [procDir](const std::string& path) { return FindPortHolder(path, procDir); },
            [procDir] { return RunningPrograms(procDir); }};
}

} // namespace m47::serial
