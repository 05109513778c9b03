// Stock beam: a beam search over the cards of a stock dealt once. Where the
// stock turns one card at a time onto a single waste and never comes back,
// a winning line is a sequence of stages: moves among the other piles, one
// stock card turned, moves again, until the stock is empty. The short deep
// searches follow one line greedily and, on two-deck hands where a
// terrace of cards waits for the foundations, stall with thirty to sixty
// cards up: a card turned early buries on the waste the card the
// foundations need next, and the line never recovers. This search keeps
// the few best positions at each count of cards left in the stock, searches
// a small stage of moves from each (best first, bounded), turns the stock
// from every position met on the way, and goes on from the best of all
// those, of different scores. Once the stock is empty it searches on best
// first from all the positions kept, in one queue.
//
// Its score counts the cards the foundations would hold if the top cards
// of the piles were played to them one after another while nothing else
// moved: a waste stacked so that each card lies over the ones needed after
// it gives them all back once the card under them comes, and on Terrace's
// hands the wins came from positions with most cards still on the waste
// and in the columns when the stock ran out. Then, of what is left: the
// cards of piles that give only to the foundations (a terrace, which ends
// a hand when its top card can never go) and the steps the foundations
// must climb, from cards elsewhere, to clear such a pile from its top
// down; the cards lying over a card needed sooner (of any suit on the
// waste, where only the top card moves; of their own suit elsewhere); and
// a little for empty piles and cards in order. Before the first
// foundation sets the base rank, a position scores as under its best base,
// less a little, so that the beam chooses one.
//
// An ordering only, as the staged searches: it leaves positions out, so it
// can find a win but never proves a loss, which stays with the plain
// search after it; a win is a line of moves played on the scratch table by
// the code of play.
#include "rules/SolverSearch.h"
#include "rules/SolverStagedStore.h"

#include <algorithm>
#include <limits>

