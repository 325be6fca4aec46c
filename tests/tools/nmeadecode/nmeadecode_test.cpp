// The offline decoder run as a program: input handling, the JSON Lines it writes for GNSS and
// AIS sentences, the summary, file handling, and valid JSON for any byte of input.

#include "json_reader.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <vector>

namespace {

namespace fs = std::filesystem;

struct Result {
    int status = -1;
    std::string out;
    std::string err;
    std::vector<Json> objects; // one per output line; a line that is not valid JSON fails the test
};

// `body` ("$" or "!" through the last field) with "*", its checksum and nothing else.
std::string Sentence(const std::string& body)
{
    unsigned sum = 0;
    for (std::size_t i = 1; i < body.size(); ++i)
        sum ^= static_cast<unsigned char>(body[i]);
    char tail[4];
    std::snprintf(tail, sizeof tail, "*%02X", sum);
    return body + tail;
}

std::string ReadFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

class NmeadecodeTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        std::string pattern = (fs::temp_directory_path() / "nmeadecode-test-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        dir_ = pattern;
    }
    void TearDown() override { fs::remove_all(dir_); }

    fs::path Write(const std::string& name, const std::string& content)
    {
        const fs::path path = dir_ / name;
        std::ofstream(path, std::ios::binary) << content;
        return path;
    }

    // Runs the decoder with `args` and `input` on standard input.
    Result Run(const std::string& args, const std::string& input = "")
    {
        const fs::path in = Write("stdin", input);
        const std::string command = std::string("'") + NMEADECODE_PROGRAM + "' " + args + " < '" +
                                    in.string() + "' > '" + (dir_ / "stdout").string() + "' 2> '" +
                                    (dir_ / "stderr").string() + "'";
        Result result;
        const int raw = std::system(command.c_str());
        result.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
        result.out = ReadFile(dir_ / "stdout");
        result.err = ReadFile(dir_ / "stderr");
        std::istringstream lines(result.out);
        std::string line;
        while (std::getline(lines, line)) {
            for (const char c : line)
                EXPECT_TRUE(c >= 0x20 && c < 0x7F) << "output is not plain ASCII: " << line;
            std::optional<Json> object = ReadJson(line);
            EXPECT_TRUE(object && object->type == Json::Type::Object) << "not a JSON object: " << line;
            result.objects.push_back(object ? *object : Json{});
        }
        return result;
    }

    fs::path dir_;
};

const std::string kRmc = "$GPRMC,130711.00,A,5012.790800,N,00806.879600,W,0.5,3.0,010611,,A*6A";
const std::string kVdmType1 = "!AIVDM,1,1,,A,15RTgt0PAso;90TKcjM8h6g208CQ,0*4A";
const std::string kVdmType5Part1 =
    "!AIVDM,2,1,1,A,55?MbV02;H;s<HtKR20EHE:0@T4@Dn2222222216L961O5Gf0NSQEp6ClRp8,0*1C";
const std::string kVdmType5Part2 = "!AIVDM,2,2,1,A,88888888880,2*25";
const std::string kVdo = "!AIVDO,1,1,,B,13`kvwO005wJnb0Lfo:@7P8F05`L,0*5B";

TEST_F(NmeadecodeTest, LinesAreHandedOverAsTheReceivePathDoes)
{
    const std::string text82 = Sentence("$GPTXT,01,01,02," + std::string(63, 'x'));
    const std::string text83 = Sentence("$GPTXT,01,01,02," + std::string(64, 'x'));
    ASSERT_EQ(text82.size(), 82u);
    std::string withCrAndNul = kRmc;
    withCrAndNul.insert(10, std::string("\r\0", 2)); // both vanish wherever they occur
    const std::string input = "# a comment line\n" + kRmc + "\n" + kRmc + "\r\n\n" + text82 + "\n" + text83 +
                              "\n" + "GPRMC without its dollar\n" + withCrAndNul + "\n" +
                              kRmc; // the last line has no LF

    const Result r = Run("", input);
    ASSERT_EQ(r.status, 0) << r.err;
    struct Expect {
        int line;
        bool accepted;
        bool ignored;
        const char* formatter;
    };
    const Expect expected[] = {
        {2, true, false, "RMC"}, {3, true, false, "RMC"}, {4, false, true, ""},    {5, true, false, "TXT"},
        {6, false, true, ""},    {7, false, true, ""},    {8, true, false, "RMC"}, {9, true, false, "RMC"},
    };
    ASSERT_EQ(r.objects.size(), std::size(expected)) << r.out;
    for (std::size_t i = 0; i < std::size(expected); ++i) {
        const Json& o = r.objects[i];
        SCOPED_TRACE("line " + std::to_string(expected[i].line));
        EXPECT_EQ(o["line"].number, expected[i].line);
        EXPECT_EQ(o["accepted"].boolean, expected[i].accepted);
        EXPECT_EQ(o.Has("ignored"), expected[i].ignored);
        EXPECT_EQ(o["formatter"].text, expected[i].formatter);
    }
}

