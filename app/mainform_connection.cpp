// The device connection: interface and baud-rate choice, Connect/Disconnect, identification by
// polling the product-information query, the two free-running timers, the reconnect after a
// device restart, and the one path by which command sentences reach the device. The decisions
// and the state between events are the connection session's; the handlers apply its effects.
#include "mainform.h"

#include "application.h"
#include "device/command_sentences.h"
#include "logging.h"
#include "serial/port_naming.h"
#include "tag.h"
#include "ui_mainform.h"
#include "waitprogressform.h"

#include <QProgressBar>

#include <chrono>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

namespace device = m47::device;

namespace {

constexpr const char* WarningCaption = "WARNING";
constexpr const char* ProbeFailedText = "The select device can not connectable.";
constexpr const char* NoPortNumberText = "Please check connection port is correct!";
constexpr const char* IdentifyTimeoutText = "Please select correct device.";

// The read-back waits: the window thread sleeps, so no window message, timer tick or received
// byte is handled meanwhile; bytes wait in the serial component.
constexpr std::chrono::milliseconds ReadBackWait{m47::device::kReadBackPageMs};

} // namespace

void TForm1::ComboBoxDeviceItemChange()
{
    const int item = ui->ComboBoxDeviceItem->currentIndex();
    if (item == 1) { // RS-232/NMEA-0183: the PC's baud rate is chosen
        ui->LabelBaudRate->show();
        ui->ComboBoxBaudRate->show();
        ComboBoxBaudRateChange();
    } else if (item == 0) { // USB
        ui->LabelBaudRate->hide();
        ui->ComboBoxBaudRate->hide();
        CommPort->SetBaudRate(br128000);
    }
}

void TForm1::ComboBoxBaudRateChange()
{
    const QString item =
        ui->ComboBoxBaudRate->currentIndex() >= 0 ? ui->ComboBoxBaudRate->currentText() : QString();
    CommPort->SetBaudRate(static_cast<TBaudRate>(device::BaudRateIndexFor(item.toStdString())));
}

void TForm1::OpenPortClick()
{
    // The click has toggled the button; whether it shows pressed is the connection's business.
    ui->OpenPort->setChecked(Tag(ui->OpenPort) == 1);
    // The user's own Connect or Disconnect is no reconnect after programming.
    Verification.Drop();
    ShowProgramVerification({});
    const bool hasSelection = ui->cbxDeviceComEnum->currentIndex() >= 0;
    const QString item = hasSelection ? ui->cbxDeviceComEnum->currentText() : QString();
    // While connected the probe fails on our own open port; it only guards opening.
    const TProbeResult probe = ProbeSelectedPort(item);
    if (!probe.Ok && Tag(ui->OpenPort) == 0) {
        QString text = QLatin1String(ProbeFailedText);
        const QString hint = ProbeFailureHint(probe);
        if (!hint.isEmpty())
            text += QLatin1Char('\n') + hint;
        Boxes.ask(text, QLatin1String(WarningCaption), QMessageBox::Ok);
        return;
    }
    if (ApplySelectedPort(hasSelection, item, *CommPort) == -1) {
        Boxes.ask(QLatin1String(NoPortNumberText), QLatin1String(WarningCaption), QMessageBox::Ok);
        return;
    }
    RunConnectionToggle();
}

void TForm1::RunConnectionToggle()
{
    LeaveNetworkConfigMode();
    ToggleConnection();
}

void TForm1::ToggleConnection()
{
    QString failure;
    const device::PortStep step = Session.ToggleStep(CommPort->IsOpen());
    if (step == device::PortStep::Close && CommPort->IsOpen())
        CommPort->Close();
    else if (step == device::PortStep::Open)
        failure = OpenCommPort();
    Session.ToggleFinished(step == device::PortStep::Open && failure.isEmpty(),
                           ConnectionPortNumber(ui->cbxDeviceComEnum->currentText()));
    const bool connected = Session.Connected();
    SetTag(ui->OpenPort, connected ? 1 : 0);
    ui->OpenPort->setChecked(connected);
    ResetConnectionState();
    SetChoiceBoxesEnabled(!connected);
    ShowConnectionStatusText();
    ShowOpenPortCaption();
    // Told once the window is back in Idle, so that nothing polls a port that is not open.
    if (!failure.isEmpty())
        Boxes.ask(failure, QLatin1String(WarningCaption), QMessageBox::Ok);
}

QString TForm1::OpenCommPort()
{
    try {
        CommPort->Open();
        // On a port that did not open this raises the component's "Port not open" failure.
        CommPort->SetRts(true);
        CommPort->SetDtr(true);
        return {};
    } catch (const std::runtime_error& error) {
        if (CommPort->IsOpen())
            CommPort->Close();
        QString message = QString::fromLocal8Bit(error.what());
        // The component's failure says only that the port is not open; the reason says why.
        if (const std::string& reason = CommPort->OpenFailureReason(); !reason.empty())
            message += QLatin1Char('\n') + QString::fromLocal8Bit(reason);
        return message;
    }
}

