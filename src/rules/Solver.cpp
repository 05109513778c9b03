// The search loop: best first over the positions kept, until a win, the
// end of the positions, or the budget; then the answer and its line. One
// call makes a search under each ordering in turn (see SolverOrdering.cpp).
#include "rules/SolverSearch.h"

#include <algorithm>
#include <chrono>
#include <cstring>
#include <queue>

#include "records/Score.h"
#include "table/PileLayout.h"

namespace vexa {

using namespace solving;

namespace {

struct Node {
    std::uint64_t StateOffset = 0;
    std::uint32_t StateLength = 0;
    std::int32_t Parent = -1;
    std::int32_t Redeals = 0;
    std::uint64_t Key = 0;
    PackedMove Move;
    // Reached by playing a talon card to this pile (see the deferred
    // plays): the next move must put cards on it. -1 for none.
    std::int16_t Deferred = -1;
    std::int32_t Depth = 0;  // moves from the start
};

struct QueueEntry {
    int Priority;
    std::int32_t Id;
    // Highest priority first; among equals the older position.
    bool operator<(const QueueEntry& other) const
    {
        return Priority != other.Priority ? Priority < other.Priority : Id > other.Id;
    }
};

}  // namespace

Solver::Search::Search(const Session& live) : s_(pictures_, ui_, clock_, live.ScreenWidth, live.ScreenHeight)
{
    CopyGameOnto(live, s_);
    usable_ = !live.Welcome && !live.Inert && !live.Carrying;
    Table& board = s_.Board;
    const Table& from = live.Board;
    for (int position = 0; position < board.ControlCount(); ++position) {
        const Control* control = board.ControlAt(position);
        if (control->Type() == ControlType::Pile && static_cast<const Pile*>(control)->ClickAction == 302)
            keepsGenerator_ = true;
        if (control->Type() == ControlType::Button && static_cast<const GameButton*>(control)->Tag == 2)
            redealsDominate_ = false;
    }
    // The copy must stand at the same TableOrder positions as the live
    // table, since rules find piles by position.
    if (board.ControlCount() != from.ControlCount()) usable_ = false;
    for (int position = 0; usable_ && position < board.ControlCount(); ++position) {
        const Control* mine = board.ControlAt(position);
        const Control* theirs = from.ControlAt(position);
        if (mine->Type() != theirs->Type() || mine->Name != theirs->Name) usable_ = false;
        if (Pile* pile = board.PileAt(position); pile && pile != &board.DragPile()) {
            piles_.push_back(pile);
            pilePositions_.push_back(position);
            LayOutPile(*pile);
        } else if (mine->Type() == ControlType::Button) {
            buttons_.push_back(static_cast<GameButton*>(board.ControlAt(position)));
        }
    }
    for (Pile* pile : piles_)
        for (const Card* card : pile->Cards())
            if (card->Index() > 127) usable_ = false;
    FindInterchangeablePiles();
    FindOrderFreeFoundations();
    FindInterchangeableFoundations();
    FindTwoWayOrdering();
    FindRankOnlyKeys();
    FindCopyKeys();
    FindFoundationSlides();
    FindStockCycles();
    FindSafeMoves();
    FindDeferredPlays();
    FindTalonReturns();
    FindLockedPiles();
    FindBuriedCards();
    FindParkedCards();
    FindStagedSearch();
    FindGrowingFoundations();
    FindStuckWastes();
    FindGapLifts();
    FindOrderings();
    FindVictoryOutOfReach();
    simpleLifts_ = s_.Settings.Prepick == 0 && s_.Settings.Postpick == 0;
    Capture(current_);
    Synced();
}

Solver::Solver(const Session& live) : search_(std::make_unique<Search>(live)) {}

Solver::~Solver() = default;

SolveAnswer Solver::Solve(const SolverBudget& budget, const std::atomic<bool>* cancel)
{
    return search_->Run(budget, cancel);
}

SolveAnswer Solver::Search::Run(const SolverBudget& budget, const std::atomic<bool>* cancel)
{
    // One search per ordering, each with its share of what the earlier ones
    // left of the budget, until one decides the hand. A search that ran out
    // of positions without a proof of loss would do so under any ordering.
    if (victoryOutOfReach_) return OutOfReach(budget, cancel);
    int sharesLeft = 0;
    for (const Ordering& ordering : orderings_) sharesLeft += ordering.Share;
    SolveAnswer answer;
    for (const Ordering& ordering : orderings_) {
        SolverBudget part = budget;
        if (budget.Seconds > 0) part.Seconds = std::max(0.0, budget.Seconds - answer.Seconds) * ordering.Share / sharesLeft;
        if (budget.MaxStates > 0)
            part.MaxStates = std::max<std::int64_t>(1, (budget.MaxStates - answer.States) * ordering.Share / sharesLeft);
        sharesLeft -= ordering.Share;
        ordering_ = ordering;
        SolveAnswer one = ordering.RunPlanner ? SearchRunPlanner(part, cancel)
                          : ordering.StockBeam  ? SearchStockBeam(part, cancel)
                          : !ordering.Staged  ? SearchOnce(part, cancel)
                          : ordering.Beam > 0 ? SearchRowBeam(part, cancel)
                                              : SearchStaged(part, cancel);
        one.States += answer.States;
        one.Seconds += answer.Seconds;
        // The line to the best position the first search found stays the
        // best guess.
        if (one.Outcome == SolveOutcome::Unknown && !answer.Moves.empty()) one.Moves = std::move(answer.Moves);
        answer = std::move(one);
        if (answer.Outcome != SolveOutcome::Unknown || !spent_ || (cancel && cancel->load())) break;
    }
    ordering_ = orderings_.front();
    return answer;
}

SolveAnswer Solver::Search::SearchOnce(const SolverBudget& budget, const std::atomic<bool>* cancel)
{
    using Clock = std::chrono::steady_clock;
    const auto started = Clock::now();
    auto elapsed = [&] { return std::chrono::duration<double>(Clock::now() - started).count(); };
    SolveAnswer answer;
    if (!usable_) return answer;

    // A hand that is won already needs no move.
    ui_.Victories = 0;
    State root = current_;
    UpdateScore(s_);
    if (ui_.Victories > 0) {
        answer.Outcome = SolveOutcome::Won;
        answer.Seconds = elapsed();
        return answer;
    }
    Restore(root.data(), root.size());
    won_ = false;
    lossUnproven_ = false;

    std::vector<std::uint8_t> arena;
    std::vector<Node> nodes;
    seen_.clear();
    std::priority_queue<QueueEntry> open;
    const std::size_t entryBytes = sizeof(Node) + sizeof(QueueEntry) + 48;
    constexpr std::size_t MemoEntryBytes = 48;

    // The position that scored best, for a move that makes progress when
    // the budget runs out; it must score above the start.
    Restore(root.data(), root.size());
    int bestPriority = Priority();
    std::int32_t best = -1;
    auto stateOf = [&](std::int32_t id) {
        const Node& node = nodes[static_cast<std::size_t>(id)];
        return State(arena.begin() + static_cast<std::ptrdiff_t>(node.StateOffset),
                     arena.begin() + static_cast<std::ptrdiff_t>(node.StateOffset + node.StateLength));
    };
    // The moves to a node, and then the move made from it (if any).
    auto lineTo = [&](std::int32_t id, const PackedMove* last) {
        std::vector<std::int32_t> path;
        for (std::int32_t at = id; at > 0; at = nodes[static_cast<std::size_t>(at)].Parent) path.push_back(at);
        std::vector<SolverMove> moves;
        for (auto it = path.rbegin(); it != path.rend(); ++it)
            Unpack(nodes[static_cast<std::size_t>(*it)].Move, stateOf(nodes[static_cast<std::size_t>(*it)].Parent),
                   moves);
        if (last) Unpack(*last, stateOf(id), moves);
        return moves;
    };
    auto add = [&](const State& state, std::uint64_t key, std::int32_t parent, const PackedMove& move, int priority,
                   std::int16_t deferred) {
        const std::int32_t redeals = GetInt(state.data() + state.size() - 4);
        auto& seen = deferred >= 0 ? deferredSeen_ : seen_;
        if (SeenIn(seen, key, redeals)) return;
        seen[key] = redeals;
        Node node;
        node.Deferred = deferred;
        node.Key = key;
        node.StateOffset = arena.size();
        node.StateLength = static_cast<std::uint32_t>(state.size());
        node.Parent = parent;
        node.Redeals = redeals;
        node.Move = move;
        node.Depth = parent >= 0 ? nodes[static_cast<std::size_t>(parent)].Depth + 1 : 0;
        arena.insert(arena.end(), state.begin(), state.end());
        nodes.push_back(node);
        const int noise =
            ordering_.Noise > 0
                ? static_cast<int>(HashFinish(key ^ ordering_.Salt) % static_cast<std::uint64_t>(ordering_.Noise))
                : 0;
        open.push({priority + ordering_.Depth * node.Depth + noise, static_cast<std::int32_t>(nodes.size() - 1)});
        if (parent >= 0 && priority > bestPriority) {
            bestPriority = priority;
            best = static_cast<std::int32_t>(nodes.size() - 1);
        }
    };
    add(root, KeyHash(root), -1, PackedMove{}, 0, -1);

    std::int64_t expanded = 0;
    bool& spent = spent_;
    spent = false;
    while (!open.empty()) {
        if ((budget.MaxStates > 0 && static_cast<std::int64_t>(nodes.size()) >= budget.MaxStates) ||
            arena.size() + nodes.size() * entryBytes + cycleOf_.size() * MemoEntryBytes > budget.MaxMemoryBytes ||
            (cancel && cancel->load(std::memory_order_relaxed)) || (budget.Seconds > 0 && elapsed() > budget.Seconds)) {
            spent = true;
            break;
        }
        const std::int32_t id = open.top().Id;
        open.pop();
        const Node node = nodes[static_cast<std::size_t>(id)];
        parent_.assign(arena.begin() + static_cast<std::ptrdiff_t>(node.StateOffset),
                       arena.begin() + static_cast<std::ptrdiff_t>(node.StateOffset + node.StateLength));
        // A later visit with more redeals left supersedes this one.
        const bool deferred = node.Deferred >= 0;
        if (redealsDominate_ && (deferred ? deferredSeen_ : seen_)[node.Key] > node.Redeals) continue;
        // A position reached by a deferred play and also otherwise is
        // searched in full as the other.
        if (deferred && Seen(KeyHash(parent_), node.Redeals)) continue;
        deferredPile_ = node.Deferred;
        if (deferred) {
            const auto [at, n] = PileBytes(parent_, static_cast<std::size_t>(deferredPile_));
            deferredBytes_.assign(parent_.begin() + static_cast<std::ptrdiff_t>(at),
                                  parent_.begin() + static_cast<std::ptrdiff_t>(at + n));
        }
        ++expanded;
        ExpandNode();
        deferredPile_ = -1;
        if (won_) {
            answer.Outcome = SolveOutcome::Won;
            answer.Moves = lineTo(id, &winningMove_);
            break;
        }
        for (const Child& child : children_)
            add(child.Position, child.Key, id, child.Move, child.Priority, child.Deferred);
        // A line to a score of 0 cannot be bettered.
        if (ordering_.LowestScore && best >= 0 && bestPriority >= 0) break;
    }
    if (!won_ && !spent && !lossUnproven_) answer.Outcome = SolveOutcome::Lost;
    if ((answer.Outcome == SolveOutcome::Unknown || ordering_.LowestScore) && best >= 0)
        answer.Moves = lineTo(best, nullptr);
    answer.States = static_cast<std::int64_t>(nodes.size());
    answer.Seconds = elapsed();
    EndSearch(root);
    return answer;
}

void Solver::Search::EndSearch(const State& root)
{
    // Leave the scratch table where it started, for the next call.
    Restore(root.data(), root.size());
    ui_.Victories = 0;
    won_ = false;
    // The positions' keys are no use to the next search: their memory goes.
    seen_ = SeenTable();
    deferredSeen_ = SeenTable();
}

SolveAnswer SolvePosition(const Session& live, const SolverBudget& budget) { return Solver(live).Solve(budget); }

const char* OutcomeName(SolveOutcome outcome)
{
    switch (outcome) {
    case SolveOutcome::Won: return "won";
    case SolveOutcome::Lost: return "lost";
    case SolveOutcome::Unknown: break;
    }
    return "unknown";
}

}  // namespace vexa
