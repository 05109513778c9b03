#include "cards/CardLibrary.h"
#include "cards/CardTestDirs.h"
#include "cards/CardWidget.h"
#include "core/VexaError.h"

#include <cstdlib>
#include <set>
#include <string>

#include <gtest/gtest.h>

#include "support/TestSupport.h"

#include <QCryptographicHash>
#include <QDir>

namespace vexa {
namespace {

using test::ErrorOf;

using test::CardsDirs;
using test::FaultyCardsDirs;

TEST(CardLibrary, ModuleNameMapsToThePlatformFileName)
{
    EXPECT_EQ(CardLibrary::ModuleFileName("VEXACARDS.DLL"), "libvexacards.so");
    EXPECT_EQ(CardLibrary::ModuleFileName("Other.dll"), "libother.so");
}

TEST(CardLibrary, HoldsAllSixtyFiveDistinctPicturesAtDoubleSize)
{
    CardLibrary library(CardsDirs());
    std::set<QByteArray> hashes;
    for (int n = 1; n <= 65; ++n) {
        ASSERT_NO_THROW(library.LoadCardBitmap(n)) << n;
        const QImage picture = library.Image(n);
        ASSERT_EQ(picture.size(), QSize(142, 192)) << n;
        // Rounded corners are transparent, the middle of the card is not.
        EXPECT_EQ(qAlpha(picture.pixel(0, 0)), 0) << n;
        EXPECT_EQ(qAlpha(picture.pixel(71, 96)), 255) << n;
        hashes.insert(QCryptographicHash::hash(QByteArrayView(picture.constBits(), picture.sizeInBytes()),
                                               QCryptographicHash::Sha1));
    }
    EXPECT_EQ(hashes.size(), 65u);
    EXPECT_TRUE(library.ModulePath().endsWith("/libvexacards.so"));
}

TEST(CardLibrary, RedSuitsAreRedAndBlackSuitsBlack)
{
    CardLibrary library(CardsDirs());
    for (int suit = 0; suit < 4; ++suit)
        for (int value = 1; value <= 10; ++value) {
            const QImage picture = library.Image(suit * 13 + value);
            int red = 0, dark = 0;
            // Inside the border, where only the indices and pips are inked.
            for (int y = 4; y < 188; ++y)
                for (int x = 4; x < 138; ++x) {
                    const QRgb px = picture.pixel(x, y);
                    if (qRed(px) > 150 && qGreen(px) < 80 && qBlue(px) < 80) ++red;
                    if (qRed(px) < 60 && qGreen(px) < 60 && qBlue(px) < 60) ++dark;
                }
            const bool redSuit = suit == 1 || suit == 2;
            EXPECT_EQ(red > 300, redSuit) << suit << " " << value;
            EXPECT_EQ(dark > 300, !redSuit) << suit << " " << value;
            EXPECT_EQ(redSuit ? dark : red, 0) << suit << " " << value;
        }
}

// Inked pixels of a picture in a region: neither white paper nor transparent.
int InkIn(const QImage& picture, const QRect& region)
{
    int ink = 0;
    for (int y = region.top(); y <= region.bottom(); ++y)
        for (int x = region.left(); x <= region.right(); ++x) {
            const QRgb px = picture.pixel(x, y);
            if (qAlpha(px) == 255 && qRed(px) + qGreen(px) + qBlue(px) < 600) ++ink;
        }
    return ink;
}

TEST(CardLibrary, CornerIndexShowsRankAndSuitInTheTopStrip)
{
    // The pictures are drawn at double size: the top 17 rows and the left
    // 15 columns at table size are the top 34 rows and left 30 columns here.
    CardLibrary library(CardsDirs());
    for (int n = 1; n <= 52; ++n) {
        const QImage picture = library.Image(n);
        // The rank in the corner, a suit beside it right of column 30 and
        // one below it under row 34.
        EXPECT_GT(InkIn(picture, QRect(4, 4, 23, 20)), 20) << n;
        EXPECT_GT(InkIn(picture, QRect(32, 4, 16, 20)), 20) << n;
        EXPECT_GT(InkIn(picture, QRect(4, 35, 23, 16)), 20) << n;
        // Nothing of the index, the pips or the figure in rows 26 to 29 of
        // the left columns, between the rank and the suit below it.
        EXPECT_EQ(InkIn(picture, QRect(4, 26, 22, 4)), 0) << n;
    }
}

TEST(CardLibrary, CourtCardsAreDoubleHeads)
{
    // The lower half of a court card is its upper half turned by 180
    // degrees, indices included: the picture equals itself turned.
    CardLibrary library(CardsDirs());
    for (int suit = 0; suit < 4; ++suit)
        for (int value = 11; value <= 13; ++value) {
            const QImage picture = library.Image(suit * 13 + value);
            const QImage turned = picture.mirrored(true, true);
            int differing = 0;
            for (int y = 0; y < picture.height(); ++y)
                for (int x = 0; x < picture.width(); ++x) {
                    const QRgb a = picture.pixel(x, y), b = turned.pixel(x, y);
                    if (std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) + std::abs(qBlue(a) - qBlue(b)) >
                        96)
                        ++differing;
                }
            // Antialiasing may round a few edge pixels differently.
            EXPECT_LT(differing, picture.width() * picture.height() / 200) << suit << " " << value;
        }
}

TEST(CardLibrary, MissingLibraryIsReportedAtEveryAttempt)
{
    CardLibrary library({"/nonexistent/vexasolit"});
    EXPECT_EQ(ErrorOf([&] { library.LoadCardBitmap(1); }), "Unable to load VexaCards.DLL ");
    EXPECT_EQ(ErrorOf([&] { library.LoadCardBitmap(58); }), "Unable to load VexaCards.DLL ");
    EXPECT_FALSE(library.IsOpen());
    EXPECT_TRUE(library.Image(1).isNull());
    EXPECT_EQ(ErrorOf([&] { CardWidget card(library); }), "Unable to load VexaCards.DLL ");
}

TEST(CardLibrary, LooksOnlyInAbsoluteFolders)
{
    // A relative folder would depend on the current directory: not searched.
    const QString relative = QDir::current().relativeFilePath(CardsDirs().first());
    ASSERT_TRUE(QDir(relative).exists("libvexacards.so"));
    CardLibrary library({relative});
    EXPECT_EQ(ErrorOf([&] { library.LoadCardBitmap(1); }), "Unable to load VexaCards.DLL ");

    // The next folder in the list is used when the first has no library.
    CardLibrary second({"/nonexistent", CardsDirs().first()});
    EXPECT_NO_THROW(second.LoadCardBitmap(1));
}

TEST(CardLibrary, DamagedPicturesRaiseTheirErrorsEachTimeTheyAreAsked)
{
    CardLibrary library(FaultyCardsDirs());
    for (int attempt = 0; attempt < 2; ++attempt) {
        EXPECT_EQ(ErrorOf([&] { library.LoadCardBitmap(58); }), "Resource #58 not found (FindResource)");
        EXPECT_EQ(ErrorOf([&] { library.LoadCardBitmap(7); }), "Resource #7 not found (LoadResource)");
        EXPECT_EQ(ErrorOf([&] { library.LoadCardBitmap(5); }), "Bitmap #5 hasn't been stored properly");
        EXPECT_EQ(ErrorOf([&] { library.LoadCardBitmap(9); }), "Bitmap #9 hasn't been stored properly");
    }
    EXPECT_EQ(ErrorOf([&] { library.LoadCardBitmap(1); }), "");
    EXPECT_TRUE(library.Image(58).isNull());
}

TEST(CardLibrary, NumbersOutsideTheTableAreNotFound)
{
    CardLibrary library(CardsDirs());
    EXPECT_EQ(ErrorOf([&] { library.LoadCardBitmap(0); }), "Resource #0 not found (FindResource)");
    EXPECT_EQ(ErrorOf([&] { library.LoadCardBitmap(66); }), "Resource #66 not found (FindResource)");
    EXPECT_EQ(ErrorOf([&] { library.LoadCardBitmap(-3); }), "Resource #-3 not found (FindResource)");
}

TEST(CardLibrary, ScaledPicturesAreKeptPerSize)
{
    CardLibrary library(CardsDirs());
    const QPixmap small = library.Scaled(27, QSize(71, 96));
    EXPECT_EQ(small.size(), QSize(71, 96));
    EXPECT_EQ(library.Scaled(27, QSize(71, 96)).cacheKey(), small.cacheKey());
    EXPECT_EQ(library.Scaled(27, QSize(142, 192)).size(), QSize(142, 192));
    EXPECT_TRUE(library.Scaled(0, QSize(71, 96)).isNull());
}

TEST(CardLibrary, DecodesOnlyWhatIsPaintedOncePerSize)
{
    CardLibrary library(CardsDirs());
    for (int n = 1; n <= 65; ++n) library.LoadCardBitmap(n);
    EXPECT_EQ(library.KeptPictures(), 0u);

    // The same card of both decks, painted at table size: one picture; the
    // ace of clubs each card showed when it was made was never painted.
    CardWidget first(library), second(library);
    for (CardWidget* card : {&first, &second}) {
        card->SetSuit(csHearts);
        card->SetValue(5);
    }
    ASSERT_EQ(first.Picture(), second.Picture());
    first.grab();
    second.grab();
    EXPECT_EQ(library.KeptPictures(), 1u);
    const QPixmap kept = library.Scaled(first.Picture(), QSize(71, 96));
    EXPECT_EQ(library.KeptPictures(), 1u);
    EXPECT_EQ(kept.size(), QSize(71, 96));
}

TEST(CardLibrary, CardOfTheDamagedLibraryKeepsItsFaceWhenBack58IsMissing)
{
    CardLibrary library(FaultyCardsDirs());
    CardWidget card(library);
    card.SetCardBackStyle(6);
    EXPECT_EQ(ErrorOf([&] { card.SetState(ctBack); }), "Resource #58 not found (FindResource)");
    EXPECT_EQ(card.State(), ctBack);
    EXPECT_EQ(card.Picture(), 1);
}

}  // namespace
}  // namespace vexa
