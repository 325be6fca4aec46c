#pragma once
// The commands of m47ctl over one serial port component: each writes its result to stdout
// (JSON or lines for a person), its failure to stderr with the port and the reason, and returns
// the exit status.
#include "ctl_options.h"

class TComm;

namespace m47::ctl {

int RunCommand(const CtlOptions& options, TComm& port);

} // namespace m47::ctl
