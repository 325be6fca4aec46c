// The NETWORK sub-page: the module's configuration mode, its firmware-version and address
// queries, the automatic leave, the link to the module's web page and the hidden maintenance
// controls. The rules are the network tab's; these handlers apply what its steps return.
#include "mainform.h"

#include "netmodule/network_texts.h"
#include "ui_mainform.h"

#include <QEvent>

#include <functional>
#include <string>

namespace netmodule = m47::netmodule;

namespace {

// Module texts are plain ASCII; anything else is shown byte for byte, never interpreted.
QString Text(std::string_view text)
{
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

// Runs `action` on a double-click into the watched widget.
class DoubleClickAction final : public QObject
{
public:
    DoubleClickAction(QObject* parent, std::function<void()> action)
        : QObject(parent), action_(std::move(action))
    {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::MouseButtonDblClick) {
            action_();
            return true;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void()> action_;
};

} // namespace

void TForm1::ConnectNetworkMemos()
{
    ui->MemoEthernetTx->viewport()->installEventFilter(
        new DoubleClickAction(ui->MemoEthernetTx, [this] { MemoEthernetTxDblClick(); }));
    ui->MemoEthernetRx->viewport()->installEventFilter(
        new DoubleClickAction(ui->MemoEthernetRx, [this] { MemoEthernetRxDblClick(); }));
}

void TForm1::ApplyNetworkTab(const netmodule::NetworkTabEffects& effects)
{
    for (const std::string& bytes : effects.writes)
        WriteToDevice(bytes.data(), bytes.size()); // a lost send is not reported
    for (const std::string& line : effects.txLines)
        ui->MemoEthernetTx->appendPlainText(Text(line));
    for (const std::string& line : effects.rxLines)
        ui->MemoEthernetRx->appendPlainText(Text(line));
    if (effects.firmwareVersion) {
        const QString version = Text(*effects.firmwareVersion);
        ui->LabelEthFirmwareVersion->setText(version);
        ui->LabelNetworkFirmwareVersoinData->setText(version);
    }
    if (effects.address)
        ui->LabelEthIP->setText(Text(*effects.address));
    if (effects.linkEnabled)
        ui->LabelEthernetSettingButton->setEnabled(*effects.linkEnabled);
}

void TForm1::ResetAtEngine()
{
    NetTab.ResetAtEngine();
}

void TForm1::ClearNetworkModuleInfo()
{
    NetTab.ClearNetworkModuleInfo();
}

bool TForm1::IsConfigMode() const
{
    return NetTab.IsConfigMode();
}

void TForm1::HandleAtReply(char* line)
{
    ApplyNetworkTab(NetTab.HandleAtReply(line));
}

void TForm1::TimerEthernetRoutineTimer()
{
    ApplyNetworkTab(NetTab.TimerEthernetRoutineTimer(Session.Connected()));
}

void TForm1::ButtonEnterEthConfigModeClick()
{
    ApplyNetworkTab(NetTab.ButtonEnterEthConfigModeClick());
}

void TForm1::ButtonExitEthConfigModeClick()
{
    ApplyNetworkTab(NetTab.ButtonExitEthConfigModeClick());
}

void TForm1::ButtonCMD1Click()
{
    NetTab.ButtonCMD1Click();
}

void TForm1::OpenModulePage(const netmodule::WebPageRequest& request)
{
    ApplyNetworkTab(request.effects);
    if (request.confirmOtherGroup &&
        Boxes.ask(Text(netmodule::kOtherGroupText), Text(netmodule::kOtherGroupCaption),
                  QMessageBox::Ok | QMessageBox::Cancel) != QMessageBox::Ok)
        return;
    WebPage.OpenWebPage(request.address);
}

void TForm1::ButtonCompareIPClick()
{
    OpenModulePage(NetTab.ButtonCompareIPClick());
}

void TForm1::LabelEthernetSettingButtonClick()
{
    if (const auto request = NetTab.LabelEthernetSettingButtonClick(IsDeviceReady()))
        OpenModulePage(*request);
}

void TForm1::LabelEthernetSettingButtonMouseActivate()
{
    NetTab.LabelEthernetSettingButtonMouseActivate();
    ui->LabelEthernetSettingButton->setToolTip(Text(netmodule::kLinkHint));
}

void TForm1::ButtonEthernetSendClick()
{
    const QByteArray text = ui->EditEthernetText->text().toLatin1();
    const std::string bytes =
        netmodule::RawModuleLine({text.constData(), static_cast<std::size_t>(text.size())});
    const bool sent = WriteToDevice(bytes.data(), bytes.size());
    ui->MemoEthernetTx->appendPlainText(QString::fromLatin1(text));
    if (!sent)
        Boxes.ask(Text(netmodule::kSendErrorText), Text(netmodule::kSendErrorCaption), QMessageBox::Ok);
}

void TForm1::MemoEthernetTxDblClick()
{
    ui->MemoEthernetTx->clear();
}

void TForm1::MemoEthernetRxDblClick()
{
    ui->MemoEthernetRx->clear();
}
