#include "app/DefinitionChecker.h"

#include <algorithm>
#include <filesystem>
#include <map>
#include <ostream>
#include <set>
#include <system_error>
#include <unordered_map>

#include "app/GameLoader.h"
#include "core/Session.h"
#include "core/VexaError.h"
#include "defs/Definition.h"
#include "defs/IniFile.h"
#include "defs/TextRules.h"
#include "table/Deal.h"

namespace vexa {

CheckSession::CheckSession(std::uint32_t seed, int screenWidth, int screenHeight) : seed_(seed)
{
    session_ = std::make_unique<Session>(pictures_, *this, *this, screenWidth, screenHeight);
    session_->Rng.Seed(seed);
}

CheckSession::~CheckSession() = default;

std::string CheckSession::OpenCatalogue()
{
    try {
        CreateChooser(*session_);
    } catch (const VexaError& error) {
        return error.what();
    }
    return "";
}

std::string CheckSession::Load(const std::string& displayName)
{
    ChooserState& chooser = session_->Chooser;
    const auto at = std::find(chooser.Items.begin(), chooser.Items.end(), displayName);
    if (at == chooser.Items.end()) return "no game named " + displayName;
    chooser.ItemIndex = static_cast<int>(at - chooser.Items.begin());
    try {
        SelectGame(*session_);
    } catch (const VexaError& error) {
        return error.what();
    }
    return "";
}

Rect ClientBudget(const GameSettings& settings)
{
    // Any integer can be written as a size; the budget never goes below 0.
    return {0, 0, std::max(settings.Formwidth, 20) - 20, std::max(settings.Formheight, 70) - 70};
}

std::string CardPlacesFault(Table& table)
{
    std::vector<int> seen(CardCount + 1, 0);
    auto walk = [&](CardContainer& container, const std::string& name) -> std::string {
        for (Card* card : container.Cards()) {
            if (!card || card->Index() < 1 || card->Index() > CardCount) return name + " holds a card that is no card";
            if (card->Parent() != &container)
                return Format("card %d lies in %s but belongs to another place", card->Index(), name.c_str());
            ++seen[static_cast<std::size_t>(card->Index())];
        }
        return "";
    };
    std::string fault = walk(table.Store(), "the CardStore");
    if (fault.empty()) fault = walk(table.Window(), "the window");
    bool dragWalked = false;
    for (int i = 0; fault.empty() && i < table.ControlCount(); ++i) {
        if (Pile* pile = table.PileAt(i)) {
            dragWalked |= pile == &table.DragPile();
            fault = walk(*pile, pile->Name.empty() ? "a pile" : pile->Name);
        }
    }
    if (fault.empty() && !dragWalked) fault = walk(table.DragPile(), "the DragPile");
    if (!fault.empty()) return fault;
    for (int i = 1; i <= CardCount; ++i) {
        if (seen[static_cast<std::size_t>(i)] != 1)
            return Format("card %d lies in %d places", i, seen[static_cast<std::size_t>(i)]);
    }
    return "";
}

int CheckReport::Errors() const
{
    return static_cast<int>(std::count_if(Findings.begin(), Findings.end(), [](const Finding& f) { return f.Error; }));
}

int CheckReport::Warnings() const { return static_cast<int>(Findings.size()) - Errors(); }

namespace {

bool Listed(std::int32_t code, std::initializer_list<std::int32_t> codes)
{
    return std::find(codes.begin(), codes.end(), code) != codes.end();
}

bool KnownPickRule(std::int32_t c) { return (c >= 0 && c <= 9) || (c >= 90 && c <= 95); }
bool KnownDropRule(std::int32_t c) { return c == 0 || (c >= 101 && c <= 124); }
bool KnownEmptyDropRule(std::int32_t c) { return c == 0 || (c >= 201 && c <= 218); }

// Far edges in 64 bits: positions and sizes may be any 32-bit integers.
std::int64_t Right(const Rect& r) { return std::int64_t{r.left} + r.width; }
std::int64_t Bottom(const Rect& r) { return std::int64_t{r.top} + r.height; }

bool Overlap(const Rect& a, const Rect& b)
{
    return a.left < Right(b) && b.left < Right(a) && a.top < Bottom(b) && b.top < Bottom(a);
}

// Collects the findings of one definition.
class GameCheck {
public:
    GameCheck(CheckReport& report, std::string file, const IniSection& lines)
        : report_(report), file_(std::move(file)), lines_(lines)
    {
        for (const IniLine& line : lines_) lineOf_.emplace(UpperCase(line.key), line.line);
    }

