#pragma once
// The command sentences the program sends to the device, before and after their completion.
//
//   "$PDBG,43,2,41,2,,,,"          RS-232 code 2 (38400), NMEA code 2 (38400)
//   "$PDBG,50,0,52,5,,,,"          internal GPS enabled (0), mode 5 (at sea level)
//   "$PDBG,100,2,100,3,100,0,,"    restore groups 2 (internal GPS) and 3 (network)
//   CompleteCommand -> "$PDBG,43,2,41,2,,,,*13\r\n"
//
// Setting codes: 43 RS-232 baud code, 41 NMEA baud code, 50 GPS disabled flag, 52 GPS mode,
// 100 restore group (1 baud rates, 2 internal GPS, 3 network, 0 none).

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace m47::device {

// The product-information query, answered with the "$PCVN,R,TXT," lines.
inline constexpr std::string_view kProductInfoQuery = "$PTST,,,,,16";

// Longest command text that is completed: with "*hh", CR, LF and NUL it fills 100 bytes.
inline constexpr std::size_t kMaxCommandTextLength = 94;

// Baud code by selected item; the RS-232 code is the item index of cbxBaud_RS232 itself.
inline constexpr std::array<int, 6> kBaudCodeRates{115200, 57600, 38400, 19200, 9600, 4800};
inline constexpr std::array<int, 3> kNmeaBaudCodes{2, 4, 5};
// GPS mode code by the item of ComboBoxGPSNavStatus (altitude above 500 m, at sea level).
inline constexpr std::array<int, 2> kGpsModeCodes{4, 5};

// The items of a baud rate in cbxBaud_RS232 and cbxBaud_NMEA; -1 for a rate the port cannot take.
int Rs232ItemOfRate(int rate);
int NmeaItemOfRate(int rate);
// The item of ComboBoxGPSNavStatus for a mode: 1 at sea level, 0 altitude above 500 m.
inline int GpsNavStatusItem(bool atSeaLevel) { return atSeaLevel ? 1 : 0; }

// The "$PDBG" texts, before completion. None when a required choice has no valid selection
// (an index of -1, as a choice box reports "nothing selected", or beyond the table).
std::optional<std::string> BaudRateCommand(int rs232Item, int nmeaItem);
std::optional<std::string> InternalGpsCommand(bool gpsEnabled, int gpsNavStatusItem);

// The three restore slots, filled from the front with the ticked groups 1, 2, 3 in that order.
std::array<int, 3> RestoreSlots(bool baudRates, bool internalGps, bool network);
// None when no group is ticked (the first slot is 0).
std::optional<std::string> RestoreCommand(const std::array<int, 3>& slots);

// Appends '*', the checksum (XOR of every character after the first) as two upper-case hex
// digits, CR and LF. None when the text is empty or longer than kMaxCommandTextLength.
std::optional<std::string> CompleteCommand(std::string_view text);

} // namespace m47::device
