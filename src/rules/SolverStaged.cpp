// Staged search between rows of the stock. Where the stock deals a row onto
// the tableau piles and never comes back, and the tableau lifts runs, a
// winning line is a sequence of stages: moves among the table's piles, one
// row dealt, moves again, and so on until the stock is empty. A search over
// the whole tree spends its positions on orders of the same moves at every
// stage; this one searches each stage for the best positions it can reach
// by a score of what the game's victory counts, deals the next row only
// from the few best of them, and goes on from there depth first, taking
// the next best when a later stage leads nowhere.
//
// It leaves positions out, so it can find a win but never prove a loss: it
// ends won or unknown, and the plain search that follows it (with its own
// share of the budget) is the one that may claim a loss. A win it finds is
// a line of moves played on the scratch table by the code of play. Once
// the stock is empty, nothing reads where a tableau pile stands in the
// games it runs for, so positions that differ only by which of the
// tableau piles holds which cards are searched once there.
#include "rules/SolverSearch.h"
#include "rules/SolverStagedStore.h"

#include <algorithm>
#include <chrono>
#include <functional>
#include <limits>
#include <queue>
#include <unordered_set>

#include "records/Score.h"

namespace vexa {

using namespace solving;

namespace {

// Positions kept for one stage between rows, and for the last stage; the
// rows dealt from the best few positions of a stage.
constexpr std::int64_t StagePositions = 8000;
constexpr std::int64_t LastStagePositions = 40000;
constexpr std::size_t RowsTried = 3;

}  // namespace

void Solver::Search::FindStagedSearch()
{
    // One stock, dealing a row when its card is clicked (PickRule 92), and
    // tableau piles that all lift runs (PickRules 4 and 5): between two rows
    // the moves on the table can be searched on their own.
    staged_ = false;
    claimButton_ = false;
    if (!usable_ || cycles_ || keepsGenerator_) return;
    int rowStocks = 0, tableau = 0;
    for (std::size_t p = 0; p < piles_.size(); ++p) {
        const Pile& pile = *piles_[p];
        if (pile.Kind == 0 || pile.Kind == 1) {
            if (pile.PickRule != 92 || pile.Kind != 0) return;
            ++rowStocks;
            rowStock_ = p;
        }
        if (pile.Kind == 2) {
            if (pile.PickRule != 4 && pile.PickRule != 5) return;
            ++tableau;
        }
    }
    if (rowStocks != 1 || tableau == 0 || piles_[rowStock_]->Count() == 0) return;
    staged_ = true;
    bool otherButtons = false;
    for (const GameButton* button : buttons_) {
        if (button->Tag == 3)
            claimButton_ = true;
        else
            otherButtons = true;
    }
    // Once the stock is empty, nothing deals in TableOrder any more. The
    // tableau piles are then interchangeable where they share their rules
    // and shape and no rule reads another pile: the claim button counts
    // the tableau as a whole, so it is set aside for that question.
    std::vector<GameButton*> buttons;
    buttons.swap(buttons_);
    const bool readsOthers = RulesReadOtherPiles(true);
    buttons.swap(buttons_);
    const Pile* first = nullptr;
    interchangeableOnceDealt_ = !otherButtons && !readsOthers;
    for (const Pile* pile : piles_) {
        if (pile->Kind != 2) continue;
        if (!first) first = pile;
        if (pile->PickRule != first->PickRule || pile->DropRule != first->DropRule ||
            pile->EmptyDropRule != first->EmptyDropRule || pile->CardLimit != first->CardLimit ||
            pile->LayoutStyle != first->LayoutStyle || pile->Direction != first->Direction ||
            pile->Bounds.width != first->Bounds.width || pile->Bounds.height != first->Bounds.height ||
            pile->Visible != first->Visible)
            interchangeableOnceDealt_ = false;
    }
}

std::uint64_t Solver::Search::InterchangeableKey(const State& state)
{
    // The other piles in order, then the tableau piles sorted by their bytes.
    std::uint64_t h = HashStart;
    auto& spans = stagedSpans_;
    spans.clear();
    std::size_t at = 0;
    for (const Pile* pile : piles_) {
        const std::size_t n = 1 + (state[at] & ~ShownFlag);
        if (pile->Kind == 2)
            spans.emplace_back(at, n);
        else
            h = HashFeed(h, &state[at], n);
        at += n;
    }
    std::sort(spans.begin(), spans.end(), [&](const auto& x, const auto& y) {
        return std::lexicographical_compare(state.begin() + static_cast<std::ptrdiff_t>(x.first),
                                            state.begin() + static_cast<std::ptrdiff_t>(x.first + x.second),
                                            state.begin() + static_cast<std::ptrdiff_t>(y.first),
                                            state.begin() + static_cast<std::ptrdiff_t>(y.first + y.second));
    });
    for (const auto& [from, n] : spans) h = HashFeed(h, &state[from], n);
    return HashFinish(HashFeed(h, state.data() + at, state.size() - at));
}

int Solver::Search::StagedScore() const
{
    // The game's score (cards on the foundations, and the runs it counts)
    // and, where the claim button wins, the runs from a King at the bottom
    // of each tableau pile by value; each card still face down weighs
    // most, as every win must turn them all. Then the pairs in order in one
    // suit, as the foundations take them, far above pairs merely in order
    // or lifted together, and empty piles a little: a search that prizes
    // them will not fill one for a while to turn a card. On deals 1 to 10
    // of Black Widow and Spiderette within 200,000 positions, weights that
    // ranked empty piles and any run above one-suit pairs won no more than
    // two deals, these four of each ten.
    int faceDown = 0, empty = 0, together = 0, inOrder = 0, suited = 0, claim = 0;
    // Runs of one suit among the face-up cards of the column with fewest
    // (ordering_.Runs): how near the nearest column is to its next card.
    int fewestRuns = std::numeric_limits<int>::max();
    for (const Pile* pile : piles_) {
        // The claim button counts the cards on the foundations with the
        // runs: a run sent home must not cost what it counted in its column.
        if (claimButton_ && pile->Kind == 3) claim += pile->Count();
        if (pile->Kind != 2) continue;
        const int n = pile->Count();
        if (n == 0) {
            ++empty;
            continue;
        }
        const Card* below = nullptr;
        int runs = 0;
        for (const Card* card : pile->Cards()) {
            if (ordering_.Runs > 0 && card->Face.State() == ctFront &&
                (!below || below->Face.State() == ctBack || !LiftsTogether(pile->PickRule, below->Face, card->Face)))
                ++runs;
            if (card->Face.State() == ctBack) {
                ++faceDown;
            } else if (below && below->Face.State() == ctFront) {
                if (LiftsTogether(pile->PickRule, below->Face, card->Face)) ++together;
                if (card->Face.Value() + 1 == below->Face.Value()) {
                    ++inOrder;
                    if (card->Face.Suit() == below->Face.Suit()) ++suited;
                }
            }
            below = card;
        }
        fewestRuns = std::min(fewestRuns, runs);
        if (claimButton_ && pile->CardAt(0)->Face.Value() == 13) {
            int k = 1;
            while (k < n && pile->CardAt(k)->Face.Value() + 1 == pile->CardAt(k - 1)->Face.Value()) ++k;
            claim += k;
        }
    }
    // While the stock still deals rows, a search may weigh each card face
    // down more (ordering_.FaceDown): a row dealt while cards stay hidden
    // buries them deeper.
    const int faceDownWeight = piles_[rowStock_]->Count() > 0 ? ordering_.FaceDown : Ordering::DefaultFaceDown;
    return 100 * ComputeScore(s_) + ordering_.Claim * claim - faceDownWeight * faceDown + 30 * empty + 3 * together +
           2 * inOrder + 30 * suited -
           (ordering_.Runs > 0 && fewestRuns < std::numeric_limits<int>::max() ? ordering_.Runs * fewestRuns : 0);
}

SolveAnswer Solver::Search::SearchStaged(const SolverBudget& budget, const std::atomic<bool>* cancel)
{
    spent_ = true;
    if (!usable_) return SolveAnswer{};
    StagedStore store(budget, cancel);
    seen_.clear();
    const State root = current_;
    using Entry = StagedStore::Entry;
    using Row = StagedStore::Row;

    // One stage from a position, then a row dealt from each of the best
    // positions met, depth first.
    std::function<bool(std::int32_t, int)> stage = [&](std::int32_t from, int fromScore) {
        std::vector<Row> rows;
        const State position = store.StateOf(from);
        const bool last = (position[PileBytes(position, rowStock_).first] & ~ShownFlag) == 0;
        const std::int64_t limit =
            last ? LastStagePositions : (ordering_.StagePositions > 0 ? ordering_.StagePositions : StagePositions);
        const bool won = SearchStage(store, {Entry{fromScore, from}}, limit, [&](const Entry& entry, Child& child) {
            // Keep the rows of the best few positions only. Positions that
            // score alike are most often the same cards moved in another
            // order: one of them is kept.
            if (std::any_of(rows.begin(), rows.end(), [&](const Row& row) { return row.Score == entry.Score; }))
                return;
            rows.push_back({entry.Score, entry.Id, std::move(child.Position), child.Move, child.Key});
            std::stable_sort(rows.begin(), rows.end(), [](const Row& x, const Row& y) { return x.Score > y.Score; });
            if (rows.size() > RowsTried) rows.pop_back();
        });
        if (won) return true;
        for (Row& row : rows) {
            if (store.OutOfBudget()) return false;
            if (Seen(row.Key, GetInt(row.Position.data() + row.Position.size() - 4))) continue;
            Restore(row.Position.data(), row.Position.size());
            const int score = StagedScore();
            if (stage(store.Add(seen_, row.Position, row.Key, row.Parent, row.Move), score)) return true;
        }
        return false;
    };

    const Ordering kept = ordering_;
    ordering_.Staged = true;
    Restore(root.data(), root.size());
    won_ = false;
    const int rootScore = StagedScore();
    const bool won = stage(store.Add(seen_, root, KeyHash(root), -1, PackedMove{}), rootScore);
    ordering_ = kept;
    return EndStaged(store, won, root);
}

bool Solver::Search::SearchStage(StagedStore& store, const std::vector<StagedEntry>& from, std::int64_t limit,
                                 const std::function<void(const StagedEntry&, Child&)>& row)
{
    auto stockLeft = [&](const State& state) { return state[PileBytes(state, rowStock_).first] & ~ShownFlag; };
    std::priority_queue<StagedEntry> open(from.begin(), from.end());
    const std::size_t first = store.Nodes.size();
    const bool last = stockLeft(store.StateOf(from.front().Id)) == 0;
    while (!open.empty() && static_cast<std::int64_t>(store.Nodes.size() - first) < limit && !store.OutOfBudget()) {
        const StagedEntry entry = open.top();
        open.pop();
        parent_ = store.StateOf(entry.Id);
        deferredPile_ = -1;
        ExpandNode();
        if (won_) {
            store.Winner = entry.Id;
            return true;
        }
        const int left = stockLeft(parent_);
        for (Child& child : children_) {
            if (Seen(child.Key, GetInt(child.Position.data() + child.Position.size() - 4))) continue;
            if (last && interchangeableOnceDealt_ && !store.DealtSeen.insert(InterchangeableKey(child.Position)).second)
                continue;
            if (stockLeft(child.Position) < left) {
                row(entry, child);
                continue;
            }
            open.push({child.Priority, store.Add(seen_, child.Position, child.Key, entry.Id, child.Move)});
        }
    }
    return false;
}

SolveAnswer Solver::Search::EndStaged(StagedStore& store, bool won, const State& root)
{
    SolveAnswer answer;
    if (won) {
        answer.Outcome = SolveOutcome::Won;
        std::vector<std::int32_t> path;
        for (std::int32_t at = store.Winner; at > 0; at = store.Nodes[static_cast<std::size_t>(at)].Parent)
            path.push_back(at);
        for (auto it = path.rbegin(); it != path.rend(); ++it)
            Unpack(store.Nodes[static_cast<std::size_t>(*it)].Move,
                   store.StateOf(store.Nodes[static_cast<std::size_t>(*it)].Parent), answer.Moves);
        Unpack(winningMove_, store.StateOf(store.Winner), answer.Moves);
    }
    spent_ = !won;
    answer.States = static_cast<std::int64_t>(store.Nodes.size());
    answer.Seconds = store.Elapsed();
    EndSearch(root);
    return answer;
}

}  // namespace vexa
