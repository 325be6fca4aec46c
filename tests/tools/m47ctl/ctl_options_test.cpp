// m47ctl's command line and programming plan without a device: which command lines a script may
// give (and why the others are refused), and which sentences a request turns into against the
// values the device reported.
#include "ctl_options.h"
#include "ctl_program.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace ctl = m47::ctl;

namespace {

std::vector<std::string> Words(const std::string& line)
{
    std::vector<std::string> words;
    std::size_t at = 0;
    while (at < line.size()) {
        const std::size_t end = line.find(' ', at);
        words.push_back(line.substr(at, end - at));
        at = end == std::string::npos ? line.size() : end + 1;
    }
    return words;
}

m47::device::DeviceInfo Reported(int rs232, int nmea, bool gpsOn, int navStatus)
{
    m47::device::DeviceInfo info{};
    info.Rs232BaudRate = rs232;
    info.NmeaBaudRate = nmea;
    info.GpsDisabled = gpsOn ? 0 : 1;
    info.GpsNavStatus = navStatus;
    return info;
}

} // namespace

TEST(CtlOptions, RefusesCommandLinesWithTheReason)
{
    const struct {
        const char* line;
        const char* reason;
    } kCases[] = {
        {"", "no command given"},
        {"flash --port COM200", "unknown command flash"},
        {"identify", "--port is needed"},
        {"identify --port COM0", "bad value for --port: COM0"},
        {"identify --port COM256", "bad value for --port: COM256"},
        {"identify --port", "--port needs COMn"},
        {"identify --port COM200 --colour", "unknown option --colour"},
        {"identify --port COM200 --rs232 9600", "settings are only for program"},
        {"program --port COM200", "program needs --rs232, --nmea, --gps, --gps-mode or --restore"},
        {"program --port COM200 --nmea 19200", "bad value for --nmea: 19200"},
        {"program --port COM200 --rs232 9600x", "bad value for --rs232: 9600x"},
        {"program --port COM200 --gps yes", "bad value for --gps: yes"},
        {"program --port COM200 --restore baud,radio", "bad value for --restore: baud,radio"},
        {"program --port COM200 --restore baud --nmea 4800", "--restore goes alone"},
        {"identify --port COM200 --network", "--network is only for read"},
        {"identify --port COM200 --interface serial", "bad value for --interface: serial"},
        {"identify --port COM200 --baud 1200", "bad value for --baud: 1200"},
        {"profile load x.json --port COM200", "unknown command profile"},
    };
    for (const auto& c : kCases) {
        std::string error;
        EXPECT_FALSE(ctl::ParseArguments(Words(c.line), error)) << c.line;
        EXPECT_EQ(error, c.reason) << c.line;
    }
}

TEST(CtlOptions, ReadsWhatAScriptGives)
{
    std::string error;
    auto o = ctl::ParseArguments(
        Words("program --port com201 --interface rs232 --baud 9600 --rs232 38400 --gps off --gps-mode high --json"),
        error);
    ASSERT_TRUE(o) << error;
    EXPECT_EQ(o->command, ctl::Command::Program);
    EXPECT_EQ(o->comNumber, 201);
    EXPECT_TRUE(o->rs232);
    EXPECT_EQ(o->pcBaudRate, 9600);
    EXPECT_EQ(o->program.rs232BaudRate, 38400);
    EXPECT_FALSE(o->program.nmeaBaudRate);
    EXPECT_EQ(o->program.gpsEnabled, false);
    EXPECT_EQ(o->program.gpsAtSeaLevel, false);
    EXPECT_TRUE(o->json);

    o = ctl::ParseArguments(Words("profile apply unit.json --port 200 --verbose"), error);
    ASSERT_TRUE(o) << error;
    EXPECT_EQ(o->command, ctl::Command::ProfileApply);
    EXPECT_EQ(o->profilePath, "unit.json");
    EXPECT_EQ(o->comNumber, 200);
    EXPECT_TRUE(o->verbose);

    o = ctl::ParseArguments(Words("program --port COM200 --restore gps,network"), error);
    ASSERT_TRUE(o) << error;
    EXPECT_EQ(o->program.restore, (std::array<bool, 3>{false, true, true}));

    o = ctl::ParseArguments(Words("list"), error);
    ASSERT_TRUE(o) << error;
    EXPECT_EQ(o->command, ctl::Command::List);
}

// A value the script does not name stays what the device reported; each group is one sentence.
TEST(CtlProgram, PlansOneSentencePerGroupKeepingWhatIsNotAsked)
{
    const auto reported = Reported(38400, 4800, true, m47::device::kGpsNavStatusAtSeaLevel);
    const struct {
        const char* line;
        std::vector<std::string> commands;
    } kCases[] = {
        {"program --port COM200 --rs232 9600", {"$PDBG,43,4,41,5,,,,"}},
        {"program --port COM200 --nmea 38400", {"$PDBG,43,2,41,2,,,,"}},
        {"program --port COM200 --gps off", {"$PDBG,50,1,52,5,,,,"}},
        {"program --port COM200 --rs232 115200 --gps-mode high", {"$PDBG,43,0,41,5,,,,", "$PDBG,50,0,52,4,,,,"}},
        {"program --port COM200 --restore baud,gps", {"$PDBG,100,1,100,2,100,0,,"}},
    };
    for (const auto& c : kCases) {
        std::string error;
        const auto o = ctl::ParseArguments(Words(c.line), error);
        ASSERT_TRUE(o) << c.line << ": " << error;
        std::vector<std::string> commands;
        for (const auto& step : ctl::PlanProgramming(o->program, reported))
            commands.push_back(step.command);
        EXPECT_EQ(commands, c.commands) << c.line;
    }
}

TEST(CtlProgram, ProfileLeavesOutGroupsTheDeviceAlreadyHas)
{
    const m47::device::DeviceSettings profile{9600, 4800, true, true};
    const auto steps = ctl::PlanProgramming(ctl::ProfileRequest(profile), Reported(38400, 4800, true, 5));
    ASSERT_EQ(steps.size(), 2u);
    const auto needed = ctl::StepsStillNeeded(steps, Reported(38400, 4800, true, 5));
    ASSERT_EQ(needed.size(), 1u);
    EXPECT_EQ(needed[0].expected.rs232BaudRate, 9600);
    EXPECT_TRUE(ctl::StepsStillNeeded(steps, Reported(9600, 4800, true, 5)).empty());
}
