#include "netmodule/network_tab.h"

#include <climits>

namespace m47::netmodule {

namespace {

// Hands the engine's accepted values to the tab, collecting what they change on the page.
class StoreInto final : public ModuleValueStore
{
public:
    StoreInto(NetworkTab& tab, NetworkTabEffects& effects) : tab_(tab), effects_(effects) {}
    int StoreModuleValue(std::int32_t query, std::string_view value) override
    {
        return tab_.StoreModuleValue(query, value, effects_);
    }

private:
    NetworkTab& tab_;
    NetworkTabEffects& effects_;
};

} // namespace

NetworkTab::NetworkTab(device::DeviceInfo& deviceInfo, const LocalAddressSource& localAddresses)
    : deviceInfo_(deviceInfo), localSource_(localAddresses)
{}

void NetworkTab::Enter(NetworkTabEffects& effects)
{
    if (engine_.IsConfigMode())
        return;
    effects.writes.emplace_back(kEnterConfigModeSentence);
    effects.txLines.emplace_back(kEnterConfigModeSentence);
    engine_.SetConfigMode(true);
    // The count starts afresh: the tick that left the mode last time may not have been followed
    // by one outside it, and a re-entry must not be left again at once.
    configModeTicks_ = 0;
}

void NetworkTab::Leave(NetworkTabEffects& effects)
{
    if (!engine_.IsConfigMode())
        return;
    effects.writes.emplace_back(kLeaveConfigModeSentence);
    effects.txLines.emplace_back(kLeaveConfigModeSentence);
    engine_.ResetAtEngine(); // queued and running queries go with the mode
}

void NetworkTab::LeaveIfOpen(bool connectionOpen, NetworkTabEffects& effects)
{
    if (connectionOpen)
        Leave(effects);
}

NetworkTabEffects NetworkTab::ButtonEnterEthConfigModeClick()
{
    NetworkTabEffects effects;
    Enter(effects);
    return effects;
}

NetworkTabEffects NetworkTab::ButtonExitEthConfigModeClick()
{
    NetworkTabEffects effects;
    Leave(effects);
    return effects;
}

NetworkTabEffects NetworkTab::LeaveNetworkConfigMode(bool connectionOpen)
{
    NetworkTabEffects effects;
    LeaveIfOpen(connectionOpen, effects);
    return effects;
}

void NetworkTab::ButtonCMD1Click()
{
    engine_.QueueAtQuery(kQueryVersion);
    engine_.QueueAtQuery(kQueryAddress);
}

NetworkTabEffects NetworkTab::EnterNetworkPage(bool rs232Selected, bool connectionOpen)
{
    NetworkTabEffects effects;
    effects.linkEnabled = false;
    Enter(effects);
    ButtonCMD1Click();
    if (rs232Selected)
        LeaveIfOpen(connectionOpen, effects);
    return effects;
}

NetworkTabEffects NetworkTab::TimerEthernetRoutineTimer(bool connectionOpen)
{
    NetworkTabEffects effects;
    if (const std::string_view line = engine_.AtEngineTick(); !line.empty())
        effects.writes.emplace_back(line);
    if (!engine_.IsConfigMode()) {
        configModeTicks_ = 0;
        return effects;
    }
    // While no connection is open the count goes on (the leave waits for one); it stops at the
    // int limit instead of overflowing.
    if (configModeTicks_ < INT_MAX)
        ++configModeTicks_;
    if (configModeTicks_ > kConfigModeTickLimit)
        LeaveIfOpen(connectionOpen, effects);
    return effects;
}

NetworkTabEffects NetworkTab::HandleAtReply(std::string_view line)
{
    NetworkTabEffects effects;
    StoreInto store(*this, effects);
    if (auto memo = engine_.HandleAtReply(line, store))
        effects.rxLines.push_back(std::move(*memo));
    return effects;
}

int NetworkTab::StoreModuleValue(std::int32_t query, std::string_view value, NetworkTabEffects& effects)
{
    switch (query) {
    case kQueryVersion:
        device::SetText(info_.ModuleVersionText, value);
        device::SetText(deviceInfo_.NetworkFirmwareVersion, info_.ModuleVersionText);
        deviceInfo_.NetworkFirmwareReceived = 1;
        effects.firmwareVersion = deviceInfo_.NetworkFirmwareVersion;
        return kValueAccepted;
    case kQueryAddress: {
        const auto bytes = ReadAddressAnswer(value);
        if (!bytes)
            return kValueRefused;
        info_.ModuleAddress = *bytes;
        effects.address = DottedAddress(info_.ModuleAddress.data());
        effects.linkEnabled = IsSameGroup(effects);
        return kValueAccepted;
    }
    default: device::SetText(info_.ModuleDeviceName, value); return kValueAccepted;
    }
}

bool NetworkTab::IsSameGroup(NetworkTabEffects& effects)
{
    for (std::string& line : CollectLocalAddresses(local_, localSource_))
        effects.txLines.push_back(std::move(line));
    return SharesGroup(local_, info_.ModuleAddress.data());
}

std::optional<WebPageRequest> NetworkTab::LabelEthernetSettingButtonClick(bool deviceReady)
{
    if (!deviceReady)
        return std::nullopt;
    return ButtonCompareIPClick();
}

WebPageRequest NetworkTab::ButtonCompareIPClick()
{
    WebPageRequest request;
    request.confirmOtherGroup = !IsSameGroup(request.effects);
    request.address = WebPageAddress(info_);
    return request;
}

std::string RawModuleLine(std::string_view text)
{
    std::string bytes(text);
    bytes.push_back('\n');
    bytes.push_back('\0');
    return bytes;
}

} // namespace m47::netmodule
