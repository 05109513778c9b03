// Games whose rules read only ranks: the solver keys cards by rank and face
// alone. Checked against the plain search of every click on random
// endgames of a stock dealt once onto wastes that give cards only to
// foundations built regardless of suit (from the ace, or from fixed base
// cards by ones to fours), on hand-made endgames where cards of
// neighbouring ranks must not be taken for one another, and by the number
// of positions an exhaustive search needs with and without a rule that
// reads suits.
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

struct Shape {
    const char* what;
    // The foundations' rules and steps: foundation f holds, from the
    // bottom, the ranks step, 2 * step, 3 * step, ... (wrapping past the
    // king): by ones from the ace, by twos from the two, and so on.
    std::vector<PileSpec> foundations;
    std::vector<int> steps;
};

// A random endgame: each foundation holds its first 8 to 11 cards, of
// random suits; the cards left go partly to the stock, partly onto two
// wastes, beside which a third sometimes starts empty.
void DealEndgame(Endgame& t, const Shape& shape, std::mt19937& random)
{
    std::vector<int> unused(52);
    for (int card = 0; card < 52; ++card) unused[static_cast<std::size_t>(card)] = card;
    std::shuffle(unused.begin(), unused.end(), random);
    std::vector<std::vector<int>> foundations(shape.foundations.size());
    for (std::size_t f = 0; f < foundations.size(); ++f) {
        const int step = shape.steps[f];
        const int height = 8 + static_cast<int>(random() % 4);
        for (int i = 0; i < height; ++i) {
            const int rank = (step + step * i - 1) % 13;  // 0 for an ace
            const auto card =
                std::find_if(unused.begin(), unused.end(), [rank](int c) { return c % 13 == rank; });
            foundations[f].push_back(*card);
            unused.erase(card);
        }
    }
    const std::size_t inStock = 2 + random() % 4;
    std::vector<int> stock(unused.begin(), unused.begin() + static_cast<std::ptrdiff_t>(std::min(inStock, unused.size())));
    std::vector<std::vector<int>> wastes(random() % 2 ? 2 : 3);
    for (std::size_t i = stock.size(); i < unused.size(); ++i) wastes[random() % 2].push_back(unused[i]);
    t.session.RedealsLeft = 0;
    t.Place("ST", OnceStock, Names(stock));
    for (std::size_t w = 0; w < wastes.size(); ++w) t.Place("W" + std::to_string(w + 1), FedWaste, Names(wastes[w]));
    for (std::size_t f = 0; f < foundations.size(); ++f)
        t.Place("F" + std::to_string(f + 1), shape.foundations[f], Names(foundations[f]));
}

TEST(SolverRankOnlyKeys, AgreesOnRandomEndgamesOfWastesFedByTheStock)
{
    const std::vector<Shape> shapes{
        {"from the ace", {FromAce, FromAce, FromAce, FromAce}, {1, 1, 1, 1}},
        {"by ones to fours",
         {{3, 0, 101, 0, 404, 2}, {3, 0, 104, 0, 404, 2}, {3, 0, 105, 0, 404, 2}, {3, 0, 108, 0, 404, 2}},
         {1, 2, 3, 4}},
    };
    for (const Shape& shape : shapes) {
        test::Agreement sample(40);
        for (const unsigned seed : sample.Seeds()) {
            std::mt19937 random(seed + 5000);
            Endgame t;
            DealEndgame(t, shape, random);
            std::vector<SolverMove> line;
            sample.Compare(t, seed, [&line](const SolveAnswer& answer) { line = answer.Moves; });
            if (sample.compared == 0 || line.empty()) continue;
            // A line found through positions keyed by rank plays to a win.
            std::mt19937 again(seed + 5000);
            Endgame replay;
            DealEndgame(replay, shape, again);
            replay.Play(line);
            EXPECT_FALSE(replay.ui.victories.empty()) << shape.what << " seed " << seed;
        }
        sample.ExpectMix(35, 8, 8, shape.what);
    }
}

