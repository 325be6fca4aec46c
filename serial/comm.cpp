// The serial port component on the POSIX layer.
//
// Mapping of the platform calls:
//   CreateFile            open(O_RDWR | O_NOCTTY | O_NONBLOCK) + flock(LOCK_EX | LOCK_NB)
//   SetCommTimeouts       kept in Timeouts(); Read and Write wait with poll() within them. It
//                         fails on a descriptor that is no terminal, as every line setting does.
//   SetupComm             nothing to do: a tty's queue sizes are fixed by its driver; the sizes
//                         are kept (ReadBufSize, WriteBufSize)
//   Get/SetCommState      tcgetattr/tcsetattr in raw mode, termios2 for the bit rate
//   SetCommMask           the event thread's wait mask
//   EscapeCommFunction    TIOCMBIS / TIOCMBIC
//   ClearCommError        FIONREAD, TIOCOUTQ, TIOCGICOUNT differences, poll() for a hang-up
//   PurgeComm             tcflush when the port closes, after up to 250 ms for the output to leave
#include "comm.h"

#include "logging.h"
#include "open_failure.h"
#include "port_scan.h"
#include "posix_port.h"

#include <QFile>
#include <QMetaObject>

#include <algorithm>
#include <cerrno>
#include <stdexcept>
#include <string>
#include <sys/ioctl.h>
#include <unistd.h>

namespace {

// A write with no total time-out could hang the window thread on a port that never drains;
// it is bounded by this instead.
constexpr int kUnboundedWriteLimitMs = 2000;

int MillisecondsFor(std::uint32_t multiplier, std::uint32_t constant, int count)
{
    const std::uint64_t ms = std::uint64_t{multiplier} * static_cast<std::uint64_t>(count) + constant;
    return static_cast<int>(std::min<std::uint64_t>(ms, 60000));
}

} // namespace

void TCommEventChars::Assign(const TCommEventChars& source)
{
    xOn_ = source.xOn_;
    xOff_ = source.xOff_;
    error_ = source.error_;
    eof_ = source.eof_;
    evt_ = source.evt_;
}

void TCommEventChars::Store(char& field, char value)
{
    field = value;
    if (owner_)
        owner_->ApplyLineSettings();
}

TThreadComm::TThreadComm(QObject* owner) : QObject(owner) {}

TThreadComm::~TThreadComm()
{
    Close();
}

void TThreadComm::SetDeviceName(const QString& name)
{
    StoreWhileClosed(deviceName_, name);
}

void TThreadComm::Open()
{
    std::lock_guard lock(portLock_);
    if (portOpen_)
        RaisePortError("Port already assigned (open) (Error: %d)", -1);
    openFailureReason_.clear();
    CreatePortHandle();
    if (!portOpen_)
        return; // the caller learns of it through IsOpen
    if (!ApplyTimeouts()) {
        ClosePortHandle();
        return;
    }
    // Raises on refusal; the port then stays open without an event thread, and Close closes it.
    ApplyLineSettings();
    // SetupComm has nothing to do here: the driver's queues have fixed sizes.
    StartEventThread();
}

void TThreadComm::StartEventThread()
{
    try {
        auto thread = std::make_unique<TCommEventThread>(portHandle_, suspendTime_, monitorEvents_);
        ++generation_;
        thread->NotifyTarget = [this](TCommEventThread*, std::uint32_t mask) { DispatchEvents(mask); };
        thread->PostHandOff = [this] {
            QMetaObject::invokeMethod(&handOff_, "Deliver", Qt::QueuedConnection);
        };
        eventThread_ = std::move(thread);
        eventThread_->Start();
    } catch (const std::exception& error) {
        qCWarning(lcSerial).noquote() << "no event thread for" << devicePath_ << ":" << error.what();
        eventThread_.reset();
        ClosePortHandle();
    }
}

void TThreadComm::CreatePortHandle()
{
    devicePath_ = ResolveDevicePath(deviceName_, SystemPortEnvironment());
    const int fd = posixport::OpenExclusive(QFile::encodeName(devicePath_).toStdString());
    if (fd < 0) {
        const int error = errno;
        LogCallFailure(lcSerial(), "open", devicePath_, error);
        NoteOpenFailure(error);
        portOpen_ = false;
        return;
    }
    qCDebug(lcSerial).noquote() << "opened" << devicePath_ << "for" << deviceName_;
    portHandle_ = fd;
    portOpen_ = true;
}

void TThreadComm::NoteOpenFailure(int error)
{
    const std::string path = QFile::encodeName(devicePath_).toStdString();
    openFailureReason_ = m47::serial::ExplainOpenFailure(error, path, m47::serial::SystemOpenFailureLookups());
}

