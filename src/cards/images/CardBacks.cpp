// The thirteen back designs. Each is a rounded field inside a white margin:
// a solid frame in the design's dark colour, a rule in its light colour, and
// inside them its own pattern; every pattern is laid out from the centre of
// the card, so the backs look the same either way up. Lines never get
// thinner than most of a device pixel, so the patterns hold at small sizes.
#include "cards/images/CardArt.h"
#include "cards/images/SuitShapes.h"

#include <algorithm>
#include <cmath>

#include <QPainter>

namespace vexa::art {

namespace {

const QRectF kField(9, 9, kPictureWidth - 18, kPictureHeight - 18);
// The pattern's panel inside the frame.
const QRectF kPanel = kField.adjusted(6, 6, -6, -6);
constexpr double kCx = kPictureWidth / 2.0;
constexpr double kCy = kPictureHeight / 2.0;
// A device pixel of a card painted at table size (71 pixels across), in the
// pattern's units.
constexpr double kTablePixel = kPictureWidth / 71.0;

// The size of a device pixel in the painter's units.
double PixelOf(const QPainter& p) { return 1 / std::sqrt(std::abs(p.worldTransform().determinant())); }

QPen Line(const QPainter& p, const QColor& colour, double width)
{
    QPen pen(colour, std::max(width, 0.85 * PixelOf(p)));
    pen.setCapStyle(Qt::FlatCap);
    pen.setJoinStyle(Qt::RoundJoin);
    return pen;
}

QPainterPath Star(QPointF centre, double outer, double inner, int points = 5)
{
    QPainterPath star;
    for (int i = 0; i < points * 2; ++i) {
        const double a = -M_PI / 2 + i * M_PI / points;
        const double r = i % 2 ? inner : outer;
        const QPointF point(centre.x() + r * std::cos(a), centre.y() + r * std::sin(a));
        if (i == 0)
            star.moveTo(point);
        else
            star.lineTo(point);
    }
    star.closeSubpath();
    return star;
}

// Lattice of crossing diagonals with beads where they meet.
void Crosshatch(QPainter& p)
{
    p.fillRect(kField, QColor(28, 62, 142));
    p.setPen(Line(p, QColor(120, 150, 220), 1.3));
    const double step = 10;
    for (double k = -220; k <= 220; k += step) {
        p.drawLine(QPointF(kCx + k - 120, kCy - 120), QPointF(kCx + k + 120, kCy + 120));
        p.drawLine(QPointF(kCx + k + 120, kCy - 120), QPointF(kCx + k - 120, kCy + 120));
    }
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(232, 238, 255));
    for (double x = -80; x <= 80; x += step / 2)
        for (double y = -110; y <= 110; y += step / 2)
            if (static_cast<int>(std::lround((x + y) / (step / 2))) % 2 == 0)
                p.drawEllipse(QPointF(kCx + x, kCy + y), 1.1, 1.1);
}

// Argyle: diamonds in two reds, columns of one shade beside columns of the
// other, so that every diamond meets the other shade on all four sides;
// fine white dashes run along their edges. The diamonds reach past the
// panel on every side, so that no ground shows at its edges.
void Argyle(QPainter& p)
{
    p.fillRect(kField, QColor(140, 22, 32));
    const double w = 26, h = 34;
    p.setPen(Qt::NoPen);
    for (int i = -6; i <= 6; ++i)
        for (int j = -7; j <= 7; ++j) {
            if ((i + j) % 2 != 0) continue;
            const QPointF c(kCx + i * w / 2, kCy + j * h / 2);
            QPainterPath d;
            d.moveTo(c.x(), c.y() - h / 2);
            d.lineTo(c.x() + w / 2, c.y());
            d.lineTo(c.x(), c.y() + h / 2);
            d.lineTo(c.x() - w / 2, c.y());
            d.closeSubpath();
            p.setBrush(std::abs(i) % 2 == 0 ? QColor(206, 50, 58) : QColor(170, 32, 42));
            p.drawPath(d);
        }
    QPen dash = Line(p, QColor(255, 236, 236), 0.9);
    dash.setDashPattern({3, 2});
    p.setPen(dash);
    for (int k = -10; k <= 10; ++k) {
        const QPointF a(kCx + k * w, kCy);
        p.drawLine(a + QPointF(-w * 5, -h * 5), a + QPointF(w * 5, h * 5));
        p.drawLine(a + QPointF(w * 5, -h * 5), a + QPointF(-w * 5, h * 5));
    }
}

// Diagonal stripes in two greens with a thin gold rule between.
void Stripes(QPainter& p)
{
    p.fillRect(kField, QColor(26, 96, 50));
    p.save();
    p.translate(kCx, kCy);
    p.rotate(-35);
    // Each light stripe centred on a multiple of the period and each rule
    // half way between two, so the card looks the same either way up.
    for (int k = -20; k <= 20; ++k) {
        const double x = k * 12;
        p.fillRect(QRectF(x - 3, -160, 6, 320), QColor(48, 146, 80));
        p.setPen(Line(p, QColor(232, 200, 90), 0.9));
        p.drawLine(QPointF(x + 6, -160), QPointF(x + 6, 160));
    }
    p.restore();
}

// A checkerboard with a bead in every dark square.
void Checks(QPainter& p)
{
    const double s = 12;
    for (int i = -7; i <= 7; ++i)
        for (int j = -9; j <= 9; ++j) {
            const QRectF cell(kCx + (i - 0.5) * s, kCy + (j - 0.5) * s, s, s);
            const bool dark = (i + j) % 2 == 0;
            p.fillRect(cell, dark ? QColor(82, 38, 124) : QColor(150, 104, 192));
            if (dark) {
                p.setPen(Qt::NoPen);
                p.setBrush(QColor(236, 220, 250));
                p.drawEllipse(cell.center(), 1.6, 1.6);
            }
        }
}

// Rows of rings on a deep orange, each row shifted by half a ring; the rings
// are broad enough to stay rings at half the table size.
void Circles(QPainter& p)
{
    p.fillRect(kField, QColor(160, 52, 4));
    const double s = 17;
    for (int j = -7; j <= 7; ++j)
        for (int i = -5; i <= 5; ++i) {
            const QPointF c(kCx + i * s + (j % 2 ? s / 2 : 0), kCy + j * s * 0.87);
            p.setBrush(Qt::NoBrush);
            p.setPen(Line(p, QColor(255, 184, 96), 2.4));
            p.drawEllipse(c, 6.2, 6.2);
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(255, 240, 214));
            p.drawEllipse(c, 2.2, 2.2);
        }
}

