#pragma once
// A pseudo-terminal pair for the serial tests: the component opens the slave by its path, the
// test plays the device on the master.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>

#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <string>
#include <termios.h>
#include <unistd.h>

class PtyPair
{
public:
    PtyPair()
    {
        termios raw{};
        cfmakeraw(&raw);
        char name[128] = {};
        if (openpty(&master_, &slave_, name, &raw, nullptr) == 0)
            slavePath_ = name;
    }
    ~PtyPair()
    {
        CloseMaster();
        if (slave_ >= 0)
            close(slave_);
    }
    PtyPair(const PtyPair&) = delete;
    PtyPair& operator=(const PtyPair&) = delete;

    bool Valid() const { return master_ >= 0 && !slavePath_.empty(); }
    int Master() const { return master_; }
    const std::string& SlavePath() const { return slavePath_; }
    // The device goes away, as a pulled adapter or an ended simulator.
    void CloseMaster()
    {
        if (master_ >= 0)
            close(master_);
        master_ = -1;
    }

    bool Send(const std::string& bytes) const
    {
        std::size_t done = 0;
        while (done < bytes.size()) {
            const ssize_t n = write(master_, bytes.data() + done, bytes.size() - done);
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0)
                return false;
            done += static_cast<std::size_t>(n);
        }
        return true;
    }

    // Reads what the component wrote, until count bytes came or timeoutMs passed.
    std::string Receive(std::size_t count, int timeoutMs = 5000) const
    {
        std::string got;
        QElapsedTimer clock;
        clock.start();
        while (got.size() < count && clock.elapsed() < timeoutMs) {
            pollfd p{master_, POLLIN, 0};
            if (poll(&p, 1, 50) <= 0)
                continue;
            char buffer[4096];
            const ssize_t n = read(master_, buffer, sizeof buffer);
            if (n <= 0)
                break;
            got.append(buffer, static_cast<std::size_t>(n));
        }
        return got;
    }

private:
    int master_ = -1;
    int slave_ = -1;
    std::string slavePath_;
};

// Runs the window thread's event loop until done() holds or timeoutMs passed.
template <typename Done>
bool PumpUntil(Done done, int timeoutMs = 5000)
{
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > timeoutMs)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QThread::msleep(1);
    }
    return true;
}

inline void PumpFor(int ms)
{
    PumpUntil([] { return false; }, ms);
}
