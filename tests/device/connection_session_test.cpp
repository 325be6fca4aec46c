#include "device/connection_session.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace m47::device;
using A = SessionAction;

namespace {

const std::string EndLine = "$PCVN,R,TXT,PROD. INFO. END*65\r\n";

std::vector<A> Actions(const SessionEffects& effects)
{
    return {effects.Actions().begin(), effects.Actions().end()};
}

// A session with a port that opens: the connection toggle applied as the window applies it.
struct Connection {
    ConnectionSession session;
    bool portOpen = false;

    void Toggle(int portNumber = 7)
    {
        const PortStep step = session.ToggleStep(portOpen);
        if (step == PortStep::Close)
            portOpen = false;
        else if (step == PortStep::Open)
            portOpen = true;
        session.ToggleFinished(step == PortStep::Open, portNumber);
    }
    // Applies the toggles the effects ask for and returns the effects.
    SessionEffects Apply(const SessionEffects& effects)
    {
        for (A a : effects.Actions())
            if (a == A::ConnectionToggle)
                Toggle(session.PortNumber());
        return effects;
    }
};

} // namespace

TEST(ConnectionSession, ToggleOpensIdentifyingAndClosesIdle)
{
    Connection c;
    EXPECT_EQ(c.session.ToggleStep(false), PortStep::Open);
    EXPECT_EQ(c.session.ToggleStep(true), PortStep::KeepOpen); // open, but no connection marked
    c.Toggle(200);
    EXPECT_TRUE(c.session.Connected());
    EXPECT_EQ(c.session.Identification().ConnectionState, 1);
    EXPECT_EQ(c.session.PortNumber(), 200);
    EXPECT_FALSE(c.session.DeviceReady());
    c.Toggle(200);
    EXPECT_FALSE(c.session.Connected());
    EXPECT_EQ(c.session.Identification().ConnectionState, 0);

    // A port that failed to open leaves the session idle.
    c.session.ToggleFinished(false, 3);
    EXPECT_FALSE(c.session.Connected());
    EXPECT_EQ(c.session.Identification().ConnectionState, 0);
}

TEST(ConnectionSession, SilentDeviceIsQueriedEightTimesAndTimesOutOnThe17thTick)
{
    Connection c;
    c.Toggle();
    std::vector<int> queryTicks;
    int timeoutTick = 0;
    for (int tick = 1; tick <= 30; ++tick) {
        const SessionEffects e = c.Apply(c.session.Timer1Tick());
        if (e.Has(A::SendProductInfoQuery))
            queryTicks.push_back(tick);
        if (e.Has(A::ReportIdentifyTimeout)) {
            timeoutTick = tick;
            // the message comes after the connection has been closed
            EXPECT_EQ(Actions(e), (std::vector<A>{A::ConnectionToggle, A::ReportIdentifyTimeout}));
        }
    }
    EXPECT_EQ(queryTicks, (std::vector<int>{2, 4, 6, 8, 10, 12, 14, 16}));
    EXPECT_EQ(timeoutTick, 17);
    EXPECT_FALSE(c.session.Connected());
    EXPECT_EQ(c.session.Identification().ConnectionState, 0);
}

TEST(ConnectionSession, EndLineReadsBackThenIdentifies)
{
    Connection c;
    c.Toggle();
    c.session.Timer1Tick();
    EXPECT_TRUE(Actions(c.session.LineReceived("$GPGGA,...*00\r\n")).empty());
    EXPECT_EQ(Actions(c.session.LineReceived(EndLine)), (std::vector<A>{A::ShowReadBackPages}));
    EXPECT_FALSE(c.session.Identification().ProductInfoComplete); // set once the read-back is done
    EXPECT_EQ(Actions(c.session.ReadBackFinished()), (std::vector<A>{A::ShowIdentified}));
    const IdentificationState& s = c.session.Identification();
    EXPECT_TRUE(s.ProductInfoComplete && s.DeviceIdentified);
    EXPECT_EQ(s.ConnectionState, 2);
    EXPECT_EQ(s.IdentifyTicks, 0);
    EXPECT_TRUE(c.session.DeviceReady());
    // identified: no more polling, and the read-back's second end line changes nothing
    EXPECT_TRUE(Actions(c.session.Timer1Tick()).empty());
    EXPECT_TRUE(Actions(c.session.LineReceived(EndLine)).empty());
}

TEST(ConnectionSession, ConnectionClosedDuringTheReadBackStaysIdle)
{
    Connection c;
    c.Toggle();
    c.session.LineReceived(EndLine);
    c.Toggle(); // the port went away while the pages were read back
    EXPECT_TRUE(Actions(c.session.ReadBackFinished()).empty());
    EXPECT_FALSE(c.session.Identification().DeviceIdentified);
}

TEST(ConnectionSession, DoubleClickIdentifiesOnlyWhileIdentifying)
{
    Connection c;
    EXPECT_TRUE(Actions(c.session.StatusDoubleClicked()).empty()); // idle
    EXPECT_FALSE(c.session.Identification().ProductInfoComplete);
    c.Toggle();
    EXPECT_EQ(Actions(c.session.StatusDoubleClicked()), (std::vector<A>{A::ShowIdentified}));
    EXPECT_TRUE(Actions(c.session.StatusDoubleClicked()).empty()); // identified

    // Re-opening starts afresh: the flag is cleared and a plain line does not identify.
    c.Toggle();
    c.Toggle();
    EXPECT_FALSE(c.session.Identification().ProductInfoComplete);
    EXPECT_TRUE(Actions(c.session.LineReceived("CHECK PASS")).empty());
}

