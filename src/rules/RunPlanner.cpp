// The search is a beam over single moves, one beam per number of rows left
// in the stock. Every layer expands every kept position and keeps the best
// children of each stock level by a score, each position once over the
// whole search. A deal's child joins the level below, so the positions
// before a row and after it never compete: a row is dealt from the best
// positions of its level as they are found, and a level whose positions are
// all searched empties by itself. When no level finds a better score for a
// while, the search starts again under other weights, and after each of
// them twice as wide, while the budget lasts.
//
// The score: a card face down costs most, as every win turns them all; a
// card in a run from a King at the bottom of its column counts for the win;
// above that run, each run of one suit is a piece still to be moved, and
// costs, a little less where it lies in order on the card below; an empty
// column is worth a few pieces. A beam this narrow is chaotic: which hands
// a weighting wins changes with small changes of it, so several take turns.
// On Spider deals 1 to 20 within 7 seconds each, one weighting alone won
// two to five hands, the four below in turn seven; on deals 1 to 50, 18.
#include "rules/RunPlanner.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <iterator>
#include <limits>

#include "rules/SolverSeenTable.h"

namespace vexa::solving {

namespace {

constexpr int MaxColumns = 12;
constexpr int MaxLevels = 16;  // rows in the stock, plus one
constexpr int FirstWidth = 200;
constexpr int StallLayers = 80;

struct Weights {
    int FaceDown, Suited, InOrder, Piece, Claim, Empty;
};
constexpr Weights WeightSets[] = {
    {400, 10, 10, 120, 40, 300},
    {200, 10, 10, 60, 20, 150},
    {1000, 10, 10, 120, 40, 300},
    {400, 10, 10, 60, 20, 150},
};
constexpr int WeightCount = static_cast<int>(std::size(WeightSets));

int Rank(std::uint8_t card) { return card & 15; }
int Suit(std::uint8_t card) { return card >> 4; }

// The cards of the run from a King at the bottom of a column, all face up,
// that the claim counts: 0 when the bottom card is no King or face down.
int ClaimedRun(const std::uint8_t* cards, int n, int down)
{
    if (n == 0 || down > 0 || Rank(cards[0]) != 13) return 0;
    int claimed = 1;
    while (claimed < n && Rank(cards[claimed]) + 1 == Rank(cards[claimed - 1])) ++claimed;
    return claimed;
}

// A column's share of a position's key and score, and whether it is done:
// empty, or one run from a King down, all face up.
struct ColumnSummary {
    std::uint64_t Hash;
    int Score;
    bool Done;
};

// A position with its columns' summaries, so that a move that changes two
// columns is keyed and scored by those two alone.
struct Position {
    std::uint8_t Length[MaxColumns], Down[MaxColumns];
    std::uint8_t Cards[MaxColumns][RunColumnCards];
    std::uint8_t Rows, Home;
    ColumnSummary Summary[MaxColumns];
    std::uint64_t Hash;  // the sum of the columns' shares
    int Score;           // the sum of the columns' scores
    int NotDone;         // columns not done
};

constexpr std::uint64_t Odd = 0x9E3779B97F4A7C15ull;

std::uint64_t Mix(std::uint64_t h)
{
    h *= Odd;
    return h ^ h >> 29;
}

// A column's share of the key: the hash of its cards and faces, mixed with
// where it stands, as the stock deals by place.
std::uint64_t Share(int column, std::uint64_t hash)
{
    return Mix(hash + static_cast<std::uint64_t>(column + 1) * 0xD6E8FEB86659FD93ull);
}

struct Game {
    int Columns;
    std::vector<std::uint8_t> Stock;
    Weights W = WeightSets[0];

    ColumnSummary Summarize(const std::uint8_t* cards, int n, int down) const
    {
        ColumnSummary summary{Mix(static_cast<std::uint64_t>(n | down << 8)), 0, n == 0};
        int k = 0;
        for (; k + 8 <= n; k += 8) {
            std::uint64_t word;
            std::memcpy(&word, cards + k, 8);
            summary.Hash = Mix(summary.Hash ^ word);
        }
        if (k < n) {
            std::uint64_t word = 0;
            std::memcpy(&word, cards + k, static_cast<std::size_t>(n - k));
            summary.Hash = Mix(summary.Hash ^ word);
        }
        if (n == 0) {
            summary.Score = W.Empty;
            return summary;
        }
        const int claimed = ClaimedRun(cards, n, down);
        int score = -W.FaceDown * down + W.Claim * claimed;
        summary.Done = claimed == n;
        const int from = std::max(claimed, down);
        for (int q = from; q < n; ++q) {
            const bool inOrder = q > from && Rank(cards[q]) + 1 == Rank(cards[q - 1]);
            if (inOrder && Suit(cards[q]) == Suit(cards[q - 1]))
                score += W.Suited;
            else
                score += inOrder ? W.InOrder - W.Piece : -W.Piece;
        }
        summary.Score = score;
        return summary;
    }

