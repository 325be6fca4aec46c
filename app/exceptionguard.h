#pragma once
// The program's standard exception display: an exception that escapes a handler is shown to the
// user in a message box with the application's title as caption.
#include "messagebox.h"

#include <exception>
#include <utility>

// Shows the exception currently being handled; call only from inside a catch block.
void showCurrentException(MessageBoxes& boxes);

// Runs work and shows any exception it throws. Returns true when work ran to its end.
template <typename Work>
bool runGuarded(MessageBoxes& boxes, Work&& work)
{
    try {
        std::forward<Work>(work)();
        return true;
    } catch (...) {
        showCurrentException(boxes);
        return false;
    }
}
