#pragma once
// The PC's own IPv4 addresses, compared with the module's to tell whether its web page can be
// reached: the PC is in the module's group when one of its addresses shares the module's first
// three bytes.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace m47::netmodule {

// a.b.c.d as bytes a, b, c, d (network byte order).
using Ipv4Address = std::array<std::uint8_t, 4>;

// Where the addresses come from: the PC's network interfaces, or a test's list.
class LocalAddressSource
{
public:
    virtual ~LocalAddressSource() = default;
    virtual std::vector<Ipv4Address> LocalIpv4Addresses() const = 0;
};

struct LocalAddressTable {
    static constexpr std::size_t kMaxAddresses = 32;
    std::array<Ipv4Address, kMaxAddresses> LocalAddresses{};
    std::int32_t LocalAddressCount = 0;
};

// Refills the table from `source` in the order given, at most 32 addresses; returns the dotted
// text of each address taken, for MemoEthernetTx.
std::vector<std::string> CollectLocalAddresses(LocalAddressTable& table, const LocalAddressSource& source);

// Whether one of the table's addresses starts with the first three of `module`'s four bytes.
bool SharesGroup(const LocalAddressTable& table, const std::uint8_t* module);

} // namespace m47::netmodule
