// The list of present serial ports: enumeration into cbxDeviceComEnum, the debounced rescan when
// serial devices come or go, and the end of a connection whose port has vanished, hung up or
// been replaced.
#include "mainform.h"

#include "serial/device_watcher.h"
#include "serial/port_scan.h"
#include "tag.h"
#include "ui_mainform.h"

void TForm1::RegisterPortNotifications()
{
    // Without inotify the watcher stays silent and the ports are only enumerated at start-up.
    auto* watcher = new TInotifyDeviceWatcher(SystemPortEnvironment().DevDir, VirtualPortsDir(), this);
    Ports.WatchDeviceChanges(watcher);
}

void TForm1::EnumeratePorts()
{
    Ports.EnumeratePorts();
}

void TForm1::RefreshPortList()
{
    ui->cbxDeviceComEnum->clear();
    ui->cbxDeviceComEnum->addItems(Ports.ComboItems());
    // "- NOT SELECTED -" alone stays unselected.
    ui->cbxDeviceComEnum->setCurrentIndex(Ports.PortCount() > 0 ? 0 : -1);
}

void TForm1::DeviceChangeStep()
{
    // A device replugged within the rescan's debounce keeps its name but is another node.
    if (CommPort->DeviceGone())
        PortLost();
    if (Ports.DeviceChangeStep())
        ApplySession(Session.PortsRescanned(Ports.HoldsPort(Session.PortNumber())));
}

void TForm1::PortLost()
{
    // The list the session asks to rebuild must not offer the gone port.
    if (Session.Connected())
        EnumeratePorts();
    ApplySession(Session.PortLost());
}
