#include "rules/Autoplay.h"

#include "core/Session.h"
#include "records/Score.h"
#include "records/UndoJournal.h"
#include "rules/ClickDispatch.h"
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

bool SendCarriedToFoundation(Session& session, Control* sender)
{
    if (!session.Carrying || session.Inert || session.Welcome || !session.Menu.Autoplay || !sender) return false;
    Pile* origin = session.OriginPile;
    Pile& drag = session.Board.DragPile();
    if (!origin || !IsSourceKind(origin->Kind) || drag.Count() != 1) return false;
    const bool onOrigin = sender == origin ||
                          (sender->Type() == ControlType::Card && static_cast<Card*>(sender)->Parent() == origin);
    if (!onOrigin || session.Journal.Off) return false;
    // Autoplay moves only a top card: the Before snapshot of the lift must
    // show the card right above the cards its pile still holds (a card
    // lifted from further down, or brought up by the one-time move, is not).
    Table& table = session.Board;
    const SnapshotRecord& was =
        session.Journal.SnapshotTable[static_cast<std::size_t>(drag.CardAt(0)->Index() - 1)].Before;
    if (table.PileAt(was.Position) != origin || was.Place != origin->Count()) return false;
    for (int position = 0; position < table.ControlCount(); ++position) {
        Pile* target = table.PileAt(position);
        if (!target || target->Kind != 3 || target == origin) continue;
        if (!CanDrop(session, *target, drag, 0)) continue;
        DispatchClick(session, target);
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
