// The winning line a hint search (or "Winnable deals only") found, kept so
// that the next hints along it answer at once. The line is replayed on a
// scratch copy of the table when it is kept, which gives the position
// before each of its moves; a hint then trusts the line only where the live
// table stands exactly at one of those positions.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "rules/Solver.h"

namespace vexa {

struct Session;

// The position as far as play can tell it: every pile's cards with their
// faces and whether the pile shows, the counters, the generator's state and
// whether cards are carried.
std::string PositionKey(const Session& session);

class HintLine {
public:
    // Keeps a line that wins from the position on the live table. A line
    // whose replay stops short (a command that names nothing) is kept up to
    // there. Where it starts by turning the stock and its first card move
    // reaches the same position when made first, that move is put first: a
    // card move is the more useful hint.
    void Keep(const Session& live, const std::vector<SolverMove>& moves);
    // The move of the line to make from the live position, or null when the
    // table stands on no position of the line.
    const SolverMove* Next(const Session& live);
    void Clear();
    std::size_t Size() const { return moves_.size(); }

private:
    std::vector<SolverMove> moves_;
    std::vector<std::string> keys_;  // the position before each move
    std::size_t at_ = 0;             // where the table last stood on the line
};

}  // namespace vexa
