#include "app/FlightPlan.h"

#include <algorithm>
#include <functional>
#include <tuple>

namespace vexa {

std::vector<std::vector<CardFlights::Flight>> PlanFlights(std::vector<PlannedFlight> moves)
{
    // Chains of cards that stay on each other: walked from each origin's
    // lowest card up, a card joins the chain whose last card lay just below
    // it and lies just below it now.
    const std::less<const void*> before;
    std::sort(moves.begin(), moves.end(), [&](const PlannedFlight& a, const PlannedFlight& b) {
        if (a.From != b.From) return before(a.From, b.From);
        return a.Order < b.Order;
    });
    struct Chain {
        std::vector<const PlannedFlight*> Cards;
        bool Done = false;
        const PlannedFlight& Lowest() const { return *Cards.front(); }
    };
    std::vector<Chain> chains;
    for (const PlannedFlight& move : moves) {
        auto joins = [&](const Chain& chain) {
            const PlannedFlight& last = *chain.Cards.back();
            return last.From == move.From && last.To == move.To && last.Order + 1 == move.Order &&
                   last.Depth + 1 == move.Depth;
        };
        auto chain = std::find_if(chains.begin(), chains.end(), joins);
        if (chain == chains.end()) chain = chains.emplace(chains.end());
        chain->Cards.push_back(&move);
    }
    // Lowest arrivals first, the origin's upper cards before its lower ones.
    std::stable_sort(chains.begin(), chains.end(), [](const Chain& a, const Chain& b) {
        return std::make_tuple(a.Lowest().Depth, -a.Lowest().Order) <
               std::make_tuple(b.Lowest().Depth, -b.Lowest().Order);
    });
    // A chain may go when nothing still waiting lay on it at its origin or
    // lies below it at its place; where no chain may (no real sequence of
    // moves left the table so), the first waiting one goes.
    auto free = [&](const Chain& c) {
        for (const Chain& other : chains) {
            if (other.Done || &other == &c) continue;
            if (other.Lowest().From == c.Lowest().From && other.Lowest().Order > c.Lowest().Order) return false;
            if (other.Lowest().To == c.Lowest().To && other.Lowest().Depth < c.Lowest().Depth) return false;
        }
        return true;
    };
    std::vector<std::vector<CardFlights::Flight>> steps;
    for (std::size_t left = chains.size(); left > 0; --left) {
        auto next = std::find_if(chains.begin(), chains.end(), [&](const Chain& c) { return !c.Done && free(c); });
        if (next == chains.end()) next = std::find_if(chains.begin(), chains.end(), [](const Chain& c) { return !c.Done; });
        next->Done = true;
        std::vector<CardFlights::Flight> step;
        for (const PlannedFlight* card : next->Cards) step.push_back(card->Route);
        steps.push_back(std::move(step));
    }
    return steps;
}

}  // namespace vexa
