// Program Device: the settings of the visible configuration page go to the device as one
// "$PDBG" sentence. The device's answer, a restart among it, comes through the receive path;
// the identification after the restart tells whether the device took the settings.
#include "mainform.h"

#include "device/command_sentences.h"
#include "ui_mainform.h"

#include <QLabel>

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
    const int nmeaItem = ui->cbxBaud_NMEA->currentIndex();
    SendProgramming(device::BaudRateCommand(rs232Item, nmeaItem), device::BaudRateSettings(rs232Item, nmeaItem));
}

void TForm1::spbInternalGPSClick()
{
    const bool enabled = ui->CheckBoxInternalGPSEnable->isChecked();
    const int modeItem = ui->ComboBoxGPSNavStatus->currentIndex();
    SendProgramming(device::InternalGpsCommand(enabled, modeItem), device::InternalGpsSettings(enabled, modeItem));
}

void TForm1::spbRestoreClick()
{
    const auto groups = device::RestoreSlots(ui->CheckBoxBaudRateRestore->isChecked(),
                                            ui->CheckBoxInternalGPSRestore->isChecked(),
                                            ui->CheckBoxNetworkRestore->isChecked());
    if (!device::RestoreCommand(groups))
        return; // nothing ticked: no question
    if (Boxes.ask(QStringLiteral("Are you sure to restore settings?"), QStringLiteral("WARNING"),
                  QMessageBox::Yes | QMessageBox::No) != QMessageBox::Yes)
        return;
    SendProgramming(device::RestoreCommand(groups), device::RestoreSettings(groups));
}

void TForm1::SendProgramming(const std::optional<std::string>& command,
                             const std::optional<device::DeviceSettings>& expected)
{
    if (!command || !expected)
        return;
    SendCommand(*command);
    Verification.Programmed(*expected);
    ShowProgramVerification({});
}

void TForm1::CreateProgramVerificationLabel()
{
    // Beside the status, in the top panel's style; the device's values are shown as plain text.
    LabelProgramVerification = new QLabel(ui->Panel1);
    LabelProgramVerification->setObjectName(QStringLiteral("LabelProgramVerification"));
    LabelProgramVerification->setGeometry(242, 61, 406, 16);
    LabelProgramVerification->setTextFormat(Qt::PlainText);
    LabelProgramVerification->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    QFont font(QStringLiteral("Arial"), 8);
    font.setBold(true);
    LabelProgramVerification->setFont(font);
}

void TForm1::ShowProgramVerification(const QString& text, bool differs)
{
    LabelProgramVerification->setText(text);
    LabelProgramVerification->setToolTip(text);
    LabelProgramVerification->setStyleSheet(QLatin1String(differs ? "color: red;" : "color: black;"));
}

void TForm1::VerifyProgramming()
{
    const auto differences = Verification.Identified(DeviceInfo);
    if (!differences)
        return;
    if (differences->empty()) {
        ShowProgramVerification(MessageTexts["Programmed_Verified"]);
        return;
    }
    // The setting names and values are the device's own words and stay English.
    ShowProgramVerification(MessageTexts["Programmed_Differs"] + QLatin1String(": ") +
                                QString::fromStdString(device::DescribeDifferences(*differences)),
                            true);
}
