#include "device/connection_session.h"

#include <algorithm>

namespace m47::device {

bool SessionEffects::Has(SessionAction action) const
{
    const auto actions = Actions();
    return std::find(actions.begin(), actions.end(), action) != actions.end();
}

PortStep ConnectionSession::ToggleStep(bool portOpen) const
{
    if (connected_)
        return PortStep::Close;
    return portOpen ? PortStep::KeepOpen : PortStep::Open;
}

void ConnectionSession::ToggleFinished(bool opened, int portNumber)
{
    connected_ = opened;
    identification_.ConnectionState = 0;
    identification_.IdentifyTicks = 0;
    identification_.DeviceIdentified = false;
    if (connected_)
        Advance({}, false);
    portNumber_ = portNumber;
}

SessionEffects ConnectionSession::Advance(std::string_view line, bool hasLine)
{
    SessionEffects effects;
    switch (identification_.ConnectionState) {
    case 0:
        identification_.ProductInfoComplete = false;
        identification_.ConnectionState = 1;
        identification_.IdentifyTicks = 0;
        break;
    case 1:
        if (!hasLine)
            break;
        // The end line reads the pages back first; ReadBackFinished identifies.
        if (line.find(kProductInfoEnd) != std::string_view::npos)
            effects.Add(SessionAction::ShowReadBackPages);
        else if (identification_.ProductInfoComplete)
            effects = Identify();
        break;
    default: break;
    }
    return effects;
}

SessionEffects ConnectionSession::Identify()
{
    identification_.DeviceIdentified = true;
    identification_.IdentifyTicks = 0;
    identification_.ConnectionState = 2;
    SessionEffects effects;
    effects.Add(SessionAction::ShowIdentified);
    return effects;
}

SessionEffects ConnectionSession::LineReceived(std::string_view line)
{
    return Advance(line, true);
}

SessionEffects ConnectionSession::ReadBackFinished()
{
    // A read-back that let the connection end must not mark a closed port identified.
    if (identification_.ConnectionState != 1)
        return {};
    identification_.ProductInfoComplete = true;
    return Identify();
}

SessionEffects ConnectionSession::StatusDoubleClicked()
{
    if (!connected_ || identification_.ProductInfoComplete)
        return {};
    identification_.ProductInfoComplete = true;
    return Advance(kForcedIdentificationLine, true);
}

SessionEffects ConnectionSession::Timer1Tick()
{
    SessionEffects effects;
    if (!connected_ || identification_.DeviceIdentified)
        return effects;
    // The query goes out on the 2nd, 4th, ... 16th tick; the 17th gives up.
    if (identification_.IdentifyTicks % 2 != 0)
        effects.Add(SessionAction::SendProductInfoQuery);
    if (identification_.IdentifyTicks >= kIdentifyTimeoutTicks) {
        identification_.ConnectionState = 0;
        effects.Add(SessionAction::ConnectionToggle);
        effects.Add(SessionAction::ReportIdentifyTimeout);
    }
    ++identification_.IdentifyTicks;
    return effects;
}

SessionEffects ConnectionSession::Timer2Tick()
{
    SessionEffects effects;
    if (readDeviceCountdown_ > 0 && readDeviceCountdown_ < kReadDeviceIdle)
        --readDeviceCountdown_;
    if (readDeviceCountdown_ == 0) {
        readDeviceCountdown_ = kReadDeviceIdle;
        effects.Add(SessionAction::ShowBaudRatePage);
    }
    bool red = false;
    if (connected_ && !identification_.ProductInfoComplete) {
        statusBlink_ = !statusBlink_;
        red = statusBlink_;
    }
    effects.Add(red ? SessionAction::ShowStatusRed : SessionAction::ShowStatusBlack);
    return effects;
}

SessionEffects ConnectionSession::PortsRescanned(bool holdsPort)
{
    SessionEffects effects;
    // While connected the list keeps the items it had when the connection was opened.
    if (!connected_)
        effects.Add(SessionAction::RefreshPortList);
    else if (!holdsPort)
        effects = PortLost();
    return effects;
}

SessionEffects ConnectionSession::PortLost()
{
    SessionEffects effects;
    if (!connected_)
        return effects;
    // The list is rebuilt after the close, so that the gone port is not offered again; the
    // close still takes the port number from the item it was opened with.
    effects.Add(SessionAction::ConnectionToggle);
    effects.Add(SessionAction::RefreshPortList);
    return effects;
}

SessionEffects ConnectionSession::RestartStepTick()
{
    SessionEffects effects;
    if (restartStep_ == 1) {
        restartStep_ = 2;
        effects.progress = 2;
        effects.Add(SessionAction::ShowProgress);
        // The rescan may have ended the connection already when the device's port went away;
        // the toggle would then open the vanished port instead of closing it.
        if (connected_)
            effects.Add(SessionAction::ConnectionToggle);
    } else if (restartStep_ >= 2 && restartStep_ < kRestartSteps) {
        effects.progress = ++restartStep_;
        effects.Add(SessionAction::ShowProgress);
        if (restartStep_ == kRestartSteps)
            effects.Add(SessionAction::LookForRestartedPort);
    }
    return effects;
}

SessionEffects ConnectionSession::RestartPortSearched(int item)
{
    SessionEffects effects;
    if (item >= 0) {
        effects.portItem = item;
        effects.Add(SessionAction::SelectPortItem);
        restartStep_ = 0;
        // Reopens with the device name set before the restart, without a probe; a connection
        // the user opened meanwhile is kept.
        if (!connected_)
            effects.Add(SessionAction::ConnectionToggle);
    }
    effects.Add(SessionAction::HideProgress);
    return effects;
}

} // namespace m47::device
