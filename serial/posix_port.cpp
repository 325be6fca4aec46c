// The POSIX side of the serial component: open with an exclusive flock, raw termios, modem lines,
// queue sizes and time-limited reads and writes on a non-blocking descriptor.
#include "posix_port.h"

#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <linux/serial.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace posixport {
namespace {

using Clock = std::chrono::steady_clock;

// Milliseconds left until deadline, never negative.
int RemainingMs(Clock::time_point deadline)
{
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
    return left.count() > 0 ? static_cast<int>(left.count()) : 0;
}

// Waits until fd is ready for events; returns 0, ETIMEDOUT, EIO on hang-up, or errno.
int WaitReady(int fd, short events, int timeoutMs)
{
    pollfd p{fd, events, 0};
    int r;
    do {
        r = poll(&p, 1, timeoutMs);
    } while (r < 0 && errno == EINTR);
    if (r < 0)
        return errno;
    if (r == 0)
        return ETIMEDOUT;
    if (p.revents & events)
        return 0;
    return EIO;
}

tcflag_t CharacterSize(std::uint8_t byteSize)
{
    switch (byteSize) {
    case 5: return CS5;
    case 6: return CS6;
    case 7: return CS7;
    default: return CS8;
    }
}

} // namespace

int OpenExclusive(const std::string& path)
{
    const int fd = open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return -1;
    if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const int err = errno == EWOULDBLOCK ? EBUSY : errno;
        close(fd);
        errno = err;
        return -1;
    }
    return fd;
}

void Close(int fd)
{
    // What was written last (the network module's leave sentence before a disconnection or
    // the exit) must still reach the device: give the driver a moment to send it, and drop only
    // the unread input. Output that cannot leave in that time (a stopped flow) is dropped too,
    // so that closing never hangs on it.
    constexpr int kDrainStepMs = 5;
    constexpr int kDrainLimitMs = 250;
    std::uint32_t queued = 0;
    for (int waited = 0; waited < kDrainLimitMs; waited += kDrainStepMs) {
        if (OutputQueued(fd, queued) != 0 || queued == 0)
            break;
        usleep(kDrainStepMs * 1000);
    }
    tcflush(fd, queued == 0 ? TCIFLUSH : TCIOFLUSH);
    close(fd);
}

bool MakeRawTermios(termios& tio, const TLineSettings& s)
{
    if (s.ByteSize < 5 || s.ByteSize > 8 || s.Parity > 4 || s.StopBits > 2)
        return false;
    const tcflag_t hardwareFlow = tio.c_cflag & CRTSCTS;
    cfmakeraw(&tio);
    tio.c_cflag &= ~(CSIZE | PARENB | PARODD | CMSPAR | CSTOPB | CRTSCTS);
    tio.c_cflag |= CLOCAL | CREAD | hardwareFlow | CharacterSize(s.ByteSize);
    switch (s.Parity) {
    case 1: tio.c_cflag |= PARENB | PARODD; break;
    case 2: tio.c_cflag |= PARENB; break;
    case 3: tio.c_cflag |= PARENB | CMSPAR | PARODD; break;
    case 4: tio.c_cflag |= PARENB | CMSPAR; break;
    default: break;
    }
    // A tty has no 1.5 stop bits of its own; CSTOPB gives 1.5 on a UART at 5 data bits.
    if (s.StopBits != 0)
        tio.c_cflag |= CSTOPB;
    if (s.fParity)
        tio.c_iflag |= INPCK;
    tio.c_cc[VSTART] = static_cast<cc_t>(s.XonChar);
    tio.c_cc[VSTOP] = static_cast<cc_t>(s.XoffChar);
    // With O_NONBLOCK an empty queue reads as EAGAIN while a hung-up line reads 0 or EIO, and
    // VMIN 1 makes poll() report the first byte.
    tio.c_cc[VMIN] = 1;
    tio.c_cc[VTIME] = 0;
    return true;
}

int ApplyLineSettings(int fd, const TLineSettings& s)
{
    termios tio{};
    if (tcgetattr(fd, &tio) != 0)
        return errno;
    if (!MakeRawTermios(tio, s))
        return EINVAL;
    if (tcsetattr(fd, TCSANOW, &tio) != 0)
        return errno;
    return SetBitRate(fd, s.BaudRate);
}

int SetModemLine(int fd, int line, bool on)
{
    if (ioctl(fd, on ? TIOCMBIS : TIOCMBIC, &line) == 0)
        return 0;
    return (errno == ENOTTY || errno == EINVAL) ? 0 : errno;
}

int InputQueued(int fd, std::uint32_t& count)
{
    int n = 0;
    if (ioctl(fd, FIONREAD, &n) != 0)
        return errno;
    count = n > 0 ? static_cast<std::uint32_t>(n) : 0;
    return 0;
}

int OutputQueued(int fd, std::uint32_t& count)
{
    int n = 0;
    if (ioctl(fd, TIOCOUTQ, &n) != 0)
        return errno;
    count = n > 0 ? static_cast<std::uint32_t>(n) : 0;
    return 0;
}

bool HungUp(int fd)
{
    pollfd p{fd, 0, 0};
    return poll(&p, 1, 0) > 0 && (p.revents & (POLLHUP | POLLERR | POLLNVAL));
}

bool IsSameNode(int fd, const std::string& path)
{
    struct stat opened {
    };
    struct stat named {
    };
    if (fstat(fd, &opened) != 0 || stat(path.c_str(), &named) != 0)
        return false;
    return opened.st_dev == named.st_dev && opened.st_ino == named.st_ino && opened.st_rdev == named.st_rdev;
}

bool ReadLineErrorCounts(int fd, LineErrorCounts& counts)
{
    serial_icounter_struct icount{};
    if (ioctl(fd, TIOCGICOUNT, &icount) != 0)
        return false;
    counts = {icount.frame, icount.overrun, icount.parity, icount.brk, icount.buf_overrun};
    return true;
}

int ReadWithin(int fd, void* buffer, std::size_t count, int timeoutMs, std::size_t& transferred)
{
    transferred = 0;
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    auto* out = static_cast<unsigned char*>(buffer);
    while (transferred < count) {
        const ssize_t n = read(fd, out + transferred, count - transferred);
        if (n > 0) {
            transferred += static_cast<std::size_t>(n);
            continue;
        }
        if (n == 0)
            return EIO; // end of file: the line hung up
        if (errno == EINTR)
            continue;
        if (errno != EAGAIN)
            return errno;
        const int waited = WaitReady(fd, POLLIN, RemainingMs(deadline));
        if (waited == ETIMEDOUT)
            return 0;
        if (waited != 0)
            return waited;
    }
    return 0;
}

int WriteWithin(int fd, const void* buffer, std::size_t count, int timeoutMs, std::size_t& transferred)
{
    transferred = 0;
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    const auto* in = static_cast<const unsigned char*>(buffer);
    while (transferred < count) {
        const ssize_t n = write(fd, in + transferred, count - transferred);
        if (n > 0) {
            transferred += static_cast<std::size_t>(n);
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && errno != EAGAIN)
            return errno;
        const int waited = WaitReady(fd, POLLOUT, RemainingMs(deadline));
        if (waited != 0)
            return waited;
    }
    return 0;
}

} // namespace posixport
