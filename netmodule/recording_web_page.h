#pragma once
// Test double of WebPageOpener: keeps the addresses it was asked to open, starts no browser.
#include "netmodule/web_page.h"

#include <string>
#include <vector>

namespace m47::netmodule {

class RecordingWebPageOpener final : public WebPageOpener
{
public:
    void OpenWebPage(std::string_view address) override { opened_.emplace_back(address); }
    const std::vector<std::string>& opened() const { return opened_; }

private:
    std::vector<std::string> opened_;
};

} // namespace m47::netmodule
