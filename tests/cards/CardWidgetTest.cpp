#include "cards/CardLibrary.h"
#include "cards/CardTestDirs.h"
#include "cards/CardWidget.h"

#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QTest>

namespace vexa {
namespace {

class CardWidgetTest : public ::testing::Test {
protected:
    CardLibrary library{test::CardsDirs()};
};

TEST_F(CardWidgetTest, NewCardShowsTheAceOfClubsAtTableSize)
{
    CardWidget card(library);
    EXPECT_EQ(card.size(), QSize(71, 96));
    EXPECT_EQ(card.State(), ctFront);
    EXPECT_EQ(card.CardBackStyle(), 1);
    EXPECT_EQ(card.Value(), 1);
    EXPECT_EQ(card.Suit(), csClubs);
    EXPECT_EQ(card.Deckvalue(), 1);
    EXPECT_EQ(card.Colour(), 0);
    EXPECT_EQ(card.Picture(), 1);
}

TEST_F(CardWidgetTest, ShowsThePictureOfItsPropertiesStretchedToItsBounds)
{
    CardWidget card(library);
    card.SetDeckvalue(27);  // ace of hearts
    EXPECT_EQ(card.Picture(), 27);
    QImage shot = card.grab().toImage();
    ASSERT_EQ(shot.size(), QSize(71, 96));
    const QRgb middle = shot.pixel(35, 48);
    EXPECT_GT(qRed(middle), 150);
    EXPECT_LT(qGreen(middle), 80);

    card.SetCardBackStyle(6);
    card.SetState(ctBack);
    EXPECT_EQ(card.Picture(), 58);
    card.resize(142, 192);
    shot = card.grab().toImage();
    EXPECT_EQ(shot.size(), QSize(142, 192));
    EXPECT_EQ(shot.pixel(71, 10), library.Image(58).pixel(71, 10));
}

TEST_F(CardWidgetTest, MirrorTakesOverACoreCardWithoutAskingTheLibrary)
{
    // The damaged library has no back 58: a fetch would throw.
    CardLibrary faulty(test::FaultyCardsDirs());
    CardWidget card(faulty);
    NullPictureSource nothing;
    CardFace core(nothing);
    core.SetDeckvalue(40);
    core.SetCardBackStyle(6);
    core.SetState(ctBack);

    EXPECT_NO_THROW(card.Mirror(core));
    EXPECT_EQ(card.Picture(), 58);
    EXPECT_EQ(card.State(), ctBack);
    EXPECT_EQ(card.CardBackStyle(), 6);
    EXPECT_EQ(card.Deckvalue(), 40);
    EXPECT_EQ(card.Suit(), csSpades);
    EXPECT_EQ(card.Value(), 1);
    EXPECT_EQ(card.Colour(), 0);
    EXPECT_NO_THROW(card.grab());  // nothing to paint, no error

    // Later setters ask the library again.
    EXPECT_NO_THROW(card.SetState(ctFront));
    EXPECT_EQ(card.Picture(), 40);
}

TEST_F(CardWidgetTest, ReportsClicksAndMouseButtons)
{
    CardWidget card(library);
    QSignalSpy clicks(&card, &CardWidget::Click);
    QSignalSpy downs(&card, &CardWidget::MouseDown);
    QSignalSpy ups(&card, &CardWidget::MouseUp);

    QTest::mouseClick(&card, Qt::LeftButton, Qt::NoModifier, QPoint(10, 20));
    ASSERT_EQ(clicks.count(), 1);
    EXPECT_EQ(clicks.at(0).at(0).value<CardWidget*>(), &card);
    ASSERT_EQ(downs.count(), 1);
    EXPECT_EQ(downs.at(0).at(1).value<Qt::MouseButton>(), Qt::LeftButton);
    EXPECT_EQ(downs.at(0).at(2).toPoint(), QPoint(10, 20));
    EXPECT_EQ(ups.count(), 1);

    QTest::mouseClick(&card, Qt::RightButton, Qt::NoModifier, QPoint(10, 20));
    EXPECT_EQ(clicks.count(), 1);
    EXPECT_EQ(downs.count(), 2);
    EXPECT_EQ(ups.at(1).at(1).value<Qt::MouseButton>(), Qt::RightButton);

    // Pressed on the card, released outside it: no click.
    QTest::mousePress(&card, Qt::LeftButton, Qt::NoModifier, QPoint(10, 20));
    QTest::mouseRelease(&card, Qt::LeftButton, Qt::NoModifier, QPoint(200, 20));
    EXPECT_EQ(clicks.count(), 1);
    EXPECT_EQ(ups.count(), 3);
}

}  // namespace
}  // namespace vexa
