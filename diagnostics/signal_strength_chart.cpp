#include "diagnostics/signal_strength_chart.h"

#include "diagnostics/chart_layout.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPolygonF>
#include <QStringList>

#include <vector>

using m47::diagnostics::BarPlace;
using m47::diagnostics::ChartBar;
using m47::diagnostics::ChartLayout;
using m47::diagnostics::ChartPoint;
using m47::diagnostics::kChartGridValues;
using m47::diagnostics::kMarkConnectorLength;

namespace {

const QColor kFrameColour(0x80, 0x80, 0x80);
const QColor kGridColour(0xC8, 0xC8, 0xC8);
const QColor kAxisColour(0x60, 0x60, 0x60);
const QColor kMarkFrameColour(0xA0, 0xA0, 0xA0);

QPointF At(ChartPoint p)
{
    return {p.x, p.y};
}

// `colour` blended towards white by `amount` (0..1).
QColor Lighter(const QColor& colour, double amount)
{
    const auto blend = [amount](int c) { return static_cast<int>(c + (255 - c) * amount); };
    return QColor(blend(colour.red()), blend(colour.green()), blend(colour.blue()));
}

QColor Darker(const QColor& colour, double factor)
{
    const auto scale = [factor](int c) { return static_cast<int>(c * factor); };
    return QColor(scale(colour.red()), scale(colour.green()), scale(colour.blue()));
}

QFont SmallFont()
{
    QFont font;
    font.setPixelSize(10);
    return font;
}

// Writes `text` centred on `centre`, upright or upwards. A value mark stands on `centre` in a
// small white box, so it reads even where it overlaps a neighbouring bar.
void DrawSlotText(QPainter& painter, const QString& text, QPointF centre, bool upwards, bool mark)
{
    const QFontMetricsF metrics(painter.font());
    const double textHeight = metrics.ascent() + 1;
    const double along = upwards ? metrics.horizontalAdvance(text) + 2 : textHeight;
    const double across = upwards ? textHeight : metrics.horizontalAdvance(text) + 2;
    const double start = mark ? 0 : -along / 2; // distance from the anchor, away from it
    painter.save();
    painter.translate(centre);
    if (upwards)
        painter.rotate(-90); // x now points up the screen, y to the right
    const QRectF box = upwards ? QRectF(start, -across / 2, along, across)
                               : QRectF(-across / 2, -start - along, across, along);
    if (mark) {
        painter.setPen(QPen(kMarkFrameColour, 0.6));
        painter.setBrush(Qt::white);
        painter.drawRect(box);
        painter.setPen(Qt::black);
    }
    painter.drawText(box, Qt::AlignCenter, text);
    painter.restore();
}

// All texts of one kind go upwards as soon as one of them is wider than a bar's room, so the
// row reads evenly.
bool AnyWiderThan(const QFontMetricsF& metrics, const QStringList& texts, double room)
{
    for (const QString& text : texts) {
        if (metrics.horizontalAdvance(text) > room)
            return true;
    }
    return false;
}

void DrawGrid(QPainter& painter, const ChartLayout& l)
{
    const QPointF depth(l.depthX, -l.depthY);
    painter.setFont(SmallFont());
    for (const int value : kChartGridValues) {
        const QPointF front(l.plot.left, l.FrontY(value));
        painter.setPen(QPen(kGridColour, 1, Qt::SolidLine));
        painter.drawLine(front, front + depth);
        painter.drawLine(front + depth, QPointF(l.plot.right, front.y()) + depth);
        painter.setPen(Qt::black);
        painter.drawText(QRectF(0, front.y() - 8, l.plot.left - 5, 16), Qt::AlignRight | Qt::AlignVCenter,
                         QString::number(value));
    }
    // Left axis at the front and at the back, the floor's front edge and its right side.
    const QPointF topLeft(l.plot.left, l.plot.top);
    const QPointF bottomLeft(l.plot.left, l.plot.bottom);
    const QPointF bottomRight(l.plot.right, l.plot.bottom);
    painter.setPen(QPen(kAxisColour, 1));
    painter.drawLine(topLeft, bottomLeft);
    painter.drawLine(topLeft + depth, bottomLeft + depth);
    painter.drawLine(bottomLeft, bottomRight);
    painter.drawLine(bottomRight, bottomRight + depth);
}

// Front face shaded top to bottom from the bar's colour, a lighter top and a darker side.
void DrawBar(QPainter& painter, const ChartLayout& l, const BarPlace& place, const QColor& colour)
{
    const QRectF front(QPointF(place.front.left, place.front.top),
                       QPointF(place.front.right, place.front.bottom));
    const QPointF depth(l.depthX, -l.depthY);
    const QPolygonF top(
        {front.topLeft(), front.topRight(), front.topRight() + depth, front.topLeft() + depth});
    const QPolygonF side(
        {front.topRight(), front.bottomRight(), front.bottomRight() + depth, front.topRight() + depth});
    painter.setPen(QPen(Darker(colour, 0.45), 1));
    painter.setBrush(Darker(colour, 0.62));
    painter.drawPolygon(side);
    painter.setBrush(Lighter(colour, 0.35));
    painter.drawPolygon(top);
    if (front.height() > 0) {
        QLinearGradient shade(front.topLeft(), front.bottomLeft());
        shade.setColorAt(0, Lighter(colour, 0.55));
        shade.setColorAt(1, Darker(colour, 0.8));
        painter.setBrush(shade);
        painter.drawRect(front);
    }
}

void DrawConnector(QPainter& painter, const BarPlace& place)
{
    const QPointF foot = At(place.markFoot);
    painter.setPen(QPen(Qt::black, 1));
    painter.drawLine(foot, foot - QPointF(0, kMarkConnectorLength));
}

} // namespace

