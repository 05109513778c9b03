#include "rules/KeyboardFocus.h"

#include <cstdlib>

#include "core/Session.h"
#include "rules/ClickDispatch.h"

namespace vexa {

namespace {

bool Focusable(const Session& session, const Pile* pile)
{
    return pile && pile != &session.Board.DragPile() && pile->Visible;
}

// Twice the centre, which keeps the arithmetic in whole numbers.
int CentreX(const Pile& pile) { return 2 * pile.Bounds.left + pile.Bounds.width; }
int CentreY(const Pile& pile) { return 2 * pile.Bounds.top + pile.Bounds.height; }

}  // namespace

Pile* FirstFocusPile(const Session& session)
{
    const Table& table = session.Board;
    for (int position = 0; position < table.ControlCount(); ++position)
        if (Pile* pile = table.PileAt(position); Focusable(session, pile)) return pile;
    return nullptr;
}

Pile* NearestPile(const Session& session, const Pile& from, FocusDirection direction)
{
    const Table& table = session.Board;
    Pile* best = nullptr;
    long bestScore = 0;
    for (int position = 0; position < table.ControlCount(); ++position) {
        Pile* pile = table.PileAt(position);
        if (!Focusable(session, pile) || pile == &from) continue;
        const long dx = CentreX(*pile) - CentreX(from);
        const long dy = CentreY(*pile) - CentreY(from);
        long ahead = 0, aside = 0;
        switch (direction) {
        case FocusDirection::Left: ahead = -dx, aside = dy; break;
        case FocusDirection::Right: ahead = dx, aside = dy; break;
        case FocusDirection::Up: ahead = -dy, aside = dx; break;
        case FocusDirection::Down: ahead = dy, aside = dx; break;
        }
        if (ahead <= 0) continue;
        const long score = ahead + 2 * std::labs(aside);
        if (!best || score < bestScore) {
            best = pile;
            bestScore = score;
        }
    }
    return best;
}

std::vector<Control*> ClickTargets(const Session& session, const Pile& pile)
{
    std::vector<Control*> targets;
    if (!Focusable(session, &pile)) return targets;
    for (Card* card : pile.Cards())
        if (CanClickCard(session, *card)) targets.push_back(card);
    if (CanClickPileArea(session, pile)) targets.push_back(const_cast<Pile*>(&pile));
    return targets;
}

}  // namespace vexa
