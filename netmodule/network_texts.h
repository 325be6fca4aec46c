#pragma once
// Texts of the NETWORK sub-page and its messages, as the user sees them.

#include <string_view>

namespace m47::netmodule {

// LabelEthFirmwareVersion and LabelEthIP until the module has answered.
inline constexpr std::string_view kNoValueText = "None";
// LabelEthernetSettingButton and the hint it shows from its first mouse activation on.
inline constexpr std::string_view kLinkCaption = "Go to Network Configuration";
inline constexpr std::string_view kLinkHint = "DEFAULT USER NAME: Admin, PASSWORD: QTV";
// Asked with OK and Cancel before the web page of a module outside the PC's group is opened.
inline constexpr std::string_view kOtherGroupText = "The localhost IP is not the same group!";
inline constexpr std::string_view kOtherGroupCaption = "Warning";
// Shown with an OK button and the stop icon when the raw send fails.
inline constexpr std::string_view kSendErrorText = "Send message error";
inline constexpr std::string_view kSendErrorCaption = "error";

} // namespace m47::netmodule
