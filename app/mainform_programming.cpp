// Program Device: the settings of the visible configuration page go to the device as one
// "$PDBG" sentence. The device's answer, a restart among it, comes through the receive path.
#include "mainform.h"

#include "device/command_sentences.h"
#include "ui_mainform.h"

namespace device = m47::device;

void TForm1::SpeedButtonSettingClick()
{
    // The NETWORK page has commands of its own.
    const struct {
        QWidget* page;
        void (TForm1::*program)();
    } byPage[] = {
        {ui->TabSheetBaudRate, &TForm1::spbBaudRateClick},
        {ui->TabSheetInternalGPS, &TForm1::spbInternalGPSClick},
        {ui->TabSheetRestore, &TForm1::spbRestoreClick},
    };
    for (const auto& entry : byPage)
        if (ui->PageControlConf->currentWidget() == entry.page)
            (this->*entry.program)();
}

void TForm1::spbBaudRateClick()
{
    const int rs232Item = ui->cbxBaud_RS232->currentIndex();
    if (const auto command = device::BaudRateCommand(rs232Item, ui->cbxBaud_NMEA->currentIndex()))
        SendCommand(*command);
}

void TForm1::spbInternalGPSClick()
{
    if (const auto command = device::InternalGpsCommand(ui->CheckBoxInternalGPSEnable->isChecked(),
                                                        ui->ComboBoxGPSNavStatus->currentIndex()))
        SendCommand(*command);
}

void TForm1::spbRestoreClick()
{
    const auto command = device::RestoreCommand(device::RestoreSlots(
        ui->CheckBoxBaudRateRestore->isChecked(), ui->CheckBoxInternalGPSRestore->isChecked(),
        ui->CheckBoxNetworkRestore->isChecked()));
    if (!command)
        return; // nothing ticked: no question
    if (Boxes.ask(QStringLiteral("Are you sure to restore settings?"), QStringLiteral("WARNING"),
                  QMessageBox::Yes | QMessageBox::No) != QMessageBox::Yes)
        return;
    SendCommand(*command);
}
