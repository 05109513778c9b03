// Foundations that only grow in what they allow (each builds in its suit,
// the later ones only on ranks the one before holds): a reserve card that
// can go to one foundation alone is played there as the only move. Checked
// against the plain search of every click on random endgames of that
// shape, with reserves holding face-down cards and a talon turned three
// cards at a time without end, and on hand-made endgames where the card
// that starts an empty foundation must be chosen.
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

using test::CardName;

// Foundation f holds the ranks ranks[f] of suit f, the base rank at the
// bottom; each later foundation's ranks are among the earlier one's. The
// other cards go face down into the stock (two in five) and onto three
// reserves, where
// only the bottom card of two or more lies face down.
void DealEndgame(Endgame& t, std::mt19937& random)
{
    const PileSpec ThreeAtATime{0, 91, 0, 0, 402, 2, {0, 0, 71, 96}, 301};
    const PileSpec Waste{1, 1, 0, 0, 403, 0, {0, 0, 71, 130}};
    PileSpec reserve{2, 1, 0, 0, 402, 2, {0, 120, 71, 96}};
    reserve.pattern = "U";
    const PileSpec First{3, 0, 120, 0, 401, 0, {0, 240, 260, 96}};
    const PileSpec Later{3, 0, 121, 215, 401, 0, {0, 240, 260, 96}};
    const int base = static_cast<int>(random() % 13);
    std::vector<std::vector<int>> ranks(4);
    for (int f = 0; f < 4; ++f) {
        ranks[static_cast<std::size_t>(f)].push_back(base);
        for (int r = 0; r < 13; ++r)
            if (r != base && (f == 0 || std::count(ranks[static_cast<std::size_t>(f) - 1].begin(),
                                                   ranks[static_cast<std::size_t>(f) - 1].end(), r) > 0) &&
                random() % 10 < 9)
                ranks[static_cast<std::size_t>(f)].push_back(r);
    }
    std::vector<int> rest;
    std::vector<std::string> foundations(4);
    for (int card = 0; card < 52; ++card) {
        const auto& mine = ranks[static_cast<std::size_t>(card / 13)];
        if (std::find(mine.begin(), mine.end(), card % 13) == mine.end()) rest.push_back(card);
    }
    for (int f = 0; f < 4; ++f)
        for (const int r : ranks[static_cast<std::size_t>(f)])
            foundations[static_cast<std::size_t>(f)] += (foundations[static_cast<std::size_t>(f)].empty() ? "" : " ") + CardName(f * 13 + r);
    std::shuffle(rest.begin(), rest.end(), random);
    std::vector<std::vector<int>> piles(4);  // the stock, then three reserves
    for (const int card : rest) piles[std::max(0, static_cast<int>(random() % 5) - 1)].push_back(card);
    auto names = [](const std::vector<int>& cards, bool topUp) {
        std::string text;
        for (std::size_t i = 0; i < cards.size(); ++i)
            text += (text.empty() ? "" : " ") + CardName(cards[i], !topUp || (i == 0 && cards.size() > 1));
        return text;
    };
    t.Place("R1", reserve, names(piles[1], true));
    t.Place("R2", reserve, names(piles[2], true));
    t.Place("R3", reserve, names(piles[3], true));
    t.Place("F1", First, foundations[0]);
    t.Place("F2", Later, foundations[1]);
    t.Place("F3", Later, foundations[2]);
    t.Place("F4", Later, foundations[3]);
    t.Place("ST", ThreeAtATime, names(piles[0], false));
    t.Place("WA", Waste);
}

TEST(SolverGrowingFoundations, AgreesOnRandomEndgames)
{
    test::Agreement sample(60);
    for (const unsigned seed : sample.Seeds()) {
        std::mt19937 random(seed + 6000);
        Endgame t;
        DealEndgame(t, random);
        sample.Compare(t, seed);
    }
    sample.ExpectMix(50, 10, 10);
}

// An empty foundation takes any card of the rank its neighbour starts with,
// so the player chooses which suit it builds in, and the choice can lose:
// the third foundation then takes only ranks the second holds. Here the
// nine that must go up first lies on the nine of the other suit, so only
// one of the two fives may start the second foundation; the other five
// lies on top of the first reserve, where a saving that sent it to the
// empty foundation at once would find it first. Both suits are tried in
// the losing place, so that the order the reserves are looked at in does
// not matter.
TEST(SolverGrowingFoundations, LeavesTheChoiceOfAnEmptyFoundationsFirstCard)
{
    struct Case {
        const char* what;
        const char* reserves[3];
    };
    const Case cases[] = {
        {"clubs first", {"9H 9C 5H", "2C 3C 4C 6C 7C 8C 10C JC QC KC AC 5C", "2H 3H 4H 6H 7H 8H 10H JH QH KH AH"}},
        {"hearts first", {"9C 9H 5C", "2H 3H 4H 6H 7H 8H 10H JH QH KH AH 5H", "2C 3C 4C 6C 7C 8C 10C JC QC KC AC"}},
    };
    for (const Case& c : cases) {
        Endgame t;
        const PileSpec reserve{2, 1, 0, 0, 401, 0, {0, 120, 71, 280}};
        for (int r = 0; r < 3; ++r) t.Place("R" + std::to_string(r + 1), reserve, c.reserves[r]);
        const PileSpec first{3, 0, 120, 0, 401, 0, {0, 240, 260, 96}};
        const PileSpec later{3, 0, 121, 215, 401, 0, {0, 240, 260, 96}};
        t.Place("F1", first, "5S 6S 7S 8S 9S 10S JS QS KS AS 2S 3S 4S");
        t.Place("F2", later);
        t.Place("F3", later);
        t.Place("F4", later, "5D 6D 7D 8D 9D 10D JD QD KD AD 2D 3D 4D");
        const test::Placement start = test::Take(t.session);
        test::FullSearch full;
        ASSERT_TRUE(full.Won(t)) << c.what;
        test::PutBack(t.session, start);
        t.ui.victories.clear();
        SolverBudget budget;
        budget.MaxStates = 300000;
        const SolveAnswer answer = SolvePosition(t.session, budget);
        EXPECT_STREQ(OutcomeName(answer.Outcome), "won") << c.what;
        if (answer.Outcome != SolveOutcome::Won) continue;
        t.Play(answer.Moves);
        EXPECT_FALSE(t.ui.victories.empty()) << c.what;
    }
}

}  // namespace
}  // namespace vexa
