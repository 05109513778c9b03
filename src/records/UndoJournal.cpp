#include "records/UndoJournal.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "core/Session.h"
#include "records/Score.h"
#include "rules/RedealStatus.h"
#include "table/PileLayout.h"

namespace vexa {

namespace {

// A formatted card record longer than ten characters is cut to its first ten.
std::string Cut(const char* text) { return std::string(text).substr(0, 10); }

SnapshotRecord& Side(SnapshotSlot& slot, SnapshotSide side)
{
    return side == SnapshotSide::Before ? slot.Before : slot.After;
}

// The number from character 4 of a counter record.
int CounterValue(const std::string& record) { return std::atoi(record.c_str() + 3); }

// The CardSet index in characters 8 to 10 of a card record.
int CardNumber(const std::string& record) { return std::atoi(record.substr(7, 3).c_str()); }

int PilePosition(const std::string& record) { return std::atoi(record.substr(0, 3).c_str()); }

std::vector<std::string> SplitStep(const std::string& step)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < step.size()) {
        const std::size_t end = step.find("\r\n", start);
        if (end == std::string::npos) {
            lines.push_back(step.substr(start));
            break;
        }
        lines.push_back(step.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

}  // namespace

std::string RecordText(int slot, const SnapshotRecord& record)
{
    char text[64];
    // The counters are written whole: ten characters for 0 to 9999999, more
    // for a negative value (the spent one-time move is -1) or a larger one,
    // which cutting would change.
    if (slot == OneTimeMoveSlot) {
        std::snprintf(text, sizeof text, "OTF%7.7d", record.Value);
        return text;
    }
    if (slot == RedealsLeftSlot) {
        std::snprintf(text, sizeof text, "DLS%7.7d", record.Value);
        return text;
    }
    std::snprintf(text, sizeof text, "%3.3d%3.3d%1.1d%3.3d", record.Position, record.Place, record.State, record.Value);
    return Cut(text);
}

namespace {

// Hands every record of the table as it stands to store: the place of each
// card on a table pile (the DragPile and CardStore are skipped) and the two
// counters.
template <typename Store>
void WalkRecords(const Session& session, Store&& store)
{
    const Table& table = session.Board;
    for (int position = 0; position < table.ControlCount(); ++position) {
        const Pile* pile = table.PileAt(position);
        if (!pile || pile->Kind == DragKind) continue;
        const auto& cards = pile->Cards();
        for (std::size_t place = 0; place < cards.size(); ++place) {
            const Card& card = *cards[place];
            store(card.Index() - 1,
                  SnapshotRecord{position, static_cast<int>(place), card.Face.State() == ctBack ? 1 : 0, card.Index()});
        }
    }
    store(OneTimeMoveSlot, SnapshotRecord{0, 0, 0, session.OneTimeMove});
    store(RedealsLeftSlot, SnapshotRecord{0, 0, 0, session.RedealsLeft});
}

}  // namespace

void TakeSnapshot(Session& session, SnapshotSide side)
{
    if (session.Journal.Off) return;
    auto& slots = session.Journal.SnapshotTable;
    WalkRecords(session, [&](int slot, const SnapshotRecord& record) {
        Side(slots[static_cast<std::size_t>(slot)], side) = record;
    });
}

namespace {

using Records = std::array<SnapshotRecord, SnapshotSlots>;

// One side of the snapshot table as a plain array.
Records SideOf(const UndoJournal& journal, SnapshotSide side)
{
    Records records;
    for (int slot = 0; slot < SnapshotSlots; ++slot) {
        const SnapshotSlot& s = journal.SnapshotTable[static_cast<std::size_t>(slot)];
        records[static_cast<std::size_t>(slot)] = side == SnapshotSide::Before ? s.Before : s.After;
    }
    return records;
}

// The table as it stands, without touching the snapshot table; cards on no
// table pile keep the records of base.
Records Capture(Session& session, Records base)
{
    WalkRecords(session,
                [&](int slot, const SnapshotRecord& record) { base[static_cast<std::size_t>(slot)] = record; });
    return base;
}

// The step that takes the table from after back to before: the records of
// before that differ from after, sorted as text. Undo lifts the changed
// cards out and appends them again in ascending order, above the cards the
// step left alone. A card that a step put back on its old place while cards
// below it changed (a reshuffle) would then land in the wrong place; taking
// in every card above the lowest changed place of each changed pile keeps
// the rebuilt pile exact. "" when nothing changed.
std::string StepText(const Records& before, const Records& after)
{
    std::vector<int> lowestChanged;  // by pile position, place or -1
    std::vector<bool> recorded(SnapshotSlots, false);
    bool any = false;
    for (int slot = 0; slot < SnapshotSlots; ++slot) {
        const SnapshotRecord& old = before[static_cast<std::size_t>(slot)];
        if (old == after[static_cast<std::size_t>(slot)]) continue;
        recorded[static_cast<std::size_t>(slot)] = any = true;
        if (slot >= OneTimeMoveSlot) continue;
        const std::size_t position = static_cast<std::size_t>(old.Position);
        if (lowestChanged.size() <= position) lowestChanged.resize(position + 1, -1);
        int& lowest = lowestChanged[position];
        if (lowest < 0 || old.Place < lowest) lowest = old.Place;
    }
    if (!any) return {};
    for (int slot = 0; slot < OneTimeMoveSlot; ++slot) {
        const SnapshotRecord& old = before[static_cast<std::size_t>(slot)];
        const std::size_t position = static_cast<std::size_t>(old.Position);
        if (position < lowestChanged.size() && lowestChanged[position] >= 0 && old.Place >= lowestChanged[position])
            recorded[static_cast<std::size_t>(slot)] = true;
    }
    std::vector<std::string> lines;
    for (int slot = 0; slot < SnapshotSlots; ++slot)
        if (recorded[static_cast<std::size_t>(slot)])
            lines.push_back(RecordText(slot, before[static_cast<std::size_t>(slot)]));
    std::sort(lines.begin(), lines.end());
    std::string step;
    for (const std::string& line : lines) step += line + "\r\n";
    return step;
}

// Puts the cards and counters of a step back where its records say.
void PlaceRecords(Session& session, const std::string& step)
{
    Table& table = session.Board;
    const std::vector<std::string> lines = SplitStep(step);

    // Lift every changed card out, newest record first, and set the counters.
    std::vector<const std::string*> cards;
    for (auto it = lines.rbegin(); it != lines.rend(); ++it) {
        const std::string& line = *it;
        if (line.compare(0, 3, "OTF") == 0) {
            session.OneTimeMove = CounterValue(line);
        } else if (line.compare(0, 3, "DLS") == 0) {
            session.RedealsLeft = CounterValue(line);
        } else {
            const int number = CardNumber(line);
            if (number >= 1 && number <= CardCount) table.MoveCard(table.CardAt(number), table.DragPile());
            cards.push_back(&line);
        }
    }
    // Put them back in ascending order: by pile position, then place.
    for (auto it = cards.rbegin(); it != cards.rend(); ++it) {
        const std::string& line = **it;
        const int number = CardNumber(line);
        if (number < 1 || number > CardCount) continue;
        Card& card = table.CardAt(number);
        card.Face.SetState(line[6] == '1' ? ctBack : ctFront);
        if (Pile* pile = table.PileAt(PilePosition(line)))
            table.MoveCard(card, *pile);
        else
            table.MoveCard(card, table.Store());
    }
}

// Calls visit for every table pile (the DragPile skipped) with its position.
template <typename Visit>
void ForEachPile(Session& session, Visit&& visit)
{
    Table& table = session.Board;
    for (int position = 0; position < table.ControlCount(); ++position) {
        Pile* pile = table.PileAt(position);
        if (pile && pile->Kind != DragKind) visit(position, *pile);
    }
}

std::vector<PileView> CaptureViews(Session& session)
{
    std::vector<PileView> views(static_cast<std::size_t>(session.Board.ControlCount()));
    ForEachPile(session, [&](int position, const Pile& pile) {
        views[static_cast<std::size_t>(position)] = {pile.Visible, pile.ShowHint, pile.Hint};
    });
    return views;
}

// Undo: the step's cards and counters, every pile that holds cards shown
// again, the stocks' hints refreshed, the score recomputed.
void ApplyUndoStep(Session& session, const std::string& step)
{
    PlaceRecords(session, step);
    ForEachPile(session, [](int, Pile& pile) {
        if (pile.Count() > 0) pile.Visible = true;
        LayOutPile(pile);
    });
    RefreshStockHints(session);
    UpdateScore(session);
}

// Redo: the step's cards and counters, and every pile shown and hinted as
// the views say; then the score is recomputed.
void ApplyRedoStep(Session& session, const RedoStep& step)
{
    PlaceRecords(session, step.Records);
    ForEachPile(session, [&](int position, Pile& pile) {
        if (static_cast<std::size_t>(position) < step.Views.size()) {
            const PileView& view = step.Views[static_cast<std::size_t>(position)];
            pile.Visible = view.Visible;
            pile.ShowHint = view.ShowHint;
            pile.Hint = view.Hint;
        }
        LayOutPile(pile);
    });
    UpdateScore(session);
}

void RefreshUndoMenu(Session& session)
{
    const bool allowed = session.Settings.Scoring != 5;
    session.Menu.Undo = allowed && !session.Journal.UndoSteps.empty();
    session.Menu.Redo = allowed && !session.Journal.RedoSteps.empty();
}

}  // namespace

void RecordStep(Session& session)
{
    if (session.Journal.Off) return;
    TakeSnapshot(session, SnapshotSide::After);
    std::string step =
        StepText(SideOf(session.Journal, SnapshotSide::Before), SideOf(session.Journal, SnapshotSide::After));
    if (step.empty()) return;
    session.Journal.UndoSteps.push_back(std::move(step));
    // A new step starts a new line of play: what was undone cannot come back.
    session.Journal.RedoSteps.clear();
    RefreshUndoMenu(session);
}

namespace {

// Runs apply and returns the step that takes the table back from what apply
// left to what it found: the records apply changed, as StepText writes them.
template <typename Apply>
std::string ReplayAndReverse(Session& session, Apply&& apply)
{
    const Records base = SideOf(session.Journal, SnapshotSide::After);
    const Records before = Capture(session, base);
    apply();
    return StepText(before, Capture(session, base));
}

}  // namespace

void UndoLastStep(Session& session)
{
    UndoJournal& journal = session.Journal;
    if (session.Carrying || journal.UndoSteps.empty()) return;
    const std::string step = std::move(journal.UndoSteps.back());
    journal.UndoSteps.pop_back();
    RedoStep redo{{}, CaptureViews(session)};
    redo.Records = ReplayAndReverse(session, [&] { ApplyUndoStep(session, step); });
    if (!redo.Records.empty()) journal.RedoSteps.push_back(std::move(redo));
    RefreshUndoMenu(session);
}

void RedoLastStep(Session& session)
{
    UndoJournal& journal = session.Journal;
    if (session.Carrying || journal.RedoSteps.empty() || session.Settings.Scoring == 5) return;
    const RedoStep step = std::move(journal.RedoSteps.back());
    journal.RedoSteps.pop_back();
    std::string undo = ReplayAndReverse(session, [&] { ApplyRedoStep(session, step); });
    if (!undo.empty()) journal.UndoSteps.push_back(std::move(undo));
    RefreshUndoMenu(session);
}

void ResetSnapshots(Session& session)
{
    // The counter slots keep their records: every interaction writes them
    // afresh with its Before snapshot.
    for (int slot = 0; slot < OneTimeMoveSlot; ++slot)
        session.Journal.SnapshotTable[static_cast<std::size_t>(slot)] = {};
}

void ResetUndo(Session& session)
{
    session.Journal.UndoSteps.clear();
    session.Journal.RedoSteps.clear();
    session.Menu.Undo = false;
    session.Menu.Redo = false;
    ResetSnapshots(session);
}

}  // namespace vexa
