// Port discovery on Linux: sysfs for the present ports and their USB product names, the
// virtual-port folder, and the exclusive-open probe.
#include "port_scan.h"

#include "logging.h"
#include "posix_port.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Device texts are short; anything longer is cut before it is cleaned.
constexpr qint64 kMaxAttributeBytes = 256;

QString ReadSmallFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray bytes = file.read(kMaxAttributeBytes);
    const qsizetype end = bytes.indexOf('\n');
    return QString::fromUtf8(end < 0 ? bytes : bytes.left(end));
}

bool IsCharacterDevice(const QString& path)
{
    struct stat st {
    };
    return stat(QFile::encodeName(path).constData(), &st) == 0 && S_ISCHR(st.st_mode);
}

// Product name of the USB device above a tty's device directory, or empty.
QString UsbProductName(const QString& deviceLink)
{
    QString dir = QFileInfo(deviceLink).canonicalFilePath();
    for (int depth = 0; depth < 4 && !dir.isEmpty(); ++depth) {
        if (QFileInfo::exists(dir + QStringLiteral("/idVendor")))
            return ReadSmallFile(dir + QStringLiteral("/product"));
        dir = QFileInfo(dir).path();
    }
    return {};
}

QString FallbackName(TPortKind kind)
{
    switch (kind) {
    case TPortKind::Uart: return QStringLiteral("Communications Port");
    case TPortKind::UsbSerial: return QStringLiteral("USB Serial Port");
    case TPortKind::UsbModem: return QStringLiteral("USB Serial Device");
    case TPortKind::Virtual: break;
    }
    return QStringLiteral("Virtual Serial Port");
}

} // namespace

QString VirtualPortsDir()
{
    const QString own = qEnvironmentVariable("M47_PORTS_DIR");
    if (!own.isEmpty())
        return own;
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty())
        return runtime + QStringLiteral("/veldra-m47/ports");
    return QStringLiteral("/tmp/veldra-m47-%1/ports").arg(getuid());
}

TPortEnvironment SystemPortEnvironment()
{
    return {QStringLiteral("/dev"), QStringLiteral("/sys/class/tty"), VirtualPortsDir()};
}

std::vector<TFoundPort> ScanSystemPorts(const TPortEnvironment& env)
{
    const QStringList consoles =
        ReadSmallFile(env.SysClassTty + QStringLiteral("/console/active")).split(u' ', Qt::SkipEmptyParts);
    std::vector<TFoundPort> found;
    const QStringList entries =
        QDir(env.SysClassTty).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System);
    for (const QString& node : entries) {
        const int com = ComNumberOfNode(node);
        const QString sysDir = env.SysClassTty + u'/' + node;
        const QString deviceLink = sysDir + QStringLiteral("/device");
        const QString devPath = env.DevDir + u'/' + node;
        if (com < 0 || consoles.contains(node) || !QFileInfo::exists(deviceLink) ||
            !IsCharacterDevice(devPath))
            continue;
        const TPortKind kind = KindOfNode(node);
        if (kind == TPortKind::Uart && ReadSmallFile(sysDir + QStringLiteral("/type")).trimmed().toInt() == 0)
            continue;
        const QString product = kind == TPortKind::Uart ? QString() : UsbProductName(deviceLink);
        found.push_back({com, FriendlyName(product, com, FallbackName(kind)), devPath});
    }
    return found;
}

std::vector<TFoundPort> ScanVirtualPorts(const QString& dir)
{
    std::vector<TFoundPort> found;
    const QStringList entries =
        QDir(dir).entryList({QStringLiteral("COM*")}, QDir::AllEntries | QDir::System);
    for (const QString& entry : entries) {
        const int com = ComNumberOfDeviceName(entry);
        const QString link = dir + u'/' + entry;
        if (com < 0 || !IsCharacterDevice(link))
            continue;
        const QString name = ReadSmallFile(link + QStringLiteral(".name"));
        found.push_back({com, FriendlyName(name, com, FallbackName(TPortKind::Virtual)), link});
    }
    return found;
}

std::vector<TFoundPort> ScanPorts(const TPortEnvironment& env)
{
    return MergePorts(ScanSystemPorts(env), ScanVirtualPorts(env.VirtualDir));
}

QString ResolveDevicePath(const QString& deviceName, const TPortEnvironment& env)
{
    const int com = ComNumberOfDeviceName(deviceName);
    if (com < 0)
        return deviceName;
    const QString node = NodeOfComNumber(com);
    if (!node.isEmpty() && IsCharacterDevice(env.DevDir + u'/' + node))
        return env.DevDir + u'/' + node;
    return env.VirtualDir + QStringLiteral("/COM%1").arg(com);
}

TProbeResult ProbeDevice(const QString& deviceName, const TPortEnvironment& env)
{
    TProbeResult result;
    result.DevicePath = ResolveDevicePath(deviceName, env);
    const QByteArray path = QFile::encodeName(result.DevicePath);
    const int fd = posixport::OpenExclusive(path.toStdString());
    if (fd >= 0) {
        close(fd); // the probe only asks; it must not flush or change the port
        result.Ok = true;
        return result;
    }
    result.Error = errno;
    LogCallFailure(lcPorts(), "open (probe)", result.DevicePath, result.Error);
    return result;
}
