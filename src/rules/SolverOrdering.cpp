// The order in which the search expands positions: a position's score, and
// the searches one call makes in turn. Orderings decide only which position
// comes next, never which positions exist, so none of this can change
// whether a hand is won or lost: a win found is a line of legal moves, and
// a loss is claimed only by a search that ran out of positions.
#include "rules/SolverSearch.h"

#include <algorithm>

#include "records/Score.h"

namespace vexa {

using namespace solving;

void Solver::Search::FindOrderings()
{
    // The plain ordering alone, unless the stock is dealt once and never
    // comes back: then every card dealt is a step that cannot be taken
    // back, winning lines run a hundred moves and more, and the score of
    // the plain ordering counts the stock's cards as blocked and buried,
    // so that dealing looks like progress. Those games get their own score
    // and several searches, each with a share of the budget: which of them
    // finds a win differs from hand to hand.
    orderings_.assign(1, Ordering{});
    ordering_ = orderings_.front();
    FindRunOrderings();
    FindCycleDives();
    if (!usable_ || cycles_ || keepsGenerator_ || s_.RedealsLeft != 0) return;
    bool stock = false;
    for (const Pile* pile : piles_)
        if (pile->Kind == 0 && pile->Count() > 0) stock = true;
    if (!stock) return;
    // Short searches that dive deep, each under its own weights and with a
    // fourteenth of the budget, then the plain ordering with the rest, which
    // a proof of loss needs. On deals 1 to 10 of Gypsy, Forty Thieves and
    // Spiderette, searched within 30,000 positions under each of some
    // thirty weightings, each of these won hands that most others did not,
    // most of them within 3,000 to 30,000 positions; the plain ordering won
    // none. Long runs weigh most where only runs of one suit lift.
    orderings_ = {
        {true, 2, 0, 20, 1},  {true, 5, 0, 0, 1},   {true, 20, 5, 20, 1}, {true, 20, 0, 0, 1},
        {true, 2, 10, 20, 1}, {true, 2, 5, 20, 1},  {true, 5, 0, 100, 1}, {false, 0, 0, 0, 7},
    };
    // Wastes the stock alone feeds: searches that keep the card the
    // foundations need soonest on top of each waste.
    FindWasteOrder();
    if (wasteOrder_) orderings_ = WasteOrderings();
    FindNoisyDives();
    FindWasteDepth();
    FindStockBeam();
    // The staged search first, with half the budget.
    if (staged_) {
        Ordering staged{true, 0, 0, 0, 14};
        staged.Staged = true;
        orderings_.insert(orderings_.begin(), staged);
        FindStageSizes();
        FindRowBeam();
        FindRunPlanner();
    }
    ordering_ = orderings_.front();
    // The cards each pile's DropRule takes on each card, where the rule
    // decides by the two cards: a card lying on one it could be dropped on
    // is in order. Taken on the scratch table, which is then put back.
    const State start = Captured();
    const std::vector<int> cards = CardsOnTable();
    builtOn_.assign(piles_.size(), -1);
    std::vector<int> rules;
    for (std::size_t p = 0; p < piles_.size(); ++p) {
        Pile& pile = *piles_[p];
        if (pile.Kind == 3 || !IsOneOf(pile.DropRule, TwoCardDropRules)) continue;
        const auto known = std::find(rules.begin(), rules.end(), pile.DropRule);
        if (known != rules.end()) {
            builtOn_[p] = static_cast<int>(known - rules.begin());
            continue;
        }
        builtOn_[p] = static_cast<int>(rules.size());
        rules.push_back(pile.DropRule);
        buildTables_.push_back(TakenOn(pile, cards));
        Restore(start.data(), start.size());
    }
}

int Solver::Search::Priority() const
{
    // The game's own score measures progress. Besides: cards still face
    // down outside the stock are work left to do; empty piles give room;
    // cards built on a card one rank higher are in order, a card above a
    // lower one blocks it; and the next card each foundation wants (the
    // lowest rank of a suit not yet on a Kind-3 pile) should not lie deep.
    //
    // With a stock dealt once (ordering_.OneWay) the stock's order is not
    // the player's to change: its cards neither block nor are buried there,
    // and each counts as work left (ordering_.Stock). A card blocks only a
    // lower card of its own suit, which the foundations need first. A card
    // is in order on one its pile's DropRule would take it on, and a pair
    // the pile lifts together as a run weighs ordering_.Lift more.
    if (ordering_.Staged) return StagedScore();
    if (ordering_.StockBeam) return StockBeamScore();
    if (ordering_.LowestScore) return -60 * ComputeScore(s_);
    const bool oneWay = ordering_.OneWay;
    const bool wasteOrdered = ordering_.Waste > 0 || ordering_.WasteSteps > 0;
    // Where the foundations start from a chosen rank, ranks count from it
    // (the base as 1, the rank below it as 13), as the foundations take them.
    const int base = baseFromFirst_ ? BaseRank() : 1;
    // Where foundations build either way, ranks count as steps from the
    // nearer end of the suit (SolverTwoWayOrdering.cpp).
    const TwoWayEnds ends = twoWay_ ? TwoWayNext() : TwoWayEnds{};
    const auto rankOf = [this, base, &ends](const CardFace& face) {
        if (twoWay_) return TwoWaySteps(ends, face);
        return base <= 1 ? face.Value() : (face.Value() - base + 13) % 13 + 1;
    };
    int faceDown = 0, empty = 0, inOrder = 0, together = 0, blocking = 0, inStock = 0, onWaste = 0;
    std::array<int, 4> wanted{14, 14, 14, 14};
    std::array<int, 4> cover{0, 0, 0, 0};
    // On a stock cycle every talon card comes to the top in turn: where it
    // lies there neither blocks nor buries it nor builds in order, and which
    // talon pile is empty depends only on the turn.
    for (std::size_t p = 0; p < piles_.size(); ++p) {
        const Pile* pile = piles_[p];
        if (pile->Kind == 3) continue;
        const bool anyOrder = cycles_ && talon_[p];
        if (oneWay && pile->Kind == 0) {
            inStock += pile->Count();
            for (const Card* card : pile->Cards()) {
                const int suit = card->Face.Suit();
                wanted[suit] = std::min(wanted[suit], rankOf(card->Face));
            }
            continue;
        }
        if (pile->Kind == 1) onWaste += pile->Count();
        if (pile->Count() == 0 && pile->Kind != 0 && pile->Visible && !anyOrder) empty += pile->Kind == 2 ? 2 : 1;
        const std::vector<CardSet>* built =
            oneWay && builtOn_[p] >= 0 ? &buildTables_[static_cast<std::size_t>(builtOn_[p])] : nullptr;
        const Card* below = nullptr;
        int lowest = 14;
        std::array<int, 4> lowestOf{14, 14, 14, 14};
        for (const Card* card : pile->Cards()) {
            const int value = rankOf(card->Face);
            const int suit = card->Face.Suit();
            // Blocking on a waste the stock feeds is counted by WasteBlockers.
            if (!anyOrder && !(wasteOrdered && fedWaste_[p]) && value > (oneWay ? lowestOf[suit] : lowest))
                ++blocking;
            lowest = std::min(lowest, value);
            lowestOf[suit] = std::min(lowestOf[suit], value);
            if (pile->Kind != 0 && card->Face.State() == ctBack) ++faceDown;
            if (!anyOrder && below && card->Face.State() == ctFront && below->Face.State() == ctFront) {
                if (built ? (*built)[static_cast<std::size_t>(below->Index())].test(static_cast<std::size_t>(card->Index()))
                          : value + 1 == rankOf(below->Face))
                    ++inOrder;
                if (oneWay && LiftsTogether(pile->PickRule, below->Face, card->Face)) ++together;
            }
            below = card;
            if (value < wanted[suit]) wanted[suit] = value;
        }
    }
    for (std::size_t p = 0; p < piles_.size(); ++p) {
        const Pile* pile = piles_[p];
        if (pile->Kind == 3 || (cycles_ && talon_[p]) || (oneWay && pile->Kind == 0)) continue;
        const int n = pile->Count();
        for (int i = 0; i < n; ++i) {
            const CardFace& face = pile->CardAt(i)->Face;
            if (rankOf(face) == wanted[face.Suit()]) cover[face.Suit()] = std::max(cover[face.Suit()], n - 1 - i);
        }
    }
    const int buried = cover[0] + cover[1] + cover[2] + cover[3];
    const int score = 60 * ComputeScore(s_) - 12 * faceDown + 20 * empty - 5 * buried - 30 * blocking;
    if (!oneWay) return score + 4 * inOrder;
    if (wasteOrdered) {
        const WasteBlocking waste = WasteBlockers();
        return score - ordering_.Waste * waste.Cards - ordering_.WasteSteps * waste.Steps - ordering_.Stock * inStock;
    }
    return score + 20 * inOrder + ordering_.Lift * together - ordering_.Stock * inStock - ordering_.Talon * onWaste;
}

}  // namespace vexa
