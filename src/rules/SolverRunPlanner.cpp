// The compact model's search (RunPlanner.h) as the first of the solver's
// searches, where the game's rules are exactly the model's: tableau
// columns that lift runs of one suit (PickRule 4), take a card one rank
// lower of any suit (DropRule 114) and any run when empty (EmptyDropRule
// 205); one stock that deals a card onto every column (PickRule 92); and
// foundations that take complete runs of one suit (DropRules 111 and 211);
// with a claim button that wins on runs from a King, and nothing else on
// the table. In Spider the model meets some 4,000,000 positions a second,
// where the general search keeps 60,000.
//
// The model decides nothing on its own: its line is replayed from the
// start, each move as the child of the general search's expansion, made
// by the code of play, whose table is the one the model expects; the last
// expansion must find the victory. A line that strays from the code of
// play is dropped and the searches after it go on as before. It can find
// a win but never proves a loss.
#include "rules/SolverSearch.h"

#include <chrono>

namespace vexa {

using namespace solving;

namespace {

// The model's children that count as one position of the budget: about
// what a position of the general search costs in time, in Spider.
constexpr std::int64_t ChildrenPerPosition = 64;

}  // namespace

bool Solver::Search::RunModelFits() const
{
    if (!staged_ || !claimButton_) return false;
    for (const GameButton* button : buttons_)
        if (button->Tag != 3) return false;
    int stocks = 0, columns = 0;
    for (const Pile* pile : piles_) {
        if (pile->ClickAction != 0) return false;
        switch (pile->Kind) {
        case 0:
            if (pile->PickRule != 92) return false;
            ++stocks;
            break;
        case 2:
            if (pile->PickRule != 4 || pile->DropRule != 114 || pile->EmptyDropRule != 205) return false;
            ++columns;
            break;
        case 3:
            if (pile->PickRule != 0 || pile->DropRule != 111 || pile->EmptyDropRule != 211) return false;
            break;
        default: return false;
        }
    }
    return stocks == 1 && columns > 0;
}

std::optional<RunTable> Solver::Search::CaptureRunTable() const
{
    RunTable table;
    for (const Pile* pile : piles_) {
        std::vector<std::uint8_t> cards;
        int down = 0;
        for (const Card* card : pile->Cards()) {
            const bool back = card->Face.State() == ctBack;
            // The model keeps the face-down cards of a column below its others.
            if (pile->Kind == 2 && back && down < static_cast<int>(cards.size())) return std::nullopt;
            down += back;
            cards.push_back(PackRunCard(card->Face.Value(), static_cast<int>(card->Face.Suit()) & 3));
        }
        if (pile->Kind == 0) {
            table.Stock = std::move(cards);
        } else if (pile->Kind == 2) {
            table.Columns.push_back(std::move(cards));
            table.Down.push_back(down);
        } else {
            // Complete runs only reach the foundations.
            if (cards.size() % 13 != 0) return std::nullopt;
            table.Home += static_cast<int>(cards.size() / 13);
        }
    }
    if (table.Columns.empty() || table.Stock.size() % table.Columns.size() != 0) return std::nullopt;
    return table;
}

void Solver::Search::FindRunPlanner()
{
    if (!RunModelFits()) return;
    // Seven tenths of the budget, then the row beams with the rest. In
    // Spider deals 1 to 20, at ten seconds a deal, the model's search alone
    // won five and the row beams four, two of them the same.
    Ordering planner;
    planner.RunPlanner = true;
    int others = 0;
    for (const Ordering& ordering : orderings_) others += ordering.Share;
    planner.Share = others * 7 / 3;
    orderings_.insert(orderings_.begin(), planner);
}

SolveAnswer Solver::Search::SearchRunPlanner(const SolverBudget& budget, const std::atomic<bool>* cancel)
{
    using Clock = std::chrono::steady_clock;
    const auto started = Clock::now();
    auto elapsed = [&] { return std::chrono::duration<double>(Clock::now() - started).count(); };
    spent_ = true;
    SolveAnswer answer;
    if (!usable_) return answer;
    const State root = current_;
    Restore(root.data(), root.size());
    const std::optional<RunTable> start = CaptureRunTable();
    if (!start) return answer;

    std::int64_t children = 0;
    const auto stop = [&] {
        return (cancel && cancel->load(std::memory_order_relaxed)) ||
               (budget.Seconds > 0 && elapsed() > budget.Seconds);
    };
    const std::optional<RunPlan> plan =
        PlanRunGame(*start, budget.MaxStates > 0 ? budget.MaxStates * ChildrenPerPosition : 0,
                    budget.MaxMemoryBytes / 2, stop, children);
    answer.States = (children + ChildrenPerPosition - 1) / ChildrenPerPosition;
    if (plan) {
        // Each move of the line as the child of the general expansion whose
        // table is the model's, until an expansion finds the victory.
        std::vector<std::pair<PackedMove, State>> line;
        State at = root;
        won_ = false;
        for (std::size_t i = 0; i <= plan->Moves.size(); ++i) {
            parent_ = at;
            deferredPile_ = -1;
            ExpandNode();
            if (won_ || i == plan->Moves.size()) break;
            const Child* next = nullptr;
            for (const Child& child : children_) {
                Restore(child.Position.data(), child.Position.size());
                const std::optional<RunTable> table = CaptureRunTable();
                if (table && *table == plan->Tables[i]) {
                    next = &child;
                    break;
                }
            }
            if (!next) break;
            line.emplace_back(next->Move, at);
            at = next->Position;
        }
        if (won_) {
            answer.Outcome = SolveOutcome::Won;
            for (const auto& [move, before] : line) Unpack(move, before, answer.Moves);
            Unpack(winningMove_, at, answer.Moves);
        }
    }
    spent_ = answer.Outcome != SolveOutcome::Won;
    answer.Seconds = elapsed();
    EndSearch(root);
    return answer;
}

}  // namespace vexa
