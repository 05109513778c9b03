// The card outline, the corner indices, the pip layouts and the aces.
#include "cards/images/ArtText.h"
#include "cards/images/CardArt.h"
#include "cards/images/PictureSizes.h"
#include "cards/images/SuitShapes.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include <QPainter>

namespace vexa::art {

namespace {

constexpr double kMidX = kPictureWidth / 2.0;
constexpr double kMidY = kPictureHeight / 2.0;

const char* const kRankText[14] = {"", "A", "2", "3", "4", "5", "6", "7", "8", "9", "10", "J", "Q", "K"};

// The corner index, in table units (a card of 71 × 96): the rank in the
// corner, one small suit to its right and one below it. A card covered in a
// fan downwards shows its top 17 units, the rank and the suit to its right;
// one covered in a fan to the right shows its left 15 units, the rank and the
// suit below. Each suit stays clear of the other strip.
constexpr double kRankLeft = 2;
constexpr double kRankTop = 2;
constexpr double kRankRight = 13.5;
constexpr double kRankBottom = 12;
constexpr double kIndexSuit = 7.5;
constexpr double kSuitRightFrom = 15.75;  // the left edge of the suit beside
constexpr double kSuitBelowFrom = 17.5;   // the top edge of the suit below

// Draws the index in pixels of a picture `size` large, each part on whole
// pixels; repeated upside down in the bottom-right corner.
void DrawIndices(QPainter& painter, QSize size, int suit, int value)
{
    const double kx = size.width() / double(sizes::kTableWidth), ky = size.height() / double(sizes::kTableHeight);
    const double left = std::round(kRankLeft * kx), top = std::round(kRankTop * ky);
    const double right = std::round(kRankRight * kx), bottom = std::round(kRankBottom * ky);
    const double suitSize = std::max(3.0, std::round(kIndexSuit * std::min(kx, ky)));
    const QPointF beside(std::max(std::ceil(kSuitRightFrom * kx), right + 1) + suitSize / 2, (top + bottom) / 2);
    const QPointF below((left + right) / 2, std::max(std::ceil(kSuitBelowFrom * ky), bottom + 1) + suitSize / 2);
    for (int turn = 0; turn < 2; ++turn) {
        painter.save();
        if (turn == 1) {
            painter.translate(size.width() / 2.0, size.height() / 2.0);
            painter.rotate(180);
            painter.translate(-size.width() / 2.0, -size.height() / 2.0);
        }
        DrawFittedText(painter, kRankText[value], QRectF(QPointF(left, top), QPointF(right, bottom)), SuitInk(suit));
        DrawSuit(painter, suit, beside, suitSize);
        DrawSuit(painter, suit, below, suitSize);
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

// The art of a face, in art units scaled onto the picture, and the indices in
// the picture's own pixels.
QImage DrawFace(QSize size, int suit, int value)
{
    QImage image = BlankCard(size);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    DrawIndices(painter, size, suit, value);
    painter.scale(size.width() / double(kPictureWidth), size.height() / double(kPictureHeight));
    if (value == 1)
        DrawAce(painter, suit);
    else if (value <= 10)
        DrawPips(painter, suit, value);
    else
        DrawCourt(painter, suit, value);
    return image;
}

QImage DrawBack(QSize size, int design)
{
    QImage image = BlankCard(size);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size.width() / double(kPictureWidth), size.height() / double(kPictureHeight));
    DrawBackDesign(painter, design);
    return image;
}

}  // namespace

QImage BlankCard(QSize size)
{
    // The border is a pixel wide at table size and grows slowly beyond it;
    // the corners keep the card's proportions.
    const double k = size.width() / double(sizes::kTableWidth);
    const double border = std::max(1.0, std::round(k * 0.8));
    const double radius = 5 * k;
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(52, 52, 56));
    painter.drawRoundedRect(QRectF(QPointF(0, 0), QSizeF(size)), radius, radius);
    painter.setBrush(Qt::white);
    painter.drawRoundedRect(QRectF(QPointF(0, 0), QSizeF(size)).adjusted(border, border, -border, -border),
                            std::max(0.0, radius - border), std::max(0.0, radius - border));
    return image;
}

QImage DrawPicture(int number, QSize size)
{
    if (number >= 53) return DrawBack(size, number - 52);
    return DrawFace(size, (number - 1) / 13, (number - 1) % 13 + 1);
}

}  // namespace vexa::art