TEST_F(NmeadecodeTest, AcceptedGnssSentenceCarriesTheRecordAfterTheStore)
{
    const std::string badChecksum = kRmc.substr(0, kRmc.size() - 2) + "6B";
    const std::string ggaShort = "$GPGGA,130711,5012.790800,N,00806.879600,W,2,,,,,,,*6A"; // 13 commas
    const Result r = Run("", kRmc + "\n" + badChecksum + "\n" + ggaShort + "\n");
    ASSERT_EQ(r.objects.size(), 3u) << r.out;

    const Json& rmc = r.objects[0];
    EXPECT_TRUE(rmc["accepted"].boolean);
    EXPECT_EQ(rmc["talker"].text, "GP");
    EXPECT_EQ(rmc["group"].number, 1);
    const Json& g = rmc["gnss"];
    EXPECT_EQ(g["talker"].number, 1);
    EXPECT_EQ(g["utc_hour"].number, 13);
    EXPECT_EQ(g["utc_minute"].number, 7);
    EXPECT_EQ(g["utc_second"].number, 11);
    EXPECT_NEAR(g["lat"].number, 50.21318, 1e-5);
    EXPECT_NEAR(g["lon"].number, -8.11466, 1e-5);
    EXPECT_EQ(g["status"].text, "A");
    EXPECT_EQ(g["mode_indicator"].text, "A");
    EXPECT_NEAR(g["speed_knots"].number, 0.5, 1e-6);
    EXPECT_NEAR(g["course_true"].number, 3.0, 1e-6);
    EXPECT_EQ(g["utc_year"].number, 2011);
    EXPECT_EQ(g["utc_month"].number, 6);
    EXPECT_EQ(g["utc_day"].number, 1);
    EXPECT_EQ(g["position_valid"].number, 1);
    EXPECT_EQ(g["time_valid"].number, 1);
    EXPECT_EQ(g["last_formatter"].text, "RMC");
    EXPECT_EQ(g["prn"].items.size(), 4u);
    EXPECT_EQ(g["used_prn"].items.size(), 12u);

    // A line that fails the checksum names nothing, not the sentence before it.
    const Json& bad = r.objects[1];
    EXPECT_FALSE(bad["accepted"].boolean);
    EXPECT_EQ(bad["talker"].text, "");
    EXPECT_EQ(bad["formatter"].text, "");
    EXPECT_FALSE(bad.Has("gnss"));

    // A parser's rejection keeps the names it identified, without record values.
    const Json& gga = r.objects[2];
    EXPECT_FALSE(gga["accepted"].boolean);
    EXPECT_EQ(gga["formatter"].text, "GGA");
    EXPECT_EQ(gga["group"].number, 1);
    EXPECT_FALSE(gga.Has("gnss"));
}

