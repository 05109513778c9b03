// The kept hand's file: the hand as sections of the INI layer, written and
// read whole, with a check sum over the rest so that a damaged file is
// recognised and never trusted.
//
//   [Game]   Name, Definition (identity of the definition file's bytes)
//   [Hand]   Score, StreakCount, StreakBonus, OneTimeMove, RedealsLeft,
//            HandPlayed, Deck (the DeckOrder), DealNumber (when known),
//            UndoSteps, RedoSteps
//   [Piles]  one key per game pile, its TableOrder position:
//            "NAME VISIBLE CARD..." with cards as "21d", "9u", ".21d"
//            (face down or up; a leading "." for a card the layout hides)
//   [Hints]  the redeal status of the piles that have one: "SHOWN TEXT"
//   [Undo1] ... [Redo1] ...   the journal's steps, one key per record;
//            a redo step also its piles' views (Views, V<position>)
//   [Check]  Sum, the identity of the text of every section before it
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "defs/IniFile.h"
#include "records/KeptHand.h"

namespace vexa {

// The text of the file for a hand (only [Game] and [Check] without one).
std::string FormatHandFile(const KeptHand& hand);

// The hand a file's text holds; nothing when the text is not exactly what
// FormatHandFile writes for some hand (damaged, cut short or edited).
std::optional<KeptHand> ParseHandFile(const std::string& text);

// The journal's steps as sections Undo1.. and Redo1.., oldest first, one key
// per record of a step, exactly as the steps are in memory ("\r\n" after
// each record). A redo step also keeps what every pile showed: "Views" (how
// many positions) and "V<position>=VISIBLE SHOWHINT HINT" for each pile that
// shows other than a plain shown pile without a hint.
void WriteJournalSteps(const std::vector<std::string>& undo, const std::vector<RedoStep>& redo,
                       IniDocument& document);
// Reads back undoCount and redoCount steps; false when a step is missing or
// holds a record too short to be one, or a view that is not one.
bool ReadJournalSteps(const IniDocument& document, int undoCount, int redoCount, std::vector<std::string>& undo,
                      std::vector<RedoStep>& redo);

}  // namespace vexa
