#pragma once
// The choices of the connection road that need no state: which baud rate the port opens at,
// and which port item names a COM number.

#include <array>
#include <span>
#include <string>
#include <string_view>

namespace m47::device {

// The serial component's baud rates, indexed by its BaudRate value (br110 .. br256000).
inline constexpr std::array<int, 15> kPortBaudRates{110,   300,   600,   1200,  2400,   4800,   9600,  14400,
                                                    19200, 38400, 56000, 57600, 115200, 128000, 256000};
inline constexpr int kBaudIndex115200 = 12;

// The BaudRate index for the PC baud-rate item text ("57600" -> 11); 115200 for a value that
// is not in the table, and for no selection (empty text).
int BaudRateIndexFor(std::string_view itemText);

// "(COM%d)": the closing parenthesis keeps COM1 from matching COM12.
std::string PortTag(int portNumber);

// Index of the first of `items` that contains PortTag(portNumber), -1 when none does.
int FindPortItem(std::span<const std::string> items, int portNumber);

} // namespace m47::device
