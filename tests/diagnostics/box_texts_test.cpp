#include "diagnostics/gnss_texts.h"
#include "diagnostics/lat_lon_format.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace m47::diagnostics;

namespace {

// The degree sign as the page's texts carry it.
std::string Deg(const char* before, const char* after)
{
    return std::string(before) + "\xC2\xB0" + after;
}

} // namespace

TEST(FormatLatLon, ThreeWideDegreesAndTruncatedMinutes)
{
    struct Case {
        float longitude;
        float latitude;
        std::string lonText;
        std::string latText;
    };
    const Case cases[] = {
        {-121.25f, 25.5f, Deg("121", "15.0000'W"), Deg(" 25", "30.0000'N")},
        {-0.5f, -0.5f, Deg("  0", "30.0000'W"), Deg("  0", "30.0000'S")},
        {0.5f, 0.5f, Deg("  0", "30.0000'E"), Deg("  0", "30.0000'N")},
        // Single precision holds 121.53333282...: 31.99996 minutes, cut, not rounded up.
        {121.5333333f, 0.0f, Deg("121", "31.9999'E"), Deg("  0", "00.0000'N")},
        {-8.11466f, 50.21318f, Deg("  8", "06.8796'W"), Deg(" 50", "12.7908'N")},
        {180.0f, -90.0f, Deg("180", "00.0000'E"), Deg(" 90", "00.0000'S")},
    };
    for (const Case& c : cases) {
        const LatLonTexts texts = FormatLatLon(c.longitude, c.latitude);
        EXPECT_EQ(texts.longitude, c.lonText) << c.longitude;
        EXPECT_EQ(texts.latitude, c.latText) << c.latitude;
    }
}

TEST(FormatLatLon, ValuesWithoutADegreeTextGiveNA)
{
    for (double v :
         {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity(), 1e12, -1000.0})
        EXPECT_EQ(FormatCoordinate(v, 'E', 'W'), "N/A") << v;
}

// Each threshold compares the widened single-precision value with a double limit.
TEST(GnssBoxTexts, HdopSogAndCogThresholds)
{
    const std::pair<float, const char*> hdop[] = {{99.9f, "N/A"},     {99.89f, "99.9"}, {100.0f, "N/A"},
                                                  {1.2f, " 1.2"},     {0.0f, " 0.0"},   {-0.1f, "N/A"},
                                                  {-100000.0f, "N/A"}};
    for (auto [value, text] : hdop)
        EXPECT_EQ(ShowHdop(value), text) << value;

    const std::pair<float, std::string> sog[] = {
        {102.2f, "102.20 Kn"}, {102.3f, "N/A"}, {0.5f, " 0.50 Kn"}, {0.0f, " 0.00 Kn"}, {-1.0f, "N/A"}};
    for (const auto& [value, text] : sog)
        EXPECT_EQ(ShowPositionAndMotion(0, 0, value, 0).sog, text) << value;

    const std::pair<float, std::string> cog[] = {{359.9f, Deg("359.9", "")},
                                                 {360.0f, "N/A"},
                                                 {361.0f, "N/A"},
                                                 {0.0f, Deg("  0.0", "")},
                                                 {-0.5f, "N/A"}};
    for (const auto& [value, text] : cog)
        EXPECT_EQ(ShowPositionAndMotion(0, 0, 0, value).cog, text) << value;
}

TEST(GnssBoxTexts, FixModeShowsHdopOnlyWithAFix)
{
    struct Case {
        int mode;
        float hdop;
        const char* fixText;
        const char* hdopText;
    };
    const Case cases[] = {{3, 1.2f, "3D", " 1.2"},      {2, 4.0f, "2D", " 4.0"},
                          {1, 1.2f, "Lost", "N/A"},     {0, 1.2f, "Lost", "N/A"},
                          {3, -100000.0f, "3D", "N/A"}, {-128, 1.0f, "Lost", "N/A"}};
    for (const Case& c : cases) {
        const FixModeTexts texts = ShowFixMode(c.mode, c.hdop);
        EXPECT_EQ(texts.fixMode, c.fixText) << c.mode;
        EXPECT_EQ(texts.hdop, c.hdopText) << c.mode;
    }
}

TEST(GnssBoxTexts, AisNoPositionShowsNAInsteadOfAFalseCoordinate)
{
    const PositionTexts none = ShowPositionAndMotion(181.0f, 91.0f, 102.3f, 360.0f);
    EXPECT_EQ(none.longitude, "N/A");
    EXPECT_EQ(none.latitude, "N/A");
    EXPECT_EQ(none.sog, "N/A");
    EXPECT_EQ(none.cog, "N/A");

    const PositionTexts edge = ShowPositionAndMotion(-180.0f, 90.0f, 0, 0);
    EXPECT_EQ(edge.longitude, Deg("180", "00.0000'W"));
    EXPECT_EQ(edge.latitude, Deg(" 90", "00.0000'N"));
}

TEST(GnssBoxTexts, DateTimeAndCounts)
{
    const UtcTexts utc = ShowUtc(2011, 6, 1, 13, 7, 5);
    EXPECT_EQ(utc.date, "2011/06/01");
    EXPECT_EQ(utc.time, "13:07:05");
    const SatelliteCountTexts counts = ShowSatelliteCounts(7, 12);
    EXPECT_EQ(counts.inView, "12");
    EXPECT_EQ(counts.inUse, "7");
}
