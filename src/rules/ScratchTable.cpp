#include "rules/ScratchTable.h"

#include <memory>

#include "records/GameButtons.h"

namespace vexa {

void CopyGameOnto(const Session& live, Session& scratch)
{
    Table& board = scratch.Board;
    while (board.Window().Count() > 0) board.MoveCard(*board.Window().Top(), board.Store());
    scratch.Welcome = false;
    scratch.Inert = false;
    scratch.Settings = live.Settings;
    scratch.Menu = live.Menu;
    scratch.ClientWidth = live.ClientWidth;
    scratch.ClientHeight = live.ClientHeight;
    scratch.Deck = live.Deck;
    scratch.Rng = live.Rng;
    scratch.CurrentGame = live.CurrentGame;
    scratch.OneTimeMove = live.OneTimeMove;
    scratch.RedealsLeft = live.RedealsLeft;
    scratch.StreakCount = live.StreakCount;
    scratch.StreakBonus = live.StreakBonus;
    scratch.WinCounted = true;
    // The scratch table is never undone: its moves record no undo steps.
    scratch.Journal.Off = true;

    const Table& from = live.Board;
    for (int position = 0; position < from.ControlCount(); ++position) {
        const Control* control = from.ControlAt(position);
        if (control->Type() == ControlType::Pile && control != &from.DragPile()) {
            const auto& pile = static_cast<const Pile&>(*control);
            auto copy = std::make_unique<Pile>(pile.Name);
            copy->Bounds = pile.Bounds;
            copy->Visible = pile.Visible;
            copy->Kind = pile.Kind;
            copy->PickRule = pile.PickRule;
            copy->DropRule = pile.DropRule;
            copy->EmptyDropRule = pile.EmptyDropRule;
            copy->LayoutStyle = pile.LayoutStyle;
            copy->DealPattern = pile.DealPattern;
            copy->Direction = pile.Direction;
            copy->ClickAction = pile.ClickAction;
            copy->CardLimit = pile.CardLimit;
            copy->SpareValue = pile.SpareValue;
            copy->Hint = pile.Hint;
            copy->ShowHint = pile.ShowHint;
            copy->Horz = pile.Horz;
            copy->Vert = pile.Vert;
            Pile* added = board.AddPile(std::move(copy));
            for (const Card* card : pile.Cards()) {
                Card& mine = board.CardAt(card->Index());
                mine.Face.SetState(card->Face.State());
                board.MoveCard(mine, *added);
            }
        } else if (control->Type() == ControlType::Button) {
            const auto& button = static_cast<const GameButton&>(*control);
            auto copy = std::make_unique<GameButton>(button.Name);
            copy->Bounds = button.Bounds;
            copy->Visible = button.Visible;
            copy->Tag = button.Tag;
            copy->Caption = button.Caption;
            board.AddButton(std::move(copy));
        }
    }
    board.RebuildKindRange();
}

}  // namespace vexa
