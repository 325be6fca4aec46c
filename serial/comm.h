#pragma once
// The serial port component: TComm owns one serial device, keeps its line settings, opens and
// closes it, reads, writes, drives DTR and RTS, and while open runs TCommEventThread, whose event
// masks reach the On... handlers on the window thread.
//
// Failures are raised as std::runtime_error carrying only the message, for example
// "Port not open (Error: -1)". A device that cannot be opened raises nothing: IsOpen tells.
//
// DeviceName is a device path ("/dev/ttyUSB0") or a port name "\\.\COM<n>" / "COM<n>", which
// resolves through the COM-number mapping of port discovery (real node first, then the
// virtual-port folder).
#include "comm_event_thread.h"
#include "comm_handoff.h"
#include "comm_types.h"
#include "line_settings.h"

#include <QObject>
#include <QString>

#include <cstdint>
#include <memory>
#include <mutex>
#include <string>

class TThreadComm;

// The five special characters of the device control block. Each setter stores the character and
// re-applies the line settings of the owner (without its lock), when there is an owner.
class TCommEventChars
{
public:
    explicit TCommEventChars(TThreadComm* owner) : owner_(owner) {}

    // Copies the five characters from another set without re-applying anything.
    void Assign(const TCommEventChars& source);

    char XOnChar() const { return xOn_; }
    char XOffChar() const { return xOff_; }
    char ErrorChar() const { return error_; }
    char EofChar() const { return eof_; }
    char EvtChar() const { return evt_; }
    void SetXOnChar(char c) { Store(xOn_, c); }
    void SetXOffChar(char c) { Store(xOff_, c); }
    void SetErrorChar(char c) { Store(error_, c); }
    void SetEofChar(char c) { Store(eof_, c); }
    void SetEvtChar(char c) { Store(evt_, c); }

private:
    void Store(char& field, char value);

    TThreadComm* owner_;
    char xOn_ = 17;
    char xOff_ = 19;
    char error_ = 0;
    char eof_ = 0;
    char evt_ = 0;
};

class TThreadComm : public QObject
{
    Q_OBJECT
public:
    explicit TThreadComm(QObject* owner = nullptr);
    ~TThreadComm() override;

    void Open();
    void Close();
    bool IsOpen() const { return portOpen_; }
    // Why the last Open left the port closed, in words (see serial/open_failure.h); empty after an
    // Open that succeeded. The window adds it to the "Port not open" message.
    const std::string& OpenFailureReason() const { return openFailureReason_; }
    // Bytes written or read; -1 while the port is closed. A count of 0 or less transfers nothing.
    int Write(const void* buffer, int count);
    int Read(void* buffer, int count);
    void SetDtr(bool on);
    void SetRts(bool on);
    // Whether the open port's device is gone: hung up or failed, or its name now leads to another
    // node or to none (unplugged, replugged, or its publisher died). False while closed.
    bool DeviceGone();

    // Properties; setters follow the rules of each (taken while closed only, re-applied on change).
    QString DeviceName() const { return deviceName_; }
    void SetDeviceName(const QString& name);
    int ReadTimeout() const { return readTimeout_; }
    void SetReadTimeout(int ms) { readTimeout_ = ms; }
    int WriteTimeout() const { return writeTimeout_; }
    void SetWriteTimeout(int ms) { writeTimeout_ = ms; }
    std::uint16_t ReadBufSize() const { return readBufSize_; }
    void SetReadBufSize(std::uint16_t size) { StoreWhileClosed(readBufSize_, size); }
    std::uint16_t WriteBufSize() const { return writeBufSize_; }
    void SetWriteBufSize(std::uint16_t size) { StoreWhileClosed(writeBufSize_, size); }
    std::uint32_t SuspendTime() const { return suspendTime_; }
    void SetSuspendTime(std::uint32_t ms) { StoreWhileClosed(suspendTime_, ms); }
    TCommEventTypes MonitorEvents() const { return monitorEvents_; }
    void SetMonitorEvents(TCommEventTypes events) { StoreWhileClosed(monitorEvents_, events); }
    TBaudRate BaudRate() const { return baudRate_; }
    void SetBaudRate(TBaudRate rate) { StoreAndApply(baudRate_, rate); }
    TParity Parity() const { return parity_; }
    void SetParity(TParity parity) { StoreAndApply(parity_, parity); }
    TStopBits StopBits() const { return stopBits_; }
    void SetStopBits(TStopBits bits) { StoreAndApply(stopBits_, bits); }
    TDataBits DataBits() const { return dataBits_; }
    void SetDataBits(TDataBits bits) { StoreAndApply(dataBits_, bits); }
    TCommOptions Options() const { return options_; }
    void SetOptions(TCommOptions options) { StoreAndApply(options_, options); }
    // Stored only: flow control keeps what the driver reports.
    TFlowControl FlowControl() const { return flowControl_; }
    void SetFlowControl(TFlowControl flow) { StoreAndApply(flowControl_, flow); }
    TCommEventChars& EventChars() { return eventChars_; }
    const TCommEventChars& EventChars() const { return eventChars_; }

