#include "network_module.h"

#include <array>
#include <utility>

namespace m47sim {

std::vector<std::string> AnswerAtCommand(const NetworkModuleState& module, std::string_view command)
{
    using Query = std::pair<std::string_view, std::string>;
    const std::array<Query, 3> queries = {{
        {"AT+VER", module.version},
        {"AT+SYSIP", module.address + "," + module.netmask},
        {"AT+DEVNAME", module.deviceName},
    }};
    std::vector<std::string> lines = {">" + std::string(command) + "\r\n"};
    std::string answer = "+err\r\n";
    for (const auto& [name, value] : queries)
        if (command == name)
            answer = "+ok=" + value + "\r\n";
    lines.push_back(answer);
    return lines;
}

} // namespace m47sim
