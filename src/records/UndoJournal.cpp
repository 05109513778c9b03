#include "records/UndoJournal.h"

#include "core/Session.h"

namespace vexa {

void ResetUndo(Session& session)
{
    session.Journal.UndoSteps.clear();
    session.Menu.Undo = false;
    // The counter slots keep their records: every interaction writes them
    // afresh with its Before snapshot.
    for (int slot = 0; slot < 104; ++slot)
        session.Journal.SnapshotTable[static_cast<std::size_t>(slot)] = {"0000000000", "0000000000"};
}

}  // namespace vexa
