// Every real capture runs through the library the way the receive path hands lines over, and
// every field-short variant of their sentences is rejected or parsed without reading past the
// line.

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "nmea/checksum.h"
#include "nmea/sentence_library.h"
#include "sentence_test_support.h"

namespace nmea {
namespace {

const char* const kCaptures[] = {
    "gpsd/test/sample.aivdm",
    "gpsd/test/daemon/ac12_binary.log",
    "gpsd/test/daemon/ais-18-27.log",
    "gpsd/test/daemon/ais-raw-messages.log",
    "gpsd/test/daemon/ais_unpack_sixbit.log",
    "gpsd/test/daemon/bu353-glonass.log",
    "gpsd/test/daemon/ericsson-gru04-02-70sec.log",
    "gpsd/test/daemon/gr8013-w.log",
    "gpsd/test/daemon/hemi.log",
    "gpsd/test/daemon/isync.log",
    "gpsd/test/daemon/navika-100-fix.log",
    "gpsd/test/daemon/neo-m8n.log",
    "gpsd/test/daemon/nl2008u.log",
    "gpsd/test/daemon/nmea-fuzzy-cases.log",
    "gpsd/test/daemon/polarx2.log",
    "gpsd/test/daemon/quectel-L70.log",
    "gpsd/test/daemon/saab-r4.log",
    "gpsd/test/daemon/skytraq-PX1172RH_DS.log",
    "gpsd/test/daemon/skytraq-err.log",
    "gpsd/test/daemon/st-teseo-liv4f.log",
    "gpsd/test/daemon/ublox-neo-m9n-nmea.log",
    "libais/test.aivdm",
    "libais/typeexamples.nmea",
    "pyais/mixed.txt",
    "pyais/nmea_data_sample.txt",
};

std::string DataPath(const char* name)
{
    const char* root = std::getenv("M47_TEST_DATA");
    return std::string(root != nullptr ? root : "tests/data") + "/" + name;
}

// The lines of a capture as the receive path builds them: NUL and CR dropped, split at LF,
// at most 82 characters, re-terminated with CR LF.
std::vector<std::string> ReceivedLines(const char* name)
{
    std::ifstream in(DataPath(name), std::ios::binary);
    EXPECT_TRUE(in) << DataPath(name);
    const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    std::vector<std::string> lines;
    std::string line;
    for (char c : bytes) {
        if (c == '\0' || c == '\r')
            continue;
        if (c != '\n') {
            line += c;
            continue;
        }
        if (line.size() <= 82)
            lines.push_back(line + "\r\n");
        line.clear();
    }
    return lines;
}

TEST(Captures, RunThroughTheLibrary)
{
    auto library = std::make_unique<SentenceLibrary>();
    std::size_t lines = 0;
    std::size_t accepted = 0;
    for (const char* name : kCaptures) {
        for (const std::string& line : ReceivedLines(name)) {
            ++lines;
            if (library->ProcessSentence(line))
                ++accepted;
        }
    }
    EXPECT_GT(lines, 7000u);
    EXPECT_GT(accepted, 3000u);
    EXPECT_GT(library->ais.targets.TargetCount, 100u);
    EXPECT_NE(library->ais.targets.entries[0].mmsi, 0u); // saab-r4 reports its own ship
    EXPECT_EQ(library->latest.gnss.timeValid, 1);
}

TEST(Captures, ReceiverLogFillsTheGnssRecord)
{
    auto library = std::make_unique<SentenceLibrary>();
    for (const std::string& line : ReceivedLines("gpsd/test/daemon/saab-r4.log"))
        library->ProcessSentence(line);
    const GnssRecord& gnss = library->latest.gnss;
    EXPECT_EQ(gnss.talker, tkGP);
    EXPECT_EQ(gnss.positionValid, 1);
    EXPECT_EQ(gnss.timeValid, 1);
    EXPECT_GT(gnss.latitude, 50.0f); // off the Swedish coast
    EXPECT_LT(gnss.latitude, 70.0f);
    EXPECT_GT(library->ais.targets.entries[0].vdoCount, 0u);
}

// Multi-constellation receivers of NMEA 4.10 and 4.11 append system and signal identifiers to
// GSA, GSV and GBS; every such sentence of their logs is read, so the GPS page shows their fix
// mode, satellites and bars.
TEST(Captures, NewerReceiversGiveEveryGsaGsvAndGbs)
{
    const char* const newer[] = {
        "gpsd/test/daemon/ublox-neo-m9n-nmea.log",
        "gpsd/test/daemon/navika-100-fix.log",
        "gpsd/test/daemon/nl2008u.log",
        "gpsd/test/daemon/skytraq-PX1172RH_DS.log",
    };
    for (const char* name : newer) {
        SCOPED_TRACE(name);
        auto library = std::make_unique<SentenceLibrary>();
        std::set<std::string> read;
        for (const std::string& line : ReceivedLines(name)) {
            const std::string formatter = line.substr(3, 3);
            const bool satellites = formatter == "GSA" || formatter == "GSV" || formatter == "GBS";
            if (line[0] != '$' || !satellites || !VerifyChecksum(line.c_str()))
                continue;
            EXPECT_TRUE(library->ProcessSentence(line)) << line;
            read.insert(formatter);
        }
        EXPECT_TRUE(read.count("GSA") == 1 && read.count("GSV") == 1) << name;
        const GnssRecord& gnss = library->latest.gnss;
        EXPECT_EQ(gnss.fixMode, 3);
        EXPECT_GT(gnss.satellitesUsed, 3);
        EXPECT_GT(gnss.satellitesInView, 0);
        EXPECT_GT(gnss.gsvSatellites, 0);
        EXPECT_GT(gnss.hdop, 0.0f);
        if (read.count("GBS") == 1) {
            EXPECT_EQ(gnss.gbsValid, 1);
        }
    }
}

// Each distinct sentence shape cut after every field, re-framed with a valid checksum.
TEST(Captures, ShortenedSentencesNeverReadPastTheLine)
{
    std::set<std::string> bodies;
    for (const char* name : kCaptures) {
        for (const std::string& line : ReceivedLines(name)) {
            const std::size_t star = line.find('*');
            if (star == std::string::npos || line.size() < 7)
                continue;
            bodies.insert(line.substr(0, star));
        }
    }
    std::set<std::string> shapes;
    auto library = std::make_unique<SentenceLibrary>();
    for (const std::string& body : bodies) {
        const std::string shape = body.substr(0, 6) + std::to_string(body.size() / 8);
        if (!shapes.insert(shape).second)
            continue;
        for (std::size_t cut = 1; cut <= body.size(); ++cut) {
            library->ProcessSentence(test::Framed(body.substr(0, cut)));
            // the same cut with its fields emptied
            std::string emptied = body.substr(0, cut);
            for (std::size_t i = 7; i < emptied.size(); ++i)
                if (emptied[i] != ',')
                    emptied[i] = ' ';
            library->ProcessSentence(test::Framed(emptied));
        }
    }
    EXPECT_GT(shapes.size(), 100u);
}

} // namespace
} // namespace nmea