    void Add(int line, bool error, const std::string& text) { report_.Findings.push_back({file_, line, error, text}); }

    int LineOf(const std::string& key) const
    {
        const auto found = lineOf_.find(UpperCase(key));
        return found == lineOf_.end() ? 0 : found->second;
    }

    // The load stopped with an error: the settings are read before any
    // table line, and each table line that succeeded left one control.
    void LocateLoadError(const std::string& text, int controlsBuilt)
    {
        int line = 0;
        bool settingsFailed = false;
        try {
            ReadSettings(lines_);
        } catch (const VexaError&) {
            settingsFailed = true;
        }
        if (settingsFailed) {
            for (const char* key : {"Decks", "Scoring", "Redeals", "Postdeal", "Postdrop", "Postpick", "Prepick",
                                    "Formwidth", "Formheight", "Preplay", "Extract"}) {
                const std::string value = LookUp(lines_, key);
                if (value.empty()) continue;
                try {
                    if (SameText(key, "Preplay") || SameText(key, "Extract")) {
                        const std::vector<std::string> items = SplitItems(value);
                        for (std::size_t i = 0; i < items.size() && i < 16; ++i) StrToInt(items[i]);
                    } else {
                        StrToInt(value);
                    }
                } catch (const VexaError&) {
                    line = LineOf(key);
                    break;
                }
            }
        } else {
            int tableLine = 0;
            for (const IniLine& l : lines_) {
                const LineKind kind = ClassifyLine(l.key);
                if (kind != LineKind::Pile && kind != LineKind::Button) continue;
                if (tableLine++ == controlsBuilt) {
                    line = l.line;
                    break;
                }
            }
        }
        Add(line, true, text);
    }

    void CheckLines()
    {
        bool buttonSeen = false;
        for (const IniLine& l : lines_) {
            const LineKind kind = ClassifyLine(l.key);
            if (kind == LineKind::Pile) {
                const std::vector<std::string> items = SplitItems(l.value);
                if (buttonSeen && !(items.size() > 2 && SameText(items[2], "SAME")))
                    Add(l.line, false,
                        "pile line after a button line: the button takes a place between piles in TableOrder");
                if (Trim(l.value).back() == ',')
                    Add(l.line, false, "a trailing comma adds no item: an empty DealPattern drops the last item");
            } else if (kind == LineKind::Button) {
                buttonSeen = true;
            }
        }
    }

    void CheckSettings(const GameSettings& s)
    {
        if (!Listed(s.Scoring, {0, 1, 2, 3, 4, 5}))
            Add(LineOf("Scoring"), false, Format("Scoring %d is no scoring scheme: the score stays 0", s.Scoring));
        if (!Listed(s.Decks, {1, 2}))
            Add(LineOf("Decks"), false, Format("Decks %d: only 1 or 2 decks are dealt", s.Decks));
        if (!Listed(s.Postdeal, {0, 1}))
            Add(LineOf("Postdeal"), false, Format("Postdeal %d is no known step", s.Postdeal));
        if (!Listed(s.Postdrop, {0, 13, 14, 20, 30}))
            Add(LineOf("Postdrop"), false, Format("Postdrop %d is no known step", s.Postdrop));
        if (!Listed(s.Postpick, {0, 1, 13}))
            Add(LineOf("Postpick"), false, Format("Postpick %d is no known step", s.Postpick));
        if (!Listed(s.Prepick, {0, 1})) Add(LineOf("Prepick"), false, Format("Prepick %d is no known step", s.Prepick));
        // The lists as written: the settings keep only what the deal can use.
        const int cards = CardsInPlay(s.Decks);
        for (const char* key : {"Preplay", "Extract"}) {
            const std::vector<std::string> items = SplitItems(LookUp(lines_, key));
            if (items.size() > 16)
                Add(LineOf(key), true,
                    Format("%s holds %d entries; only the first 16 are used", key, static_cast<int>(items.size())));
            // Items past the sixteenth are never read by the program, so
            // they may be anything.
            for (const std::string& item : items) {
                int entry = 0;
                try {
                    entry = StrToInt(item);
                } catch (const VexaError&) {
                    Add(LineOf(key), true, Format("%s entry '%s' is not a number", key, item.c_str()));
                    continue;
                }
                if (entry < 1 || entry > cards)
                    Add(LineOf(key), true, Format("%s entry %d lies outside 1 to %d", key, entry, cards));
            }
        }
    }

