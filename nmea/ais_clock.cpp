#include "nmea/ais_clock.h"

#include <array>
#include <chrono>
#include <ctime>

namespace nmea {

namespace {

// Days before each month of a non-leap year.
constexpr std::array<std::uint32_t, 12> kDaysBeforeMonth = {0,   31,  59,  90,  120, 151,
                                                            181, 212, 243, 273, 304, 334};

// The calendar fields of `seconds` in local time. Every AIS message stamps its target; the
// conversion runs once per second.
ClockReading LocalCalendar(std::time_t seconds)
{
    thread_local std::time_t convertedSecond = -1;
    thread_local ClockReading converted;
    if (seconds != convertedSecond) {
        converted = ClockReading{};
        // localtime's result is shared; it is copied at once, on the one thread that reads it.
        if (const std::tm* local = std::localtime(&seconds)) {
            converted.year = static_cast<std::uint16_t>(local->tm_year + 1900);
            converted.month = static_cast<std::uint8_t>(local->tm_mon + 1);
            converted.day = static_cast<std::uint8_t>(local->tm_mday);
            converted.hour = static_cast<std::uint8_t>(local->tm_hour);
            converted.minute = static_cast<std::uint8_t>(local->tm_min);
            converted.second = static_cast<std::uint8_t>(local->tm_sec);
        }
        convertedSecond = seconds;
    }
    return converted;
}

} // namespace

ClockReading ReadLocalClock()
{
    const auto now = std::chrono::system_clock::now();
    const std::time_t seconds = std::chrono::system_clock::to_time_t(now);
    const auto sinceSecond = now - std::chrono::system_clock::from_time_t(seconds);
    const auto hundredths = std::chrono::duration_cast<std::chrono::milliseconds>(sinceSecond).count() / 10;
    ClockReading clock = LocalCalendar(seconds);
    clock.hundredths = static_cast<std::uint8_t>(hundredths >= 0 && hundredths < 100 ? hundredths : 0);
    return clock;
}

ClockReading ReadLocalClockSeconds()
{
    return LocalCalendar(std::time(nullptr));
}

std::uint32_t StampSeconds(const PackedDate& date, const PackedTime& time)
{
    const std::uint32_t daysBefore =
        date.month >= 1 && date.month <= 12 ? kDaysBeforeMonth[date.month - 1u] : 0u;
    std::uint32_t stamp = (static_cast<std::uint32_t>(date.year) % 100u) * 365u + daysBefore + date.day;
    stamp = stamp * 24u + time.hour;
    stamp = stamp * 60u + time.minute;
    return stamp * 60u + time.second;
}

} // namespace nmea
