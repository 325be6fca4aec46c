#include "nmea/ais_bits.h"

#include <gtest/gtest.h>

#include <string>

namespace nmea {
namespace {

TEST(SixBitValue, AlphabetEdges)
{
    struct Case {
        char c;
        std::uint8_t value;
    };
    const Case cases[] = {
        {'0', 0},   {'9', 9},   {'W', 39},  {'`', 40},   {'w', 63},  {'X', 255},
        {'_', 255}, {'/', 255}, {'x', 255}, {'\0', 255}, {' ', 255}, {'\xC0', 255},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(SixBitValue(c.c), c.value) << "character code " << int(c.c);
    }
}

TEST(Dearmour, BitCountByFillBits)
{
    struct Case {
        std::string payload;
        int fill;
        bool ok;
        int bits;
    };
    const std::string p28 = "15RTgt0PAso;90TKcjM8h6g208CQ";
    const Case cases[] = {
        {p28, 0, true, 168},
        {p28.substr(0, 27), 2, true, 160},
        {p28.substr(0, 26), 4, true, 152},
        {p28.substr(0, 26), 0, true, 144}, // the two characters past the last group are ignored
        {p28.substr(0, 27), 1, false, 0},
        {p28.substr(0, 27), 3, false, 0},
        {p28, 5, false, 0},
        {p28, 6, false, 0},
        {p28, -128, false, 0},            // empty fill field
        {p28, 2, false, 0},               // fill 2 needs three characters after the groups
        {p28.substr(0, 25), 4, false, 0}, // fill 4 needs two
        {"", 0, true, 0},
        {std::string(168, 'w'), 0, true, 1008},
        {std::string(167, 'w'), 2, true, 1000},
        {std::string(169, 'w'), 0, false, 0}, // longer than any message
        {std::string(172, '0'), 0, false, 0},
        {"15RTgt0PAso;90TKcjM8h6g2X8CQ", 0, false, 0},
        {"15RTgt0PAso;90TKcjM8h6g2_8CQ", 0, false, 0},
        {"15RTgt0PAso;90TKcjM8h6g208C_", 2, false, 0}, // invalid character in the fill group
    };
    for (const Case& c : cases) {
        AisBitBuffer bits;
        EXPECT_EQ(Dearmour(c.payload, c.fill, bits), c.ok) << c.payload << " fill " << c.fill;
        if (c.ok) {
            EXPECT_EQ(bits.count, c.bits) << c.payload << " fill " << c.fill;
        }
    }
}

TEST(Dearmour, PacksBitsMostSignificantFirstAndDropsFillBits)
{
    AisBitBuffer bits;
    bits.data.fill(0xAA);                  // stale bits must not survive
    ASSERT_TRUE(Dearmour("w0w", 2, bits)); // 111111 000000 111111 -> minus 2 fill bits
    EXPECT_EQ(bits.count, 16);
    EXPECT_EQ(bits.data[0], 0xFC);
    EXPECT_EQ(bits.data[1], 0x0F);
    EXPECT_EQ(bits.data[2], 0x00);
    ASSERT_TRUE(Dearmour("1w", 4, bits)); // 000001 111111 -> minus 4 fill bits
    EXPECT_EQ(bits.count, 8);
    EXPECT_EQ(bits.data[0], 0x07);
    EXPECT_EQ(bits.data[1], 0x00);
}

TEST(ReadBits, WidthsAndPositions)
{
    AisBitBuffer bits;
    const std::uint8_t pattern[] = {0x12, 0x34, 0x56, 0x78, 0x9A, 0xBC};
    for (std::size_t i = 0; i < sizeof pattern; ++i) {
        bits.data[i] = pattern[i];
    }
    bits.count = 48;
    struct Case {
        unsigned position, width;
        std::uint32_t value;
    };
    const Case cases[] = {
        {0, 1, 0},           {3, 1, 1},           {0, 6, 0x04},        {0, 8, 0x12},         {4, 8, 0x23},
        {0, 32, 0x12345678}, {4, 32, 0x23456789}, {7, 32, 0x1A2B3C4D}, {16, 32, 0x56789ABC}, {0, 0, 0},
        {0, 33, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ReadBits(bits, c.position, c.width), c.value) << c.position << "/" << c.width;
    }
}

TEST(ReadBits, BeyondTheBufferReadsZero)
{
    AisBitBuffer bits;
    bits.data.fill(0xFF);
    EXPECT_EQ(ReadBits(bits, 1008, 8), 0xFFu);
    EXPECT_EQ(ReadBits(bits, 1012, 8), 0xF0u); // half inside, half past the 127 bytes
    EXPECT_EQ(ReadBits(bits, 1016, 32), 0u);
    EXPECT_EQ(ReadBits(bits, 0xFFFFFFF0u, 32), 0u);
}

// The reader takes several bytes at once away from the end and byte by byte near it: every
// position and width must read what a walk bit by bit reads.
TEST(ReadBits, AgreesWithABitWalkEverywhere)
{
    AisBitBuffer bits;
    std::uint32_t seed = 12345;
    for (std::uint8_t& byte : bits.data) {
        seed = seed * 1103515245u + 12345u;
        byte = static_cast<std::uint8_t>(seed >> 16);
    }
    const unsigned totalBits = static_cast<unsigned>(bits.data.size() * 8);
    for (unsigned position = 0; position < totalBits + 40; ++position) {
        for (unsigned width = 1; width <= 32; ++width) {
            std::uint32_t expected = 0;
            for (unsigned bit = position; bit < position + width; ++bit) {
                const unsigned value = bit < totalBits ? (bits.data[bit / 8] >> (7 - bit % 8)) & 1u : 0u;
                expected = expected << 1 | value;
            }
            ASSERT_EQ(ReadBits(bits, position, width), expected) << position << "/" << width;
        }
    }
}

TEST(SignExtend, TwosComplementByWidth)
{
    struct Case {
        std::uint32_t v;
        unsigned width;
        float value;
    };
    const Case cases[] = {
        {0x7F, 8, 127.0f},
        {0x80, 8, -128.0f},
        {0x81, 8, -127.0f},
        {0xFF, 8, -1.0f},
        {1, 1, -1.0f},
        {0, 1, 0.0f},
        {0x7FFFFFF, 28, 134217727.0f},
        {0x8000000, 28, -134217728.0f},
        {0xFFFFFFFF, 32, -1.0f},
        {0x80000000, 32, -2147483648.0f},
        {0x7FFFFFFF, 32, 2147483647.0f},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(SignExtend(c.v, c.width), c.value) << std::hex << c.v << "/" << std::dec << c.width;
    }
}

} // namespace
} // namespace nmea
