// The compact model's search: the lines it finds are legal in the model and
// end won, its budget holds, and a hand it cannot win ends the search.
#include <gtest/gtest.h>

#include "rules/RunPlanner.h"

namespace vexa::solving {
namespace {

// A column from rank `high` down to `low`, alternating two suits, face up.
std::vector<std::uint8_t> Mixed(int high, int low, int suit)
{
    std::vector<std::uint8_t> cards;
    for (int rank = high; rank >= low; --rank) cards.push_back(PackRunCard(rank, (suit + rank) % 2));
    return cards;
}

// Replays a plan's moves on plain vectors, so that the model's own moves
// are checked by another hand: each lifts a run of one suit onto a card one
// rank higher or an empty column, deals a row, or sends a full suit home.
RunTable Replay(RunTable table, const std::vector<RunMove>& moves)
{
    const std::size_t columns = table.Columns.size();
    for (const RunMove& move : moves) {
        auto& from = table.Columns[static_cast<std::size_t>(move.From)];
        if (move.Kind == RunMove::Type::Deal) {
            for (std::size_t c = 0; c < columns; ++c) {
                table.Columns[c].push_back(table.Stock.back());
                table.Stock.pop_back();
            }
            continue;
        }
        const std::size_t at = move.Kind == RunMove::Type::Home ? from.size() - 13 : static_cast<std::size_t>(move.At);
        EXPECT_GE(static_cast<int>(at), table.Down[static_cast<std::size_t>(move.From)]);
        for (std::size_t k = at + 1; k < from.size(); ++k) {
            EXPECT_EQ(from[k] >> 4, from[k - 1] >> 4);
            EXPECT_EQ((from[k] & 15) + 1, from[k - 1] & 15);
        }
        if (move.Kind == RunMove::Type::Home) {
            EXPECT_EQ(from[at] & 15, 13);
            ++table.Home;
        } else {
            auto& to = table.Columns[static_cast<std::size_t>(move.To)];
            EXPECT_TRUE(to.empty() || (to.back() & 15) == (from[at] & 15) + 1);
            to.insert(to.end(), from.begin() + static_cast<std::ptrdiff_t>(at), from.end());
        }
        from.resize(at);
        int& down = table.Down[static_cast<std::size_t>(move.From)];
        down = std::min<int>(down, static_cast<int>(from.size()) - (from.empty() ? 0 : 1));
        if (from.empty()) down = 0;
    }
    return table;
}

TEST(RunPlanner, FindsLinesThatReplayToAWin)
{
    // Three hands: a Jack to move onto the other column's Queen; a row to
    // deal, whose Ace ends one run and whose King starts another on the
    // empty column; a complete suit to send home, which turns the King
    // beneath it.
    RunTable swap;
    swap.Columns = {{PackRunCard(13, 0), PackRunCard(11, 1)}, {PackRunCard(13, 1), PackRunCard(12, 0)}, {}};
    swap.Down = {0, 0, 0};
    RunTable deal;
    deal.Columns = {Mixed(13, 2, 0), {}};
    deal.Down = {0, 0};
    deal.Stock = {PackRunCard(13, 2), PackRunCard(1, 3)};
    RunTable home;
    home.Columns = {{PackRunCard(13, 2)}};
    for (int rank = 13; rank >= 1; --rank) home.Columns[0].push_back(PackRunCard(rank, 1));
    home.Down = {1};
    for (const RunTable& start : {swap, deal, home}) {
        std::int64_t spent = 0;
        const auto plan = PlanRunGame(start, 0, std::size_t{64} << 20, nullptr, spent);
        ASSERT_TRUE(plan);
        ASSERT_EQ(plan->Tables.size(), plan->Moves.size());
        const RunTable end = Replay(start, plan->Moves);
        EXPECT_TRUE(RunTableWon(end));
        EXPECT_EQ(end.Columns, plan->Tables.back().Columns);
        EXPECT_EQ(end.Home, plan->Tables.back().Home);
    }
}

TEST(RunPlanner, StopsWithinItsBudgetAndOnAHandItCannotWin)
{
    // No King: no column can ever start from one.
    RunTable lost;
    lost.Columns = {{PackRunCard(12, 0)}, {PackRunCard(12, 1), PackRunCard(11, 0)}, {}};
    lost.Down = {0, 0, 0};
    std::int64_t spent = 0;
    EXPECT_FALSE(PlanRunGame(lost, 0, std::size_t{64} << 20, nullptr, spent));
    EXPECT_GT(spent, 0);
    // A stop that is already true ends the search after its first layer.
    RunTable open;
    open.Columns = {Mixed(13, 7, 0), Mixed(6, 1, 1), {}};
    open.Down = {3, 2, 0};
    EXPECT_FALSE(PlanRunGame(open, 0, std::size_t{64} << 20, [] { return true; }, spent));
    EXPECT_LT(spent, 20);
}

}  // namespace
}  // namespace vexa::solving
