// The jacks, queens and kings: a framed panel holding a crowned half figure,
// repeated upside down in the lower half as on a real court card. The three
// ranks differ in headwear (cap and feather, pearl crown, crown with cross),
// hair and beard, collar and what the figure holds (halberd, rose, sword).
#include "cards/images/CardArt.h"
#include "cards/images/SuitShapes.h"

#include <cmath>

#include <QPainter>

namespace vexa::art {

namespace {

// The panel, clear of the corner indices (the suit below the rank included),
// symmetric about the card's centre.
// A figure is drawn in an 84 × 81 half and scaled to fill the height of its
// half of the panel; the lower half is the upper half turned by 180 degrees.
const QRectF kPanel(26, 31, 90, 130);
constexpr double kHalfW = 84;
constexpr double kHalfH = 81;
constexpr double kFigureScale = 65.0 / kHalfH;

const QColor kRed(192, 32, 42);
const QColor kBlue(32, 72, 160);
const QColor kGold(238, 186, 44);
const QColor kSkin(250, 220, 184);
const QColor kLine(28, 24, 28);
const QColor kSilver(222, 224, 230);

struct Palette {
    QColor robe;
    QColor trim;
    QColor accent;
    QColor hair;
};

Palette PaletteFor(int suit, int value)
{
    static const QColor hair[4] = {QColor(88, 56, 30), QColor(205, 150, 52), QColor(152, 70, 36), QColor(64, 58, 56)};
    const bool redRobe = (suit + value) % 2 == 1;
    return {redRobe ? kRed : kBlue, kGold, redRobe ? kBlue : kRed, hair[suit]};
}

QPen Outline(double width = 1.0)
{
    QPen pen(kLine, width);
    pen.setJoinStyle(Qt::RoundJoin);
    pen.setCapStyle(Qt::RoundCap);
    return pen;
}

void Fill(QPainter& p, const QPainterPath& path, const QColor& colour, double line = 1.0)
{
    p.setPen(line > 0 ? Outline(line) : QPen(Qt::NoPen));
    p.setBrush(colour);
    p.drawPath(path);
}

void Disc(QPainter& p, QPointF centre, double r, const QColor& colour, double line = 0.8)
{
    QPainterPath path;
    path.addEllipse(centre, r, r);
    Fill(p, path, colour, line);
}

void DrawRobe(QPainter& p, const Palette& c, int suit)
{
    QPainterPath robe;
    robe.moveTo(3, kHalfH + 1);
    robe.lineTo(5, 70);
    robe.cubicTo(6, 62, 14, 57, 26, 55);
    robe.lineTo(34, 54);
    robe.lineTo(46, 54);
    robe.lineTo(54, 55);
    robe.cubicTo(66, 57, 74, 62, 75, 70);
    robe.lineTo(77, kHalfH + 1);
    robe.closeSubpath();
    Fill(p, robe, c.robe);

    // A gold band down the front, strewn with small suit symbols.
    QPainterPath band;
    band.moveTo(34, 55);
    band.lineTo(46, 55);
    band.lineTo(49, kHalfH + 1);
    band.lineTo(31, kHalfH + 1);
    band.closeSubpath();
    Fill(p, band, c.trim);
    for (double y = 64; y < kHalfH; y += 11) DrawSuit(p, suit, QPointF(40, y), 6);

    // Folds of the sleeves and a gold hem along the shoulders.
    p.setPen(Outline(0.9));
    p.setBrush(Qt::NoBrush);
    QPainterPath folds;
    folds.moveTo(16, 62);
    folds.cubicTo(19, 68, 19, 74, 17, kHalfH);
    folds.moveTo(64, 62);
    folds.cubicTo(61, 68, 61, 74, 63, kHalfH);
    p.drawPath(folds);
    QPen hem(c.trim, 2.4);
    hem.setCapStyle(Qt::RoundCap);
    p.setPen(hem);
    QPainterPath shoulder;
    shoulder.moveTo(7, 69);
    shoulder.cubicTo(8, 63, 15, 59, 26, 57.5);
    shoulder.moveTo(73, 69);
    shoulder.cubicTo(72, 63, 65, 59, 54, 57.5);
    p.drawPath(shoulder);
}

void DrawHead(QPainter& p, const Palette& c, int value)
{
    // Neck, then the face.
    Fill(p, QPainterPath([] {
             QPainterPath n;
             n.addRect(36, 46, 8, 9);
             return n;
         }()),
         kSkin, 0.8);
    QPainterPath face;
    face.addEllipse(QPointF(40, 38), 9.5, 11);
    Fill(p, face, kSkin);

    // Eyes, brows, nose and mouth.
    p.setPen(Qt::NoPen);
    p.setBrush(kLine);
    p.drawEllipse(QPointF(36.4, 37), 1.2, 1.0);
    p.drawEllipse(QPointF(43.6, 37), 1.2, 1.0);
    p.setPen(Outline(0.8));
    p.setBrush(Qt::NoBrush);
    QPainterPath features;
    features.moveTo(34.2, 34.4);
    features.quadTo(36.4, 33.2, 38.4, 34.2);
    features.moveTo(41.6, 34.2);
    features.quadTo(43.6, 33.2, 45.8, 34.4);
    features.moveTo(40.4, 38);
    features.lineTo(39.4, 42);
    features.lineTo(41, 42.4);
    p.drawPath(features);
    QPen lips(QColor(196, 60, 64), 1.3);
    lips.setCapStyle(Qt::RoundCap);
    p.setPen(lips);
    p.drawLine(QPointF(38, 45), QPointF(42, 45));

    if (value == 13) {
        // The king's moustache and full beard.
        QPainterPath beard;
        beard.moveTo(31, 38);
        beard.cubicTo(31, 46, 33, 52, 40, 57);
        beard.cubicTo(47, 52, 49, 46, 49, 38);
        beard.cubicTo(47, 44, 44, 47, 40, 47);
        beard.cubicTo(36, 47, 33, 44, 31, 38);
        beard.closeSubpath();
        Fill(p, beard, c.hair, 0.8);
        QPainterPath moustache;
        moustache.moveTo(40, 43);
        moustache.cubicTo(37, 42, 34, 43, 33, 46);
        moustache.cubicTo(36, 45, 38, 45, 40, 44.5);
        moustache.cubicTo(42, 45, 44, 45, 47, 46);
        moustache.cubicTo(46, 43, 43, 42, 40, 43);
        Fill(p, moustache, c.hair, 0.7);
    }
}

void DrawHairBehind(QPainter& p, const Palette& c, int value)
{
    QPainterPath hair;
    if (value == 12) {
        // Long hair falling to the shoulders.
        hair.moveTo(40, 25);
        hair.cubicTo(25, 25, 28, 46, 23, 60);
        hair.quadTo(29, 62, 34, 56);
        hair.lineTo(46, 56);
        hair.quadTo(51, 62, 57, 60);
        hair.cubicTo(52, 46, 55, 25, 40, 25);
    } else if (value == 13) {
        hair.addEllipse(QPointF(40, 37), 12, 13);
    } else {
        hair.addEllipse(QPointF(40, 38), 12, 11.5);
        hair.addEllipse(QPointF(29.5, 45), 3.5, 3.5);
        hair.addEllipse(QPointF(50.5, 45), 3.5, 3.5);
        hair.setFillRule(Qt::WindingFill);
    }
    Fill(p, hair, c.hair, 0.8);
}

void DrawCollar(QPainter& p, const Palette& c, int value)
{
    if (value == 13) {
        // Ermine: white fur with black tails.
        QPainterPath fur;
        fur.moveTo(20, 58);
        fur.cubicTo(26, 52, 34, 51, 40, 52);
        fur.cubicTo(46, 51, 54, 52, 60, 58);
        fur.cubicTo(54, 62, 46, 62, 40, 61);
        fur.cubicTo(34, 62, 26, 62, 20, 58);
        Fill(p, fur, Qt::white, 0.9);
        p.setPen(Qt::NoPen);
        p.setBrush(kLine);
        for (double x : {25.0, 32.0, 48.0, 55.0}) {
            QPainterPath tail;
            tail.moveTo(x - 1, 56);
            tail.lineTo(x + 1, 56);
            tail.lineTo(x, 59.5);
            tail.closeSubpath();
            p.drawPath(tail);
        }
    } else if (value == 12) {
        // A lace ruff of small scallops.
        for (int i = 0; i < 7; ++i) {
            const double x = 25 + i * 5;
            const double y = 57 - (i == 0 || i == 6 ? 0 : 1.5);
            Disc(p, QPointF(x, y), 3.6, Qt::white, 0.7);
        }
    } else {
        // Two pointed gold collar wings.
        QPainterPath wings;
        wings.moveTo(40, 55);
        wings.lineTo(27, 54);
        wings.lineTo(33, 62);
        wings.closeSubpath();
        wings.moveTo(40, 55);
        wings.lineTo(53, 54);
        wings.lineTo(47, 62);
        wings.closeSubpath();
        Fill(p, wings, c.trim, 0.8);
    }
}

void DrawKingsCrown(QPainter& p, const Palette& c)
{
    QPainterPath crown;
    crown.moveTo(29.5, 29);
    crown.lineTo(29.5, 24);
    crown.lineTo(30.5, 13);
    crown.lineTo(35.5, 20);
    crown.lineTo(40, 10);
    crown.lineTo(44.5, 20);
    crown.lineTo(49.5, 13);
    crown.lineTo(50.5, 24);
    crown.lineTo(50.5, 29);
    crown.closeSubpath();
    Fill(p, crown, c.trim);
    p.setPen(Outline(0.8));
    p.drawLine(QPointF(29.5, 24), QPointF(50.5, 24));
    Disc(p, QPointF(34, 26.5), 1.5, c.accent, 0.5);
    Disc(p, QPointF(40, 26.5), 1.7, c.robe, 0.5);
    Disc(p, QPointF(46, 26.5), 1.5, c.accent, 0.5);
    // The cross above the middle point.
    QPainterPath cross;
    cross.addRect(39, 2, 2, 8.5);
    cross.addRect(36.5, 4.2, 7, 2);
    cross.setFillRule(Qt::WindingFill);
    Fill(p, cross.simplified(), c.trim, 0.7);
    Disc(p, QPointF(30.5, 13), 1.4, c.trim, 0.6);
    Disc(p, QPointF(49.5, 13), 1.4, c.trim, 0.6);
}

void DrawQueensCrown(QPainter& p, const Palette& c)
{
    QPainterPath crown;
    crown.moveTo(31, 29.5);
    crown.lineTo(31, 20);
    const double tips[5][2] = {{31, 18}, {35.5, 16}, {40, 14}, {44.5, 16}, {49, 18}};
    for (int i = 0; i < 5; ++i) {
        crown.lineTo(tips[i][0], tips[i][1]);
        if (i < 4) crown.lineTo((tips[i][0] + tips[i + 1][0]) / 2, 23.5);
    }
    crown.lineTo(49, 29.5);
    crown.closeSubpath();
    Fill(p, crown, c.trim);
    for (const auto& tip : tips) Disc(p, QPointF(tip[0], tip[1] - 1.2), 1.7, Qt::white, 0.6);
    // A flower of four petals on the band.
    for (int i = 0; i < 4; ++i) {
        const double dx = (i % 2 ? 1.6 : -1.6) * (i < 2 ? 1 : 0);
        const double dy = (i % 2 ? 1.6 : -1.6) * (i < 2 ? 0 : 1);
        Disc(p, QPointF(40 + dx, 26.5 + dy), 1.3, c.robe, 0.4);
    }
    Disc(p, QPointF(40, 26.5), 0.9, c.trim, 0.3);
}

void DrawJacksCap(QPainter& p, const Palette& c)
{
    // A plume in the second colour sweeps up and to the right.
    QPainterPath plume;
    plume.moveTo(47, 22);
    plume.cubicTo(51, 11, 60, 4, 75, 2);
    plume.cubicTo(70, 8, 64, 16, 52, 24);
    plume.closeSubpath();
    Fill(p, plume, c.accent, 0.8);
    QPen spine(Qt::white, 0.8);
    spine.setCapStyle(Qt::RoundCap);
    p.setPen(spine);
    p.setBrush(Qt::NoBrush);
    QPainterPath rib;
    rib.moveTo(49, 22.5);
    rib.cubicTo(54, 13, 62, 6, 74, 2.5);
    p.drawPath(rib);

    // A flat beret worn at a slant over a gold band.
    QPainterPath beret;
    beret.addEllipse(QPointF(0, 0), 18, 6.5);
    QTransform slant;
    slant.translate(38, 20.5);
    slant.rotate(-9);
    Fill(p, slant.map(beret), c.robe);
    Disc(p, QPointF(38, 15.5), 1.6, c.trim, 0.6);
    QPainterPath band;
    band.addRoundedRect(QRectF(29, 23, 22, 5), 2.5, 2.5);
    Fill(p, band, c.trim);
    Disc(p, QPointF(45.5, 25.5), 1.4, c.accent, 0.5);
}

void DrawHand(QPainter& p, QPointF at) { Disc(p, at, 3.8, kSkin, 0.8); }

void DrawSword(QPainter& p, const Palette& c)
{
    QPainterPath blade;
    blade.moveTo(66, 5);
    blade.lineTo(68.8, 10);
    blade.lineTo(68.8, 62);
    blade.lineTo(63.2, 62);
    blade.lineTo(63.2, 10);
    blade.closeSubpath();
    Fill(p, blade, kSilver, 0.8);
    p.setPen(QPen(QColor(150, 152, 160), 0.8));
    p.drawLine(QPointF(66, 10), QPointF(66, 60));
    QPainterPath guard;
    guard.addRoundedRect(QRectF(57, 61.5, 18, 3.2), 1.5, 1.5);
    Fill(p, guard, c.trim, 0.8);
    DrawHand(p, QPointF(66, 69));
    Disc(p, QPointF(66, 75.5), 2.3, c.trim, 0.7);
}

void DrawRose(QPainter& p, const Palette& c)
{
    QPen stem(QColor(46, 120, 52), 1.6);
    stem.setCapStyle(Qt::RoundCap);
    p.setPen(stem);
    p.setBrush(Qt::NoBrush);
    QPainterPath path;
    path.moveTo(64, 70);
    path.cubicTo(65, 60, 61, 54, 62, 46);
    p.drawPath(path);
    QPainterPath leaf;
    leaf.moveTo(63, 58);
    leaf.cubicTo(67, 53, 71, 54, 73, 55);
    leaf.cubicTo(70, 59, 66, 60, 63, 58);
    Fill(p, leaf, QColor(64, 150, 70), 0.6);
    for (int i = 0; i < 5; ++i) {
        const double a = i * 2 * M_PI / 5 - M_PI / 2;
        Disc(p, QPointF(62 + 3.6 * std::cos(a), 42 + 3.6 * std::sin(a)), 3.2,
             c.accent == kRed ? kRed : QColor(214, 64, 120), 0.6);
    }
    Disc(p, QPointF(62, 42), 2.2, c.trim, 0.5);
    DrawHand(p, QPointF(64, 70));
}

void DrawHalberd(QPainter& p, const Palette& c)
{
    QPen pole(QColor(120, 76, 36), 2.4);
    p.setPen(pole);
    p.drawLine(QPointF(68, 34), QPointF(68, kHalfH + 1));
    QPainterPath head;
    head.moveTo(68, 24);
    head.lineTo(70, 34);
    head.lineTo(66, 34);
    head.closeSubpath();
    head.moveTo(69, 35);
    head.cubicTo(73.5, 34, 77, 36, 78, 39);
    head.cubicTo(78, 43, 76.5, 46, 75.5, 48);
    head.cubicTo(73.5, 45.5, 71, 45, 69, 45);
    head.closeSubpath();
    Fill(p, head, kSilver, 0.8);
    QPainterPath tassel;
    tassel.addRect(65.5, 46, 5, 3);
    Fill(p, tassel, c.accent, 0.6);
    DrawHand(p, QPointF(68, 68));
}

void DrawHalfFigure(QPainter& p, int suit, int value)
{
    const Palette c = PaletteFor(suit, value);
    DrawRobe(p, c, suit);
    DrawHairBehind(p, c, value);
    DrawCollar(p, c, value);
    DrawHead(p, c, value);
    if (value == 13) {
        DrawKingsCrown(p, c);
        DrawSword(p, c);
    } else if (value == 12) {
        DrawQueensCrown(p, c);
        DrawRose(p, c);
    } else {
        DrawJacksCap(p, c);
        DrawHalberd(p, c);
    }
    DrawSuit(p, suit, QPointF(11, 12), 13);
}

}  // namespace

void DrawCourt(QPainter& painter, int suit, int value)
{
    painter.save();
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(255, 251, 238));
    painter.drawRect(kPanel);

    for (int turn = 0; turn < 2; ++turn) {
        painter.save();
        if (turn == 1) {
            painter.translate(kPanel.center());
            painter.rotate(180);
            painter.translate(-kPanel.center());
        }
        painter.translate(kPanel.topLeft());
        painter.setClipRect(QRectF(0, 0, kPanel.width(), kPanel.height() / 2));
        painter.translate(kPanel.width() / 2, kPanel.height() / 2);
        painter.scale(kFigureScale, kFigureScale);
        painter.translate(-kHalfW / 2, -kHalfH);
        DrawHalfFigure(painter, suit, value);
        painter.restore();
    }

    // The frame: a dark rule outside and a thin rule in the suit's ink.
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(kLine, 1.4));
    painter.drawRect(kPanel);
    painter.setPen(QPen(SuitInk(suit), 0.9));
    painter.drawRect(kPanel.adjusted(2.2, 2.2, -2.2, -2.2));
    painter.setPen(QPen(kLine, 1.0));
    painter.drawLine(QPointF(kPanel.left(), kPanel.center().y()), QPointF(kPanel.right(), kPanel.center().y()));
    painter.restore();
}

}  // namespace vexa::art
