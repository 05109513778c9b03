// Autoplay: top cards of the playing piles go onto the foundations for as
// long as any such move is legal, and the whole run is one undo step.
#pragma once

namespace vexa {

struct Session;
class Control;
class Pile;

// The Autoplay menu command. Sources are the waste, tableau and pyramid piles
// (Kinds 1, 2 and 4) in TableOrder; after every move the scan starts again
// from the first control, so an early pile that just became movable is
// served first. Nothing happens while cards are carried.
void AutoplayCommand(Session& session);

// Offers the top card of the pile to the foundations (Kind 3) in TableOrder
// and moves it onto the first that accepts; true when it moved.
bool AutoMoveTopCard(Session& session, Pile& source);

// The second click of a double-click, where sender is what it fell on: when
// the first click lifted a single card from a playing pile (Kinds 1, 2 and
// 4) and the second falls on that same pile (a card of it or its area), the
// card goes onto the first foundation in TableOrder that takes it, as a
// click on that foundation would drop it: the move autoplay would make for
// the card, and with the lift one undo step. True when it moved; otherwise
// nothing changes and the second click counts as any click does. Nothing
// moves in a game without autoplay, nor for a card that was not the top
// card of its pile before the lift (its undo snapshot tells).
bool SendCarriedToFoundation(Session& session, Control* sender);

}  // namespace vexa