// The house back: interlaced rings on navy around a gold-rimmed medallion
// that carries the four suits.
void Royal(QPainter& p)
{
    p.fillRect(kField, QColor(22, 42, 104));
    p.setBrush(Qt::NoBrush);
    p.setPen(Line(p, QColor(88, 118, 200), 1.0));
    const double r = 9;
    for (int j = -14; j <= 14; ++j)
        for (int i = -9; i <= 9; ++i) {
            const QPointF c(kCx + i * r + (j % 2 ? r / 2 : 0), kCy + j * r * 0.866);
            p.drawEllipse(c, r, r);
        }

    const QRectF oval(kCx - 34, kCy - 46, 68, 92);
    p.setPen(Line(p, Qt::white, 2.0));
    p.setBrush(QColor(22, 42, 104));
    p.drawEllipse(oval.adjusted(-3, -3, 3, 3));
    p.setPen(Line(p, QColor(236, 190, 60), 2.4));
    p.drawEllipse(oval);
    p.setPen(Line(p, QColor(236, 190, 60), 0.9));
    p.drawEllipse(oval.adjusted(5, 5, -5, -5));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(236, 190, 60));
    p.drawPath(Star(QPointF(kCx, kCy), 11, 4.5, 8));
    const QPointF spots[4] = {{kCx, kCy - 24}, {kCx + 18, kCy}, {kCx, kCy + 24}, {kCx - 18, kCy}};
    for (int s = 0; s < 4; ++s) {
        p.save();
        p.translate(spots[s]);
        p.scale(0.14, 0.14);
        p.drawPath(SuitPath(s));
        p.restore();
    }
}

// Gold stars on a night sky.
void Stars(QPainter& p)
{
    p.fillRect(kField, QColor(20, 28, 74));
    p.setPen(Qt::NoPen);
    const double s = 20;
    for (int j = -6; j <= 6; ++j)
        for (int i = -4; i <= 4; ++i) {
            const QPointF c(kCx + i * s + (j % 2 ? s / 2 : 0), kCy + j * s * 0.75);
            p.setBrush(QColor(246, 204, 76));
            p.drawPath(Star(c, 6, 2.5));
            p.setBrush(QColor(170, 180, 230));
            p.drawEllipse(c + QPointF(s / 2, 0), 0.9, 0.9);
        }
}

