#include "app/HandKeeping.h"

#include <algorithm>
#include <filesystem>
#include <optional>

#include "app/GameLoader.h"
#include "app/NewHand.h"
#include "core/Saturating.h"
#include "core/Session.h"
#include "core/VexaError.h"
#include "defs/AtomicFile.h"
#include "defs/IniFile.h"
#include "records/HandFile.h"
#include "records/KeptHand.h"
#include "records/Statistics.h"
#include "records/UndoJournal.h"
#include "table/Deal.h"

namespace vexa {

const char* const KeptHandFile = "./hand.ini";

namespace {

// The identity of the definition a game's catalogue entry names, "" when
// it is not listed or cannot be read.
std::string DefinitionIdentity(const Session& session, const std::string& game)
{
    const std::string file = GameFileOf(session, game);
    std::string content;
    if (file.empty() || ReadWholeFile(DefinitionPath(file), content) != FileRead::Ok) return "";
    return TextIdentity(content);
}

// Names the load of the game on the table: its controls are new at each load.
std::string LoadKey(const Session& session)
{
    std::uint64_t serial = 0;
    const Table& table = session.Board;
    for (int position = 0; position < table.ControlCount(); ++position)
        serial = std::max(serial, table.ControlAt(position)->Serial());
    return session.CurrentGame + "\n" + std::to_string(serial);
}

void RemoveKeptHand(Session& session)
{
    std::error_code error;
    std::filesystem::remove(KeptHandFile, error);
    session.Keeper.Written.clear();
    session.Keeper.HoldsHand = false;
}

int ChooserIndexOf(const Session& session, const std::string& game)
{
    const auto& items = session.Chooser.Items;
    for (std::size_t i = 0; i < items.size(); ++i)
        if (items[i] == game) return static_cast<int>(i);
    return -1;
}

// A hand that was played but never closed, whose game changed: it counts
// as played now, so that no played hand is lost from the figures.
void CountAbandonedHand(const KeptHand& hand)
{
    if (!hand.HasHand || !hand.HandPlayed) return;
    try {
        const IniFile catalogue(CatalogueFile);
        const std::string played = catalogue.ReadString(hand.Game, "GamesPlayed", "0");
        const std::string total = catalogue.ReadString(hand.Game, "TotalScore", "0");
        const int playedCount = StrToInt(played);
        const int totalScore = StrToInt(total);
        catalogue.WriteInteger(hand.Game, "GamesPlayed", SaturatingAdd(playedCount, 1));
        catalogue.WriteInteger(hand.Game, "TotalScore", SaturatingAdd(totalScore, hand.Score));
    } catch (const VexaError&) {
        // Unreadable figures or a catalogue that cannot be written are left
        // as they are: start-up says nothing about a stale hand.
    }
}

class QuietUi : public UserInterface {
public:
    void ShowMessage(const std::string&) override {}
    void ShowVictory(const VictoryText&) override {}
};

class StillClock : public Clock {
public:
    double Now() override { return 0; }
    std::uint32_t MillisecondsSinceMidnightUtc() override { return 0; }
};

bool SameCards(const std::vector<KeptPile>& a, const std::vector<KeptPile>& b)
{
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (a[i].Cards.size() != b[i].Cards.size()) return false;
        for (std::size_t j = 0; j < a[i].Cards.size(); ++j)
            if (a[i].Cards[j].Index != b[i].Cards[j].Index || a[i].Cards[j].FaceDown != b[i].Cards[j].FaceDown)
                return false;
    }
    return true;
}

// Plays the hand on a scratch copy of the game: it must fit the table, its
// undo steps must lead back to the deal of its DeckOrder and forward again
// to the hand, and its redo steps must all apply.
bool HandFitsItsGame(const Session& session, const KeptHand& hand, int index)
{
    NullPictureSource pictures;
    QuietUi ui;
    StillClock clock;
    Session scratch(pictures, ui, clock, session.ScreenWidth, session.ScreenHeight);
    scratch.GameFiles = session.GameFiles;
    scratch.Chooser = session.Chooser;
    scratch.Chooser.ItemIndex = index;
    try {
        SelectGame(scratch);
        if (scratch.Inert || !RestoreHand(scratch, hand)) return false;
        const std::vector<KeptPile> kept = PilesOnTable(scratch);
        UndoJournal& journal = scratch.Journal;
        const std::size_t undoCount = journal.UndoSteps.size();
        for (std::size_t i = 0; i < undoCount; ++i) UndoLastStep(scratch);
        if (!journal.UndoSteps.empty()) return false;
        const std::vector<KeptPile> start = PilesOnTable(scratch);
        for (std::size_t i = 0; i < undoCount && !journal.RedoSteps.empty(); ++i) RedoLastStep(scratch);
        if (journal.UndoSteps.size() != undoCount || !SameCards(PilesOnTable(scratch), kept)) return false;
        const std::size_t total = undoCount + hand.RedoSteps.size();
        while (!journal.RedoSteps.empty() && journal.UndoSteps.size() < total) RedoLastStep(scratch);
        if (journal.UndoSteps.size() != total) return false;

        const GameSettings& settings = scratch.Settings;
        CollectCards(scratch);
        DealCards(scratch.Board, hand.Deck, {settings.Decks, settings.Preplay, settings.Extract, settings.Postdeal});
        return SameCards(PilesOnTable(scratch), start);
    } catch (const std::exception&) {
        return false;
    }
}

}  // namespace

