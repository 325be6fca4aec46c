#include "logging.h"

#include <QDateTime>
#include <QString>

Q_LOGGING_CATEGORY(lcApp, "m47.app", QtWarningMsg)
Q_LOGGING_CATEGORY(lcDevice, "m47.device", QtWarningMsg)

void TraceDeviceLine(const char* direction, std::string_view bytes)
{
    if (!lcDevice().isDebugEnabled())
        return;
    QString text;
    text.reserve(static_cast<qsizetype>(bytes.size()));
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x20 && byte < 0x7F && byte != '\\')
            text += QLatin1Char(c);
        else
            text += QStringLiteral("\\x%1").arg(byte, 2, 16, QLatin1Char('0'));
    }
    qCDebug(lcDevice).noquote() << QDateTime::currentDateTimeUtc().toString(Qt::ISODateWithMs) << direction
                                << text;
}

void EnableVerboseLogging()
{
    if (qEnvironmentVariableIsEmpty("QT_LOGGING_RULES"))
        QLoggingCategory::setFilterRules(QStringLiteral("m47.*.debug=true"));
}
