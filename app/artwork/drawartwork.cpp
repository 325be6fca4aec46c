// Draws the program's artwork into PNG files: the earth seen from space in five shades, the
// system check marks, the legend balls, the navy band, the maker's logo and two button glyphs,
// each also at twice the size ("name@2x.png") for screens at a scale factor of 2.
// With --icons it writes the desktop icon instead: ICON_NAME.svg and ICON_NAME-<n>.png for the
// sizes of the desktop's icon theme, drawn from one description of its shapes.
// Usage: m47_draw_artwork OUTPUT_FOLDER
//        m47_draw_artwork --icons OUTPUT_FOLDER ICON_NAME
#include <QFont>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QSaveFile>
#include <array>
#include <cmath>
#include <cstdio>
#include <functional>
#include <string_view>
#include <vector>

namespace {

using Draw = std::function<void(QPainter&, const QSizeF&)>;

QColor shade(const QColor& c, double light)
{
    return QColor::fromRgbF(float(c.redF() * light), float(c.greenF() * light), float(c.blueF() * light),
                            c.alphaF());
}

// A closed blob through points given in polar form around a centre, smoothed with quadratic curves.
QPainterPath blob(QPointF centre, const std::initializer_list<std::pair<double, double>>& polar)
{
    std::vector<QPointF> pts;
    for (const auto& [angleDeg, radius] : polar) {
        const double a = angleDeg * M_PI / 180.0;
        pts.push_back(centre + QPointF(radius * std::cos(a), radius * std::sin(a)));
    }
    QPainterPath path;
    const size_t n = pts.size();
    path.moveTo((pts[n - 1] + pts[0]) / 2);
    for (size_t i = 0; i < n; ++i)
        path.quadTo(pts[i], (pts[i] + pts[(i + 1) % n]) / 2);
    path.closeSubpath();
    return path;
}

void earth(QPainter& p, const QSizeF& s, double light)
{
    p.fillRect(QRectF(QPointF(), s), shade(QColor(4, 8, 28), light));
    const QPointF c(s.width() / 2, s.height() / 2);
    const double r = s.width() * 0.47;
    // Atmosphere glow.
    QRadialGradient glow(c, r * 1.06);
    glow.setColorAt(0.90, shade(QColor(90, 160, 255, 160), light));
    glow.setColorAt(1.0, QColor(0, 0, 0, 0));
    p.setBrush(glow);
    p.setPen(Qt::NoPen);
    p.drawEllipse(c, r * 1.06, r * 1.06);
    // Ocean, lit from the upper left.
    QRadialGradient ocean(c + QPointF(-r * 0.35, -r * 0.35), r * 1.4);
    ocean.setColorAt(0.0, shade(QColor(70, 140, 220), light));
    ocean.setColorAt(0.6, shade(QColor(20, 70, 160), light));
    ocean.setColorAt(1.0, shade(QColor(5, 20, 70), light));
    QPainterPath globe;
    globe.addEllipse(c, r, r);
    p.setBrush(ocean);
    p.drawPath(globe);
    // Land masses, clipped to the globe.
    p.save();
    p.setClipPath(globe);
    const QColor land = shade(QColor(70, 130, 60), light);
    p.setBrush(land);
    p.drawPath(blob(c + QPointF(-r * 0.35, -r * 0.25),
                    {{0, 30}, {50, 22}, {100, 36}, {160, 25}, {210, 40}, {270, 28}, {320, 35}}));
    p.drawPath(blob(c + QPointF(r * 0.30, r * 0.25),
                    {{10, 26}, {70, 38}, {130, 22}, {190, 30}, {250, 20}, {300, 34}}));
    p.drawPath(blob(c + QPointF(r * 0.45, -r * 0.45), {{0, 14}, {90, 10}, {180, 16}, {270, 9}}));
    p.setBrush(shade(QColor(230, 235, 240), light));
    p.drawPath(blob(c + QPointF(0, -r * 0.98), {{0, 40}, {90, 14}, {180, 40}, {270, 14}}));
    // Clouds.
    p.setBrush(shade(QColor(255, 255, 255, 90), light));
    p.drawPath(
        blob(c + QPointF(r * 0.05, -r * 0.05), {{0, 34}, {60, 8}, {120, 12}, {180, 30}, {240, 9}, {300, 7}}));
    p.drawPath(blob(c + QPointF(-r * 0.2, r * 0.55), {{0, 28}, {90, 7}, {180, 26}, {270, 8}}));
    // Night side towards the lower right.
    QRadialGradient night(c + QPointF(r * 0.9, r * 0.9), r * 1.5);
    night.setColorAt(0.0, QColor(0, 0, 10, 170));
    night.setColorAt(1.0, QColor(0, 0, 10, 0));
    p.setBrush(night);
    p.drawPath(globe);
    p.restore();
}

void disc(QPainter& p, const QSizeF& s, const QColor& colour)
{
    QRadialGradient g(QPointF(s.width() * 0.38, s.height() * 0.35), s.width() * 0.6);
    g.setColorAt(0.0, colour.lighter(150));
    g.setColorAt(1.0, colour.darker(130));
    p.setBrush(g);
    p.setPen(QPen(colour.darker(160), 1));
    p.drawEllipse(QRectF(1.5, 1.5, s.width() - 3, s.height() - 3));
}

void crossMark(QPainter& p, const QSizeF& s)
{
    disc(p, s, QColor(215, 30, 30));
    p.setPen(QPen(Qt::white, s.width() * 0.13, Qt::SolidLine, Qt::RoundCap));
    const double a = s.width() * 0.32, b = s.width() * 0.68;
    p.drawLine(QPointF(a, a), QPointF(b, b));
    p.drawLine(QPointF(b, a), QPointF(a, b));
}

void tick(QPainter& p, const QSizeF& s, const QColor& colour, double width)
{
    p.setPen(QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    QPainterPath path;
    path.moveTo(s.width() * 0.25, s.height() * 0.52);
    path.lineTo(s.width() * 0.43, s.height() * 0.70);
    path.lineTo(s.width() * 0.76, s.height() * 0.32);
    p.drawPath(path);
}

void okMark(QPainter& p, const QSizeF& s)
{
    disc(p, s, QColor(30, 160, 50));
    tick(p, s, Qt::white, s.width() * 0.13);
}

void warnMark(QPainter& p, const QSizeF& s)
{
    const double w = s.width(), h = s.height();
    QPainterPath tri;
    tri.moveTo(w / 2, 2);
    tri.lineTo(w - 1.5, h - 3);
    tri.lineTo(1.5, h - 3);
    tri.closeSubpath();
    QLinearGradient g(0, 0, 0, h);
    g.setColorAt(0, QColor(255, 185, 60));
    g.setColorAt(1, QColor(235, 120, 0));
    p.setPen(QPen(QColor(170, 80, 0), 1.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(g);
    p.drawPath(tri);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawRoundedRect(QRectF(w / 2 - 1.8, h * 0.33, 3.6, h * 0.32), 1.5, 1.5);
    p.drawEllipse(QPointF(w / 2, h * 0.75), 2.1, 2.1);
}

void ball(QPainter& p, const QSizeF& s, const QColor& colour)
{
    QRadialGradient g(QPointF(s.width() * 0.35, s.height() * 0.32), s.width() * 0.7);
    g.setColorAt(0.0, Qt::white);
    g.setColorAt(0.25, colour.lighter(130));
    g.setColorAt(1.0, colour.darker(200));
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawEllipse(QRectF(1, 1, s.width() - 2, s.height() - 2));
}

void navyBand(QPainter& p, const QSizeF& s)
{
    QLinearGradient g(0, 0, 0, s.height());
    g.setColorAt(0.0, QColor(120, 150, 200));
    g.setColorAt(0.06, QColor(40, 62, 120));
    g.setColorAt(1.0, QColor(10, 24, 70));
    p.fillRect(QRectF(QPointF(), s), g);
}

// The largest font up to the box's height whose text fits the box's width.
QFont fitted(const QString& text, const QRectF& box, bool bold)
{
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setBold(bold);
    for (int px = int(box.height() * 0.8); px > 6; --px) {
        f.setPixelSize(px);
        if (QFontMetricsF(f).horizontalAdvance(text) <= box.width())
            break;
    }
    return f;
}

void logo(QPainter& p, const QSizeF& s)
{
    // A stylised bow wave in a ring, then the name.
    const double h = s.height();
    const QPointF c(h / 2, h / 2);
    p.setPen(QPen(QColor(0, 60, 130), 3));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(c, h / 2 - 3, h / 2 - 3);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 140, 200));
    QPainterPath wave;
    wave.moveTo(8, h * 0.62);
    wave.cubicTo(h * 0.35, h * 0.30, h * 0.55, h * 0.80, h - 8, h * 0.45);
    wave.lineTo(h - 10, h * 0.70);
    wave.cubicTo(h * 0.6, h * 0.95, h * 0.3, h * 0.85, 10, h * 0.72);
    wave.closeSubpath();
    p.drawPath(wave);
    const QRectF name(h + 3, 0, s.width() - h - 4, h * 0.66);
    const QRectF line(h + 3, h * 0.66, s.width() - h - 4, h * 0.3);
    p.setPen(QColor(0, 60, 130));
    p.setFont(fitted(QStringLiteral("CORVANA"), name, true));
    p.drawText(name, Qt::AlignLeft | Qt::AlignBottom, QStringLiteral("CORVANA"));
    p.setPen(QColor(0, 140, 200));
    p.setFont(fitted(QStringLiteral("MARINE ELECTRONICS"), line, false));
    p.drawText(line, Qt::AlignLeft | Qt::AlignTop, QStringLiteral("MARINE ELECTRONICS"));
}

void exitGlyph(QPainter& p, const QSizeF& s)
{
    const double w = s.width(), h = s.height();
    p.setPen(QPen(QColor(90, 60, 30), 1.5));
    p.setBrush(QColor(170, 120, 70));
    p.drawRect(QRectF(w * 0.12, h * 0.1, w * 0.45, h * 0.8)); // door
    p.setBrush(QColor(240, 210, 60));
    p.drawEllipse(QPointF(w * 0.48, h * 0.52), 1.6, 1.6); // knob
    p.setPen(QPen(QColor(200, 20, 20), w * 0.11, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawLine(QPointF(w * 0.50, h * 0.5), QPointF(w * 0.90, h * 0.5));
    p.drawLine(QPointF(w * 0.76, h * 0.34), QPointF(w * 0.92, h * 0.5));
    p.drawLine(QPointF(w * 0.76, h * 0.66), QPointF(w * 0.92, h * 0.5));
}

struct Picture {
    const char* file;
    int width;
    int height;
    Draw draw;
};

// Draws `draw` on a transparent image of `width` x `height` pixels, its shapes given for the
// logical size (a scale of 2 doubles every length) and saves it.
bool savePicture(const QString& path, int width, int height, int scale, const Draw& draw)
{
    QImage image(width * scale, height * scale, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.scale(scale, scale);
        draw(painter, QSizeF(width, height));
    }
    if (image.save(path))
        return true;
    std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
    return false;
}

// The desktop icon on a 64-unit square: a navy tile, the receiver's ring and the bow wave.
// One description serves the SVG file and the painted PNG sizes.
struct IconShape {
    enum Kind { RoundedSquare, Ring, Path } kind;
    const char* colour;    // fill, or the ring's stroke
    std::vector<double> v; // square: x y size radius; ring: cx cy r width; path: M x y, C x1 y1 x2 y2 x y...
};

const std::vector<IconShape>& iconShapes()
{
    static const std::vector<IconShape> shapes{
        {IconShape::RoundedSquare, "#1c3c78", {2, 2, 60, 12}},
        {IconShape::Ring, "#8cc8f0", {32, 32, 21, 4}},
        // The bow wave: start point, then cubic segments of three points each.
        {IconShape::Path, "#00a0dc", {11, 38, 24, 22, 36, 50, 53, 29, 52, 45, 38, 59, 22, 54, 12, 46}},
    };
    return shapes;
}

QString iconSvg()
{
    QString svg = QStringLiteral("<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"64\" height=\"64\" "
                                 "viewBox=\"0 0 64 64\">\n");
    for (const IconShape& shape : iconShapes()) {
        const auto& v = shape.v;
        const QString colour = QLatin1String(shape.colour);
        if (shape.kind == IconShape::RoundedSquare) {
            svg += QStringLiteral("  <rect x=\"%1\" y=\"%2\" width=\"%3\" height=\"%3\" rx=\"%4\" fill=\"%5\"/>\n")
                       .arg(v[0]).arg(v[1]).arg(v[2]).arg(v[3]).arg(colour);
        } else if (shape.kind == IconShape::Ring) {
            svg += QStringLiteral("  <circle cx=\"%1\" cy=\"%2\" r=\"%3\" fill=\"none\" stroke=\"%5\" "
                                  "stroke-width=\"%4\"/>\n")
                       .arg(v[0]).arg(v[1]).arg(v[2]).arg(v[3]).arg(colour);
        } else {
            QString d = QStringLiteral("M %1 %2").arg(v[0]).arg(v[1]);
            for (std::size_t i = 2; i + 5 < v.size(); i += 6)
                d += QStringLiteral(" C %1 %2 %3 %4 %5 %6")
                         .arg(v[i]).arg(v[i + 1]).arg(v[i + 2]).arg(v[i + 3]).arg(v[i + 4]).arg(v[i + 5]);
            svg += QStringLiteral("  <path d=\"%1 Z\" fill=\"%2\"/>\n").arg(d, colour);
        }
    }
    return svg + QStringLiteral("</svg>\n");
}

void paintIcon(QPainter& p, const QSizeF& s)
{
    p.scale(s.width() / 64.0, s.height() / 64.0);
    for (const IconShape& shape : iconShapes()) {
        const auto& v = shape.v;
        const QColor colour(QLatin1String(shape.colour));
        if (shape.kind == IconShape::RoundedSquare) {
            p.setPen(Qt::NoPen);
            p.setBrush(colour);
            p.drawRoundedRect(QRectF(v[0], v[1], v[2], v[2]), v[3], v[3]);
        } else if (shape.kind == IconShape::Ring) {
            p.setPen(QPen(colour, v[3]));
            p.setBrush(Qt::NoBrush);
            p.drawEllipse(QPointF(v[0], v[1]), v[2], v[2]);
        } else {
            QPainterPath path(QPointF(v[0], v[1]));
            for (std::size_t i = 2; i + 5 < v.size(); i += 6)
                path.cubicTo(v[i], v[i + 1], v[i + 2], v[i + 3], v[i + 4], v[i + 5]);
            path.closeSubpath();
            p.setPen(Qt::NoPen);
            p.setBrush(colour);
            p.drawPath(path);
        }
    }
}

int drawIcons(const QString& folder, const QString& name)
{
    QSaveFile svg(folder + QLatin1Char('/') + name + QStringLiteral(".svg"));
    if (!svg.open(QIODevice::WriteOnly) || svg.write(iconSvg().toUtf8()) < 0 || !svg.commit()) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(svg.fileName()));
        return 1;
    }
    for (const int size : std::array{16, 22, 24, 32, 48, 64, 128, 256}) {
        const QString path = folder + QStringLiteral("/%1-%2.png").arg(name).arg(size);
        if (!savePicture(path, size, size, 1, paintIcon))
            return 1;
    }
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    const bool icons = argc == 4 && std::string_view(argv[1]) == "--icons";
    if (argc != 2 && !icons) {
        std::fprintf(stderr, "usage: %s OUTPUT_FOLDER\n       %s --icons OUTPUT_FOLDER ICON_NAME\n", argv[0], argv[0]);
        return 2;
    }
    QGuiApplication app(argc, argv); // fonts for the logo
    if (icons)
        return drawIcons(QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]));
    const QString folder = QString::fromLocal8Bit(argv[1]);
    const double earthLight[] = {1.0, 0.8, 0.62, 0.45, 0.3}; // brightest to darkest
    const Picture pictures[] = {
        {"earth0.png", 200, 200, [&](QPainter& p, const QSizeF& s) { earth(p, s, earthLight[0]); }},
        {"earth1.png", 200, 200, [&](QPainter& p, const QSizeF& s) { earth(p, s, earthLight[1]); }},
        {"earth2.png", 200, 200, [&](QPainter& p, const QSizeF& s) { earth(p, s, earthLight[2]); }},
        {"earth3.png", 200, 200, [&](QPainter& p, const QSizeF& s) { earth(p, s, earthLight[3]); }},
        {"earth4.png", 200, 200, [&](QPainter& p, const QSizeF& s) { earth(p, s, earthLight[4]); }},
        {"check-cross.png", 32, 32, crossMark},
        {"check-ok.png", 32, 32, okMark},
        {"check-warn.png", 32, 32, warnMark},
        {"ball-blue.png", 24, 24, [](QPainter& p, const QSizeF& s) { ball(p, s, QColor(0, 0, 255)); }},
        {"ball-green.png", 24, 24, [](QPainter& p, const QSizeF& s) { ball(p, s, QColor(0, 200, 0)); }},
        {"navy-band.png", 64, 48, navyBand},
        {"logo.png", 145, 49, logo},
        {"glyph-exit.png", 32, 32, exitGlyph},
        {"glyph-ok.png", 16, 16, [](QPainter& p, const QSizeF& s) { tick(p, s, QColor(0, 150, 40), 2.6); }},
    };
    for (const Picture& picture : pictures) {
        const QString path = folder + QLatin1Char('/') + QLatin1String(picture.file);
        QString doubled = path;
        doubled.insert(doubled.size() - 4, QStringLiteral("@2x")); // before ".png"
        if (!savePicture(path, picture.width, picture.height, 1, picture.draw) ||
            !savePicture(doubled, picture.width, picture.height, 2, picture.draw))
            return 1;
    }
    return 0;
}
