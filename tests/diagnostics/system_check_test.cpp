#include "diagnostics/system_check.h"
#include "diagnostics/gps_status_panel.h"

#include "device/device_info.h"
#include "nmea/sentence_library.h"

#include "nmea_lines.h"

#include <gtest/gtest.h>

#include <memory>

using namespace m47::diagnostics;
using namespace diagtest;
using m47::device::DeviceInfo;

namespace {

struct ReceivedLines {
    const char* what;
    std::vector<std::string> lines;
    int countA;
    int countB;
};

} // namespace

TEST(RxCounting, ChannelsOfDecodedReports)
{
    const ReceivedLines cases[] = {
        {"channel A", {Vdm("A")}, 1, 0},
        {"channel B", {Vdm("B")}, 0, 1},
        {"empty channel", {Vdm("")}, 0, 1},
        {"other letter", {Vdm("2")}, 0, 1},
        {"own ship", {kOwnShipVdo, kOwnShipVdo}, 0, 0},
        {"two-sentence message", {kTwoPartFirst, kTwoPartSecond}, 1, 0},
        {"first part alone", {kTwoPartFirst}, 0, 0},
        {"GNSS sentences", {kGga, kRmc}, 0, 0},
        {"mixed", {Vdm("A"), Vdm("B"), kOwnShipVdo, Vdm("A"), kGga, Vdm("B")}, 2, 2},
    };
    for (const ReceivedLines& c : cases) {
        auto library = std::make_unique<nmea::SentenceLibrary>();
        GpsStatusPanel panel(*library);
        int changes = 0;
        for (const std::string& line : c.lines)
            changes += panel.UpdateGpsStatus(line).rxCounted ? 1 : 0;
        EXPECT_EQ(panel.RxCounts().RxCountA, c.countA) << c.what;
        EXPECT_EQ(panel.RxCounts().RxCountB, c.countB) << c.what;
        EXPECT_EQ(changes, c.countA + c.countB) << c.what;
    }
}

TEST(RxCounting, CountersStopAtTheTopInsteadOfWrapping)
{
    auto library = std::make_unique<nmea::SentenceLibrary>();
    GpsStatusPanel panel(*library);
    panel.RxCounts().RxCountA = std::numeric_limits<std::int32_t>::max() - 1;
    panel.UpdateGpsStatus(Vdm("A"));
    panel.UpdateGpsStatus(Vdm("A"));
    EXPECT_EQ(panel.RxCounts().RxCountA, std::numeric_limits<std::int32_t>::max());
    EXPECT_EQ(ShowSystemCheck(DeviceInfo{}, false, panel.RxCounts()).rxImage, ciPassed);
}

namespace {

class SystemCheckPage : public ::testing::Test
{
protected:
    void Answer(const char* sentence) { m47::device::ParseConfigurationLine(info, Line(sentence), true); }

    DeviceInfo info{};
    RxCounters counters;
};

// The page before anything is received, and right after Refresh.
const SystemCheckRows kNothingReceived{"---------", "---------", "Lost",   "N/A",    "0",     "0",
                                       ciFailed,    ciFailed,    ciNoData, ciNoData, ciFailed};

} // namespace

namespace m47::diagnostics {
void PrintTo(const SystemCheckRows& r, std::ostream* os)
{
    *os << "{" << r.firmwareVersion << " | " << r.serialNumber << " | " << r.gps << " | "
        << r.networkFirmwareVersion << " | " << r.rxCountA << " | " << r.rxCountB << " | images "
        << r.firmwareImage << r.serialNumberImage << r.rxImage << r.networkImage << r.gpsImage << "}";
}
} // namespace m47::diagnostics

TEST_F(SystemCheckPage, NothingReceivedShowsDashesCrossesAndWarnings)
{
    EXPECT_EQ(ShowSystemCheck(info, false, counters), kNothingReceived);
}

TEST_F(SystemCheckPage, ReceivedValuesShowWithCheckMarks)
{
    Answer("$PCVN,R,TXT,FIRMWARE=M47-2.1.0");
    Answer("$PCVN,R,TXT,SERIAL NO.=M47A00123");
    m47::device::SetText(info.NetworkFirmwareVersion, "NET-<b>1.4</b>"); // kept as it came
    info.NetworkFirmwareReceived = 1;
    counters.RxCountB = 3;

    const SystemCheckRows expected{"M47-2.1.0", "M47A00123", "Fixed",  "NET-<b>1.4</b>", "0",     "3",
                                   ciPassed,    ciPassed,    ciPassed, ciPassed,         ciPassed};
    EXPECT_EQ(ShowSystemCheck(info, true, counters), expected);
}

TEST_F(SystemCheckPage, RefreshShowsDashesAtOnceAndValuesAfterTheAnswer)
{
    Answer("$PCVN,R,TXT,FIRMWARE=M47-2.1.0");
    Answer("$PCVN,R,TXT,SERIAL NO.=M47A00123");
    counters = {12, 7};

    ClearSystemCheck(counters, info);
    EXPECT_EQ(ShowSystemCheck(info, false, counters), kNothingReceived);

    Answer("$PCVN,R,TXT,FIRMWARE=M47-2.1.1");
    SystemCheckRows answered = kNothingReceived;
    answered.firmwareVersion = "M47-2.1.1";
    answered.firmwareImage = ciPassed; // the serial number is not answered again yet
    EXPECT_EQ(ShowSystemCheck(info, false, counters), answered);
}

TEST_F(SystemCheckPage, DeviceTextsAreReadNoFurtherThanTheirField)
{
    std::memset(info.FirmwareVersion, 'X', sizeof info.FirmwareVersion); // no terminating NUL
    info.FirmwareVersionReceived = 1;
    EXPECT_EQ(ShowSystemCheck(info, false, counters).firmwareVersion,
              std::string(sizeof info.FirmwareVersion, 'X'));
}
