// The main window: menus, the welcome screen and the table. It forwards every
// action of the player to the game core and then shows the state the core
// reached; it decides no rule itself.
#pragma once

#include <array>
#include <functional>
#include <map>
#include <memory>

#include <QMainWindow>
#include <QMargins>

#include "app/Environment.h"
#include "app/NewHand.h"
#include "app/Session.h"
#include "cards/CursorPictures.h"

class QAction;
class QLabel;
class QPushButton;

namespace vexa {

class CardLibrary;
class PileWidget;
class TAboutForm;
class TCards;
class TForm2;
class TForm4;
class TStatsForm;

class TForm1 : public QMainWindow, public UserInterface {
    Q_OBJECT

public:
    // Builds the window and the whole session; throws when the card
    // library cannot be loaded.
    TForm1(CardLibrary& library, Clock& clock);
    ~TForm1() override;

    Session& State() { return *session_; }
    TForm2& Chooser() { return *chooser_; }
    TForm4& HowToPlay() { return *howToPlay_; }

    // Shows what the core says: caption, bounds, menu, welcome screen, piles,
    // buttons and every card.
    void Render();

    void ShowMessage(const std::string& text) override;
    void ShowVictory(const VictoryText& text) override;

    // Runs a handler; an error that escapes it is shown in the error box and
    // the program goes on with the state reached.
    void Guard(const std::function<void()>& handler);

    // Menu and event handlers.
    void Selectdifferentgame1Click();
    void NewHand(NewHandKind kind);
    void StatsClick();
    void HowtoPlay1Click();
    void About3Click();
    void Exit1Click();

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

    CardLibrary& library_;
    std::unique_ptr<Session> session_;
    QWidget* table_ = nullptr;
    QWidget* store_ = nullptr;
    QLabel* label1_ = nullptr;
    std::array<TCards*, CardCount + 1> cards_{};
    std::map<const Control*, PileWidget*> piles_;
    std::map<const Control*, QPushButton*> buttons_;

    QAction* newgame1_ = nullptr;
    QAction* replay1_ = nullptr;
    QAction* undo1_ = nullptr;
    QAction* autoplay1_ = nullptr;
    QAction* scoreMenu_ = nullptr;

    TForm2* chooser_ = nullptr;
    TForm4* howToPlay_ = nullptr;
    TAboutForm* about_ = nullptr;
    TStatsForm* stats_ = nullptr;

    CarryPictures carry_;  // Numbers, Suits, Cursorcard and CursorMask
    bool shutDown_ = false;
    QMargins appliedFrame_;
};

}  // namespace vexa
