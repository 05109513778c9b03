// The table on screen: the piles, cards, game buttons and welcome label of
// the core's table, laid out at one scale that fits the widget, with the
// drag, the keyboard's focus frame and hit-testing. The definition's pixels
// stay the model: one transform maps them to the screen and every widget's
// geometry comes from it, so a click lands on the widget that shows the
// model's card or pile at any scale. The table decides no rule: each action
// of the player goes to the window through TableActions.
#pragma once

#include <array>
#include <cstdint>
#include <map>

#include <QPoint>
#include <QRect>
#include <QTransform>
#include <QWidget>

#include "app/TableStyle.h"
#include "table/Table.h"

class QLabel;
class QKeyEvent;
class QMouseEvent;
class QPushButton;

namespace vexa {

struct Session;
class CardLibrary;
class CardFlights;
class CardWidget;
class Control;
class DragView;
class FocusFrame;
class Pile;
class PileWidget;

// What the table asks of the window: each forwards one action of the player
// to the core and renders what it reached.
class TableActions {
public:
    virtual void Click(Control* sender) = 0;
    virtual void MouseDown(Control* sender, Qt::MouseButton button) = 0;
    virtual void MouseUp(Qt::MouseButton button) = 0;
    // The second click of a double-click on sender: true when it sent the
    // card the first click lifted to a foundation.
    virtual bool SendToFoundation(Control* sender) = 0;
    virtual void PressButton(std::uint64_t serial) = 0;
    virtual void ChooseGame() = 0;
    virtual void Render() = 0;

protected:
    ~TableActions() = default;
};

class TableView : public QWidget {
    Q_OBJECT

public:
    TableView(Session& session, CardLibrary& library, TableActions& actions, QWidget* parent);

    // The table's size in the definition's pixels; the scale is the largest
    // that fits it into the widget, the margin around it is centred.
    void SetModelSize(QSize model);
    QSize ModelSize() const { return model_; }
    qreal Scale() const { return scale_; }
    const QTransform& ToScreen() const { return toScreen_; }
    void SetStyle(TableStyle style);
    TableStyle Style() const { return style_; }

    // Shows what the core's table holds: piles, buttons, cards, the welcome
    // label and the focus frame. Cards the core moved since the last time
    // fly to their new place when animations are on; cards carried after a
    // click stay dimmed in their old place until they are dropped or go
    // back.
    void Sync();

    // Card animations: on by default. Any flight still running lands at
    // once before a click, key or command acts, and before the next Sync.
    void SetAnimations(bool on);
    bool Animations() const { return animations_; }
    bool Animating() const;
    void FinishAnimations();
    CardFlights& Flights() { return *flights_; }
    // The next Sync lays the cards out without flights (a new hand, a load).
    void LandNextAtOnce() { landAtOnce_ = true; }

    // What a primary click at a point of the screen reaches: a card of a
    // table pile, a pile's own area or the background (Sender null). Any is
    // false where a click is no click of the table (a scroll bar, a game
    // button, outside the table widget).
    struct PointTarget {
        bool Any = false;
        Control* Sender = nullptr;
        bool operator==(const PointTarget&) const = default;
    };
    PointTarget TargetAt(QPoint global) const;

    // Drag and drop: a press on a card and a move beyond the drag distance
    // (in screen pixels) lift as a first click would; the release is the
    // second click on what lies below it, or returns the cards to their pile.
    void DragPressed(int card, QPoint global);
    void DragMoved(QPoint global);
    void DragReleased(QPoint global);
    bool Dragging() const { return dragging_; }
    // A drag's press already lifted: the click that ends it is spent.
    bool DragSpent() const { return dragSpent_; }
    void EndDragClick() { dragSpent_ = false; }

    // The keyboard focus: the card (or, null card, the pile's own area)
    // that Enter or Space clicks; null while no key of play was pressed.
    Control* FocusTarget();
    // Handles a key of play; false for every other key.
    bool KeyPress(QKeyEvent* event);
    bool KeyRelease(QKeyEvent* event);
    // A new table: the keyboard starts again on its first pile.
    void ResetFocus();

    // The window's mouse events on the bare table, and every one while the
    // window holds the mouse.
    void BackgroundPress(QMouseEvent* event);
    void BackgroundRelease(QMouseEvent* event);

signals:
    // The transform changed (a new size or scale) and the widgets were
    // placed by it.
    void Rescaled();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void UpdateTransform();
    QRect Screen(const Rect& model) const;  // through the whole transform
    QRect Sized(const Rect& model) const;   // scaled only: inside a pile's content
    bool SyncControls();  // true when a pile or button widget came or went
    void SyncCards(bool fly);
    void RevealLanded();
    void ShowFocus();
    void HideKeyboardFocus();
    void FocusOn(Pile* pile, Control* target);
    QWidget* CardParent(const Card& card) const;
    // A double-click on the table: true when it sent a card to a foundation.
    bool DoubleClicked(QObject* watched, QMouseEvent* event);

    Session& session_;
    CardLibrary& library_;
    TableActions& actions_;
    QSize model_;
    qreal scale_ = 1;
    QTransform toScreen_;
    TableStyle style_ = TableStyle::Classic;
    QWidget* store_ = nullptr;
    QLabel* label1_ = nullptr;
    std::array<CardWidget*, CardCount + 1> cards_{};
    // Widgets by the serial of their control: an address may come back for
    // a control of the next table, a serial never does.
    std::map<std::uint64_t, PileWidget*> piles_;
    std::map<std::uint64_t, QPushButton*> buttons_;

    // Where the primary button went down on the table (background clicks,
    // and clicks while a peek holds the mouse).
    PointTarget pressed_;
    bool primaryDown_ = false;
    // Drag and drop: the card pressed (0 for none) and where; whether the
    // press became a lift (its click is then spent) and whether cards fly.
    int dragCard_ = 0;
    QPoint dragPress_;
    bool dragSpent_ = false;
    bool dragging_ = false;
    DragView* dragView_ = nullptr;
    // Keyboard play: the frame appears with the first key of play.
    bool keyboardShown_ = false;
    std::uint64_t focusPile_ = 0;  // serial of the focused pile
    int focusCard_ = 0;            // index of the focused card, 0 for the pile's area
    bool keyPeek_ = false;
    FocusFrame* focusFrame_ = nullptr;
    quint64 doubleClickTime_ = 0;  // the double-click last handled
    // Card animations.
    CardFlights* flights_ = nullptr;
    bool animations_ = true;
    bool landAtOnce_ = true;                      // no flights at the next Sync
    std::array<bool, CardCount + 1> wanted_{};  // the card's widget shows once landed
    // Cards a drag released, where it drew them and with which picture.
    struct Dropped {
        bool Released = false;
        QRect Place;
        int Picture = 0;
        int Order = 0;  // lowest card 0
    };
    std::array<Dropped, CardCount + 1> dropped_{};
};

}  // namespace vexa
