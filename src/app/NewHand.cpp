#include "app/NewHand.h"

#include "app/Session.h"
#include "records/Score.h"
#include "table/Deal.h"

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

}  // namespace vexa
