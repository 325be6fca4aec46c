#pragma once
// What `program` and `profile apply` send: one "$PDBG" sentence per setting group, built by the
// window's own command rules from the requested values, with the values the device does not get
// asked about taken from its product information, as the configuration pages show them.
//
//   --rs232 9600 (NMEA reported 4800)  ->  "$PDBG,43,4,41,5,,,,"  expecting RS-232 9600, NMEA 4800
//   --gps off                          ->  "$PDBG,50,1,52,5,,,,"  expecting GPS off, at sea level
//   --restore baud,gps                 ->  "$PDBG,100,1,100,2,100,0,,"  expecting the factory values
#include "ctl_options.h"

#include "device/device_info.h"
#include "device/program_verification.h"

#include <string>
#include <vector>

namespace m47::ctl {

struct ProgramStep {
    std::string command; // before completion
    device::DeviceSettings expected;
};

// The baud-rate step first, then the internal GPS step; a restore is one step.
std::vector<ProgramStep> PlanProgramming(const ProgramRequest& request, const device::DeviceInfo& current);

// A profile holds every programmable setting; its steps leave out the groups the device already
// reports as wanted.
ProgramRequest ProfileRequest(const device::DeviceSettings& profile);
std::vector<ProgramStep> StepsStillNeeded(std::vector<ProgramStep> steps, const device::DeviceInfo& current);

} // namespace m47::ctl
