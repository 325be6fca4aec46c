#include "netmodule/local_addresses.h"

#include "netmodule/module_info.h"

#include <algorithm>

namespace m47::netmodule {

std::vector<std::string> CollectLocalAddresses(LocalAddressTable& table, const LocalAddressSource& source)
{
    const std::vector<Ipv4Address> found = source.LocalIpv4Addresses();
    table = {};
    std::vector<std::string> lines;
    for (const Ipv4Address& address : found) {
        if (table.LocalAddressCount == static_cast<std::int32_t>(LocalAddressTable::kMaxAddresses))
            break;
        table.LocalAddresses[static_cast<std::size_t>(table.LocalAddressCount++)] = address;
        lines.push_back(DottedAddress(address.data()));
    }
    return lines;
}

bool SharesGroup(const LocalAddressTable& table, const std::uint8_t* module)
{
    const auto end = table.LocalAddresses.begin() + table.LocalAddressCount;
    return std::any_of(table.LocalAddresses.begin(), end, [module](const Ipv4Address& pc) {
        return std::equal(pc.begin(), pc.begin() + 3, module);
    });
}

} // namespace m47::netmodule