    void CheckTable(Session& session)
    {
        Table& table = session.Board;
        const GameSettings& s = session.Settings;
        std::vector<Pile*> piles;
        std::vector<Control*> controls;  // piles and buttons of the definition
        for (int i = 0; i < table.ControlCount(); ++i) {
            Control* control = table.ControlAt(i);
            if (control->Type() == ControlType::Button) controls.push_back(control);
            Pile* pile = table.PileAt(i);
            if (pile && pile != &table.DragPile() && LineOf(pile->Name) > 0) {
                piles.push_back(pile);
                controls.push_back(pile);
            }
        }
        auto count = [&](int kind) {
            return static_cast<int>(
                std::count_if(piles.begin(), piles.end(), [&](Pile* p) { return p->Kind == kind; }));
        };

        const int cards = CardsInPlay(s.Decks);
        const int preplay = static_cast<int>(UsableCardList(s.Preplay, cards).size());
        const int extract = static_cast<int>(UsableCardList(s.Extract, cards).size());
        int placed = 0, sChars = 0;
        bool sReported = false;
        for (Pile* pile : piles) {
            const int line = LineOf(pile->Name);
            const char* name = pile->Name.c_str();
            if (pile->Kind > 5)
                Add(line, true, Format("%s: Kind %d is not a table pile kind (0 to 5)", name, pile->Kind));
            if (!KnownPickRule(pile->PickRule))
                Add(line, false, Format("%s: PickRule %d is no known rule", name, pile->PickRule));
            if (!KnownDropRule(pile->DropRule))
                Add(line, false, Format("%s: DropRule %d is no known rule", name, pile->DropRule));
            if (!KnownEmptyDropRule(pile->EmptyDropRule))
                Add(line, false, Format("%s: EmptyDropRule %d is no known rule", name, pile->EmptyDropRule));
            if (!Listed(pile->ClickAction, {0, 301, 302, 303}))
                Add(line, false, Format("%s: ClickAction %d is no known action", name, pile->ClickAction));
            if (!Listed(pile->LayoutStyle, {401, 402, 403, 404}))
                Add(line, false, Format("%s: LayoutStyle %d is no known style", name, pile->LayoutStyle));
            if (pile->Direction > 3)
                Add(line, false, Format("%s: Direction %d is no known direction", name, pile->Direction));

            const bool twoWastes = pile->PickRule == 93 || pile->ClickAction == 303;
            if (twoWastes && count(1) < 2)
                Add(line, true, Format("%s: PickRule 93 and ClickAction 303 need two Kind-1 piles", name));
            else if ((Listed(pile->PickRule, {90, 91, 95}) || pile->ClickAction == 301) && count(1) < 1)
                Add(line, true,
                    Format("%s: PickRule %d / ClickAction %d needs a Kind-1 pile", name, pile->PickRule,
                           pile->ClickAction));
            if (pile->PickRule == 94 && count(3) < 1)
                Add(line, true, Format("%s: PickRule 94 needs a Kind-3 pile", name));
            if (pile->ClickAction == 302 && 3 * count(2) < cards)
                Add(line, true,
                    Format("%s: ClickAction 302 deals three cards per Kind-2 pile; %d piles cannot take %d cards", name,
                           count(2), cards));

            for (char c : pile->DealPattern) {
                if (c == 'D' || c == 'U') ++placed;
                if (c != 'S') continue;
                if (++sChars > preplay && !sReported) {
                    Add(line, true, Format("%s: more \"S\" characters than Preplay entries (%d)", name, preplay));
                    sReported = true;
                }
            }
            const Rect budget = ClientBudget(s);
            const Rect& b = pile->Bounds;
            if (b.left < 0 || b.top < 0 || Right(b) > budget.width || Bottom(b) > budget.height)
                Add(line, false,
                    Format("%s (%d,%d %dx%d) lies outside the window's client area (%dx%d)", name, b.left, b.top,
                           b.width, b.height, budget.width, budget.height));
        }
        placed += std::min(sChars, preplay);
        const int firstPileLine = piles.empty() ? 0 : LineOf(piles.front()->Name);
        if (placed < cards - extract)
            Add(firstPileLine, false, Format("the deal patterns place %d of the %d cards", placed + extract, cards));
        else if (placed > cards)
            Add(firstPileLine, false, Format("the deal patterns ask for %d cards; the decks hold %d", placed, cards));

        const int settingsLine = LineOf("Postpick") ? LineOf("Postpick") : firstPileLine;
        if (Listed(s.Postpick, {1, 13}) && count(3) < 1)
            Add(settingsLine, true, Format("Postpick %d needs a Kind-3 pile", s.Postpick));
        if (Listed(s.Postdrop, {13, 14}) && count(3) < 1)
            Add(LineOf("Postdrop"), true, Format("Postdrop %d needs a Kind-3 pile", s.Postdrop));
        if (s.Postdrop == 20 && count(0) < 1) Add(LineOf("Postdrop"), true, "Postdrop 20 needs a Kind-0 pile");
        if (s.Scoring == 4 && count(3) < 1) Add(LineOf("Scoring"), true, "Scoring 4 needs Kind-3 piles as row starts");
        if (s.Scoring == 5) {
            const int f = table.KindRange(4).first;
            if (f < 0 || f + 2 >= table.ControlCount() || count(0) < 1)
                Add(LineOf("Scoring"), true,
                    "Scoring 5 needs three peaks from the first Kind-4 pile on and a Kind-0 pile");
        }

        for (Control* control : controls) {
            if (control->Type() != ControlType::Button) continue;
            const auto* button = static_cast<GameButton*>(control);
            if (!Listed(button->Tag, {1, 2, 3}))
                Add(LineOf(button->Name), false,
                    Format("%s: tag %d is no button action", button->Name.c_str(), button->Tag));
        }

        // Piles and buttons are windows: where one lies over another it hides
        // it, and over a Kind-4 pile it decides whether that card counts as
        // uncovered. Kind-4 piles overlapping each other are the pyramid itself.
        // One finding per control, naming the first control it lies over.
        const auto kind4 = [](const Control* c) {
            return c->Type() == ControlType::Pile && static_cast<const Pile*>(c)->Kind == 4;
        };
        for (std::size_t j = 1; j < controls.size(); ++j) {
            const Control* b = controls[j];
            const Control* first = nullptr;
            int more = 0;
            for (std::size_t i = 0; i < j; ++i) {
                const Control* a = controls[i];
                if (!Overlap(a->Bounds, b->Bounds) || (kind4(a) && kind4(b))) continue;
                if (first)
                    ++more;
                else
                    first = a;
            }
            if (!first) continue;
            std::string text = Format("%s overlaps %s", b->Name.c_str(), first->Name.c_str());
            if (more > 0) text += Format(" (and %d more)", more);
            Add(LineOf(b->Name), false, text + " and changes what is uncovered");
        }
    }

private:
    CheckReport& report_;
    std::string file_;
    const IniSection& lines_;
    std::unordered_map<std::string, int> lineOf_;  // upper-cased key to line
};

int GameControlsBuilt(Session& session)
{
    Table& table = session.Board;
    int built = 0;
    for (int i = 0; i < table.ControlCount(); ++i) {
        Control* control = table.ControlAt(i);
        if (control->Type() == ControlType::Button) ++built;
        if (Pile* pile = table.PileAt(i); pile && pile->Kind != DragKind) ++built;
    }
    return built;
}

}  // namespace

namespace {

// Opens the catalogue of the current folder as the chooser does; false,
// with the finding that says why, when it cannot be played. Its game list
// otherwise.
bool OpenCatalogueChecked(CheckReport& report, const std::string& catalogueFile, IniSection& gamelist)
{
    if (!std::filesystem::is_regular_file(catalogueFile)) {
        report.Findings.push_back({catalogueFile, 0, true, "no catalogue in this folder"});
        return false;
    }
    const IniFile catalogue(catalogueFile);
    gamelist = catalogue.ReadSection("Gamelist");
    CheckSession probe(1);
    const std::string error = probe.OpenCatalogue();
    if (error.empty()) return true;
    const IniSection general = catalogue.ReadSection("General");
    int line = 0;
    for (const IniLine& l : general)
        if (SameText(l.key, "TimeInGame")) line = l.line;
    report.Findings.push_back({catalogueFile, line, true, error});
    return false;
}

// The findings of one game of the catalogue: its entry, then its definition
// loaded as the chooser loads it.
void CheckEntry(CheckReport& report, const std::string& catalogueFile, const IniLine& entry)
{
    ++report.Games;
    const std::string path = DefinitionPath(entry.value);
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec)) {
        report.Findings.push_back(
            {catalogueFile, entry.line, false, entry.value + " is a folder: " + entry.key + " loads with no piles"});
        return;
    }
    if (!std::filesystem::exists(path, ec)) {
        report.Findings.push_back(
            {catalogueFile, entry.line, false, entry.value + " does not exist: " + entry.key + " loads with no piles"});
        return;
    }
    if (std::filesystem::equivalent(path, catalogueFile, ec))
        report.Findings.push_back({catalogueFile, entry.line, false, entry.key + " names the catalogue itself"});

