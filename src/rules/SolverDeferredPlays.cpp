// Deferred talon plays. With a draw-one talon on a stock cycle every talon
// card can be had at any time, so a talon card played to a pile can wait
// until a card goes on it: a winning line can be reordered so that each
// such play is followed at once by a move onto the card played.
#include "rules/SolverSearch.h"

#include <algorithm>
#include <cstring>

#include "rules/MoveRules.h"

namespace vexa {

using namespace solving;

void Solver::Search::FindDeferredPlays()
{
    // The rules read no pile but the two of a move and not where the cards
    // come from (as for the safe moves), and every talon card can be had.
    if (!safeMoves_ || !cycles_ || !oneCardTalon_) return;
    int tableauRule = -1;
    for (const Pile* pile : piles_) {
        // Empty piles take cards by the cards alone, and a part of a run
        // they take: a run less its top card is still a run.
        if (pile->EmptyDropRule != 0 && (pile->EmptyDropRule < 201 || pile->EmptyDropRule > 210)) return;
        // Foundations take one card at a time.
        if (pile->Kind == 3 && !IsOneOf(pile->DropRule, SingleCardDropRules)) return;
        if (pile->Kind != 2) continue;
        // Every tableau pile builds alike, and lifts its top card alone or
        // a run whose lower part is a run again.
        if (pile->PickRule < 1 || pile->PickRule > 5) return;
        if (tableauRule >= 0 && pile->DropRule != tableauRule) return;
        tableauRule = pile->DropRule;
    }
    deferredPlays_ = true;
    // A talon card played to a foundation can wait too, until a card goes
    // on it there, when each card on a foundation takes one card at most:
    // no other card can take its place meanwhile.
    deferredFoundations_ = true;
    for (const auto& [rule, taken] : foundationTakes_)
        for (const CardSet& on : taken)
            if (on.count() > 1) deferredFoundations_ = false;
}

std::uint64_t Solver::Search::DeferredKey(std::uint64_t key, const State& state, int pile)
{
    // Cards are unique: two positions alike up to the order of
    // interchangeable piles whose piles played to hold the same cards have
    // those piles at the same place of the order.
    canonical_.assign(8, 0);
    std::memcpy(canonical_.data(), &key, 8);
    const auto [at, n] = PileBytes(state, static_cast<std::size_t>(pile));
    canonical_.insert(canonical_.end(), state.begin() + static_cast<std::ptrdiff_t>(at),
                      state.begin() + static_cast<std::ptrdiff_t>(at + n));
    return HashBytes(canonical_.data(), canonical_.size());
}

bool Solver::Search::MayGoSomewhere(const Card& card) const
{
    const auto c = static_cast<std::size_t>(card.Index());
    for (std::size_t p = 0; p < piles_.size(); ++p) {
        const Pile& pile = *piles_[p];
        if (talon_[p] || !pile.Visible) continue;
        if (pile.Kind == 3) {
            if (pile.Count() == 0) {
                const auto starts = std::find_if(foundationStarts_.begin(), foundationStarts_.end(),
                                                 [&](const auto& entry) { return entry.first == pile.EmptyDropRule; });
                if (starts == foundationStarts_.end() || starts->second.test(c)) return true;
            } else {
                const auto taken = std::find_if(foundationTakes_.begin(), foundationTakes_.end(),
                                                [&](const auto& entry) { return entry.first == pile.DropRule; });
                if (taken == foundationTakes_.end() ||
                    taken->second[static_cast<std::size_t>(pile.Top()->Index())].test(c))
                    return true;
            }
        } else if (pile.Count() == 0) {
            if (pile.EmptyDropRule != 0) return true;
        } else if (pile.DropRule != 0 && buildsOn_[static_cast<std::size_t>(pile.Top()->Index())].test(c)) {
            return true;
        }
    }
    return false;
}

bool Solver::Search::CanBuildOn(std::size_t pile) const
{
    const Pile& under = *piles_[pile];
    const Card& card = *under.Top();
    CardSet on = buildsOn_[static_cast<std::size_t>(card.Index())];
    if (under.Kind == 3) {
        const auto rule = std::find_if(foundationTakes_.begin(), foundationTakes_.end(),
                                       [&](const auto& entry) { return entry.first == under.DropRule; });
        if (rule == foundationTakes_.end()) return true;  // no table: it might
        on = rule->second[static_cast<std::size_t>(card.Index())];
    }
    for (std::size_t p = 0; p < piles_.size(); ++p) {
        const Pile& pile = *piles_[p];
        if (pile.Kind == 3) continue;
        for (const Card* other : pile.Cards())
            if ((talon_[p] || FaceUp(*other)) && on.test(static_cast<std::size_t>(other->Index()))) return true;
    }
    return false;
}

bool Solver::Search::BuildsOnDeferred(const State& child) const
{
    const auto [at, n] = PileBytes(child, static_cast<std::size_t>(deferredPile_));
    return n > deferredBytes_.size() &&
           std::memcmp(child.data() + at + 1, deferredBytes_.data() + 1, deferredBytes_.size() - 1) == 0;
}

}  // namespace vexa
