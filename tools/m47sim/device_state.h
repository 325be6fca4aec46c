// What the receiver remembers: its identity, its two serial ports, the internal GPS settings and
// the network module. The product-information reply is read from it; the "$PDBG" programming
// sentences change it.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace m47sim {

struct NetworkModuleState {
    bool fitted = true;
    std::string version = "V1.2.2";
    std::string address = "192.168.1.254"; // the module's IPv4 address
    std::string netmask = "255.255.255.0"; // sent as the second dotted group of AT+SYSIP
    std::string deviceName = "M47-NET";
};

struct DeviceState {
    std::string firmware = "M47 V1.05.12";
    std::string serialNumber = "M47A2612000047";
    int rs232BaudCode = 2; // baud codes shared by both ports: 0 115200 ... 5 4800
    int nmeaBaudCode = 2;
    bool gpsDisabled = false;
    int gpsNavStatus = 5; // 5 at sea level, 4 altitude higher than 500 m
    NetworkModuleState network;
};

// Baud rate of a baud code (0..5), 0 for a code outside the table.
int BaudRateOfCode(int code);
// Baud code of a rate, or nothing when the rate is not one the device knows.
std::optional<int> BaudCodeOfRate(int rate);
// The NMEA port only runs at 38400, 9600 and 4800 (codes 2, 4, 5).
bool IsNmeaBaudCode(int code);

// Factory values of the three restore groups: 1 serial port baud rates, 2 internal GPS settings,
// 3 network settings; 0 restores nothing.
void RestoreGroup(DeviceState& state, int group, const DeviceState& factory);

// The product-information reply, one framed "$PCVN,R,TXT," sentence per item, the end line last.
std::vector<std::string> ProductInfoLines(const DeviceState& state);

// One setting of a "$PDBG" sentence: a setting code and its value.
struct Setting {
    int code = 0;
    int value = 0;
};

// Settings of a checked "$PDBG" body ("PDBG,43,2,41,2,,,,"), or nothing when a code is unknown,
// a value is out of range or the sentence carries no setting. Code 163 (network module
// configuration mode) is no programming and is not accepted here.
std::optional<std::vector<Setting>> ParseProgramming(std::string_view body);

// Applies parsed settings in order.
void ApplySettings(DeviceState& state, const std::vector<Setting>& settings, const DeviceState& factory);

} // namespace m47sim
