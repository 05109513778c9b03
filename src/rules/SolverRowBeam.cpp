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
// A second beam follows with the same share, which searches each stage
// from all of its kept positions in one queue, best first, with the
// positions of all of them: the stage goes deeper from the most promising
// ones and leaves the others, and the positions left once the stock is
// empty go to the best of them rather than to the first two in turn.
// Which of the two beams reaches a row with the fewest cards face down
// differs from hand to hand; where one of them does so with a few cards
// left, the win comes within a few thousand positions after the last row.
//
// An ordering only, as the staged search: it leaves positions out, so it
// can find a win but never proves a loss, which stays with the plain
// search after it; a win is a line of moves played on the scratch table by
// the code of play.
#include "rules/SolverSearch.h"
#include "rules/SolverStagedStore.h"

#include <algorithm>

namespace vexa {

using namespace solving;

namespace {

// Positions kept from one row to the next; positions searched in each stage
// between rows from each of them, and once the stock is empty.
constexpr std::size_t BeamWidth = 4;
constexpr std::int64_t BeamStagePositions = 8000;
constexpr std::int64_t BeamLastPositions = 100000;
// Points per card in a run from a King at the bottom of a column; points
// less per card face down while the stock still holds rows.
constexpr int BeamClaimWeight = 150;
constexpr int BeamFaceDownWeight = 1500;
// Points less per run of one suit among the face-up cards of the column
// that has fewest (the third beam).
constexpr int BeamRunWeight = 100;

}  // namespace

void Solver::Search::FindRowBeam()
{
    if (!staged_ || !claimButton_ || orderings_.empty() || !orderings_.front().Staged) return;
    for (const Pile* pile : piles_)
        if (pile->Kind == 2 && pile->PickRule != 4) return;
    // Three beams take the depth-first search's place, with three tenths
    // of the budget each: in Spider the searches after them, which the
    // loss proofs need, won none of deals 1 to 50. The first searches each
    // stage from the kept positions in turn, the second from all of them
    // in one queue, the third as the first under a score of its own.
    Ordering beam = orderings_.front();
    beam.Beam = static_cast<int>(BeamWidth);
    beam.Claim = BeamClaimWeight;
    // Cards face down weigh three times the default before the last row: a
    // row is dealt from the positions that turned the most, not from those
    // that built the longest runs from Kings over hidden cards. In Spider
    // within 400,000 positions, deals 1 to 50: twice the default won 2, 3
    // and 11, where the default weight won 2 and 3 (on deals 1 to 20, 1,500
    // and 2,000 won 3 and 11). Without sideways moves, within 650,000
    // positions: 1,500 won deal 27 as well as the seven 1,000 won, and
    // 2,000 no more than 1,500 on the 31 deals it was run on.
    beam.FaceDown = BeamFaceDownWeight;
    beam.Share = 42;
    // None of the three moves runs sideways (see SolverSidewaysMoves.cpp).
    beam.NoSideways = true;
    Ordering pooled = beam;
    pooled.Pooled = true;
    orderings_.front() = beam;
    orderings_.insert(orderings_.begin() + 1, pooled);
    // The third also weighs how near the nearest column is to being cleared
    // down to its next face-down card, or to empty: points less per run of
    // one suit among the face-up cards of the column that has fewest. It
    // wins hands the two others do not (Spider deal 5, which they leave
    // unknown within 2,000,000 positions) and, as the weight of both beams,
    // lost theirs; so it comes after them, each with the same share. Spider
    // deals 1 to 20 within 650,000 positions (about 10 s since positions
    // are copied), with sideways moves still searched then: 2, 3, 5 and 11
    // won, where the two beams win 2, 3 and 11.
    Ordering nearest = beam;
    nearest.Runs = BeamRunWeight;
    orderings_.insert(orderings_.begin() + 2, nearest);
}

SolveAnswer Solver::Search::SearchRowBeam(const SolverBudget& budget, const std::atomic<bool>* cancel)
{
    spent_ = true;
    if (!usable_) return SolveAnswer{};
    StagedStore store(budget, cancel);
    seen_.clear();
    const State root = current_;
    using Entry = StagedStore::Entry;
    using Row = StagedStore::Row;
    auto stockLeft = [&](const State& state) { return state[PileBytes(state, rowStock_).first] & ~ShownFlag; };

    const Ordering kept = ordering_;
    ordering_.Staged = true;
    Restore(root.data(), root.size());
    won_ = false;
    std::vector<Entry> beam{{StagedScore(), store.Add(seen_, root, KeyHash(root), -1, PackedMove{})}};
    const std::size_t width = static_cast<std::size_t>(std::max(1, ordering_.Beam));
    bool won = false;
    while (!won && !beam.empty() && !store.OutOfBudget()) {
        const bool last = stockLeft(store.StateOf(beam.front().Id)) == 0;
        // Every row the stages can deal, scored as the table stands once
        // the row is down.
        std::vector<Row> rows;
        const auto row = [&](const Entry& entry, Child& child) {
            Restore(child.Position.data(), child.Position.size());
            rows.push_back({StagedScore(), entry.Id, std::move(child.Position), child.Move, child.Key});
        };
        const std::int64_t limit = last ? BeamLastPositions : BeamStagePositions;
        if (ordering_.Pooled)
            won = SearchStage(store, beam, limit * static_cast<std::int64_t>(beam.size()), row);
        else
            for (const Entry& from : beam)
                if ((won = SearchStage(store, {from}, limit, row)) || store.OutOfBudget()) break;
        if (won || last) break;
        // The best rows of all, one of each score.
        beam = store.KeepBest(rows, width, seen_, [&](const Row& row) {
            return Seen(row.Key, GetInt(row.Position.data() + row.Position.size() - 4));
        });
    }
    ordering_ = kept;
    return EndStaged(store, won, root);
}

}  // namespace vexa
