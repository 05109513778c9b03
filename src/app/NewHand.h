// Dealing a hand of the loaded game: a fresh shuffle for a new hand, or the
// kept deck order to restart the same hand.
#pragma once

namespace vexa {

struct Session;

// Deals from a fresh shuffle (keepOrder false) or from the kept DeckOrder,
// resets the redeal counter and shows the first score.
void DealHand(Session& session, bool keepOrder);

}  // namespace vexa
