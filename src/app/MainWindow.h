// The main window: menus, the welcome screen and the table. It forwards every
// action of the player to the game core and then shows the state the core
// reached; it decides no rule itself.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>

#include <QMainWindow>
#include <QMargins>
#include <QPoint>

#include "app/NewHand.h"
#include "cards/CursorPictures.h"
#include "core/Environment.h"
#include "core/Session.h"

class QAction;
class QLabel;
class QPushButton;
class QMouseEvent;

namespace vexa {

class CardLibrary;
class DragView;
class FocusFrame;
class PileWidget;
class RefusedSign;
class StatusBar;
class AboutBox;
class CardWidget;
class GameChooser;
class HintController;
class HowToPlayWindow;
class StatisticsDialog;

class MainWindow : public QMainWindow, public UserInterface {
    Q_OBJECT

public:
    // Builds the window and the whole session; throws when the card
    // library cannot be loaded.
    MainWindow(CardLibrary& library, Clock& clock);
    ~MainWindow() override;

    Session& State() { return *session_; }
    GameChooser& Chooser() { return *chooser_; }
    // The help window, made on first use with the current help text.
    HowToPlayWindow& HowToPlay();
    HintController& Hint() { return *hint_; }
    StatusBar& Status() { return *status_; }
    RefusedSign& Refused() { return *refused_; }

    // Shows what the core says: caption, bounds, menu, welcome screen, piles,
    // buttons and every card.
    void Render();

    void ShowMessage(const std::string& text) override;
    void ShowVictory(const VictoryText& text) override;

    // Runs a handler; an error that escapes it is shown in the error box and
    // the program goes on with the state reached.
    void Guard(const std::function<void()>& handler);

    // What a primary click at a point of the screen reaches: a card of a
    // table pile, a pile's own area or the window background (Sender null).
    // Any is false where a click is no click of the table (a scroll bar, a
    // game button, outside the table area).
    struct PointTarget {
        bool Any = false;
        Control* Sender = nullptr;
        bool operator==(const PointTarget&) const = default;
    };
    PointTarget TargetAt(QPoint global) const;

    // Play: each forwards one action of the player to the core and renders
    // what it reached.
    void Click(Control* sender);
    void MouseDown(Control* sender, Qt::MouseButton button);
    void MouseUp(Qt::MouseButton button);
    void Undo();
    void Redo();
    void Autoplay();
    void PressButton(std::uint64_t serial);
    // Drag and drop: a press on a card and a move beyond the drag distance
    // lift as a first click would; the release is the second click on what
    // lies below it, or returns the cards to their pile.
    void DragPressed(int card, QPoint global);
    void DragMoved(QPoint global);
    void DragReleased(QPoint global);
    bool Dragging() const { return dragging_; }

    // The keyboard focus: the card (or, null card, the pile's own area)
    // that Enter or Space clicks; null while no key was pressed yet.
    Control* FocusTarget();

    // Menu and event handlers.
    void ChooseGame();
    void NewHand(NewHandKind kind);
    void ShowStatistics();
    void ShowHowToPlay();
    void ShowAbout();
    void ExitGame();

protected:
    void closeEvent(QCloseEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    // The window background's clicks, and every click while a peek holds
    // the mouse.
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void CreateMenu();
    void ShowPointer();
    void ShowFocus();
    void FocusOn(Pile* pile, Control* target);
    void MeasureClientArea();
    void CreateWelcome();
    void SyncControls();
    void SyncCards();
    QWidget* CardParent(const Card& card) const;
    QMargins FrameMargins() const;
    void PlaceOnScreen();
    void DealWinnableIfAsked();
    // A double-click on the table: true when it sent a card to a foundation.
    bool DoubleClicked(QObject* watched, QMouseEvent* event);

    CardLibrary& library_;
    std::unique_ptr<Session> session_;
    QWidget* table_ = nullptr;
    QWidget* store_ = nullptr;
    QLabel* label1_ = nullptr;
    std::array<CardWidget*, CardCount + 1> cards_{};
    // Widgets by the serial of their control: an address may come back for
    // a control of the next table, a serial never does.
    std::map<std::uint64_t, PileWidget*> piles_;
    std::map<std::uint64_t, QPushButton*> buttons_;

    QAction* newgame1_ = nullptr;
    QAction* replay1_ = nullptr;
    QAction* undo1_ = nullptr;
    QAction* redo1_ = nullptr;
    QAction* autoplay1_ = nullptr;
    QAction* hint1_ = nullptr;
    QAction* winnable1_ = nullptr;
    HintController* hint_ = nullptr;
    StatusBar* status_ = nullptr;
    RefusedSign* refused_ = nullptr;
    QAction* scoreMenu_ = nullptr;

    GameChooser* chooser_ = nullptr;
    HowToPlayWindow* howToPlay_ = nullptr;
    AboutBox* about_ = nullptr;
    StatisticsDialog* stats_ = nullptr;

    CarryPictures carry_;  // Numbers, Suits, Cursorcard and CursorMask
    int shownCarry_ = 0;   // Deckvalue the carry pointer shows, 0 for the default pointer
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
    // Keyboard play: the frame appears with the first key press.
    bool keyboardShown_ = false;
    std::uint64_t focusPile_ = 0;  // serial of the focused pile
    int focusCard_ = 0;            // index of the focused card, 0 for the pile's area
    bool keyPeek_ = false;
    FocusFrame* focusFrame_ = nullptr;
    bool shutDown_ = false;
    quint64 doubleClickTime_ = 0;  // the double-click last handled
    QMargins appliedFrame_;
};

}  // namespace vexa
