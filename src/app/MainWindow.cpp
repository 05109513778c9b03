#include "app/MainWindow.h"

#include <set>

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>

#include "app/GameLoader.h"
#include "app/HintController.h"
#include "app/NewHand.h"
#include "app/VexaApplication.h"
#include "app/WinnableDeal.h"
#include "app/WinnableDealDialog.h"
#include "cards/CardLibrary.h"
#include "cards/CardWidget.h"
#include "cards/CursorPictures.h"
#include "core/VexaError.h"
#include "defs/IniFile.h"
#include "dialogs/AboutBox.h"
#include "dialogs/Fonts.h"
#include "dialogs/GameChooser.h"
#include "dialogs/HowToPlayWindow.h"
#include "dialogs/StatisticsDialog.h"
#include "dialogs/VictoryDialog.h"
#include "records/Statistics.h"
#include "table/PileWidget.h"

namespace vexa {

namespace {
QString Text(const std::string& text) { return QString::fromStdString(text); }
QRect Bounds(const Rect& r) { return QRect(r.left, r.top, r.width, r.height); }
}  // namespace

MainWindow::MainWindow(CardLibrary& library, Clock& clock) : library_(library)
{
    setObjectName("Form1");
    setFont(VexaFont("MS Sans Serif", 11, false));
    table_ = new QWidget(this);
    table_->setObjectName("Table");
    setCentralWidget(table_);
    // Cards on no pile live in a hidden container that is never shown.
    store_ = new QWidget(this);
    store_->setObjectName("CardStore");
    store_->hide();

    // The session places the welcome window in the middle of the screen.
    const QScreen* primary = QApplication::primaryScreen();
    const QRect screen = primary ? primary->geometry() : QRect(0, 0, 1024, 768);
    session_ = std::make_unique<Session>(library, *this, clock, screen.width(), screen.height());

    hint_ = new HintController(*session_, *table_, [this](const std::string& text) { ShowMessage(text); });
    CreateMenu();
    CreateWelcome();
    for (int i = 1; i <= CardCount; ++i) {
        auto* card = new CardWidget(library_, store_);
        card->setObjectName(QString("Card%1").arg(i));
        // No tooltip: the card's hint (its number) stays data, and shown it
        // would name every face-down card.
        card->Mirror(session_->Board.CardAt(i).Face);
        cards_[static_cast<std::size_t>(i)] = card;
        connect(card, &CardWidget::Click, this, [this, i](CardWidget*) {
            if (session_->Welcome && session_->Board.CardAt(i).Parent() == &session_->Board.Window()) ChooseGame();
        });
    }

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
    chooser_->SetItems(session_->Chooser.Items);
    chooser_->SetItemIndex(session_->Chooser.ItemIndex);
    howToPlay_ = new HowToPlayWindow(this);
    howToPlay_->SetHelpText(Text(session_->HelpText));
    about_ = new AboutBox(this);
    stats_ = new StatisticsDialog(this);
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
    replay1_ = game->addAction("&Restart this hand", this, [this] { NewHand(NewHandKind::Restart); });
    replay1_->setObjectName("Replay1");
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
    undo1_ = edit->addAction("Undo");
    undo1_->setObjectName("Undo1");
    undo1_->setShortcut(QKeySequence("Ctrl+Z"));
    autoplay1_ = edit->addAction("Autoplay");
    autoplay1_->setObjectName("Autoplay1");
    autoplay1_->setShortcut(QKeySequence("Ctrl+A"));
    hint1_ = edit->addAction("Hint", this, [this] { Guard([this] { hint_->Request(); }); });
    hint1_->setObjectName("Hint1");
    hint1_->setShortcut(QKeySequence("H"));

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

void MainWindow::CreateWelcome()
{
    label1_ = new QLabel(QString("\"Welcome to our Kingdom of Rerozoriri\""), table_);
    label1_->setObjectName("Label1");
    label1_->setFont(VexaFont("Times New Roman", 12, true, true));
    QPalette palette = label1_->palette();
    palette.setColor(QPalette::WindowText, Qt::black);
    label1_->setPalette(palette);
    label1_->setGeometry(7, 106, 204, 15);
}

QWidget* MainWindow::CardParent(const Card& card) const
{
    const CardContainer* parent = card.Parent();
    if (parent == &session_->Board.Window()) return table_;
    for (const auto& [serial, widget] : piles_)
        if (static_cast<const CardContainer*>(&widget->Model()) == parent) return widget->Content();
    return store_;  // CardStore and the DragPile are never shown
}

void MainWindow::SyncControls()
{
    Table& table = session_->Board;
    std::set<std::uint64_t> live;
    for (int position = 0; position < table.ControlCount(); ++position)
        live.insert(table.ControlAt(position)->Serial());
    // Drop the widgets of piles and buttons that no longer exist.
    for (auto it = piles_.begin(); it != piles_.end();) {
        if (!live.count(it->first)) {
            // Its cards are moved out below before the pile goes.
            for (QObject* child : it->second->Content()->children())
                if (auto* card = qobject_cast<CardWidget*>(child)) card->setParent(store_);
            delete it->second;
            it = piles_.erase(it);
        } else {
            ++it;
        }
    }
    for (auto it = buttons_.begin(); it != buttons_.end();) {
        if (!live.count(it->first)) {
            delete it->second;
            it = buttons_.erase(it);
        } else {
            ++it;
        }
    }
    // Create the new ones; later controls lie in front of earlier ones.
    for (int position = 0; position < table.ControlCount(); ++position) {
        Control* control = table.ControlAt(position);
        if (control == &table.DragPile()) continue;
        if (control->Type() == ControlType::Pile) {
            auto& widget = piles_[control->Serial()];
            if (!widget) {
                widget = new PileWidget(*static_cast<Pile*>(control), table_);
                connect(widget, &PileWidget::Clicked, this, [](PileWidget*) {});
            }
            widget->Render();
            widget->raise();
        } else if (control->Type() == ControlType::Button) {
            auto* model = static_cast<GameButton*>(control);
            auto& button = buttons_[control->Serial()];
            if (!button) {
                button = new QPushButton(Text(model->Caption), table_);
                button->setObjectName(Text(model->Name));
                button->setFont(VexaFont("MS Sans Serif", 11, true));
            }
            button->setGeometry(Bounds(model->Bounds));
            button->setVisible(model->Visible);
            button->raise();
        }
    }
}

void MainWindow::SyncCards()
{
    Table& table = session_->Board;
    auto sync = [&](Card& card) {
        CardWidget* widget = cards_[static_cast<std::size_t>(card.Index())];
        QWidget* parent = CardParent(card);
        if (widget->parentWidget() != parent) widget->setParent(parent);
        widget->Mirror(card.Face);
        if (widget->geometry() != Bounds(card.Bounds)) widget->setGeometry(Bounds(card.Bounds));
        widget->setVisible(parent != store_ && card.Visible);
        widget->raise();  // walked bottom card first, so the top card ends in front
    };
    for (const auto& [serial, pile] : piles_)
        for (Card* card : pile->Model().Cards()) sync(*card);
    for (Card* card : table.Window().Cards()) sync(*card);
    for (Card* card : table.Store().Cards()) sync(*card);
    for (Card* card : table.DragPile().Cards()) sync(*card);
}

void MainWindow::Render()
{
    const Session& s = *session_;
    setWindowTitle(Text(s.Caption));
    PlaceOnScreen();

    newgame1_->setEnabled(s.Menu.Deal);
    replay1_->setEnabled(s.Menu.Restart);
    undo1_->setEnabled(s.Menu.Undo);
    autoplay1_->setEnabled(s.Menu.Autoplay);
    hint1_->setEnabled(!s.Welcome && !s.Inert);
    winnable1_->setChecked(s.WinnableOnly);
    scoreMenu_->setText(Text(s.Menu.ScoreCaption));
    if (const Control* label = s.Board.FindControl("Label1")) label1_->setVisible(label->Visible);

    SyncControls();
    SyncCards();
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
    // known only once a window manager has framed the shown window.
    const Rect& w = session_->WindowBounds;
    appliedFrame_ = FrameMargins();
    const QSize client(w.width - appliedFrame_.left() - appliedFrame_.right(),
                       w.height - appliedFrame_.top() - appliedFrame_.bottom());
    if (size() != client) setFixedSize(client);
    if (frameGeometry().topLeft() != QPoint(w.left, w.top)) move(w.left, w.top);
}

void MainWindow::moveEvent(QMoveEvent* event)
{
    QMainWindow::moveEvent(event);
    if (FrameMargins() != appliedFrame_) PlaceOnScreen();
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
        if (howToPlay_->isVisible()) howToPlay_->hide();
        QApplication::restoreOverrideCursor();
        unsetCursor();
        SelectGame(*session_);
        howToPlay_->SetHelpText(Text(session_->HelpText));
        DealWinnableIfAsked();
    });
}

