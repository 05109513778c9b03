// The status bar under the table: the number of the hand in play, the moves
// made in it, the time spent in it and, where the game has a stock, the
// redeals left. It only shows what the session holds; the score stays in
// the menu bar.
#pragma once

#include <QStatusBar>

class QLabel;
class QTimer;

namespace vexa {

struct Session;

// The moves made in this hand: the steps the undo journal holds. A move,
// a pile action, a game button or an autoplay run that changed the table
// records one step, undo takes one back and redo puts it back; a lift
// returned to its own pile or an action that changed nothing records none.
int MovesThisHand(const Session& session);

// The time in game so far, in days, counting the running period while the
// application is active (as the statistics fold it in).
double TimeInGameNow(Session& session);

// Seconds as "m:ss" (minutes go on past 59).
QString MinutesAndSeconds(long long seconds);

// "Deal N" for the hand in play, "" when its number is not known.
QString DealNumberText(const Session& session);

class StatusBar : public QStatusBar {
    Q_OBJECT

public:
    explicit StatusBar(Session& session, QWidget* parent = nullptr);

    // A new hand starts its time at 0: a game load, a new deal or a restart.
    void StartHand();
    // Shows the figures as they stand; hidden while the welcome cards show.
    void Refresh();
    // The whole seconds spent in this hand; the clock stops at a victory.
    long long HandSeconds();

private:
    Session& session_;
    QLabel* deal_ = nullptr;
    QLabel* moves_ = nullptr;
    QLabel* time_ = nullptr;
    QLabel* redeals_ = nullptr;
    QTimer* tick_ = nullptr;
    double startedAt_ = 0;  // TimeInGameNow at the start of the hand
    int victoriesAtStart_ = 0;
    double stoppedAt_ = -1;  // TimeInGameNow at the hand's victory, -1 before
};

}  // namespace vexa
