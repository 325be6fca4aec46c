#pragma once
// One satellite on the sky map: a 20 x 20 marker, a green (used in the fix) or blue (in view)
// disc with a silver rim and the satellite id in it. Only the disc is painted, so the map shows
// through the corners. The sky map moves and repaints each marker on its own.
#include <QWidget>

class TPaintSatellite : public QWidget
{
public:
    static constexpr int kSize = 20;

    explicit TPaintSatellite(QWidget* parent = nullptr);

    int InUse = 0;       // non-zero: used in the fix
    int SatelliteId = 0; // shown in the marker
    int Azimuth = 0;     // degrees
    int Elevation = 0;   // degrees

protected:
    void paintEvent(QPaintEvent* event) override;
};
