// The keyboard's part of the table view: the focus that arrows and Page
// keys move, the keys that click and peek, and the frame that shows it.
#include <algorithm>
#include <vector>

#include <QKeyEvent>

#include "app/FocusFrame.h"
#include "app/TableView.h"
#include "cards/CardWidget.h"
#include "core/Session.h"
#include "rules/KeyboardFocus.h"
#include "rules/Peek.h"
#include "table/PileWidget.h"

namespace vexa {

Control* TableView::FocusTarget()
{
    if (!keyboardShown_ || session_.Welcome) return nullptr;
    Table& table = session_.Board;
    Pile* pile = nullptr;
    for (int position = 0; position < table.ControlCount() && !pile; ++position)
        if (table.ControlAt(position)->Serial() == focusPile_) pile = table.PileAt(position);
    if (!pile || !pile->Visible) pile = FirstFocusPile(session_);
    if (!pile) return nullptr;
    // The focused card while a player could click it; otherwise the pile's
    // top clickable card, or its own area.
    const std::vector<Control*> targets = ClickTargets(session_, *pile);
    Control* wanted = focusCard_ > 0    ? static_cast<Control*>(&table.CardAt(focusCard_))
                      : focusCard_ == 0 ? static_cast<Control*>(pile)
                                        : nullptr;
    if (std::find(targets.begin(), targets.end(), wanted) == targets.end()) {
        wanted = pile;
        for (Control* target : targets)
            if (target != pile) wanted = target;
    }
    FocusOn(pile, wanted);
    return wanted;
}

void TableView::FocusOn(Pile* pile, Control* target)
{
    focusPile_ = pile->Serial();
    focusCard_ = target && target->Type() == ControlType::Card ? static_cast<Card*>(target)->Index() : 0;
}

void TableView::ResetFocus()
{
    keyboardShown_ = false;
    focusPile_ = 0;
    focusCard_ = -1;
    ShowFocus();
}

void TableView::HideKeyboardFocus()
{
    if (!keyboardShown_) return;
    keyboardShown_ = false;
    ShowFocus();
}

void TableView::ShowFocus()
{
    Control* target = FocusTarget();
    if (!target) {
        focusFrame_->hide();
        return;
    }
    QRect ring;
    if (target->Type() == ControlType::Card) {
        const CardWidget* card = cards_[static_cast<std::size_t>(static_cast<Card*>(target)->Index())];
        ring = QRect(card->mapTo(this, QPoint()), card->size());
        // A card of a scrolled pile is ringed where the pile shows it.
        if (auto* pile = qobject_cast<PileWidget*>(card->parentWidget()->parentWidget()->parentWidget()))
            ring &= QRect(pile->viewport()->mapTo(this, QPoint()), pile->viewport()->size());
    } else {
        ring = Screen(target->Bounds);
    }
    focusFrame_->Surround(ring, std::max(1, qRound(FocusFrame::Thickness * scale_)));
    focusFrame_->show();
    focusFrame_->raise();
}

bool TableView::KeyPress(QKeyEvent* event)
{
    // Only the keys of play show the frame: a mouse player's Ctrl+Z or a
    // lone modifier does not.
    switch (event->key()) {
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
    case Qt::Key_Escape:
    case Qt::Key_P:
        if (event->modifiers() & ~(Qt::KeypadModifier | Qt::ShiftModifier)) return false;
        break;
    default: return false;
    }
    // A key held down since before the table had the keys (Enter that
    // closed the chooser) repeats here: it shows no frame and plays nothing.
    if (!keyboardShown_ && event->isAutoRepeat()) return true;
    const bool first = !keyboardShown_;
    keyboardShown_ = true;
    Control* target = FocusTarget();
    Pile* pile = target && target->Type() == ControlType::Card
                     ? dynamic_cast<Pile*>(static_cast<Card*>(target)->Parent())
                     : static_cast<Pile*>(target);
    auto move = [&](FocusDirection direction) {
        if (first || !pile) return;  // the first key only shows where the focus is
        if (Pile* next = NearestPile(session_, *pile, direction)) {
            FocusOn(next, nullptr);
            focusCard_ = -1;  // FocusTarget picks the pile's top clickable card
        }
    };
    auto step = [&](int delta) {
        if (!pile) return;
        const std::vector<Control*> targets = ClickTargets(session_, *pile);
        const auto at = std::find(targets.begin(), targets.end(), target);
        if (at == targets.end()) return;
        const long index = (at - targets.begin()) + delta;
        if (index >= 0 && index < static_cast<long>(targets.size())) FocusOn(pile, targets[index]);
    };
    switch (event->key()) {
    case Qt::Key_Left: move(FocusDirection::Left); break;
    case Qt::Key_Right: move(FocusDirection::Right); break;
    case Qt::Key_Up: move(FocusDirection::Up); break;
    case Qt::Key_Down: move(FocusDirection::Down); break;
    case Qt::Key_PageUp: step(-1); break;
    case Qt::Key_PageDown: step(1); break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        if (target && !event->isAutoRepeat()) actions_.Click(target);
        break;
    case Qt::Key_Escape:
        // Carried cards go back as a click on their own pile does; the focus
        // goes with the card that was lifted, not to the card it covers again.
        if (session_.Carrying && session_.OriginPile) {
            const auto& carried = session_.Board.DragPile().Cards();
            Card* lifted = carried.empty() ? nullptr : carried.front();
            Pile* origin = session_.OriginPile;
            actions_.Click(origin);
            if (lifted && lifted->Parent() == origin) FocusOn(origin, lifted);
        }
        break;
    case Qt::Key_P:
        if (!event->isAutoRepeat() && pile) {
            Control* card = target != pile ? target : pile->Top();
            if (card && BeginPeek(session_, card, MouseButton::Secondary)) {
                keyPeek_ = true;
                actions_.Render();
            }
        }
        break;
    default: break;
    }
    ShowFocus();
    return true;
}

bool TableView::KeyRelease(QKeyEvent* event)
{
    if (event->key() != Qt::Key_P || event->isAutoRepeat() || !keyPeek_) return false;
    keyPeek_ = false;
    if (EndPeek(session_, MouseButton::Secondary)) actions_.Render();
    return true;
}

}  // namespace vexa
