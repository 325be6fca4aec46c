#include "device_link.h"

#include "device/command_sentences.h"
#include "device/connection_rules.h"
#include "serial/line_settings.h"
#include "serial/open_failure.h"

#include <QDateTime>
#include <QFile>

#include <cstdio>
#include <stdexcept>
#include <vector>

namespace m47::ctl {

namespace {

// Device bytes for a terminal: printable ASCII as it is, everything else as \r, \n or \xHH.
std::string Escaped(std::string_view bytes)
{
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string text;
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '\r')
            text += "\\r";
        else if (c == '\n')
            text += "\\n";
        else if (byte < 0x20 || byte >= 0x7F || c == '\\')
            text.append("\\x").append(1, kHex[byte >> 4]).append(1, kHex[byte & 0xF]);
        else
            text += c;
    }
    return text;
}

// The reason an exclusive open of the port was refused, in the words the window uses.
QString ProbeFailureText(const TProbeResult& probe)
{
    const std::string path = QFile::encodeName(probe.DevicePath).toStdString();
    return QString::fromStdString(
        serial::ExplainOpenFailure(probe.Error, path, serial::SystemOpenFailureLookups()));
}

// The names of the port list as the window's combo box holds them, up to the ports counted.
std::vector<std::string> ListedNames(const TPortList& ports)
{
    const QStringList items = ports.ComboItems();
    std::vector<std::string> names;
    for (int i = 0; i < ports.PortCount() && i < items.size(); ++i)
        names.push_back(items[i].toStdString());
    return names;
}

} // namespace

DeviceLink::DeviceLink(const LinkSetup& setup, TComm& port) : setup_(setup), port_(port)
{
    SetUpLineConsumers();
    port_.OnRxChar = [this](QObject*, std::uint32_t count) {
        rxLines_.Receive(count, [this](char* buffer, int size) { return port_.Read(buffer, size); });
        Check();
    };
    // A hang-up or I/O failure of the open port ends the connection, as in the window.
    port_.OnError = [this](QObject*, int errors) {
        if (errors & CE_IOE)
            PortLost();
    };
    const struct {
        QTimer& timer;
        int ms;
        std::function<void()> tick;
    } timers[] = {
        {timer1_, device::kIdentifyTickMs, [this] { ApplySession(session_.Timer1Tick()); }},
        {portCheck_, device::kPortCheckTickMs,
         [this] {
             if (port_.DeviceGone())
                 PortLost();
         }},
        {restartStep_, device::kSystemCheckTickMs, [this] { ApplySession(session_.RestartStepTick()); }},
        {moduleTimer_, device::kModuleTickMs,
         [this] { ApplyNetwork(netTab_.TimerEthernetRoutineTimer(session_.Connected())); }},
    };
    for (const auto& t : timers) {
        t.timer.setInterval(t.ms);
        connect(&t.timer, &QTimer::timeout, this, [this, tick = t.tick] {
            tick();
            Check();
        });
    }
    readBackWait_.setSingleShot(true);
    readBackWait_.setInterval(device::kReadBackPageMs);
    connect(&readBackWait_, &QTimer::timeout, this, [this] {
        ReadBack();
        Check();
    });
    deadline_.setSingleShot(true);
    connect(&deadline_, &QTimer::timeout, this, [this] {
        Fail(kExitTimeout,
             QStringLiteral("%1: no result within %2 s").arg(PortName()).arg(setup_.timeoutSeconds));
    });
    deadline_.start(setup_.timeoutSeconds * 1000);
}

DeviceLink::~DeviceLink()
{
    port_.OnRxChar = nullptr;
    port_.OnError = nullptr;
}

