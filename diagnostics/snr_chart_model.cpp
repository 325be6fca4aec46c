#include "diagnostics/snr_chart_model.h"

#include <algorithm>

namespace m47::diagnostics {

SnrChartModel::SnrChartModel()
{
    Reset();
}

void SnrChartModel::Clear()
{
    count_ = 0;
}

void SnrChartModel::AddBar(int value, std::string_view label, std::uint32_t colour)
{
    if (count_ == bars_.size())
        return;
    ChartBar& bar = bars_[count_++];
    bar.value = value;
    bar.label.fill('\0');
    label.copy(bar.label.data(), std::min(label.size(), bar.label.size() - 1));
    bar.colour = colour;
}

void SnrChartModel::AddPlaceholders()
{
    while (count_ < kChartMinBars)
        AddBar(0, kPlaceholderLabel, kInViewColour);
}

void SnrChartModel::Reset()
{
    Clear();
    AddPlaceholders();
}

int SnrChartModel::AxisValue(int value)
{
    return std::clamp(value, kChartAxisMin, kChartAxisMax);
}

} // namespace m47::diagnostics
