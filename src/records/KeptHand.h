// The hand in progress as plain data: what the table, the counters and the
// undo journal hold, so that a later run can put the very same hand back.
// Carried cards count as put back on their pile; the journal's steps are
// kept exactly as they are in memory.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "records/UndoJournal.h"
#include "table/Deal.h"

namespace vexa {

struct Session;

struct KeptCard {
    int Index = 0;  // CardSet index
    bool FaceDown = false;
    bool Shown = true;  // the card's own visibility, as the layout left it
    bool operator==(const KeptCard&) const = default;
};

struct KeptPile {
    int Position = 0;  // TableOrder position
    std::string Name;
    bool Visible = true;
    std::vector<KeptCard> Cards;  // bottom first
    // The stock's redeal status: its text stays when the hint is hidden.
    std::string Hint;
    bool ShowHint = false;
    bool operator==(const KeptPile&) const = default;
};

struct KeptHand {
    std::string Game;        // the catalogue's name of the game
    std::string Definition;  // identity of the definition file's bytes
    // False when only the game is remembered: the hand was won, or the
    // load failed; there is then no hand to resume.
    bool HasHand = false;
    int Score = 0;
    int StreakCount = 0;
    int StreakBonus = 0;
    int OneTimeMove = 1;
    int RedealsLeft = 0;
    bool HandPlayed = false;
    DeckOrder Deck = IdentityDeckOrder();  // the deal that Restart gives again
    // The hand's number, when known (files written before numbers were
    // kept have none).
    std::optional<std::uint32_t> DealNumber;
    std::vector<KeptPile> Piles;  // every game pile in TableOrder
    std::vector<std::string> UndoSteps;
    std::vector<RedoStep> RedoSteps;
    bool operator==(const KeptHand&) const = default;
};

// What the keeper remembers between two steps of a run.
struct HandKeeperState {
    std::string LoadKey;   // the load whose definition was identified
    std::string Identity;  // that definition's identity, "" when unreadable
    std::string Written;   // the text last written, "" when none
    bool HoldsHand = false;
};

// A hash of text (64-bit FNV-1a), as 16 hexadecimal digits.
std::string TextIdentity(const std::string& text);

// Whether the hand on the table is won: it then leaves no hand to keep.
bool HandWon(const Session& session);

// The hand on the table (no game loaded: HasHand false). Carried cards are
// taken as put back on the pile they came from.
KeptHand CaptureHand(const Session& session);

// Puts a captured hand onto the table of its game, loaded afresh: cards,
// faces, shown piles, counters, the deal and the journal, then lays the
// piles out and shows the score. The deal number is kept only when a
// shuffle from it gives the kept deal. False, with the table in no defined state,
// when the hand does not fit the table (names, places, cards, score).
bool RestoreHand(Session& session, const KeptHand& hand);

// The cards of every game pile as the table holds them (carried cards
// where they are: on the DragPile, which is not listed).
std::vector<KeptPile> PilesOnTable(const Session& session);

}  // namespace vexa
