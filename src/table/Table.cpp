#include "table/Table.h"

#include <algorithm>

#include "core/VexaError.h"
#include "defs/TextRules.h"

namespace vexa {

int CardContainer::IndexOf(const Card* card) const
{
    auto it = std::find(cards_.begin(), cards_.end(), card);
    return it == cards_.end() ? -1 : static_cast<int>(it - cards_.begin());
}

Card::Card(int index, PictureSource& pictures) : Control(ControlType::Card, ""), Face(pictures), index_(index)
{
    Bounds = {0, 0, CardWidth, CardHeight};
}

void Table::WindowCards::Added(Card* card) { table_.Attach(card); }
void Table::WindowCards::Removed(Card* card) { table_.Detach(card); }

Table::Table(PictureSource& pictures)
{
    // The designed children of the main window, in their creation order.
    auto picture = [this](const char* name, Rect bounds, ControlType type, bool visible) {
        auto control = std::make_unique<Control>(type, name);
        control->Bounds = bounds;
        control->Visible = visible;
        Attach(control.get());
        owned_.push_back(std::move(control));
    };
    picture("Numbers", {450, 10, 143, 28}, ControlType::Picture, false);
    picture("Suits", {499, 50, 60, 15}, ControlType::Picture, false);
    picture("Cursorcard", {513, 75, 32, 32}, ControlType::Picture, false);
    picture("Label1", {7, 106, 204, 15}, ControlType::Label, true);

    auto drag = std::make_unique<Pile>("Fritz");
    drag->Visible = false;
    drag->Bounds = {0, 0, 185, 41};  // the scroll box's default size; SAME on a first line copies it
    drag->DealPattern.clear();
    drag->LayoutStyle = 400;
    drag->Kind = DragKind;
    drag_ = AddPile(std::move(drag));

    for (int i = 1; i <= CardCount; ++i) {
        cards_[static_cast<std::size_t>(i)] = std::make_unique<Card>(i, pictures);
        Card& card = *cards_[static_cast<std::size_t>(i)];
        card.Face.SetCardBackStyle(6);
        MoveCard(card, store_);
        card.Face.SetDeckvalue((i - 1) % 52 + 1);
        card.Face.SetState(ctFront);
        card.Hint = Format("%3d", i);
    }
}

int Table::PositionOf(const Control* control) const
{
    auto it = std::find(order_.begin(), order_.end(), control);
    return it == order_.end() ? -1 : static_cast<int>(it - order_.begin());
}

Control* Table::FindControl(const std::string& name) const
{
    for (Control* control : order_)
        if (!control->Name.empty() && SameText(control->Name, name)) return control;
    return nullptr;
}

Pile* Table::FindPile(const std::string& name) const
{
    Control* control = FindControl(name);
    return control && control->Type() == ControlType::Pile ? static_cast<Pile*>(control) : nullptr;
}

void Table::Attach(Control* control)
{
    if (control->serial_ == 0) control->serial_ = ++lastSerial_;
    if (control->Windowed()) {
        order_.push_back(control);
        return;
    }
    auto firstWindowed = std::find_if(order_.begin(), order_.end(), [](Control* c) { return c->Windowed(); });
    order_.insert(firstWindowed, control);
}

void Table::Detach(Control* control)
{
    auto it = std::find(order_.begin(), order_.end(), control);
    if (it != order_.end()) order_.erase(it);
}

Pile* Table::AddPile(std::unique_ptr<Pile> pile)
{
    Pile* raw = pile.get();
    owned_.push_back(std::move(pile));
    Attach(raw);
    return raw;
}

GameButton* Table::AddButton(std::unique_ptr<GameButton> button)
{
    GameButton* raw = button.get();
    owned_.push_back(std::move(button));
    Attach(raw);
    return raw;
}

void Table::RemoveGameControls()
{
    for (int position = ControlCount() - 1; position >= 0; --position) {
        Control* control = order_[static_cast<std::size_t>(position)];
        // Every pile but the DragPile itself goes, whatever Kind a definition gave it.
        const bool gamePile = control->Type() == ControlType::Pile && control != drag_;
        if (!gamePile && control->Type() != ControlType::Button) continue;
        if (auto* pile = dynamic_cast<Pile*>(control))
            while (pile->Count() > 0) MoveCard(*pile->Top(), store_);
        order_.erase(order_.begin() + position);
        owned_.erase(std::find_if(owned_.begin(), owned_.end(), [control](auto& c) { return c.get() == control; }));
    }
}

void Table::MoveCard(Card& card, CardContainer& to)
{
    if (card.parent_ == &to) return;
    if (CardContainer* from = card.parent_) {
        // Most moves take the top card: no search for it then.
        if (from->cards_.back() == &card)
            from->cards_.pop_back();
        else
            from->cards_.erase(std::find(from->cards_.begin(), from->cards_.end(), &card));
        from->Removed(&card);
    }
    card.parent_ = &to;
    to.cards_.push_back(&card);
    to.Added(&card);
}

KindSpan Table::KindRange(int kind) const
{
    if (kind < 0 || kind >= KindCount) return {};
    return kindRange_[static_cast<std::size_t>(kind)];
}

void Table::RebuildKindRange()
{
    kindRange_.fill(KindSpan{});
    for (int position = 0; position < ControlCount(); ++position) {
        Pile* pile = PileAt(position);
        // A kind beyond the seven ranges belongs to no range at all.
        if (!pile || pile->Kind >= KindCount) continue;
        KindSpan& span = kindRange_[pile->Kind];
        if (span.first == -1) span.first = position;
        span.last = position;
    }
}

}  // namespace vexa
