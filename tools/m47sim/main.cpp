// m47sim: the virtual Veldra M47. Parses the command line, publishes the port and runs until
// SIGINT or SIGTERM; SIGUSR1 unplugs and replugs the port.
#include "options.h"
#include "simulator.h"

#include <csignal>
#include <cstdio>

namespace {

m47sim::Simulator* g_simulator = nullptr;

extern "C" void OnStopSignal(int)
{
    if (g_simulator)
        g_simulator->Stop();
}

extern "C" void OnUnplugSignal(int)
{
    if (g_simulator)
        g_simulator->ToggleUnplug();
}

void Install(int signal, void (*handler)(int))
{
    struct sigaction action {
    };
    action.sa_handler = handler;
    sigemptyset(&action.sa_mask);
    sigaction(signal, &action, nullptr);
}

} // namespace

int main(int argc, char** argv)
{
    std::string error;
    const auto line = m47sim::ParseCommandLine(std::vector<std::string>(argv + 1, argv + argc), error);
    if (!line) {
        std::fprintf(stderr, "m47sim: %s\nTry 'm47sim --help'.\n", error.c_str());
        return 2;
    }
    if (line->help) {
        std::fputs(m47sim::HelpText().c_str(), stdout);
        return 0;
    }
    auto device = m47sim::MakeDevice(*line, m47sim::Clock::now(), error);
    if (!device) {
        std::fprintf(stderr, "m47sim: %s\n", error.c_str());
        return 1;
    }
    m47sim::Simulator simulator(std::move(device), line->simulator);
    if (!simulator.Start(error)) {
        std::fprintf(stderr, "m47sim: %s\n", error.c_str());
        return 1;
    }
    g_simulator = &simulator;
    Install(SIGINT, OnStopSignal);
    Install(SIGTERM, OnStopSignal);
    Install(SIGHUP, OnStopSignal);
    Install(SIGUSR1, OnUnplugSignal);
    std::printf("m47sim: %s published as %s\n",
                m47sim::FriendlyPortName(line->simulator.friendlyName, line->simulator.comNumber).c_str(),
                simulator.linkPath().c_str());
    std::fflush(stdout);
    simulator.Run();
    g_simulator = nullptr;
    return 0;
}
