// AIS messages through the whole receive path of the sentence library: fragments assembled,
// de-armoured, decoded and counted into the target table.

#include "ais_test_support.h"

#include "nmea/sentence_library.h"

#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <memory>

namespace nmea {
namespace {

using namespace test;

std::string WithCrLf(const std::string& line)
{
    return line + "\r\n";
}

class AisLibrary : public ::testing::Test
{
protected:
    bool Process(const std::string& line) { return library->ProcessSentence(WithCrLf(line)); }
    const AisTarget& Entry(std::size_t i) const { return library->ais.targets.entries.at(i); }

    std::unique_ptr<SentenceLibrary> library = std::make_unique<SentenceLibrary>();
};

TEST_F(AisLibrary, TwoSentenceStaticReportCompletesOnItsSecondPart)
{
    EXPECT_FALSE(Process("!AIVDM,2,1,1,A,55?MbV02;H;s<HtKR20EHE:0@T4@Dn2222222216L961O5Gf0NSQEp6ClRp8,0*1C"));
    EXPECT_EQ(library->ais.targets.TargetCount, 1u);
    ASSERT_TRUE(Process("!AIVDM,2,2,1,A,88888888880,2*25"));
    EXPECT_EQ(library->ais.message.Id(), 5);
    ASSERT_EQ(library->ais.targets.LastTargetIndex, 1);
    const AisTarget& t = Entry(1);
    EXPECT_EQ(t.mmsi, 351759000u);
    EXPECT_EQ(std::string(t.name.data()), "EVER DIADEM         "); // trailing spaces kept
    EXPECT_EQ(std::string(t.callSign.data()), "3FOF8  ");
    EXPECT_EQ(std::string(t.destination.data()), "NEW YORK            ");
    EXPECT_EQ(t.imo, 9134270u);
    EXPECT_EQ(t.toBow, 225);
    EXPECT_FLOAT_EQ(t.draught, 12.2f);
    EXPECT_EQ(t.vdmCount, 1u);
    EXPECT_EQ(t.vdoCount, 0u);
}

TEST_F(AisLibrary, VdoUpdatesTheOwnShipAndCountsIt)
{
    const std::vector<std::string> lines = ReadLines(TestDataPath("gpsd/test/daemon/saab-r4.log"));
    int vdo = 0;
    for (const std::string& line : lines) {
        if (line.rfind("!AIVDO", 0) == 0) {
            EXPECT_TRUE(Process(line)) << line;
            ++vdo;
        } else if (!line.empty() && line[0] != '#') {
            Process(line);
        }
    }
    ASSERT_GT(vdo, 0);
    const AisTarget& own = Entry(0);
    EXPECT_NE(own.mmsi, 0u);
    EXPECT_EQ(own.vdoCount, static_cast<std::uint32_t>(vdo));
    EXPECT_NE(own.latitude, -30.0f); // the start values are replaced by the reports
    EXPECT_LT(own.latitude, 91.0f);
    EXPECT_LT(own.longitude, 181.0f);
}

// Every message the library completes is the one the capture's fragments make, decoded as when
// fed directly; every completed VDM is counted once in its target's entry.
TEST_F(AisLibrary, CapturesDecodeAsTheirPayloadsAndCountPerTarget)
{
    for (const char* capture :
         {"gpsd/test/sample.aivdm", "pyais/nmea_data_sample.txt", "gpsd/test/daemon/ais-18-27.log",
          "gpsd/test/daemon/ais-raw-messages.log", "pyais/mixed.txt"}) {
        SCOPED_TRACE(capture);
        library = std::make_unique<SentenceLibrary>();
        auto direct = std::make_unique<AisState>();
        std::map<std::size_t, CapturedPayload> payloads;
        for (const CapturedPayload& p : ReadCapture(TestDataPath(capture))) {
            payloads.emplace(p.line, p);
        }
        const std::vector<std::string> lines = ReadLines(TestDataPath(capture));
        std::uint32_t completed = 0;
        for (std::size_t n = 1; n <= lines.size(); ++n) {
            const std::string& line = lines[n - 1];
            if (line.empty() || line[0] == '#' || line.size() > 82) {
                continue; // the receive path hands over at most 82 characters
            }
            if (!Process(line) || library->record.start != '!') {
                continue;
            }
            ++completed;
            const auto it = payloads.find(n);
            ASSERT_NE(it, payloads.end()) << "line " << n << " completed no message of the capture";
            ASSERT_TRUE(DecodePayload(*direct, it->second.payload, it->second.fillBits)) << "line " << n;
            EXPECT_EQ(direct->message.bytes, library->ais.message.bytes) << "line " << n;
        }
        std::uint32_t counted = 0;
        for (std::size_t i = 0; i < library->ais.targets.TargetCount; ++i) {
            counted += Entry(i).vdmCount + Entry(i).vdoCount;
        }
        EXPECT_EQ(counted, completed);
        EXPECT_GT(completed, 5u);
    }
}

} // namespace
} // namespace nmea
