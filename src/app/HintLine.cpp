#include "app/HintLine.h"

#include <algorithm>
#include <cstdlib>

#include "core/Session.h"
#include "records/GameButtons.h"
#include "rules/Autoplay.h"
#include "rules/ClickDispatch.h"
#include "rules/ScratchTable.h"
#include "table/PileLayout.h"

namespace vexa {

namespace {

// A copy of the live table to play a line on: the same piles and buttons at
// the same TableOrder positions, the same cards and counters, each pile laid
// out as the live one is; its moves record no undo steps.
struct Scratch {
    NullPictureSource pictures;
    ScratchUi ui;
    StillClock clock;
    Session s;

    explicit Scratch(const Session& live) : s(pictures, ui, clock, live.ScreenWidth, live.ScreenHeight)
    {
        CopyGameOnto(live, s);
        s.Score = live.Score;
        for (int position = 0; position < s.Board.ControlCount(); ++position)
            if (Pile* pile = s.Board.PileAt(position); pile && pile != &s.Board.DragPile()) LayOutPile(*pile);
    }

    // Plays one driver command of a line; false when it names nothing.
    bool Play(const std::string& command)
    {
        Table& table = s.Board;
        const auto after = [&](const char* prefix) {
            const std::string p = prefix;
            return command.compare(0, p.size(), p) == 0 ? command.substr(p.size()) : std::string("\n");
        };
        if (const std::string n = after("click card "); n != "\n") {
            const int index = std::atoi(n.c_str());
            if (index < 1 || index > CardCount) return false;
            DispatchClick(s, &table.CardAt(index));
        } else if (const std::string name = after("click pile "); name != "\n") {
            Pile* pile = table.FindPile(name);
            if (!pile) return false;
            DispatchClick(s, pile);
        } else if (const std::string key = after("button "); key != "\n") {
            Control* control = table.FindControl(key);
            if (!control || control->Type() != ControlType::Button) return false;
            PressGameButton(s, *static_cast<GameButton*>(control));
        } else if (command == "autoplay") {
            AutoplayCommand(s);
        } else {
            return false;
        }
        return true;
    }
};

// Does the move turn the stock (a click on a card of a Kind-0 pile, or on
// the pile itself) in the session's position?
bool TurnsStock(const Session& session, const SolverMove& move)
{
    if (move.Kind == SolverMove::Type::Pile) {
        const Pile* pile = session.Board.FindPile(move.Target);
        return pile && pile->Kind == 0;
    }
    if (move.Kind != SolverMove::Type::Card || move.CardIndex < 1 || move.CardIndex > CardCount) return false;
    const auto* pile = dynamic_cast<const Pile*>(session.Board.CardAt(move.CardIndex).Parent());
    return pile && pile->Kind == 0;
}

// The key after playing the first count moves of a line from the live
// position; "" when a move names nothing or first changes nothing.
std::string KeyAfter(const Session& live, const std::vector<SolverMove>& moves, std::size_t count)
{
    Scratch scratch(live);
    const std::string start = PositionKey(scratch.s);
    for (std::size_t i = 0; i < count; ++i) {
        for (const std::string& command : moves[i].Commands)
            if (!scratch.Play(command)) return {};
        if (i == 0 && PositionKey(scratch.s) == start) return {};
    }
    return PositionKey(scratch.s);
}

// A line that starts by turning the stock while a card move further on
// could be made first: the card move is brought to the front when both
// orders reach the same position after it, so the line wins as soon.
std::vector<SolverMove> PreferCardMove(const Session& live, std::vector<SolverMove> moves)
{
    if (moves.size() < 2 || !TurnsStock(live, moves[0])) return moves;
    std::size_t card = 1;
    while (card < moves.size() && moves[card].Kind != SolverMove::Type::Card) ++card;
    // Only a card that lies outside the stock now can move first.
    if (card >= moves.size() || TurnsStock(live, moves[card])) return moves;
    std::vector<SolverMove> swapped = moves;
    std::rotate(swapped.begin(), swapped.begin() + static_cast<std::ptrdiff_t>(card),
                swapped.begin() + static_cast<std::ptrdiff_t>(card) + 1);
    const std::string planned = KeyAfter(live, moves, card + 1);
    if (!planned.empty() && KeyAfter(live, swapped, card + 1) == planned) return swapped;
    return moves;
}

}  // namespace

std::string PositionKey(const Session& session)
{
    std::string key;
    const Table& table = session.Board;
    for (int position = 0; position < table.ControlCount(); ++position) {
        const Pile* pile = table.PileAt(position);
        if (!pile) continue;
        key += pile->Visible ? '|' : '!';
        for (const Card* card : pile->Cards())
            key += std::to_string(card->Index()) + (card->Face.State() == ctBack ? "d " : "u ");
    }
    return key + std::to_string(session.RedealsLeft) + ' ' + std::to_string(session.OneTimeMove) + ' ' +
           std::to_string(session.Rng.State()) + ' ' + std::to_string(session.Carrying);
}

void HintLine::Keep(const Session& live, const std::vector<SolverMove>& moves)
{
    Clear();
    if (live.Welcome || live.Inert || live.Carrying) return;
    Scratch scratch(live);
    for (const SolverMove& move : PreferCardMove(live, moves)) {
        std::string key = PositionKey(scratch.s);
        bool played = true;
        for (const std::string& command : move.Commands) played = played && scratch.Play(command);
        if (!played) break;
        moves_.push_back(move);
        keys_.push_back(std::move(key));
    }
}

const SolverMove* HintLine::Next(const Session& live)
{
    if (moves_.empty()) return nullptr;
    const std::string key = PositionKey(live);
    // Most often the table stands one move further on; after an undo it
    // may stand before.
    for (std::size_t i = at_; i < keys_.size(); ++i)
        if (keys_[i] == key) return &moves_[at_ = i];
    for (std::size_t i = 0; i < at_; ++i)
        if (keys_[i] == key) return &moves_[at_ = i];
    return nullptr;
}

void HintLine::Clear()
{
    moves_.clear();
    keys_.clear();
    at_ = 0;
}

}  // namespace vexa
