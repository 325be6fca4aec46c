#include "exceptionguard.h"

#include <QCoreApplication>

void showCurrentException(MessageBoxes& boxes)
{
    QString text; // an exception of no known class is shown with an empty message
    try {
        throw;
    } catch (const std::exception& e) {
        text = QString::fromLocal8Bit(e.what());
    } catch (...) {
    }
    boxes.ask(text, QCoreApplication::applicationName(), QMessageBox::Ok);
}
