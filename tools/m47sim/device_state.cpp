#include "device_state.h"

#include "sentence.h"

#include <array>
#include <charconv>

namespace m47sim {

namespace {

constexpr std::array<int, 6> kBaudRates = {115200, 57600, 38400, 19200, 9600, 4800};

constexpr int kCodeRs232Baud = 43;
constexpr int kCodeNmeaBaud = 41;
constexpr int kCodeGpsDisabled = 50;
constexpr int kCodeGpsNavStatus = 52;
constexpr int kCodeRestore = 100;

// A decimal field: digits only, at least one.
std::optional<int> ReadNumber(std::string_view text)
{
    int value = 0;
    const auto* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (text.empty() || ec != std::errc() || ptr != end)
        return std::nullopt;
    return value;
}

bool IsValidSetting(const Setting& s)
{
    switch (s.code) {
    case kCodeRs232Baud: return s.value >= 0 && s.value < static_cast<int>(kBaudRates.size());
    case kCodeNmeaBaud: return IsNmeaBaudCode(s.value);
    case kCodeGpsDisabled: return s.value == 0 || s.value == 1;
    case kCodeGpsNavStatus: return s.value == 4 || s.value == 5;
    case kCodeRestore: return s.value >= 0 && s.value <= 3;
    default: return false;
    }
}

} // namespace

int BaudRateOfCode(int code)
{
    return code >= 0 && code < static_cast<int>(kBaudRates.size()) ? kBaudRates[static_cast<size_t>(code)]
                                                                   : 0;
}

std::optional<int> BaudCodeOfRate(int rate)
{
    for (size_t i = 0; i < kBaudRates.size(); ++i)
        if (kBaudRates[i] == rate)
            return static_cast<int>(i);
    return std::nullopt;
}

bool IsNmeaBaudCode(int code)
{
    return code == 2 || code == 4 || code == 5;
}

void RestoreGroup(DeviceState& state, int group, const DeviceState& factory)
{
    switch (group) {
    case 1:
        state.rs232BaudCode = factory.rs232BaudCode;
        state.nmeaBaudCode = factory.nmeaBaudCode;
        break;
    case 2:
        state.gpsDisabled = factory.gpsDisabled;
        state.gpsNavStatus = factory.gpsNavStatus;
        break;
    case 3: {
        // Restoring network settings cannot fit or remove the module itself.
        const bool fitted = state.network.fitted;
        state.network = factory.network;
        state.network.fitted = fitted;
        break;
    }
    default: break;
    }
}

std::vector<std::string> ProductInfoLines(const DeviceState& state)
{
    const std::string items[] = {
        "FIRMWARE=" + state.firmware,
        "SERIAL NO.=" + state.serialNumber,
        "RS232 BAUD RATE=" + std::to_string(BaudRateOfCode(state.rs232BaudCode)),
        "NMEA BAUD RATE=" + std::to_string(BaudRateOfCode(state.nmeaBaudCode)),
        std::string("ETH_MODULE=") + (state.network.fitted ? "ON" : "OFF"),
        std::string("GPS_DISABLE=") + (state.gpsDisabled ? "ON" : "OFF"),
        "GPS_NAV_STATUS=" + std::to_string(state.gpsNavStatus),
        "PROD. INFO. END",
    };
    std::vector<std::string> lines;
    for (const auto& item : items)
        lines.push_back(FrameSentence('$', "PCVN,R,TXT," + item));
    return lines;
}

std::optional<std::vector<Setting>> ParseProgramming(std::string_view body)
{
    constexpr std::string_view kName = "PDBG,";
    if (body.substr(0, kName.size()) != kName)
        return std::nullopt;
    std::vector<std::string_view> fields;
    std::string_view rest = body.substr(kName.size());
    for (;;) {
        const auto comma = rest.find(',');
        fields.push_back(rest.substr(0, comma));
        if (comma == std::string_view::npos)
            break;
        rest.remove_prefix(comma + 1);
    }
    std::vector<Setting> settings;
    for (size_t i = 0; i < fields.size(); i += 2) {
        const std::string_view value = i + 1 < fields.size() ? fields[i + 1] : std::string_view();
        if (fields[i].empty() && value.empty())
            continue; // the trailing empty pairs of the fixed format
        const auto code = ReadNumber(fields[i]);
        const auto number = ReadNumber(value);
        if (!code || !number)
            return std::nullopt;
        const Setting setting{*code, *number};
        if (!IsValidSetting(setting))
            return std::nullopt;
        settings.push_back(setting);
    }
    if (settings.empty())
        return std::nullopt;
    return settings;
}

void ApplySettings(DeviceState& state, const std::vector<Setting>& settings, const DeviceState& factory)
{
    for (const auto& s : settings) {
        switch (s.code) {
        case kCodeRs232Baud: state.rs232BaudCode = s.value; break;
        case kCodeNmeaBaud: state.nmeaBaudCode = s.value; break;
        case kCodeGpsDisabled: state.gpsDisabled = s.value == 1; break;
        case kCodeGpsNavStatus: state.gpsNavStatus = s.value; break;
        case kCodeRestore: RestoreGroup(state, s.value, factory); break;
        default: break;
        }
    }
}

} // namespace m47sim