TEST(ConnectionSession, ReadDeviceCountdownRunsOutOnTheFifthTickAndRestartsOnAClick)
{
    ConnectionSession s;
    const auto ticksUntilDue = [&s] {
        for (int tick = 1; tick <= 10; ++tick)
            if (s.Timer2Tick().Has(A::ShowBaudRatePage))
                return tick;
        return 0;
    };
    EXPECT_EQ(ticksUntilDue(), 0);
    s.ReadDeviceRequested();
    EXPECT_EQ(ticksUntilDue(), 5);
    EXPECT_EQ(s.ReadDeviceCountdown(), kReadDeviceIdle);
    s.ReadDeviceRequested();
    s.Timer2Tick();
    s.Timer2Tick();
    s.ReadDeviceRequested(); // a second click starts over
    EXPECT_EQ(ticksUntilDue(), 5);
}

TEST(ConnectionSession, StatusBlinksRedOnlyWhileIdentifyingAndAfterTheCountdown)
{
    Connection c;
    const auto colour = [&c] {
        const auto actions = Actions(c.session.Timer2Tick());
        return actions.back();
    };
    EXPECT_EQ(colour(), A::ShowStatusBlack); // idle
    c.Toggle();
    EXPECT_EQ(colour(), A::ShowStatusRed);
    EXPECT_EQ(colour(), A::ShowStatusBlack);
    EXPECT_EQ(colour(), A::ShowStatusRed);
    c.session.ReadDeviceRequested();
    for (int i = 0; i < 4; ++i)
        colour();
    EXPECT_EQ(Actions(c.session.Timer2Tick()), (std::vector<A>{A::ShowBaudRatePage, A::ShowStatusBlack}));
    c.session.StatusDoubleClicked();
    EXPECT_EQ(colour(), A::ShowStatusBlack); // identified
}

TEST(ConnectionSession, RescanRefreshesTheListWhileIdleAndEndsAConnectionWhosePortWent)
{
    Connection c;
    EXPECT_EQ(Actions(c.session.PortsRescanned(false)), (std::vector<A>{A::RefreshPortList}));
    c.Toggle();
    EXPECT_TRUE(Actions(c.session.PortsRescanned(true)).empty()); // the list keeps its items
    EXPECT_EQ(Actions(c.session.PortsRescanned(false)),
              (std::vector<A>{A::ConnectionToggle, A::RefreshPortList}));
}

TEST(ConnectionSession, LostPortEndsOnlyAnOpenConnectionAndOffersTheNewList)
{
    Connection c;
    EXPECT_TRUE(Actions(c.session.PortLost()).empty());
    c.Toggle();
    EXPECT_EQ(Actions(c.Apply(c.session.PortLost())),
              (std::vector<A>{A::ConnectionToggle, A::RefreshPortList}));
    EXPECT_FALSE(c.session.Connected());
    EXPECT_TRUE(Actions(c.session.PortLost()).empty()); // told twice, closed once
}

TEST(ConnectionSession, RestartClosesOnTheFirstTickAndLooksForThePortAtStep10)
{
    Connection c;
    c.Toggle(200);
    EXPECT_TRUE(Actions(c.session.RestartStepTick()).empty()); // no restart announced

    c.session.RestartAnnounced();
    SessionEffects e = c.Apply(c.session.RestartStepTick());
    EXPECT_EQ(Actions(e), (std::vector<A>{A::ShowProgress, A::ConnectionToggle}));
    EXPECT_EQ(e.progress, 2);
    EXPECT_FALSE(c.session.Connected());

    std::vector<int> progress;
    int lookedAt = 0;
    for (int tick = 1; tick <= 12; ++tick) {
        e = c.session.RestartStepTick();
        EXPECT_FALSE(e.Has(A::ConnectionToggle));
        if (e.Has(A::ShowProgress))
            progress.push_back(e.progress);
        if (e.Has(A::LookForRestartedPort))
            lookedAt = tick;
    }
    EXPECT_EQ(progress, (std::vector<int>{3, 4, 5, 6, 7, 8, 9, 10}));
    EXPECT_EQ(lookedAt, 8); // the 8th tick after the close
    EXPECT_EQ(c.session.RestartStep(), kRestartSteps);

    // Not listed: the progress goes, the sequence rests at 10.
    EXPECT_EQ(Actions(c.session.RestartPortSearched(-1)), (std::vector<A>{A::HideProgress}));
    EXPECT_EQ(c.session.RestartStep(), kRestartSteps);
    // Listed: selected and reopened.
    e = c.session.RestartPortSearched(3);
    EXPECT_EQ(Actions(e), (std::vector<A>{A::SelectPortItem, A::ConnectionToggle, A::HideProgress}));
    EXPECT_EQ(e.portItem, 3);
    EXPECT_EQ(c.session.RestartStep(), 0);
}

TEST(ConnectionSession, RestartKeepsAConnectionTheRescanEndedOrTheUserOpened)
{
    Connection c;
    c.session.RestartAnnounced(); // the rescan closed the connection before the first tick
    EXPECT_EQ(Actions(c.session.RestartStepTick()), (std::vector<A>{A::ShowProgress}));
    c.Toggle(); // the user connected meanwhile
    EXPECT_EQ(Actions(c.session.RestartPortSearched(0)),
              (std::vector<A>{A::SelectPortItem, A::HideProgress}));
}