    const IniSection lines = IniFile(path).ReadSection(entry.key);
    if (lines.empty()) {
        report.Findings.push_back({catalogueFile, entry.line, false,
                                   entry.value + " has no section [" + entry.key + "]: the game loads with no piles"});
        return;
    }
    const std::size_t first = report.Findings.size();
    GameCheck check(report, entry.value, lines);
    check.CheckLines();
    CheckSession session(1);
    session.OpenCatalogue();
    const std::string error = session.Load(entry.key);
    if (!error.empty()) {
        check.LocateLoadError(error, GameControlsBuilt(session.Get()));
    } else {
        check.CheckSettings(session.Get().Settings);
        check.CheckTable(session.Get());
    }
    // One game's findings in the order of its lines.
    std::stable_sort(report.Findings.begin() + static_cast<std::ptrdiff_t>(first), report.Findings.end(),
                     [](const Finding& a, const Finding& b) { return a.Line < b.Line; });
}

// Findings name files as the catalogue lists them, without a folder.
std::string CatalogueFileName() { return std::filesystem::path(CatalogueFile).filename().string(); }

}  // namespace

CheckReport CheckCatalogue()
{
    CheckReport report;
    const std::string catalogueFile = CatalogueFileName();
    IniSection gamelist;
    if (!OpenCatalogueChecked(report, catalogueFile, gamelist)) return report;
    if (gamelist.empty()) report.Findings.push_back({catalogueFile, 0, false, "the catalogue lists no game"});
    for (const IniLine& entry : gamelist) CheckEntry(report, catalogueFile, entry);
    return report;
}

