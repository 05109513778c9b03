// Lifting cards into the DragPile, the cover test of a pile, and the
// one-time move of a buried card to the top of its pile.
#pragma once

#include "table/Table.h"

namespace vexa {

struct Session;

// Moves the cards at positions from..to of the pile into the DragPile, lowest
// first, so that they keep their order; lays the pile out again (also when
// to < from and nothing moves).
void MoveToDragPile(Session& session, Pile& pile, int from, int to);

// The lowest carried card, whose rank and suit the carry pointer shows
// (face up or down alike); null while nothing is carried.
const Card* CarriedCard(const Session& session);

// The windowed control a player sees at a point of the main window's table
// area: the visible pile or game button that lies in front there (later
// controls in TableOrder lie in front of earlier ones; hidden controls cover
// nothing). Null for the bare window background and for a point outside the
// table area.
const Control* ControlAtPoint(const Session& session, int x, int y);

// Does the pile lie uncovered? It does when the inner lower-left and
// lower-right corners of a card lying at its origin, (left + 1, top + 94)
// and (left + 69, top + 94), both show the pile itself: another pile (even
// an empty one) or a game button in front of either corner covers it, and
// so does the edge of the table area.
bool IsUncovered(const Session& session, const Pile& pile);

// The one-time move: with Prepick 1, once armed (OneTimeMove 0) and on a
// Kind-2 pile, the card is taken from its place to the top of its pile and
// OneTimeMove is spent (-1). The pile is not laid out here. True when the
// move was made.
bool BringCardToTop(Session& session, Card& card, Pile& pile);

}  // namespace vexa
