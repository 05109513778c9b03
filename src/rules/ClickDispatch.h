// The click dispatcher of the table: what a primary-button click means in
// the current state. While nothing is carried a click on a card picks up
// (PickUp), a click on a pile's own area runs its ClickAction, and every
// such click first takes the undo journal's Before snapshot. While cards are
// carried a click on a card or a pile offers them to that pile (the card
// stands for its pile); a refusal is silent and the cards stay carried.
//
// The window forwards every click of a card widget (sender: its Card), of
// a pile widget's free area (sender: its Pile) and of the window background
// (sender: null) here, then renders the session. Game buttons have their own
// handler. The carry pointer shows CarriedCard(session) while Carrying.
#pragma once

namespace vexa {

struct Session;
class Card;
class Control;
class Pile;

void DispatchClick(Session& session, Control* sender);

// What a player can click in the window (the headless driver refuses the
// rest): a card that lies on a visible table pile, is shown by its pile's
// layout and is not covered entirely by a card above it; a pile's own area
// when the pile is visible and its shown cards leave part of it free.
bool CanClickCard(const Session& session, const Card& card);
bool CanClickPileArea(const Session& session, const Pile& pile);

}  // namespace vexa
