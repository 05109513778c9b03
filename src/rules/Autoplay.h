// Autoplay: top cards of the playing piles go onto the foundations for as
// long as any such move is legal, and the whole run is one undo step.
#pragma once

namespace vexa {

struct Session;
class Pile;

// The Autoplay menu command. Sources are the waste, tableau and pyramid piles
// (Kinds 1, 2 and 4) in TableOrder; after every move the scan starts again
// from the first control, so an early pile that just became movable is
// served first. Nothing happens while cards are carried.
void AutoplayCommand(Session& session);

// Offers the top card of the pile to the foundations (Kind 3) in TableOrder
// and moves it onto the first that accepts; true when it moved.
bool AutoMoveTopCard(Session& session, Pile& source);

}  // namespace vexa
