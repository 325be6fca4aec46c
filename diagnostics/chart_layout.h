#pragma once
// Where the signal-strength chart draws its parts, in pixels of a W x H chart (409 x 320 on the
// GPS STATUS page). The plot has a front plane, on which the bars' front faces stand, and a back
// plane shifted right and up by the depth, on which the solid grid lies; each bar is a box
// reaching from the front plane to the back plane.
//
//   4  "SNR (dB-Hz)"          mark "61" above a clipped bar
//   40 ------------------ back plane top (58) ---------------
//       |/ front plane top (58)                            /|
//   50 -|  grid 50 on the back plane                        |
//       |  [] [] [] bars, equally spaced, in order added    |
//    0 -+-------------------------------------------------- + front bottom
//         7  12  ---  ---      bar labels
//   H-20          "Satellite ID"

#include "diagnostics/snr_chart_model.h"

#include <array>
#include <cstddef>

namespace m47::diagnostics {

// Grid lines and axis numbers of the fixed 0..58 axis.
inline constexpr std::array<int, 6> kChartGridValues{0, 10, 20, 30, 40, 50};
// The depth is 20 % of the plot height, drawn obliquely at 45 degrees, shortened.
inline constexpr double kChartDepthPercent = 20.0;
// Length of the connector between a bar and its value mark.
inline constexpr int kMarkConnectorLength = 2;

struct ChartPoint {
    double x = 0;
    double y = 0;
};

struct ChartBox {
    double left = 0;
    double top = 0;
    double right = 0;
    double bottom = 0;
};

// One bar's place: its front face, the foot of its value mark's connector (the middle of the
// top face's back edge) and the centre of its label.
struct BarPlace {
    ChartBox front;
    ChartPoint markFoot;
    ChartPoint labelCentre;
    bool clipped = false; // the value lies above the axis; the face stops at 58
};

struct ChartLayout {
    int width = 0;
    int height = 0;
    ChartBox plot;     // the front plane: value 0 at plot.bottom, 58 at plot.top
    double depthX = 0; // the back plane lies depthX to the right ...
    double depthY = 0; // ... and depthY above the front plane
    double slot = 0;   // horizontal room of each bar
    double barWidth = 0;
    ChartBox verticalCaption;   // "SNR (dB-Hz)", top left
    ChartBox horizontalCaption; // "Satellite ID", 20 pixels above the lower edge
    double labelTop = 0;        // the band of bar labels, between the plot and the caption
    double labelBottom = 0;

    // Height on the front plane of a value, clipped to the axis.
    double FrontY(int value) const;
    BarPlace Bar(std::size_t index, int value) const;
};

// `barCount` bars (at least one place is laid out, so an empty chart has its frame).
ChartLayout LayoutChart(int width, int height, std::size_t barCount);

} // namespace m47::diagnostics
