#include "cards/CursorPictures.h"

#include <algorithm>
#include <array>
#include <string>

#include <QPainter>
#include <QPixmap>

namespace vexa {

namespace {

const QRgb kYellow = qRgb(255, 255, 0);
const QRgb kBlack = qRgb(0, 0, 0);
const QRgb kRed = qRgb(255, 0, 0);
const QRgb kGrey = qRgb(128, 128, 128);

constexpr int kRankW = 11, kRankH = 14, kSuitSize = 15;

using Glyph = std::array<const char*, 12>;

// Rank glyphs, twelve rows high, centred in their 11 × 14 cell.
// clang-format off
const Glyph kRanks[13] = {
    {
        "...###...",
        "...###...",
        "..##.##..",
        "..##.##..",
        ".##...##.",
        ".##...##.",
        ".##...##.",
        "#########",
        "#########",
        "##.....##",
        "##.....##",
        "##.....##",
    },
    {
        ".#####.",
        "##...##",
        "##...##",
        ".....##",
        "....##.",
        "...##..",
        "..##...",
        ".##....",
        "##.....",
        "##.....",
        "#######",
        "#######",
    },
    {
        ".#####.",
        "##...##",
        ".....##",
        ".....##",
        "....##.",
        "..###..",
        "....##.",
        ".....##",
        ".....##",
        "##...##",
        "##...##",
        ".#####.",
    },
    {
        "....##.",
        "...###.",
        "..####.",
        ".##.##.",
        ".##.##.",
        "##..##.",
        "##..##.",
        "#######",
        "#######",
        "....##.",
        "....##.",
        "....##.",
    },
    {
        "#######",
        "#######",
        "##.....",
        "##.....",
        "######.",
        "#######",
        ".....##",
        ".....##",
        ".....##",
        "##...##",
        "#######",
        ".#####.",
    },
    {
        "..####.",
        ".##....",
        "##.....",
        "##.....",
        "######.",
        "#######",
        "##...##",
        "##...##",
        "##...##",
        "##...##",
        "#######",
        ".#####.",
    },
    {
        "#######",
        "#######",
        ".....##",
        "....##.",
        "....##.",
        "...##..",
        "...##..",
        "..##...",
        "..##...",
        "..##...",
        "..##...",
        "..##...",
    },
    {
        ".#####.",
        "##...##",
        "##...##",
        "##...##",
        ".#####.",
        ".#####.",
        "##...##",
        "##...##",
        "##...##",
        "##...##",
        "#######",
        ".#####.",
    },
    {
        ".#####.",
        "#######",
        "##...##",
        "##...##",
        "##...##",
        "##...##",
        "#######",
        ".######",
        ".....##",
        ".....##",
        "....##.",
        ".####..",
    },
    {
        ".##...###..",
        "###..#####.",
        ".##.##...##",
        ".##.##...##",
        ".##.##...##",
        ".##.##...##",
        ".##.##...##",
        ".##.##...##",
        ".##.##...##",
        ".##.##...##",
        ".##..#####.",
        "###...###..",
    },
    {
        "..#####",
        "..#####",
        "....##.",
        "....##.",
        "....##.",
        "....##.",
        "....##.",
        "....##.",
        "##..##.",
        "##..##.",
        "######.",
        ".####..",
    },
    {
        "..#####..",
        ".#######.",
        "##.....##",
        "##.....##",
        "##.....##",
        "##.....##",
        "##.....##",
        "##..##.##",
        "##...####",
        ".#######.",
        "..#######",
        ".......##",
    },
    {
        "##....##",
        "##...##.",
        "##..##..",
        "##.##...",
        "####....",
        "###.....",
        "###.....",
        "####....",
        "##.##...",
        "##..##..",
        "##...##.",
        "##....##",
    },
};

// clang-format on

using SuitGlyph = std::array<const char*, 15>;

// clang-format off
const SuitGlyph kSuitGlyphs[4] = {
    {
        "......###......",
        ".....#####.....",
        "....#######....",
        "....#######....",
        ".....#####.....",
        "..###.###.###..",
        ".#############.",
        "###############",
        "###############",
        ".#############.",
        "..###..#..###..",
        ".......#.......",
        "......###......",
        ".....#####.....",
        "...............",
    },
    {
        ".......#.......",
        "......###......",
        "......###......",
        ".....#####.....",
        "....#######....",
        "...#########...",
        "..###########..",
        ".#############.",
        "..###########..",
        "...#########...",
        "....#######....",
        ".....#####.....",
        "......###......",
        "......###......",
        ".......#.......",
    },
    {
        "...............",
        "..####...####..",
        ".######.######.",
        "###############",
        "###############",
        "###############",
        "###############",
        ".#############.",
        "..###########..",
        "...#########...",
        "....#######....",
        ".....#####.....",
        "......###......",
        ".......#.......",
        "...............",
    },
    {
        ".......#.......",
        "......###......",
        ".....#####.....",
        "....#######....",
        "...#########...",
        "..###########..",
        ".#############.",
        "###############",
        "###############",
        "###############",
        ".#####.#.#####.",
        "..###..#..###..",
        "......###......",
        ".....#####.....",
        "...............",
    },
};
// clang-format on

// Sets the inked pixels of a glyph, centred horizontally in a cell.
template <std::size_t Rows>
void Stamp(QImage& image, const std::array<const char*, Rows>& glyph, int cellX, int cellY, int cellW, int top,
           QRgb ink)
{
    for (std::size_t row = 0; row < Rows; ++row) {
        const char* line = glyph[row];
        const int width = static_cast<int>(std::char_traits<char>::length(line));
        const int left = cellX + (cellW - width + 1) / 2;
        for (int col = 0; col < width; ++col)
            if (line[col] == '#') image.setPixel(left + col, cellY + top + static_cast<int>(row), ink);
    }
}

}  // namespace

QImage NumbersPicture()
{
    QImage image(13 * kRankW, 2 * kRankH, QImage::Format_RGB32);
    image.fill(kYellow);
    for (int colour = 0; colour < 2; ++colour)
        for (int rank = 0; rank < 13; ++rank)
            Stamp(image, kRanks[rank], rank * kRankW, colour * kRankH, kRankW, 1, colour ? kRed : kBlack);
    return image;
}

QImage SuitsPicture()
{
    QImage image(4 * kSuitSize, kSuitSize, QImage::Format_RGB32);
    image.fill(kYellow);
    for (int suit = 0; suit < 4; ++suit)
        Stamp(image, kSuitGlyphs[suit], suit * kSuitSize, 0, kSuitSize, 0, (suit == 1 || suit == 2) ? kRed : kBlack);
    return image;
}

QImage CursorcardPicture()
{
    QImage image(32, 32, QImage::Format_RGB32);
    image.fill(kBlack);
    for (int y = 0; y <= 29; ++y)
        for (int x = 4; x <= 26; ++x) image.setPixel(x, y, kYellow);
    image.setPixel(4, 0, kBlack);
    image.setPixel(26, 0, kBlack);
    for (int y = 1; y <= 30; ++y) image.setPixel(27, y, kGrey);
    for (int x = 5; x <= 27; ++x) image.setPixel(x, 30, kGrey);
    return image;
}

QBitmap CursorMask(const QImage& cursorcard)
{
    // With MaskInColor the pixels of the given colour become transparent.
    return QPixmap::fromImage(cursorcard).createMaskFromColor(Qt::black, Qt::MaskInColor);
}

CarryPictures::CarryPictures()
    : Numbers(NumbersPicture()),
      Suits(SuitsPicture()),
      Cursorcard(CursorcardPicture()),
      CursorMask(vexa::CursorMask(Cursorcard))
{
}

QImage CarryPictures::Compose(int rank, int suit, int colour) const
{
    QImage card = Cursorcard.convertToFormat(QImage::Format_RGB32);
    if (rank < 1 || rank > 13 || suit < 0 || suit > 3 || colour < 0 || colour > 1) return card;
    QPainter painter(&card);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(QRect(6, 2, kRankW, kRankH), Numbers,
                      QRect((rank - 1) * kRankW, colour * kRankH, kRankW, kRankH));
    painter.drawImage(QRect(11, 15, kSuitSize, kSuitSize), Suits, QRect(suit * kSuitSize, 0, kSuitSize, kSuitSize));
    return card;
}

QCursor CarryPictures::Cursor(int rank, int suit, int colour, qreal devicePixelRatio, qreal scale) const
{
    // On a dense screen each pixel of the pixel art becomes a block of
    // device pixels: as sharp as at table size, and as large on screen.
    const int factor = std::max(1, qRound(devicePixelRatio * scale));
    const QSize size = Cursorcard.size() * factor;
    QPixmap pixmap =
        QPixmap::fromImage(Compose(rank, suit, colour).scaled(size, Qt::IgnoreAspectRatio, Qt::FastTransformation));
    pixmap.setMask(factor == 1
                       ? CursorMask
                       : QBitmap::fromPixmap(CursorMask.scaled(size, Qt::IgnoreAspectRatio, Qt::FastTransformation)));
    // The logical size is the table's: 32 × scale.
    const qreal ratio = scale == 1 ? factor : factor / scale;
    pixmap.setDevicePixelRatio(ratio);
    // The hot spot is given in the cursor's logical pixels.
    return QCursor(pixmap, qRound(15 * factor / ratio), 0);
}

QImage CarryCursorImage(int rank, int suit, int colour) { return CarryPictures().Compose(rank, suit, colour); }

QCursor CarryCursor(int rank, int suit, int colour) { return CarryPictures().Cursor(rank, suit, colour); }

}  // namespace vexa
