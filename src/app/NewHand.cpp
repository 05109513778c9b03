#include "app/NewHand.h"

#include "core/Session.h"
#include "records/Score.h"
#include "records/Statistics.h"
#include "records/UndoJournal.h"
#include "rules/RedealStatus.h"
#include "table/Deal.h"
#include "table/PileLayout.h"

namespace vexa {

void DealHand(Session& session, bool keepOrder)
{
    const GameSettings& settings = session.Settings;
    const DealRules rules{settings.Decks, settings.Preplay, settings.Extract, settings.Postdeal};
    if (!keepOrder) Shuffle(session.Deck, rules, session.Rng);
    DealCards(session.Board, session.Deck, rules);
    session.RedealsLeft = settings.Redeals;
    UpdateScore(session);
}

void StartHandState(Session& session)
{
    session.OneTimeMove = 1;
    session.StreakBonus = 0;
    session.StreakCount = 0;
    session.WinCounted = false;
    session.Carrying = false;
    session.OriginPile = nullptr;
    ResetUndo(session);
}

void CollectCards(Session& session)
{
    Table& table = session.Board;
    for (int i = 1; i <= CardCount; ++i) table.MoveCard(table.CardAt(i), table.Store());
    for (int position = 0; position < table.ControlCount(); ++position) {
        Pile* pile = table.PileAt(position);
        if (!pile || pile == &table.DragPile()) continue;
        pile->Visible = true;
        LayOutPile(*pile);
    }
}

void DealNewHand(Session& session, NewHandKind kind)
{
    CollectCards(session);
    StartHandState(session);
    session.Menu.ScoreCaption.clear();
    if (kind == NewHandKind::Deal) {
        CloseHandStatistics(session);
        DealHand(session, false);
    } else {
        session.HandPlayed = false;
        DealHand(session, true);
    }
    RefreshStockHints(session);
}

}  // namespace vexa
