#include "records/GameButtons.h"

#include "core/Session.h"
#include "records/Score.h"
#include "records/UndoJournal.h"
#include "table/PileLayout.h"

namespace vexa {

namespace {

// Tag 1: the empty, visible tableau pile latest in TableOrder disappears.
void HideEmptyTableauPile(Session& session)
{
    const Table& table = session.Board;
    const KindSpan span = table.KindRange(2);
    for (int position = span.last; position >= span.first && position >= 0; --position) {
        Pile* pile = table.PileAt(position);
        if (pile && pile->Kind == 2 && pile->Visible && pile->Count() == 0) {
            pile->Visible = false;
            return;
        }
    }
}

// Tag 2: once no redeals are left, the player may bring one card of a
// tableau pile to its top (the next click on a card does it).
void ArmOneTimeMove(Session& session)
{
    if (session.RedealsLeft != 0) {
        session.Ui.ShowMessage("Can't be used until no redeals are left");
    } else if (!session.Carrying && session.OneTimeMove == 1) {
        TakeSnapshot(session, SnapshotSide::Before);
        session.OneTimeMove = 0;
        RecordStep(session);
    }
    if (session.OneTimeMove < 0) session.Ui.ShowMessage("You can do this only once per game");
}

// The length of the descending run that starts with a king at the bottom of
// the pile, whatever the suits and faces; 0 when the bottom card is no king.
int KingRunLength(const Pile& pile)
{
    if (pile.Count() == 0 || pile.CardAt(0)->Face.Value() != 13) return 0;
    int k = 1;
    while (k < pile.Count() && pile.CardAt(k)->Face.Value() == pile.CardAt(k - 1)->Face.Value() - 1) ++k;
    return k;
}

// Tag 3: when the tableau holds nothing but king-to-ace runs and the first
// foundation the rest, every card goes to the first foundation.
void ClaimWin(Session& session)
{
    Table& table = session.Board;
    const KindSpan tableau = table.KindRange(2);
    long long sum = 0;
    for (int position = tableau.first; position >= 0 && position <= tableau.last; ++position) {
        const Pile* pile = table.PileAt(position);
        if (pile && pile->Kind == 2) sum += KingRunLength(*pile);
    }
    Pile* foundation = table.PileAt(table.KindRange(3).first);
    if (foundation) sum += foundation->Count();
    if (sum != 104 || !foundation || session.Carrying) {
        session.Ui.ShowMessage("You haven't won yet, but keep trying!");
        return;
    }
    TakeSnapshot(session, SnapshotSide::Before);
    for (int index = 1; index <= CardCount; ++index) table.MoveCard(table.CardAt(index), *foundation);
    LayOutPile(*foundation);
    for (int position = tableau.first; position >= 0 && position <= tableau.last; ++position)
        if (Pile* pile = table.PileAt(position)) LayOutPile(*pile);
    RecordStep(session);
    UpdateScore(session);
}

}  // namespace

void PressGameButton(Session& session, GameButton& button)
{
    if (session.Inert) return;
    switch (button.Tag) {
    case 1: HideEmptyTableauPile(session); break;
    case 2: ArmOneTimeMove(session); break;
    case 3: ClaimWin(session); break;
    default: break;
    }
}

}  // namespace vexa
