#include "nmea/ais_bits.h"

#include <gtest/gtest.h>

namespace nmea {
namespace {

TEST(SixBitValue, AlphabetEdges) {
    struct Case { char c; std::uint8_t value; };
    const Case cases[] = {
        {'0', 0},  {'9', 9},   {'W', 39},  {'`', 40},  {'w', 63},
        {'X', 255}, {'_', 255}, {'/', 255}, {'x', 255}, {'\0', 255}, {' ', 255},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(SixBitValue(c.c), c.value) << "character code " << int(c.c);
    }
}

}  // namespace
}  // namespace nmea
