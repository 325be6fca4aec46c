#include "ais_test_support.h"

#include <gtest/gtest.h>

#include <memory>
#include <numeric>

namespace nmea {
namespace {

using test::BitWriter;
using test::DecodeBits;
using test::FieldNumber;
using test::FieldText;

constexpr std::uint32_t kMmsi = 123456789;

// Type, repeat indicator and MMSI: the start of every message.
BitWriter Header(unsigned type)
{
    BitWriter w;
    w.Put(type, 6).Put(0, 2).Put(kMmsi, 30);
    return w;
}

struct PositionFields {
    std::uint32_t turn = 0;   // 8-bit two's complement
    std::uint32_t speed = 0;  // tenths of a knot
    std::uint32_t lon = 0;    // 28-bit two's complement, 1/10000 minute
    std::uint32_t lat = 0;    // 27-bit two's complement
    std::uint32_t course = 0; // tenths of a degree
    std::uint32_t heading = 0;
};

BitWriter PositionReport(const PositionFields& f)
{
    BitWriter w = Header(1);
    w.Put(5, 4).Put(f.turn, 8).Put(f.speed, 10).Put(1, 1).Put(f.lon, 28).Put(f.lat, 27);
    w.Put(f.course, 12).Put(f.heading, 9).Put(33, 6).Put(0, 4).Put(0, 1).Put(1, 1).Put(0x12345, 19);
    return w;
}

std::uint32_t TwosComplement(std::int64_t value, unsigned width)
{
    return static_cast<std::uint32_t>(value & ((std::int64_t{1} << width) - 1));
}

class AisDecode : public ::testing::Test
{
protected:
    std::unique_ptr<AisState> state = std::make_unique<AisState>();
};

// Every layout against its documented field count and length in bits; a message of that
// length (rounded up to whole bytes, as transmitted) decodes all its fields.
TEST_F(AisDecode, EveryLayoutDecodesAllFieldsOfAFullMessage)
{
    struct Case {
        unsigned type;
        unsigned part;
        std::size_t layout;
        unsigned fields;
        unsigned bits;
    };
    const Case cases[] = {
        {1, 0, 0, 16, 168},   {2, 0, 1, 16, 168},   {3, 0, 2, 16, 168},   {4, 0, 3, 16, 168},
        {5, 0, 4, 15, 424},   {6, 0, 5, 10, 88},    {7, 0, 6, 12, 168},   {8, 0, 7, 7, 56},
        {9, 0, 8, 17, 168},   {10, 0, 9, 6, 72},    {11, 0, 10, 16, 168}, {12, 0, 11, 8, 72},
        {13, 0, 12, 12, 168}, {14, 0, 13, 5, 40},   {15, 0, 14, 15, 160}, {16, 0, 15, 11, 148},
        {17, 0, 16, 13, 120}, {18, 0, 17, 21, 168}, {19, 0, 18, 20, 312}, {20, 0, 19, 20, 160},
        {21, 0, 20, 19, 360}, {22, 0, 21, 17, 168}, {23, 0, 22, 15, 160}, {24, 0, 23, 5, 160},
        {24, 1, 24, 9, 168},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("type " + std::to_string(c.type) + " part " + std::to_string(c.part));
        const AisLayout* layout = state->layouts.layouts.at(c.layout);
        ASSERT_NE(layout, nullptr);
        ASSERT_EQ(layout->fieldCount, c.fields);
        const auto fields = layout->Fields();
        EXPECT_EQ(std::accumulate(fields.begin(), fields.end(), 0u,
                                  [](unsigned sum, const AisFieldDef& f) { return sum + unsigned(f.width); }),
                  c.bits);

        BitWriter w = Header(c.type);
        w.Put(c.part, 2);
        w.PadTo((c.bits + 7) / 8 * 8);
        ASSERT_TRUE(DecodeBits(*state, w));
        EXPECT_EQ(state->message.Id(), c.type);
        EXPECT_EQ(state->message.layoutIndex, c.layout);
        EXPECT_EQ(state->message.fieldCount, c.fields);
        EXPECT_EQ(FieldNumber(*state, "mmsi"), kMmsi);
    }
}

TEST_F(AisDecode, UnknownIdentifiersAreRejected)
{
    for (const unsigned type : {0u, 25u, 26u, 27u, 63u}) {
        BitWriter w = Header(type);
        w.PadTo(168);
        EXPECT_FALSE(DecodeBits(*state, w)) << type;
    }
    AisBitBuffer empty;
    EXPECT_FALSE(DecodeAisFields(state->layouts, empty, state->message));
    AisLayoutTable unlinked;
    ASSERT_TRUE(Dearmour("15RTgt0PAso;90TKcjM8h6g208CQ", 0, state->bits));
    EXPECT_FALSE(DecodeAisFields(unlinked, state->bits, state->message));
}

TEST_F(AisDecode, FieldOfUnknownKindRejectsTheMessage)
{
    for (const FieldKind kind : {fkUnsupported, static_cast<FieldKind>(42)}) {
        const AisFieldDef fields[] = {
            {6, fkByte, 1.0f, "type"}, {2, fkByte, 1.0f, "repeat"}, {8, kind, 1.0f, "odd"}};
        const AisLayout odd{fields, 3};
        AisLayoutTable table = state->layouts;
        table.layouts[0] = &odd;
        ASSERT_TRUE(Dearmour("15RTgt0PAso;90TKcjM8h6g208CQ", 0, state->bits));
        EXPECT_FALSE(DecodeAisFields(table, state->bits, state->message));
        // Past the message's end the field is never converted, so the message stands.
        ASSERT_TRUE(Dearmour("15", 4, state->bits));
        EXPECT_TRUE(DecodeAisFields(table, state->bits, state->message));
    }
}

TEST_F(AisDecode, PositionReportScaling)
{
    struct Case {
        PositionFields in;
        float turn, speed, lon, lat, course, heading;
    };
    const Case cases[] = {
        // Not-available values of the standard read as 181 and 91 degrees.
        {{0, 1023, 181 * 600000, 91 * 600000, 3600, 511}, 0.0f, 102.3f, 181.0f, 91.0f, 360.0f, 511.0f},
        {{TwosComplement(-127, 8), 123, TwosComplement(-74037230, 28), 29028980, 2240, 215},
         -720.0f,
         12.3f,
         -123.395383f,
         48.381633f,
         224.0f,
         215.0f},
        {{127, 0, TwosComplement(-600000, 28), TwosComplement(-600000, 27), 0, 359},
         720.0f,
         0.0f,
         -1.0f,
         -1.0f,
         0.0f,
         359.0f},
        {{TwosComplement(-128, 8), 0, 0, 0, 0, 360}, -731.386f, 0.0f, 0.0f, 0.0f, 0.0f, 511.0f},
        {{1, 0, 0, 0, 0, 400}, 0.04464f, 0.0f, 0.0f, 0.0f, 0.0f, 511.0f},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(DecodeBits(*state, PositionReport(c.in)));
        EXPECT_NEAR(*FieldNumber(*state, "turn"), c.turn, 0.01);
        EXPECT_FLOAT_EQ(static_cast<float>(*FieldNumber(*state, "speed")), c.speed);
        EXPECT_NEAR(*FieldNumber(*state, "lon"), c.lon, 2e-5);
        EXPECT_NEAR(*FieldNumber(*state, "lat"), c.lat, 2e-5);
        EXPECT_FLOAT_EQ(static_cast<float>(*FieldNumber(*state, "course")), c.course);
        EXPECT_EQ(*FieldNumber(*state, "heading"), c.heading);
        EXPECT_EQ(*FieldNumber(*state, "second"), 33);
        EXPECT_EQ(*FieldNumber(*state, "raim"), 1);
        EXPECT_EQ(*FieldNumber(*state, "radio"), 0x12345);
    }
    // The not-available position is exact, as the target table compares it.
    ASSERT_TRUE(DecodeBits(*state, PositionReport({0, 0, 181 * 600000, 91 * 600000, 0, 0})));
    EXPECT_EQ(static_cast<float>(*FieldNumber(*state, "lon")), 181.0f);
    EXPECT_EQ(static_cast<float>(*FieldNumber(*state, "lat")), 91.0f);
}

TEST_F(AisDecode, ShortMessageKeepsZerosWhereFieldsDidNotFit)
{
    BitWriter longer = Header(5);
    longer.PadTo(424);
    ASSERT_TRUE(DecodeBits(*state, longer));

    // 48 bits: the rate of turn (bits 42 to 49) does not fit.
    BitWriter w = Header(1);
    w.Put(5, 4).Put(0x3F, 6);
    ASSERT_TRUE(DecodeBits(*state, w));
    EXPECT_EQ(state->message.fieldCount, 4); // type, repeat, MMSI, status
    EXPECT_EQ(FieldNumber(*state, "status"), 5);
    EXPECT_FALSE(FieldNumber(*state, "turn").has_value());
    EXPECT_EQ(state->message.size, 7);
    for (std::size_t i = state->message.size; i < state->message.bytes.size(); ++i) {
        ASSERT_EQ(state->message.bytes[i], 0) << "byte " << i;
    }
}

TEST_F(AisDecode, TextsKeepTheirPaddingAndSpaces)
{
    BitWriter w = Header(5);
    w.Put(0, 2).Put(9134270, 30).PutText("3FOF8", 7).PutText("EVER DIADEM", 20);
    w.Put(70, 8).Put(0, 30).Put(1, 4).Put(0, 20).Put(122, 8).PutText("NEW YORK  ?0", 20);
    w.PadTo(424);
    ASSERT_TRUE(DecodeBits(*state, w));
    EXPECT_EQ(FieldText(*state, "callsign"), "3FOF8@@");
    EXPECT_EQ(FieldText(*state, "shipname"), "EVER DIADEM@@@@@@@@@");
    EXPECT_EQ(FieldText(*state, "destination"), "NEW YORK  ?0@@@@@@@@");
    EXPECT_FLOAT_EQ(static_cast<float>(*FieldNumber(*state, "draught")), 12.2f);
    EXPECT_EQ(FieldNumber(*state, "imo"), 9134270);
}

TEST_F(AisDecode, TrailingTextTakesTheWholeCharactersLeft)
{
    struct Case {
        unsigned type;
        unsigned headerBits;
        unsigned totalBits;
        std::size_t characters;
    };
    const Case cases[] = {
        {8, 56, 56, 0}, {8, 56, 80, 4}, {6, 88, 96, 1}, {12, 72, 1008, 156}, {14, 40, 1008, 161},
    };
    for (const Case& c : cases) {
        BitWriter w = Header(c.type);
        w.PadTo(c.headerBits);
        while (w.Size() + 6 <= c.totalBits) {
            w.PutText("A", 1);
        }
        w.PadTo(c.totalBits);
        ASSERT_TRUE(DecodeBits(*state, w)) << c.type;
        const char* name = c.type == 6 || c.type == 8 ? "data" : "text";
        EXPECT_EQ(FieldText(*state, name), std::string(c.characters, 'A')) << c.type;
    }
}

TEST_F(AisDecode, Type22AddressedCarriesTwoDestinations)
{
    for (const bool addressed : {true, false}) {
        BitWriter w = Header(22);
        w.Put(0, 2).Put(2087, 12).Put(2088, 12).Put(1, 4).Put(1, 1);
        w.Put(28144881, 30).Put(0, 5).Put(268435519, 30).Put(0, 5);
        w.Put(addressed ? 1 : 0, 1).Put(0, 1).Put(1, 1).Put(4, 3).Put(0, 23);
        ASSERT_TRUE(DecodeBits(*state, w));
        EXPECT_EQ(FieldNumber(*state, "addressed"), addressed ? 1 : 0);
        EXPECT_EQ(FieldNumber(*state, "zonesize"), 4);
        const std::size_t at = ais_layout::kType22DestinationOffset;
        EXPECT_EQ(MessageDword(state->message, at), addressed ? 28144881u : 0u);
        EXPECT_EQ(MessageDword(state->message, at + 4), addressed ? 268435519u : 0u);
    }
}

TEST_F(AisDecode, Type24PartNumberChoosesTheLayout)
{
    struct Case {
        unsigned part;
        std::size_t layout;
    };
    for (const Case c : {Case{0, 23}, Case{1, 24}, Case{2, 23}, Case{3, 23}}) {
        BitWriter w = Header(24);
        w.Put(c.part, 2).PadTo(168);
        ASSERT_TRUE(DecodeBits(*state, w));
        EXPECT_EQ(state->message.layoutIndex, c.layout) << c.part;
        EXPECT_EQ(FieldNumber(*state, "partno"), c.part);
    }
}

TEST(AisSplit, DimensionsAndEta)
{
    const ShipDimensions d = SplitDimensions((225u << 21) | (70u << 12) | (1u << 6) | 31u);
    EXPECT_EQ(d.toBow, 225);
    EXPECT_EQ(d.toStern, 70);
    EXPECT_EQ(d.toPort, 1);
    EXPECT_EQ(d.toStarboard, 31);
    const ArrivalTime eta = SplitEta((5u << 16) | (15u << 11) | (14u << 6) | 59u);
    EXPECT_EQ(eta.month, 5);
    EXPECT_EQ(eta.day, 15);
    EXPECT_EQ(eta.hour, 14);
    EXPECT_EQ(eta.minute, 59);
}

} // namespace
} // namespace nmea
