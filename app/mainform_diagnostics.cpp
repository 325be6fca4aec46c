// The diagnostics pages: every received line through the GPS STATUS page's panel into its boxes,
// sky map and signal chart, and the SYSTEM CHECK page's once-a-second refresh and its Refresh
// button. The rules are the diagnostics library's; the handlers only apply what it returns.
#include "mainform.h"

#include "artpixmap.h"
#include "codepage.h"
#include "diagnostics/paint_satellite_chart.h"
#include "diagnostics/signal_strength_chart.h"
#include "language.h"
#include "ui_mainform.h"
#include "utf8text.h"

#include <chrono>
#include <new>
#include <thread>

namespace diagnostics = m47::diagnostics;

namespace {

constexpr const char* FailToNewCaption = "Fail To New";

// Refresh's wait: the window thread sleeps, so no window message, timer tick or received byte is
// handled meanwhile; bytes wait in the serial component.
constexpr std::chrono::milliseconds RefreshWait{1000};

} // namespace

void TForm1::InitAisDecoding()
{
    Library = std::make_unique<nmea::SentenceLibrary>();
    GpsPanel = std::make_unique<diagnostics::GpsStatusPanel>(*Library);
}

void TForm1::ClearSatelliteEpoch()
{
    // Before the decoding state exists there is no epoch to clear.
    if (GpsPanel)
        GpsPanel->ClearSatelliteEpoch();
}

void TForm1::UpdateGpsStatus(char* line)
{
    const diagnostics::GpsStatusUpdate u = GpsPanel->UpdateGpsStatus(line);
    CountReceivedLine(line, u.accepted);
    if (u.utc) {
        ui->lblEdtGpsUtcDate->setText(Utf8Text(u.utc->date));
        ui->lblEdtGpsUtcTime->setText(Utf8Text(u.utc->time));
    }
    if (u.fix) {
        ui->lblEdtGpsFixMode->setText(Utf8Text(u.fix->fixMode));
        ui->lblEdtHdop->setText(Utf8Text(u.fix->hdop));
    }
    if (u.position) {
        ui->lblEdtGpsLat->setText(Utf8Text(u.position->latitude));
        ui->lblEdtGpsLon->setText(Utf8Text(u.position->longitude));
        ui->lblEdtGpsSOG->setText(Utf8Text(u.position->sog));
        ui->lblEdtGpsCOG->setText(Utf8Text(u.position->cog));
    }
    if (u.satelliteCounts) {
        ui->lblEdtGpsNoSV_InView->setText(Utf8Text(u.satelliteCounts->inView));
        ui->lblEdtGpsNoSV_InUse->setText(Utf8Text(u.satelliteCounts->inUse));
    }
    if (u.epochFlushed) {
        if (SkyMap)
            SkyMap->ShowMarkers(GpsPanel->Markers());
        if (SignalChart)
            SignalChart->SetBars(GpsPanel->Chart());
    }
}

void TForm1::CreateSatelliteViews()
{
    const auto failToNew = [this](const char* what) {
        Boxes.ask(QLatin1String(what), QLatin1String(FailToNewCaption), QMessageBox::Ok);
    };
    // The panel's children are drawn through an off-screen buffer (Qt's default), so the
    // markers move over the map without flicker.
    try {
        SkyMap = new TPaintSatelliteChart(ui->PanelSatelliteMap);
    } catch (const std::bad_alloc&) {
        SkyMap = nullptr;
        failToNew("PaintSatelliteChart");
        return;
    }
    SkyMap->setObjectName(QStringLiteral("SkyMap"));
    SkyMap->CreateMarkers([&failToNew] { failToNew("PaintSatelliteSeries"); });
    const QPixmap earth = artPixmap(QLatin1String(ImageListGpsStatusEarth[0]));
    ui->ImageGpsMap->setPixmap(earth);
    SkyMap->SetPicture(earth);
    SkyMap->show();

    SignalChart = new TSignalStrengthChart(ui->Chart1);
    SignalChart->setObjectName(QStringLiteral("SignalChart"));
    // The chart draws its captions itself, in the page's language.
    SignalChart->SetCaptions(ui->Label10->text(), ui->lblSatelliteID->text());
    ui->Label10->hide();
    ui->lblSatelliteID->hide();
    SignalChart->show();
}

void TForm1::SetCheckImage(QLabel* image, int index)
{
    image->setPixmap(artPixmap(QLatin1String(ImageListSysChk[static_cast<std::size_t>(index)])));
}

void TForm1::RefreshCheckImages()
{
    const diagnostics::SystemCheckRows rows =
        diagnostics::ShowSystemCheck(DeviceInfo, GpsPanel->PositionValid(), GpsPanel->RxCounts());
    SetCheckImage(ui->ImageChkFwVer, rows.firmwareImage);
    SetCheckImage(ui->ImageChkProdSN, rows.serialNumberImage);
    SetCheckImage(ui->ImageChkRx, rows.rxImage);
    SetCheckImage(ui->ImageNetworkFirmwareVersion, rows.networkImage);
    SetCheckImage(ui->ImageChkGps, rows.gpsImage);
}

void TForm1::TimerUpdateSysChkTimer()
{
    const diagnostics::SystemCheckRows rows =
        diagnostics::ShowSystemCheck(DeviceInfo, GpsPanel->PositionValid(), GpsPanel->RxCounts());
    // Device texts are single-byte text in the code page of the current language.
    const char* codePage = CurrentLanguage ? CurrentLanguage->codePage : languageByTag(0)->codePage;
    const auto show = [codePage](QLabel* label, const std::string& text) {
        label->setTextFormat(Qt::PlainText);
        label->setText(
            decodeCodePage(QByteArray(text.data(), static_cast<qsizetype>(text.size())), codePage));
    };
    show(ui->lblValFwVer, rows.firmwareVersion);
    show(ui->lblValProdSN, rows.serialNumber);
    show(ui->lblValGps, rows.gps);
    show(ui->LabelNetworkFirmwareVersoinData, rows.networkFirmwareVersion);
    show(ui->lblValRxCntA, rows.rxCountA);
    show(ui->lblValRxCntB, rows.rxCountB);
    RefreshCheckImages();
    RestartStepTick(); // the last step of every tick, after the system check's refresh
}

void TForm1::SpeedButtonClearCheckClick()
{
    ui->SpeedButtonClearCheck->setEnabled(false);
    diagnostics::ClearSystemCheck(GpsPanel->RxCounts(), DeviceInfo);
    // Shows the dashes at once; like a timer tick it also steps a running restart sequence.
    TimerUpdateSysChkTimer();
    ui->SpeedButtonClearCheck->repaint();
    std::this_thread::sleep_for(RefreshWait);
    ShowReadBackPages();
    ui->SpeedButtonClearCheck->setEnabled(true);
}