// Wavy white lines on teal.
void Waves(QPainter& p)
{
    p.fillRect(kField, QColor(0, 118, 124));
    for (int j = -14; j <= 14; ++j) {
        QPainterPath wave;
        const double y0 = kCy + j * 7.5;
        for (int x = -80; x <= 80; ++x) {
            const QPointF point(kCx + x, y0 + 3 * std::sin(x * 2 * M_PI / 24 + (j % 2 ? M_PI : 0)));
            if (x == -80)
                wave.moveTo(point);
            else
                wave.lineTo(point);
        }
        p.setPen(Line(p, j % 2 ? QColor(160, 226, 226) : QColor(255, 255, 255), 1.3));
        p.setBrush(Qt::NoBrush);
        p.drawPath(wave);
    }
}

// Overlapping slate scales, each with a silver rim.
void Scales(QPainter& p)
{
    p.fillRect(kField, QColor(52, 64, 78));
    const double s = 16;
    for (int j = -13; j <= 12; ++j)
        for (int i = -6; i <= 6; ++i) {
            const QPointF c(kCx + i * s + (j % 2 ? s / 2 : 0), kCy + j * s * 0.5);
            QPainterPath scale;
            scale.moveTo(c.x() - s / 2, c.y());
            scale.arcTo(QRectF(c.x() - s / 2, c.y() - s / 2, s, s), 180, 180);
            scale.closeSubpath();
            p.setPen(Line(p, QColor(196, 210, 222), 1.2));
            p.setBrush((i + j) % 3 == 0 ? QColor(88, 104, 124) : QColor(64, 78, 96));
            p.drawPath(scale);
        }
}

// Zigzag bands of maroon and tan.
void Chevrons(QPainter& p)
{
    p.fillRect(kField, QColor(230, 202, 148));
    const double period = 16, amplitude = 6;
    for (int j = -14; j <= 14; ++j) {
        QPainterPath band;
        const double y0 = kCy + j * 8;
        band.moveTo(kCx - 80, y0);
        for (int i = -5; i <= 5; ++i) {
            band.lineTo(kCx + i * period - period / 2, y0 + amplitude / 2);
            band.lineTo(kCx + i * period, y0 - amplitude / 2);
        }
        p.setBrush(Qt::NoBrush);
        p.setPen(Line(p, j % 2 ? QColor(128, 30, 58) : QColor(176, 80, 60), 3.0));
        p.drawPath(band);
    }
}

// A honeycomb of gold cells on brown.
void Honeycomb(QPainter& p)
{
    p.fillRect(kField, QColor(110, 64, 16));
    const double r = 8;
    const double w = std::sqrt(3.0) * r;
    for (int j = -10; j <= 10; ++j)
        for (int i = -6; i <= 6; ++i) {
            const QPointF c(kCx + i * w + (j % 2 ? w / 2 : 0), kCy + j * r * 1.5);
            QPainterPath hex;
            for (int k = 0; k < 6; ++k) {
                const double a = M_PI / 6 + k * M_PI / 3;
                const QPointF point(c.x() + r * std::cos(a), c.y() + r * std::sin(a));
                if (k == 0)
                    hex.moveTo(point);
                else
                    hex.lineTo(point);
            }
            hex.closeSubpath();
            p.setPen(Line(p, QColor(246, 190, 60), 1.5));
            p.setBrush((i * 3 + j) % 4 == 0 ? QColor(200, 132, 30) : QColor(150, 90, 22));
            p.drawPath(hex);
        }
}

// Tartan: crossing bands of green and black over red, with fine yellow rules;
// a green band with its rule on the centre lines and a black one half way
// between two green ones, so the sett is the same either way up.
void Tartan(QPainter& p)
{
    p.fillRect(kField, QColor(178, 30, 36));
    const double period = 32;
    for (int k = -5; k <= 5; ++k) {
        const double x = kCx + k * period, y = kCy + k * period;
        p.fillRect(QRectF(x - 7, kField.top(), 14, kField.height()), QColor(24, 80, 44, 150));
        p.fillRect(QRectF(kField.left(), y - 7, kField.width(), 14), QColor(24, 80, 44, 150));
        p.fillRect(QRectF(x + period / 2 - 2, kField.top(), 4, kField.height()), QColor(12, 12, 16, 140));
        p.fillRect(QRectF(kField.left(), y + period / 2 - 2, kField.width(), 4), QColor(12, 12, 16, 140));
        p.setPen(Line(p, QColor(248, 214, 80), 0.8));
        p.drawLine(QPointF(x, kField.top()), QPointF(x, kField.bottom()));
        p.drawLine(QPointF(kField.left(), y), QPointF(kField.right(), y));
    }
}

