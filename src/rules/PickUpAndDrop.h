// The two halves of a move. PickUp applies the clicked pile's PickRule: it
// lifts cards into the DragPile (codes 1 to 9) or deals from the pile at
// once (codes 90 to 95). DropCards lays cards onto a target pile. Around
// them run the game's Prepick, Postpick and Postdrop steps, and the card
// that a move exposes on its origin pile is turned up.
#pragma once

#include "table/Table.h"

namespace vexa {

struct Session;

// A click on a card while nothing is carried (after the Before snapshot):
// the one-time move when the game has one, the PickRule, the redeal status
// of an emptied stock, then the Postpick step after a lift.
void PickUp(Session& session, Card& card);

// After a lift: Postpick 1 sends the carried cards to the first foundation
// when it accepts them, Postpick 13 sends a carried King there. A completed
// move records its undo step and updates the score.
void ApplyPostpick(Session& session);

// Moves the cards of source from position first to its top onto target,
// then runs the Postdrop step, turns up a face-down card left on top of the
// origin pile, ends the carry and updates the score. The caller records the
// undo step.
void DropCards(Session& session, Pile& target, CardContainer& source, int first);

// After every drop: 13 and 14 remove a pair adding up to 13 or 14 to the
// first foundation, 20 refills an emptied tableau pile from the stock, 30
// hides an emptied pyramid pile and turns up the pyramid cards it freed.
void ApplyPostdrop(Session& session, Pile& target);

// The first pile of a kind in TableOrder, or null when the game has none.
Pile* FirstPileOfKind(const Table& table, int kind);
Pile* LastPileOfKind(const Table& table, int kind);

}  // namespace vexa
