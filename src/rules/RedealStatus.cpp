#include "rules/RedealStatus.h"

#include "core/Session.h"

namespace vexa {

std::string RedealStatusText(int redealsLeft)
{
    if (redealsLeft == 0) return "No redeals";
    if (redealsLeft == 1) return "1 redeal left";
    if (redealsLeft > 1000) return "Unlimited redeals";
    return std::to_string(redealsLeft) + " redeals left";
}

void ShowRedealStatus(Session& session, Pile& pile)
{
    pile.Hint = RedealStatusText(session.RedealsLeft);
    pile.ShowHint = true;
}

void RefreshStockHints(Session& session)
{
    const Table& table = session.Board;
    const KindSpan span = table.KindRange(0);
    if (span.first < 0) return;
    for (int position = span.first; position <= span.last; ++position) {
        Pile* pile = table.PileAt(position);
        if (!pile || pile->Kind != 0) continue;
        if (pile->Count() > 0)
            pile->ShowHint = false;
        else
            ShowRedealStatus(session, *pile);
    }
}

}  // namespace vexa
