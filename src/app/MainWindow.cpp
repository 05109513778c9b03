#include "app/MainWindow.h"

#include <algorithm>
#include <map>
#include <set>
#include <unordered_set>
#include <vector>

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>

#include "app/DefinitionReload.h"
#include "app/GameLoader.h"
#include "app/HandKeeping.h"
#include "app/HintController.h"
#include "app/NewHand.h"
#include "app/RefusedSign.h"
#include "app/StatusBar.h"
#include "app/TableStyle.h"
#include "app/TableView.h"
#include "app/VexaApplication.h"
#include "app/WinnableDeal.h"
#include "app/WinnableDealDialog.h"
#include "cards/CardLibrary.h"
#include "cards/CardWidget.h"
#include "cards/CursorPictures.h"
#include "core/VexaError.h"
#include "defs/IniFile.h"
#include "dialogs/AboutBox.h"
#include "dialogs/DealNumberDialog.h"
#include "dialogs/Fonts.h"
#include "dialogs/GameChooser.h"
#include "dialogs/HowToPlayWindow.h"
#include "dialogs/StatisticsDialog.h"
#include "dialogs/VictoryDialog.h"
#include "records/GameButtons.h"
#include "records/Statistics.h"
#include "records/UndoJournal.h"
#include "rules/Autoplay.h"
#include "rules/ClickDispatch.h"
#include "rules/KeyboardFocus.h"
#include "rules/Lifting.h"
#include "rules/Peek.h"
#include "table/PileLayout.h"
#include "table/PileWidget.h"

