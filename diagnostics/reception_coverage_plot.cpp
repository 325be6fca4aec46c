#include "diagnostics/reception_coverage_plot.h"

#include "diagnostics/reception_colours.h"

#include <QPainter>
#include <QPixmap>

#include <cmath>
#include <numbers>
#include <vector>

namespace diagnostics = m47::diagnostics;

namespace {

constexpr double kMargin = 14.0; // room for the N, E, S and W letters
constexpr double kDotRadius = 2.6;
const QColor kRingColour(0xA8, 0xB4, 0xC4);
const QColor kOutlineColour(0x2E, 0x9A, 0x5C);

struct Polar {
    QPointF centre;
    double radius = 0.0;
    double outerNm = 1.0;

    // A point at `bearing` degrees true and `distanceNm`, north up; beyond the outer ring it
    // stays on the ring.
    QPointF At(double bearing, double distanceNm) const
    {
        const double angle = bearing * std::numbers::pi / 180.0;
        const double r = std::fmin(distanceNm / outerNm, 1.0) * radius;
        return centre + QPointF(r * std::sin(angle), -r * std::cos(angle));
    }
};

// One target's dot, antialiased, at the pixel ratio of the device it goes to.
QPixmap DotPicture(const QColor& colour, qreal ratio)
{
    const int side = static_cast<int>(std::ceil(2.0 * kDotRadius * ratio)) + 2;
    QPixmap dot(side, side);
    dot.fill(Qt::transparent);
    QPainter painter(&dot);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour);
    const double centre = side / 2.0;
    painter.drawEllipse(QPointF(centre, centre), kDotRadius * ratio, kDotRadius * ratio);
    painter.end();
    dot.setDevicePixelRatio(ratio);
    return dot;
}

// The plot's circle inside the margins of `bounds`, scaled to the outer ring.
Polar PolarOf(const QRect& bounds, const m47::diagnostics::RangeRings& rings)
{
    const QRectF area = QRectF(bounds).adjusted(kMargin, kMargin, -kMargin, -kMargin);
    return Polar{area.center(), std::fmin(area.width(), area.height()) / 2.0, rings.OuterNm()};
}

QFont LabelFont(QFont font)
{
    font.setPointSizeF(7.0);
    return font;
}

QString RingLabel(double nm, bool outer)
{
    return QString::number(nm, 'g', 6) + (outer ? QStringLiteral(" NM") : QString());
}

} // namespace

void TCoveragePlot::SetView(const diagnostics::ReceptionView& view)
{
    dots_.clear();
    for (const diagnostics::TargetRow& row : view.targets) {
        if (row.range)
            dots_.push_back(Dot{*row.range, row.lastChannel});
    }
    sectors_ = view.sectors;
    rings_ = diagnostics::RingsFor(view.farthestNm);
    hasPosition_ = view.ownShip.source != diagnostics::OwnShipFix::Source::None;
    update();
}

// The rings, their labels, the axes and the compass letters change only with the widget's size,
// its pixel ratio or the ring scale, so they are drawn once into a picture that each repaint copies.
QPixmap TCoveragePlot::Grid(qreal ratio)
{
    const QSize pixels = (QSizeF(size()) * ratio).toSize();
    if (grid_.size() == pixels && grid_.devicePixelRatio() == ratio && gridRings_.rings == rings_.rings &&
        gridRings_.stepNm == rings_.stepNm)
        return grid_;
    grid_ = QPixmap(pixels);
    grid_.setDevicePixelRatio(ratio);
    grid_.fill(Qt::white);
    gridRings_ = rings_;

    QPainter painter(&grid_);
    painter.setRenderHint(QPainter::Antialiasing);
    const Polar polar = PolarOf(rect(), rings_);
    painter.setPen(QPen(kRingColour, 1.0));
    painter.setBrush(Qt::NoBrush);
    for (int ring = 1; ring <= rings_.rings; ++ring) {
        const double r = polar.radius * ring / rings_.rings;
        painter.drawEllipse(polar.centre, r, r);
    }
    painter.drawLine(polar.At(0.0, polar.outerNm), polar.At(180.0, polar.outerNm));
    painter.drawLine(polar.At(90.0, polar.outerNm), polar.At(270.0, polar.outerNm));

    painter.setFont(LabelFont(font()));
    painter.setPen(Qt::darkGray);
    for (int ring = 1; ring <= rings_.rings; ++ring) {
        const QPointF at = polar.At(0.0, rings_.stepNm * ring);
        painter.drawText(at + QPointF(3.0, 10.0), RingLabel(rings_.stepNm * ring, ring == rings_.rings));
    }
    painter.setPen(Qt::black);
    const double letterBox = kMargin;
    const struct {
        const char* letter;
        double bearing;
    } kCompass[] = {{"N", 0.0}, {"E", 90.0}, {"S", 180.0}, {"W", 270.0}};
    for (const auto& point : kCompass) {
        const QPointF at = polar.At(point.bearing, polar.outerNm * (1.0 + letterBox / 2.0 / polar.radius));
        painter.drawText(QRectF(at.x() - letterBox / 2, at.y() - letterBox / 2, letterBox, letterBox),
                         Qt::AlignCenter, QLatin1String(point.letter));
    }
    return grid_;
}

void TCoveragePlot::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.drawPixmap(0, 0, Grid(devicePixelRatioF()));
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF area = QRectF(rect()).adjusted(kMargin, kMargin, -kMargin, -kMargin);
    const Polar polar = PolarOf(rect(), rings_);
    if (!hasPosition_) {
        painter.setFont(LabelFont(font()));
        painter.drawText(area, Qt::AlignCenter, QStringLiteral("No own position"));
        return;
    }

    // The farthest reach of each sector across its 30 degrees; an empty sector goes to the centre.
    QPolygonF outline;
    for (std::size_t sector = 0; sector < diagnostics::kCoverageSectors; ++sector) {
        const double reach = sectors_[sector].mmsi != 0 ? sectors_[sector].distanceNm : 0.0;
        const double from = static_cast<double>(sector) * diagnostics::kSectorWidthDegrees;
        outline << polar.At(from, reach) << polar.At(from + diagnostics::kSectorWidthDegrees, reach);
    }
    QColor fill = kOutlineColour;
    fill.setAlpha(48);
    painter.setPen(QPen(kOutlineColour, 1.2));
    painter.setBrush(fill);
    painter.drawPolygon(outline);

    // A full table is thousands of dots: each channel's dot is drawn once, at the device's pixel
    // ratio, and copied to every target of that channel in one call.
    const qreal ratio = painter.device()->devicePixelRatioF();
    for (std::size_t lane = 0; lane < diagnostics::kAisChannels; ++lane) {
        const auto channel = static_cast<diagnostics::AisChannel>(lane);
        const QPixmap dot = DotPicture(diagnostics::ChannelColour(channel), ratio);
        std::vector<QPainter::PixmapFragment> fragments;
        fragments.reserve(dots_.size());
        for (const Dot& d : dots_) {
            if (d.channel == channel) {
                const QPointF at = polar.At(d.range.bearingDegrees, d.range.distanceNm);
                fragments.push_back(QPainter::PixmapFragment::create(at, QRectF(QPointF(), dot.size()),
                                                                     1.0 / ratio, 1.0 / ratio));
            }
        }
        painter.drawPixmapFragments(fragments.data(), static_cast<int>(fragments.size()), dot);
    }
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::black);
    painter.drawEllipse(polar.centre, 2.0, 2.0); // the own ship
}
