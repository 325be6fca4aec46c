#pragma once
// Port discovery on the machine: the serial ports of sysfs, the virtual-port folder, the
// resolution of "\\.\COM<n>" to a device node, and the exclusive-open probe.
//
// Virtual-port folder (format in README.md, "Virtual serial ports"): entries COM<n> (a symbolic
// link to a character device) with an optional COM<n>.name holding the friendly name.
#include "port_naming.h"

#include <QString>

#include <vector>

// Where the scan looks; tests point it at a fake tree.
struct TPortEnvironment {
    QString DevDir;      // device nodes, "/dev"
    QString SysClassTty; // "/sys/class/tty"
    QString VirtualDir;  // the virtual-port folder
};

// $M47_PORTS_DIR, else $XDG_RUNTIME_DIR/veldra-m47/ports, else /tmp/veldra-m47-<uid>/ports.
QString VirtualPortsDir();
TPortEnvironment SystemPortEnvironment();

// Serial ports that really exist: a mapped node name with a device behind it in sysfs and a node
// in DevDir; a ttyS only with a UART fitted (type not 0) and never the kernel console. USB ports
// are named after the product string of their USB device.
std::vector<TFoundPort> ScanSystemPorts(const TPortEnvironment& env);
// Entries of the virtual-port folder whose link points to a character device.
std::vector<TFoundPort> ScanVirtualPorts(const QString& dir);
// Both, merged by COM number.
std::vector<TFoundPort> ScanPorts(const TPortEnvironment& env);

// The device node a device name opens: for "\\.\COM<n>" / "COM<n>" the mapped node when it
// exists, else the virtual entry; any other name is a path and stays as it is.
QString ResolveDevicePath(const QString& deviceName, const TPortEnvironment& env);

struct TProbeResult {
    bool Ok = false;
    int Error = 0;      // errno of the failed open (EBUSY when another holds the port)
    QString DevicePath; // the resolved node
};
// Opens the device exclusively and closes it at once.
TProbeResult ProbeDevice(const QString& deviceName, const TPortEnvironment& env);