    // Handlers, called on the window thread (plain store).
    TNotifyEvent OnBreak, OnCts, OnDsr, OnRing, OnRlsd, OnRxFlag, OnTxEmpty;
    TCommErrorEvent OnError;
    TCommRxCharEvent OnRxChar;
    TCommStatEvent OnComStatEvent;

    // The device control block and time-outs last applied; the running event thread (or null).
    const TLineSettings& LineSettings() const { return lineSettings_; }
    const TCommTimeouts& Timeouts() const { return timeouts_; }
    const TCommEventThread* EventThread() const { return eventThread_.get(); }
    int PortHandle() const { return portHandle_; }

protected:
    // Opens the device that DeviceName names; on success PortOpen is true.
    virtual void CreatePortHandle();
    void ClosePortHandle();
    // Keeps the explanation of a refused open (an errno) of the device just tried.
    void NoteOpenFailure(int error);
    bool ApplyTimeouts();
    void ApplyLineSettings();
    void SendEscape(int modemLine, bool on);
    [[noreturn]] static void RaisePortError(const char* text, int code);
    void Lock() { portLock_.lock(); }
    void Unlock() { portLock_.unlock(); }
    void DispatchEvents(std::uint32_t mask);

private:
    friend class TCommEventChars;
    // Window thread: runs the pending hand-off of the current event thread, if any.
    void DeliverEvents();
    // Device error flags and status since the last call; clears the error state.
    int ClearCommError(TComStat& status);
    void StartEventThread();
    std::uint32_t UnreadAnnounced() const;

    template <typename T>
    void StoreWhileClosed(T& field, T value)
    {
        if (!portOpen_ && !(field == value))
            field = value;
    }
    template <typename T>
    void StoreAndApply(T& field, T value)
    {
        if (field == value)
            return;
        field = value;
        std::lock_guard lock(portLock_);
        ApplyLineSettings();
    }

    QString deviceName_ = QStringLiteral("Com2");
    int readTimeout_ = 1000;
    int writeTimeout_ = 1000;
    std::uint16_t readBufSize_ = 4096;
    std::uint16_t writeBufSize_ = 2048;
    std::uint32_t suspendTime_ = 5;
    TCommEventTypes monitorEvents_ = kAllCommEvents;
    TBaudRate baudRate_ = br9600;
    TParity parity_ = paNone;
    TStopBits stopBits_ = sb10;
    TDataBits dataBits_ = da8;
    TCommOptions options_;
    TFlowControl flowControl_ = fcDefault;
    TCommEventChars eventChars_{this};

    int portHandle_ = -1;
    QString devicePath_; // the node DeviceName resolved to at the last open, for the log
    std::string openFailureReason_;
    bool portOpen_ = false;
    TLineSettings lineSettings_;
    TCommTimeouts timeouts_;
    std::recursive_mutex portLock_;
    std::unique_ptr<TCommEventThread> eventThread_;
    quint64 generation_ = 0; // counts opens, so that handlers notice a Close (and reopen)
    TCommHandOff handOff_{[this] { DeliverEvents(); }};
    // What the last dispatch announced and what Read has taken since: the bytes the handlers
    // leave in the queue were announced already, so only growth beyond them is news.
    std::uint64_t bytesRead_ = 0;
    std::uint64_t readBeforeDispatch_ = 0;
    std::uint32_t announcedCount_ = 0;
    bool haveErrorCounts_ = false;
    int lastErrorCounts_[5] = {};
};

// The published face of the component; adds nothing.
class TComm : public TThreadComm
{
    Q_OBJECT
    Q_PROPERTY(QString DeviceName READ DeviceName WRITE SetDeviceName)
    Q_PROPERTY(int ReadTimeout READ ReadTimeout WRITE SetReadTimeout)
    Q_PROPERTY(int WriteTimeout READ WriteTimeout WRITE SetWriteTimeout)
    Q_PROPERTY(quint16 ReadBufSize READ ReadBufSize WRITE SetReadBufSize)
    Q_PROPERTY(quint16 WriteBufSize READ WriteBufSize WRITE SetWriteBufSize)
    Q_PROPERTY(quint32 SuspendTime READ SuspendTime WRITE SetSuspendTime)
    Q_PROPERTY(TBaudRate BaudRate READ BaudRate WRITE SetBaudRate)
    Q_PROPERTY(TParity Parity READ Parity WRITE SetParity)
    Q_PROPERTY(TStopBits StopBits READ StopBits WRITE SetStopBits)
    Q_PROPERTY(TDataBits DataBits READ DataBits WRITE SetDataBits)
    Q_PROPERTY(TFlowControl FlowControl READ FlowControl WRITE SetFlowControl)
public:
    explicit TComm(QObject* owner = nullptr) : TThreadComm(owner) {}
};
