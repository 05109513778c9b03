// "Winnable deals only" in the core: a hand the solver proves winnable is
// kept at once, a game that cannot be won is shuffled again until the time
// is spent and its last hand stays; the setting lives in the catalogue.
#include <gtest/gtest.h>

#include <memory>

#include "app/GameLoader.h"
#include "app/WinnableDeal.h"
#include "core/Session.h"
#include "defs/IniFile.h"
#include "rules/MoveRules.h"
#include "rules/Solver.h"
#include "support/FakeEnvironment.h"
#include "support/OneCardColumns.h"
#include "support/TestSupport.h"

namespace vexa {
namespace {

// The solver held to a number of positions instead of the time it is given,
// so that its answers do not depend on the machine's speed.
SolveOutcome SearchByPositions(const Session& session, const SolverBudget&)
{
    SolverBudget budget;
    budget.MaxStates = 20000;
    return SolvePosition(session, budget).Outcome;
}

class WinnableDeal : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir.Write("vexasolit.ini", "[Gamelist]\nEasy=easy.ini\nStuck=stuck.ini\n[General]\nWinnableOnly=1\n");
        dir.Write("easy.ini", test::OneCardColumns("Easy", 203));
        dir.Write("stuck.ini", test::OneCardColumns("Stuck", 0));
        session = std::make_unique<Session>(pictures, ui, clock, 1920, 1080);
        CreateChooser(*session);
    }
    void Choose(int index)
    {
        session->Chooser.ItemIndex = index;
        SelectGame(*session);
    }
    int CardsOnTable() const
    {
        int count = 0;
        for (int position = 0; position < session->Board.ControlCount(); ++position)
            if (const Pile* pile = session->Board.PileAt(position); pile && pile != &session->Board.DragPile())
                count += pile->Count();
        return count;
    }

    test::TempDir dir;
    test::InDirectory cwd{dir.Path()};
    NullPictureSource pictures;
    test::RecordingUi ui;
    test::ManualClock clock;
    std::unique_ptr<Session> session;
};

TEST_F(WinnableDeal, AProvenHandIsKeptAtOnce)
{
    EXPECT_TRUE(session->WinnableOnly);
    Choose(0);
    const std::uint32_t generator = session->Rng.State();
    const WinnableDealResult result = DealWinnableHand(*session, 3.0, nullptr, SearchByPositions);
    EXPECT_TRUE(result.Proven);
    EXPECT_EQ(result.Shuffles, 1);
    EXPECT_EQ(session->Rng.State(), generator);
    EXPECT_TRUE(ui.victories.empty());
}

TEST_F(WinnableDeal, AnUnwinnableGameIsShuffledAgainUntilTheTimeIsSpentAndTheLastHandStays)
{
    Choose(1);
    const std::uint32_t generator = session->Rng.State();
    // The caller's progress ends the search here, long before the time.
    int calls = 0;
    const WinnableDealResult result = DealWinnableHand(
        *session, 600.0,
        [&](int shuffles) {
            EXPECT_EQ(shuffles, ++calls);
            return shuffles < 4;
        },
        SearchByPositions);
    EXPECT_FALSE(result.Proven);
    EXPECT_EQ(result.Shuffles, 4);
    EXPECT_NE(session->Rng.State(), generator);
    EXPECT_EQ(CardsOnTable(), 52);
    EXPECT_EQ(session->RedealsLeft, 0);
    EXPECT_FALSE(session->Menu.Undo);
    // The caller may stop the search after any hand.
    const WinnableDealResult stopped = DealWinnableHand(
        *session, 30.0, [](int) { return false; }, SearchByPositions);
    EXPECT_FALSE(stopped.Proven);
    EXPECT_EQ(stopped.Shuffles, 1);
    // A time spent by the first search ends it after that hand.
    const WinnableDealResult spent = DealWinnableHand(*session, 1e-9, nullptr, SearchByPositions);
    EXPECT_FALSE(spent.Proven);
    EXPECT_EQ(spent.Shuffles, 1);
}

// The hand the search settles on shows its own number: shuffled from that
// number, the game deals exactly the hand on the table.
TEST_F(WinnableDeal, TheHandFoundCarriesTheNumberItWasShuffledFrom)
{
    Choose(1);
    const WinnableDealResult result = DealWinnableHand(
        *session, 600.0, [](int shuffles) { return shuffles < 3; }, SearchByPositions);
    ASSERT_EQ(result.Shuffles, 3);
    ASSERT_TRUE(session->DealNumber);
    Random random(*session->DealNumber);
    DeckOrder order;
    Shuffle(order, {1, {}, {}, 0}, random);
    EXPECT_EQ(order, session->Deck);
    EXPECT_EQ(random.State(), session->Rng.State());
}

// The probe deals its own hands, each searched within a fixed number of
// positions and no time limit, and leaves the live table as it was.
TEST_F(WinnableDeal, TheProbeConfirmsOnlyGamesWhoseHandsItWinsAndLeavesTheTableAlone)
{
    auto table = [this] {
        std::vector<int> cards;
        for (int position = 0; position < session->Board.ControlCount(); ++position)
            if (const Pile* pile = session->Board.PileAt(position))
                for (const Card* card : pile->Cards()) cards.push_back(card->Index() * 2 + FaceUp(*card));
        return cards;
    };
    for (const int game : {0, 1}) {
        Choose(game);
        const std::vector<int> before = table();
        const std::uint32_t generator = session->Rng.State();
        std::vector<std::vector<int>> hands;
        int won = 0;
        const bool often = WinnableOftenConfirmed(*session, [&](const Session& dealt, const SolverBudget& budget) {
            EXPECT_EQ(budget.MaxStates, WinnableProbeStates);
            EXPECT_EQ(budget.Seconds, 0);
            std::vector<int> hand;
            for (int position = 0; position < dealt.Board.ControlCount(); ++position)
                if (const Pile* pile = dealt.Board.PileAt(position))
                    for (const Card* card : pile->Cards()) hand.push_back(card->Index());
            hands.push_back(hand);
            const SolveOutcome outcome = SolvePosition(dealt, budget).Outcome;
            won += outcome == SolveOutcome::Won;
            return outcome;
        });
        EXPECT_EQ(often, game == 0);
        // A won hand ends the probe; a game never won is probed on every deal,
        // each a hand of its own, and the same way each time.
        EXPECT_EQ(hands.size(), game == 0 ? 1u : static_cast<std::size_t>(WinnableProbeDeals));
        EXPECT_EQ(won, game == 0 ? 1 : 0);
        for (std::size_t i = 1; i < hands.size(); ++i) EXPECT_NE(hands[i], hands[i - 1]);
        EXPECT_EQ(WinnableOftenConfirmed(*session), often);
        EXPECT_EQ(table(), before);
        EXPECT_EQ(session->Rng.State(), generator);
        EXPECT_TRUE(ui.victories.empty());
    }
}

TEST_F(WinnableDeal, TheSettingIsWrittenToTheCatalogue)
{
    const IniFile catalogue(CatalogueFile);
    WriteWinnableOnly(catalogue, false);
    EXPECT_FALSE(ReadWinnableOnly(catalogue));
    EXPECT_EQ(catalogue.ReadString("General", "WinnableOnly"), "0");
    WriteWinnableOnly(catalogue, true);
    EXPECT_TRUE(ReadWinnableOnly(catalogue));
}

}  // namespace
}  // namespace vexa
