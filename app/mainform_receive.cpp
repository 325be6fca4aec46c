// The receive path: every byte the device sends arrives through CommRxChar, is assembled into
// lines and handed to the four line consumers in their fixed order.
#include "mainform.h"

#include "logging.h"

using m47::device::LineConsumer;

void TForm1::SetUpLineConsumers()
{
    RxLines.SetLogTap([this](std::string_view text) {
        TraceDeviceLine("rx", text);
        AppendToDataLog(text);
        RecordLine(text);
        CountLineEnded(text);
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
