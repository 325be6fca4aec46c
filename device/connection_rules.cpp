#include "device/connection_rules.h"

#include "device/text_rules.h"

#include <algorithm>

namespace m47::device {

int BaudRateIndexFor(std::string_view itemText)
{
    const int rate = LeadingNumber(itemText);
    const auto found = std::find(kPortBaudRates.begin(), kPortBaudRates.end(), rate);
    if (found == kPortBaudRates.end())
        return kBaudIndex115200;
    return static_cast<int>(found - kPortBaudRates.begin());
}

std::string PortTag(int portNumber)
{
    return "(COM" + std::to_string(portNumber) + ")";
}

int FindPortItem(std::span<const std::string> items, int portNumber)
{
    const std::string tag = PortTag(portNumber);
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (Contains(items[i], tag))
            return static_cast<int>(i);
    }
    return -1;
}

} // namespace m47::device
