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

#include "app/NewHand.h"
#include "cards/CursorPictures.h"
#include "core/Environment.h"
#include "core/Session.h"

class QAction;
class QLabel;
class QPushButton;

namespace vexa {

class CardLibrary;
class PileWidget;
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
    HowToPlayWindow& HowToPlay() { return *howToPlay_; }
    HintController& Hint() { return *hint_; }

    // Shows what the core says: caption, bounds, menu, welcome screen, piles,
    // buttons and every card.
    void Render();

    void ShowMessage(const std::string& text) override;
    void ShowVictory(const VictoryText& text) override;

    // Runs a handler; an error that escapes it is shown in the error box and
    // the program goes on with the state reached.
    void Guard(const std::function<void()>& handler);

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

private:
    void CreateMenu();
    void CreateWelcome();
    void SyncControls();
    void SyncCards();
    QWidget* CardParent(const Card& card) const;
    QMargins FrameMargins() const;
    void PlaceOnScreen();
    void DealWinnableIfAsked();

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
    QAction* autoplay1_ = nullptr;
    QAction* hint1_ = nullptr;
    QAction* winnable1_ = nullptr;
    HintController* hint_ = nullptr;
    QAction* scoreMenu_ = nullptr;

    GameChooser* chooser_ = nullptr;
    HowToPlayWindow* howToPlay_ = nullptr;
    AboutBox* about_ = nullptr;
    StatisticsDialog* stats_ = nullptr;

    CarryPictures carry_;  // Numbers, Suits, Cursorcard and CursorMask
    bool shutDown_ = false;
    QMargins appliedFrame_;
};

}  // namespace vexa
