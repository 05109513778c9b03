#include "rules/Autoplay.h"

#include "core/Session.h"
#include "records/Score.h"
#include "records/UndoJournal.h"
#include "rules/MoveRules.h"
#include "rules/PickUpAndDrop.h"
#include "table/PileLayout.h"

namespace vexa {

namespace {

bool IsSourceKind(int kind) { return kind == 1 || kind == 2 || kind == 4; }

}  // namespace

bool AutoMoveTopCard(Session& session, Pile& source)
{
    Table& table = session.Board;
    if (source.Count() == 0) return false;
    const int top = source.Count() - 1;
    for (int position = 0; position < table.ControlCount(); ++position) {
        Pile* target = table.PileAt(position);
        if (!target || target->Kind != 3 || target == &source) continue;
        if (!CanDrop(session, *target, source, top)) continue;
        session.OriginPile = &source;
        DropCards(session, *target, source, top);
        LayOutPile(source);
        return true;
    }
    return false;
}

void AutoplayCommand(Session& session)
{
    if (session.Carrying || session.Inert || session.Welcome) return;
    TakeSnapshot(session, SnapshotSide::Before);
    Table& table = session.Board;
    // Every move puts a card onto a foundation, so the run ends; the bound
    // only guards against a definition whose Postdrop step feeds cards back.
    const int moveLimit = 100 * CardCount;
    const int victoriesBefore = session.VictoriesShown;
    int moves = 0;
    for (int position = 0; position < table.ControlCount() && moves < moveLimit;) {
        Pile* pile = table.PileAt(position);
        if (pile && IsSourceKind(pile->Kind) && pile->Count() > 0 && AutoMoveTopCard(session, *pile)) {
            ++moves;
            position = 0;
        } else {
            ++position;
        }
    }
    // The closing score update would show the victory a second time when a
    // move of this run has just shown it.
    UpdateScore(session, session.VictoriesShown == victoriesBefore);
    if (moves > 0) RecordStep(session);
}

}  // namespace vexa