namespace vexa {

using namespace solving;

namespace {

// Positions kept at each count of cards in the stock, and positions searched
// in each stage from each of them, for each beam made in turn. Which hands a
// beam wins changes much from one size to the next, so three are made. On
// Terrace deals 1 to 50, each beam alone within 300,000 positions: 16 kept
// and stages of 300 positions won 6 hands (10, 12, 16, 24, 46, 50), 16 and
// 150 six (26 and 31 besides), 32 and 150 four (7 and 9 besides); the eight
// other sizes tried from 8 to 48 kept and 150 to 600 positions won 0 to 4
// each, 12 hands in all. A beam that ends before its share leaves the rest
// to the searches after it.
struct BeamSize {
    int Width;
    int StagePositions;
};
constexpr BeamSize BeamSizes[] = {{16, 300}, {16, 150}, {32, 150}};
// Each beam's share of the budget, beside the shares of the other searches.
constexpr int BeamShare = 15;

// Points per card the foundations take, now or by playing off the tops of
// the piles; a little more for a card there already; less per card in a
// pile that gives only to the foundations, per step the foundations must
// climb before such a pile is cleared and per step before they take its
// top card; less per card over one needed sooner (of any suit on the
// waste, of its own elsewhere) and per step it is needed later; per empty
// pile and per card in order; less per card on the waste; less where the
// base is still to choose, which scores as the best base.
constexpr int FoundationWeight = 1000;
constexpr int HomeWeight = 5;
constexpr int ReserveWeight = 300;
constexpr int ChainWeight = 100;
constexpr int TopNeedWeight = 100;
constexpr int BlockingWeight = 60;
constexpr int BlockingStepWeight = 6;
constexpr int EmptyWeight = 40;
constexpr int InOrderWeight = 15;
constexpr int WasteWeight = 5;
constexpr int NoBaseWeight = 500;

}  // namespace

void Solver::Search::FindStockBeam()
{
    stockBeam_ = false;
    // Only where the short deep searches over a stock dealt once are made.
    if (!usable_ || cycles_ || keepsGenerator_ || staged_ || !buttons_.empty() || orderings_.size() < 2) return;
    // One stock turning a card at a time onto one waste, and foundations
    // that build one suit up by one, one card at a time, from the ace or
    // from the base rank the first of them sets.
    int stocks = 0, wastes = 0;
    bool first = true, aces = true, chosen = true;
    for (std::size_t p = 0; p < piles_.size(); ++p) {
        const Pile& pile = *piles_[p];
        if (pile.Kind == 0) {
            if (pile.PickRule != 90 || pile.Count() == 0) return;
            ++stocks;
            rowStock_ = p;
        }
        if (pile.Kind == 1) ++wastes;
        if (pile.Kind != 3) continue;
        if (pile.PickRule != 0 || pile.DropRule != 106) return;
        aces = aces && pile.EmptyDropRule == 203;
        chosen = chosen && pile.EmptyDropRule == (first ? 201 : 204);
        first = false;
    }
    if (stocks != 1 || wastes != 1 || first || !(aces || chosen)) return;
    // And a pile of cards that go nowhere but to the foundations, top card
    // first (a terrace, found by the locked-card bound), whose clearing the
    // score weighs. Without one, in Forty Thieves, the beam won the same
    // deals 1 to 10 within 300,000 positions as before, and its share cost
    // deal 23 its win within 100,000.
    bool terrace = false;
    for (std::size_t p = 0; p < piles_.size(); ++p)
        terrace = terrace || (lockedCards_ && locked_[p] && piles_[p]->Kind == 5 && piles_[p]->Count() > 0);
    if (!terrace) return;
    stockBeamBase_ = chosen;
    auto at = orderings_.begin();
    for (const BeamSize& size : BeamSizes) {
        Ordering beam;
        beam.OneWay = true;
        beam.StockBeam = true;
        beam.Share = BeamShare;
        beam.Beam = size.Width;
        beam.StagePositions = size.StagePositions;
        at = orderings_.insert(at, beam) + 1;
    }
    stockBeam_ = true;
}

int Solver::Search::StockBeamScore() const
{
    // The base rank: the first foundation's bottom card where it sets it;
    // before it has one, the score of the best base.
    int base = 1;
    if (stockBeamBase_) {
        base = 0;
        for (const Pile* pile : piles_)
            if (pile->Kind == 3) {
                base = pile->Count() > 0 ? pile->CardAt(0)->Face.Value() : 0;
                break;
            }
    }
    if (base != 0) return StockBeamScore(base);
    // Only bases under which the terrace's cards can still all go up (all
    // of them in a position lost anyway).
    int best = std::numeric_limits<int>::min();
    for (int pass = 0; pass < 2 && best == std::numeric_limits<int>::min(); ++pass)
        for (int rank = 1; rank <= 13; ++rank)
            if (pass == 1 || suitFoundations_ == 0 || LockedRunsFit(rank)) best = std::max(best, StockBeamScore(rank));
    return best - NoBaseWeight;
}

int Solver::Search::StockBeamScore(int base) const
{
    // A card as its suit and its rank counted from the base (1 to 13).
    const auto code = [base](const CardFace& face) {
        return static_cast<std::uint8_t>(face.Suit() * 16 + (face.Value() - base + 13) % 13 + 1);
    };
    // Per suit: the top ranks of its foundations; the foundations in all.
    std::array<std::array<int, 8>, 4> tops{};
    std::array<int, 4> started{};
    int home = 0, foundations = 0, startedAll = 0;
    for (const Pile* pile : piles_) {
        if (pile->Kind != 3) continue;
        ++foundations;
        if (pile->Count() == 0) continue;
        home += pile->Count();
        const std::uint8_t top = code(pile->Top()->Face);
        const auto suit = static_cast<std::size_t>(top >> 4);
        if (started[suit] < 8) tops[suit][static_cast<std::size_t>(started[suit]++)] = top & 15;
        ++startedAll;
    }
    const int copies = s_.Settings.Decks;
    // The cards off the foundations and out of the stock, pile by pile.
    auto& stacks = beamStacks_;
    stacks.resize(piles_.size());
    int empty = 0, inOrder = 0;
    for (std::size_t p = 0; p < piles_.size(); ++p) {
        const Pile* pile = piles_[p];
        stacks[p].clear();
        if (pile->Kind == 3 || pile->Kind == 0) continue;
        const std::vector<CardSet>* built = builtOn_.size() == piles_.size() && builtOn_[p] >= 0
                                                ? &buildTables_[static_cast<std::size_t>(builtOn_[p])]
                                                : nullptr;
        const Card* below = nullptr;
        for (const Card* card : pile->Cards()) {
            stacks[p].push_back(code(card->Face));
            if (built && below &&
                (*built)[static_cast<std::size_t>(below->Index())].test(static_cast<std::size_t>(card->Index())))
                ++inOrder;
            below = card;
        }
    }
    // The cards the foundations would take from the tops of the piles, one
    // after another, if nothing else moved: a waste stacked well gives its
    // cards back in a run once the card under them comes.
    const auto takes = [&](std::uint8_t card, bool play) {
        const auto suit = static_cast<std::size_t>(card >> 4);
        const int rank = card & 15;
        for (int f = 0; f < started[suit]; ++f)
            if (tops[suit][static_cast<std::size_t>(f)] == rank - 1) {
                if (play) tops[suit][static_cast<std::size_t>(f)] = rank;
                return true;
            }
        if (rank != 1 || started[suit] >= copies || startedAll >= foundations) return false;
        if (play) {
            tops[suit][static_cast<std::size_t>(started[suit]++)] = rank;
            ++startedAll;
        }
        return true;
    };
    int potential = home;
    for (bool more = true; more;) {
        more = false;
        for (auto& stack : stacks)
            while (!stack.empty() && takes(stack.back(), true)) {
                stack.pop_back();
                ++potential;
                more = true;
            }
    }
    // Steps before a foundation takes a card: from the nearest foundation
    // of its suit below it, or from a new one started at the base.
    const auto need = [&](std::uint8_t card) {
        const auto suit = static_cast<std::size_t>(card >> 4);
        const int rank = card & 15;
        int steps = started[suit] < copies ? rank - 1 : 13;
        for (int f = 0; f < started[suit]; ++f)
            if (tops[suit][static_cast<std::size_t>(f)] < rank)
                steps = std::min(steps, rank - tops[suit][static_cast<std::size_t>(f)] - 1);
        return steps;
    };
    int reserve = 0, topNeed = 0, chain = 0, blocking = 0, blockingSteps = 0, onWaste = 0;
    for (std::size_t p = 0; p < piles_.size(); ++p) {
        const Pile* pile = piles_[p];
        const auto& stack = stacks[p];
        if (pile->Kind == 3 || pile->Kind == 0) continue;
        if (pile->Kind == 5) {
            reserve += static_cast<int>(stack.size());
            if (!stack.empty()) topNeed += need(stack.back());
        }
        if (pile->Kind == 1) onWaste += static_cast<int>(stack.size());
        if (stack.empty() && pile->Kind == 2 && pile->Visible) ++empty;
        // A card over one needed sooner: of any suit on a waste, whose
        // cards go only one way; of its own suit elsewhere.
        std::array<int, 4> soonest{99, 99, 99, 99};
        for (const std::uint8_t card : stack) {
            const auto suit = static_cast<std::size_t>(card >> 4);
            const int mine = need(card);
            const int sooner =
                pile->Kind == 1 ? std::min({soonest[0], soonest[1], soonest[2], soonest[3]}) : soonest[suit];
            if (mine > sooner) {
                ++blocking;
                blockingSteps += mine - sooner;
            }
            soonest[suit] = std::min(soonest[suit], mine);
        }
    }
    // The steps the foundations must climb, from cards elsewhere, before a
    // pile that gives only to them is cleared from its top down: each of
    // its cards lifts the foundation it goes to.
    {
        auto chainTops = tops;
        auto chainStarted = started;
        for (std::size_t p = 0; p < piles_.size(); ++p) {
            if (piles_[p]->Kind != 5) continue;
            for (auto it = stacks[p].rbegin(); it != stacks[p].rend(); ++it) {
                const auto suit = static_cast<std::size_t>(*it >> 4);
                const int rank = *it & 15;
                int best = -1, steps = 13;
                for (int f = 0; f < chainStarted[suit]; ++f)
                    if (chainTops[suit][static_cast<std::size_t>(f)] < rank &&
                        rank - chainTops[suit][static_cast<std::size_t>(f)] - 1 < steps) {
                        steps = rank - chainTops[suit][static_cast<std::size_t>(f)] - 1;
                        best = f;
                    }
                if (chainStarted[suit] < copies && rank - 1 < steps) {
                    steps = rank - 1;
                    best = chainStarted[suit]++;
                }
                chain += steps;
                if (best >= 0) chainTops[suit][static_cast<std::size_t>(best)] = rank;
            }
        }
    }
    return FoundationWeight * potential + HomeWeight * home - ReserveWeight * reserve - BlockingWeight * blocking -
           BlockingStepWeight * blockingSteps + EmptyWeight * empty + InOrderWeight * inOrder - WasteWeight * onWaste -
           TopNeedWeight * topNeed - ChainWeight * chain;
}

SolveAnswer Solver::Search::SearchStockBeam(const SolverBudget& budget, const std::atomic<bool>* cancel)
{
    spent_ = true;
    if (!usable_) return SolveAnswer{};
    StagedStore store(budget, cancel);
    seen_.clear();
    const State root = current_;
    using Entry = StagedStore::Entry;
    using Row = StagedStore::Row;
    auto stockLeft = [&](const State& state) { return state[PileBytes(state, rowStock_).first] & ~ShownFlag; };

    Restore(root.data(), root.size());
    won_ = false;
    std::vector<Entry> beam{{StockBeamScore(), store.Add(seen_, root, KeyHash(root), -1, PackedMove{})}};
    bool won = false;
    while (!won && !beam.empty() && !store.OutOfBudget()) {
        if (stockLeft(store.StateOf(beam.front().Id)) == 0) {
            // The stock is empty: best first from every position kept, with
            // what is left of the budget.
            won = SearchStage(store, beam, std::numeric_limits<std::int64_t>::max(), [](const Entry&, Child&) {});
            break;
        }
        // Every position a stage meets, with the stock's next card turned.
        std::vector<Row> rows;
        const auto row = [&](const Entry& entry, Child& child) {
            Restore(child.Position.data(), child.Position.size());
            rows.push_back({StockBeamScore(), entry.Id, std::move(child.Position), child.Move, child.Key});
        };
        for (const Entry& from : beam)
            if ((won = SearchStage(store, {from}, ordering_.StagePositions, row)) || store.OutOfBudget()) break;
        if (won) break;
        // The best of all, one of each score.
        beam = store.KeepBest(rows, static_cast<std::size_t>(ordering_.Beam), seen_, [&](const Row& row) {
            return Seen(row.Key, GetInt(row.Position.data() + row.Position.size() - 4));
        });
    }
    return EndStaged(store, won, root);
}

}  // namespace vexa
