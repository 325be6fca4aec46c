#pragma once
// The application object: catches exceptions that escape an event handler at the dispatch
// boundary, shows them and lets the program continue.
#include "messagebox.h"

#include <QApplication>

class TApplication final : public QApplication
{
public:
    static constexpr const char* Title = "Veldra M47 Configurator";

    TApplication(int& argc, char** argv, MessageBoxes& boxes);

    bool notify(QObject* receiver, QEvent* event) override;

private:
    MessageBoxes& boxes_;
};
