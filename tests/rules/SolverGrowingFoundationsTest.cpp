// Foundations that only grow in what they allow (each builds in its suit,
// the later ones only on ranks the one before holds): a reserve card that
// can go to one foundation alone is played there as the only move. Checked
// against the plain search of every click on random endgames of that
// shape, with reserves holding face-down cards and a talon turned three
// cards at a time without end.
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

std::string CardName(int card, bool down = false)
{
    static const char* const Ranks[] = {"A", "2", "3", "4", "5", "6", "7", "8", "9", "10", "J", "Q", "K"};
    return std::string(Ranks[card % 13]) + test::Suits[card / 13] + (down ? "*" : "");
}

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

}  // namespace
}  // namespace vexa
