#pragma once
// The decisions of the connection and identification sequence, free of the window: which baud
// rate the port opens at, which COM number a port item names, when the identification query
// goes out and when it gives up, when the device counts as identified, and the steps of the
// reconnect after a device restart. The window applies the results to its controls.

#include <array>
#include <functional>
#include <span>
#include <string>
#include <string_view>

namespace m47::device {

// The serial component's baud rates, indexed by its BaudRate value (br110 .. br256000).
inline constexpr std::array<int, 15> kPortBaudRates{110,   300,   600,   1200,   2400,
                                                    4800,  9600,  14400, 19200,  38400,
                                                    56000, 57600, 115200, 128000, 256000};
inline constexpr int kBaudIndex115200 = 12;

// The BaudRate index for the PC baud-rate item text ("57600" -> 11); 115200 for a value that
// is not in the table, and for no selection (empty text).
int BaudRateIndexFor(std::string_view itemText);

// COM number of a port item: the decimal number after its first "COM"; 1 when there is none or
// it lies outside 1..255.   "Veldra M47 Simulator (COM200)" -> 200
int PortNumberFromItem(std::string_view itemText);

// "(COM%d)": the closing parenthesis keeps COM1 from matching COM12.
std::string PortTag(int portNumber);

// Index of the first of `items` that contains PortTag(portNumber), -1 when none does.
int FindPortItem(std::span<const std::string> items, int portNumber);

// Identification counters, members of the main window.
struct IdentificationState {
    int ConnectionState = 0; // 0 idle, 1 identifying, 2 identified
    int IdentifyTicks = 0;   // identification timer ticks since identifying began
    bool ProductInfoComplete = false;
    bool DeviceIdentified = false;
};

// The product-information end line is any line containing this.
inline constexpr std::string_view kProductInfoEnd = "$PCVN,R,TXT,PROD. INFO. END";
// The line the forced identification (double-click on the status label) passes on.
inline constexpr std::string_view kForcedIdentificationLine = "CHECK PASS";

// The counter part of ResetConnectionState: state 0, no ticks, not identified.
void ResetIdentification(IdentificationState& state);

enum class IdentificationResult {
    None,       // nothing changed that the window shows
    Started,    // identifying began (state 0 -> 1)
    Identified, // show "Connected...", the BAUD RATE page, PanelView, start TimerUpdateSysChk
};

// One identification step; `line` is null when called without a received line. On the end line
// `showReadBackPages` runs first, then the device is marked identified, unless the connection
// was reset while the read-back ran.
IdentificationResult AdvanceIdentification(IdentificationState& state, const char* line,
                                           const std::function<void()>& showReadBackPages);

// The double-click on the status label: while connected and not yet complete, mark the product
// information complete and run the identification step with kForcedIdentificationLine.
IdentificationResult ForceIdentification(IdentificationState& state, bool connectionOpen);

// Whether an identification timer tick polls: connected and not yet identified. After the poll
// the window increments IdentifyTicks.
bool ShouldPollIdentification(const IdentificationState& state, bool connectionOpen);

struct PollDecision {
    bool sendQuery = false; // odd tick count: send the product-information query
    bool timedOut = false;  // 16 ticks or more: close, "Please select correct device."
};
inline constexpr int kIdentifyTimeoutTicks = 16;
PollDecision PollIdentification(int identifyTicks);

// Read Device countdown, one step per 500 ms tick. True when it has just run out: the window
// shows the BAUD RATE page and offers the report.
inline constexpr int kReadDeviceIdle = 255;
inline constexpr int kReadDeviceTicks = 5;
bool ReadDeviceCountdownTick(int& countdown);

// Status label blink, one step per 500 ms tick: true when the label is to be red, false black.
bool StatusBlinkTick(bool& statusBlink, bool connectionOpen, bool productInfoComplete);

// Reconnect after the device announced a restart (RestartStep 1 .. 10).
inline constexpr int kRestartSteps = 10; // the progress bar's maximum
struct RestartTick {
    int progress = -1;            // new progress bar position, -1 to leave it
    bool closeConnection = false; // run the connection toggle to close
    bool lookForPort = false;     // refresh the ports, reconnect if PortTag is listed, hide progress
};
RestartTick RestartStepTick(int& restartStep);

} // namespace m47::device
