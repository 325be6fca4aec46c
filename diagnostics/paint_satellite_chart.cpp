#include "diagnostics/paint_satellite_chart.h"

#include "diagnostics/paint_satellite.h"

#include <QPainter>
#include <QResizeEvent>
#include <new>

using m47::diagnostics::kSkyMarkers;
using m47::diagnostics::MarkerOrigin;
using m47::diagnostics::SkyPoint;

TPaintSatelliteChart::TPaintSatelliteChart(QWidget* parent) : QWidget(parent)
{
    if (parent != nullptr)
        setGeometry(parent->rect());
}

void TPaintSatelliteChart::CreateMarkers(const std::function<void()>& onFailure)
{
    for (std::size_t i = 0; i < Satellites.size(); ++i) {
        try {
            auto* marker = new TPaintSatellite(this);
            marker->setProperty("Tag", static_cast<int>(i));
            marker->hide();
            marker->setCursor(Qt::PointingHandCursor);
            Satellites[i] = marker;
        } catch (const std::bad_alloc&) {
            if (onFailure)
                onFailure();
        }
    }
}

void TPaintSatelliteChart::SetPicture(const QPixmap& picture)
{
    Map.Picture = picture;
    Map.Render();
    update();
}

TPaintSatellite* TPaintSatelliteChart::MarkerAt(int index) const
{
    if (index < 0 || static_cast<std::size_t>(index) >= kSkyMarkers)
        return nullptr;
    return Satellites[static_cast<std::size_t>(index)];
}

SkyPoint TPaintSatelliteChart::SkyPosition(int azimuth, int elevation) const
{
    // The geometry of the current size, which the next Render gives the background as well.
    const auto geometry = m47::diagnostics::RenderGeometry(width(), height());
    return m47::diagnostics::SkyPosition(geometry, azimuth, elevation);
}

void TPaintSatelliteChart::MoveMarker(TPaintSatellite& marker) const
{
    const SkyPoint origin = MarkerOrigin(SkyPosition(marker.Azimuth, marker.Elevation), marker.width());
    marker.move(origin.x, origin.y);
}

void TPaintSatelliteChart::PlaceSatellite(int index, int satelliteId, int azimuth, int elevation, bool inUse)
{
    TPaintSatellite* marker = MarkerAt(index);
    if (marker == nullptr)
        return;
    marker->InUse = inUse ? 1 : 0;
    marker->SatelliteId = satelliteId;
    marker->Azimuth = azimuth;
    marker->Elevation = elevation;
    MoveMarker(*marker);
    marker->update();
}

void TPaintSatelliteChart::ShowMarkers(const m47::diagnostics::SkyMarkers& markers)
{
    for (std::size_t i = 0; i < markers.size(); ++i) {
        const auto& m = markers[i];
        const int index = static_cast<int>(i);
        if (m.visible)
            PlaceSatellite(index, m.satelliteId, m.azimuth, m.elevation, m.inUse);
        if (TPaintSatellite* marker = MarkerAt(index))
            marker->setVisible(m.visible);
    }
}

void TPaintSatelliteChart::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    for (TPaintSatellite* marker : Satellites) {
        if (marker != nullptr)
            MoveMarker(*marker);
    }
}

void TPaintSatelliteChart::paintEvent(QPaintEvent*)
{
    Map.EnsureSize(size(), devicePixelRatioF());
    QPainter painter(this);
    painter.drawImage(0, 0, Map.Image());
}
