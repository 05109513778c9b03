#include "app/HintController.h"

#include <algorithm>

#include <QFrame>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include "app/TableView.h"
#include "core/Session.h"

namespace vexa {

HintController::HintController(Session& session, QWidget& table, std::function<void(const std::string&)> message,
                               std::function<void(const std::string&)> note)
    : QObject(&table), session_(session), table_(table), message_(std::move(message)), note_(std::move(note))
{
    Budget.Seconds = 3;
    Budget.LowestScoreLine = true;
    // VEXA_HINT_MILLISECONDS, set only by tests, keeps the frames longer, so
    // that a loaded machine's screenshots cannot miss them.
    if (const int shown = qEnvironmentVariableIntValue("VEXA_HINT_MILLISECONDS"); shown > 0)
        ShowMilliseconds = shown;
    timer_ = new QTimer(this);
    timer_->setSingleShot(true);
    connect(timer_, &QTimer::timeout, this, [this] { Unmark(); });
    // A frame shown while the window is resized follows what it surrounds.
    if (auto* view = qobject_cast<TableView*>(&table)) connect(view, &TableView::Rescaled, this, [this] { Replace(); });
}

HintController::~HintController() { Stop(); }

void HintController::Stop()
{
    if (cancel_) cancel_->store(true);
    if (worker_.joinable()) worker_.join();
}

// The cards and faces of every pile and the counters: a hint answers only
// the position it was asked for.
std::string HintController::Position() const
{
    std::string text;
    const Table& table = session_.Board;
    for (int position = 0; position < table.ControlCount(); ++position) {
        const Pile* pile = table.PileAt(position);
        if (!pile) continue;
        text += '|';
        for (const Card* card : pile->Cards())
            text += std::to_string(card->Index()) + (card->Face.State() == ctBack ? "d " : "u ");
    }
    return text + std::to_string(session_.RedealsLeft) + ' ' + std::to_string(session_.OneTimeMove) + ' ' +
           std::to_string(session_.Carrying);
}

void HintController::Request()
{
    Stop();
    Unmark();
    const int request = ++request_;
    if (session_.Welcome || session_.Inert || session_.Carrying) {
        emit Answered();
        return;
    }
    if (const SolverMove* next = line_.Next(session_)) {
        SolveAnswer answer;
        answer.Outcome = SolveOutcome::Won;
        answer.Moves.push_back(*next);
        Show(answer, request, Position());
        return;
    }
    // The copy is taken here, on the GUI thread; the search runs on its own.
    auto solver = std::make_shared<Solver>(session_);
    cancel_ = std::make_shared<std::atomic<bool>>(false);
    done_ = std::make_shared<std::atomic<bool>>(false);
    const std::string position = Position();
    SetBusy(true);
    busyPosition_ = position;
    QPointer<HintController> self(this);
    worker_ = std::thread([self, solver, cancel = cancel_, done = done_, budget = Budget, request, position] {
        const SolveAnswer answer = solver->Solve(budget, cancel.get());
        done->store(true);
        if (cancel->load()) return;
        QMetaObject::invokeMethod(
            self.data(),
            [self, answer, request, position] {
                if (!self) return;
                // A line that wins from the very position on the table is
                // kept for the hints that follow it.
                if (request == self->request_ && answer.Outcome == SolveOutcome::Won &&
                    position == self->Position()) {
                    self->line_.Keep(self->session_, answer.Moves);
                    if (const SolverMove* next = self->line_.Next(self->session_)) {
                        SolveAnswer first = answer;
                        first.Moves.assign(1, *next);
                        return self->Show(first, request, position);
                    }
                }
                self->Show(answer, request, position);
            },
            Qt::QueuedConnection);
    });
}

void HintController::Show(const SolveAnswer& answer, int request, const std::string& position)
{
    if (request != request_) return;
    if (worker_.joinable()) worker_.join();
    SetBusy(false);
    if (position != Position()) {
        emit Answered();
        return;
    }
    if (answer.Outcome == SolveOutcome::Lost && answer.Moves.empty()) {
        message_("This hand can no longer be won.");
    } else if (answer.Moves.empty()) {
        if (answer.Outcome == SolveOutcome::Unknown) message_("No move was found that makes progress.");
    } else {
        const SolverMove& move = answer.Moves.front();
        switch (move.Kind) {
        case SolverMove::Type::Card:
            Mark(cardMarker_, "HintCard", table_.findChild<QWidget*>(QString("Card%1").arg(move.LiftedIndex)));
            if (!move.Target.empty())
                Mark(pileMarker_, "HintPile", table_.findChild<QWidget*>(QString::fromStdString(move.Target)));
            break;
        case SolverMove::Type::Pile:
        case SolverMove::Type::Button:
            Mark(pileMarker_, "HintPile", table_.findChild<QWidget*>(QString::fromStdString(move.Target)));
            break;
        case SolverMove::Type::Autoplay: message_("Autoplay moves the next cards to the foundations."); break;
        }
        markedPosition_ = position;
        // No winning line was found: the move leads only towards the best
        // position the search reached, and the player is told so.
        if (answer.Outcome == SolveOutcome::Unknown) (note_ ? note_ : message_)(BestGuessText);
        // A game that never announces a victory (one scored by the cards
        // left): the move leads towards the lowest score found.
        if (answer.Outcome == SolveOutcome::Lost) (note_ ? note_ : message_)(LowestScoreText);
        timer_->start(ShowMilliseconds);
    }
    emit Answered();
}

void HintController::Mark(QFrame*& marker, const char* name, QWidget* over)
{
    if (!over) return;
    if (!marker) {
        marker = new QFrame(&table_);
        marker->setObjectName(name);
        marker->setFrameStyle(QFrame::Box | QFrame::Plain);
        marker->setStyleSheet("QFrame { color: #ff2020; background: transparent; }");
        marker->setAttribute(Qt::WA_TransparentForMouseEvents);
        // A white ring inside the red one keeps the frame plain on a pile
        // that is red itself.
        auto* inner = new QFrame(marker);
        inner->setFrameStyle(QFrame::Box | QFrame::Plain);
        inner->setStyleSheet("QFrame { color: #ffffff; background: transparent; }");
        inner->setAttribute(Qt::WA_TransparentForMouseEvents);
    }
    (marker == cardMarker_ ? cardOver_ : pileOver_) = over;
    Place(marker, over);
    marker->show();
    marker->raise();
}

// A red ring 3 pixels wide with a white one of 2 inside it, 2 pixels out
// from what it surrounds, all at the table's scale.
void HintController::Place(QFrame* marker, const QWidget* over) const
{
    const auto* view = qobject_cast<const TableView*>(&table_);
    const qreal scale = view ? view->Scale() : 1;
    const auto scaled = [scale](int pixels) { return std::max(1, qRound(pixels * scale)); };
    const int out = scaled(2);
    const QRect area(over->mapTo(&table_, QPoint(0, 0)), over->size());
    marker->setGeometry(area.adjusted(-out, -out, out, out));
    marker->setLineWidth(scaled(3));
    if (auto* inner = marker->findChild<QFrame*>()) {
        inner->setLineWidth(scaled(2));
        inner->setGeometry(marker->rect().adjusted(scaled(3), scaled(3), -scaled(3), -scaled(3)));
    }
}

void HintController::Replace()
{
    if (cardMarker_ && !cardMarker_->isHidden() && cardOver_) Place(cardMarker_, cardOver_);
    if (pileMarker_ && !pileMarker_->isHidden() && pileOver_) Place(pileMarker_, pileOver_);
}

void HintController::SetBusy(bool busy)
{
    if (busy == busy_) return;
    busy_ = busy;
    if (busy)
        table_.setCursor(Qt::BusyCursor);
    else
        table_.unsetCursor();
}

void HintController::TableChanged()
{
    // A search for a position the table has left no longer holds the
    // pointer; its answer will be dropped.
    if (busy_ && Position() != busyPosition_) SetBusy(false);
    const bool marked = (cardMarker_ && !cardMarker_->isHidden()) || (pileMarker_ && !pileMarker_->isHidden());
    if (marked && Position() != markedPosition_) Unmark();
}

void HintController::Unmark()
{
    if (cardMarker_) cardMarker_->hide();
    if (pileMarker_) pileMarker_->hide();
}

}  // namespace vexa
