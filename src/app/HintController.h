// The Hint command of the window: the solver searches the position off the
// GUI thread, and the first move of its line is shown by briefly framing the
// card to lift and the pile to drop it on; nothing moves. A position proven
// lost, or a search that finds no move making progress, is told in a
// message. A second request cancels the search still running.
#pragma once

#include <atomic>
#include <functional>
#include <memory>
#include <string>
#include <thread>

#include <QObject>
#include <QPointer>

#include "app/HintLine.h"
#include "rules/Solver.h"

class QFrame;
class QTimer;
class QWidget;

namespace vexa {

struct Session;

// Said with a hint whose move is not part of a winning line.
inline constexpr const char* BestGuessText = "No winning line was found in time; the move shown is only a best guess.";
inline constexpr const char* LowestScoreText =
    "No victory in this game; the move shown leads to the lowest score found.";
// How long the status bar shows it.
inline constexpr int BestGuessMilliseconds = 10000;

class HintController : public QObject {
    Q_OBJECT

public:
    // table: the widget that holds the pile and button widgets; message
    // shows a text in the plain message box; note, when given, shows a
    // passing remark that must not stop play (that the move shown is only a
    // best guess), which otherwise goes to message.
    HintController(Session& session, QWidget& table, std::function<void(const std::string&)> message,
                   std::function<void(const std::string&)> note = nullptr);
    ~HintController() override;

    // Answers at once from the line last found when the table stands on
    // it; otherwise searches, with the busy pointer over the table.
    void Request();
    // Keeps a line that wins from the position on the table.
    void KeepLine(const std::vector<SolverMove>& moves) { line_.Keep(session_, moves); }
    const HintLine& Line() const { return line_; }
    // Called after every change the window shows: frames that no longer
    // point at the position they were drawn for are taken down at once, so
    // that a move made meanwhile never leaves a stale frame behind.
    void TableChanged();
    bool Searching() const { return worker_.joinable() && !done_->load(); }

    SolverBudget Budget;
    int ShowMilliseconds = 1500;

signals:
    // The answer of the newest request was shown (or dropped because the
    // table changed meanwhile).
    void Answered();

private:
    void Stop();
    void Show(const SolveAnswer& answer, int request, const std::string& position);
    void Mark(QFrame*& marker, const char* name, QWidget* over);
    void Place(QFrame* marker, const QWidget* over) const;
    void Replace();
    void Unmark();
    void SetBusy(bool busy);
    std::string Position() const;

    Session& session_;
    QWidget& table_;
    std::function<void(const std::string&)> message_;
    std::function<void(const std::string&)> note_;
    std::thread worker_;
    std::shared_ptr<std::atomic<bool>> cancel_;
    std::shared_ptr<std::atomic<bool>> done_ = std::make_shared<std::atomic<bool>>(true);
    int request_ = 0;
    std::string markedPosition_;  // the position the frames belong to
    QFrame* cardMarker_ = nullptr;
    QFrame* pileMarker_ = nullptr;
    QPointer<QWidget> cardOver_;  // what each frame surrounds
    QPointer<QWidget> pileOver_;
    QTimer* timer_ = nullptr;
    HintLine line_;
    bool busy_ = false;
    std::string busyPosition_;  // the position being searched
};

}  // namespace vexa
