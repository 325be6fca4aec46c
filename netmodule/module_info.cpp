#include "netmodule/module_info.h"

#include "device/text_rules.h"

#include <algorithm>
#include <cstdio>

namespace m47::netmodule {

namespace {

// The separator that ends each of the eight numbers; only these three characters separate.
constexpr std::array<char, 8> kSeparatorOrder{'.', '.', '.', ',', '.', '.', '.', '\r'};
constexpr std::string_view kSeparators = ".,\r";
constexpr long kAddressDots = 6;

} // namespace

void ClearNetworkModuleInfo(NetworkModuleInfo& info)
{
    info = {};
}

std::optional<std::array<std::uint8_t, 8>> ReadAddressAnswer(std::string_view value)
{
    if (std::count(value.begin(), value.end(), '.') != kAddressDots)
        return std::nullopt;
    std::array<std::uint8_t, 8> bytes{};
    std::size_t start = 0;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const auto end = value.find_first_of(kSeparators, start);
        if (end == std::string_view::npos || value[end] != kSeparatorOrder[i])
            return std::nullopt;
        // Kept modulo 256, as a byte takes an int.
        bytes[i] = static_cast<std::uint8_t>(device::LeadingNumber(value.substr(start, end - start)));
        start = end + 1;
    }
    return bytes;
}

std::string DottedAddress(const std::uint8_t* bytes)
{
    char text[16];
    std::snprintf(text, sizeof text, "%d.%d.%d.%d", bytes[0], bytes[1], bytes[2], bytes[3]);
    return text;
}

std::string WebPageAddress(const NetworkModuleInfo& info)
{
    return "http://" + DottedAddress(info.ModuleAddress.data());
}

} // namespace m47::netmodule
