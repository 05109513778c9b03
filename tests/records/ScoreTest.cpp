#include <gtest/gtest.h>

#include <climits>
#include <memory>

#include "core/Session.h"
#include "records/Score.h"
#include "records/Statistics.h"
#include "support/FakeEnvironment.h"
#include "support/TestSupport.h"

namespace vexa {
namespace {

class Scoring : public ::testing::Test {
protected:
    void SetUp() override
    {
        while (session.Board.Window().Count() > 0)
            session.Board.MoveCard(*session.Board.Window().Top(), session.Board.Store());
    }
    Pile& AddPile(int kind)
    {
        auto pile = std::make_unique<Pile>("PILE" + std::to_string(++piles));
        pile->Kind = static_cast<std::uint8_t>(kind);
        Pile* added = session.Board.AddPile(std::move(pile));
        session.Board.RebuildKindRange();
        return *added;
    }

    NullPictureSource pictures;
    test::RecordingUi ui;
    test::ManualClock clock;
    Session session{pictures, ui, clock, 1024, 768};
    int piles = 0;
};

TEST_F(Scoring, PeaksWinMovesTheStockOnceAndCountsTheHandOnce)
{
    session.Settings.Scoring = 5;
    Pile& stock = AddPile(0);
    Pile& foundation = AddPile(3);
    AddPile(4);
    AddPile(4);
    AddPile(4);
    test::PutCards(session.Board, stock, "2C* 3C* 4C*");
    test::PutCards(session.Board, foundation, "AC");
    session.Stats.GamesWon = 5;

    UpdateScore(session);
    // Three empty peaks, the stock 20 short of 23 (counted before it moved).
    EXPECT_EQ(session.Score, 60 + 5 * (3 - 23));
    EXPECT_EQ(test::Describe(foundation), "AC 4C 3C 2C");
    EXPECT_EQ(stock.Count(), 0);
    EXPECT_EQ(session.Stats.GamesWon, 6);
    EXPECT_EQ(ui.victories.size(), 1u);

    // Later updates (autoplay that moves nothing, an undo and a win again)
    // show the dialog again but count nothing more.
    UpdateScore(session);
    UpdateScore(session);
    EXPECT_EQ(session.Stats.GamesWon, 6);
    EXPECT_EQ(ui.victories.size(), 3u);

    session.WinCounted = false;  // what a new deal or restart does
    UpdateScore(session);
    EXPECT_EQ(session.Stats.GamesWon, 7);
}

TEST_F(Scoring, SchemesThatReadMissingPilesCountThosePartsAsZero)
{
    session.Settings.Scoring = 5;
    Pile& peak = AddPile(4);  // one peak only, no stock, no foundation
    test::PutCards(session.Board, peak, "5H");
    session.StreakBonus = 4;
    UpdateScore(session);
    EXPECT_EQ(session.Score, 15 + 15 - 5 + 4);  // the two missing peak places count as empty
    session.Board.MoveCard(*peak.Top(), session.Board.Store());
    UpdateScore(session);
    EXPECT_EQ(session.Stats.GamesWon, 1);  // no peak holds a card: won, with no stock to move

    session.Settings.Scoring = 4;
    UpdateScore(session);
    EXPECT_EQ(session.Score, 0);
    session.Settings.Scoring = 9;
    UpdateScore(session);
    EXPECT_EQ(session.Score, 0);
    EXPECT_EQ(session.Menu.ScoreCaption, "             Your score = 0");
}

TEST_F(Scoring, StatisticsAndScoresStopAtTheLimitsInsteadOfOverflowing)
{
    Pile& foundation = AddPile(3);
    test::PutCards(session.Board, foundation, "AC 2C 3C");
    session.Stats = {INT_MAX, INT_MAX - 1, INT_MAX};
    session.HandPlayed = true;
    UpdateScore(session);
    CloseHandStatistics(session);
    EXPECT_EQ(session.Stats.GamesPlayed, INT_MAX);
    EXPECT_EQ(session.Stats.TotalScore, INT_MAX);
    EXPECT_EQ(session.Stats.GamesWon, INT_MAX);

    session.Settings.Scoring = 5;
    AddPile(4);
    session.StreakBonus = INT_MAX;
    UpdateScore(session);
    EXPECT_EQ(session.Score, INT_MAX);
    session.StreakBonus = INT_MIN;
    UpdateScore(session);
    EXPECT_EQ(session.Score, INT_MIN + 60);
}

}  // namespace
}  // namespace vexa
