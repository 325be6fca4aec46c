#pragma once
// The main window's list of present serial ports: the 256-name table, the debounced rescan on
// device changes, and the reading of the selected list item (probe, port choice).
#include "open_failure.h"
#include "port_naming.h"
#include "port_scan.h"

#include <QObject>
#include <QStringList>

#include <functional>
#include <vector>

class TDeviceChangeSource;
class TThreadComm;

class TPortList : public QObject
{
    Q_OBJECT
public:
    using TScanner = std::function<std::vector<TFoundPort>()>;

    // Scans the machine (SystemPortEnvironment) unless given another scanner.
    explicit TPortList(QObject* parent = nullptr);
    explicit TPortList(TScanner scanner, QObject* parent = nullptr);

    // Rebuilds the table from the ports present now.
    void EnumeratePorts();
    const TPortTable& PortNames() const { return table_; }
    int PortCount() const { return table_.Count; }
    // The items of the port combo box: the names sorted, or "- NOT SELECTED -" alone (then
    // nothing is to be selected).
    QStringList ComboItems() const;
    // Whether an entry still holds "(COM<portNumber>)".
    bool HoldsPort(int portNumber) const { return PortTableHolds(table_, portNumber); }

    // Listens to a device-change source for as long as both live.
    void WatchDeviceChanges(TDeviceChangeSource* source);
    // The first step of every 500 ms tick: counts ticks since a change was announced; on the
    // fourth, clears the announcement, enumerates again and returns true (the caller then
    // refreshes the combo box, or checks the connected port). Without an announcement it looks
    // again every fourth tick and returns true when the ports differ: a publisher that died
    // leaves its link dangling, and a node can vanish, without any event in a watched folder.
    bool DeviceChangeStep();
    bool DeviceChangePending() const { return deviceChangePending_; }
    int DeviceChangeTicks() const { return deviceChangeTicks_; }

public slots:
    void NoteDeviceChange() { deviceChangePending_ = true; }

private:
    TScanner scanner_;
    TPortTable table_;
    bool deviceChangePending_ = false;
    int deviceChangeTicks_ = 0;
    int quietTicks_ = 0; // ticks since the ports were last enumerated without an announcement
};

// The probe of a list item: opens "\\.\COM<n>" (n after "(COM") exclusively and closes it.
// An item without "(COM" fails with Error 0.
TProbeResult ProbeSelectedPort(const QString& selectedItem);
// The line to add to the probe's failure message: why the device would not open (permission and
// the group to join, the program holding it, gone). Empty for a probe that succeeded or named no
// port.
QString ProbeFailureHint(const TProbeResult& result,
                         const m47::serial::OpenFailureLookups& lookups = m47::serial::SystemOpenFailureLookups());
// Sets the component's DeviceName from the number after the first "COM" and returns it;
// -1 (and nothing set) when there is no selection or no number in 1..255.
int ApplySelectedPort(bool hasSelection, const QString& selectedItem, TThreadComm& comm);