void DeviceLink::SetUpLineConsumers()
{
    using device::LineConsumer;
    rxLines_.SetLogTap([this](std::string_view text) { Trace("rx", text); });
    // During the read-back's waits the window handles no line; those that arrive then reach it
    // identified, where the end line asks for nothing.
    rxLines_.SetConsumer(LineConsumer::Identification, [this](char* line) {
        if (readBackPagesLeft_ == 0)
            ApplySession(session_.LineReceived(line));
    });
    rxLines_.SetConsumer(LineConsumer::Configuration, [this](char* line) {
        if (device::ParseConfigurationLine(info_, line, !setup_.rs232).restartAnnounced)
            session_.RestartAnnounced();
    });
    rxLines_.SetConsumer(LineConsumer::AtReply,
                         [this](char* line) { ApplyNetwork(netTab_.HandleAtReply(line)); });
}

std::optional<LinkFailure> DeviceLink::Connect()
{
    ports_.EnumeratePorts();
    const int item = device::FindPortItem(ListedNames(ports_), setup_.comNumber);
    if (item < 0)
        return LinkFailure{kExitPort,
                           PortName() + QStringLiteral(": no such port (m47ctl list shows the ports)")};
    selectedItem_ = ports_.ComboItems()[item];
    const TProbeResult probe = ProbeSelectedPort(selectedItem_);
    if (!probe.Ok)
        return LinkFailure{kExitPort, QStringLiteral("%1: %2").arg(PortName(), ProbeFailureText(probe))};
    ApplySelectedPort(true, selectedItem_, port_);
    port_.SetBaudRate(
        setup_.rs232 ? static_cast<TBaudRate>(device::BaudRateIndexFor(std::to_string(setup_.pcBaudRate)))
                     : br128000);
    // The window's timers run from its start; the restart steps only once a device was identified.
    for (QTimer* timer : {&timer1_, &portCheck_, &moduleTimer_})
        timer->start();
    identified_ = false;
    ToggleConnection();
    return RunUntil([this] { return identified_; });
}

std::optional<LinkFailure> DeviceLink::ReadModule()
{
    if (auto failure = RunUntil([this] { return !netTab_.IsConfigMode(); }))
        return failure;
    if (!info_.NetworkFirmwareReceived || !moduleAddressRead_)
        return LinkFailure{kExitTimeout, PortName() + QStringLiteral(": the network module did not answer")};
    return std::nullopt;
}

std::optional<LinkFailure> DeviceLink::Program(const std::string& command)
{
    identified_ = false;
    SendCommand(command);
    return RunUntil([this] { return identified_; });
}

void DeviceLink::Close()
{
    ApplyNetwork(netTab_.LeaveNetworkConfigMode(session_.Connected()));
    if (port_.IsOpen())
        port_.Close();
}

std::optional<LinkFailure> DeviceLink::RunUntil(const std::function<bool()>& done)
{
    done_ = done;
    if (!failure_ && !done_())
        loop_.exec();
    done_ = nullptr;
    return failure_;
}

void DeviceLink::Check()
{
    if (loop_.isRunning() && (failure_ || (done_ && done_())))
        loop_.quit();
}

void DeviceLink::Fail(int status, const QString& reason)
{
    if (!failure_)
        failure_ = LinkFailure{status, reason};
    Check();
}

void DeviceLink::ApplySession(const device::SessionEffects& effects)
{
    using device::SessionAction;
    // Told before the toggle that goes with it, which would otherwise read as a lost port.
    if (effects.Has(SessionAction::ReportIdentifyTimeout))
        Fail(kExitTimeout, PortName() + QStringLiteral(": no answer to the product-information query"));
    for (const SessionAction action : effects.Actions()) {
        switch (action) {
        case SessionAction::SendProductInfoQuery: SendCommand(device::kProductInfoQuery); break;
        case SessionAction::ConnectionToggle:
            ApplyNetwork(netTab_.LeaveNetworkConfigMode(session_.Connected()));
            ToggleConnection();
            break;
        case SessionAction::ShowReadBackPages:
            // The window's thread waits through the read-back, so its polling timer is still.
            timer1_.stop();
            readBackPagesLeft_ = info_.NetworkModulePresent && setup_.readModule ? 3 : 2;
            SendCommand(device::kProductInfoQuery);
            readBackWait_.start();
            break;
        case SessionAction::ShowIdentified:
            identified_ = true;
            if (!restartStep_.isActive())
                restartStep_.start();
            break;
        case SessionAction::ShowProgress:
            if (setup_.verbose)
                std::fprintf(stderr, "%s: restart step %d of %d\n", qPrintable(PortName()), effects.progress,
                             device::kRestartSteps);
            break;
        case SessionAction::LookForRestartedPort: LookForRestartedPort(); break;
        case SessionAction::SelectPortItem:
            selectedItem_ = ports_.ComboItems().value(effects.portItem);
            break;
        case SessionAction::RefreshPortList: ports_.EnumeratePorts(); break;
        case SessionAction::ReportIdentifyTimeout:
        case SessionAction::ShowBaudRatePage:
        case SessionAction::ShowStatusRed:
        case SessionAction::ShowStatusBlack:
        case SessionAction::HideProgress: break; // the window's pictures
        }
    }
}

