#include "netmodule/desktop_web_page.h"

#include <QDesktopServices>
#include <QString>
#include <QUrl>

namespace m47::netmodule {

void DesktopWebPageOpener::OpenWebPage(std::string_view address)
{
    const QString text = QString::fromLatin1(address.data(), static_cast<qsizetype>(address.size()));
    QDesktopServices::openUrl(QUrl(text));
}

} // namespace m47::netmodule
