// Row beam: the staged search breadth first over the rows of the stock.
// Where a claim button wins on runs from a King whatever their suits but
// only runs of one suit lift (PickRule 4), the first rows leave a handful
// of moves each, so a stage between two rows is searched through in a few
// hundred positions, and what decides a hand is which of its positions
// the next row is dealt on: the row's cards fall in order on some of them
// and bury the runs of others. The depth-first staged search deals from
// the three best positions before the row and follows the first of them
// to the end; in Spider within 500,000 positions that reached the empty
// stock with some thirty cards still face down on every one of deals 1 to
// 20. This search instead searches the stage after each of a few
// positions, deals every row the stage can deal, scores each position as
// it stands once the row is down (the stock's cards are known, so a row
// that falls in order on the runs beneath it scores higher), and goes on
// from the best few of all of them, of different scores. Once the stock is
// empty it searches on from each of those in turn, best first. Its score
// weighs the runs from a King at the bottom of a column, which the claim
// button counts, far above the default staged score.
//
// An ordering only, as the staged search: it leaves positions out, so it
// can find a win but never proves a loss, which stays with the plain
// search after it; a win is a line of moves played on the scratch table by
// the code of play.
#include "rules/SolverSearch.h"

#include <algorithm>
#include <chrono>
#include <queue>
#include <unordered_set>

