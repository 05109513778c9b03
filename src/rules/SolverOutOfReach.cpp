// A victory out of reach. Under the schemes that count the cards on the
// piles of one Kind (0: the foundations, 2: the tableau) the victory needs
// every card of the decks there. Where no pile of that Kind can ever take a
// card -- its DropRule and EmptyDropRule take nothing, no immediate action
// of a pile deals onto it, and no step after a move, pile action or button
// moves cards -- the count there never grows (a card lifted from such a
// pile may only go back where it came from), so a position with fewer cards
// there than the decks hold is lost, and so is every position after it: no
// search is needed. A scheme outside 0 to 5 scores 0 and never wins.
//
// Golf counts the cards left in its columns, which take nothing: it never
// shows a victory. For the hints of such a game, scored by the cards left,
// the search can still look for the line to the lowest score.
#include "rules/SolverSearch.h"

#include "records/Score.h"

namespace vexa {

using namespace solving;

void Solver::Search::FindVictoryOutOfReach()
{
    victoryOutOfReach_ = false;
    if (!usable_) return;
    const GameSettings& settings = s_.Settings;
    if (settings.Scoring < 0 || settings.Scoring > 5) {
        victoryOutOfReach_ = true;
        return;
    }
    if (settings.Scoring != 0 && settings.Scoring != 2) return;
    const int counted = settings.Scoring == 0 ? 3 : 2;
    // The immediate action of a pile that deals onto the counted piles.
    const int dealsOnto = counted == 2 ? 92 : 94;
    if (!buttons_.empty() || settings.Postdrop != 0 || settings.Prepick != 0 || keepsGenerator_) return;
    if (counted == 3 && settings.Postpick != 0) return;
    int cards = 0;
    for (const Pile* pile : piles_) {
        if (pile->ClickAction != 0 || pile->PickRule == dealsOnto) return;
        if (pile->Kind != counted) continue;
        if (pile->DropRule != 0 || pile->EmptyDropRule != 0) return;
        cards += pile->Count();
    }
    victoryOutOfReach_ = cards < settings.Decks * 52;
}

SolveAnswer Solver::Search::OutOfReach(const SolverBudget& budget, const std::atomic<bool>* cancel)
{
    SolveAnswer answer;
    if (budget.LowestScoreLine && s_.Settings.Scoring == 2) {
        Ordering lowest;
        lowest.LowestScore = true;
        ordering_ = lowest;
        answer = SearchOnce(budget, cancel);
        ordering_ = orderings_.front();
    }
    answer.Outcome = SolveOutcome::Lost;
    answer.States = std::max<std::int64_t>(answer.States, 1);
    return answer;
}

}  // namespace vexa
