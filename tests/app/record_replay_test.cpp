// Recording and replay in the main window: a real capture replayed through the receive path
// drives the GPS page and the data log, the File menu and Connect follow the replay, a pause
// holds it, and a recording that cannot write stops with the reason.
#include "connectionfixture.h"

#include "app/labelededit.h"
#include "logreport/data_log_view.h"
#include "logreport/replay_pacer.h"

#include <QAction>
#include <QProgressBar>

#include <fstream>
#include <sstream>

namespace {

using m47::logreport::kAsFastAsPossible;

QString Capture(const char* name)
{
    return QString::fromLocal8Bit(qgetenv("M47_TEST_DATA")) + QLatin1Char('/') + QLatin1String(name);
}

std::string FileText(const QString& path)
{
    std::ifstream in(path.toStdString(), std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

class RecordReplay : public PtyDeviceFixture
{
protected:
    void startIdle()
    {
        start();
        access().StopTimers();
    }
    bool enabled(const char* action) const { return control<QAction>(action)->isEnabled(); }
    void trigger(const char* action) const { control<QAction>(action)->trigger(); }
    bool replaying() const { return enabled("mnuStopReplay"); }
    bool replayAndWait(const QString& path, m47::logreport::ReplaySpeed speed)
    {
        if (!form->StartReplay(path, speed))
            return false;
        return PumpUntil([&] { return !replaying(); }, 60000);
    }
    QString box(const char* name) const { return control<LabeledEdit>(name)->text(); }
};

} // namespace

TEST_F(RecordReplay, ARealCaptureReplayedDrivesTheGpsPageAndTheDataLog)
{
    startIdle();
    control<QAbstractButton>("spbtnEnableLog")->click();
    ASSERT_TRUE(form->StartReplay(Capture("gpsd/test/daemon/saab-r4.log"), kAsFastAsPossible));
    EXPECT_TRUE(control<QWidget>("PanelView")->isVisible() || !form->isVisible());
    EXPECT_FALSE(openPort()->isEnabled()) << "no connection while a log replays";
    EXPECT_FALSE(enabled("mnuReplay"));
    ASSERT_TRUE(PumpUntil([&] { return !replaying(); }, 60000));

    EXPECT_TRUE(openPort()->isEnabled());
    EXPECT_TRUE(enabled("mnuReplay"));
    EXPECT_FALSE(control<QWidget>("ReplayBar")->isVisibleTo(form.get()));
    // The capture's last fix: 1 June 2011, 13:07:22 UTC, 50 deg 12.7926' N, 8 deg 06.8796' W, 0.5 kn.
    EXPECT_EQ(box("lblEdtGpsUtcDate"), QStringLiteral("2011/06/01"));
    EXPECT_EQ(box("lblEdtGpsUtcTime"), QStringLiteral("13:07:22"));
    EXPECT_TRUE(box("lblEdtGpsLat").startsWith(QStringLiteral(" 50"))) << box("lblEdtGpsLat").toStdString();
    EXPECT_TRUE(box("lblEdtGpsLat").endsWith(QStringLiteral("'N")));
    EXPECT_TRUE(box("lblEdtGpsLon").startsWith(QStringLiteral("  8"))) << box("lblEdtGpsLon").toStdString();
    EXPECT_TRUE(box("lblEdtGpsLon").endsWith(QStringLiteral("'W")));
    EXPECT_EQ(box("lblEdtGpsSOG"), QStringLiteral(" 0.50 Kn"));
    // Every line but the comments and the empty one reached the data log.
    EXPECT_EQ(control<m47::logreport::DataLogView>("MemoDataLog")->lines().Count(), 122u);
}

TEST_F(RecordReplay, APauseHoldsTheReplayAndStopEndsItWithThePagesKept)
{
    // Ten lines a second: an untimed capture of many lines.
    const QString path = tmp.filePath(QStringLiteral("untimed.log"));
    {
        std::ofstream out(path.toStdString());
        for (int i = 0; i < 200; ++i)
            out << "!AIVDM,1,1,,A,15RTgt0PAso;90TKcjM8h6g208CQ,0*4A\n";
    }
    startIdle();
    control<QAbstractButton>("spbtnEnableLog")->click();
    auto* log = control<m47::logreport::DataLogView>("MemoDataLog");
    ASSERT_TRUE(form->StartReplay(path, 1));
    ASSERT_TRUE(PumpUntil([&] { return log->lines().Count() >= 2; }, 5000));
    control<QAbstractButton>("spbReplayPause")->click();
    PumpFor(50);
    const std::size_t held = log->lines().Count();
    PumpFor(400);
    EXPECT_EQ(log->lines().Count(), held) << "paused";
    control<QAbstractButton>("spbReplayPause")->click();
    ASSERT_TRUE(PumpUntil([&] { return log->lines().Count() > held; }, 5000));
    EXPECT_GT(control<QProgressBar>("pgbReplay")->value(), 0);

    trigger("mnuStopReplay");
    EXPECT_FALSE(replaying());
    const std::size_t stopped = log->lines().Count();
    PumpFor(300);
    EXPECT_EQ(log->lines().Count(), stopped);
    EXPECT_LT(stopped, 200u);
    EXPECT_TRUE(openPort()->isEnabled());
}

TEST_F(RecordReplay, NoReplayWhileADeviceIsConnected)
{
    connectDevice();
    EXPECT_FALSE(form->StartReplay(Capture("gpsd/test/daemon/saab-r4.log"), 1));
    EXPECT_FALSE(replaying());
    trigger("mnuReplay");
    EXPECT_TRUE(fileDialogs.openFilters().empty()) << "the dialog is not even offered";
}

TEST_F(RecordReplay, AReplayedRestartAnnouncementStartsNoReconnect)
{
    const QString path = tmp.filePath(QStringLiteral("restart.log"));
    std::ofstream(path.toStdString()) << DeviceLine("$PCVN,R,TXT,SYSTEM RESTART");
    startIdle();
    ASSERT_TRUE(replayAndWait(path, kAsFastAsPossible));
    EXPECT_EQ(access().RestartStep(), 0);
    EXPECT_FALSE(progress->isVisible());
}

TEST_F(RecordReplay, AnUnreadableLogIsRefusedWithAMessage)
{
    startIdle();
    fileDialogs.answerNext(tmp.filePath(QStringLiteral("missing.log")));
    trigger("mnuReplay");
    EXPECT_FALSE(replaying());
    EXPECT_TRUE(lastBoxText().startsWith(QStringLiteral("Cannot read "))) << lastBoxText().toStdString();
}

TEST_F(RecordReplay, RecordingWritesTheReceivedLinesAfterTheirTimesAndShowsRec)
{
    startIdle();
    const QString path = tmp.filePath(QStringLiteral("session.log"));
    fileDialogs.answerNext(path);
    trigger("mnuRecord");
    ASSERT_EQ(fileDialogs.requests().size(), 1u);
    EXPECT_TRUE(fileDialogs.requests()[0].initialName.startsWith(folders.documentsFolder + QStringLiteral("/m47-")));
    EXPECT_TRUE(fileDialogs.requests()[0].initialName.endsWith(QStringLiteral(".log")));
    EXPECT_TRUE(control<QLabel>("lblRecording")->isVisibleTo(form.get()));
    EXPECT_FALSE(enabled("mnuRecord"));

    // Logging stays off: the recording takes every line anyway, the over-long one too.
    const QString capture = tmp.filePath(QStringLiteral("capture.log"));
    std::ofstream(capture.toStdString()) << "$GPZDA,130722,01,06,2011,01,00*49\r\n" << std::string(90, 'x') << "\n";
    ASSERT_TRUE(replayAndWait(capture, kAsFastAsPossible));
    trigger("mnuStopRecording");
    EXPECT_FALSE(control<QLabel>("lblRecording")->isVisibleTo(form.get()));

    const std::string text = FileText(path);
    ASSERT_EQ(std::count(text.begin(), text.end(), '\n'), 2) << text;
    EXPECT_EQ(text.substr(23, 2), "Z ");
    EXPECT_EQ(text.substr(25, text.find('\n') - 25), "$GPZDA,130722,01,06,2011,01,00*49");
    EXPECT_TRUE(boxes.calls().empty());
}

TEST_F(RecordReplay, AFailedWriteStopsTheRecordingWithTheReason)
{
    startIdle();
    fileDialogs.answerNext(QStringLiteral("/dev/full"));
    trigger("mnuRecord");
    ASSERT_TRUE(control<QLabel>("lblRecording")->isVisibleTo(form.get()));
    const QString capture = tmp.filePath(QStringLiteral("capture.log"));
    std::ofstream(capture.toStdString()) << "$GPZDA,130722,01,06,2011,01,00*49\n";
    ASSERT_TRUE(replayAndWait(capture, kAsFastAsPossible));
    ASSERT_TRUE(PumpUntil([&] { return !boxes.calls().empty(); }, 5000)) << "the flush comes within a second";
    EXPECT_TRUE(lastBoxText().startsWith(QStringLiteral("Recording stopped: No space left on device")))
        << lastBoxText().toStdString();
    EXPECT_FALSE(control<QLabel>("lblRecording")->isVisibleTo(form.get()));
    EXPECT_TRUE(enabled("mnuRecord"));
}
