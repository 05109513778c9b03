#include "app/TableView.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <set>
#include <unordered_set>
#include <vector>

#include <QApplication>
#include <QGraphicsOpacityEffect>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>

#include "app/CardFlights.h"
#include "app/DragView.h"
#include "app/FlightPlan.h"
#include "app/FocusFrame.h"
#include "cards/CardWidget.h"
#include "core/Session.h"
#include "dialogs/Fonts.h"
#include "records/GameButtons.h"
#include "rules/KeyboardFocus.h"
#include "rules/Peek.h"
#include "table/FeltPainting.h"
#include "table/PileLayout.h"
#include "table/PileWidget.h"

namespace vexa {

namespace {
QString Text(const std::string& text) { return QString::fromStdString(text); }

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

// A model rectangle's corners mapped and rounded one by one, so that
// rectangles that touch in the model touch on the screen.
QRect RoundedCorners(const QTransform& transform, const Rect& r)
{
    const QPointF a = transform.map(QPointF(r.left, r.top));
    const QPointF b = transform.map(QPointF(r.left + r.width, r.top + r.height));
    const QPoint topLeft(qRound(a.x()), qRound(a.y()));
    return QRect(topLeft, QPoint(qRound(b.x()), qRound(b.y())) - QPoint(1, 1));
}

// Classic: the toolkit's button. Felt: a flat translucent button that sits
// on the cloth like the pile outlines.
void StyleGameButton(QPushButton& button, TableStyle style)
{
    button.setFlat(style == TableStyle::Felt);
    button.setStyleSheet(style == TableStyle::Felt ? "QPushButton { color: white; background: rgba(255,255,255,40);"
                                                     " border: 1px solid rgba(255,255,255,150); border-radius: 4px; }"
                                                     "QPushButton:pressed { background: rgba(255,255,255,90); }"
                                                   : QString());
}

QFont ScaledFont(QFont font, qreal scale)
{
    font.setPixelSize(std::max(1, qRound(font.pixelSize() * scale)));
    return font;
}
}  // namespace

TableView::TableView(Session& session, CardLibrary& library, TableActions& actions, QWidget* parent)
    : QWidget(parent), session_(session), library_(library), actions_(actions)
{
    setObjectName("Table");
    // Cards on no pile live in a hidden container that is never shown.
    store_ = new QWidget(this);
    store_->setObjectName("CardStore");
    store_->hide();
    label1_ = new QLabel(QString("\"Welcome to our Kingdom of Rerozoriri\""), this);
    label1_->setObjectName("Label1");
    label1_->setFont(VexaFont("Times New Roman", 12, true, true));
    QPalette palette = label1_->palette();
    palette.setColor(QPalette::WindowText, Qt::black);
    label1_->setPalette(palette);
    dragView_ = new DragView(library_, this);
    focusFrame_ = new FocusFrame(this);

    for (int i = 1; i <= CardCount; ++i) {
        auto* card = new CardWidget(library_, store_);
        card->setObjectName(QString("Card%1").arg(i));
        // No tooltip: the card's hint (its number) stays data, and shown it
        // would name every face-down card.
        card->Mirror(session_.Board.CardAt(i).Face);
        cards_[static_cast<std::size_t>(i)] = card;
        // The welcome cards open the chooser; once a game is loaded every
        // card plays.
        connect(card, &CardWidget::Click, this, [this, i](CardWidget*) {
            Card& model = session_.Board.CardAt(i);
            if (session_.Welcome) {
                if (model.Parent() == &session_.Board.Window()) actions_.ChooseGame();
            } else if (!dragSpent_) {
                actions_.Click(&model);
            }
        });
        connect(card, &CardWidget::MouseDown, this, [this, i](CardWidget* widget, Qt::MouseButton button, QPoint pos) {
            if (session_.Welcome) return;
            HideKeyboardFocus();
            if (button == Qt::LeftButton) DragPressed(i, widget->mapToGlobal(pos));
            actions_.MouseDown(&session_.Board.CardAt(i), button);
        });
        connect(card, &CardWidget::MouseMove, this, [this](CardWidget*, QPoint global) {
            if (!session_.Welcome) DragMoved(global);
        });
        connect(card, &CardWidget::MouseUp, this, [this](CardWidget* widget, Qt::MouseButton button, QPoint pos) {
            if (session_.Welcome) return;
            if (button == Qt::LeftButton) {
                DragReleased(widget->mapToGlobal(pos));
                dragSpent_ = false;  // the click that came just before was the drag's
            }
            actions_.MouseUp(button);
        });
    }
    flights_ = new CardFlights(library_, *this);
    connect(flights_, &CardFlights::Landed, this, [this] { RevealLanded(); });
    // A double-click reaches whatever widget of the table lies below it,
    // and any press or key first lands the cards in flight.
    qApp->installEventFilter(this);
    UpdateTransform();
}

void TableView::SetAnimations(bool on)
{
    animations_ = on;
    if (!on) FinishAnimations();
}

bool TableView::Animating() const { return flights_->Running(); }

void TableView::FinishAnimations() { flights_->Finish(); }

void TableView::RevealLanded()
{
    for (int i = 1; i <= CardCount; ++i) {
        CardWidget* widget = cards_[static_cast<std::size_t>(i)];
        if (wanted_[static_cast<std::size_t>(i)] && !flights_->Flying(i) && widget->isHidden()) widget->show();
    }
}

void TableView::SetModelSize(QSize model)
{
    if (model == model_) return;
    model_ = model;
    UpdateTransform();
}

void TableView::SetStyle(TableStyle style)
{
    if (style == style_) return;
    style_ = style;
    for (const auto& [serial, pile] : piles_) pile->SetFelt(style_ == TableStyle::Felt);
    for (const auto& [serial, button] : buttons_) StyleGameButton(*button, style_);
    update();
}

void TableView::resizeEvent(QResizeEvent*) { UpdateTransform(); }

void TableView::showEvent(QShowEvent*) { UpdateTransform(); }

void TableView::UpdateTransform()
{
    qreal scale = 1;
    // A table not yet shown has no size of its own: it is laid out at 1x
    // until the window shows it.
    const bool sized = isVisible() && model_.width() > 0 && model_.height() > 0;
    if (sized) scale = std::min(qreal(width()) / model_.width(), qreal(height()) / model_.height());
    if (scale <= 0) scale = 1;
    // Whole device pixels for the margin, so that a table shown at 1x lies
    // exactly on the pixel grid.
    const QPointF margin = sized ? QPointF(std::floor((width() - model_.width() * scale) / 2),
                                           std::floor((height() - model_.height() * scale) / 2))
                                 : QPointF();
    const QTransform next =
        QTransform::fromTranslate(std::max<qreal>(0, margin.x()), std::max<qreal>(0, margin.y())).scale(scale, scale);
    if (next == toScreen_ && scale == scale_) return;
    // Cards laid out at a new scale take their places at once.
    landAtOnce_ = true;
    toScreen_ = next;
    scale_ = scale;
    Sync();
    update();
    emit Rescaled();
}

QRect TableView::Screen(const Rect& model) const { return RoundedCorners(toScreen_, model); }

QRect TableView::Sized(const Rect& model) const { return RoundedCorners(QTransform::fromScale(scale_, scale_), model); }

void TableView::paintEvent(QPaintEvent*)
{
    if (style_ != TableStyle::Felt) return;
    QPainter painter(this);
    PaintFelt(painter, rect());
}

void TableView::Sync()
{
    // A flight still running lands before the table shows the next change.
    FinishAnimations();
    if (const Control* label = session_.Board.FindControl("Label1")) {
        label1_->setVisible(label->Visible);
        if (label1_->geometry() != Screen({7, 106, 204, 15})) label1_->setGeometry(Screen({7, 106, 204, 15}));
        const QFont font = ScaledFont(VexaFont("Times New Roman", 12, true, true), scale_);
        if (label1_->font() != font) label1_->setFont(font);
    }
    const bool fly = !SyncControls() && animations_ && !landAtOnce_ && !session_.Welcome && isVisible();
    landAtOnce_ = false;
    SyncCards(fly);
    ShowFocus();
}

QWidget* TableView::CardParent(const Card& card) const
{
    const CardContainer* parent = card.Parent();
    if (parent == &session_.Board.Window()) return const_cast<TableView*>(this);
    for (const auto& [serial, widget] : piles_)
        if (static_cast<const CardContainer*>(&widget->Model()) == parent) return widget->Content();
    return store_;  // CardStore and the DragPile are never shown
}

bool TableView::SyncControls()
{
    Table& table = session_.Board;
    const std::size_t widgets = piles_.size() + buttons_.size();
    bool changed = false;
    std::set<std::uint64_t> live;
    for (int position = 0; position < table.ControlCount(); ++position)
        live.insert(table.ControlAt(position)->Serial());
    // Drop the widgets of piles and buttons that no longer exist.
    for (auto it = piles_.begin(); it != piles_.end();) {
        if (!live.count(it->first)) {
            // Its cards are moved out before the pile goes.
            for (QObject* child : it->second->Content()->children())
                if (auto* card = qobject_cast<CardWidget*>(child)) card->setParent(store_);
            delete it->second;
            it = piles_.erase(it);
            changed = true;
        } else {
            ++it;
        }
    }
    for (auto it = buttons_.begin(); it != buttons_.end();) {
        if (!live.count(it->first)) {
            delete it->second;
            it = buttons_.erase(it);
            changed = true;
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
                widget = new PileWidget(*static_cast<Pile*>(control), session_, this);
                widget->SetFelt(style_ == TableStyle::Felt);
                connect(widget, &PileWidget::Clicked, this,
                        [this](PileWidget* pile) { actions_.Click(&pile->Model()); });
                connect(widget, &PileWidget::MouseUp, this, [this](Qt::MouseButton button) {
                    HideKeyboardFocus();
                    actions_.MouseUp(button);
                });
            }
            widget->Render(Screen(control->Bounds), scale_);
            order.push_back(widget);
        } else if (control->Type() == ControlType::Button) {
            auto* model = static_cast<GameButton*>(control);
            auto& button = buttons_[control->Serial()];
            if (!button) {
                button = new QPushButton(Text(model->Caption), this);
                button->setObjectName(Text(model->Name));
                button->setFocusPolicy(Qt::NoFocus);
                StyleGameButton(*button, style_);
                const std::uint64_t serial = control->Serial();
                connect(button, &QPushButton::clicked, this, [this, serial] { actions_.PressButton(serial); });
            }
            const QFont font = ScaledFont(VexaFont("MS Sans Serif", 11, true), scale_);
            if (button->font() != font) button->setFont(font);
            if (button->geometry() != Screen(model->Bounds)) button->setGeometry(Screen(model->Bounds));
            button->setVisible(model->Visible);
            order.push_back(button);
        }
    }
    Restack(this, order);
    return changed || piles_.size() + buttons_.size() != widgets;
}