void TThreadComm::ClosePortHandle()
{
    if (portHandle_ >= 0)
        posixport::Close(portHandle_);
    portOpen_ = false;
    portHandle_ = -1;
}

bool TThreadComm::ApplyTimeouts()
{
    const std::uint32_t bitRate = kBitRates[baudRate_];
    timeouts_.ReadIntervalTimeout = 0xFFFFFFFF;
    timeouts_.ReadTotalTimeoutMultiplier = 0;
    timeouts_.ReadTotalTimeoutConstant = 1000;
    timeouts_.WriteTotalTimeoutMultiplier = 19200 / bitRate;
    timeouts_.WriteTotalTimeoutConstant = 0;
    if (isatty(portHandle_) == 1)
        return true;
    const int error = errno;
    LogCallFailure(lcSerial(), "isatty", devicePath_, error);
    NoteOpenFailure(error);
    return false;
}

void TThreadComm::ApplyLineSettings()
{
    if (!portOpen_)
        return;
    lineSettings_.BaudRate = kBitRates[baudRate_];
    lineSettings_.Parity = parity_;
    lineSettings_.StopBits = stopBits_;
    lineSettings_.ByteSize = static_cast<std::uint8_t>(4 + dataBits_);
    lineSettings_.XonChar = eventChars_.XOnChar();
    lineSettings_.XoffChar = eventChars_.XOffChar();
    lineSettings_.ErrorChar = eventChars_.ErrorChar();
    lineSettings_.EofChar = eventChars_.EofChar();
    lineSettings_.EvtChar = eventChars_.EvtChar();
    lineSettings_.XonLim = 1024;
    lineSettings_.XoffLim = 1024;
    lineSettings_.fParity = options_.Contains(coParityCheck);
    lineSettings_.fDsrSensitivity = options_.Contains(coDsrSensitivity);
    lineSettings_.fTXContinueOnXoff = options_.Contains(coIgnoreXOff);
    lineSettings_.fErrorChar = options_.Contains(coErrorChar);
    lineSettings_.fNull = options_.Contains(coNullStrip);
    const int error = posixport::ApplyLineSettings(portHandle_, lineSettings_);
    if (error != 0)
        LogCallFailure(lcSerial(), "tcsetattr", devicePath_, error);
    if (error != 0)
        RaisePortError("Error updating DataControlBlock (Error: %d)", error);
}

void TThreadComm::Close()
{
    if (!portOpen_)
        return;
    std::lock_guard lock(portLock_);
    if (eventThread_) {
        eventThread_->NotifyTarget = nullptr;
        eventThread_->Terminate();
        eventThread_.reset();
    }
    ClosePortHandle();
}

int TThreadComm::Write(const void* buffer, int count)
{
    if (!portOpen_)
        return -1;
    std::lock_guard lock(portLock_);
    if (count <= 0 || !buffer)
        return 0;
    int limit =
        MillisecondsFor(timeouts_.WriteTotalTimeoutMultiplier, timeouts_.WriteTotalTimeoutConstant, count);
    if (limit == 0)
        limit = kUnboundedWriteLimitMs;
    std::size_t written = 0;
    if (const int error =
            posixport::WriteWithin(portHandle_, buffer, static_cast<std::size_t>(count), limit, written)) {
        LogCallFailure(lcSerial(), "write", devicePath_, error);
        TComStat ignored;
        ClearCommError(ignored);
    }
    return static_cast<int>(written);
}

int TThreadComm::Read(void* buffer, int count)
{
    if (!portOpen_)
        return -1;
    std::lock_guard lock(portLock_);
    TComStat status;
    ClearCommError(status);
    if (count <= 0 || !buffer) {
        ClearCommError(status);
        return 0;
    }
    const int limit =
        MillisecondsFor(timeouts_.ReadTotalTimeoutMultiplier, timeouts_.ReadTotalTimeoutConstant, count);
    std::size_t got = 0;
    if (const int error =
            posixport::ReadWithin(portHandle_, buffer, static_cast<std::size_t>(count), limit, got)) {
        LogCallFailure(lcSerial(), "read", devicePath_, error);
        ClearCommError(status);
    }
    bytesRead_ += got;
    return static_cast<int>(got);
}

bool TThreadComm::DeviceGone()
{
    if (!portOpen_)
        return false;
    std::lock_guard lock(portLock_);
    const QString now = ResolveDevicePath(deviceName_, SystemPortEnvironment());
    const bool gone = posixport::HungUp(portHandle_) ||
                      !posixport::IsSameNode(portHandle_, QFile::encodeName(now).toStdString());
    if (gone)
        qCDebug(lcSerial).noquote() << devicePath_ << "is gone; the name now leads to" << now;
    return gone;
}

