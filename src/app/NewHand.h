// Dealing a hand of the loaded game: a fresh shuffle for a new hand, or the
// kept deck order to restart the same hand.
#pragma once

namespace vexa {

struct Session;

// The two items of the Game menu that start a hand over.
enum class NewHandKind { Deal, Restart };

// Collects every card, resets the hand's counters and the undo journal, then
// deals a new hand (counting the one left) or restarts the same hand (not
// counting it).
void DealNewHand(Session& session, NewHandKind kind);

// Every card back into CardStore, every pile shown again and laid out empty.
void CollectCards(Session& session);

// What every hand starts from: the one-time move available, no streak,
// nothing carried, an empty undo journal.
void StartHandState(Session& session);

// Deals from a fresh shuffle (keepOrder false) or from the kept DeckOrder,
// resets the redeal counter and shows the first score.
void DealHand(Session& session, bool keepOrder);

}  // namespace vexa
