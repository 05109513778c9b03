// The table model: the controls of the main window in TableOrder, the fixed
// set of 104 cards, the hidden CardStore, the DragPile that carries lifted
// cards, and the per-kind index KindRange. Cards are never created or
// destroyed during play; they move between containers.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "cards/CardFace.h"

namespace vexa {

constexpr int CardWidth = 71;
constexpr int CardHeight = 96;
constexpr int CardCount = 104;
constexpr int KindCount = 7;
constexpr std::uint8_t DragKind = 6;

struct Rect {
    int left = 0, top = 0, width = 0, height = 0;
    bool operator==(const Rect&) const = default;
};

class Card;
class CardContainer;
class Pile;

enum class ControlType { Picture, Label, Card, Pile, Button };

// A child control of the main window. Windowed controls (piles, buttons)
// follow every non-windowed one (pictures, labels, cards) in TableOrder.
class Control {
public:
    Control(ControlType type, std::string name) : type_(type), Name(std::move(name)) {}
    virtual ~Control() = default;
    ControlType Type() const { return type_; }
    bool Windowed() const { return type_ == ControlType::Pile || type_ == ControlType::Button; }
    // The identity the table gives a control when it is first attached; no
    // later control of the table gets the same one, even at the same address.
    std::uint64_t Serial() const { return serial_; }

private:
    friend class Table;
    ControlType type_;
    std::uint64_t serial_ = 0;

public:
    std::string Name;
    Rect Bounds;
    bool Visible = true;
};

// Anything that holds cards: a pile, the CardStore, or the main window while
// it shows the welcome cards. Cards are ordered bottom (index 0) to top.
class CardContainer {
public:
    virtual ~CardContainer() = default;
    // The pile this container is, if it is one (a cast the rules make on
    // every click, kept out of the run-time type lookup).
    virtual Pile* AsPile() { return nullptr; }
    virtual const Pile* AsPile() const { return nullptr; }
    const std::vector<Card*>& Cards() const { return cards_; }
    int Count() const { return static_cast<int>(cards_.size()); }
    Card* CardAt(int i) const { return cards_[static_cast<std::size_t>(i)]; }
    Card* Top() const { return cards_.empty() ? nullptr : cards_.back(); }
    int IndexOf(const Card* card) const;

protected:
    friend class Table;
    virtual void Added(Card*) {}
    virtual void Removed(Card*) {}
    std::vector<Card*> cards_;
};

// One card of the CardSet: its face, its place in its container, its
// visibility flag and its hint (the CardSet index formatted "%3d").
class Card : public Control {
public:
    Card(int index, PictureSource& pictures);
    int Index() const { return index_; }
    CardContainer* Parent() const { return parent_; }
    CardFace Face;
    std::string Hint;

private:
    friend class Table;
    int index_;
    CardContainer* parent_ = nullptr;
};

struct ScrollBar {
    bool Visible = false;
    int Position = 0;
    int Range = 0;  // largest position the bar allows while visible
};

// A pile: a scrollable container of cards with the rule fields of its PILE line.
class Pile : public Control, public CardContainer {
public:
    explicit Pile(std::string name) : Control(ControlType::Pile, std::move(name)) {}
    Pile* AsPile() override { return this; }
    const Pile* AsPile() const override { return this; }
    std::uint8_t Kind = 0;
    std::int32_t PickRule = 0;
    std::int32_t DropRule = 0;
    std::int32_t EmptyDropRule = 0;
    std::int32_t LayoutStyle = 0;
    std::string DealPattern;
    std::uint8_t Direction = 0;
    std::int32_t ClickAction = 0;
    std::int32_t CardLimit = 0;
    std::int32_t SpareValue = 0;

    std::string Hint;
    bool ShowHint = false;
    ScrollBar Horz, Vert;
    // Set while a peek hides the scroll bars (the pile then shows its origin).
    bool ScrollBarsHidden = false;
    // Bumped whenever the pile must be repainted although no card moved
    // (an empty pile laid out by a stacking style).
    int RepaintCount = 0;
    // Bumped whenever a card is added or removed: a copy of the pile taken
    // at one count still holds its cards in order at the same count.
    std::uint32_t Changes = 0;

protected:
    void Added(Card*) override { ++Changes; }
    void Removed(Card*) override { ++Changes; }
};

// A push button put on the table by a BUTTON line.
class GameButton : public Control {
public:
    explicit GameButton(std::string name) : Control(ControlType::Button, std::move(name)) {}
    int Tag = 0;
    std::string Caption;
};

struct KindSpan {
    int first = -1, last = -1;
};

class Table {
public:
    explicit Table(PictureSource& pictures);
    Table(const Table&) = delete;
    Table& operator=(const Table&) = delete;

    // CardSet: cards 1..104.
    Card& CardAt(int index) { return *cards_[static_cast<std::size_t>(index)]; }
    const Card& CardAt(int index) const { return *cards_[static_cast<std::size_t>(index)]; }

    CardContainer& Store() { return store_; }
    Pile& DragPile() { return *drag_; }
    const Pile& DragPile() const { return *drag_; }
    // The container that stands for the main window itself (welcome cards).
    CardContainer& Window() { return window_; }

    // TableOrder.
    int ControlCount() const { return static_cast<int>(order_.size()); }
    Control* ControlAt(int position) const
    {
        return position < 0 || position >= ControlCount() ? nullptr : order_[static_cast<std::size_t>(position)];
    }
    Pile* PileAt(int position) const  // null when the control is no pile
    {
        Control* control = ControlAt(position);
        return control && control->Type() == ControlType::Pile ? static_cast<Pile*>(control) : nullptr;
    }
    int PositionOf(const Control* control) const;
    Control* FindControl(const std::string& name) const;  // case-insensitive
    Pile* FindPile(const std::string& name) const;

    // Attach a control to the main window: windowed controls go to the end of
    // TableOrder, others after the last non-windowed one; a control attached
    // for the first time gets its serial. The table owns piles and buttons it
    // is given.
    void Attach(Control* control);
    Pile* AddPile(std::unique_ptr<Pile> pile);
    GameButton* AddButton(std::unique_ptr<GameButton> button);
    // Destroy every pile of Kind other than 6 and every button.
    void RemoveGameControls();

    // Move a card into a container: it becomes the top card and leaves its old
    // container. Moving it into the container that holds it changes nothing.
    void MoveCard(Card& card, CardContainer& to);

    KindSpan KindRange(int kind) const;
    void RebuildKindRange();

private:
    class WindowCards : public CardContainer {
    public:
        explicit WindowCards(Table& table) : table_(table) {}

    protected:
        void Added(Card* card) override;
        void Removed(Card* card) override;

    private:
        Table& table_;
    };

    void Detach(Control* control);

    std::array<std::unique_ptr<Card>, CardCount + 1> cards_;
    CardContainer store_;
    WindowCards window_{*this};
    std::vector<Control*> order_;
    std::vector<std::unique_ptr<Control>> owned_;
    Pile* drag_ = nullptr;
    std::uint64_t lastSerial_ = 0;
    std::array<KindSpan, KindCount> kindRange_{};
};

}  // namespace vexa
