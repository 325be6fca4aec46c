#include "application.h"

#include "exceptionguard.h"

#include <QPalette>

void applyLightPalette()
{
    // A light gray face with the text colours the toolkit derives from it (black on light).
    QPalette palette(QColor(0xF0, 0xF0, 0xF0));
    palette.setColor(QPalette::Base, Qt::white);
    palette.setColor(QPalette::AlternateBase, QColor(0xF5, 0xF5, 0xF5));
    palette.setColor(QPalette::Text, Qt::black);
    palette.setColor(QPalette::WindowText, Qt::black);
    palette.setColor(QPalette::ButtonText, Qt::black);
    palette.setColor(QPalette::Highlight, QColor(0x00, 0x78, 0xD7));
    palette.setColor(QPalette::HighlightedText, Qt::white);
    palette.setColor(QPalette::ToolTipBase, QColor(0xFF, 0xFF, 0xDC));
    palette.setColor(QPalette::ToolTipText, Qt::black);
    QApplication::setPalette(palette);
}

TApplication::TApplication(int& argc, char** argv, MessageBoxes& boxes)
    : QApplication(argc, argv), boxes_(boxes)
{
    // The title is the caption of the standard exception display.
    setApplicationName(QString::fromLatin1(Title));
    applyLightPalette();
}

bool TApplication::notify(QObject* receiver, QEvent* event)
{
    bool handled = false;
    runGuarded(boxes_, [&] { handled = QApplication::notify(receiver, event); });
    return handled;
}