namespace vexa {

using namespace solving;

namespace {

// Positions kept from one row to the next; positions searched in each stage
// between rows from each of them, and once the stock is empty.
constexpr std::size_t BeamWidth = 4;
constexpr std::int64_t BeamStagePositions = 8000;
constexpr std::int64_t BeamLastPositions = 100000;
// Points per card in a run from a King at the bottom of a column.
constexpr int BeamClaimWeight = 150;

}  // namespace

void Solver::Search::FindRowBeam()
{
    if (!staged_ || !claimButton_ || orderings_.empty() || !orderings_.front().Staged) return;
    for (const Pile* pile : piles_)
        if (pile->Kind == 2 && pile->PickRule != 4) return;
    // The beam takes the depth-first search's place, with six sevenths of
    // the budget: in Spider the searches after it, which the loss proofs
    // need, won none of deals 1 to 50.
    Ordering& beam = orderings_.front();
    beam.Beam = static_cast<int>(BeamWidth);
    beam.Claim = BeamClaimWeight;
    beam.Share = 84;
}

SolveAnswer Solver::Search::SearchRowBeam(const SolverBudget& budget, const std::atomic<bool>* cancel)
{
    using Clock = std::chrono::steady_clock;
    const auto started = Clock::now();
    auto elapsed = [&] { return std::chrono::duration<double>(Clock::now() - started).count(); };
    SolveAnswer answer;
    spent_ = true;
    if (!usable_) return answer;

    struct Node {
        std::size_t Offset = 0, Length = 0;
        std::int32_t Parent = -1;
        PackedMove Move;
    };
    std::vector<std::uint8_t> arena;
    std::vector<Node> nodes;
    seen_.clear();
    const State root = current_;
    auto stateOf = [&](std::int32_t id) {
        const Node& node = nodes[static_cast<std::size_t>(id)];
        return State(arena.begin() + static_cast<std::ptrdiff_t>(node.Offset),
                     arena.begin() + static_cast<std::ptrdiff_t>(node.Offset + node.Length));
    };
    auto add = [&](const State& state, std::uint64_t key, std::int32_t parent, const PackedMove& move) {
        seen_[key] = GetInt(state.data() + state.size() - 4);
        nodes.push_back({arena.size(), state.size(), parent, move});
        arena.insert(arena.end(), state.begin(), state.end());
        return static_cast<std::int32_t>(nodes.size() - 1);
    };
    auto stockLeft = [&](const State& state) { return state[PileBytes(state, rowStock_).first] & ~ShownFlag; };
    bool stop = false;
    auto outOfBudget = [&] {
        stop = stop || (budget.MaxStates > 0 && static_cast<std::int64_t>(nodes.size()) >= budget.MaxStates) ||
               arena.size() + nodes.size() * (sizeof(Node) + 64) > budget.MaxMemoryBytes ||
               (cancel && cancel->load(std::memory_order_relaxed)) ||
               (budget.Seconds > 0 && elapsed() > budget.Seconds);
        return stop;
    };
    std::int32_t winner = -1;
    // The positions met with the stock empty, keyed up to an exchange of
    // tableau piles where they are interchangeable then.
    std::unordered_set<std::uint64_t> dealtSeen;

    struct Entry {
        int Score;
        std::int32_t Id;
        bool operator<(const Entry& other) const { return Score != other.Score ? Score < other.Score : Id > other.Id; }
    };
    struct Row {
        int Score;  // of the position with the row dealt
        std::int32_t Parent;
        State Position;
        PackedMove Move;
        std::uint64_t Key;
    };

    // Best first from one position within a number of positions, leaving
    // the rows it could deal in rows. True when won.
    auto stage = [&](const Entry& from, std::int64_t limit, std::vector<Row>& rows) {
        std::priority_queue<Entry> open;
        open.push(from);
        const std::size_t first = nodes.size();
        const bool last = stockLeft(stateOf(from.Id)) == 0;
        while (!open.empty() && static_cast<std::int64_t>(nodes.size() - first) < limit && !outOfBudget()) {
            const Entry entry = open.top();
            open.pop();
            parent_ = stateOf(entry.Id);
            deferredPile_ = -1;
            ExpandNode();
            if (won_) {
                winner = entry.Id;
                return true;
            }
            const int left = stockLeft(parent_);
            for (Child& child : children_) {
                if (Seen(child.Key, GetInt(child.Position.data() + child.Position.size() - 4))) continue;
                if (last && interchangeableOnceDealt_ && !dealtSeen.insert(InterchangeableKey(child.Position)).second)
                    continue;
                if (stockLeft(child.Position) < left) {
                    Restore(child.Position.data(), child.Position.size());
                    rows.push_back({StagedScore(), entry.Id, std::move(child.Position), child.Move, child.Key});
                    continue;
                }
                open.push({child.Priority, add(child.Position, child.Key, entry.Id, child.Move)});
            }
        }
        return false;
    };

    const Ordering kept = ordering_;
    ordering_.Staged = true;
    Restore(root.data(), root.size());
    won_ = false;
    std::vector<Entry> beam{{StagedScore(), add(root, KeyHash(root), -1, PackedMove{})}};
    const std::size_t width = static_cast<std::size_t>(std::max(1, ordering_.Beam));
    bool won = false;
    while (!won && !beam.empty() && !outOfBudget()) {
        const bool last = stockLeft(stateOf(beam.front().Id)) == 0;
        std::vector<Row> rows;
        for (const Entry& from : beam)
            if ((won = stage(from, last ? BeamLastPositions : BeamStagePositions, rows)) || outOfBudget()) break;
        if (won || last) break;
        // The best rows of all, one of each score: positions that score
        // alike are most often the same cards moved in another order.
        std::stable_sort(rows.begin(), rows.end(), [](const Row& x, const Row& y) { return x.Score > y.Score; });
        std::vector<Entry> next;
        for (Row& row : rows) {
            if (next.size() >= width) break;
            if (std::any_of(next.begin(), next.end(), [&](const Entry& e) { return e.Score == row.Score; })) continue;
            if (Seen(row.Key, GetInt(row.Position.data() + row.Position.size() - 4))) continue;
            next.push_back({row.Score, add(row.Position, row.Key, row.Parent, row.Move)});
        }
        beam = std::move(next);
    }
    ordering_ = kept;
    if (won) {
        answer.Outcome = SolveOutcome::Won;
        std::vector<std::int32_t> path;
        for (std::int32_t at = winner; at > 0; at = nodes[static_cast<std::size_t>(at)].Parent) path.push_back(at);
        for (auto it = path.rbegin(); it != path.rend(); ++it)
            Unpack(nodes[static_cast<std::size_t>(*it)].Move, stateOf(nodes[static_cast<std::size_t>(*it)].Parent),
                   answer.Moves);
        Unpack(winningMove_, stateOf(winner), answer.Moves);
    }
    spent_ = !won;
    answer.States = static_cast<std::int64_t>(nodes.size());
    answer.Seconds = elapsed();
    EndSearch(root);
    return answer;
}

}  // namespace vexa
