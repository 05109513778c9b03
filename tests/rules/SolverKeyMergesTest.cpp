// Hand-made endgames where keying two different positions alike loses a
// won hand. A key that merges too much never makes the solver claim a win
// it has not played, but a position dropped as "seen" is never expanded:
// where the only way on leads through it, a won hand is called lost. On
// random endgames this rarely shows, since a win is usually found before
// the wrong merge matters; these hands are built so that the position
// which wins is reached only after a losing one that a wrong key takes
// for it, one move apart.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "rules/Solver.h"
#include "support/FullSearch.h"

namespace vexa {
namespace {

using test::Endgame;
using test::PileSpec;
using test::Suit;

const PileSpec Reserve{1, 1, 0, 0, 402, 2};

// "KC QC ... AC": a suit from the king down, the ace on top.
std::string SuitDown(char suit)
{
    std::string cards;
    for (int rank = 13; rank >= 1; --rank) cards += (cards.empty() ? "" : " ") + Suit(suit, rank, rank);
    return cards;
}

struct Foundation {
    const char* name;
    PileSpec shape;
    std::string cards;
};

struct Hand {
    const char* what;
    std::string reserve;                  // the one pile off the foundations
    std::vector<Foundation> foundations;  // in table order, after the reserve
};

SolveAnswer Solve(Endgame& t, const Hand& hand)
{
    t.Place("R", Reserve, hand.reserve);
    for (const Foundation& f : hand.foundations) t.Place(f.name, f.shape, f.cards);
    SolverBudget budget;
    budget.MaxStates = 100000;
    return SolvePosition(t.session, budget);
}

// Foundations that give their top card back, one per suit (EmptyDropRule
// 218: an ace or a king whose suit no foundation starts with yet), two
// built up in suit (106, with the wrap from king to ace) and two down in
// suit (102). Spades lie ace at the bottom, king on top: they go down
// from the king, and a king put on a foundation built up waits for the
// ace under the whole suit. Clubs lie the other way and go up from the
// ace. Hearts and diamonds are home. The king of spades put on the wrong
// foundation can be lifted and put on the right one: a key that took the
// foundations built up for those built down would take the second for
// the first, and never play on from it. The clubs lie under the spades,
// so no other order of play reaches the won position.
const PileSpec Up{3, 1, 106, 218, 402, 2};
const PileSpec Down{3, 1, 102, 218, 402, 2};

// Foundations built either way from the base card (DropRule 123): one
// takes an ace or a king when empty (218), one an ace alone (217). The
// ace of spades must start the one that takes aces alone, since the king
// of clubs, under the spades, needs the other; put first where the king
// was to go, it can be lifted and moved, one move from the right position.
// Hearts and diamonds, home from the ace, cannot leave: no empty
// foundation takes their king, and their aces stay under them.
const PileSpec EitherBase{3, 1, 123, 218, 402, 2};
const PileSpec AceBase{3, 1, 123, 217, 402, 2};

TEST(SolverKeyMerges, FoundationsOfDifferentRulesAreNotTakenForOneAnother)
{
    const std::string clubsThenSpadesDown = Suit('C', 1, 13) + " " + SuitDown('S');
    const std::string clubsThenSpadesUp = SuitDown('C') + " " + Suit('S', 1, 13);
    const std::string hearts = Suit('H', 1, 13), diamonds = SuitDown('D'), diamondsUp = Suit('D', 1, 13);
    const std::vector<Hand> hands{
        {"built up before built down", clubsThenSpadesUp,
         {{"U1", Up, hearts}, {"U2", Up, ""}, {"D1", Down, ""}, {"D2", Down, diamonds}}},
        {"built down before built up", clubsThenSpadesUp,
         {{"D1", Down, diamonds}, {"D2", Down, ""}, {"U1", Up, ""}, {"U2", Up, hearts}}},
        {"ace or king before ace alone", clubsThenSpadesDown,
         {{"F1", AceBase, hearts}, {"F2", EitherBase, ""}, {"F3", AceBase, ""}, {"F4", AceBase, diamondsUp}}},
        {"ace alone before ace or king", clubsThenSpadesDown,
         {{"F1", AceBase, hearts}, {"F2", AceBase, ""}, {"F3", EitherBase, ""}, {"F4", AceBase, diamondsUp}}},
    };
    for (const Hand& hand : hands) {
        Endgame t;
        t.session.RedealsLeft = 0;
        const SolveAnswer answer = Solve(t, hand);
        EXPECT_EQ(answer.Outcome, SolveOutcome::Won) << hand.what;
        t.Play(answer.Moves);
        EXPECT_FALSE(t.ui.victories.empty()) << hand.what;
    }
}

// Two decks, foundations that give their top card back: the two copies of
// a face are keyed alike, but cards of different suits must not be. The
// eight of spades, on top of the reserve, must go on the nine of hearts or
// the nine of diamonds for the eight of hearts under it to go up; the
// hearts need their nine next, so it must go on the diamond (or be moved
// there: the columns build down in alternating colours and take nothing
// when empty). The two choices hold the same
// ranks in the same places, and the same colours: a key that read only
// those would keep whichever came first and drop the other, and on the
// table where the heart comes first the hand would be lost. The rest of
// the reserve goes home in order once the nine of hearts is up.
const PileSpec Column{2, 1, 103, 0, 401, 0, {0, 120, 71, 400}};
const PileSpec FromAce{3, 1, 106, 203, 402, 2};

// Cards of the second deck: 52 after the first deck's.
std::vector<int> SecondDeck(const std::string& names)
{
    std::vector<int> cards;
    for (std::size_t at = 0; at < names.size();) {
        const std::size_t end = std::min(names.find(' ', at), names.size());
        cards.push_back(test::CardIndex(names.substr(at, end - at)) + 52);
        at = end + 1;
    }
    return cards;
}

TEST(SolverKeyMerges, CopiesAreKeyedAlikeButNotCardsOfOtherSuits)
{
    for (const bool heartFirst : {true, false}) {
        Endgame t;
        Session& s = t.session;
        s.Settings.Decks = 2;
        s.RedealsLeft = 0;
        t.Place("R", Reserve, "KD QD JD 10D KS QS JS 10S 9S KH QH JH 8D 7S 10H 8H 8S");
        t.Place("C1", Column, heartFirst ? "9H" : "9D");
        t.Place("C2", Column, heartFirst ? "9D" : "9H");
        // The first deck's hearts and diamonds to the seven, its spades to
        // the six; every other suit complete.
        t.Place("F1", FromAce, Suit('H', 1, 7));
        t.Place("F2", FromAce, Suit('D', 1, 7));
        t.Place("F3", FromAce, Suit('S', 1, 6));
        t.Place("F4", FromAce, Suit('C', 1, 13));
        for (const char suit : {'H', 'D', 'S', 'C'}) {
            Pile& home = t.Place(std::string("G") + suit, FromAce);
            for (const int card : SecondDeck(Suit(suit, 1, 13))) s.Board.MoveCard(s.Board.CardAt(card), home);
            LayOutPile(home);
        }
        SolverBudget budget;
        budget.MaxStates = 100000;
        const SolveAnswer answer = SolvePosition(s, budget);
        ASSERT_EQ(answer.Outcome, SolveOutcome::Won) << (heartFirst ? "heart first" : "diamond first");
        t.Play(answer.Moves);
        EXPECT_FALSE(t.ui.victories.empty());
    }
}

}  // namespace
}  // namespace vexa
