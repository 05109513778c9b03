// Rank-only keys. Where no rule of the game reads a card's suit or colour,
// only its rank and face, two positions that hold cards of the same ranks
// and faces in the same places allow the same moves with the same results
// for ever (swap the suits of the cards throughout: every rule answers
// alike), so they are one position to the search: each card is keyed by its
// rank and face alone. This matters where cards of one rank go to several
// places (Calculation's and Sir Tommy's wastes and foundations, where which
// copy of a rank went where leaves many equal positions).
//
// Switched on only when every rule code in play reads ranks alone:
// PickRules that lift by position or by rank (0, 1, 2, 5, 7, 8, the stock
// codes 90 to 95), DropRules and EmptyDropRules that compare ranks, counts
// and piles (not the suit or colour codes, nor 216/217, which compare the
// deck value), ClickActions 0, 301, 303, Postpick 0, 1, 13 (the first
// foundation's own rule decides), Postdrop 0, 13, 14, 20, 30 (rank sums
// and positions), no Prepick, scoring schemes that count cards (not schemes
// 1 and 3, whose runs are of one suit, nor 4, which reads suits), no game
// buttons and no reshuffle (the generator deals cards by identity).
#include "rules/SolverSearch.h"

namespace vexa {

using namespace solving;

namespace {

constexpr std::array RankOnlyPickRules{0, 1, 2, 5, 7, 8, 90, 91, 92, 93, 94, 95};
constexpr std::array RankOnlyDropRules{0, 101, 104, 105, 108, 112, 113, 114, 115, 116, 117, 118, 124};
constexpr std::array RankOnlyEmptyDropRules{0, 201, 202, 203, 204, 209, 210, 213, 214, 215};
constexpr std::array RankOnlyClickActions{0, 301, 303};
constexpr std::array RankOnlyPostpicks{0, 1, 13};
constexpr std::array RankOnlyPostdrops{0, 13, 14, 20, 30};
// Not schemes 1 and 3: their runs from a King count only cards of one suit,
// so the victory reads suits.
constexpr std::array RankOnlyScorings{0, 2, 5};

}  // namespace

void Solver::Search::FindRankOnlyKeys()
{
    rankOnly_ = false;
    const GameSettings& settings = s_.Settings;
    if (!usable_ || keepsGenerator_ || !buttons_.empty() || settings.Prepick != 0 ||
        !IsOneOf(settings.Postpick, RankOnlyPostpicks) || !IsOneOf(settings.Postdrop, RankOnlyPostdrops) ||
        !IsOneOf(settings.Scoring, RankOnlyScorings))
        return;
    for (const Pile* pile : piles_)
        if (!IsOneOf(pile->PickRule, RankOnlyPickRules) || !IsOneOf(pile->DropRule, RankOnlyDropRules) ||
            !IsOneOf(pile->EmptyDropRule, RankOnlyEmptyDropRules) ||
            !IsOneOf(pile->ClickAction, RankOnlyClickActions))
            return;
    // Card byte (index << 1 | face down) -> rank << 1 | face down. Bytes of
    // cards not on the table never occur.
    for (std::size_t byte = 0; byte < rankByte_.size(); ++byte) rankByte_[byte] = static_cast<std::uint8_t>(byte);
    for (const Pile* pile : piles_)
        for (const Card* card : pile->Cards())
            for (int down = 0; down < 2; ++down)
                rankByte_[static_cast<std::size_t>(card->Index() << 1 | down)] =
                    static_cast<std::uint8_t>(card->Face.Value() << 1 | down);
    rankOnly_ = true;
}

const Solver::Search::State& Solver::Search::RankOnly(const State& state)
{
    rankBytes_.assign(state.begin(), state.end());
    std::size_t at = 0;
    for (std::size_t p = 0; p < piles_.size(); ++p) {
        const std::size_t n = state[at] & ~ShownFlag;
        for (std::size_t i = at + 1; i <= at + n; ++i) rankBytes_[i] = rankByte_[state[i]];
        at += 1 + n;
    }
    return rankBytes_;
}

}  // namespace vexa
