#include "diagnostics/chart_layout.h"
#include "diagnostics/snr_chart_model.h"

#include <gtest/gtest.h>

using namespace m47::diagnostics;

TEST(SnrChartModel, StartsWithSixteenPlaceholdersAndCapsAtThirtySix)
{
    SnrChartModel chart;
    ASSERT_EQ(chart.Bars().size(), kChartMinBars);
    for (const ChartBar& bar : chart.Bars()) {
        EXPECT_EQ(bar.value, 0);
        EXPECT_EQ(bar.Label(), "---");
        EXPECT_EQ(bar.colour, kInViewColour);
    }
    chart.Clear();
    for (int i = 0; i < 40; ++i)
        chart.AddBar(i, "1234", kInUseColour);
    EXPECT_EQ(chart.Bars().size(), kChartMaxBars);
    EXPECT_EQ(chart.Bars().back().value, 35);
    EXPECT_EQ(chart.Bars().back().Label(), "123") << "cut to three characters";
    chart.AddPlaceholders();
    EXPECT_EQ(chart.Bars().size(), kChartMaxBars);
}

TEST(ChartLayout, FixedAxisClipsAboveFiftyEight)
{
    const ChartLayout l = LayoutChart(409, 320, 16);
    const std::pair<int, double> heights[] = {
        {0, l.plot.bottom}, {-3, l.plot.bottom}, {58, l.plot.top}, {70, l.plot.top}, {99, l.plot.top}};
    for (auto [value, y] : heights)
        EXPECT_DOUBLE_EQ(l.FrontY(value), y) << value;
    EXPECT_DOUBLE_EQ(l.FrontY(29), (l.plot.top + l.plot.bottom) / 2);
    EXPECT_TRUE(l.Bar(0, 59).clipped);
    EXPECT_FALSE(l.Bar(0, 58).clipped);
}

// The page's chart with 16, 20 and 36 bars: everything drawn lies inside the 409 x 320 frame,
// bars stand in their order at equal steps, and a mark above a clipped bar stays below the
// vertical caption.
TEST(ChartLayout, EverythingFitsTheFrameAtEveryBarCount)
{
    constexpr double kMarkHeight = 12;
    for (std::size_t count : {std::size_t{16}, std::size_t{20}, kChartMaxBars}) {
        const ChartLayout l = LayoutChart(409, 320, count);
        EXPECT_GT(l.depthX, 0);
        EXPECT_GT(l.plot.left, 20) << "room for the axis numbers";
        EXPECT_LE(l.plot.right + l.depthX, 409 - 2);
        EXPECT_GE(l.plot.top - l.depthY - kMarkConnectorLength - kMarkHeight, l.verticalCaption.bottom);
        EXPECT_DOUBLE_EQ(l.horizontalCaption.top, 300);
        EXPECT_GE(l.labelTop, l.plot.bottom);
        EXPECT_LE(l.labelBottom, l.horizontalCaption.top);
        for (std::size_t i = 0; i < count; ++i) {
            const BarPlace bar = l.Bar(i, 70);
            EXPECT_GE(bar.front.left, l.plot.left);
            EXPECT_LE(bar.front.right, l.plot.right);
            EXPECT_GT(bar.front.right - bar.front.left, 2.0);
            if (i > 0) {
                EXPECT_NEAR(bar.front.left - l.Bar(i - 1, 0).front.left, l.slot, 1e-9);
            }
        }
    }
}
