#include "netmodule/desktop_web_page.h"
#include "netmodule/interface_addresses.h"
#include "netmodule/module_info.h"

#include <gtest/gtest.h>

#include <QDesktopServices>
#include <QHostAddress>
#include <QNetworkInterface>
#include <QObject>
#include <QUrl>

using namespace m47::netmodule;

namespace {

// Takes the place of the browser for "http" addresses.
class UrlCatcher : public QObject
{
    Q_OBJECT
public:
    QList<QUrl> opened;
public slots:
    void open(const QUrl& url) { opened.append(url); }
};

} // namespace

TEST(DesktopWebPage, HandsTheAddressToTheDesktopsHttpHandler)
{
    UrlCatcher catcher;
    QDesktopServices::setUrlHandler(QStringLiteral("http"), &catcher, "open");
    DesktopWebPageOpener().OpenWebPage("http://192.168.1.254");
    QDesktopServices::unsetUrlHandler(QStringLiteral("http"));
    ASSERT_EQ(catcher.opened.size(), 1);
    EXPECT_EQ(catcher.opened[0], QUrl(QStringLiteral("http://192.168.1.254")));
}

TEST(InterfaceAddresses, EveryAddressBelongsToAnInterfaceOfThisPcAndNoneIsLoopback)
{
    const QList<QHostAddress> all = QNetworkInterface::allAddresses();
    for (const Ipv4Address& a : InterfaceAddressSource().LocalIpv4Addresses()) {
        const std::string dotted = DottedAddress(a.data());
        const QHostAddress address(QString::fromStdString(dotted));
        EXPECT_TRUE(all.contains(address)) << dotted;
        EXPECT_FALSE(address.isLoopback()) << dotted;
    }
}

#include "platform_services_test.moc"
