#pragma once
// Every question or notice the program puts to the user goes through this one interface, so that
// handlers can be tested with scripted answers and never block on a dialog.
#include <QMessageBox>
#include <QString>

class MessageBoxes
{
public:
    using Button = QMessageBox::StandardButton;
    using Buttons = QMessageBox::StandardButtons;

    virtual ~MessageBoxes() = default;
    // Shows a modal message box and returns the button the user pressed.
    virtual Button ask(const QString& text, const QString& caption, Buttons buttons) = 0;
};

// The real thing: a modal QMessageBox over the active window. Texts are shown as plain text.
class QtMessageBoxes final : public MessageBoxes
{
public:
    Button ask(const QString& text, const QString& caption, Buttons buttons) override;
};
