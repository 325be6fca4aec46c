// Round trip against the virtual device: a live session is recorded, the device goes away, and
// a fresh window replaying the file ends with the pages where the live session left them.
#include "simulatorfixture.h"

#include "app/labelededit.h"
#include "logreport/replay_pacer.h"

#include <QAction>

#include <map>

namespace {

const std::vector<std::string> kDevice = {"--no-network-module", "--firmware", "M47 V2.00", "--serial",
                                          "M47A2612009999"};

// The GPS STATUS boxes and the SYSTEM CHECK rows a session leaves.
const char* const kShown[] = {"lblEdtGpsUtcDate",     "lblEdtGpsUtcTime",    "lblEdtGpsFixMode", "lblEdtHdop",
                              "lblEdtGpsNoSV_InView", "lblEdtGpsNoSV_InUse", "lblEdtGpsLat",     "lblEdtGpsLon",
                              "lblEdtGpsSOG",         "lblEdtGpsCOG",        "lblValFwVer",      "lblValProdSN",
                              "lblValRxCntA",         "lblValRxCntB"};

class RecordReplayWithSimulator : public WithSimulator
{
protected:
    std::map<std::string, QString> pages()
    {
        access().SysChkTick();
        std::map<std::string, QString> shown;
        for (const char* name : kShown) {
            auto* box = form->findChild<LabeledEdit*>(QLatin1String(name));
            shown[name] = box ? box->text() : control<QLabel>(name)->text();
        }
        return shown;
    }
};

} // namespace

TEST_F(RecordReplayWithSimulator, AReplayOfTheRecordingEndsWhereTheLiveSessionEnded)
{
    startSimulator(kDevice);
    const QString recording = tmp.filePath(QStringLiteral("session.log"));
    fileDialogs.answerNext(recording);
    control<QAction>("mnuRecord")->trigger();
    connectAndIdentify();
    // A few GNSS cycles and AIS reports after identification.
    PumpFor(4500);
    kill(sim, SIGSTOP);
    PumpFor(500);
    control<QAction>("mnuStopRecording")->trigger();
    const auto live = pages();
    EXPECT_NE(live.at("lblValRxCntA"), QStringLiteral("0"));
    EXPECT_EQ(live.at("lblEdtGpsFixMode"), QStringLiteral("3D"));
    openPort()->click(); // disconnect
    kill(sim, SIGCONT);
    kill(sim, SIGTERM);
    waitpid(sim, nullptr, 0);
    sim = -1;

    // The device is gone; a window of its own replays what was recorded.
    form.reset();
    start();
    ASSERT_TRUE(form->StartReplay(recording, 16));
    EXPECT_FALSE(openPort()->isEnabled());
    ASSERT_TRUE(PumpUntil([&] { return !control<QAction>("mnuStopReplay")->isEnabled(); }, 60000));
    EXPECT_TRUE(openPort()->isEnabled());
    const auto replayed = pages();
    for (const char* name : kShown)
        EXPECT_EQ(replayed.at(name), live.at(name)) << name;
    EXPECT_TRUE(boxes.calls().empty());
}
