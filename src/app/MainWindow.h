// The main window: menus, dialogs, the game's lifecycle and the window's own
// size and state; the table view inside it draws the table and takes the
// player's input on it. It forwards every action of the player to the game
// core and then shows the state the core reached; it decides no rule itself.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>

#include <QMainWindow>
#include <QMargins>
#include <QPoint>

#include "app/NewHand.h"
#include "app/TableView.h"
#include "app/WinnableDealDialog.h"
#include "cards/CursorPictures.h"
#include "core/Environment.h"
#include "core/Session.h"

class QAction;
class QMouseEvent;

namespace vexa {

class CardLibrary;
class DefinitionReload;
struct DefinitionStamp;
class RefusedSign;
class StatusBar;
class AboutBox;
class GameChooser;
class HintController;
class HowToPlayWindow;
class StatisticsDialog;

class MainWindow : public QMainWindow, public UserInterface, public TableActions {
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
    TableView& View() { return *table_; }
    StatusBar& Status() { return *status_; }
    RefusedSign& Refused() { return *refused_; }
    DefinitionReload& Reload() { return *reload_; }

    // Shows what the core says: caption, bounds, menu, welcome screen, piles,
    // buttons and every card.
    void Render() override;

    void ShowMessage(const std::string& text) override;
    void ShowVictory(const VictoryText& text) override;

    // Runs a handler; an error that escapes it is shown in the error box and
    // the program goes on with the state reached.
    void Guard(const std::function<void()>& handler);

    using PointTarget = TableView::PointTarget;
    PointTarget TargetAt(QPoint global) const { return table_->TargetAt(global); }

    // Play: each forwards one action of the player to the core and renders
    // what it reached.
    void Click(Control* sender) override;
    void MouseDown(Control* sender, Qt::MouseButton button) override;
    void MouseUp(Qt::MouseButton button) override;
    bool SendToFoundation(Control* sender) override;
    void Undo();
    void Redo();
    void Autoplay();
    void PressButton(std::uint64_t serial) override;
    bool Dragging() const { return table_->Dragging(); }
    Control* FocusTarget() { return table_->FocusTarget(); }

    // Full screen and back, to the state before it (normal or maximised).
    void ToggleFullScreen();
    void SetTableStyle(TableStyle style);
    // Gives every card the back design (1 to 13) and keeps it in the
    // catalogue; a back the library cannot give leaves all as it was.
    void SetCardBack(int back);
    int CardBack() const { return cardBack_; }

    // Menu and event handlers.
    void ChooseGame() override;
    // The definition on the table changed on disk and the player asked for
    // it: the game is loaded again as choosing it would, with a fresh hand.
    void ReloadDefinition();
    void NewHand(NewHandKind kind);
    // Game > Choose deal...: asks for a number and deals that hand.
    void ChooseDeal();
    void ShowStatistics();
    void ShowHowToPlay();
    void ShowAbout();
    void ChooseCardBack();
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
    void changeEvent(QEvent* event) override;

private:
    void CreateMenu();
    void CreateViewMenu();
    void ShowPointer();
    void MeasureClientArea();
    QMargins FrameMargins() const;
    void PlaceOnScreen();
    void DealWinnableIfAsked(bool chosen);
    // Loads a game (load selects it in the core) as the chooser's OK does;
    // before is what the load reads, for the watch on its definition.
    void LoadGame(const DefinitionStamp& before, const std::function<void()>& load);

    CardLibrary& library_;
    std::unique_ptr<Session> session_;
    TableView* table_ = nullptr;

    QAction* newgame1_ = nullptr;
    QAction* replay1_ = nullptr;
    QAction* chooseDeal_ = nullptr;
    QAction* undo1_ = nullptr;
    QAction* redo1_ = nullptr;
    QAction* autoplay1_ = nullptr;
    QAction* hint1_ = nullptr;
    QAction* winnable1_ = nullptr;
    WinnableDealer winnableDealer_;
    QAction* fullScreen_ = nullptr;
    QAction* classic_ = nullptr;
    QAction* felt_ = nullptr;
    QAction* animations_ = nullptr;
    int cardBack_ = DefaultCardBack;
    HintController* hint_ = nullptr;
    StatusBar* status_ = nullptr;
    RefusedSign* refused_ = nullptr;
    DefinitionReload* reload_ = nullptr;
    QAction* scoreMenu_ = nullptr;

    GameChooser* chooser_ = nullptr;
    HowToPlayWindow* howToPlay_ = nullptr;
    AboutBox* about_ = nullptr;
    StatisticsDialog* stats_ = nullptr;

    CarryPictures carry_;   // Numbers, Suits, Cursorcard and CursorMask
    int shownCarry_ = 0;    // Deckvalue the carry pointer shows, 0 for the default pointer
    qreal shownScale_ = 1;  // the table's scale the carry pointer was drawn at
    bool shutDown_ = false;
    // The window's placement: the core's bounds last applied (a game load
    // applies them again), the frame they were applied with, and whether
    // full screen was entered from a maximised window.
    Rect placed_{-1, -1, -1, -1};
    QMargins appliedFrame_;
    QSize placedClient_;  // the client size the last placement gave
    bool maximisedBeforeFullScreen_ = false;
};

}  // namespace vexa
