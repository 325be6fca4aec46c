#pragma once
// Geometry of the satellite sky map: the polar plot's centre and horizon radius for a map of
// W x H pixels, its two elevation rings, the compass letter boxes, and where a satellite of a
// given azimuth and elevation lies. North is up, east right; elevation 90 is the centre,
// elevation 0 the horizon circle, negative elevations lie outside it.
//
//   198 x 200 map:  centre (99, 100), radius 91, rings 30 and 60, "N" box (92, 4)-(108, 22)
//   azimuth 0, elevation 0 -> (98, 9); its 20 x 20 marker at left 88, top -1

#include <array>

namespace m47::diagnostics {

struct SkyGeometry {
    int Radius = 0; // horizon circle, pixels
    int CenterX = 0;
    int CenterY = 0;
};

struct SkyPoint {
    int x = 0;
    int y = 0;
    bool operator==(const SkyPoint&) const = default;
};

// A compass letter in its box: left and top inclusive, right and bottom exclusive; the letter's
// text box starts at (textX, textY), its top left corner.
struct CompassBox {
    char letter;
    int left;
    int top;
    int right;
    int bottom;
    int textX;
    int textY;
    bool operator==(const CompassBox&) const = default;
};

// Integer halves, as the map is rendered: radius = min((W - 16) / 2, (H - 16) / 2), never
// negative.
SkyGeometry RenderGeometry(int width, int height);

// The two elevation rings' radii: R / 3 and 2 * (R / 3).
std::array<int, 2> RingRadii(const SkyGeometry& geometry);

// "N", "S", "E", "W" boxes, each 16 x 18 pixels.
std::array<CompassBox, 4> CompassBoxes(const SkyGeometry& geometry);

// Pixel of a satellite, computed in single precision with the angle factor 0.0174533 and
// truncated toward zero: positions agree pixel for pixel with the map's established look.
SkyPoint SkyPosition(const SkyGeometry& geometry, int azimuth, int elevation);

// Top left corner of a square marker of `width` pixels centred on `point`.
SkyPoint MarkerOrigin(SkyPoint point, int width);

// Top left corner of a marker's id text: x 6 for a one-character id, 3 for longer ones; y 3.
SkyPoint MarkerTextOrigin(int satelliteId);

} // namespace m47::diagnostics
