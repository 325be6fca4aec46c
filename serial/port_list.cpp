// The port list with its debounced rescan.
#include "port_list.h"

#include "comm.h"
#include "device_watcher.h"

#include <QFile>

namespace {

// Ticks of 500 ms between the first announcement of a burst and the rescan.
constexpr int kDeviceChangeTicks = 4;
// Ticks of 500 ms between two looks at the ports while nothing is announced.
constexpr int kPresenceCheckTicks = 4;

} // namespace

TPortList::TPortList(QObject* parent) : TPortList([] { return ScanPorts(SystemPortEnvironment()); }, parent)
{}

TPortList::TPortList(TScanner scanner, QObject* parent) : QObject(parent), scanner_(std::move(scanner)) {}

void TPortList::EnumeratePorts()
{
    table_ = BuildPortTable(scanner_());
}

QStringList TPortList::ComboItems() const
{
    if (table_.Count == 0)
        return {QString::fromLatin1(kNotSelectedItem)};
    return SortedPortNames(table_);
}

void TPortList::WatchDeviceChanges(TDeviceChangeSource* source)
{
    connect(source, &TDeviceChangeSource::DeviceChanged, this, &TPortList::NoteDeviceChange);
}

bool TPortList::DeviceChangeStep()
{
    if (deviceChangePending_) {
        ++deviceChangeTicks_;
    } else if (++quietTicks_ >= kPresenceCheckTicks) {
        quietTicks_ = 0;
        TPortTable now = BuildPortTable(scanner_());
        if (now == table_)
            return false;
        table_ = std::move(now);
        return true;
    }
    if (deviceChangeTicks_ < kDeviceChangeTicks)
        return false;
    deviceChangePending_ = false;
    deviceChangeTicks_ = 0;
    EnumeratePorts();
    return true;
}

TProbeResult ProbeSelectedPort(const QString& selectedItem)
{
    const int com = ProbeComNumber(selectedItem);
    if (com < 0)
        return {};
    return ProbeDevice(ComDeviceName(com), SystemPortEnvironment());
}

QString ProbeFailureHint(const TProbeResult& result, const m47::serial::OpenFailureLookups& lookups)
{
    if (result.Ok || result.Error == 0)
        return {};
    const std::string path = QFile::encodeName(result.DevicePath).toStdString();
    return QString::fromLocal8Bit(m47::serial::ExplainOpenFailure(result.Error, path, lookups));
}

int ApplySelectedPort(bool hasSelection, const QString& selectedItem, TThreadComm& comm)
{
    if (!hasSelection)
        return -1;
    const int com = SelectedComNumber(selectedItem);
    if (com < 0)
        return -1;
    comm.SetDeviceName(ComDeviceName(com));
    return com;
}
