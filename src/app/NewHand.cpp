#include "app/NewHand.h"

#include <optional>

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
    if (!keepOrder) {
        session.DealNumber = session.Rng.State();
        Shuffle(session.Deck, rules, session.Rng);
    }
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

namespace {

// A new hand or a restart; number, when given, is the generator's state for
// the new hand's shuffle.
void StartOver(Session& session, NewHandKind kind, std::optional<std::uint32_t> number)
{
    CollectCards(session);
    StartHandState(session);
    session.Menu.ScoreCaption.clear();
    if (kind == NewHandKind::Deal) {
        CloseHandStatistics(session);
        if (number) session.Rng.Seed(*number);
        DealHand(session, false);
    } else {
        session.HandPlayed = false;
        DealHand(session, true);
    }
    RefreshStockHints(session);
}

}  // namespace

void DealNewHand(Session& session, NewHandKind kind) { StartOver(session, kind, std::nullopt); }

void DealNumberedHand(Session& session, std::uint32_t number) { StartOver(session, NewHandKind::Deal, number); }

}  // namespace vexa