CheckReport CheckGame(const std::string& displayName)
{
    CheckReport report;
    const std::string catalogueFile = CatalogueFileName();
    IniSection gamelist;
    if (!OpenCatalogueChecked(report, catalogueFile, gamelist)) return report;
    // The chooser lists each key once, at its first line, as written.
    for (const IniLine& entry : gamelist) {
        if (entry.key != displayName) continue;
        CheckEntry(report, catalogueFile, entry);
        return report;
    }
    report.Findings.push_back({catalogueFile, 0, true, "the catalogue lists no game named " + displayName});
    return report;
}

void PrintReport(const CheckReport& report, std::ostream& out)
{
    for (const Finding& f : report.Findings)
        out << f.File << ':' << f.Line << ": " << (f.Error ? "error" : "warning") << ": " << f.Text << '\n';
    out << report.Games << (report.Games == 1 ? " game" : " games") << " checked: " << report.Errors()
        << (report.Errors() == 1 ? " error, " : " errors, ") << report.Warnings()
        << (report.Warnings() == 1 ? " warning" : " warnings") << '\n';
}

int RunDefinitionCheck(const std::string& folder, std::ostream& out, std::ostream& err)
{
    std::error_code ec;
    std::filesystem::current_path(folder, ec);
    if (ec) {
        err << "vexasim: cannot enter " << folder << ": " << ec.message() << '\n';
        return 2;
    }
    const CheckReport report = CheckCatalogue();
    PrintReport(report, out);
    return report.Errors() > 0 ? 1 : 0;
}

}  // namespace vexa
