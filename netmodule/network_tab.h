#pragma once
// The NETWORK sub-page's rules: switching the module's configuration mode on and off, the
// module query, the automatic leave after 1.6 s, showing and keeping the answer values, and the
// decisions behind the link to the module's web page. Each step returns what the window does:
// bytes to write, memo lines, captions and the link's state.
//
//   enter:  "$PDBG,163,1,,,,,,*14" CR LF      (22 bytes)
//   leave:  "$PDBG,163,0,,,,,,*15" LF         (21 bytes, no CR)
// Both are sent exactly so; their checksum fields are the sentences' real checksums.

#include "netmodule/at_engine.h"
#include "netmodule/local_addresses.h"
#include "netmodule/module_info.h"

#include "device/device_info.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace m47::netmodule {

inline constexpr std::string_view kEnterConfigModeSentence = "$PDBG,163,1,,,,,,*14\r\n";
inline constexpr std::string_view kLeaveConfigModeSentence = "$PDBG,163,0,,,,,,*15\n";
// The mode is left on the timer tick on which the count of ticks in the mode exceeds this.
inline constexpr int kConfigModeTickLimit = 15;

// What a step asks of the window.
struct NetworkTabEffects {
    std::vector<std::string> writes;  // WriteToDevice each, in order; the results are ignored
    std::vector<std::string> txLines; // append to MemoEthernetTx
    std::vector<std::string> rxLines; // append to MemoEthernetRx
    // Caption of LabelEthFirmwareVersion and of the system check's LabelNetworkFirmwareVersoinData.
    std::optional<std::string> firmwareVersion;
    std::optional<std::string> address; // caption of LabelEthIP
    std::optional<bool> linkEnabled;    // LabelEthernetSettingButton enabled
};

// Opening the module's web page (ButtonCompareIPClick).
struct WebPageRequest {
    NetworkTabEffects effects;      // the PC's addresses for MemoEthernetTx
    bool confirmOtherGroup = false; // ask kOtherGroupText (OK, Cancel) first; Cancel stops
    std::string address;            // "http://a.b.c.d", for the WebPageOpener
};

class NetworkTab
{
public:
    NetworkTab(device::DeviceInfo& deviceInfo, const LocalAddressSource& localAddresses);

    // Start-up: the engine reset (mode off) and no module values.
    void ResetAtEngine() { engine_.ResetAtEngine(); }
    void ClearNetworkModuleInfo() { netmodule::ClearNetworkModuleInfo(info_); }
    bool IsConfigMode() const { return engine_.IsConfigMode(); }

    // The enter step: unless the mode is on, send the enter sentence, record it, mode on.
    // It marks the mode on even while no port is open.
    NetworkTabEffects ButtonEnterEthConfigModeClick();
    // The leave step: while the mode is on, send the leave sentence, record it, reset the engine.
    NetworkTabEffects ButtonExitEthConfigModeClick();
    // The leave step, only while the connection is open (exit, disconnection, page change,
    // the automatic leave).
    NetworkTabEffects LeaveNetworkConfigMode(bool connectionOpen);
    // The module query: firmware version, then address.
    void ButtonCMD1Click();
    // Moving to the NETWORK sub-page, or the read-back after identification with the module
    // present: link disabled, enter step, module query; over RS-232/NMEA-0183, which cannot
    // reach the module, the mode is left again at once and the queries are dropped.
    NetworkTabEffects EnterNetworkPage(bool rs232Selected, bool connectionOpen);
    // TimerEthernetRoutine, every 100 ms: the engine step, then the automatic leave on the 16th
    // tick in the mode (attempted on every later tick while the connection is closed).
    NetworkTabEffects TimerEthernetRoutineTimer(bool connectionOpen);

    // The fourth line consumer of the receive path.
    NetworkTabEffects HandleAtReply(std::string_view line);
    // Shows and keeps an answer value (CR LF included): the firmware version, the address (six
    // dots, else kValueRefused and nothing changes), or the device name for any other query.
    int StoreModuleValue(std::int32_t query, std::string_view value, NetworkTabEffects& effects);
    // Refills the PC's addresses (recorded in `effects`), then whether one shares the module's
    // group.
    bool IsSameGroup(NetworkTabEffects& effects);

    // The link label: when the device is ready (connected, product information complete), the
    // web page request of ButtonCompareIPClick; otherwise nothing.
    std::optional<WebPageRequest> LabelEthernetSettingButtonClick(bool deviceReady);
    WebPageRequest ButtonCompareIPClick();
    // The link label's first mouse activation switches its hint display on for good.
    void LabelEthernetSettingButtonMouseActivate() { linkHintShown_ = true; }
    bool LinkHintShown() const { return linkHintShown_; }

    const AtEngine& Engine() const { return engine_; }
    const NetworkModuleInfo& ModuleInfo() const { return info_; }
    const LocalAddressTable& LocalAddresses() const { return local_; }
    int ConfigModeTicks() const { return configModeTicks_; }

private:
    void Enter(NetworkTabEffects& effects);
    void Leave(NetworkTabEffects& effects);
    void LeaveIfOpen(bool connectionOpen, NetworkTabEffects& effects);

    device::DeviceInfo& deviceInfo_;
    const LocalAddressSource& localSource_;
    AtEngine engine_;
    NetworkModuleInfo info_{};
    LocalAddressTable local_;
    int configModeTicks_ = 0;
    bool linkHintShown_ = false;
};

// ButtonEthernetSendClick's bytes: the text, a line feed and a terminating zero byte. The text
// alone goes to MemoEthernetTx; a failed write shows kSendErrorText.
std::string RawModuleLine(std::string_view text);

} // namespace m47::netmodule