namespace vexa {

namespace {
QString Text(const std::string& text) { return QString::fromStdString(text); }

MouseButton CoreButton(Qt::MouseButton button)
{
    switch (button) {
    case Qt::LeftButton: return MouseButton::Primary;
    case Qt::RightButton: return MouseButton::Secondary;
    default: return MouseButton::Other;
    }
}

}  // namespace

MainWindow::MainWindow(CardLibrary& library, Clock& clock) : library_(library)
{
    setObjectName("Form1");
    setFont(VexaFont("MS Sans Serif", 11, false));
    // The session places the welcome window in the middle of the screen.
    const QScreen* primary = QApplication::primaryScreen();
    const QRect screen = primary ? primary->geometry() : QRect(0, 0, 1024, 768);
    session_ = std::make_unique<Session>(library, *this, clock, screen.width(), screen.height());
    // The back the player chose; the cards are still face up, so nothing
    // is fetched yet.
    cardBack_ = ReadCardBack(IniFile(CatalogueFile));
    for (int i = 1; i <= CardCount; ++i) session_->Board.CardAt(i).Face.SetCardBackStyle(cardBack_);

    table_ = new TableView(*session_, library, *this, this);
    setCentralWidget(table_);
    table_->SetStyle(ReadTableStyle(IniFile(CatalogueFile)));
    table_->SetAnimations(ReadAnimations(IniFile(CatalogueFile)));
    // The window takes the keys; nothing inside it keeps the focus.
    setFocusPolicy(Qt::StrongFocus);
    // That a hint is only a best guess shows in the status bar for a while,
    // beside the frames, without a box to close before playing on.
    hint_ = new HintController(
        *session_, *table_, [this](const std::string& text) { ShowMessage(text); },
        [this](const std::string& text) { status_->showMessage(Text(text), BestGuessMilliseconds); });
    status_ = new StatusBar(*session_, this);
    setStatusBar(status_);
    refused_ = new RefusedSign(table_);
    CreateMenu();

    connect(qApp, &QApplication::applicationStateChanged, this, [this](Qt::ApplicationState state) {
        if (state == Qt::ApplicationActive)
            ApplicationActivated(*session_);
        else
            ApplicationDeactivated(*session_);
    });

    // The dialogs, in their creation order; creating the chooser reads the
    // catalogue.
    chooser_ = new GameChooser(this);
    Guard([this] { CreateChooser(*session_); });
    // The hand kept from the last run comes back, and the chooser opens on
    // the game last played.
    Guard([this] { ResumeKeptHand(*session_); });
    reload_ = new DefinitionReload(*session_, *table_, *this);
    connect(reload_, &DefinitionReload::ReloadAsked, this, [this] { ReloadDefinition(); });
    reload_->AfterLoad({}, true);
    // The status bar's clock counts the resumed hand from now on.
    status_->StartHand();
    chooser_->SetItems(session_->Chooser.Items);
    chooser_->SetItemIndex(session_->Chooser.ItemIndex);
    // The help window, the about box and the statistics are made when they
    // are first opened, which keeps the start-up lean.
    Render();
}

MainWindow::~MainWindow() = default;

void MainWindow::CreateMenu()
{
    QMenu* game = menuBar()->addMenu("Game");
    auto* select = game->addAction("&Select a card game", this, [this] { ChooseGame(); });
    select->setObjectName("Selectdifferentgame1");
    newgame1_ = game->addAction("&Deal another hand", this, [this] { NewHand(NewHandKind::Deal); });
    newgame1_->setObjectName("Newgame1");
    newgame1_->setShortcuts({QKeySequence(Qt::Key_F2), QKeySequence("Ctrl+N")});
    replay1_ = game->addAction("&Restart this hand", this, [this] { NewHand(NewHandKind::Restart); });
    replay1_->setObjectName("Replay1");
    replay1_->setShortcut(QKeySequence("Ctrl+R"));
    chooseDeal_ = game->addAction("&Choose deal…", this, [this] { ChooseDeal(); });
    chooseDeal_->setObjectName("ChooseDeal1");
    chooseDeal_->setShortcut(QKeySequence("Ctrl+G"));
    winnable1_ = game->addAction("&Winnable deals only");
    winnable1_->setObjectName("WinnableOnly1");
    winnable1_->setCheckable(true);
    connect(winnable1_, &QAction::triggered, this, [this](bool on) {
        Guard([this, on] {
            session_->WinnableOnly = on;
            WriteWinnableOnly(IniFile(CatalogueFile), on);
        });
    });
    auto* stats = game->addAction("S&tatistics", this, [this] { ShowStatistics(); });
    stats->setObjectName("Stats");
    game->addSeparator();
    auto* exit = game->addAction("E&xit", this, [this] { ExitGame(); });
    exit->setObjectName("Exit1");

    QMenu* edit = menuBar()->addMenu("Edit");
    undo1_ = edit->addAction("Undo", this, [this] { Undo(); });
    undo1_->setObjectName("Undo1");
    undo1_->setShortcut(QKeySequence("Ctrl+Z"));
    redo1_ = edit->addAction("Redo", this, [this] { Redo(); });
    redo1_->setObjectName("Redo1");
    redo1_->setShortcuts({QKeySequence("Ctrl+Y"), QKeySequence("Ctrl+Shift+Z")});
    redo1_->setEnabled(false);
    autoplay1_ = edit->addAction("Autoplay", this, [this] { Autoplay(); });
    autoplay1_->setObjectName("Autoplay1");
    autoplay1_->setShortcut(QKeySequence("Ctrl+A"));
    hint1_ = edit->addAction("Hint", this, [this] { Guard([this] { hint_->Request(); }); });
    hint1_->setObjectName("Hint1");
    hint1_->setShortcut(QKeySequence("H"));

    CreateViewMenu();

    QMenu* help = menuBar()->addMenu("Help");
    auto* howTo = help->addAction("How to Play...", this, [this] { ShowHowToPlay(); });
    howTo->setObjectName("HowtoPlay1");
    help->addSeparator();
    auto* about = help->addAction("About Vexa Solitaire", this, [this] { ShowAbout(); });
    about->setObjectName("About3");

    // The fourth item has no entries and shows the score.
    scoreMenu_ = menuBar()->addAction(QString());
    scoreMenu_->setObjectName("ScoreMenu");
}

void MainWindow::Render()
{
    const Session& s = *session_;
    setWindowTitle(Text(s.Caption));
    status_->Refresh();
    PlaceOnScreen();

    newgame1_->setEnabled(s.Menu.Deal);
    replay1_->setEnabled(s.Menu.Restart);
    chooseDeal_->setEnabled(s.Menu.Deal);
    undo1_->setEnabled(s.Menu.Undo);
    redo1_->setEnabled(s.Menu.Redo);
    autoplay1_->setEnabled(s.Menu.Autoplay);
    hint1_->setEnabled(!s.Welcome && !s.Inert);
    winnable1_->setChecked(s.WinnableOnly);
    scoreMenu_->setText(Text(s.Menu.ScoreCaption));

    MeasureClientArea();
    table_->Sync();
    ShowPointer();
    hint_->TableChanged();
    KeepHand(*session_);
}

void MainWindow::MeasureClientArea()
{
    // The core's cover test sees the table in the definition's pixels,
    // whatever its size on the screen; a window not yet shown keeps the
    // size the load estimated.
    const QSize model = table_->ModelSize();
    if (!table_->isVisible() || model.isEmpty()) return;
    session_->ClientWidth = model.width();
    session_->ClientHeight = model.height();
}

void MainWindow::ShowPointer()
{
    // The carry pointer shows the lowest carried card, face up or down,
    // from the lift until the drop.
    // While the cards themselves fly with a drag, the pointer stays plain.
    const Card* carried = session_->Carrying && !table_->Dragging() ? CarriedCard(*session_) : nullptr;
    const int shown = carried ? carried->Face.Deckvalue() : 0;
    if (shown == shownCarry_ && table_->Scale() == shownScale_) return;
    shownCarry_ = shown;
    shownScale_ = table_->Scale();
    if (carried)
        setCursor(
            carry_.Cursor(carried->Face.Value(), carried->Face.Suit(), carried->Face.Colour(), 1, table_->Scale()));
    else
        unsetCursor();
}

void MainWindow::Click(Control* sender)
{
    Pile* offered = RefusedSign::OfferedTo(*session_, sender);
    Guard([this, sender] { DispatchClick(*session_, sender); });
    refused_->AfterClick(*session_, offered, table_->ToScreen());
}

bool MainWindow::SendToFoundation(Control* sender)
{
    bool sent = false;
    Guard([&] { sent = SendCarriedToFoundation(*session_, sender); });
    return sent;
}

void MainWindow::MouseDown(Control* sender, Qt::MouseButton button)
{
    // A peek holds the mouse, so that its release ends it wherever it falls.
    if (BeginPeek(*session_, sender, CoreButton(button))) {
        grabMouse();
        Render();
    }
}

void MainWindow::MouseUp(Qt::MouseButton button)
{
    if (EndPeek(*session_, CoreButton(button))) {
        if (mouseGrabber() == this && !table_->Dragging()) releaseMouse();
        Render();
    }
}

void MainWindow::Undo()
{
    Guard([this] {
        if (session_->Menu.Undo) UndoLastStep(*session_);
    });
}

void MainWindow::Redo()
{
    Guard([this] {
        if (session_->Menu.Redo) RedoLastStep(*session_);
    });
}

void MainWindow::Autoplay()
{
    Guard([this] {
        if (session_->Menu.Autoplay) AutoplayCommand(*session_);
    });
}

void MainWindow::PressButton(std::uint64_t serial)
{
    Guard([this, serial] {
        Table& table = session_->Board;
        for (int position = 0; position < table.ControlCount(); ++position) {
            Control* control = table.ControlAt(position);
            if (control->Serial() == serial && control->Type() == ControlType::Button)
                PressGameButton(*session_, *static_cast<GameButton*>(control));
        }
    });
}

void MainWindow::keyPressEvent(QKeyEvent* event)
{
    if (session_->Welcome) {
        // The welcome cards are what a player can click.
        if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter || event->key() == Qt::Key_Space)
            ChooseGame();
        else
            QMainWindow::keyPressEvent(event);
        return;
    }
    if (!table_->KeyPress(event)) QMainWindow::keyPressEvent(event);
}

