#pragma once
// The PC's local date and time packed into bytes, as the target table stamps first and last
// sightings, and the seconds count that orders those stamps.

#include <cstdint>

namespace nmea {

struct ClockReading {
    std::uint16_t year = 0; // four digits
    std::uint8_t month = 0; // 1..12
    std::uint8_t day = 0;
    std::uint8_t hour = 0;
    std::uint8_t minute = 0;
    std::uint8_t second = 0;
    std::uint8_t hundredths = 0;
};

struct PackedDate {
    std::uint16_t year = 0;
    std::uint8_t month = 0;
    std::uint8_t day = 0;
};

struct PackedTime {
    std::uint8_t hour = 0;
    std::uint8_t minute = 0;
    std::uint8_t second = 0;
};

// The PC's local clock now.
ClockReading ReadLocalClock();
// The same to the whole second (hundredths 0), all that a target's stamps keep. It reads the
// seconds counter instead of the precise clock, which costs tens of nanoseconds on some
// machines: a large part of the time per message when every message stamps its target.
ClockReading ReadLocalClockSeconds();

inline PackedDate PackDate(const ClockReading& clock)
{
    return PackedDate{clock.year, clock.month, clock.day};
}

inline PackedTime PackTime(const ClockReading& clock)
{
    // Seconds plus hundredths / 100, truncated: the whole seconds.
    return PackedTime{clock.hour, clock.minute,
                      static_cast<std::uint8_t>(clock.second + clock.hundredths / 100)};
}

// Seconds since the start of the century's year 0, counting every year as 365 days; months
// outside 1..12 add no days. 32-bit unsigned arithmetic.
std::uint32_t StampSeconds(const PackedDate& date, const PackedTime& time);

} // namespace nmea