    // The key of a position, and its score: the columns', the runs home
    // and the rows left.
    static std::uint64_t Key(std::uint64_t hash, int rows, int home)
    {
        return hash ^ Mix(static_cast<std::uint64_t>(rows << 8 | home) + 1);
    }
    int Total(int score, int home) const { return score + W.Claim * 13 * home; }

    void Summarize(Position& p) const
    {
        p.Hash = 0;
        p.Score = 0;
        p.NotDone = 0;
        for (int c = 0; c < Columns; ++c) {
            p.Summary[c] = Summarize(p.Cards[c], p.Length[c], p.Down[c]);
            p.Hash += Share(c, p.Summary[c].Hash);
            p.Score += p.Summary[c].Score;
            p.NotDone += !p.Summary[c].Done;
        }
    }

    // Column c of p replaced by one summarized as now.
    static void Replace(std::uint64_t& hash, int& score, int& notDone, const Position& p, int c,
                        const ColumnSummary& now)
    {
        hash += Share(c, now.Hash) - Share(c, p.Summary[c].Hash);
        score += now.Score - p.Summary[c].Score;
        notDone += !now.Done - !p.Summary[c].Done;
    }

    static int DownAfterLift(const Position& p, int c, int left)
    {
        return left > 0 && p.Down[c] == left ? left - 1 : std::min<int>(p.Down[c], left);
    }

    // The key and score of the position move leads to from p, and whether
    // it is won, without making it.
    void Evaluate(const Position& p, const RunMove& move, std::uint64_t& key, int& score, bool& won) const
    {
        if (move.Kind == RunMove::Type::Deal) {
            const Position next = Apply(p, move);
            key = Key(next.Hash, next.Rows, next.Home);
            score = Total(next.Score, next.Home);
            won = next.Rows == 0 && next.NotDone == 0;
            return;
        }
        std::uint64_t hash = p.Hash;
        int sum = p.Score, notDone = p.NotDone, home = p.Home;
        const int c = move.From;
        const int left = move.Kind == RunMove::Type::Home ? p.Length[c] - 13 : move.At;
        Replace(hash, sum, notDone, p, c, Summarize(p.Cards[c], left, DownAfterLift(p, c, left)));
        if (move.Kind == RunMove::Type::Home) {
            ++home;
        } else {
            const int d = move.To, n = p.Length[c] - move.At;
            std::uint8_t joined[RunColumnCards];
            std::memcpy(joined, p.Cards[d], p.Length[d]);
            std::memcpy(joined + p.Length[d], p.Cards[c] + move.At, static_cast<std::size_t>(n));
            Replace(hash, sum, notDone, p, d, Summarize(joined, p.Length[d] + n, p.Down[d]));
        }
        key = Key(hash, p.Rows, home);
        score = Total(sum, home);
        won = p.Rows == 0 && notDone == 0;
    }

    // The position move leads to from p.
    Position Apply(const Position& p, const RunMove& move) const
    {
        Position next = p;
        const auto refresh = [&](int c) {
            const ColumnSummary now = Summarize(next.Cards[c], next.Length[c], next.Down[c]);
            Replace(next.Hash, next.Score, next.NotDone, next, c, now);
            next.Summary[c] = now;
        };
        switch (move.Kind) {
        case RunMove::Type::Home:
            next.Length[move.From] = static_cast<std::uint8_t>(next.Length[move.From] - 13);
            next.Down[move.From] = static_cast<std::uint8_t>(DownAfterLift(p, move.From, next.Length[move.From]));
            ++next.Home;
            refresh(move.From);
            break;
        case RunMove::Type::Run: {
            const int n = p.Length[move.From] - move.At;
            std::memcpy(&next.Cards[move.To][next.Length[move.To]], &p.Cards[move.From][move.At],
                        static_cast<std::size_t>(n));
            next.Length[move.To] = static_cast<std::uint8_t>(next.Length[move.To] + n);
            next.Length[move.From] = static_cast<std::uint8_t>(move.At);
            next.Down[move.From] = static_cast<std::uint8_t>(DownAfterLift(p, move.From, move.At));
            refresh(move.From);
            refresh(move.To);
            break;
        }
        case RunMove::Type::Deal: {
            const std::size_t row = static_cast<std::size_t>(p.Rows - 1) * static_cast<std::size_t>(Columns);
            for (int c = 0; c < Columns; ++c)
                next.Cards[c][next.Length[c]++] = Stock[row + static_cast<std::size_t>(Columns - 1 - c)];
            --next.Rows;
            Summarize(next);
            break;
        }
        }
        return next;
    }

