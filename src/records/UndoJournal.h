// The undo journal: snapshots of every card's place as fixed-width text
// records, and the steps made of the records that an interaction changed.
#pragma once

#include <array>
#include <string>
#include <vector>

namespace vexa {

struct Session;

struct SnapshotSlot {
    std::string Before;
    std::string After;
};

struct UndoJournal {
    std::vector<std::string> UndoSteps;  // oldest first
    // Slots 0..103 hold the records of cards 1..104, 104 OneTimeMove, 105 RedealsLeft.
    std::array<SnapshotSlot, 106> SnapshotTable;
};

// Empties the journal and resets the card slots of the snapshot table, as a
// game load, new deal or restart does.
void ResetUndo(Session& session);

}  // namespace vexa
