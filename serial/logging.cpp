#include "logging.h"

#include <cstring>

Q_LOGGING_CATEGORY(lcSerial, "m47.serial", QtWarningMsg)
Q_LOGGING_CATEGORY(lcPorts, "m47.ports", QtWarningMsg)

void LogCallFailure(const QLoggingCategory& category, const char* call, const QString& path, int error)
{
    // strerror's buffer is shared; the text is copied into the message at once.
    qCWarning(category).noquote() << call << "on" << path << "failed:" << std::strerror(error);
}
