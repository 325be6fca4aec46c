#include "diagnostics/paint_satellite.h"

#include "diagnostics/sky_geometry.h"
#include "diagnostics/snr_chart_model.h"

#include <QPainter>

#include <algorithm>

using m47::diagnostics::kInUseColour;
using m47::diagnostics::kInViewColour;

namespace {

const QColor kRimColour(0xC0, 0xC0, 0xC0);

// The id fills the room between its origin and the mirrored origin on the right, squeezed when
// three digits would not fit.
QFont IdFont(const QString& text, int room)
{
    QFont font;
    font.setPixelSize(10);
    font.setBold(true);
    const int width = QFontMetrics(font).horizontalAdvance(text);
    if (width > room)
        font.setStretch(std::max(50, room * 100 / width));
    return font;
}

} // namespace

TPaintSatellite::TPaintSatellite(QWidget* parent) : QWidget(parent)
{
    resize(kSize, kSize);
}

void TPaintSatellite::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const int a = width() / 2;
    const int b = height() / 2;
    const int r = a - 1;
    const QRectF disc(a - r, b - r, 2 * r, 2 * r);
    const QColor fill = QColor::fromRgb(InUse ? kInUseColour : kInViewColour);
    painter.setPen(Qt::NoPen);
    painter.setBrush(fill);
    painter.drawEllipse(disc);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(kRimColour, 1));
    painter.drawEllipse(disc);

    // Dark text on the light green disc, white on the dark blue one.
    const QString text = QString::number(SatelliteId);
    const auto origin = m47::diagnostics::MarkerTextOrigin(SatelliteId);
    const QRect room(origin.x, origin.y, width() - 2 * origin.x, height() - 2 * origin.y);
    painter.setFont(IdFont(text, room.width()));
    painter.setPen(InUse ? Qt::black : Qt::white);
    painter.drawText(room, Qt::AlignCenter, text);
}
