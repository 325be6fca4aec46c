// Program entry: the command line, the application object, the three windows, the stored
// language, the event loop.
#include "about.h"
#include "application.h"
#include "exceptionguard.h"
#include "logging.h"
#include "mainform.h"
#include "messagebox.h"
#include "logreport/file_dialogs.h"
#include "logreport/text_editor.h"
#include "netmodule/desktop_web_page.h"
#include "waitprogressform.h"

#include <QCommandLineParser>

namespace {

// --help and --version print and exit; --verbose turns on the diagnostic log.
void ParseCommandLine(const TApplication& app)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Configuration and diagnostics of the Veldra M47 AIS receiver.\n"
                       "The diagnostic log goes to standard error; QT_LOGGING_RULES selects its categories "
                       "(m47.serial, m47.ports, m47.device, m47.app)."));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption verbose(QStringList{QStringLiteral("verbose"), QStringLiteral("v")},
                                     QStringLiteral("Log port events and every line sent and received."));
    parser.addOption(verbose);
    parser.process(app);
    if (parser.isSet(verbose))
        EnableVerboseLogging();
}

} // namespace

int main(int argc, char** argv)
{
    QtMessageBoxes boxes;
    m47::netmodule::DesktopWebPageOpener webPage;
    m47::logreport::QtFileDialogs fileDialogs;
    m47::logreport::DesktopTextEditor textEditor;
    TApplication app(argc, argv, boxes);
    TApplication::setApplicationVersion(QStringLiteral(M47_VERSION));
    ParseCommandLine(app);
    try {
        TForm1 form(boxes, ShellFolders::fromSystem(), webPage, fileDialogs, textEditor);
        // Owned by the main window, so that closing it ends the program.
        TfrmAbout about(&form);
        TfrmWaitingProgress progress(&form);
        form.setSecondaryWindows(&about, &progress);
        form.ApplyStoredLanguage();
        form.show();
        return app.exec();
    } catch (...) {
        // An exception during start-up is shown, then ends the program.
        showCurrentException(boxes);
        return 1;
    }
}
