#include "ctl_program.h"

#include "device/command_sentences.h"

#include <algorithm>

namespace m47::ctl {

std::vector<ProgramStep> PlanProgramming(const ProgramRequest& request, const device::DeviceInfo& current)
{
    using namespace device;
    std::vector<ProgramStep> steps;
    const auto add = [&steps](const std::optional<std::string>& command,
                              const std::optional<DeviceSettings>& expected) {
        if (command && expected)
            steps.push_back({*command, *expected});
    };
    if (request.Restores()) {
        const auto groups = RestoreSlots(request.restore[0], request.restore[1], request.restore[2]);
        add(RestoreCommand(groups), RestoreSettings(groups));
        return steps;
    }
    if (request.ChangesBaudRates()) {
        // An unrequested rate stays what the page shows for the reported one.
        const int rs232 = request.rs232BaudRate ? Rs232ItemOfRate(*request.rs232BaudRate)
                                                : ItemContainingNumber(kRs232BaudItems, current.Rs232BaudRate);
        const int nmea = request.nmeaBaudRate ? NmeaItemOfRate(*request.nmeaBaudRate)
                                              : ItemContainingNumber(kNmeaBaudItems, current.NmeaBaudRate);
        add(BaudRateCommand(rs232, nmea), BaudRateSettings(rs232, nmea));
    }
    if (request.ChangesGps()) {
        const bool enabled = request.gpsEnabled.value_or(current.GpsDisabled == 0);
        const int mode = GpsNavStatusItem(request.gpsAtSeaLevel.value_or(current.GpsNavStatus == kGpsNavStatusAtSeaLevel));
        add(InternalGpsCommand(enabled, mode), InternalGpsSettings(enabled, mode));
    }
    return steps;
}

ProgramRequest ProfileRequest(const device::DeviceSettings& profile)
{
    ProgramRequest request;
    request.rs232BaudRate = profile.rs232BaudRate;
    request.nmeaBaudRate = profile.nmeaBaudRate;
    request.gpsEnabled = profile.gpsEnabled;
    request.gpsAtSeaLevel = profile.gpsAtSeaLevel;
    return request;
}

std::vector<ProgramStep> StepsStillNeeded(std::vector<ProgramStep> steps, const device::DeviceInfo& current)
{
    const device::DeviceSettings reported = device::ReportedSettings(current);
    std::erase_if(steps, [&](const ProgramStep& step) { return device::VerifySettings(step.expected, reported).empty(); });
    return steps;
}

} // namespace m47::ctl
