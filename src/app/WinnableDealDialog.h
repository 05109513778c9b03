// The window side of "Winnable deals only": the search for a winnable hand
// runs with a progress dialog that keeps the window painted and can stop it.
#pragma once

#include <atomic>
#include <functional>
#include <string>
#include <vector>

class QWidget;

namespace vexa {

struct Session;
enum class SolveOutcome;
struct SolverMove;

// What runs on the search thread in place of the solver (tests hold the
// search with it until they release it); cancel is set by "Stop".
using HeldSearch = std::function<SolveOutcome(const std::atomic<bool>& cancel)>;

// Deals until a hand is proven winnable (3 seconds in all); when none is,
// the last hand stays dealt and message tells the player so. line, when
// given, receives the winning line of the proven hand (empty otherwise).
void DealWinnableWithProgress(QWidget& parent, Session& session,
                              const std::function<void(const std::string&)>& message,
                              const HeldSearch& held = nullptr, std::vector<SolverMove>* line = nullptr);

// "Winnable deals only" for one window. A game whose hands the solver
// rarely proves winnable (WinnableOftenConfirmed, probed once per game) is
// dealt as usual: the player is told so once, when the game is chosen (or
// at the first deal after the setting was turned on), instead of a search
// and a message on every deal. Other games deal with the progress dialog;
// line, when given, receives the winning line of a proven hand (empty
// otherwise).
class WinnableDealer {
public:
    // After a game was chosen (chosen true) or a new hand was dealt.
    void Deal(QWidget& parent, Session& session, bool chosen, const std::function<void(const std::string&)>& message,
              std::vector<SolverMove>* line = nullptr);

private:
    bool probed_ = false;
    std::string game_;   // the game probed last
    bool often_ = true;  // its hands are often proven winnable
    bool told_ = false;  // the player was told that they are not
};

}  // namespace vexa
