#pragma once
// The application object: catches exceptions that escape an event handler at the dispatch
// boundary, shows them and lets the program continue.
#include "messagebox.h"

#include <QApplication>

// Gives the program the light palette its layout's fixed panel colours are chosen for, in place
// of the desktop's, so that a dark desktop palette puts no light text on the light panels (the
// style sheets of those panels take their text colours from the program's palette). Kept when
// the desktop's theme changes later.
void applyLightPalette();

class TApplication final : public QApplication
{
public:
    static constexpr const char* Title = "Veldra M47 Configurator";

    TApplication(int& argc, char** argv, MessageBoxes& boxes);

    bool notify(QObject* receiver, QEvent* event) override;

private:
    MessageBoxes& boxes_;
};
