#pragma once
// Pure rules of port discovery: the stable COM-number mapping of device nodes, friendly names,
// the 256-name table, its sorted presentation and the number parsing of list items.
//
// COM numbers of device nodes (a port keeps its number while other devices come and go):
//   ttyS<k>    COM1 + k     (k 0..31,  COM1..COM32)    on-board and PCI UARTs
//   ttyUSB<k>  COM33 + k    (k 0..63,  COM33..COM96)   USB serial adapters
//   ttyACM<k>  COM97 + k    (k 0..63,  COM97..COM160)  USB modems (CDC ACM)
//   COM161..COM255          free for the virtual-port folder (publishers use 200 and up)
#include <QString>
#include <QStringList>
#include <QStringView>

#include <array>
#include <algorithm>
#include <vector>

inline constexpr int kMaxPorts = 256;
inline constexpr char kNotSelectedItem[] = "- NOT SELECTED -";
// A friendly name fits a 128-byte buffer with its terminator, which is all the window shows.
inline constexpr int kMaxFriendlyNameLength = 127;

enum class TPortKind { Uart, UsbSerial, UsbModem, Virtual };

// COM number of a device node name ("ttyUSB1" -> 34); -1 for a name outside the mapping.
int ComNumberOfNode(QStringView node);
// Device node name of a COM number (34 -> "ttyUSB1"); empty outside the mapped ranges.
QString NodeOfComNumber(int com);
TPortKind KindOfNode(QStringView node);

// The number of a port name "\\.\COM<n>" or "COM<n>" (any case), 1..255; -1 for anything else.
int ComNumberOfDeviceName(const QString& name);
// "\\.\COM<n>", the device name the component is given.
QString ComDeviceName(int com);

// Text from a device or a file, fit for a list: control characters dropped, spaces collapsed,
// at most maxLength characters.
QString CleanDeviceText(const QString& raw, int maxLength);
// "<description> (COM<n>)" within the 127-character limit; a description that already holds
// "(COM<n>)" is kept as it is (shortened if needed); an empty one becomes fallback.
QString FriendlyName(const QString& description, int com, const QString& fallback);

struct TFoundPort {
    int ComNumber = 0;
    QString FriendlyName;
    QString DevicePath;
};

// Both lists by COM number; a virtual entry whose number a present device holds is dropped.
std::vector<TFoundPort> MergePorts(std::vector<TFoundPort> system, std::vector<TFoundPort> virtualPorts);

// The friendly names found by an enumeration, in enumeration order.
struct TPortTable {
    std::array<QString, kMaxPorts> Names;
    int Count = 0;

    bool operator==(const TPortTable& other) const
    {
        return Count == other.Count && std::equal(Names.begin(), Names.begin() + Count, other.Names.begin());
    }
};
// Keeps the names that contain "(COM", in order, at most 256.
TPortTable BuildPortTable(const std::vector<TFoundPort>& ports);
// The names in the order of a sorted list box: alphabetical, ignoring case.
QStringList SortedPortNames(const TPortTable& table);
// Whether an entry contains "(COM<n>)" (the parenthesis keeps COM1 from matching COM12).
bool PortTableHolds(const TPortTable& table, int portNumber);

// The COM number a port list item names, read as the decimal number after the first `marker`
// (0 when no digit follows); -1 when the item has no `marker`. The three readings below differ
// only in what they accept.
int ComNumberAfter(const QString& item, QStringView marker);
// The probe's reading: the number after "(COM"; -1 when the item has none.
int ProbeComNumber(const QString& item);
// The number after the first "COM", 1..255; -1 otherwise.   "Veldra M47 Simulator (COM200)" -> 200
int SelectedComNumber(const QString& item);
// The connection's port number: SelectedComNumber, or 1 when that finds none.
int ConnectionPortNumber(const QString& item);
