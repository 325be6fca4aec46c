#include "diagnostics/sky_geometry.h"

#include <algorithm>
#include <cmath>

namespace m47::diagnostics {

SkyGeometry RenderGeometry(int width, int height)
{
    SkyGeometry geometry;
    geometry.CenterX = width / 2;
    geometry.CenterY = height / 2;
    geometry.Radius = std::max(0, std::min((width - 16) / 2, (height - 16) / 2));
    return geometry;
}

std::array<int, 2> RingRadii(const SkyGeometry& geometry)
{
    const int step = geometry.Radius / 3;
    return {step, 2 * step};
}

std::array<CompassBox, 4> CompassBoxes(const SkyGeometry& g)
{
    const int cx = g.CenterX;
    const int cy = g.CenterY;
    const int r = g.Radius;
    return {{
        {'N', cx - 7, cy - r - 5, cx + 9, cy - r + 13, cx - 4, cy - r - 4},
        {'S', cx - 8, cy + r - 10, cx + 8, cy + r + 8, cx - 4, cy + r - 8},
        {'E', cx + r - 12, cy - 6, cx + r + 4, cy + 12, cx + r - 8, cy - 4},
        {'W', cx - r - 8, cy - 6, cx - r + 8, cy + 12, cx - r - 6, cy - 4},
    }};
}

SkyPoint SkyPosition(const SkyGeometry& g, int azimuth, int elevation)
{
    // Each step is rounded to single precision on purpose; see the header.
    const float t = static_cast<float>(g.Radius * elevation * (1.0 / 90.0));
    const float r = static_cast<float>(g.Radius - t);
    float a = static_cast<float>(450.0 - azimuth);
    if (a < 0.0f)
        a += 360.0f;
    if (a > 360.0f)
        a -= 360.0f;
    const float rad = static_cast<float>(a * 0.0174533);
    const double x = g.CenterX + std::cos(static_cast<double>(rad)) * r;
    const double y = g.CenterY - std::sin(static_cast<double>(rad)) * r;
    return {static_cast<int>(x), static_cast<int>(y)};
}

SkyPoint MarkerOrigin(SkyPoint point, int width)
{
    return {point.x - width / 2, point.y - width / 2};
}

SkyPoint MarkerTextOrigin(int satelliteId)
{
    return {satelliteId >= 0 && satelliteId <= 9 ? 6 : 3, 3};
}

} // namespace m47::diagnostics