void MainWindow::keyReleaseEvent(QKeyEvent* event)
{
    if (!table_->KeyRelease(event)) QMainWindow::keyReleaseEvent(event);
}

void MainWindow::mouseMoveEvent(QMouseEvent* event)
{
    if (table_->Dragging())
        table_->DragMoved(event->globalPosition().toPoint());
    else
        QMainWindow::mouseMoveEvent(event);
}

void MainWindow::mousePressEvent(QMouseEvent* event)
{
    // Reached by presses on the bare table (cards and piles take their own)
    // and by every press while a peek or a drag holds the mouse.
    if (session_->Welcome || table_->Dragging()) return QMainWindow::mousePressEvent(event);
    table_->BackgroundPress(event);
}

void MainWindow::mouseReleaseEvent(QMouseEvent* event)
{
    if (session_->Welcome) return QMainWindow::mouseReleaseEvent(event);
    table_->BackgroundRelease(event);
}

QMargins MainWindow::FrameMargins() const
{
    if (!isVisible()) return {};
    const QRect inner = geometry(), outer = frameGeometry();
    return {inner.left() - outer.left(), inner.top() - outer.top(), outer.right() - inner.right(),
            outer.bottom() - inner.bottom()};
}

void MainWindow::PlaceOnScreen()
{
    // The core gives the outer bounds, frame included; the frame's size is
    // known only once a window manager has framed the shown window. A
    // maximised or full-screen window may lose its frame: the normal
    // window's frame stays the measure of the table's own size.
    const Rect& w = session_->WindowBounds;
    const bool normal = !isMaximized() && !isFullScreen();
    const QMargins frame = normal ? FrameMargins() : appliedFrame_;
    const bool load = !(w == placed_);
    // A frame that arrives (or changes) re-places a window the player has
    // not resized since its load.
    const bool reframed = frame != appliedFrame_ && size() == placedClient_;
    appliedFrame_ = frame;
    // The table's own size is the client area at the defined size, below
    // the menu bar as it lays out at that width; the status bar adds its
    // height below the table, so the window's client area grows by it.
    const QSize defined(w.width - frame.left() - frame.right(), w.height - frame.top() - frame.bottom());
    QMenuBar* bar = menuBar();
    const int barHeight = bar->hasHeightForWidth() ? bar->heightForWidth(defined.width()) : bar->sizeHint().height();
    const int statusHeight = status_->isHidden() ? 0 : status_->sizeHint().height();
    const QSize model(defined.width(), defined.height() - std::max(0, barHeight));
    table_->SetModelSize(model);
    const QSize client(defined.width(), defined.height() + statusHeight);
    // The smallest window shows the table at half scale.
    setMinimumSize((model.width() + 1) / 2, (model.height() + 1) / 2 + std::max(0, barHeight) + statusHeight);
    placed_ = w;
    // A game load gives a normal window its defined size and place; a
    // maximised or full-screen window stays so, and between loads the size
    // is the player's.
    if (!normal || !(load || reframed)) return;
    placedClient_ = client;
    if (size() != client) resize(client);
    if (frameGeometry().topLeft() != QPoint(w.left, w.top)) move(w.left, w.top);
}

