// Buried cards: a card over nothing but face-down cards, whose every way
// out lies under such cards, never leaves its pile, and the position is
// lost before any move is searched. Checked against the plain search of
// every click on small Klondike endgames: whatever the plain search wins
// the solver wins, and the bound cuts the search short only where the
// plain search proves the loss.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "rules/Solver.h"
#include "support/FullSearch.h"

namespace vexa {
namespace {

using test::DrawOneStock;
using test::Endgame;
using test::FullSearch;
using test::PileSpec;
using test::Suit;
using test::Suits;
using test::Waste;

// Klondike columns: any face-up run lifts, build down in alternating
// colours, only a king (with its run) into an empty column.
const PileSpec KlondikeColumn{2, 3, 109, 208, 401, 0, {0, 120, 71, 400}};

SolveAnswer Solve(Endgame& t)
{
    SolverBudget budget;
    budget.MaxStates = 300000;
    return SolvePosition(t.session, budget);
}

TEST(SolverBuriedCards, ProveALossAtOnceOnlyWhereEveryWayOutIsCovered)
{
    // Clubs and diamonds are home, spades and hearts built to the ranks
    // given; the stock and the columns hold the rest.
    struct Case {
        const char* what;
        int spades, hearts;
        const char* stock;
        std::vector<std::string> columns;
        bool won;
        bool cutShort;  // lost at the first position
    };
    const std::vector<Case> cases{
        {"a five over its own four, both sixes home", 3, 9, "10H* JH* QH* KH*",
         {"4S* 5S", "KS* QS* JS* 10S* 9S* 8S* 7S* 6S"}, false, true},
        {"two cards each over the other's ways out", 3, 9, "6S* 7S* 8S* 9S* 10S* JS* KS* QH* KH*",
         {"10H* QS* 5S", "4S* JH"}, false, true},
        {"a five whose four waits for the three under the five", 2, 9, "6S* 7S* 8S* 9S* 10S* JS* QS* 10H* JH* QH* KH*",
         {"3S* 5S", "KS* 4S"}, false, true},
        {"a five goes on a six that cannot leave itself", 3, 3,
         "6S* 8S* 9S* 10S* JS* QS* KS* 7H* 8H* 9H* 10H* JH* QH* KH*", {"7S* 4S* 5S 4H", "5H* 6H"}, true, false},
        {"the same with the queen to build on in the stock", 3, 9, "6S* 7S* 8S* 9S* 10S* JS* QS* KS* QH* KH*",
         {"10H* 5S", "4S* JH", ""}, true, false},
        {"a king over its own queen goes to an empty column", 11, 13, "", {"QS* KS", ""}, true, false},
        {"a five over a face-up four lifts with it", 3, 9, "10H* JH* QH* KH*",
         {"KS* QS* JS* 10S* 9S* 8S* 7S* 6S", "4S 5S"}, false, false},
    };
    for (const Case& c : cases) {
        Endgame t;
        t.Foundations(c.spades, c.hearts);
        t.Place("ST", DrawOneStock, c.stock);
        t.Place("W", Waste);
        for (std::size_t i = 0; i < c.columns.size(); ++i)
            t.Place("T" + std::to_string(i + 1), KlondikeColumn, c.columns[i]);
        const SolveAnswer answer = Solve(t);
        EXPECT_EQ(answer.Outcome, c.won ? SolveOutcome::Won : SolveOutcome::Lost) << c.what;
        EXPECT_EQ(answer.States == 1, c.cutShort) << c.what << ": " << answer.States << " positions";
        FullSearch full;
        EXPECT_EQ(full.Won(t), c.won) << c.what;
        EXPECT_FALSE(full.gaveUp) << c.what;
    }
}

TEST(SolverBuriedCards, AgreeWithThePlainSearchOnDeepColumns)
{
    // Random endgames with the columns mostly face down, where cards often
    // lie over their own ways out: the solver and the plain search agree,
    // and a fair share of the losses is proved at the first position.
    test::Agreement sample(100);
    int cutShort = 0;
    for (const unsigned seed : sample.Seeds()) {
        std::mt19937 random(seed + 3000);
        Endgame t;
        const std::vector<std::string> rest = test::PlaceFoundationsAtRandom(t, random);
        // A few cards in the stock, the rest face down in three columns
        // under one face-up card each.
        std::string stock;
        std::vector<std::string> columns(3);
        for (std::size_t i = 0; i < rest.size(); ++i) {
            if (i < 3) {
                stock += (stock.empty() ? "" : " ") + rest[i] + "*";
                continue;
            }
            std::string& column = columns[random() % 3];
            column += (column.empty() ? "" : " ") + rest[i] + "*";
        }
        t.Place("ST", DrawOneStock, stock);
        t.Place("W", Waste);
        for (std::size_t column = 0; column < 3; ++column) {
            std::string cards = columns[column];
            if (!cards.empty()) cards.pop_back();  // the top card lies face up
            t.Place("T" + std::to_string(column + 1), KlondikeColumn, cards);
        }
        sample.Compare(t, seed, [&](const SolveAnswer& answer) {
            if (answer.Outcome == SolveOutcome::Lost && answer.States == 1) ++cutShort;
        });
    }
    sample.ExpectMix(80, 10, 10);
    EXPECT_GE(cutShort, sample.AtLeast(5));
}

}  // namespace
}  // namespace vexa
