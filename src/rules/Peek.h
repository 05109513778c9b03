// The pile peek: while the secondary mouse button is held down on a card,
// that card's pile shows its content from its origin with no scroll bars;
// the release restores the bars and their exact former positions. The
// scroll bars are modelled in the core (Pile::Horz, Pile::Vert), so the
// window only renders them; it calls BeginPeek on every mouse-down of a card
// and EndPeek on every mouse-up of a card, a pile or the window background
// (capturing the mouse for the duration of the peek, so that a release
// outside the window still ends it).
#pragma once

namespace vexa {

struct Session;
class Control;
class Pile;

enum class MouseButton { Primary, Secondary, Other };

// The pile whose scroll bars a peek hides, and what the bars showed when it
// began. Pile is null while no peek is active.
struct PeekState {
    vexa::Pile* Pile = nullptr;
    bool HorzVisible = false;
    bool VertVisible = false;
    int HorzPosition = 0;
    int VertPosition = 0;
};

// A mouse-down: a secondary press on a card of a table pile starts a peek
// unless one is active already. Returns true when a peek began.
bool BeginPeek(Session& session, Control* sender, MouseButton button);

// A mouse-up: a secondary release ends the active peek, wherever it falls.
// Returns true when a peek ended.
bool EndPeek(Session& session, MouseButton button);

}  // namespace vexa
