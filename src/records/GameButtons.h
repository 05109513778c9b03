// The push buttons a game definition puts on the table. Each button's tag
// selects its action: 1 hides the last empty tableau pile, 2 arms the
// one-time move, 3 claims the win of a two-deck game.
#pragma once

namespace vexa {

struct Session;
class GameButton;

// Carries out the action of the pressed button; other tags do nothing.
void PressGameButton(Session& session, GameButton& button);

}  // namespace vexa
