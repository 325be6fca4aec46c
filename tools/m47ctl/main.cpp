// m47ctl: the configurator's connection, read-back and programming for scripts, without a window.
#include "ctl_commands.h"
#include "ctl_options.h"

#include "serial/comm.h"

#include <QCoreApplication>

#include <cstdio>
#include <string>
#include <vector>

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    std::string error;
    const auto options = m47::ctl::ParseArguments(std::vector<std::string>(argv + 1, argv + argc), error);
    if (!options) {
        std::fprintf(stderr, "m47ctl: %s\nTry 'm47ctl --help'.\n", error.c_str());
        return m47::ctl::kExitUsage;
    }
    TComm port;
    return m47::ctl::RunCommand(*options, port);
}
