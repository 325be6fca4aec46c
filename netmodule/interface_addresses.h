#pragma once
// The PC's IPv4 addresses, read from its network interfaces. The host name is not looked up:
// it may resolve to a loopback address, which never shares a group with a module on the LAN.

#include "netmodule/local_addresses.h"

namespace m47::netmodule {

class InterfaceAddressSource final : public LocalAddressSource
{
public:
    // The IPv4 addresses of the interfaces that are up, loopback interfaces left out, in the
    // order the system lists them.
    std::vector<Ipv4Address> LocalIpv4Addresses() const override;
};

} // namespace m47::netmodule
