// The undo journal: a photograph of every card's place before an interaction
// and after it; the old records of exactly the cards (and counters) that
// changed form one undo step. Undoing a step puts those cards back where
// their old records say, whatever the interaction was.
//
// A step is kept as text, one fixed-width record per line: a card record
// "%3.3d%3.3d%1.1d%3.3d" (pile position in TableOrder, place in the pile,
// face-down flag, CardSet index) and the counter records "OTF%7.7d"
// (OneTimeMove) and "DLS%7.7d" (RedealsLeft), sorted as text. A counter
// record is never cut: a value that needs more than seven characters (a
// spent one-time move, -1) keeps all of them and reads back exactly.
// Snapshots are kept as plain numbers so that a click formats only the
// records that changed.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace vexa {

struct Session;

enum class SnapshotSide { Before, After };

// One snapshot slot side: where a card lay, or a counter's value.
struct SnapshotRecord {
    int Position = 0;  // TableOrder position of the pile (cards only)
    int Place = 0;     // place in the pile, 0 = bottom (cards only)
    int State = 0;     // 0 face up, 1 face down (cards only)
    int Value = 0;     // CardSet index for cards, the counter for 104 and 105
    bool operator==(const SnapshotRecord&) const = default;
};

struct SnapshotSlot {
    SnapshotRecord Before;
    SnapshotRecord After;
};

// Slots 0..103 hold the records of cards 1..104, 104 OneTimeMove, 105 RedealsLeft.
constexpr int SnapshotSlots = 106;
constexpr int OneTimeMoveSlot = 104;
constexpr int RedealsLeftSlot = 105;

// What a pile shows besides its cards: whether it is shown at all (a game
// button or an emptied pyramid pile hides it) and its hint.
struct PileView {
    bool Visible = true;
    bool ShowHint = false;
    std::string Hint;
    bool operator==(const PileView&) const = default;
};

// A step taken back by an undo: the records that put the cards and counters
// back as they were before the undo, and what every pile showed then, by
// TableOrder position (an undo shows again the piles it fills and rewrites
// the stock's hint; the redo gives back both as they were).
struct RedoStep {
    std::string Records;
    std::vector<PileView> Views;
    bool operator==(const RedoStep&) const = default;
};

struct UndoJournal {
    std::vector<std::string> UndoSteps;  // oldest first; records joined by "\r\n"
    // Steps taken back since the last move, newest last; each puts the
    // table back exactly as it was before the undo.
    std::vector<RedoStep> RedoSteps;
    std::array<SnapshotSlot, SnapshotSlots> SnapshotTable{};
    // Set for a session that is never undone (the solver's scratch copy):
    // snapshots and steps are then not taken at all.
    bool Off = false;
};

// The text of a slot's record as the step stores it.
std::string RecordText(int slot, const SnapshotRecord& record);

// Writes the current places of the cards on table piles (the DragPile and
// CardStore are skipped) and the two counters into one side of the table.
void TakeSnapshot(Session& session, SnapshotSide side);

// Takes the After side and pushes the Before records that changed as the
// newest step; enables Undo unless the game scores under scheme 5.
void RecordStep(Session& session);

// Takes back the newest step (nothing while cards are carried or when no
// step is left), lays out every pile and recomputes the score.
void UndoLastStep(Session& session);

// Puts back what the newest undo took back (nothing while cards are carried,
// when nothing was undone since the last move, or under scheme 5, where
// undo is never allowed): the cards, the counters, the shown piles and their
// hints as they were before that undo; then recomputes the score. The step
// becomes undoable again.
void RedoLastStep(Session& session);

// Resets both records of every card slot, as at a game load, new deal or
// restart; the counter slots keep theirs.
void ResetSnapshots(Session& session);

// Empties the journal, resets the snapshots and disables Undo and Redo.
void ResetUndo(Session& session);

}  // namespace vexa
