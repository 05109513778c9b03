// Safe foundation moves. A card that no card still off the foundations can
// be built on, and that only one foundation takes, can go there first in a
// winning line if there is one: nothing could use it elsewhere. Worked out
// from rule tables taken by offering every card to every rule, and only for
// rules that decide a drop by the two cards, so the tables hold for every
// position.
#include "rules/SolverSearch.h"

#include <algorithm>

#include "rules/ClickDispatch.h"
#include "rules/MoveRules.h"

namespace vexa {

using namespace solving;

bool Solver::Search::RulesReadOtherPiles(bool oneGoverningStock, bool foundationWalks) const
{
    if (!buttons_.empty() || s_.Settings.Scoring >= 4 || s_.Settings.Postdrop == 30) return true;
    for (const Pile* pile : piles_) {
        if (pile->PickRule == 8) return true;
        switch (pile->DropRule) {
        case 113:
            if (oneGoverningStock && OneStockGovernsAll()) break;
            return true;
        case 116:
        case 121: return true;
        default: break;
        }
        switch (pile->EmptyDropRule) {
        case 204:
        case 216:
        case 217:
        case 218:
            if (foundationWalks && WalksReadOnlyFoundations()) break;
            return true;
        case 212:
        case 213:
        case 215: return true;
        default: break;
        }
    }
    return false;
}

std::vector<Solver::Search::CardSet> Solver::Search::TakenOn(Pile& pile, const std::vector<int>& cards)
{
    // The pile holds each card alone in turn; each other card is carried
    // alone and offered to it. The caller puts the table back.
    Table& board = s_.Board;
    Pile& drag = board.DragPile();
    std::vector<CardSet> taken(128);
    touched_ = true;
    s_.OriginPile = nullptr;
    while (pile.Count() > 0) board.MoveCard(*pile.Top(), board.Store());
    for (const int c : cards) {
        board.MoveCard(board.CardAt(c), pile);
        for (const int m : cards) {
            if (m == c) continue;
            Card& moved = board.CardAt(m);
            board.MoveCard(moved, drag);
            if (CanDrop(s_, pile, drag, 0)) taken[static_cast<std::size_t>(c)].set(static_cast<std::size_t>(m));
            board.MoveCard(moved, board.Store());
        }
        board.MoveCard(board.CardAt(c), board.Store());
    }
    return taken;
}

void Solver::Search::FindSafeMoves()
{
    safeSource_.assign(piles_.size(), 0);
    if (!usable_ || keepsGenerator_ || RulesReadOtherPiles() || s_.Settings.Postdrop != 0 || s_.Settings.Prepick != 0 ||
        s_.Settings.Postpick != 0)
        return;
    int stocks = 0, wastes = 0, foundations = 0;
    bool dealsRows = false;
    bool drawOne = true;
    for (const Pile* pile : piles_) {
        // The rule reads more than the two cards.
        if (pile->DropRule != 0 && !IsOneOf(pile->DropRule, TwoCardDropRules)) return;
        if (pile->Kind == 3 && pile->PickRule != 0) return;  // foundations give cards back
        if (pile->Kind == 3) ++foundations;
        if (pile->Kind == 1) ++wastes;
        // Deals onto other piles put cards on a card without its rule; a
        // row dealt onto the tableau is allowed below.
        if (pile->PickRule == 94 || pile->PickRule == 95) return;
        if (pile->PickRule == 92) dealsRows = true;
        if ((pile->PickRule >= 90 && pile->PickRule <= 95) || pile->ClickAction != 0) {
            ++stocks;
            // One card at a time onto the one waste, turned back by 301 or
            // never (a stock dealt once): either way the waste's cards come
            // up in the stock's order, whatever was taken off it.
            if (pile->PickRule != 90 || (pile->ClickAction != 301 && pile->ClickAction != 0)) drawOne = false;
        }
    }
    if (foundations == 0) return;
    // A card taken off a talon that deals more than one card at a time, or
    // into several wastes, changes which cards come to the top after it.
    const bool fromTalon = stocks == 0 || (stocks == 1 && drawOne && wastes == 1);
    oneCardTalon_ = stocks == 1 && drawOne && wastes == 1;
    for (std::size_t p = 0; p < piles_.size(); ++p) {
        const Pile& pile = *piles_[p];
        const bool talon = pile.Kind == 0 || pile.Kind == 1;
        // These PickRules lift a face-up top card alone.
        const bool liftsTop = pile.PickRule >= 1 && pile.PickRule <= 9 && pile.PickRule != 8;
        safeSource_[p] = pile.Kind != 3 && liftsTop && (!talon || fromTalon);
    }
    // The rule tables, taken on the scratch table, which is then put back.
    const State start = Captured();
    const std::vector<int> cards = CardsOnTable();
    buildsOn_.assign(128, CardSet{});
    std::vector<int> done;
    for (Pile* pile : piles_) {
        if (pile->DropRule == 0) continue;
        const bool known =
            std::find(done.begin(), done.end(), pile->DropRule * (pile->Kind == 3 ? -1 : 1)) != done.end();
        if (known) continue;
        done.push_back(pile->DropRule * (pile->Kind == 3 ? -1 : 1));
        std::vector<CardSet> taken = TakenOn(*pile, cards);
        Restore(start.data(), start.size());
        if (pile->Kind == 3) {
            foundationTakes_.emplace_back(pile->DropRule, std::move(taken));
            // What the foundation takes while empty.
            Pile& drag = s_.Board.DragPile();
            CardSet starts;
            touched_ = true;
            while (pile->Count() > 0) s_.Board.MoveCard(*pile->Top(), s_.Board.Store());
            for (const int m : cards) {
                Card& moved = s_.Board.CardAt(m);
                s_.Board.MoveCard(moved, drag);
                if (CanDrop(s_, *pile, drag, 0)) starts.set(static_cast<std::size_t>(m));
                s_.Board.MoveCard(moved, s_.Board.Store());
            }
            Restore(start.data(), start.size());
            foundationStarts_.emplace_back(pile->EmptyDropRule, starts);
        } else {
            for (std::size_t c = 0; c < taken.size(); ++c) buildsOn_[c] |= taken[c];
        }
    }
    if (dealsRows && !RowDealsKeepSafeMovesSafe()) return;
    // An ace goes to the first empty foundation that takes it; autoplay,
    // which picks the first foundation that takes a card, must then be a
    // shortcut through single moves.
    firstFoundationWlog_ = !s_.Menu.Autoplay;
    if (!firstFoundationWlog_) {
        firstFoundationWlog_ = true;
        for (const Pile* pile : piles_)
            if ((pile->Kind == 1 || pile->Kind == 2 || pile->Kind == 4) &&
                (pile->PickRule < 1 || pile->PickRule > 9 || pile->PickRule == 8))
                firstFoundationWlog_ = false;
    }
    safeMoves_ = true;
    FindTwinFoundations();
}

bool solving::LiftsTogether(int pickRule, const CardFace& below, const CardFace& above)
{
    const bool down = above.Value() + 1 == below.Value();
    switch (pickRule) {
    case 3: return down && above.Colour() != below.Colour();
    case 4: return down && above.Suit() == below.Suit();
    case 5: return down;
    case 6: return above.Suit() == below.Suit() && (down || (below.Value() == 1 && above.Value() == 13));
    case 9: return above.Value() == below.Value() || (down && above.Suit() == below.Suit());
    default: return false;
    }
}

bool Solver::Search::RowDealsKeepSafeMovesSafe() const
{
    // A row dealt from the stock lays a card D on each tableau pile, so on
    // a safe card X too, had it stayed. A winning line that left X there is
    // then replayed with X on its foundation and D on the card that lay
    // under X: every move stays legal as long as X can never be lifted
    // together with a card dealt onto it, so that X never moves in that
    // line but to its foundation, once D has left it. That holds when each
    // tableau pile lifts its top card alone (PickRule 1) or nothing (0), or
    // a run whose pairs its piles would also build (then D on X in a run
    // would be a card built on X, which rules X out as safe). Lifting every
    // card above (2) or a card from under others (7, 8) does not keep it.
    for (const Pile* pile : piles_) {
        if (pile->Kind != 2) continue;
        const int pick = pile->PickRule;
        if (pick == 0 || pick == 1) continue;
        if (pick != 3 && pick != 4 && pick != 5 && pick != 6 && pick != 9) return false;
        for (const Pile* from : piles_)
            for (const Card* below : from->Cards())
                for (const Pile* other : piles_)
                    for (const Card* above : other->Cards())
                        if (below != above && LiftsTogether(pick, below->Face, above->Face) &&
                            !buildsOn_[static_cast<std::size_t>(below->Index())].test(
                                static_cast<std::size_t>(above->Index())))
                            return false;
    }
    return true;
}

bool Solver::Search::CanGoOnACard(const Pile& foundation, std::size_t card) const
{
    const auto taken = std::find_if(foundationTakes_.begin(), foundationTakes_.end(),
                                    [&](const auto& entry) { return entry.first == foundation.DropRule; });
    const auto starts = std::find_if(foundationStarts_.begin(), foundationStarts_.end(),
                                     [&](const auto& entry) { return entry.first == foundation.EmptyDropRule; });
    if (taken == foundationTakes_.end() || starts == foundationStarts_.end()) return true;
    // The cards that could come to the top of the foundation before this
    // one: what it takes while empty, and what it takes on those, and so on.
    CardSet reach = starts->second;
    reach.reset(card);
    CardSet frontier = reach;
    while (frontier.any()) {
        CardSet next;
        for (std::size_t t = 0; t < frontier.size(); ++t)
            if (frontier.test(t)) next |= taken->second[t];
        next.reset(card);
        next &= ~reach;
        reach |= next;
        frontier = next;
    }
    for (std::size_t t = 0; t < reach.size(); ++t)
        if (reach.test(t) && taken->second[t].test(card)) return true;
    return false;
}

bool Solver::Search::PlaySafeMove()
{
    CardSet off;  // the cards not on a foundation
    std::vector<Pile*> foundations;
    for (Pile* pile : piles_) {
        if (pile->Kind == 3) {
            foundations.push_back(pile);
            continue;
        }
        for (const Card* card : pile->Cards()) off.set(static_cast<std::size_t>(card->Index()));
    }
    for (std::size_t p = 0; p < piles_.size(); ++p) {
        if (!safeSource_[p] || piles_[p]->Count() == 0) continue;
        Card& card = *piles_[p]->Top();
        const auto c = static_cast<std::size_t>(card.Index());
        if (!FaceUp(card) || (buildsOn_[c] & off).any() || !CanClickCard(s_, card)) continue;
        // No foundation that could take it: nothing to lift it for.
        if (std::none_of(foundations.begin(), foundations.end(),
                         [&](const Pile* foundation) { return MayTake(*foundation, card.Index()); }))
            continue;
        touched_ = true;
        DispatchClick(s_, &card);
        Pile& drag = s_.Board.DragPile();
        if (!s_.Carrying || drag.Count() != 1) {
            RestoreParent();
            continue;
        }
        Pile* only = nullptr;
        Pile* first = nullptr;
        int taking = 0;
        // Whether only empty foundations take it, and all empty ones are alike.
        bool emptyAlike = true;
        const Pile* empty = nullptr;
        for (Pile* foundation : foundations) {
            if (foundation->Count() == 0) {
                if (!empty) empty = foundation;
                emptyAlike = emptyAlike && foundation->DropRule == empty->DropRule &&
                             foundation->EmptyDropRule == empty->EmptyDropRule &&
                             foundation->CardLimit == empty->CardLimit;
            }
            if (!CanDrop(s_, *foundation, drag, 0)) continue;
            ++taking;
            only = foundation;
            if (!first) first = foundation;
            if (foundation->Count() > 0) emptyAlike = false;
        }
        // The foundation must take no other card off the foundations now.
        bool alone = taking == 1 && only->Count() > 0;
        if (alone) {
            const auto rule = std::find_if(foundationTakes_.begin(), foundationTakes_.end(),
                                           [only](const auto& entry) { return entry.first == only->DropRule; });
            CardSet others = off;
            others.reset(c);
            alone = rule != foundationTakes_.end() &&
                    (rule->second[static_cast<std::size_t>(only->Top()->Index())] & others).none();
        }
        // A card that no foundation can ever take on a card (an ace) starts
        // one; empty foundations alike are interchangeable, since no rule
        // reads where a pile stands: the first one that takes it does.
        const auto onACard = [&] {
            for (const Pile* foundation : foundations)
                if (CanGoOnACard(*foundation, c)) return true;
            return false;
        };
        if (!alone && taking > 0 && emptyAlike && firstFoundationWlog_ && !onACard()) {
            alone = true;
            only = first;
        }
        // Several foundations alike that take it, none of which another
        // card could ever prepare for it (see SolverTwinFoundations.cpp).
        if (!alone && taking > 0 && twinFoundations_ && TwinsTake(c, off, foundations)) {
            alone = true;
            only = first;
        }
        if (!alone) {
            RestoreParent();
            continue;
        }
        if (DropAsOnlyMove(c, *only)) return true;
    }
    return false;
}

bool Solver::Search::DropAsOnlyMove(int card, Pile& target)
{
    Control* sender = DropSender(target);
    if (!sender) {
        RestoreParent();
        return false;
    }
    PackedMove move;
    move.Kind = static_cast<std::uint8_t>(SolverMove::Type::Card);
    move.Card = move.Lifted = static_cast<std::uint8_t>(card);
    move.Position = static_cast<std::int16_t>(s_.Board.PositionOf(&target));
    move.DropCard =
        sender->Type() == ControlType::Card ? static_cast<std::uint8_t>(static_cast<Card*>(sender)->Index()) : 0;
    touched_ = true;
    DispatchClick(s_, sender);
    if (s_.Carrying) {
        RestoreParent();
        return false;
    }
    Played(move);
    return true;
}

}  // namespace vexa
