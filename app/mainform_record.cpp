// Recording: File > Record to File... writes every complete received line, after its receive
// time, to a file until File > Stop Recording; "REC" shows in the top panel meanwhile. The
// File menu's record and replay items are set up here and follow the present state.
#include "mainform.h"

#include "logreport/record_replay.h"
#include "logreport/replay_bar.h"
#include "ui_mainform.h"
#include "utf8text.h"

#include <QDir>
#include <QFile>

#include <chrono>
#include <ctime>

namespace logreport = m47::logreport;

namespace {

std::string LocalPath(const QString& path)
{
    return QFile::encodeName(path).toStdString();
}

} // namespace

void TForm1::SetUpRecordReplay()
{
    // The items stand above Exit, in the File menu's access-letter style.
    struct Item {
        QAction** action;
        const char* name;
        const char* caption;
        void (TForm1::*handler)();
    };
    const Item items[] = {
        {&mnuRecord, "mnuRecord", "Record to File(&R)...", &TForm1::mnuRecordClick},
        {&mnuStopRecording, "mnuStopRecording", "Stop Recording(&S)", &TForm1::mnuStopRecordingClick},
        {&mnuReplay, "mnuReplay", "Replay Log(&P)...", &TForm1::mnuReplayClick},
        {&mnuStopReplay, "mnuStopReplay", "Stop Replay(&T)", &TForm1::mnuStopReplayClick},
    };
    for (const Item& item : items) {
        *item.action = new QAction(QLatin1String(item.caption), this);
        (*item.action)->setObjectName(QLatin1String(item.name));
        ui->mnuFile->insertAction(ui->mnuExit, *item.action);
        connect(*item.action, &QAction::triggered, this, item.handler);
    }
    ui->mnuFile->insertSeparator(ui->mnuExit);
    connect(ui->mnuFile, &QMenu::aboutToShow, this, &TForm1::ShowRecordReplayState);

    lblRecording = new QLabel(Utf8Text(logreport::kRecIndicator), ui->Panel1);
    lblRecording->setObjectName(QStringLiteral("lblRecording"));
    lblRecording->setTextFormat(Qt::PlainText);
    lblRecording->setAlignment(Qt::AlignCenter);
    lblRecording->setStyleSheet(QStringLiteral("color: #C00000; font-weight: bold;"));
    lblRecording->setGeometry(ui->OpenPort->x(), 4, ui->OpenPort->width(), 18);

    // Over the interface and port choices, from the left edge of the first to the right of the last.
    ReplayControls = new logreport::ReplayBar(ui->Panel1);
    ReplayControls->setAttribute(Qt::WA_StyledBackground);
    ReplayControls->setStyleSheet(QStringLiteral("QWidget#ReplayBar { background-color: #A6CAF0; }"));
    const int left = ui->lblSelectDevice->x();
    ReplayControls->setGeometry(left, 6, ui->cbxDeviceComEnum->geometry().right() - left, 52);
    connect(ReplayControls, &logreport::ReplayBar::speedChanged, this, &TForm1::ReplaySpeedChange);
    connect(ReplayControls, &logreport::ReplayBar::pauseToggled, this, &TForm1::ReplayPauseClick);

    for (QTimer* timer : {&TimerRecordFlush, &TimerReplay})
        timer->setParent(this);
    TimerRecordFlush.setObjectName(QStringLiteral("TimerRecordFlush"));
    TimerRecordFlush.setInterval(std::chrono::milliseconds(logreport::LogRecorder::kFlushInterval));
    connect(&TimerRecordFlush, &QTimer::timeout, this, &TForm1::TimerRecordFlushTimer);
    TimerReplay.setObjectName(QStringLiteral("TimerReplay"));
    connect(&TimerReplay, &QTimer::timeout, this, &TForm1::TimerReplayTimer);
    ShowRecordReplayState();
}

void TForm1::ShowRecordReplayState()
{
    const logreport::RecordReplayMenu menu =
        logreport::MenuFor(Session.Connected(), Recorder.Recording(), Replay != nullptr);
    mnuRecord->setEnabled(menu.record);
    mnuStopRecording->setEnabled(menu.stopRecording);
    mnuReplay->setEnabled(menu.replay);
    mnuStopReplay->setEnabled(menu.stopReplay);
    ui->OpenPort->setEnabled(menu.connect);
    lblRecording->setVisible(menu.recIndicator);
    // The replay's controls cover the interface and port choices, which wait meanwhile.
    ReplayControls->setVisible(menu.stopReplay);
    ReplayControls->raise();
    if (!Session.Connected())
        SetChoiceBoxesEnabled(!menu.stopReplay);
}

void TForm1::mnuRecordClick()
{
    if (Recorder.Recording())
        return;
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    const QString suggested =
        QDir(Folders.documentsFolder).filePath(Utf8Text(logreport::RecordingFileName(local)));
    const auto path = Dialogs.askSavePath({Utf8Text(logreport::kRecordingFileFilter), suggested});
    if (!path)
        return;
    if (const auto failure = Recorder.Start(LocalPath(*path), std::chrono::system_clock::now())) {
        Boxes.ask(Utf8Text(logreport::RecordingRefusedText(path->toStdString(), *failure)),
                  Utf8Text(logreport::kRecordingCaption), QMessageBox::Ok);
        return;
    }
    TimerRecordFlush.start();
    ShowRecordReplayState();
}

void TForm1::mnuStopRecordingClick()
{
    RecordingStopped(Recorder.Stop());
}

void TForm1::RecordLine(std::string_view text)
{
    if (!Recorder.Recording())
        return;
    if (auto failure = Recorder.Record(text, std::chrono::system_clock::now()))
        // Told once the receive path has finished with the line, not from within it.
        QTimer::singleShot(0, this, [this, failure] { RecordingStopped(failure); });
}

void TForm1::TimerRecordFlushTimer()
{
    if (auto failure = Recorder.Tick(std::chrono::system_clock::now()))
        RecordingStopped(failure);
}

void TForm1::RecordingStopped(const std::optional<std::string>& failure)
{
    TimerRecordFlush.stop();
    ShowRecordReplayState();
    if (failure)
        Boxes.ask(Utf8Text(logreport::RecordingStoppedText(Recorder.Path(), *failure)),
                  Utf8Text(logreport::kRecordingCaption), QMessageBox::Ok);
}
