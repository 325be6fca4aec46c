#include "application.h"

#include "exceptionguard.h"

TApplication::TApplication(int& argc, char** argv, MessageBoxes& boxes)
    : QApplication(argc, argv), boxes_(boxes)
{
    // The title is the caption of the standard exception display.
    setApplicationName(QString::fromLatin1(Title));
}

bool TApplication::notify(QObject* receiver, QEvent* event)
{
    bool handled = false;
    runGuarded(boxes_, [&] { handled = QApplication::notify(receiver, event); });
    return handled;
}
