// Program entry: the application object, the three windows, the stored language, the event loop.
#include "about.h"
#include "application.h"
#include "exceptionguard.h"
#include "mainform.h"
#include "messagebox.h"
#include "waitprogressform.h"

int main(int argc, char** argv)
{
    QtMessageBoxes boxes;
    TApplication app(argc, argv, boxes);
    try {
        TForm1 form(boxes, ShellFolders::fromSystem());
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
