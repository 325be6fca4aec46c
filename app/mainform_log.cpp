// The DATA LOG page and the configuration report: the logging switch, clearing and saving the
// log, the raw command line, and the report offered at the end of the Read Device countdown.
// Device text and captions cross into files and the port as text of the language's code page.
#include "mainform.h"

#include "codepage.h"
#include "language.h"
#include "logreport/code_page_encode.h"
#include "logreport/console_sentence.h"
#include "logreport/data_log_view.h"
#include "logreport/log_report_saving.h"
#include "logreport/messages.h"
#include "logreport/report.h"
#include "nmea/ais_clock.h"
#include "tag.h"
#include "ui_mainform.h"
#include "utf8text.h"

#include <string>

namespace logreport = m47::logreport;

const char* TForm1::CodePage() const
{
    return (CurrentLanguage ? CurrentLanguage : languageByTag(0))->codePage;
}

std::string TForm1::Encoded(const QString& text) const
{
    const QByteArray bytes = logreport::encodeCodePage(text, CodePage());
    return {bytes.constData(), static_cast<std::size_t>(bytes.size())};
}

QString TForm1::Decoded(std::string_view bytes) const
{
    return decodeCodePage(QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())), CodePage());
}

bool TForm1::Ask(const logreport::Question& question)
{
    const bool okCancel = question.buttons == logreport::Question::Buttons::OkCancel;
    const auto answer =
        Boxes.ask(Utf8Text(question.text), Utf8Text(question.caption),
                  okCancel ? QMessageBox::Ok | QMessageBox::Cancel : QMessageBox::Yes | QMessageBox::No);
    return answer == QMessageBox::Ok || answer == QMessageBox::Yes;
}

void TForm1::ShowSaveFailure(const logreport::SaveResult& result)
{
    if (result.outcome == logreport::SaveResult::Outcome::Failed)
        Boxes.ask(result.error, QStringLiteral("error"), QMessageBox::Ok);
}

void TForm1::SetUpDataLog()
{
    // Decoded when shown, so the log follows the language chosen.
    ui->MemoDataLog->setDecoder([this](std::string_view bytes) { return Decoded(bytes); });
}

void TForm1::AppendToDataLog(std::string_view text)
{
    if (Tag(ui->spbtnEnableLog) == 1)
        ui->MemoDataLog->appendLine(text);
}

void TForm1::spbtnEnableLogClick()
{
    const logreport::LogSwitchState state = logreport::LogSwitchAfterClick(Tag(ui->spbtnEnableLog));
    SetTag(ui->spbtnEnableLog, state.tag);
    ui->spbtnEnableLog->setChecked(state.down);
    ui->spbtnEnableLog->setText(Utf8Text(state.caption));
}

void TForm1::btnClearLogClick()
{
    if (Ask(logreport::kClearLogQuestion))
        ui->MemoDataLog->clear();
}

void TForm1::btnSaveLogClick()
{
    ShowSaveFailure(
        logreport::saveDataLog(*ui->MemoDataLog, Dialogs, [this](const auto& q) { return Ask(q); }));
}

void TForm1::btnSendCommandClick()
{
    const std::string sentence = logreport::ConsoleSentence(Encoded(ui->LabeledEditCommandText->text()));
    if (!WriteToDevice(sentence.data(), sentence.size()))
        Boxes.ask(Utf8Text(logreport::kSendFailedNotice.text), Utf8Text(logreport::kSendFailedNotice.caption),
                  QMessageBox::Ok);
}

void TForm1::OfferConfigurationReport()
{
    if (!Ask(logreport::kSaveReportQuestion))
        return;
    logreport::ReportRecord record;
    logreport::TakeDeviceValues(record, DeviceInfo);
    const auto caption = [this](const QLabel* label) { return Encoded(label->text()); };
    const auto pageCaption = [this](QWidget* page) {
        return Encoded(ui->PageControlConf->tabText(ui->PageControlConf->indexOf(page)));
    };
    record.baudRatePage = pageCaption(ui->TabSheetBaudRate);
    record.internalGpsPage = pageCaption(ui->TabSheetInternalGPS);
    record.networkPage = pageCaption(ui->TabSheetNetwork);
    record.gpsEnableCaption = Encoded(ui->CheckBoxInternalGPSEnable->text());
    record.gpsEnableTicked = ui->CheckBoxInternalGPSEnable->isChecked();
    record.gpsModeCaption = caption(ui->LabelGPSNavStatus);
    for (int i = 0; i < 2; ++i)
        record.gpsModeItems[static_cast<std::size_t>(i)] = Encoded(ui->ComboBoxGPSNavStatus->itemText(i));
    record.gpsModeSelected = ui->ComboBoxGPSNavStatus->currentIndex();
    record.networkFirmwareTitle = caption(ui->LabelEthFirmwareVersionTitle);
    record.networkFirmware = caption(ui->LabelEthFirmwareVersion);
    record.networkAddressTitle = caption(ui->LabelEthIPTitle);
    record.networkAddress = caption(ui->LabelEthIP);
    const nmea::ClockReading clock = nmea::ReadLocalClock();
    record.date = nmea::PackDate(clock);
    record.time = nmea::PackTime(clock);

    const std::vector<std::string> items = logreport::ReportItems(record);
    ui->MemoRecord->setPlainText(Decoded(logreport::ReportFileText(items)));
    ShowSaveFailure(logreport::saveReport(
        items, Decoded(DeviceInfo.SerialNumber), Dialogs, [this](const auto& q) { return Ask(q); }, Editor));
}
