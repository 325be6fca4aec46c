#pragma once
// Content of the signal-strength chart: an ordered list of bars, each with the SNR in dB-Hz,
// the satellite id as its label and a colour, drawn left to right in the order added, never
// sorted. The vertical axis is fixed at 0..58; a higher SNR is drawn clipped at the top and its
// value mark still reads the real value. Every bar carries its value mark.
//
//   after Reset:        16 x {0, "---", blue}
//   an epoch of 5:      {43, "7", green} {38, "12", blue} ... then 11 x {0, "---", blue}

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace m47::diagnostics {

inline constexpr int kChartAxisMin = 0;
inline constexpr int kChartAxisMax = 58;
inline constexpr std::size_t kChartMinBars = 16; // placeholders fill up to this many
inline constexpr std::size_t kChartMaxBars = 36; // an epoch collects at most 36 satellites

// Colours as 0xRRGGBB.
inline constexpr std::uint32_t kInUseColour = 0x00FF00;  // used in the fix
inline constexpr std::uint32_t kInViewColour = 0x0000FF; // only in view, and placeholders

inline constexpr std::string_view kPlaceholderLabel = "---";

struct ChartBar {
    int value = 0;
    std::array<char, 4> label{}; // up to three characters and NUL
    std::uint32_t colour = kInViewColour;

    std::string_view Label() const { return label.data(); }
};

class SnrChartModel
{
public:
    // Starts as Reset leaves it.
    SnrChartModel();

    void Clear();
    // Appends one bar; ignored once kChartMaxBars stand. The label is cut to three characters.
    void AddBar(int value, std::string_view label, std::uint32_t colour);
    // Appends placeholder bars {0, "---", blue} until kChartMinBars stand.
    void AddPlaceholders();
    // Clear, then the 16 placeholders: the chart before the first epoch.
    void Reset();

    std::span<const ChartBar> Bars() const { return {bars_.data(), count_}; }

    // The bar's height on the fixed axis: the value, clipped to 0..58.
    static int AxisValue(int value);

private:
    std::array<ChartBar, kChartMaxBars> bars_{};
    std::size_t count_ = 0;
};

} // namespace m47::diagnostics