TEST_F(NmeadecodeTest, CompletedAisMessageCarriesTheMessageAndItsTarget)
{
    const Result r = Run("", kVdmType1 + "\n" + kVdmType5Part1 + "\n" + kVdmType5Part2 + "\n" + kVdo + "\n" +
                                 "!AIVDM,1,1,,A,H42O55i18tMET00000000000000,2*6D\n");
    ASSERT_EQ(r.objects.size(), 5u) << r.out;

    // Values as gpsdecode gives them for this message, in degrees, knots and degrees.
    const Json& one = r.objects[0];
    EXPECT_TRUE(one["accepted"].boolean);
    const Json& a = one["ais"];
    EXPECT_EQ(a["type"].number, 1);
    EXPECT_EQ(a["mmsi"].number, 371798000);
    EXPECT_EQ(a["status"].number, 0);
    EXPECT_NEAR(a["lon"].number, -74037230 / 600000.0, 1e-4);
    EXPECT_NEAR(a["lat"].number, 29028980 / 600000.0, 1e-4);
    EXPECT_NEAR(a["speed"].number, 12.3, 1e-5);
    EXPECT_NEAR(a["course"].number, 224.0, 1e-4);
    EXPECT_EQ(a["heading"].number, 215);
    EXPECT_EQ(a["second"].number, 33);
    EXPECT_NEAR(a["turn"].number, -720.0, 0.1);
    EXPECT_EQ(a["radio"].number, 34017);
    EXPECT_FALSE(a.Has("spare"));
    const Json& t = one["target"];
    EXPECT_EQ(t["index"].number, 1);
    EXPECT_EQ(t["mmsi"].number, 371798000);
    EXPECT_NEAR(t["lat"].number, 48.3816, 1e-4);
    EXPECT_EQ(t["vdm_count"].number, 1);
    EXPECT_EQ(t["vdo_count"].number, 0);

    // The first fragment completes nothing.
    EXPECT_FALSE(r.objects[1]["accepted"].boolean);
    EXPECT_FALSE(r.objects[1].Has("ais"));
    EXPECT_FALSE(r.objects[1].Has("target"));

    // Type 5: texts as decoded, dimensions and arrival time split into their parts.
    const Json& five = r.objects[2]["ais"];
    EXPECT_EQ(five["type"].number, 5);
    EXPECT_EQ(five["mmsi"].number, 351759000);
    EXPECT_EQ(five["imo"].number, 9134270);
    EXPECT_EQ(five["callsign"].text, "3FOF8  ");
    EXPECT_EQ(five["shipname"].text, "EVER DIADEM         ");
    EXPECT_EQ(five["destination"].text, "NEW YORK            ");
    EXPECT_EQ(five["shiptype"].number, 70);
    EXPECT_EQ(five["to_bow"].number, 225);
    EXPECT_EQ(five["to_stern"].number, 70);
    EXPECT_EQ(five["to_port"].number, 1);
    EXPECT_EQ(five["to_starboard"].number, 31);
    EXPECT_EQ(five["epfd"].number, 1);
    EXPECT_EQ(five["month"].number, 5);
    EXPECT_EQ(five["day"].number, 15);
    EXPECT_EQ(five["hour"].number, 14);
    EXPECT_EQ(five["minute"].number, 0);
    EXPECT_NEAR(five["draught"].number, 12.2, 1e-5);
    EXPECT_FALSE(five.Has("dimensions"));
    EXPECT_FALSE(five.Has("eta"));
    EXPECT_EQ(r.objects[2]["target"]["index"].number, 2);
    EXPECT_EQ(r.objects[2]["target"]["shipname"].text, "EVER DIADEM         ");

    // VDO: the own ship, entry 0.
    const Json& own = r.objects[3]["target"];
    EXPECT_EQ(own["index"].number, 0);
    EXPECT_EQ(own["mmsi"].number, 244121341);
    EXPECT_EQ(own["vdo_count"].number, 1);

    // Type 24 part A keeps its "@" padding.
    const Json& partA = r.objects[4]["ais"];
    EXPECT_EQ(partA["partno"].number, 0);
    EXPECT_EQ(partA["shipname"].text, "PROGUY@@@@@@@@@@@@@@");
    EXPECT_EQ(r.objects[4]["target"]["kind"].number, 4);
}

TEST_F(NmeadecodeTest, AnyByteOfInputGivesValidJson)
{
    // Control, quote, backslash and non-UTF-8 bytes as talker and formatter, behind a correct
    // checksum, come back byte for byte.
    const std::string talker = std::string("\x01\xff", 2);
    const std::string formatter = "\"\\\x7f";
    const Result named = Run("", Sentence("$" + talker + formatter + ",1") + "\n");
    ASSERT_EQ(named.objects.size(), 1u) << named.out;
    EXPECT_EQ(named.objects[0]["talker"].text, talker);
    EXPECT_EQ(named.objects[0]["formatter"].text, formatter);

    // Random lines of sentence characters and arbitrary bytes, half with repaired checksums:
    // one valid object per line that is not a comment, also in the summary.
    std::mt19937 random(47);
    const std::string alphabet = "$!,*0123456789ABCDEFGPVDMTXQ`w@#\r\"\\";
    std::string input;
    std::size_t expectedObjects = 0;
    for (int n = 0; n < 3000; ++n) {
        std::string line;
        const std::size_t length = random() % 100;
        for (std::size_t i = 0; i < length; ++i) {
            const unsigned pick = random() % 4;
            char c = pick == 0 ? static_cast<char>(random() % 256) : alphabet[random() % alphabet.size()];
            if (c == '\n')
                c = ',';
            line += c;
        }
        if (n % 2 == 0 && !line.empty())
            line = Sentence(line);
        std::string kept;
        for (const char c : line) {
            if (c != '\r' && c != '\0')
                kept += c;
        }
        if (kept.empty() || kept[0] != '#')
            ++expectedObjects;
        input += line + "\n";
    }
    const Result r = Run("", input);
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.objects.size(), expectedObjects);
    const Result summary = Run("--summary", input);
    ASSERT_EQ(summary.objects.size(), 1u);
    EXPECT_EQ(summary.objects[0]["summary"]["lines"].number, 3000);
}

