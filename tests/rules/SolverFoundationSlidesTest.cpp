// Two foundations of a suit that meet, one built up from the ace and one
// down from the king, pass their top cards between them: the solver slides
// them only towards a card of the suit that a pile offers. On hand-made
// hands the card on top of the reserve is three ranks from either end, so
// the win needs three slides in a row; the random comparisons with the
// plain search are in SolverTwoWayFoundationsTest.cpp.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "rules/Solver.h"
#include "support/FullSearch.h"

namespace vexa {
namespace {

using test::AceFoundation;
using test::Endgame;
using test::KingFoundation;
using test::PileSpec;

const PileSpec Reserve{1, 1, 0, 0, 402, 2};

void Put(Endgame& t, Pile& pile, const std::vector<int>& cards)
{
    for (const int index : cards) t.session.Board.MoveCard(t.session.Board.CardAt(index), pile);
    LayOutPile(pile);
}

// Every suit but spades home; the spades' ace foundation holds the first
// deck's ace to six, their king foundation the second deck's king to
// seven; the reserve holds the rest, bottom first, as ranks of the deck
// they are left of.
void Deal(Endgame& t, const std::vector<int>& reserveRanks)
{
    t.session.Settings.Decks = 2;
    t.session.RedealsLeft = 0;
    std::vector<int> reserve;
    for (const int rank : reserveRanks) reserve.push_back(test::CardOf(0, rank, rank >= 7 ? 0 : 1));
    Put(t, t.Place("R", Reserve), reserve);
    for (int suit = 0; suit < 4; ++suit) {
        std::vector<int> up, down;
        for (int rank = 1; rank <= (suit == 0 ? 6 : 13); ++rank) up.push_back(test::CardOf(suit, rank, 0));
        for (int rank = 13; rank >= (suit == 0 ? 7 : 1); --rank) down.push_back(test::CardOf(suit, rank, 1));
        Put(t, t.Place("A" + std::to_string(suit + 1), AceFoundation), up);
        Put(t, t.Place("K" + std::to_string(suit + 1), KingFoundation), down);
    }
}

TEST(SolverFoundationSlides, SlidesAsFarAsTheCardOnOfferNeeds)
{
    struct Hand {
        const char* what;
        std::vector<int> reserve;  // ranks, bottom first
    };
    const std::vector<Hand> hands{
        // The three goes down after the six, five and four slide down; then
        // the two and the ace down, the four to the king up.
        {"three slides down", {13, 12, 11, 10, 9, 8, 7, 6, 5, 4, 1, 2, 3}},
        // The ten goes up after the seven, eight and nine slide up; then
        // the jack to the king up, the nine to the ace down.
        {"three slides up", {1, 2, 3, 4, 5, 6, 7, 8, 9, 13, 12, 11, 10}},
    };
    for (const Hand& hand : hands) {
        Endgame t;
        Deal(t, hand.reserve);
        SolverBudget budget;
        budget.MaxStates = 20000;
        const SolveAnswer answer = SolvePosition(t.session, budget);
        ASSERT_EQ(answer.Outcome, SolveOutcome::Won) << hand.what;
        t.Play(answer.Moves);
        EXPECT_FALSE(t.ui.victories.empty()) << hand.what;
    }
}

}  // namespace
}  // namespace vexa