void MainWindow::moveEvent(QMoveEvent* event)
{
    QMainWindow::moveEvent(event);
    if (!isMaximized() && !isFullScreen() && FrameMargins() != appliedFrame_) PlaceOnScreen();
}

void MainWindow::changeEvent(QEvent* event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange) fullScreen_->setChecked(isFullScreen());
}

void MainWindow::Guard(const std::function<void()>& handler)
{
    try {
        handler();
    } catch (const std::exception& error) {
        Render();
        ShowErrorBox(this, error.what());
    }
    Render();
}

void MainWindow::ShowMessage(const std::string& text)
{
    Render();
    QMessageBox box(QMessageBox::NoIcon, ApplicationTitle, Text(text), QMessageBox::Ok, this);
    box.exec();
}

void MainWindow::ShowVictory(const VictoryText& text)
{
    Render();
    // A fresh dialog for each victory, gone again once the player closes it.
    VictoryDialog victory(library_, text, this);
    victory.exec();
}

void MainWindow::ChooseGame()
{
    Guard([this] {
        // The selection stays where the player left it, also after Cancel.
        const int result = chooser_->exec();
        session_->Chooser.ItemIndex = chooser_->ItemIndex();
        if (result != QDialog::Accepted) return;
        LoadGame(reload_->BeforeChoose(), [this] { SelectGame(*session_); });
    });
}

