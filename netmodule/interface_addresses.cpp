#include "netmodule/interface_addresses.h"

#include <QHostAddress>
#include <QNetworkInterface>

namespace m47::netmodule {

std::vector<Ipv4Address> InterfaceAddressSource::LocalIpv4Addresses() const
{
    std::vector<Ipv4Address> addresses;
    for (const QNetworkInterface& interface : QNetworkInterface::allInterfaces()) {
        const QNetworkInterface::InterfaceFlags flags = interface.flags();
        if (!flags.testFlag(QNetworkInterface::IsUp) || flags.testFlag(QNetworkInterface::IsLoopBack))
            continue;
        for (const QNetworkAddressEntry& entry : interface.addressEntries()) {
            if (entry.ip().protocol() != QAbstractSocket::IPv4Protocol)
                continue;
            const quint32 ip = entry.ip().toIPv4Address(); // a.b.c.d with a in the top byte
            addresses.push_back({static_cast<std::uint8_t>(ip >> 24), static_cast<std::uint8_t>(ip >> 16),
                                 static_cast<std::uint8_t>(ip >> 8), static_cast<std::uint8_t>(ip)});
        }
    }
    return addresses;
}

} // namespace m47::netmodule
