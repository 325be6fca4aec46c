#pragma once
// The sky map's background, drawn into an off-screen image: the map picture (the earth seen
// from space) stretched over it, two white elevation rings, the north-south and east-west axes
// and the four compass letters in gray boxes. Whatever the picture leaves uncovered stays
// transparent, so the panel shows through. Rendered again only when the size or the picture
// changes; satellite markers lie above it as controls of their own.
#include "diagnostics/sky_geometry.h"

#include <QImage>
#include <QPixmap>
#include <QSize>

class TDrawSatelliteMap
{
public:
    QPixmap Picture; // the map picture (ImageGpsMap's); none: transparent background
    int Radius = 0;  // horizon circle, pixels; 0 until the first Render
    int CenterX = 0;
    int CenterY = 0;

    // Sizes the image (`size` in logical pixels, `pixelRatio` device pixels to each) and renders
    // it when the size or ratio differs from the last one; true then. On a screen scaled by 2 the
    // image has twice the pixels, so rings and letters stay sharp.
    bool EnsureSize(QSize size, qreal pixelRatio = 1.0);
    // Draws the background for the image's current size and stores its geometry.
    void Render();

    const QImage& Image() const { return image_; }

private:
    QImage image_;
    QSize size_; // logical size of image_
};
