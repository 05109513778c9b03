// Shuffling and dealing: the deck order is shuffled anew (or kept, so that a
// hand can be restarted), the Preplay cards are set aside at its front, and
// every pile with a DealPattern takes cards character by character in
// TableOrder, with the Extract cards diverted to empty foundations.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "table/Random.h"
#include "table/Table.h"

namespace vexa {

// DeckOrder positions 1..104 (position 0 unused), each holding a CardSet index.
using DeckOrder = std::array<int, CardCount + 1>;
DeckOrder IdentityDeckOrder();

// What a deal needs of the game's settings.
struct DealRules {
    int Decks = 1;
    std::vector<int> Preplay;
    std::vector<int> Extract;
    int Postdeal = 0;
};

// The number of cards in play, Decks x 52, kept within the CardSet.
int CardsInPlay(int decks);

// The Preplay or Extract list as the deal uses it: entries outside 1..N and
// repeated entries are left out, at most 16 entries are kept.
std::vector<int> UsableCardList(const std::vector<int>& entries, int cardsInPlay);

// A fresh shuffle: identity order, the Preplay cards swapped to the front,
// then every later position swapped with one drawn from the whole range.
void Shuffle(DeckOrder& order, const DealRules& rules, Random& random);

// A deal number written in decimal: 0 to 4294967295, digits only (no sign,
// no spaces); nothing when the text is no such number. A hand's number is
// the generator's state at the start of its shuffle.
std::optional<std::uint32_t> ParseDealNumber(const std::string& text);

// Deals every card from the given order onto the piles (every card must be
// in CardStore), lays out each dealt pile and runs the Postdeal step.
void DealCards(Table& table, const DeckOrder& order, const DealRules& rules);

// Postdeal 1: the kings of each Kind-2 pile go to its bottom.
void KingsToBottom(Table& table);

}  // namespace vexa