// Cards of neighbouring ranks are not alike. The stock deals two of them
// onto two wastes, a foundation built by twos wants the first long before
// the second, and the card under each waste lets only one of the two ways
// of dealing them win: a key that took the two ranks for one would take
// the lost position for the won one. Each table is played with its wastes
// in both orders, so that whichever the search tries first, one of the two
// meets the lost position before the won one.
TEST(SolverRankOnlyKeys, TellsNeighbouringRanksApart)
{
    struct Case {
        const char* what;
        const char* stock;  // bottom card first: the last one is dealt first
        const char* wastes[2];
        const char* byTwos;
    };
    const Case cases[] = {
        {"a ten and a jack", "8D AD 3D 5D 7D 9D JD 10D", {"KD", "QD"}, "2D 4D 6D"},
        {"a queen and a jack", "10D 3D 5D 7D 9D JD QD", {"KD", "AD"}, "2D 4D 6D 8D"},
    };
    for (const Case& c : cases) {
        for (const int first : {0, 1}) {
            const std::string what = std::string(c.what) + (first ? ", wastes swapped" : "");
            Endgame t;
            t.session.RedealsLeft = 0;
            t.Place("ST", OnceStock, c.stock);
            t.Place("W1", FedWaste, c.wastes[first]);
            t.Place("W2", FedWaste, c.wastes[1 - first]);
            t.Place("F1", {3, 0, 101, 0, 404, 2}, "AS 2S 3S 4S 5S 6S 7S 8S 9S 10S JS QS KS");
            t.Place("F2", {3, 0, 104, 0, 404, 2}, c.byTwos);
            t.Place("F3", {3, 0, 105, 0, 404, 2}, "3H 6H 9H QH 2H 5H 8H JH AH 4H 7H 10H KH");
            t.Place("F4", {3, 0, 108, 0, 404, 2}, "4C 8C QC 3C 7C JC 2C 6C 10C AC 5C 9C KC");
            const test::Placement start = test::Take(t.session);
            test::FullSearch full;
            ASSERT_TRUE(full.Won(t)) << what;
            test::PutBack(t.session, start);
            t.ui.victories.clear();
            SolverBudget budget;
            budget.MaxStates = 300000;
            const SolveAnswer answer = SolvePosition(t.session, budget);
            EXPECT_STREQ(OutcomeName(answer.Outcome), "won") << what;
            if (answer.Outcome != SolveOutcome::Won) continue;
            t.Play(answer.Moves);
            EXPECT_FALSE(t.ui.victories.empty()) << what;
        }
    }
}

// Where the suits count for nothing, positions that differ only in which
// card of a rank went where are one: proving a random endgame lost needs
// fewer positions than where one rule (of a pile that never takes a card)
// reads suits, never more, and the answers agree.
TEST(SolverRankOnlyKeys, KeysAlikeOnlyWhereNoRuleReadsSuits)
{
    const Shape fromAce{"from the ace", {FromAce, FromAce, FromAce, FromAce}, {1, 1, 1, 1}};
    std::int64_t byRank = 0, bySuit = 0;
    int lost = 0;
    for (unsigned seed = 1; seed <= 30; ++seed) {
        SolveAnswer answers[2];
        for (const bool suitRule : {false, true}) {
            std::mt19937 random(seed + 5000);
            Endgame t;
            DealEndgame(t, fromAce, random);
            if (suitRule) t.Place("X", PileSpec{2, 0, 102, 0, 401, 0, {0, 120, 71, 280}});
            SolverBudget budget;
            budget.MaxStates = 300000;
            answers[suitRule] = SolvePosition(t.session, budget);
        }
        EXPECT_EQ(answers[0].Outcome, answers[1].Outcome) << "seed " << seed;
        if (answers[0].Outcome != SolveOutcome::Lost || answers[1].Outcome != SolveOutcome::Lost) continue;
        ++lost;
        EXPECT_LE(answers[0].States, answers[1].States) << "seed " << seed;
        byRank += answers[0].States;
        bySuit += answers[1].States;
    }
    EXPECT_GE(lost, 5);
    EXPECT_LT(byRank * 2, bySuit);
}

}  // namespace
}  // namespace vexa