namespace {
// Where a card was drawn before a change, in the table's pixels, and its
// place among the cards drawn in the same widget.
struct Drawn {
    bool Shown = false;
    QWidget* Parent = nullptr;
    QRect Place;
    int Picture = 0;
    int Order = 0;
};
}  // namespace

void TableView::SyncCards(bool fly)
{
    Table& table = session_.Board;
    std::array<Drawn, CardCount + 1> before{};
    if (fly)
        for (int i = 1; i <= CardCount; ++i) {
            CardWidget* widget = cards_[static_cast<std::size_t>(i)];
            const Dropped& dropped = dropped_[static_cast<std::size_t>(i)];
            // Cards released by a drag start where the pointer held them.
            if (dropped.Released)
                before[static_cast<std::size_t>(i)] = {true, dragView_, dropped.Place, dropped.Picture, dropped.Order};
            if (dropped.Released || widget->isHidden() || widget->parentWidget() == store_) continue;
            QWidget* parent = widget->parentWidget();
            before[static_cast<std::size_t>(i)] = {true, parent, QRect(widget->mapTo(this, QPoint()), widget->size()),
                                                   widget->Picture(),
                                                   static_cast<int>(parent->children().indexOf(widget))};
        }
    // Cards lifted by a click stay in their old place, dimmed, while they
    // are carried; a drag shows them flying with the pointer besides.
    const Pile* origin = session_.Carrying ? session_.OriginPile : nullptr;
    std::vector<QWidget*> order;
    auto sync = [&](Card& card) {
        CardWidget* widget = cards_[static_cast<std::size_t>(card.Index())];
        const bool ghost = origin && card.Parent() == &table.DragPile() && widget->parentWidget() != store_ &&
                           widget->parentWidget() != this && !widget->isHidden();
        if (ghost) {
            if (!widget->graphicsEffect()) {
                auto* dim = new QGraphicsOpacityEffect(widget);
                dim->setOpacity(0.4);
                widget->setGraphicsEffect(dim);
            }
            widget->setAttribute(Qt::WA_TransparentForMouseEvents, true);
            wanted_[static_cast<std::size_t>(card.Index())] = true;
            return;
        }
        if (widget->graphicsEffect()) {
            widget->setGraphicsEffect(nullptr);
            widget->setAttribute(Qt::WA_TransparentForMouseEvents, false);
        }
        QWidget* parent = CardParent(card);
        if (widget->parentWidget() != parent) widget->setParent(parent);
        widget->Mirror(card.Face);
        // A card on the table itself (the welcome screen) goes through the
        // whole transform; a pile's card lies in the pile's scaled content.
        const QRect bounds = parent == this ? Screen(card.Bounds) : Sized(card.Bounds);
        if (widget->geometry() != bounds) widget->setGeometry(bounds);
        const bool wanted = parent != store_ && card.Visible;
        wanted_[static_cast<std::size_t>(card.Index())] = wanted;
        widget->setVisible(wanted && !flights_->Flying(card.Index()));
        order.push_back(widget);
    };
    // Walked bottom card first, so the top card ends in front.
    auto syncAll = [&](const CardContainer& container, QWidget* parent) {
        order.clear();
        for (Card* card : container.Cards()) sync(*card);
        if (parent) Restack(parent, order);
    };
    for (const auto& [serial, pile] : piles_) syncAll(pile->Model(), pile->Content());
    syncAll(table.Window(), this);
    syncAll(table.Store(), nullptr);
    syncAll(table.DragPile(), nullptr);
    if (!fly) return;

    // Each card drawn before and now, somewhere else, flies there, in the
    // steps the plan gives.
    std::vector<PlannedFlight> moves;
    for (int i = 1; i <= CardCount; ++i) {
        const Drawn& was = before[static_cast<std::size_t>(i)];
        CardWidget* widget = cards_[static_cast<std::size_t>(i)];
        // A card that went off the table vanishes; one that lies covered
        // in its new place flies there too.
        if (!was.Shown || widget->parentWidget() == store_ || widget->graphicsEffect()) continue;
        const QRect now(widget->mapTo(this, QPoint()), widget->size());
        if (now.topLeft() == was.Place.topLeft()) continue;
        const Card& card = table.CardAt(i);
        int depth = 0;
        if (const CardContainer* pile = card.Parent()) {
            const auto& cards = pile->Cards();
            depth = static_cast<int>(std::find(cards.begin(), cards.end(), &card) - cards.begin());
        }
        moves.push_back({{i, was.Picture, was.Place, now, widget->isHidden()}, was.Parent, widget->parentWidget(),
                         was.Order, depth});
    }
    if (moves.empty()) return;
    const auto steps = PlanFlights(std::move(moves));
    for (const auto& step : steps)
        for (const CardFlights::Flight& route : step) cards_[static_cast<std::size_t>(route.Card)]->hide();
    const bool drop = std::any_of(dropped_.begin(), dropped_.end(), [](const Dropped& d) { return d.Released; });
    flights_->Start(steps, drop ? CardFlights::DropMilliseconds : CardFlights::StepMilliseconds);
}

