// Decoded messages of real captures against the values their projects publish with them:
// gpsd's sample.aivdm (unscaled reference: 1/10000 minute, tenths of knots and degrees) and
// libais's typeexamples (scaled). Our conventions are applied to the reference values here:
// degrees, knots, tenths applied, texts compared without their "@" padding, headings above 359
// kept as 511, type 24 part B copied by part number.

#include "ais_test_support.h"

#include "nmea/sentence_library.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <memory>
#include <set>

namespace nmea {
namespace {

using namespace test;

// Sign-preserving square of the rate-of-turn indicator divided by 4.733.
double RateOfTurn(double indicator)
{
    const double r = indicator / 4.733;
    return r * std::fabs(r);
}

std::string CutAtPadding(const std::string& text)
{
    return TrimPadding(text.substr(0, text.find('@')));
}

class Comparison
{
public:
    // `skip`: fields the reference reads differently, each given with its reason by the caller.
    Comparison(const AisState& state, std::string where, std::set<std::string> skip = {})
        : state_(state), where_(std::move(where)), skip_(std::move(skip))
    {}

    // Fields the layout lacks are not compared; fields past a short message's end read 0.
    void Number(const std::string& field, std::optional<double> expected, double tolerance = 0.0)
    {
        if (!expected || !LayoutHasField(state_, field) || KnownDifference(field)) {
            return;
        }
        const double actual = FieldNumber(state_, field).value_or(0.0);
        ++compared_;
        if (std::fabs(actual - *expected) > tolerance) {
            Fail(field, std::to_string(actual), std::to_string(*expected));
        }
    }
    // The reference ends a text at its first "@" and drops trailing spaces.
    void Text(const std::string& field, const std::string& actual, const std::string& expected)
    {
        ++compared_;
        if (CutAtPadding(actual) != expected) {
            Fail(field, "\"" + actual + "\"", "\"" + expected + "\"");
        }
    }
    void Value(const std::string& field, double actual, double expected)
    {
        ++compared_;
        if (actual != expected) {
            Fail(field, std::to_string(actual), std::to_string(expected));
        }
    }
    int Compared() const { return compared_; }

private:
    bool KnownDifference(const std::string& field) const { return skip_.count(field) != 0; }

    void Fail(const std::string& field, const std::string& actual, const std::string& expected)
    {
        ADD_FAILURE() << where_ << ": " << field << " is " << actual << ", expected " << expected;
    }

