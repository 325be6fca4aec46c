// The AIS the virtual device sends: bit for bit the payloads of real receivers for the same
// field values, and decoded by our sentence library back to the values the device meant.
#include "ais_bits.h"
#include "ais_messages.h"
#include "ais_traffic.h"
#include "sentence.h"
#include "sim_test_support.h"

#include "nmea/ais_state.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

namespace m47sim {
namespace {

using namespace std::chrono_literals;

// The decoder keeps positions as single-precision degrees: a few metres.
constexpr double kDegrees = 5e-5;

// Payloads of real receivers from tests/data/gpsd/test/sample.aivdm (BSD-2-Clause), with the field values
// that data lists for them.
TEST(AisEncoder, PositionReportsMatchRealPayloads)
{
    PositionReportA a;
    a.mmsi = 371798000;
    a.rateOfTurn = -127;
    a.speed = 123;
    a.accuracy = true;
    a.longitude = -74037230;
    a.latitude = 29028980;
    a.course = 2240;
    a.heading = 215;
    a.second = 33;
    a.radio = 34017;
    const auto payloadA = Armour(EncodeAis(a));
    EXPECT_EQ(payloadA.text, "15RTgt0PAso;90TKcjM8h6g208CQ");
    EXPECT_EQ(payloadA.fillBits, 0);

    PositionReportB b;
    b.mmsi = 338087471;
    b.speed = 1;
    b.longitude = -44443279;
    b.latitude = 24410724;
    b.course = 796;
    b.second = 49;
    b.csUnit = true, b.display = false, b.dsc = true, b.band = true, b.message22 = true, b.assigned = false;
    b.raim = true;
    b.radio = 917510;
    EXPECT_EQ(EncapsulateAis("VDM", 'A', 0, EncodeAis(b)),
              std::vector<std::string>{"!AIVDM,1,1,,A,B52K>;h00Fc>jpUlNV@ikwpUoP06,0*4C\r\n"});
}

TEST(AisEncoder, StaticDataMatchesRealPayloadsIncludingTheTwoSentenceSplit)
{
    StaticVoyageData v;
    v.mmsi = 351759000;
    v.imo = 9134270;
    v.callSign = "3FOF8  ";
    v.name = "EVER DIADEM         ";
    v.shipType = 70;
    v.toBow = 225, v.toStern = 70, v.toPort = 1, v.toStarboard = 31;
    v.epfd = 1;
    v.etaMonth = 5, v.etaDay = 15, v.etaHour = 14, v.etaMinute = 0;
    v.draught = 122;
    v.destination = "NEW YORK            ";
    EXPECT_EQ(EncapsulateAis("VDM", 'A', 1, EncodeAis(v)),
              (std::vector<std::string>{
                  "!AIVDM,2,1,1,A,55?MbV02;H;s<HtKR20EHE:0@T4@Dn2222222216L961O5Gf0NSQEp6ClRp8,0*1C\r\n",
                  "!AIVDM,2,2,1,A,88888888880,2*25\r\n"}));

    StaticDataA partA;
    partA.mmsi = 271041815;
    partA.name = "PROGUY";
    EXPECT_EQ(EncapsulateAis("VDM", 'A', 0, EncodeAis(partA)),
              std::vector<std::string>{"!AIVDM,1,1,,A,H42O55i18tMET00000000000000,2*6D\r\n"});

    StaticDataB partB;
    partB.mmsi = 271041815;
    partB.shipType = 60;
    partB.vendorId = "1D00014";
    partB.callSign = "TC6163";
    partB.toStern = 15, partB.toStarboard = 5;
    EXPECT_EQ(EncapsulateAis("VDM", 'A', 0, EncodeAis(partB)),
              std::vector<std::string>{"!AIVDM,1,1,,A,H42O55lti4hhhilD3nink000?050,0*40\r\n"});
}

TEST(AisEncoder, ArmouringCoversTheWholeAlphabetAndPadsTheLastCharacter)
{
    BitWriter all;
    for (uint32_t v = 0; v < 64; ++v)
        all.Put(v, 6);
    const auto payload = Armour(all.bits());
    EXPECT_EQ(payload.text, "0123456789:;<=>?@ABCDEFGHIJKLMNOPQRSTUVW`abcdefghijklmnopqrstuvw");
    EXPECT_EQ(payload.fillBits, 0);

    BitWriter odd;
    odd.Put(0b1111, 4);
    EXPECT_EQ(Armour(odd.bits()).text, "t"); // 111100 is 60
    EXPECT_EQ(Armour(odd.bits()).fillBits, 2);

    BitWriter text;
    text.PutText("ab-~", 5);
    // Lower case goes up; "-" (45) is in the alphabet; "~" is not and becomes "?"; "@" pads.
    EXPECT_EQ(text.bits().size(), 30u);
    EXPECT_EQ(Armour(text.bits()).text, "12ew0");
}

// The decoded values of every message one batch of sentences completes, keyed by the sender.
class Decoder
{
public:
    Decoder() : state_(std::make_unique<nmea::AisState>()) {}

