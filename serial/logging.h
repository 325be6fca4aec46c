#pragma once
// Diagnostic logging of the serial side: "m47.serial" for the port component and its event
// thread, "m47.ports" for discovery, probing and the device watcher. Quiet unless a system call
// fails; --verbose or QT_LOGGING_RULES turn on the debug messages.
#include <QLoggingCategory>
#include <QString>

Q_DECLARE_LOGGING_CATEGORY(lcSerial)
Q_DECLARE_LOGGING_CATEGORY(lcPorts)

// Logs a failing system call: the call, the device path and the text of `error` (an errno).
void LogCallFailure(const QLoggingCategory& category, const char* call, const QString& path, int error);