    const AisState& state_;
    std::string where_;
    std::set<std::string> skip_;
    int compared_ = 0;
};

std::optional<double> Num(const JsonObject& o, const std::string& key)
{
    const auto it = o.find(key);
    if (it == o.end() || it->second.isText) {
        return std::nullopt;
    }
    return it->second.number;
}

std::optional<std::string> Str(const JsonObject& o, const std::string& key)
{
    const auto it = o.find(key);
    if (it == o.end()) {
        return std::nullopt;
    }
    return it->second.isText ? it->second.text : std::to_string(static_cast<long long>(it->second.number));
}

void CompareDimensions(Comparison& cmp, const AisState& state, const JsonObject& o)
{
    const std::optional<double> raw = FieldNumber(state, "dimensions");
    if (!raw || !Num(o, "to_bow")) {
        return;
    }
    const ShipDimensions d = SplitDimensions(static_cast<std::uint32_t>(*raw));
    cmp.Value("to_bow", d.toBow, *Num(o, "to_bow"));
    cmp.Value("to_stern", d.toStern, *Num(o, "to_stern"));
    cmp.Value("to_port", d.toPort, *Num(o, "to_port"));
    cmp.Value("to_starboard", d.toStarboard, *Num(o, "to_starboard"));
}

void CompareTexts(Comparison& cmp, const AisState& state, const JsonObject& o)
{
    for (const char* key : {"shipname", "callsign", "destination", "vendorid", "text"}) {
        const std::optional<std::string> ours = FieldText(state, key);
        const std::optional<std::string> expected = Str(o, key);
        if (ours && expected) {
            cmp.Text(key, *ours, *expected);
        }
    }
    // The aid-to-navigation name continues in its extension. Ours has a fixed width of 84 bits
    // and is not decoded from a shorter message, where the reference reads what there is.
    if (const auto name = FieldText(state, "name"); name && Str(o, "name")) {
        const std::optional<std::string> extension = FieldText(state, "name_extension");
        const std::string expected = *Str(o, "name");
        cmp.Text("name", CutAtPadding(*name) + extension.value_or(""),
                 extension ? expected : TrimPadding(expected.substr(0, name->size())));
    }
}

// gpsd: positions in 1/10000 minute (1/10 minute for types 17, 22 and 23), speed and course in
// tenths, the rate-of-turn indicator raw, the heading raw.
void CompareWithGpsd(Comparison& cmp, const AisState& state, const JsonObject& o)
{
    const unsigned type = state.message.Id();
    const bool tenthMinute = type == 17 || type == 22 || type == 23;
    const double perDegree = tenthMinute ? 600.0 : 600000.0;
    for (const char* key : {"lon", "lat", "ne_lon", "ne_lat", "sw_lon", "sw_lat"}) {
        if (const auto v = Num(o, key)) {
            cmp.Number(key, *v / perDegree, 2e-5);
        }
    }
    if (const auto v = Num(o, "speed")) {
        cmp.Number("speed", type == 9 ? *v : *v / 10.0, 1e-4);
    }
    if (const auto v = Num(o, "course")) {
        cmp.Number("course", *v / 10.0, 1e-4);
    }
    if (const auto v = Num(o, "draught")) {
        cmp.Number("draught", *v / 10.0, 1e-4);
    }
    if (const auto v = Num(o, "turn")) {
        cmp.Number("turn", RateOfTurn(*v), 1e-3);
    }
    if (const auto v = Num(o, "heading")) {
        cmp.Number("heading", *v > 359 ? 511.0 : *v);
    }
    for (const char* key :
         {"mmsi",       "imo",       "repeat",       "status",      "accuracy",   "raim",      "second",
          "epfd",       "shiptype",  "ais_version",  "dte",         "alt",        "dest_mmsi", "seqno",
          "retransmit", "aid_type",  "off_position", "virtual_aid", "channel_a",  "channel_b", "txrx",
          "power",      "addressed", "band_a",       "band_b",      "zonesize",   "interval",  "quiet",
          "cs",         "display",   "dsc",          "band",        "msg22",      "mmsi1",     "mmsi2",
          "mmsi3",      "mmsi4",     "offset1",      "offset2",     "increment1", "increment2"}) {
        if (!(type == 23 && std::string(key) == "shiptype")) {
            cmp.Number(key, Num(o, key));
        }
    }
    // The reference's radio status includes the communication state selector of types 9 and 18.
    if (const auto v = Num(o, "radio")) {
        const bool withSelector = type == 9 || type == 18;
        const auto radio = static_cast<std::uint32_t>(*v);
        cmp.Number("radio", withSelector ? radio & 0x7FFFF : radio);
        if (withSelector) {
            cmp.Number("commstate_flag", radio >> 19);
        }
    }
    if (type == 23) {
        cmp.Number("ship_type", Num(o, "shiptype"));
        cmp.Number("station_type", Num(o, "stationtype"));
    }
    if (type == 22 && Num(o, "dest1")) {
        const std::size_t at = ais_layout::kType22DestinationOffset;
        cmp.Value("dest1", MessageDword(state.message, at), *Num(o, "dest1"));
        cmp.Value("dest2", MessageDword(state.message, at + 4), *Num(o, "dest2"));
    }
    if (const auto eta = Str(o, "eta"); eta && FieldNumber(state, "eta")) {
        const ArrivalTime t = SplitEta(static_cast<std::uint32_t>(*FieldNumber(state, "eta")));
        char text[32];
        std::snprintf(text, sizeof text, "%02u-%02uT%02u:%02uZ", t.month, t.day, t.hour, t.minute);
        cmp.Text("eta", text, *eta);
    }
    if (const auto stamp = Str(o, "timestamp"); stamp && type == 4) {
        char text[32];
        std::snprintf(text, sizeof text, "%04u-%02u-%02uT%02u:%02u:%02uZ",
                      unsigned(*FieldNumber(state, "year")), unsigned(*FieldNumber(state, "month")),
                      unsigned(*FieldNumber(state, "day")), unsigned(*FieldNumber(state, "hour")),
                      unsigned(*FieldNumber(state, "minute")), unsigned(*FieldNumber(state, "second")));
        cmp.Text("timestamp", text, *stamp);
    }
    CompareDimensions(cmp, state, o);
    CompareTexts(cmp, state, o);
}

// Type and MMSI from the first 48 bits, for a message the decoder rejects as a whole.
std::pair<double, double> Header(std::string_view payload)
{
    AisBitBuffer bits;
    if (payload.size() < 8 || !Dearmour(payload.substr(0, 8), 0, bits)) {
        return {0.0, 0.0};
    }
    return {ReadBits(bits, 0, 6), ReadBits(bits, 8, 30)};
}

TEST(AisGolden, GpsdSampleAgreesWithItsCheckFile)
{
    auto state = std::make_unique<AisState>();
    const std::vector<CapturedPayload> captured = ReadCapture(TestDataPath("gpsd/test/sample.aivdm"));
    const std::vector<std::string> checks = ReadLines(TestDataPath("gpsd/test/sample.aivdm.ju.chk"));
    std::vector<JsonObject> expected;
    for (const std::string& line : checks) {
        expected.push_back(ParseJsonObject(line));
    }
    std::vector<bool> used(expected.size(), false);

    std::set<std::size_t> undecoded;
    int compared = 0;
    int matched = 0;
    for (const CapturedPayload& p : captured) {
        const bool decoded = DecodePayload(*state, p.payload, p.fillBits);
        const auto [type, mmsi] =
            decoded ? std::pair<double, double>(state->message.Id(), *FieldNumber(*state, "mmsi"))
                    : Header(p.payload);
        if (!decoded && type >= 1 && type <= 24) {
            undecoded.insert(p.line);
        }
        for (std::size_t i = 0; i < expected.size(); ++i) {
            if (used[i] || Num(expected[i], "type") != type || Num(expected[i], "mmsi") != mmsi) {
                continue;
            }
            // The reference reports both parts of a type 24 in one object, after part B.
            used[i] = !decoded || type != 24 || FieldNumber(*state, "partno") != 0;
            if (decoded) {
                // Line 230: a type 7 of 128 bits whose third MMSI the reference reads past the
                // message end; ours stays 0 as the field does not fit.
                Comparison cmp(*state, "sample.aivdm line " + std::to_string(p.line),
                               p.line == 230 ? std::set<std::string>{"mmsi3"} : std::set<std::string>{});
                CompareWithGpsd(cmp, *state, expected[i]);
                compared += cmp.Compared();
                ++matched;
            }
            break;
        }
    }
    // Messages whose bit count is not a whole number of bytes: 124 bits (fill 2 after 21
    // characters), 346 bits (fill 2 after 58 characters), and fill bits 5.
    EXPECT_EQ(undecoded, (std::set<std::size_t>{240, 832, 1098}));
    // Two type 5 messages whose fragments interleave: assembly keeps the second one only.
    std::vector<std::string> unmatched;
    for (std::size_t i = 0; i < expected.size(); ++i) {
        if (!used[i] && *Num(expected[i], "type") <= 24) {
            unmatched.push_back(checks[i]);
        }
    }
    ASSERT_EQ(unmatched.size(), 1u);
    EXPECT_NE(unmatched[0].find("\"mmsi\":271010059"), std::string::npos) << unmatched[0];
    EXPECT_GE(matched, 85);
    EXPECT_GT(compared, 500);
}

// Receiver captures through the whole library, each AIS report of the reference's output
// checked against the message the line before it completed.
TEST(AisGolden, DaemonCapturesThroughTheLibraryAgreeWithTheirCheckFiles)
{
    struct Capture {
        const char* name;
        std::set<std::size_t> rejected;
    };
    const Capture captures[] = {
        {"ais-18-27.log.chk", {}},
        {"ais-raw-messages.log.chk", {}},
        // Line 5 completes a message whose first sentence carries 64 payload characters, more
        // than a VDM sentence may hold, so that sentence was rejected.
        {"ais_unpack_sixbit.log.chk", {5}},
        {"saab-r4.log.chk", {}},
    };
    for (const Capture& capture : captures) {
        SCOPED_TRACE(capture.name);
        auto library = std::make_unique<SentenceLibrary>();
        const std::vector<std::string> lines =
            ReadLines(TestDataPath(std::string("gpsd/test/daemon/") + capture.name));
        bool completed = false;
        std::size_t inputLine = 0;
        std::set<std::size_t> rejected;
        int compared = 0;
        for (std::size_t n = 1; n <= lines.size(); ++n) {
            const std::string& line = lines[n - 1];
            if (line.rfind("!", 0) == 0 || line.rfind("$", 0) == 0) {
                completed = line.size() <= 82 && library->ProcessSentence(line + "\r\n") && line[0] == '!';
                inputLine = n;
                continue;
            }
            // The reference repeats the own ship's last report after a position fix.
            if (line.rfind("{\"class\":\"AIS\"", 0) != 0 || inputLine == 0 ||
                lines[inputLine - 1][0] == '$') {
                continue;
            }
            const JsonObject o = ParseJsonObject(line);
            if (*Num(o, "type") > 24) {
                continue;
            }
            if (!completed) {
                rejected.insert(inputLine);
                continue;
            }
            const AisState& ais = library->ais;
            EXPECT_EQ(ais.message.Id(), *Num(o, "type")) << "line " << inputLine;
            Comparison cmp(ais, std::string(capture.name) + " line " + std::to_string(inputLine));
            CompareWithGpsd(cmp, ais, o);
            compared += cmp.Compared();
        }
        EXPECT_EQ(rejected, capture.rejected);
        EXPECT_GT(compared, 50);
    }
}

// libais: scaled values (degrees, knots, degrees of course); one object per line of the capture.
TEST(AisGolden, LibaisTypeExamplesAgreeWithTheirValues)
{
    auto state = std::make_unique<AisState>();
    const std::vector<std::string> lines = ReadLines(TestDataPath("libais/typeexamples.nmea"));
    const std::vector<std::string> objects = ReadLines(TestDataPath("libais/typeexamples.json"));
    ASSERT_EQ(lines.size(), objects.size());
    std::set<unsigned> typesSeen;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        SCOPED_TRACE("typeexamples.nmea line " + std::to_string(i + 1));
        const std::optional<Fragment> f = SplitFragment(lines[i]);
        ASSERT_TRUE(f.has_value());
        const JsonObject o = ParseJsonObject(objects[i]);
        const double type = *Num(o, "type");
        const bool decoded = DecodePayload(*state, f->payload, f->fillBits);
        ASSERT_EQ(decoded, type <= 24);
        if (!decoded) {
            continue;
        }
        typesSeen.insert(state->message.Id());
        EXPECT_EQ(state->message.Id(), type);
        EXPECT_EQ(FieldNumber(*state, "mmsi"), Num(o, "mmsi"));
        for (const char* key : {"lon", "lat"}) {
            if (Num(o, key) && LayoutHasField(*state, key)) {
                EXPECT_NEAR(*FieldNumber(*state, key), *Num(o, key), 2e-5) << key;
            }
        }
        // The reference scales the SAR aircraft's speed, given in whole knots, by a tenth.
        if (const auto speed = Num(o, "speed")) {
            EXPECT_NEAR(*FieldNumber(*state, "speed"), type == 9 ? *speed * 10.0 : *speed, 1e-3);
        }
        for (const char* key : {"course", "draught"}) {
            if (Num(o, key)) {
                EXPECT_NEAR(*FieldNumber(*state, key), *Num(o, key), 1e-4) << key;
            }
        }
        if (const auto heading = Num(o, "heading")) {
            EXPECT_EQ(FieldNumber(*state, "heading"), *heading > 359 ? 511.0 : *heading);
        }
        for (const char* key : {"shiptype", "status", "epfd"}) {
            if (Num(o, key) && LayoutHasField(*state, key)) {
                EXPECT_EQ(FieldNumber(*state, key), Num(o, key)) << key;
            }
        }
        if (const auto imo = Str(o, "imo")) {
            EXPECT_EQ(std::to_string(static_cast<long long>(*FieldNumber(*state, "imo"))), *imo);
        }
        // Line 20's aid-to-navigation name holds the six-bit values 31 and 39, which the
        // reference turns into "-" and "`" where the character table has "_" and "'".
        for (const char* key : {"shipname", "callsign", "destination", "name"}) {
            if (const auto text = Str(o, key); text && !(i + 1 == 20 && std::string(key) == "name")) {
                EXPECT_EQ(TrimPadding(FieldText(*state, key).value_or("?")), *text) << key;
            }
        }
        if (Num(o, "to_bow")) {
            const ShipDimensions d =
                SplitDimensions(static_cast<std::uint32_t>(*FieldNumber(*state, "dimensions")));
            EXPECT_EQ(d.toBow, *Num(o, "to_bow"));
            EXPECT_EQ(d.toStern, *Num(o, "to_stern"));
            EXPECT_EQ(d.toPort, *Num(o, "to_port"));
            EXPECT_EQ(d.toStarboard, *Num(o, "to_starboard"));
        }
    }
    EXPECT_EQ(typesSeen.size(), 23u); // 1 to 24 except 19
}

} // namespace
} // namespace nmea