    // Joins fragments as a receiver does; returns the target index of a completed message.
    int Feed(const std::string& sentence)
    {
        const auto body = CheckedBody(std::string_view(sentence).substr(0, sentence.size() - 2));
        EXPECT_TRUE(body) << sentence;
        if (!body)
            return -1;
        std::vector<std::string> f;
        size_t at = 0;
        for (size_t comma; (comma = body->find(',', at)) != std::string_view::npos; at = comma + 1)
            f.emplace_back(body->substr(at, comma - at));
        f.emplace_back(body->substr(at));
        EXPECT_EQ(f.size(), 7u) << sentence;
        if (f[2] == "1")
            payload_.clear();
        payload_ += f[5];
        if (f[1] != f[2])
            return -1;
        EXPECT_TRUE(nmea::Dearmour(payload_, std::stoi(f[6]), state_->bits)) << sentence;
        EXPECT_TRUE(nmea::DecodeAisFields(state_->layouts, state_->bits, state_->message)) << sentence;
        lastChannel_ = f[4].empty() ? '\0' : f[4][0];
        return nmea::UpdateTarget(state_->targets, state_->message, lastChannel_, 0, f[0] == "AIVDO");
    }

    const nmea::AisTarget& target(int index) const
    {
        return state_->targets.entries[static_cast<size_t>(index)];
    }
    int lastType() const { return state_->message.Id(); }
    char lastChannel() const { return lastChannel_; }

private:
    std::unique_ptr<nmea::AisState> state_;
    std::string payload_;
    char lastChannel_ = '\0';
};

std::string Text(const char* text)
{
    std::string s(text);
    while (!s.empty() && (s.back() == '@' || s.back() == ' '))
        s.pop_back();
    return s;
}

TEST(AisTraffic, EveryMessageDecodesBackToTheValuesMeant)
{
    const VesselMotion ownStart{-33.85, 151.21, 9.7, 271.3, 0.05};
    AisTraffic traffic(ownStart, 503000047);
    VesselMotion own = ownStart;
    Decoder decoder;
    std::set<int> types;
    std::set<char> channels;
    for (long second = 0; second < 40; ++second) {
        for (const auto& sentence : traffic.Second(second, own, static_cast<int>(second % 60), true)) {
            EXPECT_LE(sentence.size(), 82u) << sentence;
            const int index = decoder.Feed(sentence);
            if (index < 0)
                continue;
            const auto& got = decoder.target(index);
            types.insert(decoder.lastType() * 10 +
                         (decoder.lastType() == 24 ? (got.callSign[0] ? 1 : 0) : 0));
            const bool ownShip = index == 0;
            if (!ownShip)
                channels.insert(decoder.lastChannel());
            const SimulatedTarget* meant = nullptr;
            for (const auto& t : traffic.targets())
                if (t.mmsi == got.mmsi)
                    meant = &t;
            const VesselMotion& motion = ownShip ? own : meant->motion;
            ASSERT_TRUE(ownShip ? got.mmsi == 503000047u : meant != nullptr) << sentence;
            switch (decoder.lastType()) {
            case 1:
            case 3:
            case 18:
                EXPECT_NEAR(got.latitude, motion.latitude, kDegrees) << sentence;
                EXPECT_NEAR(got.longitude, motion.longitude, kDegrees) << sentence;
                EXPECT_NEAR(got.sog, motion.speed, 0.051) << sentence;
                EXPECT_NEAR(got.cog, motion.course, 0.051) << sentence;
                if (!ownShip) {
                    EXPECT_EQ(got.kind, meant->classB ? nmea::TargetKind::ClassB : nmea::TargetKind::ClassA);
                }
                break;
            case 5:
                EXPECT_EQ(Text(got.name.data()), meant->name);
                EXPECT_EQ(Text(got.callSign.data()), meant->callSign);
                EXPECT_EQ(Text(got.destination.data()), meant->destination);
                EXPECT_EQ(got.imo, meant->imo);
                EXPECT_EQ(got.shipType, meant->shipType);
                EXPECT_EQ(got.toBow, meant->toBow);
                EXPECT_EQ(got.toStarboard, meant->toStarboard);
                EXPECT_NEAR(got.draught, meant->draught / 10.0, 1e-4);
                break;
            case 24:
                EXPECT_EQ(Text(got.name.data()), meant->name);
                if (got.callSign[0]) {
                    EXPECT_EQ(Text(got.callSign.data()), meant->callSign);
                    EXPECT_EQ(Text(got.vendorId.data()), meant->vendorId);
                    EXPECT_EQ(got.shipType, meant->shipType);
                    EXPECT_EQ(got.toStern, meant->toStern);
                    EXPECT_EQ(got.toPort, meant->toPort);
                }
                break;
            default: ADD_FAILURE() << "unexpected type in " << sentence;
            }
        }
        Advance(own, 1.0);
        traffic.Advance(1.0);
    }
    EXPECT_EQ(types, (std::set<int>{10, 30, 50, 180, 240, 241}));
    EXPECT_EQ(channels, (std::set<char>{'A', 'B'}));
}

TEST(AisTraffic, TheOwnShipReportMatchesTheGnssPositionOfTheSameSecond)
{
    auto device = test::MakeTestDevice();
    Clock::time_point now{};
    Decoder decoder;
    int checked = 0;
    double rmcLatitude = 0.0, rmcLongitude = 0.0;
    for (const auto& line : test::RunFor(*device, now, 5s)) {
        if (line.compare(3, 3, "RMC") == 0) {
            // $GNRMC,hhmmss.ss,A,ddmm.mmmm,N,dddmm.mmmm,E,...
            const auto lat = line.substr(19, 9), lon = line.substr(31, 10);
            rmcLatitude = std::stod(lat.substr(0, 2)) + std::stod(lat.substr(2)) / 60.0;
            rmcLongitude = std::stod(lon.substr(0, 3)) + std::stod(lon.substr(3)) / 60.0;
        }
        if (line.compare(0, 6, "!AIVDO") == 0) {
            ASSERT_EQ(decoder.Feed(line), 0);
            EXPECT_NEAR(decoder.target(0).latitude, rmcLatitude, kDegrees);
            EXPECT_NEAR(decoder.target(0).longitude, rmcLongitude, kDegrees);
            ++checked;
        } else if (line[0] == '!') {
            decoder.Feed(line);
        }
    }
    EXPECT_EQ(checked, 5);
}

TEST(AisTraffic, TargetsSpreadFromAFewToFortyMilesAtAllBearingsButTheEmptySector)
{
    constexpr double kEmptyFrom = 90.0;
    const VesselMotion ownStart{25.0415, 121.7622, 12.3, 84.0, 0.05};
    AisTraffic traffic(ownStart, 416000047, kEmptyFrom);
    VesselMotion own = ownStart;
    Decoder decoder;
    std::set<uint32_t> heard;
    std::set<int> sectors;
    for (long second = 0; second < 60; ++second) {
        for (const auto& sentence : traffic.Second(second, own, static_cast<int>(second % 60), true)) {
            const int index = decoder.Feed(sentence);
            if (index <= 0 || decoder.lastType() == 5 || decoder.lastType() == 24)
                continue;
            const auto& got = decoder.target(index);
            const VesselMotion at{got.latitude, got.longitude, 0.0, 0.0, 0.0};
            const double bearing = BearingTo(own, at);
            EXPECT_FALSE(bearing >= kEmptyFrom && bearing < kEmptyFrom + 30.0) << got.mmsi << " at " << bearing;
            heard.insert(got.mmsi);
            sectors.insert(static_cast<int>(bearing / 30.0));
        }
        Advance(own, 1.0);
        traffic.Advance(1.0);
    }
    // Every sector but the empty one has someone in it, and nearly all of the fleet is heard.
    EXPECT_EQ(sectors.size(), 11u);
    EXPECT_EQ(sectors.count(3), 0u);
    EXPECT_GE(heard.size(), traffic.targets().size() - 4);

    double nearest = 1e9, farthest = 0.0;
    for (const auto& t : traffic.targets()) {
        const double dLat = (t.motion.latitude - own.latitude) * 60.0;
        const double dLon = (t.motion.longitude - own.longitude) * 60.0 * std::cos(own.latitude * 3.14159265 / 180.0);
        const double miles = std::hypot(dLat, dLon);
        nearest = std::min(nearest, miles);
        farthest = std::max(farthest, miles);
    }
    EXPECT_LT(nearest, 5.0);
    EXPECT_GT(farthest, 35.0);
    EXPECT_LT(farthest, 42.0);
}

TEST(AisTraffic, AtRangeAndBearingAndBearingToAgree)
{
    const VesselMotion from{-33.85, 151.21, 0.0, 0.0, 0.0};
    for (double bearing : {0.0, 45.0, 135.0, 200.0, 359.0}) {
        const VesselMotion to = AtRangeAndBearing(from, 40.0, bearing);
        EXPECT_NEAR(BearingTo(from, to), bearing, 1e-6);
        EXPECT_NEAR(std::hypot((to.latitude - from.latitude) * 60.0,
                               (to.longitude - from.longitude) * 60.0 * std::cos(from.latitude * 3.14159265 / 180.0)),
                    40.0, 0.1);
    }
}

} // namespace
} // namespace m47sim
