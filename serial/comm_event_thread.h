#pragma once
// The event thread of the serial component. It waits with poll() on the port and on a wake pipe,
// and hands each event mask to the window thread synchronously: it posts a request there and
// waits until the handlers have run (or until it is told to stop).
//
// Event bits it reports (when monitored):
//   EV_RXCHAR  new bytes arrived in the input queue (FIONREAD grew past what was announced)
//   EV_ERR     the device hung up or failed (POLLHUP, POLLERR, EIO): reported once, after which
//              the thread waits only on its wake pipe, so a pulled adapter never makes it spin
// A tty offers no pollable source for break, modem-line changes, the event character or an empty
// transmitter, so EV_BREAK, EV_CTS, EV_DSR, EV_RING, EV_RLSD, EV_RXFLAG and EV_TXEMPTY are never
// reported; their handlers exist for completeness.
#include "comm_types.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <pthread.h>
#include <thread>

class TCommEventThread
{
public:
    using TNotifyTarget = std::function<void(TCommEventThread* Thread, std::uint32_t Mask)>;

    // Constructed not running: keeps the port handle and suspend time and builds the wait mask.
    TCommEventThread(int portHandle, std::uint32_t suspendTime, TCommEventTypes monitorEvents);
    ~TCommEventThread();
    TCommEventThread(const TCommEventThread&) = delete;
    TCommEventThread& operator=(const TCommEventThread&) = delete;

    // Called on the window thread with each handed-over mask; cleared by the component's Close.
    // Only the window thread touches it.
    TNotifyTarget NotifyTarget;
    // Posts a hand-off request to the window thread; set before Start, called by the thread.
    std::function<void()> PostHandOff;

    void Start();
    // Sets StopRequested, wakes the thread through the pipe and waits for it to end. This never
    // waits on the window thread: a thread blocked in a hand-off is released by the stop request.
    void Terminate();

    // Window thread: takes the mask of the pending hand-off, once; false when none is pending or
    // it is being handled already (a handler running a nested event loop).
    bool TakeEventMask(std::uint32_t& mask);
    // Window thread: the handlers have returned; unreadAnnounced bytes of the queue were already
    // announced, so only growth beyond them counts as new bytes. Releases the event thread.
    void HandOffDone(std::uint32_t unreadAnnounced);
    // Whether a mask waits for the window thread.
    bool HandOffPending() const;

    std::uint32_t WaitMask() const { return waitMask_; }
    std::uint32_t SuspendTime() const { return suspendTime_; }
    bool StopRequested() const { return stopRequested_.load(); }
    // CPU time the thread has used so far (zero before Start).
    std::chrono::nanoseconds CpuTime() const;

private:
    void Execute();
    std::uint32_t WaitForEvents();
    void DrainWakePipe();

    const int portHandle_;
    const std::uint32_t suspendTime_;
    const std::uint32_t waitMask_;
    int wakeRead_ = -1;
    int wakeWrite_ = -1;
    std::thread thread_;
    pthread_t nativeHandle_{}; // for CpuTime; set by Start

    // Event-thread private wait state.
    bool watchingPort_ = true;
    bool throttle_ = false;
    std::uint32_t announced_ = 0;

    // Shared with the window thread, under mutex_.
    mutable std::mutex mutex_;
    std::condition_variable handOff_;
    bool pending_ = false;
    bool taken_ = false;
    std::uint32_t eventMask_ = 0;
    std::uint32_t unreadAnnounced_ = 0;
    std::atomic<bool> stopRequested_{false};
};
