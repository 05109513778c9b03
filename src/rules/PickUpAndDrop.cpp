#include "rules/PickUpAndDrop.h"

#include <optional>

#include "core/Session.h"
#include "records/Score.h"
#include "records/UndoJournal.h"
#include "rules/Lifting.h"
#include "rules/MoveRules.h"
#include "rules/RedealStatus.h"
#include "table/PileLayout.h"

namespace vexa {

namespace {

// The positions from..to that a lifting PickRule takes.
struct Stretch {
    int from, to;
};

// Which cards a click on card (at position i of pile) lifts under the
// pile's PickRule; none when the code lifts nothing or its test fails.
// Codes 2 to 7 and 9 lift nothing from a face-down card.
std::optional<Stretch> CardsToLift(const Session& session, const Pile& pile, int i)
{
    const int top = pile.Count() - 1;
    const bool up = FaceUp(*pile.CardAt(i));
    switch (pile.PickRule) {
    case 1: return Stretch{top, top};
    case 2:
        if (up) return Stretch{i, top};
        break;
    case 3:
        if (up && RunDownAlternating(pile, i)) return Stretch{i, top};
        break;
    case 4:
        if (up && RunDownInSuit(pile, i)) return Stretch{i, top};
        break;
    case 5:
        if (up && RunDownAnySuit(pile, i)) return Stretch{i, top};
        break;
    case 6:
        if (up && RunDownInSuitWrappingOnce(pile, i)) return Stretch{i, top};
        break;
    case 7:
        if (up) return Stretch{i, i};
        break;
    case 8:
        if (IsUncovered(session, pile)) return Stretch{0, 0};
        break;
    case 9: {
        if (!up) break;
        // The card right above the clicked one decides: a set of equal ranks,
        // or a run down in suit.
        const bool set = i < top && Rank(*pile.CardAt(i + 1)) == Rank(*pile.CardAt(i));
        if (set ? RunOfEqualRank(pile, i) : RunDownInSuit(pile, i)) return Stretch{i, top};
        break;
    }
    default: break;
    }
    return std::nullopt;
}

void TurnFaceUp(Card& card) { card.Face.SetState(ctFront); }

// A card dealt by an immediate card action arrives face up.
void DealCard(Table& table, Card& card, Pile& to)
{
    TurnFaceUp(card);
    table.MoveCard(card, to);
}

void HideIfEmptyPyramid(Pile* pile)
{
    if (pile && pile->Kind == 4 && pile->Count() == 0) pile->Visible = false;
}

// Every Kind-4 pile whose face-down top card lies uncovered gets it turned up.
void TurnUpFreedPyramidCards(Session& session)
{
    const Table& table = session.Board;
    const KindSpan span = table.KindRange(4);
    if (span.first < 0) return;
    for (int position = span.first; position <= span.last; ++position) {
        Pile* pile = table.PileAt(position);
        if (!pile || pile->Kind != 4 || pile->Count() == 0 || FaceUp(*pile->Top())) continue;
        if (IsUncovered(session, *pile)) TurnFaceUp(*pile->Top());
    }
}

void EndCarry(Session& session)
{
    session.Carrying = false;
    session.OriginPile = nullptr;
}

void EndDealAction(Session& session)
{
    RecordStep(session);
    UpdateScore(session);
}

// PickRules 90 and 94: the clicked card goes to the first pile of a kind.
void DealClickedCard(Session& session, Card& card, Pile& pile, int kind)
{
    Pile* to = FirstPileOfKind(session.Board, kind);
    if (!to) return;
    DealCard(session.Board, card, *to);
    LayOutPile(pile);
    LayOutPile(*to);
    if (session.Settings.Scoring == 5) session.StreakCount = 0;
    EndDealAction(session);
}

// PickRule 91 and the second half of 93: up to three cards from the top.
void DealThree(Session& session, Pile& pile, Pile& to)
{
    for (int k = 0; k < 3 && pile.Count() > 0; ++k) DealCard(session.Board, *pile.Top(), to);
    LayOutPile(pile);
    LayOutPile(to);
}

// PickRules 92 and 95: one card from the top onto every pile of a kind.
void DealToEveryPileOfKind(Session& session, Pile& pile, int kind)
{
    Table& table = session.Board;
    for (int position = 0; position < table.ControlCount() && pile.Count() > 0; ++position) {
        Pile* to = table.PileAt(position);
        if (!to || to->Kind != kind) continue;
        DealCard(table, *pile.Top(), *to);
        LayOutPile(pile);
        LayOutPile(*to);
    }
    EndDealAction(session);
}

// The immediate card actions of PickRules 90 to 95.
void ApplyCardAction(Session& session, Card& card, Pile& pile)
{
    Table& table = session.Board;
    switch (pile.PickRule) {
    case 90: DealClickedCard(session, card, pile, 1); break;
    case 91: {
        Pile* waste = FirstPileOfKind(table, 1);
        if (!waste) return;
        DealThree(session, pile, *waste);
        EndDealAction(session);
        break;
    }
    case 92: DealToEveryPileOfKind(session, pile, 2); break;
    case 93: {
        Pile* first = FirstPileOfKind(table, 1);
        Pile* last = LastPileOfKind(table, 1);
        if (!first) return;
        // With a single waste pile there is nothing to gather first.
        if (last != first) {
            while (last->Count() > 0) table.MoveCard(*last->CardAt(0), *first);
            LayOutPile(*first);
        }
        DealThree(session, pile, *last);
        EndDealAction(session);
        break;
    }
    case 94: DealClickedCard(session, card, pile, 3); break;
    case 95: DealToEveryPileOfKind(session, pile, 1); break;
    default: break;
    }
}

bool IsCardAction(int pickRule) { return pickRule >= 90 && pickRule <= 95; }

}  // namespace

Pile* FirstPileOfKind(const Table& table, int kind) { return table.PileAt(table.KindRange(kind).first); }

Pile* LastPileOfKind(const Table& table, int kind) { return table.PileAt(table.KindRange(kind).last); }

void PickUp(Session& session, Card& card)
{
    auto* pile = card.Parent() ? card.Parent()->AsPile() : nullptr;
    if (!pile || pile == &session.Board.DragPile() || session.Carrying) return;
    const bool broughtUp = session.Settings.Prepick >= 1 && BringCardToTop(session, card, *pile);
    if (pile->Count() > 0) {
        if (IsCardAction(pile->PickRule)) {
            ApplyCardAction(session, card, *pile);
        } else if (const auto lift = CardsToLift(session, *pile, pile->IndexOf(&card))) {
            MoveToDragPile(session, *pile, lift->from, lift->to);
            session.OriginPile = pile;
            session.Carrying = true;
        } else if (broughtUp) {
            // The card came to the top and the one-time move is spent, but
            // nothing is carried to a drop that would record them: they
            // form a step of their own, so that an undo takes back both.
            LayOutPile(*pile);
            RecordStep(session);
            UpdateScore(session);
        }
    }
    if (pile->Kind == 0 && pile->Count() == 0) ShowRedealStatus(session, *pile);
    if (session.Carrying && session.Settings.Postpick >= 1) ApplyPostpick(session);
}

void ApplyPostpick(Session& session)
{
    Table& table = session.Board;
    Pile& drag = table.DragPile();
    Pile* foundation = FirstPileOfKind(table, 3);
    // Without a foundation there is nowhere to send the cards: they stay carried.
    if (!foundation || drag.Count() == 0) return;
    Pile* origin = session.OriginPile;
    switch (session.Settings.Postpick) {
    case 1:
        if (!CanDrop(session, *foundation, drag, 0)) return;
        while (drag.Count() > 0) table.MoveCard(*drag.CardAt(0), *foundation);
        LayOutPile(*foundation);
        HideIfEmptyPyramid(origin);
        TurnUpFreedPyramidCards(session);
        EndCarry(session);
        if (session.Settings.Scoring == 5) {
            ++session.StreakCount;
            session.StreakBonus += session.StreakCount;
        }
        RecordStep(session);
        UpdateScore(session);
        break;
    case 13:
        if (!IsKing(*drag.CardAt(0))) return;
        while (drag.Count() > 0) table.MoveCard(*drag.CardAt(0), *foundation);
        LayOutPile(*foundation);
        if (origin && origin->Count() > 0 && !FaceUp(*origin->Top())) TurnFaceUp(*origin->Top());
        HideIfEmptyPyramid(origin);
        EndCarry(session);
        RecordStep(session);
        UpdateScore(session);
        break;
    default: break;
    }
}

void DropCards(Session& session, Pile& target, CardContainer& source, int first)
{
    Table& table = session.Board;
    if (&source != &target)
        while (first >= 0 && source.Count() > first) table.MoveCard(*source.CardAt(first), target);
    LayOutPile(target);
    if (session.Settings.Postdrop >= 1) ApplyPostdrop(session, target);
    if (target.Kind == 0 && target.Count() > 0) target.ShowHint = false;
    Pile* origin = session.OriginPile;
    if (origin && origin->Count() > 0 && !FaceUp(*origin->Top())) TurnFaceUp(*origin->Top());
    EndCarry(session);
    UpdateScore(session);
}

void ApplyPostdrop(Session& session, Pile& target)
{
    Table& table = session.Board;
    Pile* origin = session.OriginPile;
    const int postdrop = session.Settings.Postdrop;
    switch (postdrop) {
    case 13:
    case 14: {
        if (&target == origin) return;
        // Without a foundation no pair is removed; the rest of the step runs.
        Pile* foundation = FirstPileOfKind(table, 3);
        if (foundation && target.Count() >= 2 &&
            Rank(*target.Top()) + Rank(*target.CardAt(target.Count() - 2)) == postdrop) {
            table.MoveCard(*target.Top(), *foundation);
            table.MoveCard(*target.Top(), *foundation);
        }
        LayOutPile(target);
        if (foundation) LayOutPile(*foundation);
        if (postdrop == 14) return;
        HideIfEmptyPyramid(&target);
        HideIfEmptyPyramid(origin);
        const KindSpan stocks = table.KindRange(0);
        for (int position = stocks.first; stocks.first >= 0 && position <= stocks.last; ++position) {
            Pile* stock = table.PileAt(position);
            if (stock && stock->Kind == 0 && stock->Count() > 0 && !FaceUp(*stock->Top())) TurnFaceUp(*stock->Top());
        }
        break;
    }
    case 20: {
        Pile* stock = FirstPileOfKind(table, 0);
        if (!origin || origin->Kind != 2 || origin->Count() > 0 || !stock || stock->Count() == 0) return;
        table.MoveCard(*stock->Top(), *origin);
        if (stock->Count() == 0) {
            stock->ShowHint = true;
        } else if (!stock->DealPattern.empty() &&
                   (stock->DealPattern.back() == 'u' || stock->DealPattern.back() == 'U')) {
            TurnFaceUp(*stock->Top());
        }
        LayOutPile(*origin);
        LayOutPile(*stock);
        break;
    }
    case 30:
        HideIfEmptyPyramid(origin);
        TurnUpFreedPyramidCards(session);
        break;
    default: break;
    }
}

}  // namespace vexa
