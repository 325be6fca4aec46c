// The event wait of the serial component on poll(), and the synchronous hand-off.
#include "comm_event_thread.h"

#include "logging.h"
#include "posix_port.h"

#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <stdexcept>
#include <system_error>
#include <time.h>
#include <unistd.h>

namespace {

// When the queue holds only bytes that were already announced (a handler left some unread), the
// port stays readable; the thread then looks again after this pause instead of spinning.
constexpr int kAnnouncedBytesPauseMs = 20;

} // namespace

TCommEventThread::TCommEventThread(int portHandle, std::uint32_t suspendTime, TCommEventTypes monitorEvents)
    : portHandle_(portHandle), suspendTime_(suspendTime), waitMask_(EventMaskOf(monitorEvents))
{
    int fds[2];
    if (pipe2(fds, O_NONBLOCK | O_CLOEXEC) != 0)
        throw std::system_error(errno, std::generic_category(), "wake pipe");
    wakeRead_ = fds[0];
    wakeWrite_ = fds[1];
}

TCommEventThread::~TCommEventThread()
{
    Terminate();
    close(wakeRead_);
    close(wakeWrite_);
}

void TCommEventThread::Start()
{
    thread_ = std::thread([this] { Execute(); });
    nativeHandle_ = thread_.native_handle();
}

void TCommEventThread::Terminate()
{
    {
        std::lock_guard lock(mutex_);
        stopRequested_ = true;
    }
    handOff_.notify_all();
    const char wake = 1;
    [[maybe_unused]] const ssize_t n = write(wakeWrite_, &wake, 1); // a full pipe is awake already
    if (thread_.joinable())
        thread_.join();
}

bool TCommEventThread::TakeEventMask(std::uint32_t& mask)
{
    std::lock_guard lock(mutex_);
    if (!pending_ || taken_ || stopRequested_)
        return false;
    taken_ = true;
    mask = eventMask_;
    return true;
}

bool TCommEventThread::HandOffPending() const
{
    std::lock_guard lock(mutex_);
    return pending_;
}

void TCommEventThread::HandOffDone(std::uint32_t unreadAnnounced)
{
    {
        std::lock_guard lock(mutex_);
        pending_ = false;
        taken_ = false;
        unreadAnnounced_ = unreadAnnounced;
    }
    handOff_.notify_all();
}

std::chrono::nanoseconds TCommEventThread::CpuTime() const
{
    if (!thread_.joinable())
        return {};
    clockid_t clock;
    timespec ts{};
    if (pthread_getcpuclockid(nativeHandle_, &clock) != 0 || clock_gettime(clock, &ts) != 0)
        return {};
    return std::chrono::seconds(ts.tv_sec) + std::chrono::nanoseconds(ts.tv_nsec);
}

void TCommEventThread::Execute()
{
    while (!stopRequested_) {
        const std::uint32_t mask = WaitForEvents();
        if (mask == 0)
            continue;
        std::unique_lock lock(mutex_);
        if (stopRequested_)
            break;
        eventMask_ = mask;
        pending_ = true;
        // Posted under the lock: whoever sees the hand-off pending sees its request posted.
        PostHandOff();
        handOff_.wait(lock, [this] { return !pending_ || stopRequested_; });
        if (stopRequested_)
            break;
        announced_ = unreadAnnounced_;
    }
}

void TCommEventThread::DrainWakePipe()
{
    char buffer[16];
    while (read(wakeRead_, buffer, sizeof buffer) > 0) {
    }
}

// One wait: returns the monitored event bits that occurred, or 0 when there is nothing to hand
// over (woken, interrupted, or only already-announced bytes waiting).
std::uint32_t TCommEventThread::WaitForEvents()
{
    pollfd fds[2] = {{wakeRead_, POLLIN, 0}, {portHandle_, 0, 0}};
    if (waitMask_ & EV_RXCHAR)
        fds[1].events = POLLIN;
    const bool pausing = throttle_;
    throttle_ = false;
    const nfds_t count = (watchingPort_ && !pausing) ? 2 : 1;
    const int ready = poll(fds, count, pausing ? kAnnouncedBytesPauseMs : -1);
    if (ready < 0) {
        const int error = errno;
        throttle_ = error != EINTR; // a failing poll must not turn into a busy loop
        if (throttle_)
            LogCallFailure(lcSerial(), "poll", QStringLiteral("descriptor %1").arg(portHandle_), error);
        return 0;
    }
    if (fds[0].revents != 0) {
        DrainWakePipe();
        return 0;
    }
    if (count < 2)
        return 0;

    std::uint32_t mask = 0;
    bool hungUp = (fds[1].revents & (POLLHUP | POLLERR | POLLNVAL)) != 0;
    if (fds[1].revents & POLLIN) {
        std::uint32_t queued = 0;
        if (posixport::InputQueued(portHandle_, queued) != 0) {
            hungUp = true;
        } else if (queued > announced_) {
            mask |= EV_RXCHAR;
        } else {
            announced_ = queued;
            throttle_ = true;
        }
    }
    if (hungUp) {
        watchingPort_ = false;
        mask |= EV_ERR;
    }
    return mask & waitMask_;
}
