#include "diagnostics/sky_geometry.h"

#include <gtest/gtest.h>

using namespace m47::diagnostics;

namespace {

// The map control on the GPS STATUS page fills its 198 x 200 panel.
const SkyGeometry kPanelMap = RenderGeometry(198, 200);

} // namespace

TEST(SkyGeometry, PanelSizeGivesCentreRadiusRingsAndCompassBoxes)
{
    EXPECT_EQ(kPanelMap.CenterX, 99);
    EXPECT_EQ(kPanelMap.CenterY, 100);
    EXPECT_EQ(kPanelMap.Radius, 91);
    EXPECT_EQ(RingRadii(kPanelMap), (std::array<int, 2>{30, 60}));

    const auto boxes = CompassBoxes(kPanelMap);
    EXPECT_TRUE(boxes[0] == (CompassBox{'N', 92, 4, 108, 22, 95, 5}));
    EXPECT_TRUE(boxes[3] == (CompassBox{'W', 0, 94, 16, 112, 2, 96}));
    for (const CompassBox& box : boxes) {
        EXPECT_EQ(box.right - box.left, 16) << box.letter;
        EXPECT_EQ(box.bottom - box.top, 18) << box.letter;
    }
}

TEST(SkyGeometry, SmallOrOddSizes)
{
    const SkyGeometry tiny = RenderGeometry(10, 10);
    EXPECT_EQ(tiny.Radius, 0);
    EXPECT_EQ(RingRadii(tiny), (std::array<int, 2>{0, 0}));
    const SkyGeometry wide = RenderGeometry(301, 117);
    EXPECT_EQ(wide.CenterX, 150);
    EXPECT_EQ(wide.CenterY, 58);
    EXPECT_EQ(wide.Radius, 50);
}

// Worked through the single-precision steps: exact trigonometry would give (99, 9) and (190, 100).
TEST(SkyPosition, PixelsOfThePanelMap)
{
    struct Case {
        int azimuth;
        int elevation;
        SkyPoint expected;
    };
    const Case cases[] = {
        {0, 0, {98, 9}},      {90, 0, {189, 99}},  {45, 45, {131, 67}}, {0, 90, {99, 100}},
        {123, 90, {99, 100}}, {-1, 90, {99, 100}}, {180, 0, {99, 190}}, {270, 0, {8, 100}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(SkyPosition(kPanelMap, c.azimuth, c.elevation), c.expected)
            << c.azimuth << "/" << c.elevation;
}

TEST(SkyPosition, AnglesOutsideTheCircleWrapOnce)
{
    // 460 becomes the angle 350, like azimuth 100; the no-value -1 becomes 91, like 359.
    for (int elevation : {0, 30, 60}) {
        EXPECT_EQ(SkyPosition(kPanelMap, 460, elevation), SkyPosition(kPanelMap, 100, elevation));
        EXPECT_EQ(SkyPosition(kPanelMap, -1, elevation), SkyPosition(kPanelMap, 359, elevation));
    }
    // A negative elevation lies beyond the horizon.
    EXPECT_LT(SkyPosition(kPanelMap, 0, -10).y, SkyPosition(kPanelMap, 0, 0).y);
}

TEST(SkyPosition, MarkerCornerAndIdText)
{
    EXPECT_EQ(MarkerOrigin(SkyPosition(kPanelMap, 0, 0), 20), (SkyPoint{88, -1}));
    // Before the map has a size every marker sits at (-10, -10).
    EXPECT_EQ(MarkerOrigin(SkyPosition(SkyGeometry{}, 200, 40), 20), (SkyPoint{-10, -10}));

    const std::pair<int, int> textX[] = {{0, 6}, {7, 6}, {9, 6}, {10, 3}, {99, 3}, {127, 3}};
    for (auto [id, x] : textX)
        EXPECT_EQ(MarkerTextOrigin(id), (SkyPoint{x, 3})) << id;
}
