// The receive path: every byte the device sends arrives through CommRxChar, is assembled into
// lines and handed to the four line consumers in their fixed order.
#include "mainform.h"

#include "codepage.h"
#include "language.h"
#include "logging.h"
#include "tag.h"
#include "ui_mainform.h"

using m47::device::LineConsumer;

void TForm1::SetUpLineConsumers()
{
    RxLines.SetLogTap([this](std::string_view text) {
        TraceDeviceLine("rx", text);
        AppendToDataLog(text);
    });
    RxLines.SetConsumer(LineConsumer::GpsStatus, [this](char* line) { UpdateGpsStatus(line); });
    RxLines.SetConsumer(LineConsumer::Identification, [this](char* line) { AdvanceIdentification(line); });
    RxLines.SetConsumer(LineConsumer::Configuration, [this](char* line) { ParseConfigurationLine(line); });
    RxLines.SetConsumer(LineConsumer::AtReply, [this](char* line) { HandleAtReply(line); });
}

void TForm1::CommRxChar(QObject*, std::uint32_t Count)
{
    RxLines.Receive(Count, [this](char* buffer, int size) { return CommPort->Read(buffer, size); });
}

void TForm1::AppendToDataLog(std::string_view text)
{
    if (Tag(ui->spbtnEnableLog) != 1)
        return;
    // Device text is single-byte text in the code page of the current language.
    const char* codePage = CurrentLanguage ? CurrentLanguage->codePage : languageByTag(0)->codePage;
    ui->MemoDataLog->appendPlainText(
        decodeCodePage(QByteArray(text.data(), static_cast<qsizetype>(text.size())), codePage));
}
