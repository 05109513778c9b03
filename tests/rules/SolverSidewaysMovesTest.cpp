// Sideways moves: which runs lifted off a tableau pile leave behind a card
// one rank higher that can join no run of its suit, with Spider's columns.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "rules/SolverSearch.h"
#include "support/SolverTable.h"

namespace vexa {
namespace {

using test::PileSpec;
using test::SolverTable;

const PileSpec RunColumn{2, 4, 114, 205, 401, 0, {0, 120, 71, 400}};

TEST(SolverSidewaysMoves, LeavesCardStuckOnlyWhereTheCardLeftCanJoinNoRun)
{
    // The run lifted starts with the Seven of spades; origin holds what it
    // leaves behind, the other columns what else is on the table.
    struct Case {
        const char* name;
        std::string origin;
        std::vector<std::string> others;
        bool stuck;
    };
    const std::vector<Case> cases{
        {"in order on a card that joins nothing", "9C 8D", {"5H", "KC QD"}, true},
        {"the card left goes onto its suit one rank higher", "9C 8D", {"5H", "9D"}, false},
        {"its suit one rank higher, but covered", "9C 8D", {"9D 4H"}, true},
        {"the card left takes a run of its suit", "9C 8D", {"KS 7D 6D"}, false},
        {"that run's card lies under a break", "9C 8D", {"7D 5C"}, true},
        {"that card lies face down", "9C 8D", {"7D* 5C"}, true},
        {"the run leaves a card face down", "9C 8D*", {}, false},
        {"the run lay on a break", "9C 10D", {"9D"}, false},
        {"the run leaves the column empty", "", {}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SolverTable t;
        t.session.Settings.Decks = 2;
        Pile& origin = t.Place("T1", RunColumn, c.origin);
        std::vector<Pile*> piles{&origin};
        for (std::size_t i = 0; i < c.others.size(); ++i)
            piles.push_back(&t.Place("T" + std::to_string(i + 2), RunColumn, c.others[i]));
        std::vector<solving::RunCard> runs;
        solving::FindRunCards(piles, runs);
        EXPECT_EQ(solving::LeavesCardStuck(origin, t.CardNamed("7S").Face, runs), c.stuck);
    }
}

}  // namespace
}  // namespace vexa
