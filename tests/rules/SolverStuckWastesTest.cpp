// Wastes fed by the stock whose cards go only to foundations built up by one
// from the ace regardless of suit: a position where some card can never go
// up is lost at once. Checked against the plain search of every click on
// random endgames, and on tables where only the bound can prove the loss
// within a few positions.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "rules/Solver.h"
#include "support/FullSearch.h"

namespace vexa {
namespace {

using test::Endgame;
using test::PileSpec;
using test::FedWaste;
using test::FromAce;
using test::OnceStock;
using test::CardName;
using test::Names;

// A random endgame: four foundations from the ace to heights of 6 to 12,
// of random suits; of the cards left, two to five in the stock and the
// rest on three wastes, so that cards often lie above lower ones.
void DealEndgame(Endgame& t, std::mt19937& random)
{
    std::vector<int> unused(52);
    for (int card = 0; card < 52; ++card) unused[static_cast<std::size_t>(card)] = card;
    std::shuffle(unused.begin(), unused.end(), random);
    std::vector<std::vector<int>> foundations(4);
    int left = 11 + static_cast<int>(random() % 5);
    std::vector<int> heights{13, 13, 13, 13};
    while (left > 0) {
        const auto f = static_cast<std::size_t>(random() % 4);
        if (heights[f] > 6) {
            --heights[f];
            --left;
        }
    }
    for (std::size_t f = 0; f < 4; ++f)
        for (int rank = 0; rank < heights[f]; ++rank) {
            const auto card = std::find_if(unused.begin(), unused.end(), [rank](int c) { return c % 13 == rank; });
            foundations[f].push_back(*card);
            unused.erase(card);
        }
    const std::size_t inStock = 2 + random() % 4;
    const std::vector<int> stock(unused.begin(), unused.begin() + static_cast<std::ptrdiff_t>(inStock));
    std::vector<std::vector<int>> wastes(3);
    for (std::size_t i = inStock; i < unused.size(); ++i) wastes[random() % 3].push_back(unused[i]);
    t.session.RedealsLeft = 0;
    // Each waste follows a foundation, so that an empty one (EmptyDropRule
    // 213) takes nothing from another waste.
    t.Place("ST", OnceStock, Names(stock));
    for (std::size_t f = 0; f < 4; ++f) {
        if (f < wastes.size()) t.Place("W" + std::to_string(f + 1), FedWaste, Names(wastes[f]));
        t.Place("F" + std::to_string(f + 1), FromAce, Names(foundations[f]));
    }
}

TEST(SolverStuckWastes, AgreesWithThePlainSearchOnRandomEndgames)
{
    test::Agreement sample(40);
    for (const unsigned seed : sample.Seeds()) {
        std::mt19937 random(seed + 7100);
        Endgame t;
        DealEndgame(t, random);
        sample.CompareReplaying(t, seed, "stuck wastes");
    }
    sample.ExpectMix(35, 8, 8, "stuck wastes");
}

// The last five lies under the last six: the six needs a foundation at
// five, and the three that reached five have gone on to six. The cards
// above six lie in the stock, so without the bound a proof would try every
// placement of them on the wastes. Where a rule lets the six go elsewhere,
// or the five lies on top, the hand is won.
TEST(SolverStuckWastes, ProvesALossWhereTheCardAboveNeedsTheCardBelow)
{
    struct Case {
        const char* what;
        std::string waste;   // bottom first
        bool spare;          // an empty pile that takes any card
        SolveOutcome outcome;
    };
    const std::vector<Case> cases{
        {"six on the last five", "5S 6S", false, SolveOutcome::Lost},
        {"five on the six", "6S 5S", false, SolveOutcome::Won},
        {"six on the last five, beside a free pile", "5S 6S", true, SolveOutcome::Won},
    };
    for (const Case& c : cases) {
        Endgame t;
        t.session.RedealsLeft = 0;
        // The stock deals the sevens first, then the eights, up to the kings.
        std::string stock;
        for (int rank = 13; rank >= 7; --rank)
            for (const char suit : {'S', 'H', 'C', 'D'})
                stock += (stock.empty() ? "" : " ") + test::Suit(suit, rank, rank);
        t.Place("ST", OnceStock, stock);
        t.Place("W1", FedWaste, c.waste);
        t.Place("F1", FromAce, test::Suit('S', 1, 4));
        t.Place("W2", FedWaste);
        t.Place("F2", FromAce, test::Suit('H', 1, 6));
        t.Place("W3", FedWaste);
        t.Place("F3", FromAce, test::Suit('C', 1, 6));
        t.Place("F4", FromAce, test::Suit('D', 1, 6));
        if (c.spare) t.Place("X", PileSpec{2, 1, 0, 201, 401, 0, {0, 120, 71, 280}});
        SolverBudget budget;
        budget.MaxStates = 2000;
        const SolveAnswer answer = SolvePosition(t.session, budget);
        EXPECT_EQ(answer.Outcome, c.outcome) << c.what << ": " << answer.States << " positions";
    }
}

}  // namespace
}  // namespace vexa