// Rays from a central disc.
void Sunburst(QPainter& p)
{
    p.fillRect(kField, QColor(104, 26, 140));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(150, 52, 176));
    const int rays = 36;
    for (int i = 0; i < rays; i += 2) {
        const double a0 = i * 2 * M_PI / rays, a1 = (i + 1) * 2 * M_PI / rays;
        QPainterPath ray;
        ray.moveTo(kCx, kCy);
        ray.lineTo(kCx + 200 * std::cos(a0), kCy + 200 * std::sin(a0));
        ray.lineTo(kCx + 200 * std::cos(a1), kCy + 200 * std::sin(a1));
        ray.closeSubpath();
        p.drawPath(ray);
    }
    p.setBrush(QColor(246, 196, 70));
    p.drawEllipse(QPointF(kCx, kCy), 17, 17);
    p.setBrush(QColor(104, 26, 140));
    p.drawEllipse(QPointF(kCx, kCy), 13, 13);
    p.setBrush(QColor(246, 196, 70));
    p.drawPath(Star(QPointF(kCx, kCy), 10, 4));
    p.setBrush(Qt::NoBrush);
    p.setPen(Line(p, QColor(246, 196, 70), 1.2));
    p.drawEllipse(QPointF(kCx, kCy), 40, 40);
    p.drawEllipse(QPointF(kCx, kCy), 62, 62);
}

// The frame's dark colour and the rule's light colour of each design.
struct FrameColours {
    QColor frame;
    QColor rule;
};
const FrameColours kFrames[13] = {
    {{18, 40, 100}, {232, 238, 255}}, {{100, 12, 22}, {255, 236, 236}}, {{16, 66, 34}, {232, 200, 90}},
    {{60, 24, 96}, {236, 220, 250}},  {{150, 58, 6}, {255, 232, 200}},  {{14, 28, 76}, {236, 190, 60}},
    {{12, 18, 52}, {246, 204, 76}},   {{0, 80, 86}, {255, 255, 255}},   {{34, 42, 52}, {200, 214, 224}},
    {{128, 30, 58}, {250, 232, 200}}, {{80, 44, 10}, {246, 190, 60}},   {{24, 60, 34}, {248, 214, 80}},
    {{70, 14, 96}, {246, 196, 70}},
};

}  // namespace

void DrawBackDesign(QPainter& painter, int design)
{
    QPainter& p = painter;
    const FrameColours& colours = kFrames[std::clamp(design, 1, 13) - 1];
    QPainterPath field, panel;
    field.addRoundedRect(kField, 6, 6);
    panel.addRoundedRect(kPanel, 3, 3);
    p.setPen(Qt::NoPen);
    p.setBrush(colours.frame);
    p.drawPath(field);

    p.save();
    p.setClipPath(panel);
    // Below the table size an all-over pattern keeps the cell size it has
    // there in device pixels, showing fewer cells, rather than shrinking
    // into noise; the medallion and the sunburst are drawn about the
    // centre and stay whole.
    if (design != 6 && design != 13) {
        const double coarse = std::max(1.0, PixelOf(p) / kTablePixel);
        p.translate(kCx, kCy);
        p.scale(coarse, coarse);
        p.translate(-kCx, -kCy);
    }
    switch (design) {
    case 1: Crosshatch(p); break;
    case 2: Argyle(p); break;
    case 3: Stripes(p); break;
    case 4: Checks(p); break;
    case 5: Circles(p); break;
    case 6: Royal(p); break;
    case 7: Stars(p); break;
    case 8: Waves(p); break;
    case 9: Scales(p); break;
    case 10: Chevrons(p); break;
    case 11: Honeycomb(p); break;
    case 12: Tartan(p); break;
    default: Sunburst(p); break;
    }
    p.restore();

    // The rule around the pattern, a second finer one in the frame, and a
    // fine dark rule that sets the field off from the white margin.
    p.setBrush(Qt::NoBrush);
    p.setPen(Line(p, colours.rule, 1.6));
    p.drawPath(panel);
    p.setPen(Line(p, colours.rule, 0.7));
    p.drawRoundedRect(kField.adjusted(2.6, 2.6, -2.6, -2.6), 4.5, 4.5);
    p.setPen(Line(p, QColor(40, 40, 48, 200), 1.2));
    p.drawPath(field);
}

}  // namespace vexa::art
