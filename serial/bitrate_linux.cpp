// Bit rates through termios2 with BOTHER, so that any rate reaches the driver (glibc's cfsetspeed
// knows only the B-constants and refuses 128000 and 256000). <asm/termbits.h> clashes with
// <termios.h>, so this is the one file that includes it.
#include <asm/termbits.h>
#include <cerrno>
#include <cstdint>
#include <sys/ioctl.h>

namespace posixport {

int SetBitRate(int fd, std::uint32_t rate)
{
    termios2 tio{};
    if (ioctl(fd, TCGETS2, &tio) != 0)
        return errno;
    tio.c_cflag &= ~static_cast<tcflag_t>(CBAUD | (CBAUD << IBSHIFT));
    tio.c_cflag |= BOTHER | (BOTHER << IBSHIFT);
    tio.c_ispeed = rate;
    tio.c_ospeed = rate;
    return ioctl(fd, TCSETS2, &tio) == 0 ? 0 : errno;
}

int GetBitRate(int fd, std::uint32_t& rate)
{
    termios2 tio{};
    if (ioctl(fd, TCGETS2, &tio) != 0)
        return errno;
    rate = tio.c_ospeed;
    return 0;
}

} // namespace posixport