void MainWindow::ReloadDefinition()
{
    Guard([this] {
        LoadGame(reload_->BeforeReload(), [this] {
            ReloadGame(*session_);
            // The game list was read again: the chooser shows it.
            chooser_->SetItems(session_->Chooser.Items);
            chooser_->SetItemIndex(session_->Chooser.ItemIndex);
        });
    });
}

void MainWindow::LoadGame(const DefinitionStamp& before, const std::function<void()>& load)
{
    if (howToPlay_ && howToPlay_->isVisible()) howToPlay_->hide();
    QApplication::restoreOverrideCursor();
    placed_ = {-1, -1, -1, -1};  // a load places a normal window again
    unsetCursor();
    // A new table: the keyboard starts again on its first pile's top card.
    table_->ResetFocus();
    try {
        load();
    } catch (...) {
        reload_->AfterLoad(before, false);
        throw;
    }
    reload_->AfterLoad(before, true);
    if (howToPlay_) howToPlay_->SetHelpText(Text(session_->HelpText));
    DealWinnableIfAsked(true);
    status_->StartHand();
}

void MainWindow::DealWinnableIfAsked(bool chosen)
{
    if (!session_->WinnableOnly) return;
    Render();
    std::vector<SolverMove> line;
    winnableDealer_.Deal(*this, *session_, chosen, [this](const std::string& text) { ShowMessage(text); }, &line);
    hint_->KeepLine(line);
    // The hand dealt last shows at once, as any new hand does.
    table_->LandNextAtOnce();
}

void MainWindow::NewHand(NewHandKind kind)
{
    Guard([this, kind] {
        unsetCursor();
        table_->LandNextAtOnce();
        DealNewHand(*session_, kind);
        if (kind == NewHandKind::Deal) DealWinnableIfAsked(false);
        status_->StartHand();
    });
}

void MainWindow::ChooseDeal()
{
    Guard([this] {
        if (!session_->Menu.Deal) return;
        DealNumberDialog dialog(this);
        if (session_->DealNumber) dialog.SetNumber(*session_->DealNumber);
        if (dialog.exec() != QDialog::Accepted || !dialog.Number()) return;
        unsetCursor();
        table_->LandNextAtOnce();
        // The chosen hand is dealt as it is, also with "Winnable deals only".
        DealNumberedHand(*session_, *dialog.Number());
        status_->StartHand();
    });
}

void MainWindow::ShowStatistics()
{
    Guard([this] {
        const StatsFigures f = OpenStatistics(*session_);
        auto number = [](long long n) { return QString::number(n); };
        if (!stats_) stats_ = new StatisticsDialog(this);
        stats_->SetFigures(Text(f.Title), number(f.Played), number(f.Won), number(f.Average), number(f.Days),
                           number(f.Hours), number(f.Minutes));
        stats_->exec();
    });
}

void MainWindow::ShowHowToPlay()
{
    if (!HowToPlay().isVisible()) howToPlay_->show();
}

void MainWindow::ShowAbout()
{
    if (!about_) about_ = new AboutBox(this);
    about_->exec();
}

HowToPlayWindow& MainWindow::HowToPlay()
{
    if (!howToPlay_) {
        howToPlay_ = new HowToPlayWindow(this);
        howToPlay_->SetHelpText(Text(session_->HelpText));
    }
    return *howToPlay_;
}

void MainWindow::ExitGame() { close(); }

void MainWindow::closeEvent(QCloseEvent* event)
{
    if (!shutDown_) {
        shutDown_ = true;
        Guard([this] { LeaveKeepingHand(*session_); });
    }
    event->accept();
    QApplication::quit();
}

}  // namespace vexa
