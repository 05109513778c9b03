#include "rules/Peek.h"

#include <algorithm>

#include "core/Session.h"
#include "table/PileLayout.h"

namespace vexa {

bool BeginPeek(Session& session, Control* sender, MouseButton button)
{
    if (button != MouseButton::Secondary || session.Peek.Pile) return false;
    if (!sender || sender->Type() != ControlType::Card) return false;
    CardContainer* parent = static_cast<Card*>(sender)->Parent();
    auto* pile = parent ? parent->AsPile() : nullptr;
    if (!pile || pile == &session.Board.DragPile()) return false;
    PeekState& peek = session.Peek;
    peek.HorzVisible = pile->Horz.Visible;
    peek.HorzPosition = pile->Horz.Position;
    peek.VertVisible = pile->Vert.Visible;
    peek.VertPosition = pile->Vert.Position;
    // A hidden bar has no range, so the pile shows its content from (0, 0).
    pile->ScrollBarsHidden = true;
    UpdateScrollBars(*pile);
    peek.Pile = pile;
    return true;
}

bool EndPeek(Session& session, MouseButton button)
{
    PeekState& peek = session.Peek;
    if (button != MouseButton::Secondary || !peek.Pile) return false;
    Pile& pile = *peek.Pile;
    pile.ScrollBarsHidden = false;
    UpdateScrollBars(pile);
    // A bar shows again when the pile's content still needs it; each position
    // is kept within its bar's range, as the toolkit does.
    pile.Horz.Position = std::clamp(peek.HorzPosition, 0, pile.Horz.Range);
    pile.Vert.Position = std::clamp(peek.VertPosition, 0, pile.Vert.Range);
    peek = PeekState{};
    return true;
}

}  // namespace vexa
