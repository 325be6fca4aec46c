#include "diagnostics/chart_layout.h"
#include "diagnostics/paint_satellite.h"
#include "diagnostics/paint_satellite_chart.h"
#include "diagnostics/signal_strength_chart.h"

#include <QApplication>
#include <QImage>
#include <QPaintEvent>
#include <QPainter>

#include <gtest/gtest.h>

using namespace m47::diagnostics;

namespace {

QImage Rendered(QWidget& widget)
{
    QImage image(widget.size(), QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    widget.render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
    return image;
}

bool Near(QColor actual, QColor expected, int tolerance = 12)
{
    return std::abs(actual.red() - expected.red()) <= tolerance &&
           std::abs(actual.green() - expected.green()) <= tolerance &&
           std::abs(actual.blue() - expected.blue()) <= tolerance;
}

// The sky map in its 198 x 200 panel, recording the areas it is asked to repaint.
class RecordingSkyMap : public TPaintSatelliteChart
{
public:
    using TPaintSatelliteChart::TPaintSatelliteChart;
    QRegion painted;
    int paints = 0;

protected:
    void paintEvent(QPaintEvent* event) override
    {
        painted += event->region();
        ++paints;
        TPaintSatelliteChart::paintEvent(event);
    }
};

class SkyMapWidget : public ::testing::Test
{
protected:
    SkyMapWidget()
    {
        panel.resize(198, 200);
        map = new RecordingSkyMap(&panel);
        map->CreateMarkers([this] { ++failures; });
    }

    static SkyMarkers Markers(std::initializer_list<SkyMarker> shown)
    {
        SkyMarkers markers{};
        std::size_t i = 0;
        for (const SkyMarker& m : shown)
            markers[i++] = m;
        return markers;
    }

    QWidget panel;
    RecordingSkyMap* map = nullptr;
    int failures = 0;
};

} // namespace

TEST_F(SkyMapWidget, MarkersAreCreatedHiddenWithTheirIndex)
{
    EXPECT_EQ(failures, 0);
    EXPECT_EQ(map->geometry(), QRect(0, 0, 198, 200));
    for (std::size_t i = 0; i < map->Satellites.size(); ++i) {
        TPaintSatellite* marker = map->Satellites[i];
        ASSERT_NE(marker, nullptr);
        EXPECT_EQ(marker->parentWidget(), map);
        EXPECT_EQ(marker->property("Tag").toInt(), static_cast<int>(i));
        EXPECT_TRUE(marker->isHidden());
        EXPECT_EQ(marker->size(), QSize(20, 20));
        EXPECT_EQ(marker->cursor().shape(), Qt::PointingHandCursor);
    }
}

TEST_F(SkyMapWidget, MarkersArePlacedBeforeTheFirstPaintAndHiddenBeyondTheCount)
{
    map->ShowMarkers(Markers({{true, true, 7, 0, 0}, {true, false, 12, 90, 0}, {true, false, 3, 0, 90}}));
    EXPECT_EQ(map->Satellites[0]->pos(), QPoint(88, -1));
    EXPECT_EQ(map->Satellites[1]->pos(), QPoint(179, 89));
    EXPECT_EQ(map->Satellites[2]->pos(), QPoint(89, 90));
    EXPECT_EQ(map->Satellites[0]->InUse, 1);
    EXPECT_EQ(map->Satellites[1]->SatelliteId, 12);
    for (std::size_t i = 0; i < map->Satellites.size(); ++i)
        EXPECT_EQ(map->Satellites[i]->isHidden(), i >= 3) << i;

    map->PlaceSatellite(32, 5, 0, 0, true); // no such marker: ignored
    map->PlaceSatellite(-1, 5, 0, 0, true);
}

TEST_F(SkyMapWidget, MarkerUpdatesRepaintOnlyTheMarkersNotTheBackground)
{
    panel.show();
    map->ShowMarkers(Markers({{true, true, 7, 0, 0}, {true, false, 12, 90, 45}}));
    QApplication::processEvents();
    map->repaint();
    const qint64 background = map->Map.Image().cacheKey();
    ASSERT_FALSE(map->Map.Image().isNull());

    map->painted = QRegion();
    map->ShowMarkers(Markers({{true, true, 7, 10, 5}, {true, false, 12, 100, 45}}));
    QApplication::processEvents();
    int area = 0;
    for (const QRect& r : map->painted)
        area += r.width() * r.height();
    EXPECT_GT(area, 0);
    EXPECT_LE(area, 4 * 20 * 20) << "only where the two markers were and are";
    EXPECT_EQ(map->Map.Image().cacheKey(), background) << "the background is not rendered again";

    panel.resize(160, 160);
    map->resize(160, 160);
    QApplication::processEvents();
    map->repaint();
    EXPECT_NE(map->Map.Image().cacheKey(), background) << "a new size renders again";
    EXPECT_EQ(map->Map.Radius, 72);
    const SkyPoint moved = MarkerOrigin(SkyPosition(RenderGeometry(160, 160), 10, 5), 20);
    EXPECT_EQ(map->Satellites[0]->pos(), QPoint(moved.x, moved.y)) << "moved with the new geometry";
}

TEST(SkyMapBackground, RingsAxesAndCompassBoxesOverTheKeyColour)
{
    TDrawSatelliteMap renderer;
    ASSERT_TRUE(renderer.EnsureSize(QSize(198, 200)));
    EXPECT_FALSE(renderer.EnsureSize(QSize(198, 200)));
    const QImage& image = renderer.Image();

    EXPECT_EQ(qAlpha(image.pixel(0, 0)), 0) << "key colour: the panel shows through";
    EXPECT_EQ(QColor(image.pixel(50, 100)), QColor(Qt::white)) << "east-west axis";
    EXPECT_EQ(QColor(image.pixel(99, 150)), QColor(Qt::white)) << "north-south axis";
    EXPECT_EQ(QColor(image.pixel(92, 4)), QColor(Qt::black)) << "N box outline";
    EXPECT_EQ(QColor(image.pixel(107, 21)), QColor(Qt::black)) << "N box outline, exclusive corner";
    EXPECT_EQ(qAlpha(image.pixel(108, 22)), 0) << "outside the N box";
    EXPECT_EQ(QColor(image.pixel(93, 5)), QColor(0x80, 0x80, 0x80)) << "N box fill";
    // Points on circles about the centre (3-4-5 triangles): the rings at radius 30 and 60 are
    // drawn, nothing between them, no horizon circle.
    EXPECT_GT(qAlpha(image.pixel(99 + 18, 100 - 24)), 0) << "ring 30";
    EXPECT_GT(qAlpha(image.pixel(99 - 36, 100 + 48)), 0) << "ring 60";
    EXPECT_EQ(qAlpha(image.pixel(99 + 27, 100 - 36)), 0) << "between the rings";
    EXPECT_EQ(qAlpha(image.pixel(99 + 64, 100 + 64)), 0) << "no horizon circle";
}

TEST(SkyMapBackground, AtAPixelRatioOfTwoTheSameMapHasTwiceThePixels)
{
    TDrawSatelliteMap plain;
    TDrawSatelliteMap doubled;
    ASSERT_TRUE(plain.EnsureSize(QSize(198, 200)));
    ASSERT_TRUE(doubled.EnsureSize(QSize(198, 200), 2.0));
    EXPECT_FALSE(doubled.EnsureSize(QSize(198, 200), 2.0));
    EXPECT_EQ(doubled.Image().size(), QSize(396, 400));
    EXPECT_EQ(doubled.Image().deviceIndependentSize(), QSizeF(198, 200));
    // The geometry stays in logical pixels: markers are placed as on a plain screen.
    EXPECT_EQ(doubled.Radius, plain.Radius);
    EXPECT_EQ(doubled.CenterX, plain.CenterX);
    EXPECT_EQ(doubled.CenterY, plain.CenterY);
    // The east-west axis is one logical pixel wide: two rows of device pixels.
    int whiteRows = 0;
    for (int y = 196; y <= 204; ++y)
        whiteRows += QColor(doubled.Image().pixel(100, y)) == QColor(Qt::white) ? 1 : 0;
    EXPECT_EQ(whiteRows, 2);
    EXPECT_TRUE(doubled.EnsureSize(QSize(198, 200), 1.0)) << "back on a plain screen";
    EXPECT_EQ(doubled.Image().size(), QSize(198, 200));
}

TEST(SatelliteMarker, DiscColourRimAndTransparentCorners)
{
    const std::pair<int, QColor> cases[] = {{1, QColor(0x00, 0xFF, 0x00)}, {0, QColor(0x00, 0x00, 0xFF)}};
    for (const auto& [inUse, colour] : cases) {
        TPaintSatellite marker;
        marker.InUse = inUse;
        marker.SatelliteId = 127;
        const QImage image = Rendered(marker);
        // Above and below the id text.
        EXPECT_TRUE(Near(image.pixel(10, 3), colour)) << inUse;
        EXPECT_TRUE(Near(image.pixel(10, 16), colour)) << inUse;
        EXPECT_TRUE(Near(image.pixel(7, 1), QColor(0xC0, 0xC0, 0xC0))) << "silver rim";
        // The id reads dark on the light green disc and white on the dark blue one.
        const QColor ink = inUse ? QColor(Qt::black) : QColor(Qt::white);
        int inked = 0;
        for (int y = 5; y < 14; ++y)
            for (int x = 3; x < 17; ++x)
                inked += Near(image.pixel(x, y), ink, 40) ? 1 : 0;
        EXPECT_GT(inked, 10) << inUse;
        EXPECT_EQ(qAlpha(image.pixel(0, 0)), 0);
        EXPECT_EQ(qAlpha(image.pixel(19, 19)), 0);
    }
}

TEST(SignalChart, BarsClipAtTheAxisTopAndKeepTheirColours)
{
    TSignalStrengthChart chart;
    ASSERT_EQ(chart.size(), QSize(409, 320));
    SnrChartModel model;
    model.Clear();
    model.AddBar(70, "3", kInUseColour);
    model.AddBar(29, "12", kInViewColour);
    model.AddPlaceholders();
    chart.SetBars(model);
    const QImage image = Rendered(chart);
    const ChartLayout layout = LayoutChart(409, 320, 16);

    const BarPlace clipped = layout.Bar(0, 70);
    const int x = static_cast<int>((clipped.front.left + clipped.front.right) / 2);
    EXPECT_EQ(clipped.front.top, layout.plot.top);
    const QColor inClipped(image.pixel(x, static_cast<int>(layout.plot.top) + 3));
    EXPECT_GT(inClipped.green(), inClipped.blue() + 80) << "green, shaded from its own colour";
    EXPECT_GT(inClipped.green(), inClipped.red() + 80);

    const BarPlace half = layout.Bar(1, 29);
    const int hx = static_cast<int>((half.front.left + half.front.right) / 2);
    const QColor inHalf(image.pixel(hx, static_cast<int>(half.front.bottom) - 3));
    EXPECT_GT(inHalf.blue(), inHalf.green() + 80);
    EXPECT_GT(inHalf.blue(), inHalf.red() + 80);
    EXPECT_EQ(QColor(image.pixel(0, 0)), QColor(0x80, 0x80, 0x80)) << "frame";
}
