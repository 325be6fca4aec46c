#include "diagnostics/chart_layout.h"

#include <algorithm>
#include <cmath>

namespace m47::diagnostics {

namespace {

constexpr double kAxisNumbersWidth = 34; // room left of the plot for "50"
constexpr double kRightMargin = 8;
constexpr double kBackTop = 40; // below the caption, with room for a clipped mark
constexpr double kCaptionHeight = 18;
constexpr double kCaptionFromBottom = 20;
constexpr double kLabelBand = 24; // room for a bar label written upwards
constexpr double kBarFill = 0.7;  // share of its slot a bar covers
// Oblique projection: depth drawn at 45 degrees and at half length.
constexpr double kDepthProjection = 0.5 * 0.70710678;

} // namespace

double ChartLayout::FrontY(int value) const
{
    const double share = static_cast<double>(SnrChartModel::AxisValue(value) - kChartAxisMin) /
                         (kChartAxisMax - kChartAxisMin);
    return plot.bottom - share * (plot.bottom - plot.top);
}

BarPlace ChartLayout::Bar(std::size_t index, int value) const
{
    BarPlace place;
    const double left = plot.left + slot * static_cast<double>(index) + (slot - barWidth) / 2;
    place.front = {left, FrontY(value), left + barWidth, plot.bottom};
    place.markFoot = {left + barWidth / 2 + depthX / 2, place.front.top - depthY};
    place.labelCentre = {left + barWidth / 2, (labelTop + labelBottom) / 2};
    place.clipped = value > kChartAxisMax;
    return place;
}

ChartLayout LayoutChart(int width, int height, std::size_t barCount)
{
    ChartLayout layout;
    layout.width = width;
    layout.height = height;
    const double w = width;
    const double h = height;
    layout.horizontalCaption = {0, h - kCaptionFromBottom, w, h - kCaptionFromBottom + kCaptionHeight};
    layout.verticalCaption = {8, 4, 8 + 120, 4 + kCaptionHeight};

    const double frontBottom = std::max(kBackTop, h - kCaptionFromBottom - kLabelBand);
    const double depth = std::round((frontBottom - kBackTop) * kChartDepthPercent / 100.0 * kDepthProjection);
    layout.depthX = depth;
    layout.depthY = depth;
    layout.plot = {kAxisNumbersWidth, kBackTop + depth, std::max(kAxisNumbersWidth, w - kRightMargin - depth),
                   frontBottom};
    layout.labelTop = frontBottom + 2;
    layout.labelBottom = h - kCaptionFromBottom;

    const double places = static_cast<double>(std::max<std::size_t>(barCount, 1));
    layout.slot = (layout.plot.right - layout.plot.left) / places;
    layout.barWidth = layout.slot * kBarFill;
    return layout;
}

} // namespace m47::diagnostics
