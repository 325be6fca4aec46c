// Renders the sky map and the signal-strength chart, fed from a receiver capture, into PNG files
// (and three times enlarged) for a look by eye: the GPS STATUS page's map panel and chart after the capture's
// last epoch, a crowded chart of 36 satellites and the chart as it starts. Usage: diagnostics_preview CAPTURE
// OUTPUT_FOLDER
#include "diagnostics/gps_status_panel.h"
#include "diagnostics/paint_satellite_chart.h"
#include "diagnostics/signal_strength_chart.h"

#include "nmea/sentence_library.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QRadialGradient>

#include <cstdio>
#include <fstream>
#include <memory>
#include <string>

using namespace m47::diagnostics;

namespace {

// A stand-in for the earth artwork: a dark globe on black space.
QPixmap StandInEarth()
{
    QPixmap picture(200, 200);
    picture.fill(QColor(4, 8, 28));
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    QRadialGradient ocean(QPointF(70, 70), 130);
    ocean.setColorAt(0, QColor(70, 140, 220));
    ocean.setColorAt(0.6, QColor(20, 70, 160));
    ocean.setColorAt(1, QColor(5, 20, 70));
    painter.setBrush(ocean);
    painter.setPen(Qt::NoPen);
    painter.drawEllipse(QPointF(100, 100), 94, 94);
    return picture;
}

// Also writes the picture three times enlarged, to judge the small markers pixel by pixel.
void Save(QWidget& widget, const std::string& folder, const std::string& name)
{
    QImage image(widget.size(), QImage::Format_ARGB32);
    image.fill(Qt::white);
    widget.render(&image);
    const std::string path = folder + "/" + name;
    image.save(QString::fromStdString(path + ".png"));
    image.scaled(image.size() * 3).save(QString::fromStdString(path + "-x3.png"));
    std::printf("%s.png\n", path.c_str());
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s CAPTURE OUTPUT_FOLDER\n", argv[0]);
        return 2;
    }
    auto library = std::make_unique<nmea::SentenceLibrary>();
    GpsStatusPanel panel(*library);
    SnrChartModel lastChart;
    SkyMarkers lastMarkers{};
    std::ifstream capture(argv[1]);
    std::string line;
    int flushes = 0;
    while (std::getline(capture, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (panel.UpdateGpsStatus(line + "\r\n").epochFlushed && panel.Chart().Bars()[0].Label() != "---") {
            lastChart = panel.Chart();
            lastMarkers = panel.Markers();
            ++flushes;
        }
    }
    std::printf("%d epochs with satellites\n", flushes);
    const std::string out = argv[2];

    // The map panel as the page holds it: cream border, white panel, map control filling it.
    QWidget border;
    border.resize(204, 204);
    border.setObjectName("Panel3");
    border.setStyleSheet("QWidget#Panel3 { background-color: #FFFBF0; }");
    QWidget mapPanel(&border);
    mapPanel.setGeometry(3, 2, 198, 200);
    auto* map = new TPaintSatelliteChart(&mapPanel);
    map->CreateMarkers({});
    map->SetPicture(StandInEarth());
    map->ShowMarkers(lastMarkers);
    Save(border, out, "skymap");

    TSignalStrengthChart chart;
    chart.SetBars(lastChart);
    Save(chart, out, "chart");

    SnrChartModel crowded;
    crowded.Clear();
    for (int i = 0; i < 36; ++i)
        crowded.AddBar(i == 3 ? 63 : 15 + (i * 7) % 40, std::to_string(i < 30 ? i + 1 : 90 + i),
                       i % 3 ? kInViewColour : kInUseColour);
    chart.SetBars(crowded);
    Save(chart, out, "chart-36");

    chart.SetBars(SnrChartModel{});
    Save(chart, out, "chart-start");

    SkyMarkers many{};
    for (std::size_t i = 0; i < many.size(); ++i)
        many[i] = {true, i % 2 == 0, static_cast<int>(i < 10 ? i : 100 + i), static_cast<int>(i * 47 % 360),
                   static_cast<int>(i * 13 % 90)};
    map->ShowMarkers(many);
    Save(border, out, "skymap-32");
    return 0;
}
