// Move legality: which cards may go onto which pile. CanDrop answers for a
// target pile and the cards of a source pile from a given position up; the
// pile's DropRule decides while it holds cards, its EmptyDropRule while it
// is empty. The shared rank arithmetic and run tests are small named
// functions, also used by the PickRule codes.
#pragma once

#include <vector>

#include "table/Table.h"

namespace vexa {

struct Session;

// Rank arithmetic and colour between two cards.
inline int Rank(const Card& card) { return card.Face.Value(); }
inline bool SameSuit(const Card& a, const Card& b) { return a.Face.Suit() == b.Face.Suit(); }
inline bool ColoursDiffer(const Card& a, const Card& b) { return a.Face.Colour() != b.Face.Colour(); }
inline bool IsKing(const Card& card) { return Rank(card) == 13; }
inline bool IsAce(const Card& card) { return Rank(card) == 1; }
inline bool FaceUp(const Card& card) { return card.Face.State() == ctFront; }
// m is one rank above t, King to Ace wrapping when wrap is set.
inline bool OneUp(const Card& m, const Card& t, bool wrap = false)
{
    return Rank(m) == Rank(t) + 1 || (wrap && IsKing(t) && IsAce(m));
}
// m is one rank below t, Ace to King wrapping when wrap is set.
inline bool OneDown(const Card& m, const Card& t, bool wrap = false)
{
    return Rank(m) == Rank(t) - 1 || (wrap && IsAce(t) && IsKing(m));
}

// Run tests over the cards of a pile from position first to its top; each
// card above the first must follow the one below it. A single card passes.
bool RunDownInSuit(const CardContainer& pile, int first);
bool RunDownAlternating(const CardContainer& pile, int first);
bool RunDownAnySuit(const CardContainer& pile, int first);
bool RunOfEqualRank(const CardContainer& pile, int first);
// Down in suit where the run may pass once from an Ace to a King.
bool RunDownInSuitWrappingOnce(const CardContainer& pile, int first);
// Thirteen cards, King down to Ace in one suit.
bool CompleteSuit(const CardContainer& pile, int first);

// The cards offered to a target: the source's cards from first to its top.
struct MovedCards {
    const CardContainer& source;
    int first;
    const Card& M() const { return *source.CardAt(first); }  // the lowest moved card
    int n() const { return source.Count() - first; }
    bool Single() const { return n() == 1; }
};

// The answer of a DropRule (target holds cards) or EmptyDropRule (target is
// empty) code; a code not listed refuses. Reads OriginPile but changes
// nothing.
bool DropRuleAccepts(const Session& session, const Pile& target, const MovedCards& moved);
bool EmptyDropRuleAccepts(const Session& session, const Pile& target, const MovedCards& moved);

// The Kind-0 pile that governs a target (rules 113 and 213): from the
// target's own position back to the first Kind-0 control; null when none.
const Pile* GoverningStock(const Table& table, const Pile& target);

// May the cards of source from position first go onto target? The pile
// they came from (OriginPile) always takes them back; that answer refreshes
// the stock hints when the origin is a stock. Any other accepting answer
// sets HandPlayed. Moves no card.
bool CanDrop(Session& session, Pile& target, const CardContainer& source, int first);

}  // namespace vexa
