// A session with a hand-made table for rule tests: piles are added in a line
// or two and filled from card names such as "8S 7H 6C".
#pragma once

#include <memory>
#include <string>

#include "core/Session.h"
#include "support/FakeEnvironment.h"
#include "support/TestSupport.h"
#include "table/PileLayout.h"

namespace vexa::test {

struct PileSpec {
    int kind = 2;
    int pick = 0;
    int drop = 0;
    int emptyDrop = 0;
    int layout = 401;
    int direction = 0;
    Rect bounds{0, 0, 71, 96};
    int clickAction = 0;
    std::string pattern = "";
    int cardLimit = 0;
};

class PlayTable {
public:
    PlayTable() : session(pictures, ui, clock, 1920, 1080)
    {
        session.Welcome = false;
        session.Inert = false;
        session.ClientWidth = 800;
        session.ClientHeight = 600;
        for (int i = 1; i <= 104; ++i) session.Board.MoveCard(session.Board.CardAt(i), session.Board.Store());
    }

    // Adds a pile at the end of TableOrder and rebuilds KindRange.
    Pile& Add(const std::string& name, const PileSpec& shape, const std::string& cards = "")
    {
        auto pile = std::make_unique<Pile>(name);
        pile->Kind = static_cast<std::uint8_t>(shape.kind);
        pile->PickRule = shape.pick;
        pile->DropRule = shape.drop;
        pile->EmptyDropRule = shape.emptyDrop;
        pile->LayoutStyle = shape.layout;
        pile->Direction = static_cast<std::uint8_t>(shape.direction);
        pile->Bounds = shape.bounds;
        pile->ClickAction = shape.clickAction;
        pile->DealPattern = shape.pattern;
        pile->CardLimit = shape.cardLimit;
        Pile& added = *session.Board.AddPile(std::move(pile));
        Put(added, cards);
        session.Board.RebuildKindRange();
        return added;
    }

    GameButton& AddButton(const std::string& name, Rect bounds)
    {
        auto button = std::make_unique<GameButton>(name);
        button->Bounds = bounds;
        GameButton& added = *session.Board.AddButton(std::move(button));
        session.Board.RebuildKindRange();
        return added;
    }

    void Put(Pile& pile, const std::string& cards)
    {
        PutCards(session.Board, pile, cards);
        LayOutPile(pile);
    }

    Card& CardNamed(const std::string& name) { return session.Board.CardAt(CardIndex(name)); }
    Pile& Drag() { return session.Board.DragPile(); }

    NullPictureSource pictures;
    RecordingUi ui;
    ManualClock clock;
    Session session;
};

}  // namespace vexa::test
