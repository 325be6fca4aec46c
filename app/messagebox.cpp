#include "messagebox.h"

#include <QApplication>

MessageBoxes::Button QtMessageBoxes::ask(const QString& text, const QString& caption, Buttons buttons)
{
    QMessageBox box(QApplication::activeWindow());
    box.setWindowTitle(caption);
    box.setTextFormat(Qt::PlainText);
    box.setText(text);
    box.setStandardButtons(buttons);
    box.setIcon(buttons.testFlag(QMessageBox::Cancel) || buttons.testFlag(QMessageBox::No)
                    ? QMessageBox::Question
                    : QMessageBox::Information);
    const int pressed = box.exec();
    return static_cast<Button>(pressed);
}
