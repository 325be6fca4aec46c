#include "device/connection_rules.h"

#include "device/text_rules.h"

#include <algorithm>

namespace m47::device {

int BaudRateIndexFor(std::string_view itemText)
{
    const int rate = LeadingNumber(itemText);
    const auto found = std::find(kPortBaudRates.begin(), kPortBaudRates.end(), rate);
    if (found == kPortBaudRates.end())
        return kBaudIndex115200;
    return static_cast<int>(found - kPortBaudRates.begin());
}

int PortNumberFromItem(std::string_view itemText)
{
    const auto com = itemText.find("COM");
    if (com == std::string_view::npos)
        return 1;
    const int number = LeadingNumber(itemText.substr(com + 3));
    return number >= 1 && number <= 255 ? number : 1;
}

std::string PortTag(int portNumber)
{
    return "(COM" + std::to_string(portNumber) + ")";
}

int FindPortItem(std::span<const std::string> items, int portNumber)
{
    const std::string tag = PortTag(portNumber);
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (Contains(items[i], tag))
            return static_cast<int>(i);
    }
    return -1;
}

void ResetIdentification(IdentificationState& state)
{
    state.ConnectionState = 0;
    state.IdentifyTicks = 0;
    state.DeviceIdentified = false;
}

IdentificationResult AdvanceIdentification(IdentificationState& state, const char* line,
                                           const std::function<void()>& showReadBackPages)
{
    switch (state.ConnectionState) {
    case 0:
        state.ProductInfoComplete = false;
        state.ConnectionState = 1;
        state.IdentifyTicks = 0;
        return IdentificationResult::Started;
    case 1:
        if (line == nullptr)
            return IdentificationResult::None;
        if (Contains(line, kProductInfoEnd)) {
            if (showReadBackPages)
                showReadBackPages();
            // A read-back that let the connection end must not mark a closed port identified.
            if (state.ConnectionState != 1)
                return IdentificationResult::None;
            state.ProductInfoComplete = true;
        }
        if (!state.ProductInfoComplete)
            return IdentificationResult::None;
        state.DeviceIdentified = true;
        state.IdentifyTicks = 0;
        state.ConnectionState = 2;
        return IdentificationResult::Identified;
    default:
        return IdentificationResult::None;
    }
}

IdentificationResult ForceIdentification(IdentificationState& state, bool connectionOpen)
{
    if (!connectionOpen || state.ProductInfoComplete)
        return IdentificationResult::None;
    state.ProductInfoComplete = true;
    return AdvanceIdentification(state, kForcedIdentificationLine.data(), {});
}

bool ShouldPollIdentification(const IdentificationState& state, bool connectionOpen)
{
    return connectionOpen && !state.DeviceIdentified;
}

PollDecision PollIdentification(int identifyTicks)
{
    return {identifyTicks % 2 != 0, identifyTicks >= kIdentifyTimeoutTicks};
}

bool ReadDeviceCountdownTick(int& countdown)
{
    if (countdown > 0 && countdown < kReadDeviceIdle)
        --countdown;
    if (countdown != 0)
        return false;
    countdown = kReadDeviceIdle;
    return true;
}

bool StatusBlinkTick(bool& statusBlink, bool connectionOpen, bool productInfoComplete)
{
    if (!connectionOpen || productInfoComplete)
        return false;
    statusBlink = !statusBlink;
    return statusBlink;
}

RestartTick RestartStepTick(int& restartStep)
{
    RestartTick tick;
    if (restartStep == 1) {
        restartStep = 2;
        tick.progress = 2;
        tick.closeConnection = true;
    } else if (restartStep >= 2 && restartStep < kRestartSteps) {
        tick.progress = ++restartStep;
        tick.lookForPort = restartStep == kRestartSteps;
    }
    return tick;
}

} // namespace m47::device
