// Range and bearing on the 3440.065 NM sphere, and the farthest target per 30-degree sector.
#include "diagnostics/reception_geometry.h"

#include <gtest/gtest.h>

#include <limits>

namespace m47::diagnostics {
namespace {

struct KnownPair {
    const char* what;
    GeoPosition from, to;
    double distanceNm, bearing;
};

// One degree of a great circle is 3440.065 x pi / 180 = 60.0405 NM.
const KnownPair kPairs[] = {
    {"one degree north", {25.0, 121.0}, {26.0, 121.0}, 60.0405, 0.0},
    {"one degree south", {25.0, 121.0}, {24.0, 121.0}, 60.0405, 180.0},
    {"one degree east on the equator", {0.0, 10.0}, {0.0, 11.0}, 60.0405, 90.0},
    {"one degree west on the equator", {0.0, 10.0}, {0.0, 9.0}, 60.0405, 270.0},
    {"across the antimeridian", {0.0, 179.5}, {0.0, -179.5}, 60.0405, 90.0},
    {"half the equator", {0.0, 0.0}, {0.0, 179.999999}, 10807.28, 90.0},
    {"New York JFK to London LHR", {40.6413, -73.7781}, {51.4700, -0.4543}, 2991.4, 51.4},
    {"Sydney to Auckland", {-33.8688, 151.2093}, {-36.8485, 174.7633}, 1164.1, 105.6},
    {"the same place", {25.0415, 121.7622}, {25.0415, 121.7622}, 0.0, 0.0},
};

TEST(GreatCircle, KnownPairsGiveTheirRangeAndInitialBearing)
{
    for (const KnownPair& pair : kPairs) {
        const RangeBearing got = GreatCircle(pair.from, pair.to);
        EXPECT_NEAR(got.distanceNm, pair.distanceNm, pair.distanceNm * 1e-3 + 1e-3) << pair.what;
        EXPECT_NEAR(got.bearingDegrees, pair.bearing, 0.6) << pair.what;
        EXPECT_GE(got.bearingDegrees, 0.0) << pair.what;
        EXPECT_LT(got.bearingDegrees, 360.0) << pair.what;
    }
}

TEST(GreatCircle, AisNotAvailableMarksGiveNoPosition)
{
    EXPECT_FALSE(AvailablePosition(91.0, 10.0));
    EXPECT_FALSE(AvailablePosition(10.0, 181.0));
    EXPECT_FALSE(AvailablePosition(-91.0, -181.0));
    EXPECT_FALSE(AvailablePosition(std::numeric_limits<double>::quiet_NaN(), 0.0));
    EXPECT_TRUE(AvailablePosition(-90.0, 180.0));
}

TEST(CoverageSectors, BearingsFallInThirtyDegreeSectorsFromNorth)
{
    EXPECT_EQ(SectorOf(0.0), 0u);
    EXPECT_EQ(SectorOf(29.99), 0u);
    EXPECT_EQ(SectorOf(30.0), 1u);
    EXPECT_EQ(SectorOf(359.99), 11u);
    EXPECT_EQ(SectorOf(360.0), 11u); // rounding at the top stays in the last sector
    EXPECT_EQ(SectorOf(-1.0), 0u);
}

TEST(CoverageSectors, TheOutlineKeepsTheFarthestTargetOfEachSector)
{
    struct Target {
        double bearing, distance;
        std::uint32_t mmsi;
    };
    // Nothing between 90 and 120 degrees: a shadowed sector.
    const Target targets[] = {
        {10.0, 5.0, 1}, {20.0, 12.0, 2}, {25.0, 8.0, 3},  {45.0, 30.0, 4},  {75.0, 2.0, 5},
        {135.0, 40.0, 6}, {200.0, 18.5, 7}, {205.0, 18.5, 8}, {359.0, 22.0, 9}, {300.0, 0.0, 10},
    };
    SectorOutline outline{};
    for (const Target& t : targets)
        WidenSector(outline, RangeBearing{t.distance, t.bearing}, t.mmsi);

    const SectorOutline expected = {{
        {12.0, 2},
        {30.0, 4},
        {2.0, 5},
        {0.0, 0}, // 90..120: empty
        {40.0, 6},
        {0.0, 0},
        {18.5, 7}, // equal distances: the first heard stays
        {0.0, 0},
        {0.0, 0},
        {0.0, 0},
        {0.0, 10}, // a target right at the own ship still marks its sector
        {22.0, 9},
    }};
    EXPECT_EQ(outline, expected);
}


TEST(CoverageSectors, RangeRingsReachTheFarthestTargetInOneTwoFiveSteps)
{
    const struct {
        double farthest, step;
    } cases[] = {{0.0, 1.0}, {3.9, 1.0}, {4.0, 1.0}, {4.1, 2.0}, {7.5, 2.0}, {19.0, 5.0},
                 {38.2, 10.0}, {40.0, 10.0}, {41.0, 20.0}, {1500.0, 500.0}};
    for (const auto& c : cases) {
        const RangeRings rings = RingsFor(c.farthest);
        EXPECT_EQ(rings.stepNm, c.step) << c.farthest;
        EXPECT_EQ(rings.rings, 4);
        EXPECT_GE(rings.OuterNm(), c.farthest);
    }
}

} // namespace
} // namespace m47::diagnostics