void TThreadComm::SetDtr(bool on)
{
    SendEscape(TIOCM_DTR, on);
}

void TThreadComm::SetRts(bool on)
{
    SendEscape(TIOCM_RTS, on);
}

void TThreadComm::SendEscape(int modemLine, bool on)
{
    if (!portOpen_)
        RaisePortError("Port not open (Error: %d)", -1);
    int error;
    {
        std::lock_guard lock(portLock_);
        error = posixport::SetModemLine(portHandle_, modemLine, on);
    }
    if (error != 0) {
        LogCallFailure(lcSerial(), "ioctl(TIOCMBIS/TIOCMBIC)", devicePath_, error);
        RaisePortError("EscapeCommFunction failure (Error: %d)", error);
    }
}

void TThreadComm::RaisePortError(const char* text, int code)
{
    std::string message(text);
    const auto at = message.find("%d");
    if (at != std::string::npos)
        message.replace(at, 2, std::to_string(code));
    throw std::runtime_error(message);
}

int TThreadComm::ClearCommError(TComStat& status)
{
    status = {};
    if (!portOpen_)
        return 0;
    int errors = 0;
    if (posixport::InputQueued(portHandle_, status.cbInQue) != 0)
        errors |= CE_IOE;
    posixport::OutputQueued(portHandle_, status.cbOutQue);
    if (posixport::HungUp(portHandle_))
        errors |= CE_IOE;
    posixport::LineErrorCounts counts;
    if (posixport::ReadLineErrorCounts(portHandle_, counts)) {
        const int now[5] = {counts.bufOverrun, counts.overrun, counts.parity, counts.frame, counts.brk};
        static constexpr int kFlags[5] = {CE_RXOVER, CE_OVERRUN, CE_RXPARITY, CE_FRAME, CE_BREAK};
        for (int i = 0; i < 5; ++i) {
            if (haveErrorCounts_ && now[i] != lastErrorCounts_[i])
                errors |= kFlags[i];
            lastErrorCounts_[i] = now[i];
        }
        haveErrorCounts_ = true;
    }
    return errors;
}

void TThreadComm::DeliverEvents()
{
    // A request may come late, from the thread of an earlier open: it then finds no mask, or
    // takes the one the current thread has pending (whose own request then finds none).
    TCommEventThread* thread = eventThread_.get();
    std::uint32_t mask = 0;
    if (!thread || !thread->TakeEventMask(mask))
        return;
    const quint64 generation = generation_;
    // Releases the event thread however the handlers end: a raised exception goes on to the
    // application's error display, and reception must go on after it. A handler may also have
    // closed (and even reopened) the port; that thread is gone then.
    struct Release {
        TThreadComm& comm;
        quint64 generation;
        ~Release()
        {
            if (generation == comm.generation_ && comm.eventThread_)
                comm.eventThread_->HandOffDone(comm.UnreadAnnounced());
        }
    } release{*this, generation};
    if (thread->NotifyTarget) {
        const auto target = thread->NotifyTarget;
        target(thread, mask);
    }
}

void TThreadComm::DispatchEvents(std::uint32_t mask)
{
    const quint64 generation = generation_;
    const auto live = [&] { return portOpen_ && generation == generation_; };
    TComStat status;
    const int errors = ClearCommError(status);
    announcedCount_ = status.cbInQue;
    readBeforeDispatch_ = bytesRead_;

    // Handlers are copied before the call: a handler may assign another one.
    const auto fire = [&](std::uint32_t bit, const auto& handler, auto... args) {
        if ((mask & bit) && handler && live()) {
            const auto call = handler;
            call(this, args...);
        }
    };
    fire(EV_BREAK, OnBreak);
    fire(EV_CTS, OnCts);
    fire(EV_DSR, OnDsr);
    fire(EV_ERR, OnError, errors);
    fire(EV_RING, OnRing);
    fire(EV_RLSD, OnRlsd);
    if (status.cbInQue > 0)
        fire(EV_RXCHAR, OnRxChar, status.cbInQue);
    fire(EV_RXFLAG, OnRxFlag);
    fire(EV_TXEMPTY, OnTxEmpty);
    if (OnComStatEvent && live()) {
        const auto call = OnComStatEvent;
        call(this, mask, status);
    }
}

std::uint32_t TThreadComm::UnreadAnnounced() const
{
    const std::uint64_t readSince = bytesRead_ - readBeforeDispatch_;
    return readSince >= announcedCount_ ? 0 : announcedCount_ - static_cast<std::uint32_t>(readSince);
}
