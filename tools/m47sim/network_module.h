// The optional network module behind the device. While it is in configuration mode the device
// passes AT command lines (ending in LF) to it; the module echoes each command prefixed with ">"
// and answers:
//
//   AT+VER      ->  >AT+VER       +ok=V1.2.2
//   AT+SYSIP    ->  >AT+SYSIP     +ok=192.168.1.254,255.255.255.0
//   AT+DEVNAME  ->  >AT+DEVNAME   +ok=M47-NET
//   anything else                 +err
#pragma once

#include "device_state.h"

#include <string>
#include <string_view>
#include <vector>

namespace m47sim {

// The sentences that switch the module's configuration mode on and off, as the program sends them.
inline constexpr std::string_view kEnterConfigMode = "$PDBG,163,1,,,,,,*14";
inline constexpr std::string_view kLeaveConfigMode = "$PDBG,163,0,,,,,,*15";

// Echo and answer of one AT line (without its line end), each ending in CR LF.
std::vector<std::string> AnswerAtCommand(const NetworkModuleState& module, std::string_view command);

} // namespace m47sim
