#include "app/GameLoader.h"

#include <algorithm>
#include <memory>

#include "app/NewHand.h"
#include "app/WinnableDeal.h"
#include "core/Session.h"
#include "core/VexaError.h"
#include "defs/Definition.h"
#include "defs/IniFile.h"
#include "defs/TextRules.h"
#include "records/Score.h"
#include "records/Statistics.h"
#include "rules/RedealStatus.h"
#include "table/Deal.h"
#include "table/PileLayout.h"

namespace vexa {

namespace {

// Undo records keep a pile's TableOrder position in three digits.
constexpr int LastTablePosition = 999;

void CheckRoomForControl(const Session& session)
{
    const Table& table = session.Board;
    if (table.ControlCount() > LastTablePosition)
        throw VexaError(Format("Too many piles and buttons: a game may have at most %d",
                               LastTablePosition - table.PositionOf(&table.DragPile())));
}

void CheckNameIsFree(const Session& session, const std::string& name)
{
    CheckComponentName(name);
    if (session.Board.FindControl(name)) throw VexaError(Format("A component named %s already exists", name.c_str()));
}

void AddPileLine(Session& session, const std::string& key, const std::string& value)
{
    Table& table = session.Board;
    const PileFields fields = ParsePileLine(value);
    auto pile = std::make_unique<Pile>("");
    pile->Bounds.left = fields.left;
    pile->Bounds.top = fields.top;
    if (fields.same) {
        // The control attached last is the pile of the line before; a button
        // there cannot be taken as a pile.
        Control* last = table.ControlAt(table.ControlCount() - 1);
        if (!last || last->Type() != ControlType::Pile) throw VexaError("Invalid class typecast");
        const Pile& before = *static_cast<Pile*>(last);
        pile->Bounds.width = before.Bounds.width;
        pile->Bounds.height = before.Bounds.height;
        pile->Direction = before.Direction;
        pile->Kind = before.Kind;
        pile->PickRule = before.PickRule;
        pile->DropRule = before.DropRule;
        pile->EmptyDropRule = before.EmptyDropRule;
        pile->LayoutStyle = before.LayoutStyle;
        pile->ClickAction = before.ClickAction;
        pile->CardLimit = before.CardLimit;
        pile->SpareValue = before.SpareValue;
        pile->DealPattern = before.DealPattern;
    } else {
        pile->Bounds.width = fields.width;
        pile->Bounds.height = fields.height;
        pile->Direction = fields.Direction;
        pile->Kind = fields.Kind;
        pile->PickRule = fields.PickRule;
        pile->DropRule = fields.DropRule;
        pile->EmptyDropRule = fields.EmptyDropRule;
        pile->LayoutStyle = fields.LayoutStyle;
        pile->ClickAction = fields.ClickAction;
        pile->CardLimit = fields.CardLimit;
        pile->SpareValue = fields.SpareValue;
        pile->DealPattern = fields.DealPattern;
    }
    CheckNameIsFree(session, key);
    CheckRoomForControl(session);
    pile->Name = key;
    pile->Visible = true;
    UpdateScrollBars(*table.AddPile(std::move(pile)));
}

void AddButtonLine(Session& session, const std::string& key, const std::string& value)
{
    const ButtonFields fields = ParseButtonLine(value);
    auto button = std::make_unique<GameButton>("");
    button->Bounds = {fields.left, fields.top, fields.width, fields.height};
    button->Tag = fields.tag;
    button->Caption = fields.caption;
    CheckNameIsFree(session, key);
    CheckRoomForControl(session);
    button->Name = key;
    button->Visible = true;
    session.Board.AddButton(std::move(button));
}

void LeaveWelcome(Session& session)
{
    Table& table = session.Board;
    if (Control* label = table.FindControl("Label1")) label->Visible = false;
    while (table.Window().Count() > 0) table.MoveCard(*table.Window().CardAt(0), table.Store());
    session.Welcome = false;
}

}  // namespace

namespace {

// The catalogue's game list: the file of each display name, and the names
// sorted for the chooser.
void ReadGameList(Session& session, const IniFile& catalogue)
{
    session.GameFiles.clear();
    for (const IniLine& line : catalogue.ReadSection("Gamelist")) session.GameFiles.emplace_back(line.key, line.value);
    std::vector<std::string> names = catalogue.ReadKeys("Gamelist");
    std::stable_sort(names.begin(), names.end(),
                     [](const std::string& a, const std::string& b) { return CompareText(a, b) < 0; });
    session.Chooser.Items = std::move(names);
}

}  // namespace

void CreateChooser(Session& session)
{
    const IniFile catalogue(CatalogueFile);
    ReadGameList(session, catalogue);
    session.Chooser.ItemIndex = session.Chooser.Items.empty() ? -1 : 0;
    LoadPlayTime(session, catalogue);
    session.WinnableOnly = ReadWinnableOnly(catalogue);
}

void PlaceWindow(Session& session)
{
    const int w = session.Settings.Formwidth;
    const int h = session.Settings.Formheight;
    // A size below zero (any integer can be written) does not fit either.
    if (w >= 0 && h >= 0 && session.ScreenWidth >= w && session.ScreenHeight >= h)
        session.WindowBounds = {(session.ScreenWidth - w) / 2, (session.ScreenHeight - h) / 2, w, h};
    else
        session.WindowBounds = {0, 0, w, h};
    // Taken wide: the frame is subtracted from any integer a file gives.
    session.ClientWidth = static_cast<int>(std::max(0LL, static_cast<long long>(w) - WindowFrameWidth));
    session.ClientHeight = static_cast<int>(std::max(0LL, static_cast<long long>(h) - WindowFrameHeight));
}

void SelectGame(Session& session)
{
    Table& table = session.Board;
    const ChooserState& chooser = session.Chooser;
    // Checked before anything changes, so that an empty list keeps the
    // welcome screen or the game in progress as it was.
    if (chooser.ItemIndex < 0 || chooser.ItemIndex >= static_cast<int>(chooser.Items.size()))
        throw VexaError(Format("List index out of bounds (%d)", chooser.ItemIndex));

    if (session.Welcome)
        LeaveWelcome(session);
    else
        SaveGameStatistics(session);

    session.CurrentGame = chooser.Items[static_cast<std::size_t>(chooser.ItemIndex)];
    // Until its counts are read the new game's figures are unknown: a load
    // that stops on a bad count shows zeros, not the previous game's.
    session.Stats = {};
    session.StatsLoaded = false;
    session.HelpText.clear();

    // From here until the load completes the table is not playable.
    session.Inert = true;
    session.DealNumber.reset();
    session.Menu.Deal = session.Menu.Restart = session.Menu.Undo = session.Menu.Redo = session.Menu.Autoplay = false;
    session.Carrying = false;
    session.OriginPile = nullptr;
    session.Peek = PeekState{};
    for (int i = 1; i <= CardCount; ++i) {
        table.CardAt(i).Visible = false;
        table.MoveCard(table.CardAt(i), table.Store());
    }
    table.RemoveGameControls();
    table.RebuildKindRange();

    const IniFile catalogue(CatalogueFile);
    LoadGameStatistics(session, catalogue);

    const IniFile definition(DefinitionPath(GameFileOf(session, session.CurrentGame)));
    const IniSection lines = definition.ReadSection(session.CurrentGame);
    session.Caption = std::string("Vexa Solitaire:  ") + LookUp(lines, "Name");
    session.Settings = ReadSettings(lines);
    PlaceWindow(session);

    for (const IniLine& line : lines) {
        switch (ClassifyLine(line.key)) {
        case LineKind::Pile: AddPileLine(session, line.key, line.value); break;
        case LineKind::Help: AppendHelp(session.HelpText, line.value); break;
        case LineKind::Button: AddButtonLine(session, line.key, line.value); break;
        case LineKind::Other: break;
        }
    }
    if (session.HelpText.empty()) session.HelpText = "Sorry, no information available.";
    for (int i = 1; i <= CardCount; ++i) {
        table.CardAt(i).Bounds.width = CardWidth;
        table.CardAt(i).Bounds.height = CardHeight;
    }
    table.RebuildKindRange();

    StartHandState(session);

    DealHand(session, false);
    session.Inert = false;
    session.Menu.Deal = true;
    session.Menu.Restart = true;
    session.Menu.Undo = false;
    session.Menu.Autoplay = session.Settings.Autoplay;
    RefreshStockHints(session);
}

void ReloadGame(Session& session)
{
    const std::string game = session.CurrentGame;
    const IniFile catalogue(CatalogueFile);
    const std::vector<std::string> keys = catalogue.ReadKeys("Gamelist");
    // Checked before anything changes: the table stays as it is.
    if (game.empty() || std::find(keys.begin(), keys.end(), game) == keys.end())
        throw VexaError("The catalogue no longer lists " + game);
    ReadGameList(session, catalogue);
    const auto& items = session.Chooser.Items;
    session.Chooser.ItemIndex = static_cast<int>(std::find(items.begin(), items.end(), game) - items.begin());
    SelectGame(session);
}

}  // namespace vexa
