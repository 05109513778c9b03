// The window side of "Winnable deals only": the search for a winnable hand
// runs with a progress dialog that keeps the window painted and can stop it.
#pragma once

#include <functional>
#include <string>
#include <vector>

class QWidget;

namespace vexa {

struct Session;
struct SolverMove;

// Deals until a hand is proven winnable (3 seconds in all); when none is,
// the last hand stays dealt and message tells the player so. line, when
// given, receives the winning line of the proven hand (empty otherwise).
void DealWinnableWithProgress(QWidget& parent, Session& session,
                              const std::function<void(const std::string&)>& message,
                              std::vector<SolverMove>* line = nullptr);

}  // namespace vexa