TableView::PointTarget TableView::TargetAt(QPoint global) const
{
    const QPoint local = mapFromGlobal(global);
    if (!rect().contains(local)) return {};
    for (QWidget* widget = childAt(local); widget && widget != this; widget = widget->parentWidget()) {
        if (auto* card = qobject_cast<CardWidget*>(widget)) {
            for (int i = 1; i <= CardCount; ++i)
                if (cards_[static_cast<std::size_t>(i)] == card) return {true, &session_.Board.CardAt(i)};
            return {};
        }
        if (qobject_cast<QScrollBar*>(widget) || qobject_cast<QPushButton*>(widget)) return {};
        if (auto* pile = qobject_cast<PileWidget*>(widget)) return {true, &pile->Model()};
    }
    return {true, nullptr};
}

void TableView::DragPressed(int card, QPoint global)
{
    // A press while cards are carried stays a click.
    dragCard_ = session_.Carrying || dragging_ ? 0 : card;
    dragPress_ = global;
    dragSpent_ = false;
}

void TableView::DragMoved(QPoint global)
{
    if (dragging_) {
        dragView_->Follow(mapFromGlobal(global));
        return;
    }
    if (!dragCard_ || dragSpent_ || (global - dragPress_).manhattanLength() < QApplication::startDragDistance()) return;
    // The move lifts as a first click on the pressed card; the cards fly at
    // the offsets they had in their pile.
    dragSpent_ = true;
    Card& card = session_.Board.CardAt(dragCard_);
    std::map<int, QPoint> before;
    if (const CardContainer* pile = card.Parent())
        for (const Card* each : pile->Cards())
            before[each->Index()] = cards_[static_cast<std::size_t>(each->Index())]->mapToGlobal(QPoint());
    actions_.Click(&card);
    if (!session_.Carrying) return;
    std::vector<DragView::Shown> shown;
    QPoint base;
    const auto& carried = session_.Board.DragPile().Cards();
    const QPoint step = Sized({0, 0, 0, FanStepY}).bottomLeft() + QPoint(0, 1);
    for (std::size_t i = 0; i < carried.size(); ++i) {
        const auto found = before.find(carried[i]->Index());
        const QPoint at = found != before.end() ? found->second : base + step * static_cast<int>(i);
        if (i == 0) base = at;
        shown.push_back({carried[i]->Face.Picture(), at - base, carried[i]->Index()});
    }
    // The cards keep the offset at which they were grabbed; a lowest card
    // that was not on the pressed pile is held where the carry pointer
    // would hold it.
    const bool known = !carried.empty() && before.count(carried.front()->Index());
    dragView_->SetCards(std::move(shown), Sized({0, 0, CardWidth, CardHeight}).size(),
                        known ? dragPress_ - base : DragView::HotSpot * scale_);
    dragView_->Follow(mapFromGlobal(global));
    dragView_->show();
    dragView_->raise();
    dragging_ = true;
    actions_.Render();
    // The pressed card's widget has left the table: the window follows the
    // pointer from here on.
    window()->grabMouse();
}

