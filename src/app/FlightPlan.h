// The schedule of the flights after a change of the table: which cards fly
// together and in which order. Cards that lay on each other and lie on each
// other again in the same order (a run moved as one, the cards a drag
// released) fly as one step; every other card is a step of its own
// (autoplay's cards, a stock dealt card by card). The steps go in an order
// the cards could have moved in: from a pile, the card that lay on top
// leaves first; onto a pile, the card that lies lowest arrives first.
#pragma once

#include <vector>

#include "app/CardFlights.h"

namespace vexa {

struct PlannedFlight {
    CardFlights::Flight Route;
    const void* From = nullptr;  // what the card lay in (a pile's content, the drag)
    const void* To = nullptr;    // what it lies in now
    int Order = 0;               // its place in From, lowest card 0
    int Depth = 0;               // its place in To, lowest card 0
};

std::vector<std::vector<CardFlights::Flight>> PlanFlights(std::vector<PlannedFlight> moves);

}  // namespace vexa
