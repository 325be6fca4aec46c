#pragma once
// Diagnostic logging of the window: "m47.app" for the shell (settings, languages), "m47.device"
// for the device connection, which at debug level traces every line sent to and received from
// the device with its UTC time - the trace a support technician asks a customer for.
#include <QLoggingCategory>

#include <string_view>

Q_DECLARE_LOGGING_CATEGORY(lcApp)
Q_DECLARE_LOGGING_CATEGORY(lcDevice)

// Traces one line of the device connection; `direction` is "rx" or "tx". Control bytes and bytes
// above 0x7E are written as \xHH so that the trace stays one line of plain text.
void TraceDeviceLine(const char* direction, std::string_view bytes);

// --verbose: every m47 category at debug level, unless QT_LOGGING_RULES says otherwise.
void EnableVerboseLogging();
