#pragma once
// What m47ctl prints and keeps: the product information, the network module's values, the port
// list and the verification, as JSON objects or as "name: value" lines for a person; and the
// profile file of the programmable settings.
//
//   {"port":"COM200","firmware":"M47 V1.05.12","serial_number":"M47A2612000047",
//    "rs232_baud":38400,"nmea_baud":38400,"gps":"on","gps_mode":"sea","network_module":true}
//   profile: {"m47_profile":1,"rs232_baud":38400,"nmea_baud":4800,"gps":"on","gps_mode":"sea"}
//
// Device texts are untrusted: JSON escapes them, the human form shows control and non-ASCII
// bytes as \xHH.
#include "device/device_info.h"
#include "device/program_verification.h"
#include "netmodule/module_info.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QString>

#include <optional>
#include <vector>

namespace m47::ctl {

QJsonObject ProductInfoJson(const QString& port, const device::DeviceInfo& info);
QJsonObject ModuleJson(const netmodule::NetworkModuleInfo& module);
QJsonArray DifferencesJson(const std::vector<device::SettingDifference>& differences);

// {"com":200,"name":"Veldra M47 Simulator (COM200)","path":"/dev/pts/5"}
struct ListedPort {
    int com = 0;
    QString name;
    QString path;
};
QJsonArray PortsJson(const std::vector<ListedPort>& ports);

// One "name: value" line per member, nested objects' members prefixed with their name; arrays
// of objects one line per element.
QString HumanText(const QJsonObject& object);

// The profile text of the reported settings, and the settings of a profile text; empty, with the
// reason, unless every setting is there with a value the device can take.
QByteArray ProfileText(const device::DeviceSettings& settings);
std::optional<device::DeviceSettings> ReadProfile(const QByteArray& text, QString& error);

} // namespace m47::ctl
