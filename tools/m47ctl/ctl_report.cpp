#include "ctl_report.h"

#include "device/command_sentences.h"

#include <QJsonDocument>
#include <QJsonParseError>

#include <cstring>

namespace m47::ctl {

namespace {

constexpr int kProfileFormat = 1;

// A fixed-size device text, each byte one character; a missing NUL ends it at the field's end.
template <std::size_t N>
QString DeviceText(const char (&field)[N])
{
    return QString::fromLatin1(field, static_cast<qsizetype>(strnlen(field, N)));
}

QString Printable(const QString& text)
{
    QString shown;
    for (const QChar c : text) {
        if (c.unicode() >= 0x20 && c.unicode() < 0x7F && c != QLatin1Char('\\'))
            shown += c;
        else
            shown += QStringLiteral("\\x%1").arg(c.unicode(), 2, 16, QLatin1Char('0'));
    }
    return shown;
}

void AppendHuman(QString& text, const QString& prefix, const QJsonValue& value)
{
    if (value.isObject()) {
        const QJsonObject object = value.toObject();
        for (auto it = object.begin(); it != object.end(); ++it)
            AppendHuman(text, prefix.isEmpty() ? it.key() : prefix + QLatin1Char('.') + it.key(), it.value());
    } else if (value.isArray()) {
        for (const QJsonValue& element : value.toArray())
            AppendHuman(text, prefix, element);
    } else {
        const QString shown = value.isString() ? Printable(value.toString())
                              : value.isBool() ? QLatin1String(value.toBool() ? "yes" : "no")
                                               : QString::number(value.toInteger());
        text += prefix + QLatin1String(": ") + shown + QLatin1Char('\n');
    }
}

QString OnOff(bool on)
{
    return QLatin1String(on ? "on" : "off");
}

QString SeaHigh(bool atSea)
{
    return QLatin1String(atSea ? "sea" : "high");
}

// A member that must be one of two words.
std::optional<bool> Choice(const QJsonObject& profile, const char* key, const char* set, const char* clear)
{
    const QString value = profile.value(QLatin1String(key)).toString();
    if (value == QLatin1String(set) || value == QLatin1String(clear))
        return value == QLatin1String(set);
    return std::nullopt;
}

// A member that must be a rate the port can take.
std::optional<int> Rate(const QJsonObject& profile, const char* key, int (*itemOfRate)(int))
{
    const QJsonValue value = profile.value(QLatin1String(key));
    if (!value.isDouble() || value.toDouble() != value.toInt(-1) || itemOfRate(value.toInt()) < 0)
        return std::nullopt;
    return value.toInt();
}

} // namespace

QJsonObject ProductInfoJson(const QString& port, const device::DeviceInfo& info)
{
    const device::DeviceSettings settings = device::ReportedSettings(info);
    return QJsonObject{
        {QStringLiteral("port"), port},
        {QStringLiteral("firmware"), DeviceText(info.FirmwareVersion)},
        {QStringLiteral("serial_number"), DeviceText(info.SerialNumber)},
        {QStringLiteral("rs232_baud"), info.Rs232BaudRate},
        {QStringLiteral("nmea_baud"), info.NmeaBaudRate},
        {QStringLiteral("gps"), OnOff(*settings.gpsEnabled)},
        {QStringLiteral("gps_mode"), SeaHigh(*settings.gpsAtSeaLevel)},
        {QStringLiteral("network_module"), info.NetworkModulePresent != 0},
    };
}

QJsonObject ModuleJson(const netmodule::NetworkModuleInfo& module)
{
    // The answer keeps the line end it came with.
    return QJsonObject{
        {QStringLiteral("version"), DeviceText(module.ModuleVersionText).trimmed()},
        {QStringLiteral("address"), QString::fromStdString(netmodule::DottedAddress(module.ModuleAddress.data()))},
    };
}

QJsonArray DifferencesJson(const std::vector<device::SettingDifference>& differences)
{
    QJsonArray array;
    for (const device::SettingDifference& d : differences)
        array.append(QJsonObject{
            {QStringLiteral("setting"), QString::fromUtf8(d.setting.data(), static_cast<qsizetype>(d.setting.size()))},
            {QStringLiteral("programmed"), QString::fromStdString(d.programmed)},
            {QStringLiteral("reported"), QString::fromStdString(d.reported)},
        });
    return array;
}

QJsonArray PortsJson(const std::vector<ListedPort>& ports)
{
    QJsonArray array;
    for (const ListedPort& port : ports)
        array.append(QJsonObject{
            {QStringLiteral("com"), port.com},
            {QStringLiteral("name"), port.name},
            {QStringLiteral("path"), port.path},
        });
    return array;
}

QString HumanText(const QJsonObject& object)
{
    QString text;
    AppendHuman(text, {}, object);
    return text;
}

QByteArray ProfileText(const device::DeviceSettings& settings)
{
    const QJsonObject profile{
        {QStringLiteral("m47_profile"), kProfileFormat},
        {QStringLiteral("rs232_baud"), settings.rs232BaudRate.value_or(0)},
        {QStringLiteral("nmea_baud"), settings.nmeaBaudRate.value_or(0)},
        {QStringLiteral("gps"), OnOff(settings.gpsEnabled.value_or(true))},
        {QStringLiteral("gps_mode"), SeaHigh(settings.gpsAtSeaLevel.value_or(true))},
    };
    return QJsonDocument(profile).toJson(QJsonDocument::Indented);
}

std::optional<device::DeviceSettings> ReadProfile(const QByteArray& text, QString& error)
{
    QJsonParseError parse;
    const QJsonDocument document = QJsonDocument::fromJson(text, &parse);
    if (!document.isObject()) {
        error = parse.error == QJsonParseError::NoError ? QStringLiteral("not a JSON object") : parse.errorString();
        return std::nullopt;
    }
    const QJsonObject profile = document.object();
    if (profile.value(QLatin1String("m47_profile")).toInt() != kProfileFormat) {
        error = QStringLiteral("not an M47 profile (\"m47_profile\": %1 missing)").arg(kProfileFormat);
        return std::nullopt;
    }
    device::DeviceSettings settings{Rate(profile, "rs232_baud", device::Rs232ItemOfRate),
                                    Rate(profile, "nmea_baud", device::NmeaItemOfRate),
                                    Choice(profile, "gps", "on", "off"), Choice(profile, "gps_mode", "sea", "high")};
    if (!settings.rs232BaudRate || !settings.nmeaBaudRate || !settings.gpsEnabled || !settings.gpsAtSeaLevel) {
        error = QStringLiteral("needs rs232_baud, nmea_baud (rates the ports take), gps (on|off), gps_mode (sea|high)");
        return std::nullopt;
    }
    return settings;
}

} // namespace m47::ctl
