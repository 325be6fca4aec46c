// The configuration read: the device's product-information lines set DeviceInfo and the BAUD
// RATE, INTERNAL GPS and NETWORK pages; the restart announcement starts the reconnect; Read
// Device starts the session's countdown to the BAUD RATE page.
#include "mainform.h"

#include "ui_mainform.h"
#include "waitprogressform.h"

#include <QProgressBar>

namespace device = m47::device;

void TForm1::ParseConfigurationLine(const char* line)
{
    const bool usbSelected = ui->ComboBoxDeviceItem->currentIndex() == 0;
    const device::ConfigurationUpdate update = device::ParseConfigurationLine(DeviceInfo, line, usbSelected);
    if (update.rs232BaudItem)
        ui->cbxBaud_RS232->setCurrentIndex(*update.rs232BaudItem);
    if (update.nmeaBaudItem)
        ui->cbxBaud_NMEA->setCurrentIndex(*update.nmeaBaudItem);
    if (update.networkModuleVisible)
        SetNetworkModuleVisible(*update.networkModuleVisible);
    if (update.gpsEnabled) {
        ui->CheckBoxInternalGPSEnable->setChecked(*update.gpsEnabled);
        SetGpsModeEnabled(*update.gpsEnabled);
    }
    if (update.gpsNavStatusItem)
        ui->ComboBoxGPSNavStatus->setCurrentIndex(*update.gpsNavStatusItem);
    // A restart in a replayed log is history: there is no port to close and reopen.
    if (update.restartAnnounced && !Replay)
        AnnounceRestart();
}

void TForm1::SetNetworkModuleVisible(bool visible)
{
    ui->PageControlConf->setTabVisible(ui->PageControlConf->indexOf(ui->TabSheetNetwork), visible);
    ui->ImageNetworkFirmwareVersion->setVisible(visible);
    ui->LabelNetworkFirmwareVersionCaption->setVisible(visible);
    ui->LabelNetworkFirmwareVersoinData->setVisible(visible);
}

void TForm1::SetGpsModeEnabled(bool enabled)
{
    ui->LabelGPSNavStatus->setEnabled(enabled);
    ui->ComboBoxGPSNavStatus->setEnabled(enabled);
}

void TForm1::CheckBoxInternalGPSEnableClick()
{
    SetGpsModeEnabled(ui->CheckBoxInternalGPSEnable->isChecked());
}

void TForm1::AnnounceRestart()
{
    // RestartStepTick closes the port on the next system check tick and reopens it later.
    Session.RestartAnnounced();
    if (!frmWaitingProgress)
        return;
    frmWaitingProgress->progressBar()->setMaximum(device::kRestartSteps);
    frmWaitingProgress->progressBar()->setValue(0);
    frmWaitingProgress->show();
}

void TForm1::spbDbgTestCmdClick()
{
    // Read Device sends nothing: the pages show what identification read back.
    Session.ReadDeviceRequested();
}
