// Stock cycles. Where turning the stock only moves cards among the talon
// piles and comes back round, every position of the cycle is reachable from
// every other: they are one position to the search, keyed by a fixed member.
// Sound only while redeals cannot run out; a search that met a position
// without one, or a cycle that did not close as found, claims no loss.
#include "rules/SolverSearch.h"

#include <algorithm>
#include <cstring>

#include "rules/ClickDispatch.h"

namespace vexa {

using namespace solving;

void Solver::Search::FindStockCycles()
{
    // A count of redeals this high never runs out within a search.
    constexpr int UnlimitedRedeals = 1000;
    talon_.assign(piles_.size(), 0);
    if (!usable_ || !buttons_.empty() || keepsGenerator_ || !redealsDominate_ || s_.RedealsLeft < UnlimitedRedeals)
        return;
    int clickable = 0;
    for (std::size_t p = 0; p < piles_.size(); ++p) {
        const Pile& pile = *piles_[p];
        talon_[p] = pile.Kind == 0 || pile.Kind == 1;
        if (talon_[p] && group_[p] >= 0) return;
        if (pile.ClickAction != 0) {
            ++clickable;
            stock_ = p;
        }
    }
    // One stock that deals to the wastes and turns them over again: these
    // rules read and change the talon piles only.
    if (clickable != 1) return;
    const Pile& stock = *piles_[stock_];
    const bool dealsToWaste = stock.PickRule == 90 || stock.PickRule == 91 || stock.PickRule == 93;
    if (stock.Kind != 0 || !dealsToWaste || (stock.ClickAction != 301 && stock.ClickAction != 303)) return;
    cycles_ = true;
    // Moves that neither lift from nor drop on the talon are the same on
    // every position of a cycle unless a rule reads other piles.
    sharedMoves_ = !RulesReadOtherPiles() && s_.Settings.Postdrop == 0;
    for (std::size_t p = 0; p < piles_.size(); ++p)
        if (talon_[p] && (piles_[p]->DropRule != 0 || piles_[p]->EmptyDropRule != 0)) sharedMoves_ = false;
    // Autoplay moves the top cards of the Kind 1, 2 and 4 piles; these
    // PickRules lift a face-up top card alone when it is clicked.
    singleAutoMoves_ = s_.Settings.Prepick == 0 && s_.Settings.Postpick == 0;
    for (const Pile* pile : piles_) {
        if (pile->Kind != 1 && pile->Kind != 2 && pile->Kind != 4) continue;
        if (pile->PickRule < 1 || pile->PickRule > 9 || pile->PickRule == 8) singleAutoMoves_ = false;
    }
}

std::uint64_t Solver::Search::TalonHash(const State& state)
{
    talonBytes_.clear();
    std::size_t at = 0;
    for (std::size_t p = 0; p < piles_.size(); ++p) {
        const std::size_t n = 1 + (state[at] & ~ShownFlag);
        if (talon_[p])
            talonBytes_.insert(talonBytes_.end(), state.begin() + static_cast<std::ptrdiff_t>(at),
                               state.begin() + static_cast<std::ptrdiff_t>(at + n));
        at += n;
    }
    return HashBytes(talonBytes_.data(), talonBytes_.size());
}

bool Solver::Search::SameOutsideTalon(const State& a, const State& b) const
{
    if (a.size() != b.size()) return false;
    std::size_t i = 0, j = 0;
    for (std::size_t p = 0; p < piles_.size(); ++p) {
        const std::size_t na = 1 + (a[i] & ~ShownFlag);
        const std::size_t nb = 1 + (b[j] & ~ShownFlag);
        if (!talon_[p] && (na != nb || std::memcmp(&a[i], &b[j], na) != 0)) return false;
        i += na;
        j += nb;
    }
    // The counters: OneTimeMove must agree; RedealsLeft may not.
    return std::memcmp(&a[i], &b[j], a.size() - i - 4) == 0;
}

Solver::Search::Cycle Solver::Search::CycleOf(const State& state)
{
    // Without a redeal left the stock cannot come round again.
    if (GetInt(state.data() + state.size() - 4) < 1) return {};
    const std::uint64_t talon = TalonHash(state);
    // Most moves leave the talon alone: the last answer is kept at hand.
    if (talon == lastTalon_ && lastKnown_) return lastCycle_;
    const auto it = cycleOf_.find(talon);
    const Cycle cycle = it != cycleOf_.end() ? it->second : FindCycle(state);
    lastTalon_ = talon;
    lastCycle_ = cycle;
    lastKnown_ = true;
    return cycle;
}

bool Solver::Search::TurnStock()
{
    Pile& stock = *piles_[stock_];
    touched_ = true;
    if (stock.Count() > 0) {
        Card& top = *stock.Top();
        if (!CanClickCard(s_, top)) return false;
        DispatchClick(s_, &top);
        return !s_.Carrying;
    }
    if (!CanClickPileArea(s_, stock)) return false;
    DispatchClick(s_, &stock);
    return true;
}

Solver::Search::Cycle Solver::Search::FindCycle(const State& start)
{
    // Turns the stock until the talon comes back as it was. The turns may
    // change the talon piles and use up a redeal, nothing else.
    std::vector<std::uint64_t> members{TalonHash(start)};
    std::size_t cards = 0;
    for (std::size_t p = 0, at = 0; p < piles_.size(); ++p) {
        const std::size_t n = start[at] & ~ShownFlag;
        if (talon_[p]) cards += n;
        at += n + 1;
    }
    const std::size_t limit = std::min<std::size_t>(2 * cards + 4, 255);
    const int victories = ui_.Victories;
    Restore(start.data(), start.size());
    State next;
    Cycle cycle;
    bool closed = false;
    for (std::size_t turn = 0; turn < limit; ++turn) {
        if (!TurnStock()) break;
        if (ui_.Victories != victories) {
            // A turn that wins is a move worth making: no cycle, and nothing
            // to remember about this talon.
            ui_.Victories = victories;
            Restore(start.data(), start.size());
            return cycle;
        }
        Capture(next);
        if (!SameOutsideTalon(start, next)) break;
        const std::uint64_t talon = TalonHash(next);
        if (talon == members.front()) {
            closed = true;
            break;
        }
        members.push_back(talon);
    }
    Restore(start.data(), start.size());
    if (closed && members.size() > 1) {
        cycle.Canonical = *std::min_element(members.begin(), members.end());
        cycle.Length = static_cast<std::uint16_t>(members.size());
        for (const std::uint64_t member : members) cycleOf_[member] = cycle;
        if (talonReturns_) cycleTalonSets_.insert(TalonSetHash(start));
    } else {
        cycleOf_[members.front()] = Cycle{};
    }
    return cycle;
}

}  // namespace vexa
