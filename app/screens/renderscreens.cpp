// Renders the windows to PNG files for review: the main window as it starts, every page with the
// device panel forced visible, the About window and the progress window.
// Usage: m47_render_screens OUTPUT_FOLDER   (run with QT_QPA_PLATFORM=offscreen)
#include "app/about.h"
#include "app/mainform.h"
#include "app/scriptedmessagebox.h"
#include "app/waitprogressform.h"
#include "netmodule/recording_web_page.h"

#include <QApplication>
#include <QDir>
#include <QTabWidget>
#include <QTemporaryDir>
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

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT_FOLDER\n", argv[0]);
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(folder);

    QTemporaryDir documents; // keep the user's own settings file out of it
    ScriptedMessageBoxes boxes;
    ShellFolders folders = ShellFolders::fromSystem();
    folders.documentsFolder = documents.path();

    m47::netmodule::RecordingWebPageOpener webPage;
    TForm1 form(boxes, folders, webPage);
    TfrmAbout about(&form);
    TfrmWaitingProgress progress(&form);
    form.setSecondaryWindows(&about, &progress);
    form.ApplyStoredLanguage();
    form.show();
    bool ok = save(&form, folder, "main-start");

    form.findChild<QWidget*>(QStringLiteral("PanelView"))->show();
    auto* mainPages = form.findChild<QTabWidget*>(QStringLiteral("PageControlMain"));
    struct Page
    {
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
    };
    for (const Page& p : pages) {
        auto* subPages = form.findChild<QTabWidget*>(QLatin1String(p.subPages));
        QWidget* page = form.findChild<QWidget*>(QLatin1String(p.page));
        mainPages->setCurrentWidget(subPages->parentWidget()->parentWidget());
        subPages->setCurrentWidget(page);
        ok = save(&form, folder, p.file) && ok;
    }

    about.show();
    ok = save(&about, folder, "about") && ok;
    progress.show();
    ok = save(&progress, folder, "progress") && ok;
    return ok ? 0 : 1;
}