TSignalStrengthChart::TSignalStrengthChart(QWidget* parent) : QWidget(parent)
{
    if (parent != nullptr)
        setGeometry(parent->rect());
    else
        resize(409, 320);
}

void TSignalStrengthChart::SetBars(const m47::diagnostics::SnrChartModel& bars)
{
    bars_ = bars;
    update();
}

void TSignalStrengthChart::SetCaptions(const QString& vertical, const QString& horizontal)
{
    verticalCaption_ = vertical;
    horizontalCaption_ = horizontal;
    update();
}

void TSignalStrengthChart::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    painter.setPen(kFrameColour);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));

    const auto bars = bars_.Bars();
    const ChartLayout layout = m47::diagnostics::LayoutChart(width(), height(), bars.size());
    DrawGrid(painter, layout);

    QStringList marks;
    QStringList labels;
    std::vector<BarPlace> places;
    for (std::size_t i = 0; i < bars.size(); ++i) {
        const ChartBar& bar = bars[i];
        places.push_back(layout.Bar(i, bar.value));
        marks << QString::number(bar.value);
        labels << QString::fromLatin1(bar.Label().data(), static_cast<qsizetype>(bar.Label().size()));
    }

    // Left to right, so each bar hides the back of the one before; texts over all the bars.
    painter.setRenderHint(QPainter::Antialiasing);
    for (std::size_t i = 0; i < bars.size(); ++i)
        DrawBar(painter, layout, places[i], QColor::fromRgb(bars[i].colour));
    painter.setFont(SmallFont());
    const QFontMetricsF metrics(painter.font());
    const bool marksUpwards = AnyWiderThan(metrics, marks, layout.slot);
    const bool labelsUpwards = AnyWiderThan(metrics, labels, layout.slot);
    for (std::size_t i = 0; i < bars.size(); ++i) {
        const auto n = static_cast<qsizetype>(i);
        DrawConnector(painter, places[i]);
        const QPointF markBase = At(places[i].markFoot) - QPointF(0, kMarkConnectorLength + 1);
        DrawSlotText(painter, marks[n], markBase, marksUpwards, true);
        DrawSlotText(painter, labels[n], At(places[i].labelCentre), labelsUpwards, false);
    }
    painter.setRenderHint(QPainter::Antialiasing, false);

    const auto box = [](const m47::diagnostics::ChartBox& b) {
        return QRectF(QPointF(b.left, b.top), QPointF(b.right, b.bottom));
    };
    QFont caption;
    caption.setPixelSize(12);
    painter.setFont(caption);
    painter.setPen(Qt::black);
    painter.drawText(box(layout.verticalCaption), Qt::AlignLeft | Qt::AlignVCenter, verticalCaption_);
    painter.drawText(box(layout.horizontalCaption), Qt::AlignHCenter | Qt::AlignVCenter, horizontalCaption_);
}