bool KeepHand(Session& session)
{
    HandKeeperState& keeper = session.Keeper;
    if (session.Welcome || session.CurrentGame.empty()) return false;
    if (session.Carrying) return keeper.HoldsHand;
    const std::string load = LoadKey(session);
    if (load != keeper.LoadKey) {
        keeper.LoadKey = load;
        keeper.Identity = DefinitionIdentity(session, session.CurrentGame);
    }
    const bool keep = !session.Inert && !HandWon(session) && !keeper.Identity.empty();
    KeptHand hand = keep ? CaptureHand(session) : KeptHand{};
    hand.Game = session.CurrentGame;
    hand.Definition = keeper.Identity.empty() ? "none" : keeper.Identity;
    const std::string text = FormatHandFile(hand);
    if (text == keeper.Written) return keeper.HoldsHand;
    if (!ReplaceFile(KeptHandFile, text)) return false;
    keeper.Written = text;
    keeper.HoldsHand = keep;
    return keep;
}

bool ResumeKeptHand(Session& session)
{
    std::string text;
    const FileRead read = ReadWholeFile(KeptHandFile, text);
    if (read == FileRead::Missing) return false;
    const std::optional<KeptHand> hand = read == FileRead::Ok ? ParseHandFile(text) : std::nullopt;
    if (!hand) {
        RemoveKeptHand(session);
        return false;
    }
    const int index = ChooserIndexOf(session, hand->Game);
    if (index >= 0) session.Chooser.ItemIndex = index;
    if (!hand->HasHand) return false;
    if (index < 0 || DefinitionIdentity(session, hand->Game) != hand->Definition) {
        if (index >= 0) CountAbandonedHand(*hand);
        RemoveKeptHand(session);
        return false;
    }
    if (!HandFitsItsGame(session, *hand, index)) {
        RemoveKeptHand(session);
        return false;
    }
    try {
        SelectGame(session);
    } catch (...) {
        RemoveKeptHand(session);
        throw;
    }
    if (!RestoreHand(session, *hand)) {
        // The scratch copy took the hand; should this table not, a fresh
        // hand is better than a broken one.
        session.HandPlayed = false;
        DealNewHand(session, NewHandKind::Deal);
        return false;
    }
    return true;
}

void LeaveKeepingHand(Session& session)
{
    // The hand counts when it is closed, in the run that closes it.
    if (KeepHand(session)) session.HandPlayed = false;
    Shutdown(session);
}

}  // namespace vexa
