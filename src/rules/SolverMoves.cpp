// The moves of a position: every click, button, drop and autoplay tried on
// the scratch table, each new position scored, and the packed moves turned
// back into driver commands.
#include "rules/SolverSearch.h"

#include <algorithm>
#include <string>

#include "rules/Autoplay.h"
#include "rules/ClickDispatch.h"
#include "rules/MoveRules.h"
#include "table/PileLayout.h"

namespace vexa {

using namespace solving;

void Solver::Search::Played(const PackedMove& played)
{
    if (won_) return;
    PackedMove move = played;
    move.Clicks = static_cast<std::uint8_t>(clicks_);
    Capture(child_);
    current_ = child_;
    touched_ = false;
    Synced();
    s_.Journal.UndoSteps.clear();
    if (ui_.Victories > 0) {
        won_ = true;
        winningMove_ = move;
        return;
    }
    if (child_ == parent_) return;
    // A position whose cards can no longer all reach the foundations.
    if (lockedCards_ && Deadlocked()) return;
    // After a deferred play only a move that builds on the card played.
    if (deferredPile_ >= 0 && !BuildsOnDeferred(child_)) return;
    // A position searched already is dropped before it is scored.
    const std::uint64_t key = KeyHash(child_);
    const std::int32_t redeals = GetInt(child_.data() + child_.size() - 4);
    if (Seen(key, redeals)) return;
    // A position with cards buried for good is lost (rarely met: after the
    // look-up of the position, which is cheaper).
    if (buriedCards_ && CardsBuriedForGood()) return;
    if (stuckWastes_ && WastesStuck()) return;
    if (parkedCards_ && TooManyParked()) return;
    if (deferTo_ < 0) {
        // Not after a move that took a card from the talon (see SolverTalonReturns.cpp).
        if (talonReturns_ && TalonCards(child_) == TalonCards(parent_) && TalonReturnSeen(child_))
            return;
        children_.push_back({SpareCopy(child_), move, Priority(), key});
        return;
    }
    if (!CanBuildOn(static_cast<std::size_t>(deferTo_))) return;
    const std::uint64_t deferred = DeferredKey(key, child_, deferTo_);
    if (SeenIn(deferredSeen_, deferred, redeals)) return;
    children_.push_back({SpareCopy(child_), move, Priority(), deferred, static_cast<std::int16_t>(deferTo_)});
}

State Solver::Search::SpareCopy(const State& state)
{
    if (spare_.empty()) return state;
    State copy = std::move(spare_.back());
    spare_.pop_back();
    copy.assign(state.begin(), state.end());
    return copy;
}

Control* Solver::Search::DropSender(Pile& target) const
{
    // The top card stands for its pile; an empty pile is clicked on its area.
    if (target.Count() > 0 && CanClickCard(s_, *target.Top())) return target.Top();
    if (CanClickPileArea(s_, target)) return &target;
    for (int i = target.Count() - 1; i >= 0; --i)
        if (CanClickCard(s_, *target.CardAt(i))) return target.CardAt(i);
    return nullptr;
}

void Solver::Search::Lift(Card& card)
{
    const bool clean = !touched_;
    touched_ = true;
    DispatchClick(s_, &card);
    // PickRules 7 and 8 may lift a card from under others.
    liftOnly_ = clean && simpleLifts_ && s_.Carrying && s_.OriginPile && s_.OriginPile->PickRule != 7 &&
                s_.OriginPile->PickRule != 8;
}

bool Solver::Search::CancelLift()
{
    if (!liftOnly_ || !s_.Carrying) return false;
    Table& board = s_.Board;
    Pile& drag = board.DragPile();
    Pile& origin = *s_.OriginPile;
    while (drag.Count() > 0) board.MoveCard(*drag.CardAt(0), origin);
    LayOutPile(origin);
    s_.Carrying = false;
    s_.OriginPile = nullptr;
    touched_ = false;
    liftOnly_ = false;
    return true;
}

// Clicks a card of the parent position. A click that completes a move at
// once (a deal from the stock, a lift that Postpick finishes) is a move of
// its own; a lift is tried on every pile that accepts the carried cards.
// Lifts already tried from this position are skipped.
bool Solver::Search::TryLift(Card& card, std::vector<std::uint64_t>& lifts)
{
    Lift(card);
    PackedMove move;
    move.Kind = static_cast<std::uint8_t>(SolverMove::Type::Card);
    move.Card = static_cast<std::uint8_t>(card.Index());
    if (!s_.Carrying) {
        Played(move);
        return true;
    }
    Pile& drag = s_.Board.DragPile();
    // Where from, the lowest card, how many, and OneTimeMove, in one number.
    const std::uint64_t lift = static_cast<std::uint64_t>(s_.Board.PositionOf(s_.OriginPile)) << 48 ^
                               static_cast<std::uint64_t>(drag.CardAt(0)->Index()) << 40 ^
                               static_cast<std::uint64_t>(drag.Count()) << 32 ^
                               static_cast<std::uint32_t>(s_.OneTimeMove);
    for (const std::uint64_t tried : lifts)
        if (tried == lift) return true;
    move.Lifted = static_cast<std::uint8_t>(drag.CardAt(0)->Index());
    lifts.push_back(lift);
    const bool sideways = ordering_.NoSideways && LeavesCardStuck(*s_.OriginPile, drag.CardAt(0)->Face, runCards_);
    const auto from = std::find(piles_.begin(), piles_.end(), s_.OriginPile) - piles_.begin();
    const bool fromTalon =
        deferredPlays_ && from < static_cast<std::ptrdiff_t>(piles_.size()) && talon_[static_cast<std::size_t>(from)];
    for (std::size_t p = 0; p < piles_.size() && !won_; ++p) {
        // After a deferred play only a drop on the card played counts.
        if (deferredPile_ >= 0 && static_cast<int>(p) != deferredPile_) continue;
        Pile& target = *piles_[p];
        if (!s_.Carrying) {
            RestoreParent();
            Lift(card);
        }
        // A whole pile moved to an empty pile it is interchangeable with
        // gives the same position.
        if (symmetric_ && target.Count() == 0 && s_.OriginPile->Count() == 0 && group_[p] >= 0 &&
            from < static_cast<std::ptrdiff_t>(piles_.size()) && group_[static_cast<std::size_t>(from)] == group_[p])
            continue;
        // A run moved sideways joins no run where it lands.
        if (sideways && target.Kind == 2 && target.Count() > 0 &&
            !LiftsTogether(target.PickRule, target.Top()->Face, drag.CardAt(0)->Face))
            continue;
        if (safeMoves_ && !MayTake(target, drag.CardAt(0)->Index())) continue;
        if (gapLifts_ && target.Count() > 0) continue;
        if (slides_ && target.Kind == 3 && s_.OriginPile->Kind == 3 &&
            SlideUseless(*s_.OriginPile, drag.CardAt(0)->Face))
            continue;
        if (!CanDrop(s_, target, drag, 0)) continue;
        Control* sender = DropSender(target);
        if (!sender) continue;
        move.Position = static_cast<std::int16_t>(pilePositions_[p]);
        move.DropCard =
            sender->Type() == ControlType::Card ? static_cast<std::uint8_t>(static_cast<Card*>(sender)->Index()) : 0;
        touched_ = true;
        DispatchClick(s_, sender);
        if (s_.Carrying) return false;  // a drop that CanDrop accepted always ends the carry
        deferTo_ =
            fromTalon && (target.Kind == 2 || (target.Kind == 3 && deferredFoundations_)) ? static_cast<int>(p) : -1;
        Played(move);
        deferTo_ = -1;
    }
    return true;
}

void Solver::Search::Expand(bool talonOnly)
{
    Restore(parent_.data(), parent_.size());
    auto reset = [this] {
        if (s_.Carrying) CancelLift();
        if (s_.Carrying || touched_ || current_ != parent_) RestoreParent();
    };

    // Autoplay is a shortcut through single foundation moves; on the later
    // positions of a cycle those moves are made one by one where they can be.
    // After a deferred play only moves that build on the card played count:
    // autoplay may, on a foundation; turning the stock never does.
    const bool deferred = deferredPile_ >= 0;
    const bool deferredOnFoundation = deferred && piles_[static_cast<std::size_t>(deferredPile_)]->Kind == 3;
    if (s_.Menu.Autoplay && !(talonOnly && singleAutoMoves_) && (!deferred || deferredOnFoundation)) {
        touched_ = true;
        AutoplayCommand(s_);
        PackedMove move;
        move.Kind = static_cast<std::uint8_t>(SolverMove::Type::Autoplay);
        Played(move);
        reset();
    }
    for (std::size_t b = 0; b < buttons_.size() && !won_ && !deferred; ++b) {
        if (!buttons_[b]->Visible) continue;
        touched_ = true;
        PressGameButton(s_, *buttons_[b]);
        PackedMove move;
        move.Kind = static_cast<std::uint8_t>(SolverMove::Type::Button);
        move.Position = static_cast<std::int16_t>(s_.Board.PositionOf(buttons_[b]));
        Played(move);
        reset();
    }
    // Only a pile with a ClickAction does anything when its own area is
    // clicked. On a stock cycle, turning the stock leads to the same node.
    for (std::size_t p = 0; p < piles_.size() && !won_ && !deferred; ++p) {
        Pile& pile = *piles_[p];
        if (pile.ClickAction == 0 || (cycleNode_ && p == stock_) || !CanClickPileArea(s_, pile)) continue;
        touched_ = true;
        DispatchClick(s_, &pile);
        PackedMove move;
        move.Kind = static_cast<std::uint8_t>(SolverMove::Type::Pile);
        move.Position = static_cast<std::int16_t>(pilePositions_[p]);
        Played(move);
        reset();
    }
    std::vector<std::uint64_t> lifts;
    // Only cards some pile could take now are lifted (see SolverTableFilters.cpp).
    const bool filtered = FindLiftFilter(deferred);
    if (gapLifts_) FindGapFilter();
    if (slides_) FindSlideReach();
    if (ordering_.NoSideways) FindRunCards(piles_, runCards_);
    for (std::size_t p = 0; p < piles_.size() && !won_; ++p) {
        if (talonOnly && !talon_[p]) continue;
        Pile& pile = *piles_[p];
        // From the top down, so that the card clicked is the card lifted
        // whenever the PickRule lifts the top card.
        for (int i = pile.Count() - 1; i >= 0 && !won_; --i) {
            if (cycleNode_ && p == stock_ && i == pile.Count() - 1) continue;
            Card& card = *pile.CardAt(i);
            // A talon card that no pile could take now is not lifted.
            if (talon_[p] && i == pile.Count() - 1 && safeMoves_ && pile.PickRule >= 1 && pile.PickRule <= 9 &&
                pile.PickRule != 8 && FaceUp(card) && !MayGoSomewhere(card))
                continue;
            if (filtered && !MayLiftFor(pile, i)) continue;
            if (gapLifts_ && !gapFilter_.test(static_cast<std::size_t>(card.Index()))) continue;
            if (!CanClickCard(s_, card)) continue;
            TryLift(card, lifts);
            reset();
        }
    }
}

void Solver::Search::ExpandNode()
{
    // The children's buffers are kept for the next ones.
    for (Child& child : children_)
        if (child.Position.capacity() > 0) spare_.push_back(std::move(child.Position));
    children_.clear();
    cycleNode_ = false;
    clicks_ = 0;
    if (growing_) {
        Restore(parent_.data(), parent_.size());
        if (PlayGrowingFoundationMove()) {
            if (cycles_ && GetInt(parent_.data() + parent_.size() - 4) < 1) lossUnproven_ = true;
            return;
        }
    }
    // After a deferred play a safe move may be one that could wait: every
    // move is tried, and those are left out.
    if (safeMoves_ && deferredPile_ < 0) {
        Restore(parent_.data(), parent_.size());
        if (cycles_ && GetInt(parent_.data() + parent_.size() - 4) < 1) lossUnproven_ = true;
        if (PlaySafeMove()) return;
    }
    Cycle cycle;
    if (cycles_) {
        // Redeals count as unlimited: a node without one left makes a
        // search that found no win no proof of a loss.
        if (GetInt(parent_.data() + parent_.size() - 4) < 1) lossUnproven_ = true;
        cycle = CycleOf(parent_);
        cycleNode_ = cycle.Length > 1;
    }
    if (!cycleNode_) {
        Expand(false);
    } else {
        // Every position of the cycle in turn, each one turn of the stock
        // further: first in search of a safe move on any of them, which is
        // then the only move, else for all their moves. Moves away from the
        // talon are the same on all of them.
        const State start = parent_;
        // The turns were found to change the talon alone, and never to win,
        // on another position with this talon. The positions met here must
        // make the same cycle, else the merge was not sound and no loss is
        // claimed.
        auto walk = [&](bool safeOnly) {
            bool played = false;
            std::uint64_t lowest = TalonHash(start);
            parent_ = start;
            for (int turn = 0; turn < cycle.Length && !won_; ++turn) {
                if (turn > 0) {
                    Restore(parent_.data(), parent_.size());
                    const bool turned = TurnStock();
                    Capture(child_);
                    current_ = child_;
                    touched_ = false;
                    Synced();
                    if (!turned || ui_.Victories > 0 || !SameOutsideTalon(start, child_)) {
                        ui_.Victories = 0;
                        lossUnproven_ = true;
                        break;
                    }
                    lowest = std::min(lowest, TalonHash(child_));
                    parent_ = child_;
                }
                clicks_ = turn;
                // The first position was searched for a safe move above.
                if (!safeOnly)
                    Expand(turn > 0 && sharedMoves_);
                else if (turn > 0 && !played)
                    played = PlaySafeMove();
            }
            if (!won_ && lowest != cycle.Canonical) lossUnproven_ = true;
            parent_ = start;
            return played;
        };
        if (!safeMoves_ || deferredPile_ >= 0 || !walk(true)) walk(false);
        clicks_ = 0;
        cycleNode_ = false;
    }
    std::stable_sort(children_.begin(), children_.end(),
                     [](const Child& x, const Child& y) { return x.Priority > y.Priority; });
}

void Solver::Search::Unpack(const PackedMove& packed, const State& before, std::vector<SolverMove>& out)
{
    if (packed.Clicks > 0) {
        // The turns of the stock, replayed to learn which card each one
        // turns: a click on the stock's top card, or on its empty place.
        Restore(before.data(), before.size());
        const Pile& stock = *piles_[stock_];
        for (int turn = 0; turn < packed.Clicks; ++turn) {
            SolverMove click;
            if (stock.Count() > 0) {
                click.Kind = SolverMove::Type::Card;
                click.CardIndex = click.LiftedIndex = stock.Top()->Index();
                click.Commands.push_back("click card " + std::to_string(click.CardIndex));
            } else {
                click.Kind = SolverMove::Type::Pile;
                click.Target = stock.Name;
                click.Commands.push_back("click pile " + stock.Name);
            }
            out.push_back(std::move(click));
            TurnStock();
        }
        Restore(before.data(), before.size());
    }
    out.push_back(Unpack(packed));
}

SolverMove Solver::Search::Unpack(const PackedMove& packed) const
{
    SolverMove move;
    move.Kind = static_cast<SolverMove::Type>(packed.Kind);
    const Control* control = packed.Position >= 0 ? s_.Board.ControlAt(packed.Position) : nullptr;
    switch (move.Kind) {
    case SolverMove::Type::Card:
        move.CardIndex = packed.Card;
        move.LiftedIndex = packed.Lifted ? packed.Lifted : packed.Card;
        move.Commands.push_back("click card " + std::to_string(packed.Card));
        if (control) {
            move.Target = control->Name;
            move.Commands.push_back(packed.DropCard ? "click card " + std::to_string(packed.DropCard)
                                                    : "click pile " + control->Name);
        }
        break;
    case SolverMove::Type::Pile:
        move.Target = control ? control->Name : "";
        move.Commands.push_back("click pile " + move.Target);
        break;
    case SolverMove::Type::Button:
        move.Target = control ? control->Name : "";
        move.Commands.push_back("button " + move.Target);
        break;
    case SolverMove::Type::Autoplay: move.Commands.push_back("autoplay"); break;
    }
    return move;
}

}  // namespace vexa
