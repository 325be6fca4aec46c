#include "diagnostics/reception_rate_chart.h"

#include "diagnostics/reception_colours.h"

#include <QPainter>

#include <algorithm>

namespace diagnostics = m47::diagnostics;

namespace {

// Room for the scale on the left and the time axis below.
constexpr double kLeft = 30.0, kTop = 6.0, kRight = 6.0, kBottom = 14.0;

} // namespace

void TRateChart::SetRates(const diagnostics::ReceptionView& view)
{
    perMinute_ = view.perMinute;
    update();
}

void TRateChart::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(rect(), Qt::white);
    const QRectF plot = QRectF(rect()).adjusted(kLeft, kTop, -kRight, -kBottom);

    std::uint32_t highest = 0;
    for (const auto& lane : perMinute_)
        highest = std::max(highest, *std::max_element(lane.begin(), lane.end()));
    // Four grid lines in 1-2-5 steps, as the coverage plot's rings.
    const diagnostics::RangeRings scale = diagnostics::RingsFor(highest);
    const double top = scale.OuterNm();

    QFont small = font();
    small.setPointSizeF(7.0);
    painter.setFont(small);
    for (int line = 0; line <= scale.rings; ++line) {
        const double y = plot.bottom() - plot.height() * line / scale.rings;
        painter.setPen(QColor(0xD8, 0xDE, 0xE6));
        painter.drawLine(QPointF(plot.left(), y), QPointF(plot.right(), y));
        painter.setPen(Qt::darkGray);
        painter.drawText(QRectF(0.0, y - 7.0, kLeft - 4.0, 14.0), Qt::AlignRight | Qt::AlignVCenter,
                         QString::number(scale.stepNm * line, 'g', 6));
    }
    painter.drawText(QRectF(plot.left(), plot.bottom(), plot.width(), kBottom), Qt::AlignLeft | Qt::AlignVCenter,
                     QStringLiteral("-60 min"));
    painter.drawText(QRectF(plot.left(), plot.bottom(), plot.width(), kBottom), Qt::AlignCenter,
                     QStringLiteral("messages per minute"));
    painter.drawText(QRectF(plot.left(), plot.bottom(), plot.width(), kBottom), Qt::AlignRight | Qt::AlignVCenter,
                     QStringLiteral("now"));

    for (std::size_t lane = 0; lane < diagnostics::kAisChannels; ++lane) {
        const auto channel = static_cast<diagnostics::AisChannel>(lane);
        QPolygonF line;
        for (std::size_t minute = 0; minute < diagnostics::kRateMinutes; ++minute) {
            const double x = plot.left() + plot.width() * static_cast<double>(minute) /
                                               static_cast<double>(diagnostics::kRateMinutes - 1);
            line << QPointF(x, plot.bottom() - plot.height() * perMinute_[lane][minute] / top);
        }
        painter.setPen(QPen(diagnostics::ChannelColour(channel), 1.5));
        painter.drawPolyline(line);
        painter.drawText(QPointF(plot.left() + 6.0 + 22.0 * static_cast<double>(lane), plot.top() + 10.0),
                         channel == diagnostics::AisChannel::A ? QStringLiteral("A") : QStringLiteral("B"));
    }
}
