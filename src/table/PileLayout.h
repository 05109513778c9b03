// Placing the cards inside a pile: where each card lies, which cards show,
// and for one style which card is turned face down. Runs after every change
// of a pile's contents and keeps no state between calls.
#pragma once

#include "table/Table.h"

namespace vexa {

// The fan steps follow from the card size.
constexpr int FanStepX = CardWidth / 5 + 1;   // 15
constexpr int FanStepY = CardHeight / 6 + 1;  // 17
// Thickness of a pile's scroll bar in pixels.
constexpr int ScrollBarSize = 16;

void LayOutPile(Pile& pile);

// Which scroll bars the pile shows for its Direction and the extent of its
// visible cards, and how far each can scroll. Positions are kept within the
// new ranges; a bar that disappears falls back to 0.
void UpdateScrollBars(Pile& pile);

}  // namespace vexa
