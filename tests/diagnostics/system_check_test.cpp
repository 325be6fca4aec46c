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

class SystemCheckPage : public ::testing::Test {
protected:
    void Answer(const char* sentence)
    {
        m47::device::ParseConfigurationLine(info, Line(sentence), true);
    }

    DeviceInfo info{};
    RxCounters counters;
};

TEST_F(SystemCheckPage, NothingReceivedShowsDashesCrossesAndWarnings)
{
    const SystemCheckRows rows = ShowSystemCheck(info, false, counters);
    EXPECT_EQ(rows.firmwareVersion, "---------");
    EXPECT_EQ(rows.serialNumber, "---------");
    EXPECT_EQ(rows.networkFirmwareVersion, "N/A");
    EXPECT_EQ(rows.gps, "Lost");
    EXPECT_EQ(rows.rxCountA, "0");
    EXPECT_EQ(rows.rxCountB, "0");
    EXPECT_EQ(rows.firmwareImage, ciFailed);
    EXPECT_EQ(rows.serialNumberImage, ciFailed);
    EXPECT_EQ(rows.rxImage, ciNoData);
    EXPECT_EQ(rows.networkImage, ciNoData);
    EXPECT_EQ(rows.gpsImage, ciFailed);
}

TEST_F(SystemCheckPage, ReceivedValuesShowWithCheckMarks)
{
    Answer("$PCVN,R,TXT,FIRMWARE=M47-2.1.0");
    Answer("$PCVN,R,TXT,SERIAL NO.=M47A00123");
    m47::device::SetText(info.NetworkFirmwareVersion, "NET-<b>1.4</b>");
    info.NetworkFirmwareReceived = 1;
    counters.RxCountB = 3;

    const SystemCheckRows rows = ShowSystemCheck(info, true, counters);
    EXPECT_EQ(rows.firmwareVersion, "M47-2.1.0");
    EXPECT_EQ(rows.serialNumber, "M47A00123");
    EXPECT_EQ(rows.networkFirmwareVersion, "NET-<b>1.4</b>") << "device text, kept as it came";
    EXPECT_EQ(rows.gps, "Fixed");
    EXPECT_EQ(rows.rxCountB, "3");
    EXPECT_EQ(rows.firmwareImage, ciPassed);
    EXPECT_EQ(rows.serialNumberImage, ciPassed);
    EXPECT_EQ(rows.rxImage, ciPassed);
    EXPECT_EQ(rows.networkImage, ciPassed);
    EXPECT_EQ(rows.gpsImage, ciPassed);
}

TEST_F(SystemCheckPage, RefreshShowsDashesAtOnceAndValuesAfterTheAnswer)
{
    Answer("$PCVN,R,TXT,FIRMWARE=M47-2.1.0");
    Answer("$PCVN,R,TXT,SERIAL NO.=M47A00123");
    counters = {12, 7};

    ClearSystemCheck(counters, info);
    const SystemCheckRows cleared = ShowSystemCheck(info, false, counters);
    EXPECT_EQ(cleared.firmwareVersion, "---------");
    EXPECT_EQ(cleared.serialNumber, "---------");
    EXPECT_EQ(cleared.rxCountA, "0");
    EXPECT_EQ(cleared.rxCountB, "0");
    EXPECT_EQ(cleared.networkFirmwareVersion, "N/A");
    EXPECT_EQ(cleared.rxImage, ciNoData);

    Answer("$PCVN,R,TXT,FIRMWARE=M47-2.1.1");
    const SystemCheckRows answered = ShowSystemCheck(info, false, counters);
    EXPECT_EQ(answered.firmwareVersion, "M47-2.1.1");
    EXPECT_EQ(answered.firmwareImage, ciPassed);
    EXPECT_EQ(answered.serialNumber, "---------") << "not yet answered again";
}

TEST_F(SystemCheckPage, DeviceTextsAreReadNoFurtherThanTheirField)
{
    std::memset(info.FirmwareVersion, 'X', sizeof info.FirmwareVersion); // no terminating NUL
    info.FirmwareVersionReceived = 1;
    EXPECT_EQ(ShowSystemCheck(info, false, counters).firmwareVersion,
              std::string(sizeof info.FirmwareVersion, 'X'));
}
