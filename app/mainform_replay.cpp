// Replay: File > Replay Log... (or --replay on the command line) feeds a saved log into the
// receive path in place of the port, so its lines go through CommRxChar's line assembly into
// the four line consumers and the data log like received lines. The log is read as it plays,
// on the window thread, at the pace of its own times; Connect waits until the replay ends.
#include "mainform.h"

#include "logreport/record_replay.h"
#include "logreport/replay_bar.h"
#include "ui_mainform.h"
#include "utf8text.h"

#include <QFile>
#include <QFileInfo>

#include <chrono>

namespace logreport = m47::logreport;

namespace {

// Ticks of the replay: paced lines are looked for often enough to keep their times to a few
// milliseconds; an unpaced replay feeds batches as fast as the window takes them and still
// lets every other event in between.
constexpr std::chrono::milliseconds kPacedTick{10};
constexpr std::size_t kPacedLinesPerTick = 1000;
constexpr std::size_t kFastLinesPerTick = 200;

} // namespace

void TForm1::mnuReplayClick()
{
    if (Session.Connected() || Replay)
        return;
    if (const auto path = Dialogs.askOpenPath(Utf8Text(logreport::kReplayFileFilter)))
        StartReplay(*path, ReplayControls->speed());
}

bool TForm1::StartReplay(const QString& path, logreport::ReplaySpeed speed)
{
    if (Session.Connected() || Replay)
        return false;
    auto reader = logreport::LogReader::Open(QFile::encodeName(path).toStdString());
    if (!reader) {
        Boxes.ask(Utf8Text(logreport::ReplayFailedText(path.toStdString())),
                  Utf8Text(logreport::kReplayCaption), QMessageBox::Ok);
        return false;
    }
    logreport::PaceSettings pace;
    pace.speed = speed;
    Replay = std::make_unique<logreport::ReplayPacer>(std::move(reader), pace);
    ReplayControls->showLog(QFileInfo(path).fileName(), speed);
    // The pages show as for an identified device, and the system check follows the counters.
    ui->PanelView->show();
    if (!TimerUpdateSysChk.isActive())
        TimerUpdateSysChk.start();
    ReplaySpeedChange(speed);
    ShowRecordReplayState();
    return true;
}

void TForm1::mnuStopReplayClick()
{
    if (!Replay)
        return;
    TimerReplay.stop();
    Replay.reset();
    // The pages keep what the log left on them.
    ShowRecordReplayState();
}

void TForm1::TimerReplayTimer()
{
    if (!Replay)
        return;
    const std::size_t limit =
        Replay->Speed() == logreport::kAsFastAsPossible ? kFastLinesPerTick : kPacedLinesPerTick;
    std::string bytes;
    for (const std::string& line : Replay->Due(std::chrono::steady_clock::now(), limit))
        bytes.append(line).append("\r\n");
    if (!bytes.empty())
        RxLines.Feed(bytes);
    ReplayControls->setProgress(Replay->Progress());
    if (Replay->Finished())
        mnuStopReplayClick();
}

void TForm1::ReplaySpeedChange(logreport::ReplaySpeed speed)
{
    if (!Replay)
        return;
    Replay->SetSpeed(speed, std::chrono::steady_clock::now());
    TimerReplay.start(speed == logreport::kAsFastAsPossible ? std::chrono::milliseconds(0) : kPacedTick);
}

void TForm1::ReplayPauseClick(bool paused)
{
    if (!Replay)
        return;
    const auto now = std::chrono::steady_clock::now();
    if (paused)
        Replay->Pause(now);
    else
        Replay->Resume(now);
}
