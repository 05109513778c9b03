// Dealing a hand of the loaded game: a fresh shuffle for a new hand, the
// hand of a chosen number, or the kept deck order to restart the same hand.
#pragma once

#include <cstdint>

namespace vexa {

struct Session;

// The two items of the Game menu that start a hand over.
enum class NewHandKind { Deal, Restart };

// Collects every card, resets the hand's counters and the undo journal, then
// deals a new hand (counting the one left) or restarts the same hand (not
// counting it).
void DealNewHand(Session& session, NewHandKind kind);

// Deals the hand numbered number of the loaded game as a new hand (the hand
// left is counted as by DealNewHand): the generator is set to the number
// and the hand is shuffled from there exactly as any fresh shuffle, so the
// same number gives the same hand whatever was played before.
void DealNumberedHand(Session& session, std::uint32_t number);

// Every card back into CardStore, every pile shown again and laid out empty.
void CollectCards(Session& session);

// What every hand starts from: the one-time move available, no streak,
// nothing carried, an empty undo journal.
void StartHandState(Session& session);

// Deals from a fresh shuffle (keepOrder false), whose starting state of the
// generator becomes the hand's DealNumber, or from the kept DeckOrder
// (the DealNumber stays), resets the redeal counter and shows the first
// score.
void DealHand(Session& session, bool keepOrder);

}  // namespace vexa
