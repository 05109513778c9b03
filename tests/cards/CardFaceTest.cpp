#include "cards/CardFace.h"
#include "core/VexaError.h"

#include <set>
#include <vector>

#include <gtest/gtest.h>

namespace vexa {
namespace {

// Records every picture asked for; fails those listed in `missing`.
class RecordingSource : public PictureSource {
public:
    void LoadCardBitmap(int number) override
    {
        loaded.push_back(number);
        if (missing.count(number)) throw VexaError(Format("Resource #%d not found (%s)", number, "FindResource"));
    }
    std::vector<int> loaded;
    std::set<int> missing;
};

TEST(CardFace, NewCardIsTheAceOfClubsFaceUpAndLoadsItAtOnce)
{
    RecordingSource source;
    CardFace card(source);
    EXPECT_EQ(card.State(), ctFront);
    EXPECT_EQ(card.CardBackStyle(), 1);
    EXPECT_EQ(card.Value(), 1);
    EXPECT_EQ(card.Suit(), csClubs);
    EXPECT_EQ(card.Colour(), 0);
    EXPECT_EQ(card.Deckvalue(), 1);
    EXPECT_EQ(source.loaded, std::vector<int>{1});
    EXPECT_EQ(card.Picture(), 1);
}

TEST(CardFace, OutOfRangeAndUnchangedValuesAreIgnoredWithoutLoading)
{
    RecordingSource source;
    CardFace card(source);
    card.SetDeckvalue(20);
    source.loaded.clear();

    for (int value : {0, 14, 7}) card.SetValue(value);  // 7 is the current value
    for (int deckvalue : {0, 53, 20}) card.SetDeckvalue(deckvalue);
    for (int style : {0, 14, 1}) card.SetCardBackStyle(style);
    card.SetSuit(csDiamonds);
    card.SetState(ctFront);

    EXPECT_TRUE(source.loaded.empty());
    EXPECT_EQ(card.Deckvalue(), 20);
    EXPECT_EQ(card.Value(), 7);
    EXPECT_EQ(card.CardBackStyle(), 1);
}

TEST(CardFace, DeckvalueValueAndSuitStayConsistent)
{
    RecordingSource source;
    CardFace card(source);

    card.SetDeckvalue(27);
    EXPECT_EQ(card.Value(), 1);
    EXPECT_EQ(card.Suit(), csHearts);
    EXPECT_EQ(card.Colour(), 1);

    card.SetDeckvalue(52);
    EXPECT_EQ(card.Value(), 13);
    EXPECT_EQ(card.Suit(), csSpades);
    EXPECT_EQ(card.Colour(), 0);

    card.SetSuit(csHearts);  // king of hearts
    EXPECT_EQ(card.Deckvalue(), 39);
    EXPECT_EQ(card.Colour(), 1);
    card.SetValue(12);
    EXPECT_EQ(card.Deckvalue(), 38);
    EXPECT_EQ(card.Colour(), 1);

    card.SetSuit(csDiamonds);
    EXPECT_EQ(card.Deckvalue(), 25);
    card.SetSuit(csClubs);
    EXPECT_EQ(card.Deckvalue(), 12);
    EXPECT_EQ(card.Colour(), 0);

    EXPECT_EQ(source.loaded, (std::vector<int>{1, 27, 52, 39, 38, 25, 12}));
}

TEST(CardFace, FaceDownCardKeepsItsBackUntilTurnedUp)
{
    RecordingSource source;
    CardFace card(source);
    card.SetCardBackStyle(6);  // face up: nothing to load yet
    EXPECT_EQ(source.loaded, std::vector<int>{1});

    card.SetState(ctBack);
    EXPECT_EQ(card.Picture(), 58);
    card.SetDeckvalue(40);
    card.SetValue(5);
    card.SetSuit(csHearts);
    EXPECT_EQ(card.Picture(), 58);
    card.SetCardBackStyle(3);  // face down: the new back shows at once
    EXPECT_EQ(card.Picture(), 55);

    card.SetState(ctFront);
    EXPECT_EQ(card.Picture(), 31);  // five of hearts
    EXPECT_EQ(source.loaded, (std::vector<int>{1, 58, 55, 31}));
}

TEST(CardFace, FailedLoadKeepsTheOldPictureAndTheNewField)
{
    RecordingSource source;
    source.missing = {58};
    CardFace card(source);
    card.SetCardBackStyle(6);
    try {
        card.SetState(ctBack);
        FAIL() << "no error raised";
    } catch (const VexaError& error) {
        EXPECT_STREQ(error.what(), "Resource #58 not found (FindResource)");
    }
    EXPECT_EQ(card.State(), ctBack);
    EXPECT_EQ(card.Picture(), 1);
    EXPECT_EQ(card.WantedPicture(), 58);

    // The same change, tried again, fails again.
    card.SetState(ctFront);
    EXPECT_THROW(card.SetState(ctBack), VexaError);
}

}  // namespace
}  // namespace vexa
