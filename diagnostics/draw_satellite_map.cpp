#include "diagnostics/draw_satellite_map.h"

#include <QPainter>

using m47::diagnostics::CompassBoxes;
using m47::diagnostics::RenderGeometry;
using m47::diagnostics::RingRadii;

namespace {

const QColor kCompassBoxColour(0x80, 0x80, 0x80);

} // namespace

bool TDrawSatelliteMap::EnsureSize(QSize size, qreal pixelRatio)
{
    if (!image_.isNull() && size_ == size && image_.devicePixelRatio() == pixelRatio)
        return false;
    size_ = size;
    image_ = QImage(size * pixelRatio, QImage::Format_ARGB32_Premultiplied);
    image_.setDevicePixelRatio(pixelRatio);
    Render();
    return true;
}

void TDrawSatelliteMap::Render()
{
    const auto geometry = RenderGeometry(size_.width(), size_.height());
    Radius = geometry.Radius;
    CenterX = geometry.CenterX;
    CenterY = geometry.CenterY;
    if (image_.isNull())
        return;

    image_.fill(Qt::transparent);
    QPainter painter(&image_);
    if (!Picture.isNull())
        painter.drawPixmap(QRect(QPoint(0, 0), size_), Picture);

    const QPoint centre(CenterX, CenterY);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(Qt::white, 1));
    painter.setRenderHint(QPainter::Antialiasing, true);
    for (const int ring : RingRadii(geometry))
        painter.drawEllipse(centre, ring, ring);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.drawLine(CenterX - Radius, CenterY, CenterX + Radius, CenterY);
    painter.drawLine(CenterX, CenterY - Radius, CenterX, CenterY + Radius);

    QFont font("Arial");
    font.setPixelSize(12); // 9 points on a 96 dpi screen
    painter.setFont(font);
    for (const auto& box : CompassBoxes(geometry)) {
        // Right and bottom are exclusive; a pen outline covers one pixel beyond the rectangle.
        const QRect outline(box.left, box.top, box.right - box.left - 1, box.bottom - box.top - 1);
        painter.setPen(QPen(Qt::black, 1));
        painter.setBrush(kCompassBoxColour);
        painter.drawRect(outline);
        painter.setPen(Qt::white);
        painter.drawText(QRect(box.textX, box.textY, box.right - box.textX, box.bottom - box.textY),
                         Qt::AlignLeft | Qt::AlignTop, QString(QChar(box.letter)));
    }
}
