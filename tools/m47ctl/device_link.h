#pragma once
// The connection to one receiver, run the way the configurator window runs it: the same
// connection session with its 1000 ms identification timer, 500 ms port check and 1000 ms
// restart steps, the same receive line assembly and line consumers, the same configuration read
// and command sentences, and the network tab's AT engine on its 100 ms timer. Each operation
// runs the event loop until its end, a failure, or the command's time limit.
#include "ctl_options.h"

#include "device/connection_session.h"
#include "device/device_info.h"
#include "device/rx_line_assembler.h"
#include "netmodule/network_tab.h"
#include "serial/comm.h"
#include "serial/port_list.h"

#include <QEventLoop>
#include <QObject>
#include <QString>
#include <QTimer>

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace m47::ctl {

// Why an operation stopped short: the exit status and the reason, naming the port.
struct LinkFailure {
    int status = kExitDevice;
    QString reason;
};

struct LinkSetup {
    int comNumber = 0;
    bool rs232 = false;
    int pcBaudRate = 115200;
    bool readModule = false; // enter the module's configuration mode in the read-back
    bool verbose = false;
    int timeoutSeconds = 60;
};

// The PC's own addresses only matter for the window's web-page link.
class NoLocalAddresses final : public netmodule::LocalAddressSource
{
public:
    std::vector<netmodule::Ipv4Address> LocalIpv4Addresses() const override { return {}; }
};

class DeviceLink : public QObject
{
public:
    DeviceLink(const LinkSetup& setup, TComm& port);
    ~DeviceLink() override;

    // Finds, probes and opens the port, then identifies the device with its read-back.
    std::optional<LinkFailure> Connect();
    // After Connect with readModule: waits until the module has answered and its configuration
    // mode has been left again.
    std::optional<LinkFailure> ReadModule();
    // Sends one command sentence, waits for the restart it announces, reconnects and identifies.
    std::optional<LinkFailure> Program(const std::string& command);
    // Leaves the module's configuration mode if it is on, and closes the port.
    void Close();

    const device::DeviceInfo& Info() const { return info_; }
    const netmodule::NetworkModuleInfo& Module() const { return netTab_.ModuleInfo(); }
    QString PortName() const { return QStringLiteral("COM%1").arg(setup_.comNumber); }

private:
    // Runs the event loop until `done` holds or a failure is noted.
    std::optional<LinkFailure> RunUntil(const std::function<bool()>& done);
    void Fail(int status, const QString& reason);
    void Check(); // ends the running loop once its condition holds or a failure is noted

    void ApplySession(const device::SessionEffects& effects);
    void ApplyNetwork(const netmodule::NetworkTabEffects& effects);
    void ToggleConnection();
    void ReadBack();
    void LookForRestartedPort();
    void PortLost();
    void SendCommand(std::string_view text);
    void Write(std::string_view bytes);
    void Trace(const char* direction, std::string_view bytes) const;
    void SetUpLineConsumers();

    LinkSetup setup_;
    TComm& port_;
    TPortList ports_;
    QString selectedItem_;
    device::ConnectionSession session_;
    device::RxLineAssembler rxLines_;
    device::DeviceInfo info_{};
    NoLocalAddresses noAddresses_;
    netmodule::NetworkTab netTab_{info_, noAddresses_};
    bool moduleAddressRead_ = false;
    QTimer timer1_;       // identification polling, as Timer1
    QTimer portCheck_;    // the open port's device still there, as Timer2's first step
    QTimer restartStep_;  // the reconnect after a restart, as TimerUpdateSysChk's last step
    QTimer moduleTimer_;  // the AT engine, as TimerEthernetRoutine
    QTimer readBackWait_; // the read-back's page waits
    QTimer deadline_;     // --timeout
    int readBackPagesLeft_ = 0;
    bool identified_ = false;
    std::optional<LinkFailure> failure_;
    std::function<bool()> done_;
    QEventLoop loop_;
};

} // namespace m47::ctl
