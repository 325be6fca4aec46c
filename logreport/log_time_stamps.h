#pragma once
// The times a log line can carry: the receive time a recording puts before every line, and the
// UTC time of day inside the GNSS sentences the receiver sends.
//
//   recorded line:  2026-12-11T10:15:03.125Z $GPRMC,101503.00,A,2502.4904,N,...*6C
//                   |yyyy-mm-dd hh:mm:ss.mmm|Z, one space, then the line as received
//   GNSS time:      $GPRMC,101503.00,A,...  -> 36903.0 s of the day
//                   (RMC, GGA, GLL, ZDA, GBS, GNS, GST, GRS; GLL carries it as its fifth field)

#include <chrono>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace m47::logreport {

using UtcTime = std::chrono::system_clock::time_point;
using UtcMilliseconds = std::chrono::sys_time<std::chrono::milliseconds>;

// Length of the receive-time prefix, its trailing space included.
inline constexpr std::size_t kReceiveStampLength = 25;

// "2026-12-11T10:15:03.125Z " for a time in that millisecond.
std::string ReceiveStamp(UtcTime time);

// The receive time at the start of `line`, when it begins with a well-formed prefix.
std::optional<UtcMilliseconds> ParseReceiveStamp(std::string_view line);

// Seconds of the day of a GNSS sentence's UTC time field, if the sentence has one.
std::optional<double> GnssTimeOfDay(std::string_view line);

} // namespace m47::logreport
