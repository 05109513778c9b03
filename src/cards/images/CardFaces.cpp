// The card outline, the corner indices, the pip layouts and the aces.
#include "cards/images/ArtText.h"
#include "cards/images/CardArt.h"
#include "cards/images/SuitShapes.h"

#include <cmath>
#include <vector>

#include <QPainter>

namespace vexa::art {

namespace {

constexpr double kMidX = kPictureWidth / 2.0;
constexpr double kMidY = kPictureHeight / 2.0;

// The box of the corner index's rank: rows 5 to 27.
constexpr double kIndexLeft = 4.5;
constexpr double kIndexTop = 5;
constexpr double kIndexHeight = 22;

const char* const kRankText[14] = {"", "A", "2", "3", "4", "5", "6", "7", "8", "9", "10", "J", "Q", "K"};

// The corner index: the rank with the small suit beside it, both within the
// top 30 rows (15 at table size), so that a card covered in a fan still
// shows both. Repeated upside down in the bottom-right corner.
void DrawIndices(QPainter& painter, int suit, int value)
{
    for (int turn = 0; turn < 2; ++turn) {
        painter.save();
        if (turn == 1) {
            painter.translate(kMidX, kMidY);
            painter.rotate(180);
            painter.translate(-kMidX, -kMidY);
        }
        const QRectF rank(kIndexLeft, kIndexTop, value == 10 ? 25 : 17, kIndexHeight);
        DrawFittedText(painter, kRankText[value], rank, SuitInk(suit));
        DrawSuit(painter, suit, QPointF(rank.right() + 9.5, kIndexTop + kIndexHeight / 2), 16);
        painter.restore();
    }
}

struct Pip {
    double x;
    double y;
};

// The traditional arrangements of the pips of the two to the ten, starting
// below the corner index (pips are kPipHeight high).
constexpr double kPipHeight = 24;

std::vector<Pip> PipLayout(int value)
{
    const double l = 45, c = kMidX, r = kPictureWidth - 45;
    const double top = 47, bottom = kPictureHeight - 47, mid = kMidY;
    const double q1 = top + (bottom - top) / 3, q2 = top + 2 * (bottom - top) / 3;
    switch (value) {
    case 2: return {{c, top}, {c, bottom}};
    case 3: return {{c, top}, {c, mid}, {c, bottom}};
    case 4: return {{l, top}, {r, top}, {l, bottom}, {r, bottom}};
    case 5: return {{l, top}, {r, top}, {c, mid}, {l, bottom}, {r, bottom}};
    case 6: return {{l, top}, {r, top}, {l, mid}, {r, mid}, {l, bottom}, {r, bottom}};
    case 7: return {{l, top}, {r, top}, {c, (top + mid) / 2}, {l, mid}, {r, mid}, {l, bottom}, {r, bottom}};
    case 8:
        return {{l, top},    {r, top},   {c, (top + mid) / 2}, {l, mid}, {r, mid}, {c, (mid + bottom) / 2},
                {l, bottom}, {r, bottom}};
    case 9: return {{l, top}, {r, top}, {l, q1}, {r, q1}, {c, mid}, {l, q2}, {r, q2}, {l, bottom}, {r, bottom}};
    default:
        return {{l, top}, {r, top}, {c, (top + q1) / 2},    {l, q1},     {r, q1},
                {l, q2},  {r, q2},  {c, (q2 + bottom) / 2}, {l, bottom}, {r, bottom}};
    }
}

void DrawPips(QPainter& painter, int suit, int value)
{
    for (const Pip& pip : PipLayout(value))
        DrawSuit(painter, suit, QPointF(pip.x, pip.y), kPipHeight, pip.y > kMidY + 0.5);
}

// The ace of spades carries the large decorated spade of the pack.
void DrawGrandSpade(QPainter& painter)
{
    const QPointF centre(kMidX, kMidY - 4);
    const QColor ink = SuitInk(3);

    // A ring of fine beads behind the symbol.
    painter.setPen(Qt::NoPen);
    painter.setBrush(ink);
    for (int i = 0; i < 48; ++i) {
        const double a = i * 2 * M_PI / 48;
        painter.drawEllipse(QPointF(centre.x() + 50 * std::cos(a), centre.y() + 2 + 62 * std::sin(a)), 1.1, 1.1);
    }

    painter.save();
    painter.translate(centre);
    painter.scale(1.0, 1.0);
    const QPainterPath spade = SuitPath(3);
    const double scale = 104 / 100.0;
    painter.scale(scale, scale);
    painter.setBrush(ink);
    painter.drawPath(spade);

    // A white line inside the outline of the leaf, and a little scroll.
    QPen line(Qt::white, 1.6 / scale);
    line.setJoinStyle(Qt::RoundJoin);
    painter.setPen(line);
    painter.setBrush(Qt::NoBrush);
    QPainterPath leaf;
    leaf.moveTo(0, -41);
    leaf.cubicTo(-8, -27, -27, -16, -36, -2);
    leaf.cubicTo(-44, 10, -37, 24, -24, 25);
    leaf.cubicTo(-12, 26, -5, 17, -3, 10);
    leaf.moveTo(0, -41);
    leaf.cubicTo(8, -27, 27, -16, 36, -2);
    leaf.cubicTo(44, 10, 37, 24, 24, 25);
    leaf.cubicTo(12, 26, 5, 17, 3, 10);
    painter.drawPath(leaf);

    QPainterPath scroll;
    scroll.moveTo(0, -24);
    scroll.cubicTo(-10, -12, -16, 0, -8, 6);
    scroll.cubicTo(-3, 9, 2, 4, -2, 0);
    scroll.moveTo(0, -24);
    scroll.cubicTo(10, -12, 16, 0, 8, 6);
    scroll.cubicTo(3, 9, -2, 4, 2, 0);
    painter.drawPath(scroll);
    painter.setBrush(Qt::white);
    painter.setPen(Qt::NoPen);
    painter.drawEllipse(QPointF(0, 14), 2.4, 2.4);
    painter.restore();
}

void DrawAce(QPainter& painter, int suit)
{
    if (suit == 3)
        DrawGrandSpade(painter);
    else
        DrawSuit(painter, suit, QPointF(kMidX, kMidY), 60);
}

QImage DrawFace(int suit, int value)
{
    QImage image = BlankCard();
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    DrawIndices(painter, suit, value);
    if (value == 1)
        DrawAce(painter, suit);
    else if (value <= 10)
        DrawPips(painter, suit, value);
    else
        DrawCourt(painter, suit, value);
    return image;
}

QImage DrawBack(int design)
{
    QImage image = BlankCard();
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    DrawBackDesign(painter, design);
    return image;
}

}  // namespace

QPainterPath CardOutline()
{
    QPainterPath path;
    path.addRoundedRect(QRectF(0, 0, kPictureWidth, kPictureHeight), 10, 10);
    return path;
}

QImage BlankCard()
{
    QImage image(kPictureWidth, kPictureHeight, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(52, 52, 56));
    painter.drawPath(CardOutline());
    painter.setBrush(Qt::white);
    QPainterPath inner;
    inner.addRoundedRect(QRectF(2, 2, kPictureWidth - 4, kPictureHeight - 4), 8, 8);
    painter.drawPath(inner);
    return image;
}

QImage DrawPicture(int number)
{
    if (number >= 53) return DrawBack(number - 52);
    return DrawFace((number - 1) / 13, (number - 1) % 13 + 1);
}

}  // namespace vexa::art
