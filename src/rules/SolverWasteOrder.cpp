// Waste order. Where the stock is dealt once onto piles that the stock
// alone feeds (DropRule 113: a card from the governing stock, any card) and
// whose cards can go nowhere but the foundations, the skill of the game is
// to stack each such pile so that the card the foundations need soonest
// lies on top. A card lying above one the foundations need sooner blocks
// it: the more such cards, the worse the position. How soon a foundation
// needs a card is read from its rule tables: the number of cards it must
// take before it can take that one, following what its DropRule takes on
// each card, from its top card (or from what its EmptyDropRule takes).
//
// This is an ordering only: it decides which position is expanded first,
// never which positions exist, so it cannot change whether a hand is won
// or lost.
#include "rules/SolverSearch.h"

#include "rules/MoveRules.h"

namespace vexa {

using namespace solving;

void Solver::Search::FindWasteOrder()
{
    fedWaste_.assign(piles_.size(), 0);
    needFrom_.clear();
    needOf_.assign(piles_.size(), -1);
    bool any = false;
    for (std::size_t p = 0; p < piles_.size(); ++p) {
        const Pile& pile = *piles_[p];
        if (pile.Kind == 3) {
            // Foundations that keep their cards and build by the two cards.
            if (pile.PickRule != 0 || !IsOneOf(pile.DropRule, TwoCardDropRules)) return;
            continue;
        }
        if (pile.Kind == 0) continue;
        // Every other pile is fed by the stock alone, or takes nothing.
        if ((pile.DropRule != 113 && pile.DropRule != 0) || (pile.EmptyDropRule != 213 && pile.EmptyDropRule != 0))
            return;
        fedWaste_[p] = pile.DropRule == 113;
        any = any || fedWaste_[p];
    }
    if (!any) return;
    const State start = Captured();
    const std::vector<int> cards = CardsOnTable();
    // Per foundation rule: the cards it takes on each card; per foundation:
    // the cards it takes while empty.
    std::vector<std::pair<int, std::vector<CardSet>>> takes;
    std::vector<CardSet> starts(piles_.size());
    for (std::size_t p = 0; p < piles_.size(); ++p) {
        Pile& pile = *piles_[p];
        if (pile.Kind != 3) continue;
        bool known = false;
        for (const auto& [rule, table] : takes) known = known || rule == pile.DropRule;
        if (!known) {
            takes.emplace_back(pile.DropRule, TakenOn(pile, cards));
            Restore(start.data(), start.size());
        }
        Pile& drag = s_.Board.DragPile();
        touched_ = true;
        while (pile.Count() > 0) s_.Board.MoveCard(*pile.Top(), s_.Board.Store());
        s_.OriginPile = nullptr;
        for (const int m : cards) {
            Card& moved = s_.Board.CardAt(m);
            s_.Board.MoveCard(moved, drag);
            if (CanDrop(s_, pile, drag, 0)) starts[p].set(static_cast<std::size_t>(m));
            s_.Board.MoveCard(moved, s_.Board.Store());
        }
        Restore(start.data(), start.size());
    }
    // Per foundation and top card (128: empty): how many cards it takes
    // before each card, by the rule tables; 127 where it never does.
    auto steps = [&cards](const std::vector<CardSet>& table, CardSet level) {
        std::array<std::int8_t, 128> need;
        need.fill(127);
        for (std::int8_t depth = 0; depth < 13 && level.any(); ++depth) {
            CardSet next;
            for (const int c : cards) {
                if (!level.test(static_cast<std::size_t>(c)) || need[static_cast<std::size_t>(c)] != 127) continue;
                need[static_cast<std::size_t>(c)] = depth;
                next |= table[static_cast<std::size_t>(c)];
            }
            level = next;
        }
        return need;
    };
    for (std::size_t p = 0; p < piles_.size(); ++p) {
        const Pile& pile = *piles_[p];
        if (pile.Kind != 3) continue;
        const std::vector<CardSet>* table = nullptr;
        for (const auto& [rule, t] : takes)
            if (rule == pile.DropRule) table = &t;
        needOf_[p] = static_cast<int>(needFrom_.size());
        needFrom_.emplace_back(129);
        auto& mine = needFrom_.back();
        for (const int c : cards) mine[static_cast<std::size_t>(c)] = steps(*table, (*table)[static_cast<std::size_t>(c)]);
        mine[128] = steps(*table, starts[p]);
    }
    wasteOrder_ = true;
}

std::vector<Solver::Search::Ordering> Solver::Search::WasteOrderings()
{
    // Short searches that dive deep under the blocking on the wastes, by
    // the cards that block or by how much later they are needed, then the
    // plain ordering with the rest of the budget, which a proof of loss
    // needs. Which of them wins a hand differs from hand to hand: on deals
    // 1 to 20 of Calculation and Sir Tommy within 30,000 positions each won
    // hands the others did not; Sir Tommy wins more with the deeper dives.
    auto waste = [](int depth, int cards, int steps) {
        Ordering ordering;
        ordering.OneWay = true;
        ordering.Depth = depth;
        ordering.Waste = cards;
        ordering.WasteSteps = steps;
        return ordering;
    };
    Ordering plain;
    plain.Share = 3;
    return {waste(2, 0, 40), waste(10, 0, 40), waste(20, 0, 40), waste(2, 100, 0), waste(5, 0, 60), waste(2, 20, 20), plain};
}

Solver::Search::WasteBlocking Solver::Search::WasteBlockers() const
{
    // How soon any foundation needs each card.
    std::array<std::int8_t, 128> need;
    need.fill(127);
    for (std::size_t p = 0; p < piles_.size(); ++p) {
        if (needOf_[p] < 0) continue;
        const Pile& pile = *piles_[p];
        const Card* top = pile.Top();
        const auto& from = needFrom_[static_cast<std::size_t>(needOf_[p])][top ? static_cast<std::size_t>(top->Index()) : 128];
        for (std::size_t c = 0; c < need.size(); ++c) need[c] = std::min(need[c], from[c]);
    }
    WasteBlocking blocking;
    for (std::size_t p = 0; p < piles_.size(); ++p) {
        if (!fedWaste_[p]) continue;
        std::int8_t soonest = 127;
        for (const Card* card : piles_[p]->Cards()) {
            const std::int8_t mine = need[static_cast<std::size_t>(card->Index())];
            if (mine > soonest) {
                ++blocking.Cards;
                blocking.Steps += mine - soonest;
            }
            soonest = std::min(soonest, mine);
        }
    }
    return blocking;
}

}  // namespace vexa