    static bool CompleteOnTop(const Position& p, int c)
    {
        const int n = p.Length[c];
        if (n - p.Down[c] < 13) return false;
        const std::uint8_t* top = p.Cards[c] + n - 13;
        for (int k = 0; k < 13; ++k)
            if (Rank(top[k]) != 13 - k || Suit(top[k]) != Suit(top[0])) return false;
        return true;
    }

    // Every legal move from p but two kinds: moving a whole column onto an
    // empty one, or a run onto a second empty column. Once the stock is
    // empty they give nothing new, as nothing reads where a column stands
    // then; before, they differ only in where the next row's cards land,
    // and searched they crowd the beams: Spider deals 1 to 50 within 7
    // seconds each, 18 won without them, 9 with them. So a table won only
    // through one is missed, never one claimed won that is not.
    template <class Emit>
    void Moves(const Position& p, Emit&& emit) const
    {
        for (int c = 0; c < Columns; ++c)
            if (CompleteOnTop(p, c)) emit(RunMove{RunMove::Type::Home, c, 0, 0});
        for (int c = 0; c < Columns; ++c) {
            const int n = p.Length[c];
            if (n == 0) continue;
            int first = n - 1;
            while (first > p.Down[c] && Suit(p.Cards[c][first - 1]) == Suit(p.Cards[c][first]) &&
                   Rank(p.Cards[c][first - 1]) == Rank(p.Cards[c][first]) + 1)
                --first;
            for (int at = first; at < n; ++at) {
                bool emptyTried = false;
                for (int to = 0; to < Columns; ++to) {
                    if (to == c) continue;
                    if (p.Length[to] == 0) {
                        if (emptyTried || at == 0) continue;
                        emptyTried = true;
                    } else if (Rank(p.Cards[to][p.Length[to] - 1]) != Rank(p.Cards[c][at]) + 1) {
                        continue;
                    }
                    if (p.Length[to] + n - at <= RunColumnCards) emit(RunMove{RunMove::Type::Run, c, at, to});
                }
            }
        }
        if (p.Rows > 0) {
            for (int c = 0; c < Columns; ++c)
                if (p.Length[c] >= RunColumnCards) return;
            emit(RunMove{RunMove::Type::Deal, 0, 0, 0});
        }
    }

