#include "logreport/log_time_stamps.h"

#include <array>
#include <cstdio>

namespace m47::logreport {

namespace {

using std::chrono::days;
using std::chrono::milliseconds;

// The digits of a fixed-width field, when all of them are digits.
std::optional<int> Digits(std::string_view text, std::size_t at, std::size_t count)
{
    int value = 0;
    for (std::size_t i = at; i < at + count; ++i) {
        if (text[i] < '0' || text[i] > '9')
            return std::nullopt;
        value = value * 10 + (text[i] - '0');
    }
    return value;
}

// The field of a sentence after `skip` commas following the address field, up to ',' or '*'.
std::string_view Field(std::string_view line, int skip)
{
    std::string_view field = line.substr(7);
    for (; skip > 0; --skip) {
        const auto comma = field.find(',');
        if (comma == std::string_view::npos)
            return {};
        field.remove_prefix(comma + 1);
    }
    return field.substr(0, field.find_first_of(",*"));
}

} // namespace

std::string ReceiveStamp(UtcTime time)
{
    const auto ms = std::chrono::floor<milliseconds>(time);
    const auto day = std::chrono::floor<days>(ms);
    const std::chrono::year_month_day date{day};
    const std::chrono::hh_mm_ss clock{ms - day};
    std::array<char, kReceiveStampLength + 8> text{};
    std::snprintf(text.data(), text.size(), "%04d-%02u-%02uT%02d:%02d:%02d.%03dZ ", static_cast<int>(date.year()),
                  static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()),
                  static_cast<int>(clock.hours().count()), static_cast<int>(clock.minutes().count()),
                  static_cast<int>(clock.seconds().count()), static_cast<int>(clock.subseconds().count()));
    return text.data();
}

std::optional<UtcMilliseconds> ParseReceiveStamp(std::string_view line)
{
    // Positions of the separators in "yyyy-mm-ddThh:mm:ss.mmmZ ".
    constexpr std::string_view kShape = "    -  -  T  :  :  .   Z ";
    if (line.size() < kReceiveStampLength)
        return std::nullopt;
    for (std::size_t i = 0; i < kShape.size(); ++i)
        if (kShape[i] != ' ' && line[i] != kShape[i])
            return std::nullopt;
    if (line[kReceiveStampLength - 1] != ' ')
        return std::nullopt;
    const auto year = Digits(line, 0, 4), month = Digits(line, 5, 2), day = Digits(line, 8, 2);
    const auto hour = Digits(line, 11, 2), minute = Digits(line, 14, 2), second = Digits(line, 17, 2);
    const auto milli = Digits(line, 20, 3);
    if (!year || !month || !day || !hour || !minute || !second || !milli)
        return std::nullopt;
    const std::chrono::year_month_day date{std::chrono::year{*year},
                                           std::chrono::month{static_cast<unsigned>(*month)},
                                           std::chrono::day{static_cast<unsigned>(*day)}};
    if (!date.ok() || *hour > 23 || *minute > 59 || *second > 60)
        return std::nullopt;
    return std::chrono::sys_days{date} + std::chrono::hours{*hour} + std::chrono::minutes{*minute} +
           std::chrono::seconds{*second} + milliseconds{*milli};
}

std::optional<double> GnssTimeOfDay(std::string_view line)
{
    struct Timed {
        std::string_view formatter;
        int fieldsBefore; // fields between the address field and the time
    };
    constexpr std::array<Timed, 8> kTimed = {{{"RMC", 0}, {"GGA", 0}, {"GLL", 4}, {"ZDA", 0},
                                              {"GBS", 0}, {"GNS", 0}, {"GST", 0}, {"GRS", 0}}};
    if (line.size() < 7 || line[0] != '$' || line[6] != ',')
        return std::nullopt;
    const std::string_view formatter = line.substr(3, 3);
    for (const Timed& t : kTimed) {
        if (t.formatter != formatter)
            continue;
        const std::string_view field = Field(line, t.fieldsBefore);
        if (field.size() < 6)
            return std::nullopt;
        const auto hh = Digits(field, 0, 2), mm = Digits(field, 2, 2), ss = Digits(field, 4, 2);
        if (!hh || !mm || !ss)
            return std::nullopt;
        double fraction = 0.0;
        if (field.size() > 7 && field[6] == '.') {
            double scale = 0.1;
            for (std::size_t i = 7; i < field.size() && field[i] >= '0' && field[i] <= '9'; ++i, scale /= 10)
                fraction += (field[i] - '0') * scale;
        }
        return *hh * 3600.0 + *mm * 60.0 + *ss + fraction;
    }
    return std::nullopt;
}

} // namespace m47::logreport
