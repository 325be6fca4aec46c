#pragma once
// Opening the module's web configuration page in the PC's default browser; a test observes the
// address instead.

#include <string_view>

namespace m47::netmodule {

class WebPageOpener
{
public:
    virtual ~WebPageOpener() = default;
    // `address` is "http://a.b.c.d"; whether the browser came up is not reported.
    virtual void OpenWebPage(std::string_view address) = 0;
};

} // namespace m47::netmodule
