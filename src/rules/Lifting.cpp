#include "rules/Lifting.h"

#include "core/Session.h"
#include "table/PileLayout.h"

namespace vexa {

void MoveToDragPile(Session& session, Pile& pile, int from, int to)
{
    Table& table = session.Board;
    if (from >= 0 && to < pile.Count())
        for (int i = from; i <= to; ++i) table.MoveCard(*pile.CardAt(from), table.DragPile());
    LayOutPile(pile);
}

const Card* CarriedCard(const Session& session)
{
    const Pile& drag = session.Board.DragPile();
    return session.Carrying && drag.Count() > 0 ? drag.CardAt(0) : nullptr;
}

const Control* ControlAtPoint(const Session& session, int x, int y)
{
    if (x < 0 || y < 0 || x >= session.ClientWidth || y >= session.ClientHeight) return nullptr;
    const Table& table = session.Board;
    for (int position = table.ControlCount() - 1; position >= 0; --position) {
        const Control* control = table.ControlAt(position);
        if (!control->Windowed() || !control->Visible) continue;
        const Rect& r = control->Bounds;
        if (x >= r.left && x < r.left + r.width && y >= r.top && y < r.top + r.height) return control;
    }
    return nullptr;
}

bool IsUncovered(const Session& session, const Pile& pile)
{
    const int left = pile.Bounds.left;
    const int bottom = pile.Bounds.top + CardHeight - 2;
    if (ControlAtPoint(session, left + 1, bottom) != &pile) return false;
    return ControlAtPoint(session, left + CardWidth - 2, bottom) == &pile;
}

bool BringCardToTop(Session& session, Card& card, Pile& pile)
{
    if (session.Settings.Prepick != 1 || session.OneTimeMove != 0 || pile.Kind != 2) return false;
    if (card.Parent() != &pile) return false;
    Table& table = session.Board;
    table.MoveCard(card, table.DragPile());
    table.MoveCard(*table.DragPile().Top(), pile);
    --session.OneTimeMove;
    return true;
}

}  // namespace vexa