    RunTable Table(const Position& p) const
    {
        RunTable table;
        for (int c = 0; c < Columns; ++c) {
            table.Columns.emplace_back(p.Cards[c], p.Cards[c] + p.Length[c]);
            table.Down.push_back(p.Down[c]);
        }
        table.Stock.assign(Stock.begin(), Stock.begin() + p.Rows * Columns);
        table.Home = p.Home;
        return table;
    }
};

}  // namespace

bool RunTableWon(const RunTable& table)
{
    if (!table.Stock.empty()) return false;
    for (std::size_t c = 0; c < table.Columns.size(); ++c) {
        const auto& cards = table.Columns[c];
        const int n = static_cast<int>(cards.size());
        if (ClaimedRun(cards.data(), n, table.Down[c]) != n) return false;
    }
    return true;
}

std::optional<RunPlan> PlanRunGame(const RunTable& start, std::int64_t maxChildren, std::size_t maxBytes,
                                   const std::function<bool()>& stop, std::int64_t& spent)
{
    spent = 0;
    const int columns = static_cast<int>(start.Columns.size());
    if (columns == 0 || columns > MaxColumns || start.Stock.size() % static_cast<std::size_t>(columns) != 0 ||
        start.Stock.size() / static_cast<std::size_t>(columns) >= MaxLevels ||
        start.Down.size() != start.Columns.size())
        return std::nullopt;
    Game game{columns, start.Stock};
    Position root{};
    for (int c = 0; c < columns; ++c) {
        const auto& cards = start.Columns[static_cast<std::size_t>(c)];
        if (cards.size() > RunColumnCards) return std::nullopt;
        std::copy(cards.begin(), cards.end(), root.Cards[c]);
        root.Length[c] = static_cast<std::uint8_t>(cards.size());
        root.Down[c] = static_cast<std::uint8_t>(
            std::clamp<int>(start.Down[static_cast<std::size_t>(c)], 0, static_cast<int>(cards.size())));
    }
    root.Rows = static_cast<std::uint8_t>(start.Stock.size() / static_cast<std::size_t>(columns));
    root.Home = static_cast<std::uint8_t>(start.Home);
    game.Summarize(root);
    if (root.Rows == 0 && root.NotDone == 0) return RunPlan{};

    // The moves that reached each position kept, with its parent, for the line.
    struct Step {
        std::int32_t Parent;
        RunMove Move;
    };
    struct Kept {
        Position At;
        std::int32_t Step;
    };
    // A child met, made again only if it is kept.
    struct Candidate {
        int Score;
        std::uint64_t Hash;
        std::uint32_t From;  // in the beam
        std::uint8_t Level;
        RunMove Move;
    };
    auto outOfBudget = [&](std::size_t bytes) {
        return (maxChildren > 0 && spent >= maxChildren) || bytes > maxBytes || (stop && stop());
    };

    std::vector<Step> steps;
    std::vector<Candidate> candidates;
    std::array<std::vector<std::uint32_t>, MaxLevels> levels;
    for (int round = 0;; ++round) {
        game.W = WeightSets[round % WeightCount];
        game.Summarize(root);
        const std::size_t width = static_cast<std::size_t>(FirstWidth) << (round / WeightCount);
        steps.assign(1, Step{-1, RunMove{}});
        SeenTable seen;
        seen[Game::Key(root.Hash, root.Rows, root.Home)];
        std::vector<Kept> beam{Kept{root, 0}}, next;
        std::array<int, MaxLevels> record;
        record.fill(std::numeric_limits<int>::min());
        std::int32_t winner = -1;
        bool pruned = false;
        for (int stall = 0; !beam.empty() && stall <= StallLayers && winner < 0;) {
            candidates.clear();
            for (std::uint32_t from = 0; from < beam.size() && winner < 0; ++from) {
                const Position& at = beam[from].At;
                game.Moves(at, [&](const RunMove& move) {
                    if (winner >= 0) return;
                    ++spent;
                    std::uint64_t key;
                    int score;
                    bool won;
                    game.Evaluate(at, move, key, score, won);
                    if (seen.Find(key)) return;
                    if (won) {
                        steps.push_back(Step{beam[from].Step, move});
                        winner = static_cast<std::int32_t>(steps.size() - 1);
                        return;
                    }
                    const int level = at.Rows - (move.Kind == RunMove::Type::Deal ? 1 : 0);
                    candidates.push_back(Candidate{score, key, from, static_cast<std::uint8_t>(level), move});
                });
            }
            if (winner >= 0) break;
            const std::size_t bytes = seen.Bytes() + steps.capacity() * sizeof(Step) +
                                      candidates.capacity() * sizeof(Candidate) + 2 * beam.capacity() * sizeof(Kept);
            if (outOfBudget(bytes)) return std::nullopt;
            // The best of each stock level, each position once.
            for (auto& level : levels) level.clear();
            for (std::uint32_t i = 0; i < candidates.size(); ++i) levels[candidates[i].Level].push_back(i);
            const auto byScore = [&](std::uint32_t x, std::uint32_t y) {
                return candidates[x].Score > candidates[y].Score ||
                       (candidates[x].Score == candidates[y].Score && x < y);
            };
            bool better = false;
            next.clear();
            for (std::size_t level = 0; level < MaxLevels; ++level) {
                auto& best = levels[level];
                std::sort(best.begin(), best.end(), byScore);
                std::size_t taken = 0;
                for (const std::uint32_t i : best) {
                    if (taken == width) {
                        pruned = true;
                        break;
                    }
                    const Candidate& candidate = candidates[i];
                    if (seen.Find(candidate.Hash)) continue;
                    seen[candidate.Hash];
                    ++taken;
                    if (candidate.Score > record[level]) {
                        record[level] = candidate.Score;
                        better = true;
                    }
                    steps.push_back(Step{beam[candidate.From].Step, candidate.Move});
                    next.push_back(Kept{game.Apply(beam[candidate.From].At, candidate.Move),
                                        static_cast<std::int32_t>(steps.size() - 1)});
                }
            }
            beam.swap(next);
            stall = better ? 0 : stall + 1;
        }
        if (winner >= 0) {
            RunPlan plan;
            for (std::int32_t at = winner; at > 0; at = steps[static_cast<std::size_t>(at)].Parent)
                plan.Moves.push_back(steps[static_cast<std::size_t>(at)].Move);
            std::reverse(plan.Moves.begin(), plan.Moves.end());
            Position at = root;
            for (const RunMove& move : plan.Moves) {
                at = game.Apply(at, move);
                plan.Tables.push_back(game.Table(at));
            }
            return plan;
        }
        // A search that kept every position it met was exhaustive.
        if (!pruned || outOfBudget(0)) return std::nullopt;
    }
}

}  // namespace vexa::solving
