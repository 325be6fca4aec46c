#pragma once
// What the network module reported about itself, and the reading of its address answer.
//
//   AT+SYSIP answer value:  "192.168.1.254,255.255.255.0\r\n"
//                            a  . b . c . d  , e . f . g . h  CR
//   bytes 0..3: the module's IPv4 address a.b.c.d; bytes 4..7: the second dotted group (kept,
//   not used). Each number is read as atoi reads it and kept modulo 256 ("300" -> 44).

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace m47::netmodule {

struct NetworkModuleInfo {
    char ModuleDeviceName[50];                 // answer of AT+DEVNAME, at most 49 characters
    std::array<std::uint8_t, 8> ModuleAddress; // answer of AT+SYSIP, as above
    char ModuleVersionText[50];                // answer of AT+VER, at most 49 characters
};

void ClearNetworkModuleInfo(NetworkModuleInfo& info);

// The eight numbers of an address answer. None unless the value has exactly six dots and its
// separators come exactly in the order . . . , . . . CR (a number holding any other separator
// puts them out of order).
std::optional<std::array<std::uint8_t, 8>> ReadAddressAnswer(std::string_view value);

// "%d.%d.%d.%d" of the first four bytes.
std::string DottedAddress(const std::uint8_t* bytes);
// The module's web configuration page: "http://%d.%d.%d.%d" of its address.
std::string WebPageAddress(const NetworkModuleInfo& info);

} // namespace m47::netmodule
