#include "records/KeptHand.h"

#include <array>

#include "core/Session.h"
#include "defs/TextRules.h"
#include "records/Score.h"
#include "records/UndoJournal.h"
#include "table/PileLayout.h"

namespace vexa {

std::string TextIdentity(const std::string& text)
{
    std::uint64_t hash = 0xcbf29ce484222325ull;
    for (unsigned char c : text) {
        hash ^= c;
        hash *= 0x100000001b3ull;
    }
    static const char digits[] = "0123456789abcdef";
    std::string out(16, '0');
    for (int i = 15; i >= 0; --i, hash >>= 4) out[static_cast<std::size_t>(i)] = digits[hash & 15];
    return out;
}

bool HandWon(const Session& session)
{
    // Scheme 5 declares its win itself (and counts it at once); every other
    // scheme wins with every card of the decks scored.
    if (session.Settings.Scoring == 5) return session.WinCounted;
    return session.Score == session.Settings.Decks * 52;
}

namespace {
KeptCard Kept(const Card& card) { return {card.Index(), card.Face.State() == ctBack, card.Visible}; }

// Whether the hand's number, shuffled for the loaded game, gives its deal.
bool NumberGivesDeck(const Session& session, const KeptHand& hand)
{
    if (!hand.DealNumber) return false;
    const GameSettings& settings = session.Settings;
    Random random(*hand.DealNumber);
    DeckOrder order;
    Shuffle(order, {settings.Decks, settings.Preplay, settings.Extract, settings.Postdeal}, random);
    return order == hand.Deck;
}
}  // namespace

std::vector<KeptPile> PilesOnTable(const Session& session)
{
    const Table& table = session.Board;
    std::vector<KeptPile> piles;
    for (int position = 0; position < table.ControlCount(); ++position) {
        const Pile* pile = table.PileAt(position);
        if (!pile || pile == &table.DragPile()) continue;
        KeptPile kept{position, pile->Name, pile->Visible, {}, pile->Hint, pile->ShowHint};
        for (const Card* card : pile->Cards()) kept.Cards.push_back(Kept(*card));
        piles.push_back(std::move(kept));
    }
    return piles;
}

KeptHand CaptureHand(const Session& session)
{
    KeptHand hand;
    hand.Game = session.CurrentGame;
    if (session.CurrentGame.empty() || session.Welcome) return hand;
    hand.HasHand = true;
    hand.Score = session.Score;
    hand.StreakCount = session.StreakCount;
    hand.StreakBonus = session.StreakBonus;
    hand.OneTimeMove = session.OneTimeMove;
    hand.RedealsLeft = session.RedealsLeft;
    hand.HandPlayed = session.HandPlayed;
    hand.Deck = session.Deck;
    hand.DealNumber = session.DealNumber;
    hand.Piles = PilesOnTable(session);
    // Carried cards go back on top of the pile they were lifted from, with
    // the faces they have.
    const Table& table = session.Board;
    if (session.Carrying && session.OriginPile) {
        const int origin = table.PositionOf(session.OriginPile);
        for (KeptPile& pile : hand.Piles) {
            if (pile.Position != origin) continue;
            for (const Card* card : table.DragPile().Cards()) pile.Cards.push_back(Kept(*card));
            pile.Visible = true;
        }
    }
    hand.UndoSteps = session.Journal.UndoSteps;
    hand.RedoSteps = session.Journal.RedoSteps;
    return hand;
}

bool RestoreHand(Session& session, const KeptHand& hand)
{
    if (!hand.HasHand) return false;
    Table& table = session.Board;
    for (int i = 1; i <= CardCount; ++i) {
        table.CardAt(i).Visible = false;
        table.MoveCard(table.CardAt(i), table.Store());
    }

    // Every game pile of the table, each once, under its name.
    std::vector<bool> listed(static_cast<std::size_t>(table.ControlCount()), false);
    std::array<bool, CardCount + 1> placed{};
    for (const KeptPile& keptPile : hand.Piles) {
        Pile* pile = table.PileAt(keptPile.Position);
        if (!pile || pile == &table.DragPile() || !SameText(pile->Name, keptPile.Name)) return false;
        if (listed[static_cast<std::size_t>(keptPile.Position)]) return false;
        listed[static_cast<std::size_t>(keptPile.Position)] = true;
        pile->Visible = keptPile.Visible;
        for (const KeptCard& kept : keptPile.Cards) {
            if (kept.Index < 1 || kept.Index > CardCount || placed[static_cast<std::size_t>(kept.Index)]) return false;
            placed[static_cast<std::size_t>(kept.Index)] = true;
            Card& card = table.CardAt(kept.Index);
            card.Face.SetState(kept.FaceDown ? ctBack : ctFront);
            card.Visible = kept.Shown;
            table.MoveCard(card, *pile);
        }
    }
    for (int position = 0; position < table.ControlCount(); ++position) {
        const Pile* pile = table.PileAt(position);
        if (pile && pile != &table.DragPile() && !listed[static_cast<std::size_t>(position)]) return false;
    }
    // The deal is a DeckOrder: every card exactly once.
    std::array<bool, CardCount + 1> inDeck{};
    for (int position = 1; position <= CardCount; ++position) {
        const int index = hand.Deck[static_cast<std::size_t>(position)];
        if (index < 1 || index > CardCount || inDeck[static_cast<std::size_t>(index)]) return false;
        inDeck[static_cast<std::size_t>(index)] = true;
    }

    session.Deck = hand.Deck;
    session.DealNumber = NumberGivesDeck(session, hand) ? hand.DealNumber : std::nullopt;
    session.Carrying = false;
    session.OriginPile = nullptr;
    session.OneTimeMove = hand.OneTimeMove;
    session.RedealsLeft = hand.RedealsLeft;
    session.StreakCount = hand.StreakCount;
    session.StreakBonus = hand.StreakBonus;
    session.HandPlayed = hand.HandPlayed;
    session.WinCounted = false;

    UndoJournal& journal = session.Journal;
    journal.UndoSteps = hand.UndoSteps;
    journal.RedoSteps = hand.RedoSteps;
    // The next step compares against the table as it stands, as after any
    // step; cards off the table keep empty records, as after a deal.
    ResetSnapshots(session);
    TakeSnapshot(session, SnapshotSide::After);
    const bool undoable = session.Settings.Scoring != 5;
    session.Menu.Undo = undoable && !journal.UndoSteps.empty();
    session.Menu.Redo = undoable && !journal.RedoSteps.empty();

    for (int position = 0; position < table.ControlCount(); ++position)
        if (Pile* pile = table.PileAt(position); pile && pile != &table.DragPile()) LayOutPile(*pile);
    // The hints as they were: a stock that was emptied and filled again
    // keeps the text of its hidden hint.
    for (const KeptPile& keptPile : hand.Piles) {
        Pile* pile = table.PileAt(keptPile.Position);
        pile->Hint = keptPile.Hint;
        pile->ShowHint = keptPile.ShowHint;
    }
    // The score follows from the table and the streak; a kept figure that
    // does not is no hand of this game.
    if (ComputeScore(session) != hand.Score) return false;
    UpdateScore(session, false);
    return !HandWon(session);
}

}  // namespace vexa
