// The positions a staged search keeps (SolverStaged.cpp, SolverRowBeam.cpp):
// each once, in one arena, with its parent and the move that reached it,
// within the budget of the search; and the best-first search of one stage
// between two rows, shared by both.
#pragma once

#include <algorithm>
#include <atomic>
#include <chrono>
#include <unordered_set>
#include <vector>

#include "rules/SolverSearch.h"

namespace vexa::solving {

struct StagedStore {
    struct Node {
        std::size_t Offset = 0, Length = 0;
        std::int32_t Parent = -1;
        PackedMove Move;
    };
    using Entry = StagedEntry;
    // A position a stage reached by dealing the next row, not yet kept.
    struct Row {
        int Score;
        std::int32_t Parent;
        State Position;
        PackedMove Move;
        std::uint64_t Key;
    };

    StagedStore(const SolverBudget& budget, const std::atomic<bool>* cancel) : budget_(budget), cancel_(cancel) {}

    State StateOf(std::int32_t id) const
    {
        const Node& node = Nodes[static_cast<std::size_t>(id)];
        return State(Arena.begin() + static_cast<std::ptrdiff_t>(node.Offset),
                     Arena.begin() + static_cast<std::ptrdiff_t>(node.Offset + node.Length));
    }
    // Keeps a position, marked as seen with the redeals it closes with.
    std::int32_t Add(SeenTable& seen, const State& state, std::uint64_t key,
                     std::int32_t parent, const PackedMove& move)
    {
        seen[key] = GetInt(state.data() + state.size() - 4);
        Nodes.push_back({Arena.size(), state.size(), parent, move});
        Arena.insert(Arena.end(), state.begin(), state.end());
        return static_cast<std::int32_t>(Nodes.size() - 1);
    }
    // The next beam of a beam search: the best rows, one of each score
    // (positions that score alike are most often the same cards moved in
    // another order), none seenBefore, at most width of them; kept.
    template <class SeenBefore>
    std::vector<Entry> KeepBest(std::vector<Row>& rows, std::size_t width, SeenTable& seen, SeenBefore&& seenBefore)
    {
        std::stable_sort(rows.begin(), rows.end(), [](const Row& x, const Row& y) { return x.Score > y.Score; });
        std::vector<Entry> next;
        for (Row& row : rows) {
            if (next.size() >= width) break;
            if (std::any_of(next.begin(), next.end(), [&](const Entry& e) { return e.Score == row.Score; })) continue;
            if (seenBefore(row)) continue;
            next.push_back({row.Score, Add(seen, row.Position, row.Key, row.Parent, row.Move)});
        }
        return next;
    }
    double Elapsed() const { return std::chrono::duration<double>(Clock::now() - started_).count(); }
    // Once spent, always spent.
    bool OutOfBudget()
    {
        stop_ = stop_ || (budget_.MaxStates > 0 && static_cast<std::int64_t>(Nodes.size()) >= budget_.MaxStates) ||
                Arena.size() + Nodes.size() * (sizeof(Node) + 64) > budget_.MaxMemoryBytes ||
                (cancel_ && cancel_->load(std::memory_order_relaxed)) ||
                (budget_.Seconds > 0 && Elapsed() > budget_.Seconds);
        return stop_;
    }

    std::vector<std::uint8_t> Arena;
    std::vector<Node> Nodes;
    // The positions met with the stock empty, keyed up to an exchange of
    // tableau piles where they are interchangeable then.
    std::unordered_set<std::uint64_t> DealtSeen;
    std::int32_t Winner = -1;  // the position the winning move was made from

private:
    using Clock = std::chrono::steady_clock;
    SolverBudget budget_;
    const std::atomic<bool>* cancel_;
    Clock::time_point started_ = Clock::now();
    bool stop_ = false;
};

}  // namespace vexa::solving
