// Renders the windows to PNG files for review: the main window as it starts, every page with the
// device panel forced visible, the About window and the progress window; with captures given,
// also the GPS STATUS page fed from them and a filled SYSTEM CHECK page.
// Usage: m47_render_screens OUTPUT_FOLDER [CAPTURE...]   (run with QT_QPA_PLATFORM=offscreen)
#include "app/about.h"
#include "app/application.h"
#include "app/mainform.h"
#include "app/waitprogressform.h"
#include "device/command_sentences.h"
#include "window_feed.h"

#include "ais_traffic.h"

#include <QApplication>
#include <QPalette>
#include <QDir>
#include <QFile>
#include <QTabWidget>
#include <cstdio>

namespace {

bool save(QWidget* window, const QString& folder, const char* name)
{
    QApplication::processEvents();
    const QString path = folder + QLatin1Char('/') + QLatin1String(name) + QStringLiteral(".png");
    if (!window->grab().save(path)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return false;
    }
    std::printf("%s\n", qPrintable(path));
    return true;
}

// The receiver's product information and then the captures, in the order given, through the
// window's receive path; the system check refreshes once, as its timer would.
bool feedDevice(TForm1& form, char** captures, int count)
{
    TForm1TestAccess window(form);
    for (const char* key : {"FIRMWARE=M47 V1.05.12", "SERIAL NO.=M47A2612000047", "ETH_MODULE=ON"})
        window.Receive(
            m47::device::CompleteCommand(std::string("$PCVN,R,TXT,") + key).value_or(std::string()));
    for (int i = 0; i < count; ++i) {
        QFile capture(QString::fromLocal8Bit(captures[i]));
        if (!capture.open(QIODevice::ReadOnly)) {
            std::fprintf(stderr, "cannot read %s\n", captures[i]);
            return false;
        }
        window.Receive(capture.readAll().toStdString());
    }
    window.SysChkTick();
    return true;
}

// Two minutes of the virtual device's AIS traffic with the sector from 200 degrees left unheard,
// and now and then a line with a wrong checksum, through the window's receive path.
void feedTraffic(TForm1& form)
{
    TForm1TestAccess window(form);
    const m47sim::VesselMotion own{25.0415, 121.7622, 12.3, 84.0, 0.0};
    m47sim::AisTraffic traffic(own, 416000047, 200.0);
    for (long second = 0; second < 120; ++second) {
        for (std::string line : traffic.Second(second, own, static_cast<int>(second % 60), true)) {
            if (second % 17 == 5 && line.size() > 5)
                line[line.size() - 3] = line[line.size() - 3] == '0' ? '1' : '0';
            window.Receive(line);
        }
        traffic.Advance(1.0);
    }
    window.ReceptionTick();
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    // M47_SCREENS_DARK_DESKTOP=1 stands for a desktop with a dark palette (light text on dark).
    if (qEnvironmentVariableIsSet("M47_SCREENS_DARK_DESKTOP")) {
        QPalette dark(QColor(0x35, 0x35, 0x35));
        dark.setColor(QPalette::Base, QColor(0x20, 0x20, 0x20));
        dark.setColor(QPalette::Text, Qt::white);
        dark.setColor(QPalette::WindowText, Qt::white);
        dark.setColor(QPalette::ButtonText, Qt::white);
        QApplication::setPalette(dark);
    }
    // Then the program's own, as TApplication sets it.
    applyLightPalette();
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s OUTPUT_FOLDER [CAPTURE...]\n", argv[0]);
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(folder);

    StandaloneWindow window;
    TForm1& form = window.form;
    TfrmAbout about(&form);
    TfrmWaitingProgress progress(&form);
    form.setSecondaryWindows(&about, &progress);
    form.ApplyStoredLanguage();
    form.show();
    bool ok = save(&form, folder, "main-start");

    form.findChild<QWidget*>(QStringLiteral("PanelView"))->show();
    struct Page {
        const char* subPages;
        const char* page;
        const char* file;
    };
    const Page pages[] = {
        {"PageControlConf", "TabSheetBaudRate", "config-baudrate"},
        {"PageControlConf", "TabSheetInternalGPS", "config-internalgps"},
        {"PageControlConf", "TabSheetNetwork", "config-network"},
        {"PageControlConf", "TabSheetRestore", "config-restore"},
        {"PageControlDiagnosis", "TabSheetSystemCheck", "diagnostics-systemcheck"},
        {"PageControlDiagnosis", "TabSheetGpsStatus", "diagnostics-gpsstatus"},
        {"PageControlDiagnosis", "TabSheetDataLog", "diagnostics-datalog"},
        {"PageControlDiagnosis", "TabSheetReception", "diagnostics-reception"},
    };
    const auto render = [&](TForm1& shown, const Page& p) {
        auto* subPages = shown.findChild<QTabWidget*>(QLatin1String(p.subPages));
        QWidget* page = shown.findChild<QWidget*>(QLatin1String(p.page));
        shown.findChild<QTabWidget*>(QStringLiteral("PageControlMain"))
            ->setCurrentWidget(subPages->parentWidget()->parentWidget());
        subPages->setCurrentWidget(page);
        return save(&shown, folder, p.file);
    };
    for (const Page& p : pages)
        ok = render(form, p) && ok;

    if (argc > 2) {
        ok = feedDevice(form, argv + 2, argc - 2) && ok;
        const Page fed[] = {
            {"PageControlDiagnosis", "TabSheetSystemCheck", "diagnostics-systemcheck-filled"},
            {"PageControlDiagnosis", "TabSheetGpsStatus", "diagnostics-gpsstatus-capture"},
        };
        for (const Page& p : fed)
            ok = render(form, p) && ok;
    }
    // The virtual device's traffic in a window of its own, so no capture's targets join its picture.
    StandaloneWindow trafficWindow;
    trafficWindow.form.ApplyStoredLanguage();
    trafficWindow.form.show();
    trafficWindow.form.findChild<QWidget*>(QStringLiteral("PanelView"))->show();
    feedTraffic(trafficWindow.form);
    ok = render(trafficWindow.form,
                {"PageControlDiagnosis", "TabSheetReception", "diagnostics-reception-sim"}) &&
         ok;
    trafficWindow.form.hide();

    about.show();
    ok = save(&about, folder, "about") && ok;
    progress.show();
    ok = save(&progress, folder, "progress") && ok;
    return ok ? 0 : 1;
}