void TForm1::ResetConnectionState()
{
    SetChoiceBoxesEnabled(true);
    ui->PanelView->hide();
}

void TForm1::SetChoiceBoxesEnabled(bool enabled)
{
    for (QWidget* box :
         std::initializer_list<QWidget*>{ui->ComboBoxDeviceItem, ui->ComboBoxBaudRate, ui->cbxDeviceComEnum})
        box->setEnabled(enabled);
}

void TForm1::ApplySession(const device::SessionEffects& effects)
{
    using device::SessionAction;
    for (const SessionAction action : effects.Actions()) {
        switch (action) {
        case SessionAction::SendProductInfoQuery: SendProductInfoQuery(); break;
        case SessionAction::ConnectionToggle: RunConnectionToggle(); break;
        case SessionAction::ReportIdentifyTimeout:
            Boxes.ask(QLatin1String(IdentifyTimeoutText), QLatin1String(TApplication::Title),
                      QMessageBox::Ok);
            ui->cbxDeviceComEnum->showPopup(); // so that the user picks another port
            break;
        case SessionAction::ShowReadBackPages:
            ShowReadBackPages();
            ApplySession(Session.ReadBackFinished());
            break;
        case SessionAction::ShowIdentified: ShowIdentified(); break;
        case SessionAction::ShowBaudRatePage:
            ShowPage(ui->PageControlConf, ui->TabSheetBaudRate);
            OfferConfigurationReport();
            break;
        case SessionAction::ShowStatusRed:
        case SessionAction::ShowStatusBlack: {
            const QString colour =
                QLatin1String(action == SessionAction::ShowStatusRed ? "color: red;" : "color: black;");
            if (ui->LabelConnectionStatus->styleSheet() != colour)
                ui->LabelConnectionStatus->setStyleSheet(colour);
            break;
        }
        case SessionAction::ShowProgress:
            if (frmWaitingProgress)
                frmWaitingProgress->progressBar()->setValue(effects.progress);
            break;
        case SessionAction::LookForRestartedPort: LookForRestartedPort(); break;
        case SessionAction::SelectPortItem: ui->cbxDeviceComEnum->setCurrentIndex(effects.portItem); break;
        case SessionAction::HideProgress:
            if (frmWaitingProgress)
                frmWaitingProgress->hide();
            break;
        case SessionAction::RefreshPortList: RefreshPortList(); break;
        }
    }
}

void TForm1::AdvanceIdentification(const char* line)
{
    ApplySession(Session.LineReceived(line));
}

void TForm1::ShowIdentified()
{
    ShowConnectionStatusText();
    ShowPage(ui->PageControlConf, ui->TabSheetBaudRate);
    ui->PanelView->show();
    VerifyProgramming();
    // Once started the system check keeps running, also after the connection ends.
    if (!TimerUpdateSysChk.isActive())
        TimerUpdateSysChk.start();
}

void TForm1::Timer1Timer()
{
    ApplySession(Session.Timer1Tick());
}

void TForm1::ShowReadBackPages()
{
    // Each page is painted before the wait, so the user sees the pages go by.
    const auto showAndWait = [this](QWidget* page) {
        ShowPage(ui->PageControlConf, page);
        ui->PageControlConf->repaint();
        std::this_thread::sleep_for(ReadBackWait);
    };
    ShowPage(ui->PageControlConf, ui->TabSheetBaudRate);
    // The device answers the second query after the waits; its lines refresh the pages.
    SendProductInfoQuery();
    showAndWait(ui->TabSheetBaudRate);
    showAndWait(ui->TabSheetInternalGPS);
    if (DeviceInfo.NetworkModulePresent) {
        ShowPage(ui->PageControlConf, ui->TabSheetNetwork);
        HandlePageChange(true, false);
        showAndWait(ui->TabSheetNetwork);
    }
}

void TForm1::LabelConnectionStatusDblClick()
{
    ApplySession(Session.StatusDoubleClicked());
}

void TForm1::Timer2Timer()
{
    DeviceChangeStep();
    ApplySession(Session.Timer2Tick());
}

void TForm1::RestartStepTick()
{
    ApplySession(Session.RestartStepTick());
}

void TForm1::LookForRestartedPort()
{
    RefreshPortList();
    std::vector<std::string> items;
    for (int i = 0; i < Ports.PortCount() && i < ui->cbxDeviceComEnum->count(); ++i)
        items.push_back(ui->cbxDeviceComEnum->itemText(i).toStdString());
    ApplySession(Session.RestartPortSearched(device::FindPortItem(items, Session.PortNumber())));
}

void TForm1::SendProductInfoQuery()
{
    SendCommand(device::kProductInfoQuery);
}

void TForm1::SendCommand(std::string_view text)
{
    if (const auto sentence = device::CompleteCommand(text))
        WriteToDevice(sentence->data(), sentence->size());
}

bool TForm1::WriteToDevice(const char* bytes, std::size_t length)
{
    if (!CommPort->IsOpen())
        return false;
    TraceDeviceLine("tx", {bytes, length});
    return CommPort->Write(bytes, static_cast<int>(length)) > 0;
}
