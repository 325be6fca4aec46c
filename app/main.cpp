// Program entry: the command line, the application object, the three windows, the stored
// language, the event loop.
#include "about.h"
#include "application.h"
#include "exceptionguard.h"
#include "logging.h"
#include "mainform.h"
#include "messagebox.h"
#include "selfcheck.h"
#include "logreport/file_dialogs.h"
#include "logreport/record_replay.h"
#include "logreport/text_editor.h"
#include "netmodule/desktop_web_page.h"
#include "waitprogressform.h"

#include <QCommandLineParser>

#include <cstdio>
#include <cstdlib>

namespace {

// A log to replay once the window shows (--replay FILE [--speed N]).
struct ReplayRequest {
    QString path; // empty: none
    m47::logreport::ReplaySpeed speed = 1;
};

// --help and --version print and exit; --verbose turns on the diagnostic log; a speed that is
// not offered ends the program with status 2.
ReplayRequest ParseCommandLine(const TApplication& app, bool& selfCheck)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Configuration and diagnostics of the Veldra M47 AIS receiver.\n"
                       "The diagnostic log goes to standard error; QT_LOGGING_RULES selects its categories "
                       "(m47.serial, m47.ports, m47.device, m47.app)."));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption verbose(QStringLiteral("verbose"),
                                     QStringLiteral("Log port events and every line sent and received."));
    parser.addOption(verbose);
    const QCommandLineOption replay(QStringLiteral("replay"),
                                    QStringLiteral("Replay a saved log through the diagnostics pages."),
                                    QStringLiteral("FILE"));
    const QCommandLineOption speed(QStringLiteral("speed"),
                                   QStringLiteral("Replay speed: 1, 4, 16 or max (default 1)."),
                                   QStringLiteral("N"), QStringLiteral("1"));
    parser.addOption(replay);
    parser.addOption(speed);
    const QCommandLineOption check(QStringLiteral("self-check"),
                                   QStringLiteral("Show the window, print where its texts were found at the first "
                                                  "frame and exit (status 1 when a file is missing)."));
    parser.addOption(check);
    parser.process(app);
    selfCheck = parser.isSet(check);
    if (parser.isSet(verbose))
        EnableVerboseLogging();
    const auto chosen = m47::logreport::ParseSpeed(parser.value(speed).toStdString());
    if (!chosen) {
        std::fprintf(stderr, "%s: --speed takes 1, 4, 16 or max\n", qPrintable(app.applicationName()));
        std::exit(2);
    }
    return {parser.value(replay), *chosen};
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
    bool selfCheck = false;
    const ReplayRequest replay = ParseCommandLine(app, selfCheck);
    try {
        TForm1 form(boxes, ShellFolders::fromSystem(), webPage, fileDialogs, textEditor);
        // Owned by the main window, so that closing it ends the program.
        TfrmAbout about(&form);
        TfrmWaitingProgress progress(&form);
        form.setSecondaryWindows(&about, &progress);
        form.ApplyStoredLanguage();
        if (selfCheck)
            new TSelfCheck(form, about, ShellFolders::fromSystem().programFolder); // owned by the form
        form.show();
        if (!replay.path.isEmpty())
            form.StartReplay(replay.path, replay.speed);
        return app.exec();
    } catch (...) {
        // An exception during start-up is shown, then ends the program.
        showCurrentException(boxes);
        return 1;
    }
}
