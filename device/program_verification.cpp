#include "device/program_verification.h"

#include "device/command_sentences.h"

namespace m47::device {

namespace {

std::optional<std::string> RateText(const std::optional<int>& rate)
{
    return rate ? std::optional(std::to_string(*rate)) : std::nullopt;
}

std::optional<std::string> FlagText(const std::optional<bool>& flag, const char* set, const char* clear)
{
    return flag ? std::optional<std::string>(*flag ? set : clear) : std::nullopt;
}

// The compared settings in their order, each as the text both sides are shown with.
struct ComparedSetting {
    std::string_view name;
    std::optional<std::string> (*text)(const DeviceSettings&);
};
constexpr ComparedSetting kCompared[] = {
    {"RS-232 baud rate", [](const DeviceSettings& s) { return RateText(s.rs232BaudRate); }},
    {"NMEA baud rate", [](const DeviceSettings& s) { return RateText(s.nmeaBaudRate); }},
    {"internal GPS", [](const DeviceSettings& s) { return FlagText(s.gpsEnabled, "on", "off"); }},
    {"GPS mode", [](const DeviceSettings& s) { return FlagText(s.gpsAtSeaLevel, "sea", "high"); }},
};

template <std::size_t N>
std::optional<int> Entry(const std::array<int, N>& table, int index)
{
    if (index < 0 || static_cast<std::size_t>(index) >= N)
        return std::nullopt;
    return table[static_cast<std::size_t>(index)];
}

} // namespace

std::optional<DeviceSettings> BaudRateSettings(int rs232Item, int nmeaItem)
{
    const auto rs232 = Entry(kBaudCodeRates, rs232Item);
    const auto nmeaCode = Entry(kNmeaBaudCodes, nmeaItem);
    if (!rs232 || !nmeaCode)
        return std::nullopt;
    DeviceSettings settings;
    settings.rs232BaudRate = rs232;
    settings.nmeaBaudRate = Entry(kBaudCodeRates, *nmeaCode);
    return settings;
}

std::optional<DeviceSettings> InternalGpsSettings(bool gpsEnabled, int gpsNavStatusItem)
{
    const auto mode = Entry(kGpsModeCodes, gpsNavStatusItem);
    if (!mode)
        return std::nullopt;
    DeviceSettings settings;
    settings.gpsEnabled = gpsEnabled;
    settings.gpsAtSeaLevel = *mode == kGpsNavStatusAtSeaLevel;
    return settings;
}

std::optional<DeviceSettings> RestoreSettings(const std::array<int, 3>& slots)
{
    if (slots[0] == 0)
        return std::nullopt;
    DeviceSettings settings;
    for (const int group : slots) {
        if (group == 1) {
            settings.rs232BaudRate = kFactorySettings.rs232BaudRate;
            settings.nmeaBaudRate = kFactorySettings.nmeaBaudRate;
        } else if (group == 2) {
            settings.gpsEnabled = kFactorySettings.gpsEnabled;
            settings.gpsAtSeaLevel = kFactorySettings.gpsAtSeaLevel;
        }
    }
    return settings;
}

DeviceSettings ReportedSettings(const DeviceInfo& info)
{
    return {info.Rs232BaudRate, info.NmeaBaudRate, info.GpsDisabled == 0,
            info.GpsNavStatus == kGpsNavStatusAtSeaLevel};
}

std::vector<SettingDifference> VerifySettings(const DeviceSettings& programmed, const DeviceSettings& reported)
{
    std::vector<SettingDifference> differences;
    for (const ComparedSetting& compared : kCompared) {
        const auto wanted = compared.text(programmed);
        if (!wanted)
            continue;
        const std::string got = compared.text(reported).value_or("nothing");
        if (got != *wanted)
            differences.push_back({compared.name, *wanted, got});
    }
    return differences;
}

std::string DescribeDifferences(const std::vector<SettingDifference>& differences)
{
    std::string text;
    for (const SettingDifference& d : differences) {
        if (!text.empty())
            text += "; ";
        text.append(d.setting).append(": programmed ").append(d.programmed);
        text.append(", device reports ").append(d.reported);
    }
    return text;
}

std::optional<std::vector<SettingDifference>> ProgramVerification::Identified(const DeviceInfo& info)
{
    if (!expected_)
        return std::nullopt;
    const DeviceSettings expected = *expected_;
    expected_.reset();
    return VerifySettings(expected, ReportedSettings(info));
}

} // namespace m47::device
