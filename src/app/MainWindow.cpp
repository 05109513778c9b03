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

#include "app/DragView.h"
#include "app/FocusFrame.h"
#include "app/GameLoader.h"
#include "app/HintController.h"
#include "app/NewHand.h"
#include "app/RefusedSign.h"
#include "app/StatusBar.h"
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
QRect Bounds(const Rect& r) { return QRect(r.left, r.top, r.width, r.height); }

MouseButton CoreButton(Qt::MouseButton button)
{
    switch (button) {
    case Qt::LeftButton: return MouseButton::Primary;
    case Qt::RightButton: return MouseButton::Secondary;
    default: return MouseButton::Other;
    }
}

// Puts the widgets of order in front of each other, the last one in front
// of all, raising only from the first one out of place: a raise repaints,
// and most renders change no stacking at all.
void Restack(QWidget* parent, const std::vector<QWidget*>& order)
{
    const std::unordered_set<QWidget*> wanted(order.begin(), order.end());
    std::vector<QWidget*> current;
    current.reserve(order.size());
    for (QObject* child : parent->children())
        if (auto* widget = qobject_cast<QWidget*>(child); widget && wanted.count(widget)) current.push_back(widget);
    std::size_t first = 0;
    while (first < order.size() && first < current.size() && order[first] == current[first]) ++first;
    for (std::size_t i = first; i < order.size(); ++i) order[i]->raise();
}
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
    status_ = new StatusBar(*session_, this);
    setStatusBar(status_);
    // A double-click reaches whatever widget of the table lies below it.
    qApp->installEventFilter(this);
    CreateMenu();
    CreateWelcome();
    for (int i = 1; i <= CardCount; ++i) {
        auto* card = new CardWidget(library_, store_);
        card->setObjectName(QString("Card%1").arg(i));
        // No tooltip: the card's hint (its number) stays data, and shown it
        // would name every face-down card.
        card->Mirror(session_->Board.CardAt(i).Face);
        cards_[static_cast<std::size_t>(i)] = card;
        // The welcome cards open the chooser; once a game is loaded every
        // card plays.
        connect(card, &CardWidget::Click, this, [this, i](CardWidget*) {
            Card& model = session_->Board.CardAt(i);
            if (session_->Welcome) {
                if (model.Parent() == &session_->Board.Window()) ChooseGame();
            } else if (!dragSpent_) {
                Click(&model);
            }
        });
        connect(card, &CardWidget::MouseDown, this, [this, i](CardWidget* widget, Qt::MouseButton button, QPoint pos) {
            if (session_->Welcome) return;
            if (button == Qt::LeftButton) DragPressed(i, widget->mapToGlobal(pos));
            MouseDown(&session_->Board.CardAt(i), button);
        });
        connect(card, &CardWidget::MouseMove, this, [this](CardWidget*, QPoint global) {
            if (!session_->Welcome) DragMoved(global);
        });
        connect(card, &CardWidget::MouseUp, this, [this](CardWidget* widget, Qt::MouseButton button, QPoint pos) {
            if (session_->Welcome) return;
            if (button == Qt::LeftButton) {
                DragReleased(widget->mapToGlobal(pos));
                dragSpent_ = false;  // the click that came just before was the drag's
            }
            MouseUp(button);
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
    table_->installEventFilter(this);
    dragView_ = new DragView(library_, table_);
    refused_ = new RefusedSign(table_);
    focusFrame_ = new FocusFrame(table_);
    // The window takes the keys; nothing inside it keeps the focus.
    setFocusPolicy(Qt::StrongFocus);
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
    std::vector<QWidget*> order;
    for (int position = 0; position < table.ControlCount(); ++position) {
        Control* control = table.ControlAt(position);
        if (control == &table.DragPile()) continue;
        if (control->Type() == ControlType::Pile) {
            auto& widget = piles_[control->Serial()];
            if (!widget) {
                widget = new PileWidget(*static_cast<Pile*>(control), table_);
                connect(widget, &PileWidget::Clicked, this, [this](PileWidget* pile) { Click(&pile->Model()); });
                connect(widget, &PileWidget::MouseUp, this, [this](Qt::MouseButton button) { MouseUp(button); });
            }
            widget->Render();
            order.push_back(widget);
        } else if (control->Type() == ControlType::Button) {
            auto* model = static_cast<GameButton*>(control);
            auto& button = buttons_[control->Serial()];
            if (!button) {
                button = new QPushButton(Text(model->Caption), table_);
                button->setObjectName(Text(model->Name));
                button->setFont(VexaFont("MS Sans Serif", 11, true));
                button->setFocusPolicy(Qt::NoFocus);
                const std::uint64_t serial = control->Serial();
                connect(button, &QPushButton::clicked, this, [this, serial] { PressButton(serial); });
            }
            if (button->geometry() != Bounds(model->Bounds)) button->setGeometry(Bounds(model->Bounds));
            button->setVisible(model->Visible);
            order.push_back(button);
        }
    }
    Restack(table_, order);
}

void MainWindow::SyncCards()
{
    Table& table = session_->Board;
    std::vector<QWidget*> order;
    auto sync = [&](Card& card) {
        CardWidget* widget = cards_[static_cast<std::size_t>(card.Index())];
        QWidget* parent = CardParent(card);
        if (widget->parentWidget() != parent) widget->setParent(parent);
        widget->Mirror(card.Face);
        if (widget->geometry() != Bounds(card.Bounds)) widget->setGeometry(Bounds(card.Bounds));
        widget->setVisible(parent != store_ && card.Visible);
        order.push_back(widget);
    };
    // Walked bottom card first, so the top card ends in front.
    auto syncAll = [&](const CardContainer& container, QWidget* parent) {
        order.clear();
        for (Card* card : container.Cards()) sync(*card);
        if (parent) Restack(parent, order);
    };
    for (const auto& [serial, pile] : piles_) syncAll(pile->Model(), pile->Content());
    syncAll(table.Window(), table_);
    syncAll(table.Store(), nullptr);
    syncAll(table.DragPile(), nullptr);
}

void MainWindow::Render()
{
    const Session& s = *session_;
    setWindowTitle(Text(s.Caption));
    status_->Refresh();
    PlaceOnScreen();

    newgame1_->setEnabled(s.Menu.Deal);
    replay1_->setEnabled(s.Menu.Restart);
    undo1_->setEnabled(s.Menu.Undo);
    redo1_->setEnabled(s.Menu.Redo);
    autoplay1_->setEnabled(s.Menu.Autoplay);
    hint1_->setEnabled(!s.Welcome && !s.Inert);
    winnable1_->setChecked(s.WinnableOnly);
    scoreMenu_->setText(Text(s.Menu.ScoreCaption));
    if (const Control* label = s.Board.FindControl("Label1")) label1_->setVisible(label->Visible);

    MeasureClientArea();
    SyncControls();
    SyncCards();
    ShowPointer();
    ShowFocus();
    hint_->TableChanged();
}

void MainWindow::MeasureClientArea()
{
    // The core's cover test needs the table area as the player sees it.
    if (!table_->isVisible()) return;
    session_->ClientWidth = table_->width();
    session_->ClientHeight = table_->height();
}

void MainWindow::ShowPointer()
{
    // The carry pointer shows the lowest carried card, face up or down,
    // from the lift until the drop.
    const Card* carried = session_->Carrying ? CarriedCard(*session_) : nullptr;
    const int shown = carried ? carried->Face.Deckvalue() : 0;
    if (shown == shownCarry_) return;
    shownCarry_ = shown;
    if (carried)
        setCursor(carry_.Cursor(carried->Face.Value(), carried->Face.Suit(), carried->Face.Colour()));
    else
        unsetCursor();
}

MainWindow::PointTarget MainWindow::TargetAt(QPoint global) const
{
    const QPoint local = table_->mapFromGlobal(global);
    if (!table_->rect().contains(local)) return {};
    for (QWidget* widget = table_->childAt(local); widget && widget != table_; widget = widget->parentWidget()) {
        if (auto* card = qobject_cast<CardWidget*>(widget)) {
            for (int i = 1; i <= CardCount; ++i)
                if (cards_[static_cast<std::size_t>(i)] == card) return {true, &session_->Board.CardAt(i)};
            return {};
        }
        if (qobject_cast<QScrollBar*>(widget) || qobject_cast<QPushButton*>(widget)) return {};
        if (auto* pile = qobject_cast<PileWidget*>(widget)) return {true, &pile->Model()};
    }
    return {true, nullptr};
}

void MainWindow::Click(Control* sender)
{
    Pile* offered = RefusedSign::OfferedTo(*session_, sender);
    Guard([this, sender] { DispatchClick(*session_, sender); });
    refused_->AfterClick(*session_, offered);
}

bool MainWindow::DoubleClicked(QObject* watched, QMouseEvent* event)
{
    // The first click of the double-click has acted already; the second
    // one may send the card it lifted to a foundation. Otherwise the event
    // goes on and acts as a second click. The filter sees the event once
    // for each widget it is offered to; it is weighed only once.
    if (event->timestamp() == doubleClickTime_) return false;
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || session_->Welcome || dragging_ || event->button() != Qt::LeftButton) return false;
    if (widget != table_ && !table_->isAncestorOf(widget)) return false;
    const PointTarget target = TargetAt(event->globalPosition().toPoint());
    if (!target.Any) return false;
    doubleClickTime_ = event->timestamp();
    bool sent = false;
    Guard([&] { sent = SendCarriedToFoundation(*session_, target.Sender); });
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
        if (mouseGrabber() == this && !dragging_) releaseMouse();
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

void MainWindow::DragPressed(int card, QPoint global)
{
    // A press while cards are carried stays a click.
    dragCard_ = session_->Carrying || dragging_ ? 0 : card;
    dragPress_ = global;
    dragSpent_ = false;
}

void MainWindow::DragMoved(QPoint global)
{
    if (dragging_) {
        dragView_->Follow(table_->mapFromGlobal(global));
        return;
    }
    if (!dragCard_ || dragSpent_ || (global - dragPress_).manhattanLength() < QApplication::startDragDistance()) return;
    // The move lifts as a first click on the pressed card; the cards fly at
    // the offsets they had in their pile.
    dragSpent_ = true;
    Card& card = session_->Board.CardAt(dragCard_);
    std::map<int, QPoint> before;
    if (const CardContainer* pile = card.Parent())
        for (const Card* each : pile->Cards())
            before[each->Index()] = cards_[static_cast<std::size_t>(each->Index())]->mapToGlobal(QPoint());
    Click(&card);
    if (!session_->Carrying) return;
    std::vector<DragView::Shown> shown;
    QPoint base;
    const auto& carried = session_->Board.DragPile().Cards();
    for (std::size_t i = 0; i < carried.size(); ++i) {
        const auto found = before.find(carried[i]->Index());
        const QPoint at = found != before.end() ? found->second : base + QPoint(0, FanStepY * static_cast<int>(i));
        if (i == 0) base = at;
        shown.push_back({carried[i]->Face.Picture(), at - base});
    }
    dragView_->SetCards(std::move(shown));
    dragView_->Follow(table_->mapFromGlobal(global));
    dragView_->show();
    dragView_->raise();
    dragging_ = true;
    // The pressed card's widget has left the table: the window follows the
    // pointer from here on.
    grabMouse();
}

void MainWindow::DragReleased(QPoint global)
{
    dragCard_ = 0;
    if (!dragging_) return;
    dragging_ = false;
    dragView_->hide();
    if (mouseGrabber() == this && !session_->Peek.Pile) releaseMouse();
    // The second click falls on what lies below the pointer; whatever is
    // still carried then goes back as a click on its own pile does.
    const PointTarget target = TargetAt(global);
    if (target.Any && target.Sender) Click(target.Sender);
    if (session_->Carrying && session_->OriginPile) Click(session_->OriginPile);
}

Control* MainWindow::FocusTarget()
{
    if (!keyboardShown_ || session_->Welcome) return nullptr;
    Table& table = session_->Board;
    Pile* pile = nullptr;
    for (int position = 0; position < table.ControlCount() && !pile; ++position)
        if (table.ControlAt(position)->Serial() == focusPile_) pile = table.PileAt(position);
    if (!pile || !pile->Visible) pile = FirstFocusPile(*session_);
    if (!pile) return nullptr;
    // The focused card while a player could click it; otherwise the pile's
    // top clickable card, or its own area.
    const std::vector<Control*> targets = ClickTargets(*session_, *pile);
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

void MainWindow::FocusOn(Pile* pile, Control* target)
{
    focusPile_ = pile->Serial();
    focusCard_ = target && target->Type() == ControlType::Card ? static_cast<Card*>(target)->Index() : 0;
}

void MainWindow::ShowFocus()
{
    Control* target = FocusTarget();
    if (!target) {
        focusFrame_->hide();
        return;
    }
    QRect ring;
    if (target->Type() == ControlType::Card) {
        const CardWidget* card = cards_[static_cast<std::size_t>(static_cast<Card*>(target)->Index())];
        ring = QRect(card->mapTo(table_, QPoint()), card->size());
        // A card of a scrolled pile is ringed where the pile shows it.
        if (auto* pile = qobject_cast<PileWidget*>(card->parentWidget()->parentWidget()->parentWidget()))
            ring &= QRect(pile->viewport()->mapTo(table_, QPoint()), pile->viewport()->size());
    } else {
        ring = Bounds(target->Bounds);
    }
    focusFrame_->Surround(ring);
    focusFrame_->show();
    focusFrame_->raise();
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
        if (event->modifiers() & ~(Qt::KeypadModifier | Qt::ShiftModifier)) return QMainWindow::keyPressEvent(event);
        break;
    default: return QMainWindow::keyPressEvent(event);
    }
    const bool first = !keyboardShown_;
    keyboardShown_ = true;
    Control* target = FocusTarget();
    Pile* pile = target && target->Type() == ControlType::Card
                     ? dynamic_cast<Pile*>(static_cast<Card*>(target)->Parent())
                     : static_cast<Pile*>(target);
    auto move = [&](FocusDirection direction) {
        if (first || !pile) return;  // the first key only shows where the focus is
        if (Pile* next = NearestPile(*session_, *pile, direction)) {
            FocusOn(next, nullptr);
            focusCard_ = -1;  // FocusTarget picks the pile's top clickable card
        }
    };
    auto step = [&](int delta) {
        if (!pile) return;
        const std::vector<Control*> targets = ClickTargets(*session_, *pile);
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
        if (target && !event->isAutoRepeat()) Click(target);
        break;
    case Qt::Key_Escape:
        // Carried cards go back as a click on their own pile does.
        if (session_->Carrying && session_->OriginPile) Click(session_->OriginPile);
        break;
    case Qt::Key_P:
        if (!event->isAutoRepeat() && pile) {
            Control* card = target != pile ? target : pile->Top();
            if (card && BeginPeek(*session_, card, MouseButton::Secondary)) {
                keyPeek_ = true;
                Render();
            }
        }
        break;
    default: break;
    }
    ShowFocus();
}

void MainWindow::keyReleaseEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_P && !event->isAutoRepeat() && keyPeek_) {
        keyPeek_ = false;
        if (EndPeek(*session_, MouseButton::Secondary)) Render();
        return;
    }
    QMainWindow::keyReleaseEvent(event);
}