void TableView::DragReleased(QPoint global)
{
    dragCard_ = 0;
    if (!dragging_) return;
    dragging_ = false;
    dragView_->hide();
    if (mouseGrabber() == window() && !session_.Peek.Pile) window()->releaseMouse();
    // The second click falls on what lies below the pointer; whatever is
    // still carried then goes back as a click on its own pile does. The
    // cards were drawn at the pointer: from there they glide, the short
    // way, to their new place or back to their pile.
    const PointTarget target = TargetAt(global);
    for (std::size_t i = 0; i < dragView_->Cards().size(); ++i) {
        const DragView::Shown& card = dragView_->Cards()[i];
        dropped_[static_cast<std::size_t>(card.Card)] = {true, dragView_->Place(card), card.Picture, static_cast<int>(i)};
    }
    if (target.Any && target.Sender) actions_.Click(target.Sender);
    if (session_.Carrying && session_.OriginPile) actions_.Click(session_.OriginPile);
    dropped_.fill({});
}

bool TableView::eventFilter(QObject* watched, QEvent* event)
{
    // Input never waits for a flight: the cards land, then the input acts.
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::KeyPress:
    case QEvent::ShortcutOverride:
        if (flights_->Running()) FinishAnimations();
        break;
    default: break;
    }
    if (event->type() == QEvent::MouseButtonDblClick && DoubleClicked(watched, static_cast<QMouseEvent*>(event)))
        return true;
    return QWidget::eventFilter(watched, event);
}

