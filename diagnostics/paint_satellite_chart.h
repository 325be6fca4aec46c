#pragma once
// The sky map control: the background from its TDrawSatelliteMap, drawn in one operation, and
// 32 TPaintSatellite markers above it, placed by azimuth and elevation. A data update moves and
// repaints only the markers; the background is rendered again only when the size or the map
// picture changes.
//
//   auto* map = new TPaintSatelliteChart(panel);      // fills `panel`, 198 x 200
//   map->CreateMarkers([] { /* "PaintSatelliteSeries", "Fail To New" */ });
//   map->SetPicture(earth);
//   map->ShowMarkers(gpsPanel.Markers());             // after each epoch
#include "diagnostics/draw_satellite_map.h"
#include "diagnostics/satellite_epoch.h"
#include "diagnostics/sky_geometry.h"

#include <QWidget>
#include <array>
#include <functional>

class TPaintSatellite;

class TPaintSatelliteChart : public QWidget
{
public:
    explicit TPaintSatelliteChart(QWidget* parent = nullptr);

    TDrawSatelliteMap Map;
    // Children of this control, so they lie above the map and are freed with it. Null where a
    // marker could not be created.
    std::array<TPaintSatellite*, m47::diagnostics::kSkyMarkers> Satellites{};

    // Creates the 32 markers hidden, with the hand cursor and their index as Tag; `onFailure`
    // runs for each marker that cannot be created, and the others are still made.
    void CreateMarkers(const std::function<void()>& onFailure);

    void SetPicture(const QPixmap& picture);

    // Stores the satellite in marker `index`, moves the marker to its place and repaints it; an
    // index of 32 or more, or of a marker that does not exist, is ignored.
    void PlaceSatellite(int index, int satelliteId, int azimuth, int elevation, bool inUse);
    // The last epoch's markers: placed and shown, or hidden.
    void ShowMarkers(const m47::diagnostics::SkyMarkers& markers);

    // Where a satellite lies on the map at its present size (before the first paint too).
    m47::diagnostics::SkyPoint SkyPosition(int azimuth, int elevation) const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    TPaintSatellite* MarkerAt(int index) const;
    void MoveMarker(TPaintSatellite& marker) const;
};
