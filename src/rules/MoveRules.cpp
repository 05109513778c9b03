#include "rules/MoveRules.h"

#include <cstdlib>

#include "core/Session.h"
#include "rules/Lifting.h"
#include "rules/RedealStatus.h"

namespace vexa {

namespace {

// Walks the cards above first; each must stand in relation follows to the
// card right below it.
template <typename Follows>
bool Run(const CardContainer& pile, int first, Follows follows)
{
    for (int i = first + 1; i < pile.Count(); ++i)
        if (!follows(*pile.CardAt(i), *pile.CardAt(i - 1))) return false;
    return true;
}

// The control just before the target in TableOrder, read as a pile; a
// control that is no pile (a game button) counts as a pile without cards.
const Pile* PrecedingPile(const Table& table, const Pile& target)
{
    return table.PileAt(table.PositionOf(&target) - 1);
}

bool HoldsCards(const Pile* pile) { return pile && pile->Count() > 0; }

bool HasKind(const Pile* pile, int kind) { return pile && pile->Kind == kind; }

// EmptyDropRule 204: the nearest earlier Kind-3 pile that holds cards.
const Pile* EarlierFilledFoundation(const Table& table, const Pile& target)
{
    for (int position = table.PositionOf(&target) - 1; position >= 0; --position) {
        const Pile* pile = table.PileAt(position);
        if (HasKind(pile, 3) && pile->Count() > 0) return pile;
    }
    return nullptr;
}

// EmptyDropRules 216 to 218: does any pile between the first and the last
// Kind-3 position have a bottom card that matches?
template <typename Matches>
bool FoundationBottomMatches(const Table& table, Matches matches)
{
    const KindSpan span = table.KindRange(3);
    if (span.first < 0) return false;
    for (int position = span.first; position <= span.last; ++position) {
        const Pile* pile = table.PileAt(position);
        if (HoldsCards(pile) && matches(*pile->CardAt(0))) return true;
    }
    return false;
}

}  // namespace

bool RunDownInSuit(const CardContainer& pile, int first)
{
    return Run(pile, first, [](const Card& c, const Card& below) { return SameSuit(c, below) && OneDown(c, below); });
}

bool RunDownAlternating(const CardContainer& pile, int first)
{
    return Run(pile, first,
               [](const Card& c, const Card& below) { return ColoursDiffer(c, below) && OneDown(c, below); });
}

bool RunDownAnySuit(const CardContainer& pile, int first)
{
    return Run(pile, first, [](const Card& c, const Card& below) { return OneDown(c, below); });
}

bool RunOfEqualRank(const CardContainer& pile, int first)
{
    return Run(pile, first, [](const Card& c, const Card& below) { return Rank(c) == Rank(below); });
}

bool RunDownInSuitWrappingOnce(const CardContainer& pile, int first)
{
    // The expected rank drops by one per card; a card may also stand twelve
    // above it, which lets the run pass from an Ace to a King once.
    const Card& base = *pile.CardAt(first);
    int expected = Rank(base);
    for (int i = first + 1; i < pile.Count(); ++i) {
        const Card& card = *pile.CardAt(i);
        if (!SameSuit(card, base)) return false;
        if (Rank(card) != expected - 1 && Rank(card) != expected + 12) return false;
        --expected;
    }
    return true;
}

bool CompleteSuit(const CardContainer& pile, int first)
{
    return pile.Count() - first == 13 && IsKing(*pile.CardAt(first)) && RunDownInSuit(pile, first);
}

const Pile* GoverningStock(const Table& table, const Pile& target)
{
    for (int position = table.PositionOf(&target); position >= 0; --position) {
        const Pile* pile = table.PileAt(position);
        if (HasKind(pile, 0)) return pile;
    }
    return nullptr;
}

bool DropRuleAccepts(const Session& session, const Pile& target, const MovedCards& moved)
{
    const Table& table = session.Board;
    const Card& M = moved.M();
    const Card& T = *target.Top();
    const bool single = moved.Single();
    const int count = target.Count();
    const Pile* origin = session.OriginPile;
    switch (target.DropRule) {
    case 101: return count < 13 && single && OneUp(M, T, true);
    case 102: return single && SameSuit(M, T) && OneDown(M, T);
    case 103: return single && ColoursDiffer(M, T) && OneDown(M, T);
    case 104: return count < 13 && single && (Rank(M) == Rank(T) + 2 || Rank(M) == Rank(T) - 11);
    case 105: return !IsKing(T) && single && (Rank(M) == Rank(T) + 3 || Rank(M) == Rank(T) - 10);
    case 106: return SameSuit(M, T) && OneUp(M, T, true) && single && count < 13;
    case 107: return SameSuit(M, T) && OneDown(M, T);
    case 108: return count < 13 && (Rank(M) == Rank(T) + 4 || Rank(M) == Rank(T) - 9) && single;
    case 109: return ColoursDiffer(M, T) && OneDown(M, T);
    case 110: {
        const Pile* stock = table.PileAt(table.KindRange(0).first);
        return single && SameSuit(M, T) && OneUp(M, T) && stock && stock->Count() == 0;
    }
    case 111: return CompleteSuit(moved.source, moved.first);
    case 112: return single && !IsKing(T) && (OneUp(M, T) || OneDown(M, T));
    case 113: return single && origin && GoverningStock(table, target) == origin;
    case 114: return OneDown(M, T);
    case 115: return single && count < 13 && OneUp(M, T, true);
    case 116:
        // No origin pile (autoplay) counts as a pile of no Kind.
        if (HasKind(origin, 0) && target.Kind == 1) return true;
        if (Rank(M) + Rank(T) != 13) return false;
        return target.Kind == 4 ? IsUncovered(session, target) : true;
    case 117: {
        const int gap = std::abs(Rank(M) - Rank(T));
        return single && (gap == 1 || gap == 12);
    }
    case 118: return Rank(M) + Rank(T) == 14;
    case 119: return ColoursDiffer(M, T) && OneDown(M, T, true) && !HasKind(origin, 5);
    case 120: return SameSuit(M, T);
    case 121: {
        if (!SameSuit(M, T)) return false;
        const Pile* before = PrecedingPile(table, target);
        if (!HoldsCards(before)) return false;
        for (const Card* card : before->Cards())
            if (Rank(*card) == Rank(M)) return true;
        return false;
    }
    case 122: return (OneDown(M, T) && SameSuit(M, T)) || Rank(M) == Rank(T);
    case 123: {
        const Card& base = *target.CardAt(0);
        return single && SameSuit(M, T) && ((OneUp(M, T) && IsAce(base)) || (OneDown(M, T) && IsKing(base)));
    }
    case 124: return count < target.CardLimit && single && std::abs(Rank(M) - Rank(T)) == 1;
    default: return false;
    }
}

bool EmptyDropRuleAccepts(const Session& session, const Pile& target, const MovedCards& moved)
{
    const Table& table = session.Board;
    const Card& M = moved.M();
    const bool single = moved.Single();
    const Pile* origin = session.OriginPile;
    switch (target.EmptyDropRule) {
    case 201: return single;
    case 202: return single && IsKing(M);
    case 203: return single && IsAce(M);
    case 204: {
        const Pile* foundation = EarlierFilledFoundation(table, target);
        return single && foundation && Rank(*foundation->CardAt(0)) == Rank(M);
    }
    case 205: return RunDownInSuit(moved.source, moved.first);
    case 206: return IsKing(M) && RunDownInSuit(moved.source, moved.first);
    case 207: return RunDownAlternating(moved.source, moved.first);
    case 208: return IsKing(M) && RunDownAlternating(moved.source, moved.first);
    case 209: return IsKing(M);
    case 210: return true;
    case 211: return CompleteSuit(moved.source, moved.first);
    case 212: {
        const Pile* before = PrecedingPile(table, target);
        return single && HoldsCards(before) && SameSuit(*before->CardAt(0), M) && Rank(*before->CardAt(0)) < Rank(M);
    }
    case 213: {
        if (!single || !origin) return false;
        return GoverningStock(table, target) == origin || table.PositionOf(&target) == table.PositionOf(origin) + 1;
    }
    // No origin pile (autoplay) counts as a pile of no Kind: refused.
    case 214: return HasKind(origin, 0) || HasKind(origin, 1);
    case 215: {
        const Pile* before = PrecedingPile(table, target);
        return HoldsCards(before) && Rank(*before->CardAt(0)) == Rank(M);
    }
    case 216:
        return single && IsKing(M) &&
               !FoundationBottomMatches(table, [&](const Card& c) { return c.Face.Deckvalue() == M.Face.Deckvalue(); });
    case 217:
        return single && IsAce(M) &&
               !FoundationBottomMatches(table, [&](const Card& c) { return c.Face.Deckvalue() == M.Face.Deckvalue(); });
    case 218:
        return single && (IsAce(M) || IsKing(M)) &&
               !FoundationBottomMatches(table, [&](const Card& c) { return SameSuit(c, M); });
    default: return false;
    }
}

bool CanDrop(Session& session, Pile& target, const CardContainer& source, int first)
{
    if (&target == session.OriginPile) {
        if (target.Kind == 0) RefreshStockHints(session);
        return true;
    }
    // Nothing to move, or a position outside the source: nothing to decide on.
    if (first < 0 || first >= source.Count()) return false;
    const MovedCards moved{source, first};
    const bool accepts =
        target.Count() > 0 ? DropRuleAccepts(session, target, moved) : EmptyDropRuleAccepts(session, target, moved);
    if (accepts) session.HandPlayed = true;
    return accepts;
}

}  // namespace vexa
