// The virtual device without a port: what it answers, how programming changes it, the network
// module's AT exchange and the shape of its streams.
#include "device.h"
#include "sentence.h"
#include "sim_test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>

namespace m47sim {
namespace {

using namespace std::chrono_literals;
using test::Containing;
using test::MakeTestDevice;
using test::RunFor;

DeviceOptions Quiet()
{
    DeviceOptions options;
    options.streams.gnss = false;
    options.streams.ais = false;
    options.replyDelay = 100ms;
    return options;
}

const std::vector<std::string> kFactoryReply = {
    "$PCVN,R,TXT,FIRMWARE=M47 V1.05.12*0E\r\n", "$PCVN,R,TXT,SERIAL NO.=M47A2612000047*14\r\n",
    "$PCVN,R,TXT,RS232 BAUD RATE=38400*0D\r\n", "$PCVN,R,TXT,NMEA BAUD RATE=38400*38\r\n",
    "$PCVN,R,TXT,ETH_MODULE=ON*0D\r\n",         "$PCVN,R,TXT,GPS_DISABLE=OFF*10\r\n",
    "$PCVN,R,TXT,GPS_NAV_STATUS=5*2C\r\n",      "$PCVN,R,TXT,PROD. INFO. END*65\r\n",
};

std::vector<std::string> Identify(Device& device, Clock::time_point& now)
{
    device.Receive("$PTST,,,,,16*28\r\n", now);
    return RunFor(device, now, 300ms);
}

TEST(DeviceIdentification, AnswersTheQueryAfterItsDelayWithTheProductInformation)
{
    auto device = MakeTestDevice(Quiet());
    Clock::time_point now{};
    device->Receive("$PTST,,,,,16*28\r\n", now);
    EXPECT_TRUE(RunFor(*device, now, 90ms).empty()) << "answered before the reply delay";
    EXPECT_EQ(RunFor(*device, now, 50ms), kFactoryReply);
}

TEST(DeviceIdentification, ReportsItsStateAndSkipsBytesTheProgramAddsAroundTheQuery)
{
    DeviceState state;
    state.firmware = "FW 2.0";
    state.serialNumber = "SN1";
    state.rs232BaudCode = 4;
    state.nmeaBaudCode = 5;
    state.gpsDisabled = true;
    state.gpsNavStatus = 4;
    state.network.fitted = false;
    auto device = MakeTestDevice(Quiet(), state);
    Clock::time_point now{};
    // Written in two pieces, with the NUL and stray CR a raw console line carries.
    device->Receive("$PTST,,,,", now);
    device->Receive(",16*28\r\r\n\0", now);
    const auto reply = RunFor(*device, now, 300ms);
    const std::vector<std::string> items = {"FIRMWARE=FW 2.0",     "SERIAL NO.=SN1", "RS232 BAUD RATE=9600",
                                            "NMEA BAUD RATE=4800", "ETH_MODULE=OFF", "GPS_DISABLE=ON",
                                            "GPS_NAV_STATUS=4",    "PROD. INFO. END"};
    ASSERT_EQ(reply.size(), items.size());
    for (size_t i = 0; i < items.size(); ++i) {
        EXPECT_EQ(reply[i], FrameSentence('$', "PCVN,R,TXT," + items[i]));
        EXPECT_LE(reply[i].size(), 82u);
    }
}

TEST(DeviceIdentification, IgnoresQueriesWithoutAValidChecksumAndAnswersNothingWhenSilenced)
{
    for (const char* query :
         {"$PTST,,,,,16*29\r\n", "$PTST,,,,,16\r\n", "$PTST,,,,,17*29\r\n", "PTST,,,,,16*28\r\n"}) {
        auto device = MakeTestDevice(Quiet());
        Clock::time_point now{};
        device->Receive(query, now);
        EXPECT_TRUE(RunFor(*device, now, 500ms).empty()) << query;
    }
    DeviceOptions silent = Quiet();
    silent.answerIdentification = false;
    auto device = MakeTestDevice(silent);
    Clock::time_point now{};
    EXPECT_TRUE(Identify(*device, now).empty());
}

TEST(DeviceIdentification, DropsOverlongLinesWithoutLosingTheNextQuery)
{
    auto device = MakeTestDevice(Quiet());
    Clock::time_point now{};
    device->Receive(std::string(5000, 'A') + "$PTST,,,,,16*28\r\n", now);
    EXPECT_TRUE(RunFor(*device, now, 300ms).empty());
    EXPECT_EQ(Identify(*device, now), kFactoryReply);
}

struct ProgrammingCase {
    const char* body;
    std::vector<std::string> expected; // items of the next product information
};

TEST(DeviceProgramming, AnnouncesARestartAndReportsTheNewSettingsAfterIt)
{
    const ProgrammingCase cases[] = {
        {"PDBG,43,4,41,5,,,,", {"RS232 BAUD RATE=9600", "NMEA BAUD RATE=4800"}},
        {"PDBG,43,0,41,2,,,,", {"RS232 BAUD RATE=115200", "NMEA BAUD RATE=38400"}},
        {"PDBG,50,1,52,4,,,,", {"GPS_DISABLE=ON", "GPS_NAV_STATUS=4"}},
        {"PDBG,100,1,100,0,100,0,,", {"RS232 BAUD RATE=38400", "NMEA BAUD RATE=38400", "GPS_DISABLE=ON"}},
        {"PDBG,100,2,100,0,100,0,,", {"RS232 BAUD RATE=57600", "GPS_DISABLE=OFF", "GPS_NAV_STATUS=5"}},
        {"PDBG,100,1,100,2,100,3,,", {"RS232 BAUD RATE=38400", "GPS_DISABLE=OFF", "GPS_NAV_STATUS=5"}},
    };
    for (const auto& c : cases) {
        DeviceState state;
        state.rs232BaudCode = 1;
        state.nmeaBaudCode = 4;
        state.gpsDisabled = true;
        state.gpsNavStatus = 4;
        auto device = MakeTestDevice(Quiet(), state);
        Clock::time_point now{};
        device->Receive(FrameSentence('$', c.body), now);
        EXPECT_EQ(RunFor(*device, now, 200ms), std::vector<std::string>{"$PCVN,R,TXT,SYSTEM RESTART*5F\r\n"})
            << c.body;
        ASSERT_TRUE(device->TakeRestartRequest()) << c.body;
        EXPECT_FALSE(device->TakeRestartRequest());

        // Away: deaf and silent until restarted.
        device->Receive("$PTST,,,,,16*28\r\n", now);
        EXPECT_TRUE(RunFor(*device, now, 300ms).empty());
        device->Restarted(now);
        const auto reply = Identify(*device, now);
        for (const auto& item : c.expected)
            EXPECT_EQ(Containing(reply, item).size(), 1u) << c.body << " lacks " << item;
    }
}

TEST(DeviceProgramming, AnIgnoringDeviceRestartsWithItsSettingsKept)
{
    DeviceOptions ignoring = Quiet();
    ignoring.takeProgramming = false;
    auto device = MakeTestDevice(ignoring);
    Clock::time_point now{};
    device->Receive(FrameSentence('$', "PDBG,43,4,41,5,,,,"), now);
    EXPECT_EQ(RunFor(*device, now, 200ms), std::vector<std::string>{"$PCVN,R,TXT,SYSTEM RESTART*5F\r\n"});
    ASSERT_TRUE(device->TakeRestartRequest());
    device->Restarted(now);
    EXPECT_EQ(Identify(*device, now), kFactoryReply);
}

TEST(DeviceProgramming, TheProgramsOwnBaudSentenceGoesThrough)
{
    auto device = MakeTestDevice(Quiet());
    Clock::time_point now{};
    device->Receive("$PDBG,43,4,41,2,,,,*13\r\n", now); // wrong checksum: ignored
    EXPECT_TRUE(RunFor(*device, now, 200ms).empty());
    device->Receive("$PDBG,43,2,41,2,,,,*13\r\n", now);
    EXPECT_EQ(RunFor(*device, now, 200ms).size(), 1u);
    EXPECT_TRUE(device->TakeRestartRequest());
}

TEST(DeviceProgramming, IgnoresUnknownCodesAndValuesOutOfRange)
{
    for (const char* body : {"PDBG,44,2,41,2,,,,", "PDBG,43,6,41,2,,,,", "PDBG,43,2,41,0,,,,",
                             "PDBG,50,2,52,5,,,,", "PDBG,50,0,52,3,,,,", "PDBG,100,4,100,0,100,0,,",
                             "PDBG,,,,,,,,", "PDBG,43,,41,2,,,,", "PDBG,43,x,41,2,,,,", "PDBG,163,2,,,,,,"}) {
        auto device = MakeTestDevice(Quiet());
        Clock::time_point now{};
        device->Receive(FrameSentence('$', body), now);
        EXPECT_TRUE(RunFor(*device, now, 300ms).empty()) << body;
        EXPECT_FALSE(device->TakeRestartRequest()) << body;
        EXPECT_EQ(Identify(*device, now), kFactoryReply) << body;
    }
}

TEST(DeviceNetworkModule, EchoesAndAnswersAtCommandsOnlyInConfigurationMode)
{
    auto device = MakeTestDevice(Quiet());
    Clock::time_point now{};
    device->Receive("AT+VER\n", now);
    EXPECT_TRUE(RunFor(*device, now, 300ms).empty()) << "answered outside configuration mode";

    device->Receive("$PDBG,163,1,,,,,,*14\r\n", now);
    EXPECT_TRUE(device->configMode());
    device->Receive("AT+VER\nAT+SYSIP\nAT+DEVNAME\nAT+NOPE\n", now);
    EXPECT_EQ(RunFor(*device, now, 300ms),
              (std::vector<std::string>{">AT+VER\r\n", "+ok=V1.2.2\r\n", ">AT+SYSIP\r\n",
                                        "+ok=192.168.1.254,255.255.255.0\r\n", ">AT+DEVNAME\r\n",
                                        "+ok=M47-NET\r\n", ">AT+NOPE\r\n", "+err\r\n"}));
    EXPECT_FALSE(device->TakeRestartRequest()) << "the mode sentence is no programming";

    device->Receive("$PDBG,163,0,,,,,,*15\n", now);
    EXPECT_FALSE(device->configMode());
    device->Receive("AT+VER\n", now);
    EXPECT_TRUE(RunFor(*device, now, 300ms).empty());
}

TEST(DeviceNetworkModule, TheAddressAnswerHasSixDotsAndRestoreBringsBackTheFactoryAddress)
{
    DeviceState state;
    state.network.address = "10.20.30.40";
    auto device = MakeTestDevice(Quiet(), state);
    Clock::time_point now{};
    device->Receive("$PDBG,163,1,,,,,,*14\r\nAT+SYSIP\n", now);
    const auto before = RunFor(*device, now, 300ms);
    ASSERT_EQ(before.size(), 2u);
    EXPECT_EQ(before[1], "+ok=10.20.30.40,255.255.255.0\r\n");
    EXPECT_EQ(std::count(before[1].begin(), before[1].end(), '.'), 6);

    device->Receive(FrameSentence('$', "PDBG,100,3,100,0,100,0,,"), now);
    RunFor(*device, now, 300ms);
    ASSERT_TRUE(device->TakeRestartRequest());
    device->Restarted(now);
    EXPECT_FALSE(device->configMode()) << "a restart leaves configuration mode";
    device->Receive("$PDBG,163,1,,,,,,*14\r\nAT+SYSIP\n", now);
    EXPECT_EQ(RunFor(*device, now, 300ms).back(), "+ok=192.168.1.254,255.255.255.0\r\n");
}

TEST(DeviceNetworkModule, WithoutAModuleTheModeSentenceIsIgnored)
{
    DeviceState state;
    state.network.fitted = false;
    auto device = MakeTestDevice(Quiet(), state);
    Clock::time_point now{};
    device->Receive("$PDBG,163,1,,,,,,*14\r\nAT+VER\n", now);
    EXPECT_FALSE(device->configMode());
    EXPECT_TRUE(RunFor(*device, now, 300ms).empty());
}

// Formatter (after the talker) -> the comma counts a line of it may have.
const std::map<std::string, std::set<long>> kCommaCounts = {
    {"RMC", {11, 12, 13}}, {"VTG", {9}}, {"GGA", {14}}, {"GSA", {17}}, {"GSV", {7, 11, 15, 19}},
    {"GLL", {7}},          {"ZDA", {6}}, {"VDM", {6}},  {"VDO", {6}},
};

std::string Formatter(const std::string& line)
{
    return line.substr(3, 3);
}

TEST(DeviceStreams, EveryLineIsAFramedSentenceOfTheRightShape)
{
    auto device = MakeTestDevice();
    Clock::time_point now{};
    const auto lines = RunFor(*device, now, 25s);
    ASSERT_GT(lines.size(), 300u);
    std::set<std::string> seen;
    for (const auto& line : lines) {
        ASSERT_GE(line.size(), 8u);
        EXPECT_LE(line.size(), 82u) << line;
        EXPECT_EQ(line.substr(line.size() - 2), "\r\n");
        const auto body = CheckedBody(std::string_view(line).substr(0, line.size() - 2));
        ASSERT_TRUE(body) << line;
        const auto counts = kCommaCounts.find(Formatter(line));
        ASSERT_NE(counts, kCommaCounts.end()) << line;
        EXPECT_TRUE(counts->second.count(std::count(line.begin(), line.end(), ','))) << line;
        seen.insert(line.substr(0, 6));
    }
    EXPECT_EQ(seen, (std::set<std::string>{"$GNRMC", "$GNVTG", "$GNGGA", "$GNGSA", "$GPGSV", "$GLGSV",
                                           "$GNGLL", "$GNZDA", "!AIVDM", "!AIVDO"}));
}

TEST(DeviceStreams, OneGnssCyclePerSecondWithTrackedAndUntrackedSatellites)
{
    DeviceOptions options;
    options.streams.ais = false;
    options.streams.glonass = false;
    auto device = MakeTestDevice(options);
    Clock::time_point now{};
    const auto lines = RunFor(*device, now, 3s);
    std::vector<std::string> formatters;
    for (const auto& line : lines)
        formatters.push_back(line.substr(1, 5));
    const std::vector<std::string> cycle = {"GPRMC", "GPVTG", "GPGGA", "GPGSA", "GPGSV",
                                            "GPGSV", "GPGSV", "GPGLL", "GPZDA"};
    std::vector<std::string> three;
    for (int i = 0; i < 3; ++i)
        three.insert(three.end(), cycle.begin(), cycle.end());
    EXPECT_EQ(formatters, three);

    // The first sequence: its satellites, each "id,elevation,azimuth,snr" with the SNR empty
    // for a satellite not being tracked.
    int tracked = 0, untracked = 0, inView = 0;
    for (const auto& gsv : Containing(std::vector<std::string>(lines.begin(), lines.begin() + 9), "GSV")) {
        const auto body = gsv.substr(0, gsv.find('*'));
        std::vector<std::string> fields;
        size_t at = 0;
        for (size_t comma; (comma = body.find(',', at)) != std::string::npos; at = comma + 1)
            fields.push_back(body.substr(at, comma - at));
        fields.push_back(body.substr(at));
        inView = std::stoi(fields[3]);
        for (size_t block = 4; block + 3 < fields.size(); block += 4)
            (fields[block + 3].empty() ? untracked : tracked) += 1;
    }
    EXPECT_EQ(tracked + untracked, inView);
    EXPECT_GT(tracked, 4);
    EXPECT_GT(untracked, 0);
}

TEST(DeviceStreams, ADisabledGpsSendsNoGnssAndNoOwnShipReport)
{
    DeviceState state;
    state.gpsDisabled = true;
    auto device = MakeTestDevice({}, state);
    Clock::time_point now{};
    const auto lines = RunFor(*device, now, 5s);
    EXPECT_FALSE(lines.empty());
    for (const auto& line : lines)
        EXPECT_EQ(line.substr(0, 6), "!AIVDM") << line;
}

TEST(DeviceStreams, PauseInConfigurationModeAndResumeAfterIt)
{
    auto device = MakeTestDevice();
    Clock::time_point now{};
    EXPECT_FALSE(RunFor(*device, now, 2s).empty());
    device->Receive("$PDBG,163,1,,,,,,*14\r\n", now);
    EXPECT_TRUE(RunFor(*device, now, 3s).empty());
    device->Receive("$PDBG,163,0,,,,,,*15\n", now);
    EXPECT_FALSE(RunFor(*device, now, 2s).empty());
}

TEST(DeviceStreams, FloodingSendsAnEpochWheneverThePortIsIdle)
{
    DeviceOptions options;
    options.streams.flood = true;
    auto device = MakeTestDevice(options);
    const Clock::time_point now{};
    EXPECT_FALSE(device->Poll(now, true).empty());
    EXPECT_FALSE(device->Poll(now, true).empty());
    EXPECT_TRUE(device->Poll(now, false).empty());
    EXPECT_EQ(device->epochs(), 2);
}

} // namespace
} // namespace m47sim
