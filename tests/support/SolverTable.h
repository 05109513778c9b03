// The small tables the solver tests build: pile shapes of a Klondike-like
// game and a table that places piles side by side, plays a solver's line
// through the driver's clicks and describes itself.
#pragma once

#include <string>
#include <vector>

#include "records/GameButtons.h"
#include "records/UndoJournal.h"
#include "rules/Autoplay.h"
#include "rules/ClickDispatch.h"
#include "rules/Solver.h"
#include "support/PlayTable.h"

namespace vexa::test {

inline const PileSpec Foundation{3, 0, 106, 203, 402, 2};
inline const PileSpec Column{2, 1, 103, 201, 401, 0, {0, 120, 71, 400}};
inline const PileSpec Cell{1, 1, 0, 201, 402, 2};

inline std::string Suit(char suit, int from, int to)
{
    static const char* const Ranks[] = {"", "A", "2", "3", "4", "5", "6", "7", "8", "9", "10", "J", "Q", "K"};
    std::string cards;
    for (int rank = from; rank <= to; ++rank) cards += std::string(cards.empty() ? "" : " ") + Ranks[rank] + suit;
    return cards;
}

// Piles side by side: each new pile goes 80 pixels right of the last.
class SolverTable : public PlayTable {
public:
    SolverTable() { session.Settings.Scoring = 0; }
    Pile& Place(const std::string& name, PileSpec shape, const std::string& cards = "")
    {
        shape.bounds.left = 10 + 80 * placed_++;
        return Add(name, shape, cards);
    }
    // Clubs and diamonds complete, then the spades and hearts foundations
    // up to the given ranks.
    void Foundations(int spades, int hearts)
    {
        Place("F1", Foundation, Suit('C', 1, 13));
        Place("F2", Foundation, Suit('D', 1, 13));
        Place("F3", Foundation, Suit('S', 1, spades));
        Place("F4", Foundation, Suit('H', 1, hearts));
    }
    // Plays a line of moves through the same clicks as the driver.
    void Play(const std::vector<SolverMove>& moves)
    {
        for (const SolverMove& move : moves) {
            for (const std::string& command : move.Commands) {
                const auto space = command.rfind(' ');
                const std::string what = command.substr(space + 1);
                if (command.rfind("click card ", 0) == 0) {
                    Card& card = session.Board.CardAt(std::stoi(what));
                    ASSERT_TRUE(CanClickCard(session, card)) << command;
                    DispatchClick(session, &card);
                } else if (command.rfind("click pile ", 0) == 0) {
                    Pile* pile = session.Board.FindPile(what);
                    ASSERT_TRUE(pile && CanClickPileArea(session, *pile)) << command;
                    DispatchClick(session, pile);
                } else if (command == "autoplay") {
                    AutoplayCommand(session);
                } else {
                    ASSERT_EQ(command.rfind("button ", 0), 0u) << command;
                    PressGameButton(session, *static_cast<GameButton*>(session.Board.FindControl(what)));
                }
            }
        }
    }
    // Every pile's cards and faces, the counters and the journal.
    std::string Picture() const
    {
        std::string text;
        const Table& table = session.Board;
        for (int position = 0; position < table.ControlCount(); ++position)
            if (const Pile* pile = table.PileAt(position))
                text += pile->Name + (pile->Visible ? ":" : "(hidden):") + Describe(*pile) + "\n";
        text += "redeals " + std::to_string(session.RedealsLeft) + " onetime " + std::to_string(session.OneTimeMove) +
                " score " + std::to_string(session.Score) + " steps " +
                std::to_string(session.Journal.UndoSteps.size()) + " rng " + std::to_string(session.Rng.State());
        return text;
    }

private:
    int placed_ = 0;
};

// A Klondike-like talon: a stock that deals one card (or three) to a waste
// pile and turns the waste over without end.
inline const PileSpec DrawOneStock{0, 90, 0, 0, 402, 2, {0, 0, 71, 96}, 301};
inline const PileSpec DrawThreeStock{0, 91, 0, 0, 402, 2, {0, 0, 71, 96}, 301};
inline const PileSpec Waste{1, 1, 0, 0, 402, 2};
// Columns that take nothing when empty.
inline const PileSpec ClosedColumn{2, 1, 103, 0, 401, 0, {0, 120, 71, 400}};

}  // namespace vexa::test
