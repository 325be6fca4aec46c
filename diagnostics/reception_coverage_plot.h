#pragma once
// The coverage plot of the RECEPTION page: a polar plot around the own ship, north up. Range
// rings with their NM labels scaled to the farthest target, each target a dot at its bearing
// and distance coloured by the channel of its last message, and the farthest target per
// 30-degree sector as a shaded outline, so a shadowed sector shows as a notch to the centre.
//
//   plot->SetView(view);   // each refresh of the page
//
// It paints in logical pixels with antialiasing, so it is crisp at any device pixel ratio.
#include "diagnostics/reception_stats.h"

#include <QPixmap>
#include <QWidget>

#include <vector>

class TCoveragePlot : public QWidget
{
public:
    using QWidget::QWidget;

    // Takes the targets with a range, the sector outline and the farthest range; repaints.
    void SetView(const m47::diagnostics::ReceptionView& view);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPixmap Grid(qreal ratio);

    struct Dot {
        m47::diagnostics::RangeBearing range;
        m47::diagnostics::AisChannel channel;
    };
    std::vector<Dot> dots_;
    m47::diagnostics::SectorOutline sectors_{};
    m47::diagnostics::RangeRings rings_;
    bool hasPosition_ = false;
    QPixmap grid_;
    m47::diagnostics::RangeRings gridRings_{0.0, 0};
};
