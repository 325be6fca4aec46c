#include "device/command_sentences.h"

#include "nmea/checksum.h"

#include <cstdio>

namespace m47::device {

namespace {

constexpr int kCodeRs232Baud = 43;
constexpr int kCodeNmeaBaud = 41;
constexpr int kCodeGpsDisabled = 50;
constexpr int kCodeGpsMode = 52;

template <std::size_t N>
bool InTable(const std::array<int, N>& table, int index)
{
    return index >= 0 && static_cast<std::size_t>(index) < table.size();
}

std::string PairsCommand(int code1, int value1, int code2, int value2)
{
    char text[64];
    std::snprintf(text, sizeof text, "$PDBG,%d,%d,%d,%d,,,,", code1, value1, code2, value2);
    return text;
}

template <std::size_t N>
int IndexOf(const std::array<int, N>& table, int value)
{
    for (std::size_t i = 0; i < N; ++i)
        if (table[i] == value)
            return static_cast<int>(i);
    return -1;
}

} // namespace

int Rs232ItemOfRate(int rate)
{
    return IndexOf(kBaudCodeRates, rate);
}

int NmeaItemOfRate(int rate)
{
    return IndexOf(kNmeaBaudCodes, Rs232ItemOfRate(rate));
}

std::optional<std::string> BaudRateCommand(int rs232Item, int nmeaItem)
{
    if (!InTable(kBaudCodeRates, rs232Item) || !InTable(kNmeaBaudCodes, nmeaItem))
        return std::nullopt;
    return PairsCommand(kCodeRs232Baud, rs232Item, kCodeNmeaBaud,
                        kNmeaBaudCodes[static_cast<std::size_t>(nmeaItem)]);
}

std::optional<std::string> InternalGpsCommand(bool gpsEnabled, int gpsNavStatusItem)
{
    if (!InTable(kGpsModeCodes, gpsNavStatusItem))
        return std::nullopt;
    return PairsCommand(kCodeGpsDisabled, gpsEnabled ? 0 : 1, kCodeGpsMode,
                        kGpsModeCodes[static_cast<std::size_t>(gpsNavStatusItem)]);
}

std::array<int, 3> RestoreSlots(bool baudRates, bool internalGps, bool network)
{
    std::array<int, 3> slots{};
    std::size_t next = 0;
    const bool ticked[] = {baudRates, internalGps, network};
    for (int group = 1; group <= 3; ++group) {
        if (ticked[group - 1])
            slots[next++] = group;
    }
    return slots;
}

std::optional<std::string> RestoreCommand(const std::array<int, 3>& slots)
{
    if (slots[0] == 0)
        return std::nullopt;
    char text[64];
    std::snprintf(text, sizeof text, "$PDBG,100,%d,100,%d,100,%d,,", slots[0], slots[1], slots[2]);
    return text;
}

std::optional<std::string> CompleteCommand(std::string_view text)
{
    if (text.empty() || text.size() > kMaxCommandTextLength)
        return std::nullopt;
    std::array<char, kMaxCommandTextLength + 6> buffer{};
    text.copy(buffer.data(), text.size());
    if (!nmea::AppendChecksum(buffer.data()))
        return std::nullopt;
    return std::string(buffer.data());
}

} // namespace m47::device
