// Playing from the keyboard: which pile lies nearest in a direction, and
// what a player can click on a pile, in the order the Page keys walk it.
// The window keeps the focus and draws its frame; these decide where it may
// go, from the same state the mouse clicks are judged by.
#pragma once

#include <vector>

namespace vexa {

struct Session;
class Control;
class Pile;

enum class FocusDirection { Left, Right, Up, Down };

// The first visible table pile in TableOrder; null when there is none.
Pile* FirstFocusPile(const Session& session);

// The visible table pile nearest to from in the direction: its centre must
// lie beyond from's centre along that axis; the distance along the axis
// counts once, the sideways distance twice (so that a pile straight ahead
// wins over a nearer one off to the side); ties go to the earlier pile in
// TableOrder. Null when no pile lies that way.
Pile* NearestPile(const Session& session, const Pile& from, FocusDirection direction);

// What a click on the pile can reach: the cards a player can click, bottom
// card first, then the pile itself (its own area) when part of it is free.
std::vector<Control*> ClickTargets(const Session& session, const Pile& pile);

}  // namespace vexa
