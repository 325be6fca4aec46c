#pragma once
// The thin POSIX layer under the serial component: each function stands for one of the
// platform communications calls and returns 0 or an errno value. Nothing here throws.
#include "line_settings.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <termios.h>

namespace posixport {

// Opens a device node for reading and writing, non-blocking, without making it the controlling
// terminal, and takes an exclusive flock so that a second open (also by root) is refused.
// Returns the descriptor, or -1 with errno set.
int OpenExclusive(const std::string& path);

// Drops both queues and closes the descriptor (the flock goes with it).
void Close(int fd);

// Turns tio (as the driver reported it) into raw mode with the settings' byte size, parity, stop
// bits, special characters and input parity check; keeps the driver's hardware flow control.
// False for a byte size, parity or stop-bit value the tty has no form for.
bool MakeRawTermios(termios& tio, const TLineSettings& settings);

// Raw mode with CLOCAL and CREAD, then the bit rate, parity, stop bits, byte size, special
// characters and input parity check of the settings. Hardware flow control keeps what the driver
// reports. Returns 0 or the errno of the refusing call (EINVAL for a byte size the tty lacks;
// a pseudo-terminal carries 8 data bits only and ignores parity).
int ApplyLineSettings(int fd, const TLineSettings& settings);

// Any bit rate, also 128000 and 256000 (termios2 with BOTHER); reads the rate back.
int SetBitRate(int fd, std::uint32_t rate);
int GetBitRate(int fd, std::uint32_t& rate);

// Raises or drops TIOCM_DTR or TIOCM_RTS. A device without modem lines (a pseudo-terminal answers
// ENOTTY or EINVAL) is no failure: the call does nothing and returns 0.
int SetModemLine(int fd, int line, bool on);

// Bytes waiting in the input queue (FIONREAD) and in the output queue (TIOCOUTQ).
int InputQueued(int fd, std::uint32_t& count);
int OutputQueued(int fd, std::uint32_t& count);

// True when the device has hung up or failed (POLLHUP, POLLERR, POLLNVAL) right now.
bool HungUp(int fd);

// Whether `path` (links followed) names the very node fd was opened on: same device number and
// inode. False when the path no longer exists, so a node replaced under the same name (a replug
// within moments) counts as another device.
bool IsSameNode(int fd, const std::string& path);

// Line error counters of the driver (TIOCGICOUNT), which a pseudo-terminal lacks.
struct LineErrorCounts {
    int frame = 0, overrun = 0, parity = 0, brk = 0, bufOverrun = 0;
};
bool ReadLineErrorCounts(int fd, LineErrorCounts& counts);

// Reads up to count bytes, waiting at most timeoutMs for them in total. Stops early on hang-up or
// an error; transferred tells what arrived. Returns 0 or the errno that ended it.
int ReadWithin(int fd, void* buffer, std::size_t count, int timeoutMs, std::size_t& transferred);

// Writes count bytes, waiting for room in the output queue at most timeoutMs in total.
int WriteWithin(int fd, const void* buffer, std::size_t count, int timeoutMs, std::size_t& transferred);

} // namespace posixport