void MainWindow::mouseMoveEvent(QMouseEvent* event)
{
    if (dragging_)
        DragMoved(event->globalPosition().toPoint());
    else
        QMainWindow::mouseMoveEvent(event);
}

void MainWindow::mousePressEvent(QMouseEvent* event)
{
    // Reached by presses on the bare table (cards and piles take their own)
    // and by every press while a peek holds the mouse.
    if (session_->Welcome || dragging_) return QMainWindow::mousePressEvent(event);
    const PointTarget target = TargetAt(event->globalPosition().toPoint());
    if (event->button() == Qt::LeftButton) {
        primaryDown_ = target.Any;
        pressed_ = target;
    } else if (target.Any && !target.Sender) {
        MouseDown(nullptr, event->button());
    }
}

void MainWindow::mouseReleaseEvent(QMouseEvent* event)
{
    if (session_->Welcome) return QMainWindow::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && (dragging_ || dragSpent_)) {
        // The release of a drag, which the window holds.
        DragReleased(event->globalPosition().toPoint());
        dragSpent_ = false;
        return MouseUp(event->button());
    }
    if (event->button() == Qt::LeftButton) {
        const bool click = primaryDown_ && TargetAt(event->globalPosition().toPoint()) == pressed_;
        primaryDown_ = false;
        if (click) Click(pressed_.Sender);
    }
    MouseUp(event->button());
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonDblClick && DoubleClicked(watched, static_cast<QMouseEvent*>(event)))
        return true;
    if (watched == table_ && event->type() == QEvent::Resize) MeasureClientArea();
    return QMainWindow::eventFilter(watched, event);
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
    // The status bar adds its height below the table, whose area stays the
    // one the game defines.
    const int statusHeight = status_->isHidden() ? 0 : status_->sizeHint().height();
    const QSize client(w.width - appliedFrame_.left() - appliedFrame_.right(),
                       w.height - appliedFrame_.top() - appliedFrame_.bottom() + statusHeight);
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
        if (howToPlay_ && howToPlay_->isVisible()) howToPlay_->hide();
        QApplication::restoreOverrideCursor();
        unsetCursor();
        SelectGame(*session_);
        if (howToPlay_) howToPlay_->SetHelpText(Text(session_->HelpText));
        DealWinnableIfAsked();
        status_->StartHand();
    });
}

void MainWindow::DealWinnableIfAsked()
{
    if (!session_->WinnableOnly) return;
    Render();
    std::vector<SolverMove> line;
    DealWinnableWithProgress(*this, *session_, [this](const std::string& text) { ShowMessage(text); }, &line);
    hint_->KeepLine(line);
}

void MainWindow::NewHand(NewHandKind kind)
{
    Guard([this, kind] {
        unsetCursor();
        DealNewHand(*session_, kind);
        if (kind == NewHandKind::Deal) DealWinnableIfAsked();
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
        Guard([this] { Shutdown(*session_); });
    }
    event->accept();
    QApplication::quit();
}

}  // namespace vexa
