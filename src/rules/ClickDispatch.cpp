#include "rules/ClickDispatch.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "core/Session.h"
#include "records/UndoJournal.h"
#include "rules/MoveRules.h"
#include "rules/PickUpAndDrop.h"
#include "rules/PileActions.h"
#include "table/PileLayout.h"

namespace vexa {

namespace {

// The table pile a card lies on; null for a card in the CardStore, the
// DragPile or on the welcome screen.
Pile* TablePileOf(Session& session, Card& card)
{
    auto* pile = card.Parent() ? card.Parent()->AsPile() : nullptr;
    return pile == &session.Board.DragPile() ? nullptr : pile;
}

Pile* TargetOf(Session& session, Control* sender)
{
    if (!sender) return nullptr;
    if (sender->Type() == ControlType::Card) return TablePileOf(session, *static_cast<Card*>(sender));
    if (sender->Type() == ControlType::Pile && sender != &session.Board.DragPile()) return static_cast<Pile*>(sender);
    return nullptr;
}

bool Contains(const Rect& outer, const Rect& inner)
{
    return inner.left >= outer.left && inner.top >= outer.top && inner.left + inner.width <= outer.left + outer.width &&
           inner.top + inner.height <= outer.top + outer.height;
}

// Do the rectangles together cover the whole of area? Cuts area into cells
// along every edge and tests each cell.
bool Covered(const Rect& area, const std::vector<Rect>& parts)
{
    if (area.width <= 0 || area.height <= 0) return true;
    std::vector<int> xs{area.left, area.left + area.width}, ys{area.top, area.top + area.height};
    for (const Rect& r : parts) {
        xs.push_back(std::clamp(r.left, area.left, area.left + area.width));
        xs.push_back(std::clamp(r.left + r.width, area.left, area.left + area.width));
        ys.push_back(std::clamp(r.top, area.top, area.top + area.height));
        ys.push_back(std::clamp(r.top + r.height, area.top, area.top + area.height));
    }
    std::sort(xs.begin(), xs.end());
    xs.erase(std::unique(xs.begin(), xs.end()), xs.end());
    std::sort(ys.begin(), ys.end());
    ys.erase(std::unique(ys.begin(), ys.end()), ys.end());
    for (std::size_t i = 0; i + 1 < xs.size(); ++i)
        for (std::size_t j = 0; j + 1 < ys.size(); ++j) {
            const Rect cell{xs[i], ys[j], xs[i + 1] - xs[i], ys[j + 1] - ys[j]};
            if (!std::any_of(parts.begin(), parts.end(), [&](const Rect& r) { return Contains(r, cell); }))
                return false;
        }
    return true;
}

}  // namespace

void DispatchClick(Session& session, Control* sender)
{
    if (session.Welcome || session.Inert) return;
    if (!session.Carrying) {
        // Every click while idle opens a new Before snapshot, whatever follows.
        TakeSnapshot(session, SnapshotSide::Before);
        if (!sender) return;
        if (sender->Type() == ControlType::Card) {
            Card& card = *static_cast<Card*>(sender);
            if (TablePileOf(session, card)) PickUp(session, card);
        } else if (Pile* pile = TargetOf(session, sender)) {
            PileAction(session, *pile);
        }
        return;
    }
    Pile* target = TargetOf(session, sender);
    if (!target) return;
    Pile& drag = session.Board.DragPile();
    if (!CanDrop(session, *target, drag, 0)) return;
    DropCards(session, *target, drag, 0);
    RecordStep(session);
}

bool CanClickCard(const Session& session, const Card& card)
{
    const Pile* pile = card.Parent() ? std::as_const(*card.Parent()).AsPile() : nullptr;
    if (!pile || pile == &session.Board.DragPile() || !pile->Visible || !card.Visible) return false;
    if (session.Welcome || session.Inert) return false;
    for (int i = pile->IndexOf(&card) + 1; i < pile->Count(); ++i) {
        const Card& above = *pile->CardAt(i);
        if (above.Visible && Contains(above.Bounds, card.Bounds)) return false;
    }
    return true;
}

bool CanClickPileArea(const Session& session, const Pile& pile)
{
    if (!pile.Visible || &pile == &session.Board.DragPile() || session.Welcome || session.Inert) return false;
    // The pile's client area in content coordinates: scrolled, less its bars.
    const Rect area{pile.Horz.Position, pile.Vert.Position, pile.Bounds.width - (pile.Vert.Visible ? ScrollBarSize : 0),
                    pile.Bounds.height - (pile.Horz.Visible ? ScrollBarSize : 0)};
    std::vector<Rect> shown;
    for (const Card* card : pile.Cards())
        if (card->Visible) shown.push_back(card->Bounds);
    return !Covered(area, shown);
}

}  // namespace vexa
