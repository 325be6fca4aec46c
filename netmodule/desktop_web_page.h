#pragma once
// The web page opened through the desktop's handler for the address's scheme.

#include "netmodule/web_page.h"

namespace m47::netmodule {

class DesktopWebPageOpener final : public WebPageOpener
{
public:
    void OpenWebPage(std::string_view address) override;
};

} // namespace m47::netmodule
