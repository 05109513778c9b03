#include <gtest/gtest.h>

#include <memory>

#include "core/Session.h"
#include "records/GameButtons.h"
#include "records/UndoJournal.h"
#include "support/FakeEnvironment.h"
#include "support/TestSupport.h"

namespace vexa {
namespace {

class GameButtons : public ::testing::Test {
protected:
    // The table as a game load leaves it: the welcome cards are gone.
    void SetUp() override
    {
        while (session.Board.Window().Count() > 0)
            session.Board.MoveCard(*session.Board.Window().Top(), session.Board.Store());
    }
    Pile& AddPile(int kind, int left = 0)
    {
        auto pile = std::make_unique<Pile>("PILE" + std::to_string(++piles));
        pile->Kind = static_cast<std::uint8_t>(kind);
        pile->Bounds = {left, 0, 71, 96};
        Pile* added = session.Board.AddPile(std::move(pile));
        session.Board.RebuildKindRange();
        return *added;
    }
    GameButton& AddButton(int tag)
    {
        auto button = std::make_unique<GameButton>("BUTTON" + std::to_string(tag));
        button->Tag = tag;
        return *session.Board.AddButton(std::move(button));
    }
    void Press(int tag) { PressGameButton(session, AddButton(tag)); }

    NullPictureSource pictures;
    test::RecordingUi ui;
    test::ManualClock clock;
    Session session{pictures, ui, clock, 1024, 768};
    int piles = 0;
};

TEST_F(GameButtons, HideTakesTheLatestEmptyVisibleTableauPileOneAtATime)
{
    Pile& first = AddPile(2);
    Pile& full = AddPile(2);
    Pile& foundation = AddPile(3);
    Pile& last = AddPile(2);
    test::PutCards(session.Board, full, "7C");
    GameButton& hide = AddButton(1);

    PressGameButton(session, hide);
    EXPECT_FALSE(last.Visible);
    EXPECT_TRUE(first.Visible);
    EXPECT_TRUE(foundation.Visible);  // a foundation is never hidden
    PressGameButton(session, hide);
    EXPECT_FALSE(first.Visible);
    PressGameButton(session, hide);
    EXPECT_TRUE(full.Visible);
    EXPECT_TRUE(session.Journal.UndoSteps.empty());  // hiding is not journaled
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(GameButtons, OneTimeMoveArmsOnceWithoutRedealsAndUndoDisarmsIt)
{
    AddPile(2);
    session.RedealsLeft = 1;
    Press(2);
    EXPECT_EQ(ui.messages, std::vector<std::string>{"Can't be used until no redeals are left"});
    EXPECT_EQ(session.OneTimeMove, 1);

    ui.messages.clear();
    session.RedealsLeft = 0;
    session.Carrying = true;
    Press(2);
    EXPECT_EQ(session.OneTimeMove, 1);  // nothing while cards are carried
    session.Carrying = false;

    Press(2);
    EXPECT_EQ(session.OneTimeMove, 0);
    ASSERT_EQ(session.Journal.UndoSteps.size(), 1u);
    EXPECT_EQ(session.Journal.UndoSteps.back(), "OTF0000001\r\n");
    EXPECT_TRUE(session.Menu.Undo);
    Press(2);  // armed already: silent
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(session.Journal.UndoSteps.size(), 1u);

    UndoLastStep(session);
    EXPECT_EQ(session.OneTimeMove, 1);
    EXPECT_FALSE(session.Menu.Undo);

    session.OneTimeMove = -1;
    Press(2);
    EXPECT_EQ(ui.messages, std::vector<std::string>{"You can do this only once per game"});
}

TEST_F(GameButtons, ClaimingTheWinNeedsKingRunsAndTheFoundationToHoldBothDecks)
{
    session.Settings.Decks = 2;
    Table& table = session.Board;
    Pile& foundation = AddPile(3);
    Pile* columns[4];
    for (int suit = 0; suit < 4; ++suit) {
        columns[suit] = &AddPile(2, 100 + suit * 80);
        for (int value = 13; value >= 1; --value) table.MoveCard(table.CardAt(suit * 13 + value), *columns[suit]);
    }
    // A run broken after the queen counts two for its pile.
    for (int index = 53; index <= 103; ++index) table.MoveCard(table.CardAt(index), foundation);
    table.MoveCard(table.CardAt(104), *columns[3]);
    table.MoveCard(table.CardAt(39 + 11), table.Store());
    table.MoveCard(table.CardAt(39 + 11), *columns[3]);  // the jack of spades now lies on top
    Press(3);
    EXPECT_EQ(ui.messages, std::vector<std::string>{"You haven't won yet, but keep trying!"});
    EXPECT_EQ(foundation.Count(), 51);

    // Put the second deck's king of spades on the foundation and rebuild the
    // spade run: 52 in runs + 52 on the foundation.
    table.MoveCard(table.CardAt(104), foundation);
    for (int value = 13; value >= 1; --value) table.MoveCard(table.CardAt(39 + value), table.Store());
    for (int value = 13; value >= 1; --value) table.MoveCard(table.CardAt(39 + value), *columns[3]);
    ui.messages.clear();
    Press(3);
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(foundation.Count(), 104);
    EXPECT_EQ(foundation.CardAt(52)->Index(), 1);  // the others follow in index order
    EXPECT_EQ(session.Score, 104);
    EXPECT_EQ(ui.victories.size(), 1u);
    ASSERT_EQ(session.Journal.UndoSteps.size(), 1u);

    UndoLastStep(session);
    for (int suit = 0; suit < 4; ++suit) EXPECT_EQ(columns[suit]->Count(), 13);
    EXPECT_EQ(foundation.Count(), 52);
    EXPECT_EQ(columns[2]->Top()->Index(), 27);  // the ace of hearts on top again
}

TEST_F(GameButtons, ClaimingTheWinInAOneDeckGameAlwaysFailsAndOtherTagsDoNothing)
{
    Pile& foundation = AddPile(3);
    for (int index = 1; index <= 52; ++index) session.Board.MoveCard(session.Board.CardAt(index), foundation);
    Press(3);
    EXPECT_EQ(ui.messages, std::vector<std::string>{"You haven't won yet, but keep trying!"});
    ui.messages.clear();
    Press(7);
    Press(0);
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_TRUE(session.Journal.UndoSteps.empty());
}

}  // namespace
}  // namespace vexa
