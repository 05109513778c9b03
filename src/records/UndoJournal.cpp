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

// A formatted text longer than ten characters is cut to its first ten.
std::string Cut(const char* text) { return std::string(text).substr(0, 10); }

SnapshotRecord& Side(SnapshotSlot& slot, SnapshotSide side)
{
    return side == SnapshotSide::Before ? slot.Before : slot.After;
}

// The number in characters 4 to 10 of a counter record.
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
    if (slot == OneTimeMoveSlot)
        std::snprintf(text, sizeof text, "OTF%7.7d", record.Value);
    else if (slot == RedealsLeftSlot)
        std::snprintf(text, sizeof text, "DLS%7.7d", record.Value);
    else
        std::snprintf(text, sizeof text, "%3.3d%3.3d%1.1d%3.3d", record.Position, record.Place, record.State,
                      record.Value);
    return Cut(text);
}

void TakeSnapshot(Session& session, SnapshotSide side)
{
    Table& table = session.Board;
    auto& slots = session.Journal.SnapshotTable;
    for (int position = 0; position < table.ControlCount(); ++position) {
        const Pile* pile = table.PileAt(position);
        if (!pile || pile->Kind == DragKind) continue;
        const auto& cards = pile->Cards();
        for (std::size_t place = 0; place < cards.size(); ++place) {
            const Card& card = *cards[place];
            Side(slots[static_cast<std::size_t>(card.Index() - 1)], side) = {
                position, static_cast<int>(place), card.Face.State() == ctBack ? 1 : 0, card.Index()};
        }
    }
    Side(slots[OneTimeMoveSlot], side) = {0, 0, 0, session.OneTimeMove};
    Side(slots[RedealsLeftSlot], side) = {0, 0, 0, session.RedealsLeft};
}

void RecordStep(Session& session)
{
    TakeSnapshot(session, SnapshotSide::After);
    const auto& slots = session.Journal.SnapshotTable;

    // Undo lifts the changed cards out and appends them again in ascending
    // order, above the cards the step left alone. A card that a step put back
    // on its old place while cards below it changed (a reshuffle) would then
    // land in the wrong place; recording every card above the lowest changed
    // place of each changed pile keeps the rebuilt pile exact.
    std::vector<int> lowestChanged;  // by pile position, place or -1
    std::vector<bool> recorded(SnapshotSlots, false);
    bool any = false;
    for (int slot = 0; slot < SnapshotSlots; ++slot) {
        const SnapshotSlot& s = slots[static_cast<std::size_t>(slot)];
        if (s.Before == s.After) continue;
        recorded[static_cast<std::size_t>(slot)] = any = true;
        if (slot >= OneTimeMoveSlot) continue;
        const std::size_t position = static_cast<std::size_t>(s.Before.Position);
        if (lowestChanged.size() <= position) lowestChanged.resize(position + 1, -1);
        int& lowest = lowestChanged[position];
        if (lowest < 0 || s.Before.Place < lowest) lowest = s.Before.Place;
    }
    if (!any) return;
    for (int slot = 0; slot < OneTimeMoveSlot; ++slot) {
        const SnapshotRecord& before = slots[static_cast<std::size_t>(slot)].Before;
        const std::size_t position = static_cast<std::size_t>(before.Position);
        if (position < lowestChanged.size() && lowestChanged[position] >= 0 &&
            before.Place >= lowestChanged[position])
            recorded[static_cast<std::size_t>(slot)] = true;
    }

    std::vector<std::string> lines;
    for (int slot = 0; slot < SnapshotSlots; ++slot)
        if (recorded[static_cast<std::size_t>(slot)])
            lines.push_back(RecordText(slot, slots[static_cast<std::size_t>(slot)].Before));
    std::sort(lines.begin(), lines.end());
    std::string step;
    for (const std::string& line : lines) step += line + "\r\n";
    session.Journal.UndoSteps.push_back(std::move(step));
    if (session.Settings.Scoring != 5) session.Menu.Undo = true;
}

void UndoLastStep(Session& session)
{
    if (session.Carrying || session.Journal.UndoSteps.empty()) return;
    Table& table = session.Board;
    std::vector<std::string> lines = SplitStep(session.Journal.UndoSteps.back());
    session.Journal.UndoSteps.pop_back();

    // Lift every changed card out, newest record first, and set the counters.
    std::vector<std::string> cards;
    for (auto it = lines.rbegin(); it != lines.rend(); ++it) {
        const std::string& line = *it;
        if (line.compare(0, 3, "OTF") == 0) {
            session.OneTimeMove = CounterValue(line);
        } else if (line.compare(0, 3, "DLS") == 0) {
            session.RedealsLeft = CounterValue(line);
        } else {
            const int number = CardNumber(line);
            if (number >= 1 && number <= CardCount) table.MoveCard(table.CardAt(number), table.DragPile());
            cards.push_back(line);
        }
    }
    // Put them back in ascending order: by pile position, then place.
    std::reverse(cards.begin(), cards.end());
    for (const std::string& line : cards) {
        const int number = CardNumber(line);
        if (number < 1 || number > CardCount) continue;
        Card& card = table.CardAt(number);
        card.Face.SetState(line[6] == '1' ? ctBack : ctFront);
        if (Pile* pile = table.PileAt(PilePosition(line)))
            table.MoveCard(card, *pile);
        else
            table.MoveCard(card, table.Store());
    }

    for (int position = 0; position < table.ControlCount(); ++position) {
        Pile* pile = table.PileAt(position);
        if (!pile || pile->Kind == DragKind) continue;
        if (pile->Count() > 0) pile->Visible = true;
        LayOutPile(*pile);
    }
    RefreshStockHints(session);
    UpdateScore(session);
    if (session.Journal.UndoSteps.empty()) session.Menu.Undo = false;
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
    session.Menu.Undo = false;
    ResetSnapshots(session);
}

}  // namespace vexa
