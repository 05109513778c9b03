#include "rules/PileActions.h"

#include "core/Session.h"
#include "records/UndoJournal.h"
#include "rules/PickUpAndDrop.h"
#include "rules/RedealStatus.h"
#include "table/PileLayout.h"

namespace vexa {

namespace {

bool DealtFaceUp(const Pile& pile)
{
    return !pile.DealPattern.empty() && (pile.DealPattern.back() == 'u' || pile.DealPattern.back() == 'U');
}

// ClickActions 301 and 303: the waste turned over as a whole onto the empty
// stock, so that the stock deals again in the order it dealt before.
void RedealFromWaste(Session& session, Pile& stock, bool gatherLastWaste)
{
    Table& table = session.Board;
    if (session.RedealsLeft <= 0 || stock.Count() > 0) return;
    Pile* waste = FirstPileOfKind(table, 1);
    if (!waste) return;
    Pile* last = LastPileOfKind(table, 1);
    // With a single waste pile there is nothing to gather.
    if (gatherLastWaste && last != waste) {
        while (last->Count() > 0) table.MoveCard(*last->CardAt(0), *waste);
        LayOutPile(*last);
    }
    if (waste != &stock) {
        while (waste->Count() > 0) {
            Card& card = *waste->Top();
            card.Face.SetState(ctBack);
            table.MoveCard(card, stock);
        }
    }
    LayOutPile(*waste);
    if (DealtFaceUp(stock) && stock.Count() > 0 && stock.Top()->Face.State() == ctBack)
        stock.Top()->Face.SetState(ctFront);
    LayOutPile(stock);
    if (stock.Count() > 0) {
        --session.RedealsLeft;
        stock.ShowHint = false;
    }
}

// ClickAction 302: gather every tableau card, shuffle them onto the clicked
// pile and deal them out again, three to each shown tableau pile in
// TableOrder. A pile a game button hid gets none: its cards could be
// neither seen nor clicked.
void ReshuffleTableau(Session& session, Pile& pile)
{
    Table& table = session.Board;
    Pile& drag = table.DragPile();
    if (drag.Count() > 0 || session.RedealsLeft <= 0 || pile.Count() > 0) return;
    const KindSpan span = table.KindRange(2);
    for (int position = span.first; span.first >= 0 && position <= span.last; ++position) {
        Pile* tableau = table.PileAt(position);
        if (!tableau || tableau->Kind != 2) continue;
        while (tableau->Count() > 0) table.MoveCard(*tableau->Top(), drag);
    }
    while (drag.Count() > 0) table.MoveCard(*drag.CardAt(session.Rng.Draw(drag.Count())), pile);

    // The clicked pile itself is never dealt to (it may be a tableau pile).
    auto nextTableau = [&](int from) {
        for (int position = from; span.first >= 0 && position <= span.last; ++position) {
            Pile* tableau = table.PileAt(position);
            if (tableau && tableau->Kind == 2 && tableau->Visible && tableau != &pile) return position;
        }
        return -1;
    };
    int current = nextTableau(span.first);
    while (pile.Count() > 0 && current >= 0) {
        Pile& to = *table.PileAt(current);
        const int next = nextTableau(current + 1);
        // Three cards each; the last shown tableau pile takes whatever is
        // left, so that a tableau too small for its cards loses none of them.
        for (int k = 0; pile.Count() > 0 && (k < 3 || next < 0); ++k) table.MoveCard(*pile.Top(), to);
        LayOutPile(to);
        current = next;
    }
    // Cards left with no tableau pile to take them stay on the clicked pile.
    if (pile.Count() > 0) LayOutPile(pile);
    --session.RedealsLeft;
    ShowRedealStatus(session, pile);
}

}  // namespace

void PileAction(Session& session, Pile& pile)
{
    switch (pile.ClickAction) {
    case 301: RedealFromWaste(session, pile, false); break;
    case 302: ReshuffleTableau(session, pile); break;
    case 303: RedealFromWaste(session, pile, true); break;
    default: break;
    }
    RecordStep(session);
}

}  // namespace vexa
