#pragma once
// The device connection between events: whether a connection is open, the identification state
// and its ticks, the Read Device countdown, the status blink, the restart step and the port
// number. Each event the window sees (Connect, a timer tick, a received line, the port gone) is
// one operation here; it changes the state and returns what the window must do, in order. The
// window applies the effects and reads the state back for its controls; it keeps none of it.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace m47::device {

// The product-information end line is any line containing this.
inline constexpr std::string_view kProductInfoEnd = "$PCVN,R,TXT,PROD. INFO. END";
// The line the forced identification (double-click on the status label) passes on.
inline constexpr std::string_view kForcedIdentificationLine = "CHECK PASS";

inline constexpr int kIdentifyTimeoutTicks = 16;
inline constexpr int kReadDeviceIdle = 255; // no Read Device request running
inline constexpr int kReadDeviceTicks = 5;
inline constexpr int kRestartSteps = 10; // the progress bar's maximum

// The periods of the ticks the counts above are made of, in milliseconds: the identification
// timer (Timer1), the port check after a device change (Timer2), the system check's tick that
// also runs the restart step, the network module's routine, and each read-back page's wait.
inline constexpr int kIdentifyTickMs = 1000;
inline constexpr int kPortCheckTickMs = 500;
inline constexpr int kSystemCheckTickMs = 1000;
inline constexpr int kModuleTickMs = 100;
inline constexpr int kReadBackPageMs = 1000;

// Identification counters.
struct IdentificationState {
    int ConnectionState = 0; // 0 idle, 1 identifying, 2 identified
    int IdentifyTicks = 0;   // identification timer ticks since identifying began
    bool ProductInfoComplete = false;
    bool DeviceIdentified = false;
};

enum class SessionAction : std::uint8_t {
    SendProductInfoQuery,  // SendCommand("$PTST,,,,,16")
    ConnectionToggle,      // LeaveNetworkConfigMode, then ToggleConnection
    ReportIdentifyTimeout, // "Please select correct device.", then drop down the port list
    ShowReadBackPages,     // the read-back, then ReadBackFinished()
    ShowIdentified,        // "Connected...", BAUD RATE page, PanelView, start TimerUpdateSysChk
    ShowBaudRatePage,      // the Read Device countdown has run out
    ShowStatusRed,         // status label colour
    ShowStatusBlack,
    ShowProgress,         // the progress window's bar at SessionEffects::progress
    LookForRestartedPort, // RefreshPortList, then RestartPortSearched() with the item found
    SelectPortItem,       // select item SessionEffects::portItem of the port list
    HideProgress,
    RefreshPortList, // rebuild the port list from the present ports
};

// What one event asks of the window, in the order it must be done.
class SessionEffects
{
public:
    void Add(SessionAction action) { actions_[count_++] = action; }
    std::span<const SessionAction> Actions() const { return {actions_.data(), count_}; }
    bool Has(SessionAction action) const;

    int progress = -1; // with ShowProgress
    int portItem = -1; // with SelectPortItem

private:
    std::array<SessionAction, 4> actions_{};
    std::size_t count_ = 0;
};

// How the connection toggle treats the port.
enum class PortStep {
    Close,    // a connection is open: close it
    KeepOpen, // the port is open although no connection is marked: only the mark goes
    Open,     // open the port
};

class ConnectionSession
{
public:
    bool Connected() const { return connected_; }
    const IdentificationState& Identification() const { return identification_; }
    int PortNumber() const { return portNumber_; }
    int RestartStep() const { return restartStep_; }
    int ReadDeviceCountdown() const { return readDeviceCountdown_; }
    // Connected and the product information complete: the device may be configured.
    bool DeviceReady() const { return connected_ && identification_.ProductInfoComplete; }

    // The connection toggle: what to do with the port, then what came of it. `portNumber` is
    // the COM number of the selected port item. A connection that opened starts identifying.
    PortStep ToggleStep(bool portOpen) const;
    void ToggleFinished(bool opened, int portNumber);

    // Identification timer, every 1000 ms: poll on odd ticks, give up on the 17th.
    SessionEffects Timer1Tick();
    // Every received line, and the end of the read-back it may have asked for.
    SessionEffects LineReceived(std::string_view line);
    SessionEffects ReadBackFinished();
    // Double-click on the status label: identify at once while identifying.
    SessionEffects StatusDoubleClicked();

    // The 500 ms timer after its device-change step: Read Device countdown, then status blink.
    SessionEffects Timer2Tick();
    // The rescan after a device change; `holdsPort`: the new list still has PortNumber().
    SessionEffects PortsRescanned(bool holdsPort);
    // The open port's device hung up, failed or vanished: the connection ends without a word,
    // as when a rescan no longer lists the port.
    SessionEffects PortLost();

    // Read Device: the BAUD RATE page comes back five ticks later.
    void ReadDeviceRequested() { readDeviceCountdown_ = kReadDeviceTicks; }

    // The device announced its restart: close on the next system check tick, look for the port
    // again nine ticks after that.
    void RestartAnnounced() { restartStep_ = 1; }
    SessionEffects RestartStepTick();
    // `item`: the port item holding PortNumber() after the refresh, -1 when none does.
    SessionEffects RestartPortSearched(int item);

private:
    // The identification step of ToggleFinished (no line) and of LineReceived.
    SessionEffects Advance(std::string_view line, bool hasLine);
    SessionEffects Identify();

    bool connected_ = false;
    IdentificationState identification_;
    int portNumber_ = 0;
    int restartStep_ = 0;
    int readDeviceCountdown_ = kReadDeviceIdle;
    bool statusBlink_ = false;
};

} // namespace m47::device