TEST_F(NmeadecodeTest, SummaryCountsLinesFormattersMessagesAndTargets)
{
    const std::string input = "# capture\n" + kRmc + "\n" + kRmc + "\n" + kRmc.substr(0, 20) + "\n" +
                              "noise\n" + kVdmType1 + "\n" + kVdmType5Part1 + "\n" + kVdmType5Part2 + "\n" +
                              Sentence("$GPXYZ,1") + "\n" + "$P*50\n$ABQ,RMC*22\n"; // short address fields
    const Result r = Run("--summary", input);
    ASSERT_EQ(r.status, 0) << r.err;
    ASSERT_EQ(r.objects.size(), 1u) << r.out;
    const Json& s = r.objects[0]["summary"];
    EXPECT_EQ(s["lines"].number, 11);
    EXPECT_EQ(s["comments"].number, 1);
    EXPECT_EQ(s["ignored"].number, 1);
    EXPECT_EQ(s["accepted"].number, 4);
    EXPECT_EQ(s["rejected"].number, 5);
    EXPECT_EQ(s["formatters"]["RMC"]["accepted"].number, 2);
    EXPECT_EQ(s["formatters"]["VDM"]["accepted"].number, 2);
    EXPECT_EQ(s["formatters"]["VDM"]["rejected"].number, 1);
    EXPECT_EQ(s["formatters"]["XYZ"]["rejected"].number, 1);
    EXPECT_EQ(s["formatters"]["(none)"]["rejected"].number, 2);
    EXPECT_EQ(s["formatters"]["Q"]["rejected"].number, 1);
    EXPECT_EQ(s["formatters"].members.size(), 5u) << "no formatter read from past an address field";
    EXPECT_EQ(s["ais_types"]["1"].number, 1);
    EXPECT_EQ(s["ais_types"]["5"].number, 1);
    EXPECT_EQ(s["targets"].number, 3); // the own ship's entry and the two senders
}

TEST_F(NmeadecodeTest, FilesAreReadInTurnIntoOneLibrary)
{
    const fs::path first = Write("first.nmea", kRmc + "\r\n" + kVdmType5Part1 + "\r\n");
    const fs::path second = Write("second.nmea", kVdmType5Part2 + "\r\n");
    const Result r =
        Run("'" + first.string() + "' '" + (dir_ / "missing").string() + "' '" + second.string() + "'");
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("missing"), std::string::npos) << r.err;
    ASSERT_EQ(r.objects.size(), 3u) << r.out;
    EXPECT_EQ(r.objects[0]["file"].text, first.string());
    EXPECT_EQ(r.objects[2]["file"].text, second.string());
    EXPECT_EQ(r.objects[2]["line"].number, 1);
    // The fragment held from the first file completes with the second.
    EXPECT_EQ(r.objects[2]["ais"]["type"].number, 5);

    const Result fromStdin = Run("-", kRmc + "\n");
    ASSERT_EQ(fromStdin.objects.size(), 1u);
    EXPECT_FALSE(fromStdin.objects[0].Has("file"));

    EXPECT_EQ(Run("--no-such-option").status, 2);
}

TEST_F(NmeadecodeTest, RealCapturesDecodeToOneObjectPerLine)
{
    const char* data = std::getenv("M47_TEST_DATA");
    ASSERT_NE(data, nullptr);
    int files = 0;
    for (const auto& entry : fs::recursive_directory_iterator(data)) {
        const std::string ext = entry.path().extension().string();
        if (!entry.is_regular_file() || (ext != ".log" && ext != ".txt" && ext != ".nmea" && ext != ".aivdm"))
            continue;
        ++files;
        SCOPED_TRACE(entry.path().string());
        const std::string text = ReadFile(entry.path());
        std::size_t lines = 0;
        std::istringstream in(text);
        for (std::string line; std::getline(in, line);) {
            std::erase(line, '\r');
            std::erase(line, '\0');
            if (line.empty() || line[0] != '#')
                ++lines;
        }
        const Result r = Run("'" + entry.path().string() + "'");
        EXPECT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(r.objects.size(), lines);
    }
    EXPECT_GT(files, 10);
}

} // namespace