void DeviceLink::ReadBack()
{
    // The window's pages go by: BAUD RATE, INTERNAL GPS, then NETWORK with the module entered.
    if (--readBackPagesLeft_ == 1 && info_.NetworkModulePresent && setup_.readModule)
        ApplyNetwork(netTab_.EnterNetworkPage(setup_.rs232, session_.Connected()));
    if (readBackPagesLeft_ > 0) {
        readBackWait_.start();
    } else {
        timer1_.start();
        ApplySession(session_.ReadBackFinished());
    }
}

void DeviceLink::ApplyNetwork(const netmodule::NetworkTabEffects& effects)
{
    for (const std::string& bytes : effects.writes)
        Write(bytes);
    moduleAddressRead_ = moduleAddressRead_ || effects.address.has_value();
}

void DeviceLink::ToggleConnection()
{
    QString failure;
    const device::PortStep step = session_.ToggleStep(port_.IsOpen());
    if (step == device::PortStep::Close && port_.IsOpen()) {
        port_.Close();
    } else if (step == device::PortStep::Open) {
        try {
            port_.Open();
            // On a port that did not open this raises the component's "Port not open" failure.
            port_.SetRts(true);
            port_.SetDtr(true);
        } catch (const std::runtime_error& error) {
            if (port_.IsOpen())
                port_.Close();
            failure = QString::fromLocal8Bit(error.what());
        }
    }
    session_.ToggleFinished(step == device::PortStep::Open && failure.isEmpty(),
                            ConnectionPortNumber(selectedItem_));
    if (!failure.isEmpty())
        Fail(kExitPort, QStringLiteral("%1: %2").arg(PortName(), failure));
    else if (!session_.Connected() && session_.RestartStep() == 0)
        Fail(kExitPort, PortName() + QStringLiteral(": the port went away"));
}

void DeviceLink::LookForRestartedPort()
{
    ports_.EnumeratePorts();
    const int item = device::FindPortItem(ListedNames(ports_), session_.PortNumber());
    if (item < 0)
        Fail(kExitPort, PortName() + QStringLiteral(": the port did not come back after the restart"));
    ApplySession(session_.RestartPortSearched(item));
}

void DeviceLink::PortLost()
{
    if (session_.Connected())
        ports_.EnumeratePorts();
    ApplySession(session_.PortLost());
}

void DeviceLink::SendCommand(std::string_view text)
{
    if (const auto sentence = device::CompleteCommand(text))
        Write(*sentence);
}

void DeviceLink::Write(std::string_view bytes)
{
    if (!port_.IsOpen())
        return;
    Trace("tx", bytes);
    port_.Write(bytes.data(), static_cast<int>(bytes.size()));
}

void DeviceLink::Trace(const char* direction, std::string_view bytes) const
{
    if (!setup_.verbose)
        return;
    const QByteArray time = QDateTime::currentDateTimeUtc().toString(Qt::ISODateWithMs).toLatin1();
    std::fprintf(stderr, "%s %s %s\n", time.constData(), direction, Escaped(bytes).c_str());
}

} // namespace m47::ctl