bool TableView::DoubleClicked(QObject* watched, QMouseEvent* event)
{
    // The first click of the double-click has acted already; the second
    // one may send the card it lifted to a foundation. Otherwise the event
    // goes on and acts as a second click. The filter sees the event once
    // for each widget it is offered to; it is weighed only once.
    if (event->timestamp() == doubleClickTime_) return false;
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || session_.Welcome || dragging_ || event->button() != Qt::LeftButton) return false;
    if (widget != this && !isAncestorOf(widget)) return false;
    const PointTarget target = TargetAt(event->globalPosition().toPoint());
    if (!target.Any) return false;
    doubleClickTime_ = event->timestamp();
    return actions_.SendToFoundation(target.Sender);
}

void TableView::BackgroundPress(QMouseEvent* event)
{
    const PointTarget target = TargetAt(event->globalPosition().toPoint());
    if (target.Any) HideKeyboardFocus();
    if (event->button() == Qt::LeftButton) {
        primaryDown_ = target.Any;
        pressed_ = target;
    } else if (target.Any && !target.Sender) {
        actions_.MouseDown(nullptr, event->button());
    }
}

void TableView::BackgroundRelease(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && (dragging_ || dragSpent_)) {
        // The release of a drag, which the window holds.
        DragReleased(event->globalPosition().toPoint());
        dragSpent_ = false;
        return actions_.MouseUp(event->button());
    }
    if (event->button() == Qt::LeftButton) {
        const bool click = primaryDown_ && TargetAt(event->globalPosition().toPoint()) == pressed_;
        primaryDown_ = false;
        if (click) actions_.Click(pressed_.Sender);
    }
    actions_.MouseUp(event->button());
}

}  // namespace vexa