void MainWindow::DealWinnableIfAsked()
{
    if (!session_->WinnableOnly) return;
    Render();
    DealWinnableWithProgress(*this, *session_, [this](const std::string& text) { ShowMessage(text); });
}

void MainWindow::NewHand(NewHandKind kind)
{
    Guard([this, kind] {
        unsetCursor();
        DealNewHand(*session_, kind);
        if (kind == NewHandKind::Deal) DealWinnableIfAsked();
    });
}

void MainWindow::ShowStatistics()
{
    Guard([this] {
        const StatsFigures f = OpenStatistics(*session_);
        auto number = [](long long n) { return QString::number(n); };
        stats_->SetFigures(Text(f.Title), number(f.Played), number(f.Won), number(f.Average), number(f.Days),
                           number(f.Hours), number(f.Minutes));
        stats_->exec();
    });
}

void MainWindow::ShowHowToPlay()
{
    if (!howToPlay_->isVisible()) howToPlay_->show();
}

void MainWindow::ShowAbout() { about_->exec(); }

void MainWindow::ExitGame() { close(); }

void MainWindow::closeEvent(QCloseEvent* event)
{
    if (!shutDown_) {
        shutDown_ = true;
        Guard([this] { Shutdown(*session_); });
    }
    event->accept();
    QApplication::quit();
}

}  // namespace vexa
