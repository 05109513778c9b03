#include "defs/Definition.h"

#include <algorithm>

#include "core/VexaError.h"
#include "defs/TextRules.h"

namespace vexa {

namespace {

constexpr int MaxRedeals = 9999;
constexpr std::size_t MaxListEntries = 16;

int ReadInteger(const IniSection& section, const char* key, int fallback)
{
    const std::string value = LookUp(section, key);
    return value.empty() ? fallback : StrToInt(value);
}

// Preplay and Extract hold at most 16 entries; items past those are ignored
// unread.
std::vector<int> ReadIntegerList(const IniSection& section, const char* key)
{
    const std::vector<std::string> items = SplitItems(LookUp(section, key));
    std::vector<int> list;
    for (std::size_t i = 0; i < items.size() && i < MaxListEntries; ++i) list.push_back(StrToInt(items[i]));
    return list;
}

// The items of a PILE or BUTTON value, read one at a time so that errors
// come in item order.
class Items {
public:
    explicit Items(const std::string& value) : items_(SplitItems(value)) {}

    const std::string& Text(std::size_t index) const
    {
        if (index >= items_.size()) throw VexaError(Format("List index out of bounds (%d)", static_cast<int>(index)));
        return items_[index];
    }
    int Integer(std::size_t index) const { return StrToInt(Text(index)); }

private:
    std::vector<std::string> items_;
};

bool IsLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

GameSettings ReadSettings(const IniSection& section)
{
    GameSettings settings;
    settings.Name = LookUp(section, "Name");
    settings.Decks = ReadInteger(section, "Decks", settings.Decks);
    settings.Scoring = ReadInteger(section, "Scoring", settings.Scoring);
    settings.Redeals = std::min(ReadInteger(section, "Redeals", settings.Redeals), MaxRedeals);
    settings.Postdeal = ReadInteger(section, "Postdeal", settings.Postdeal);
    settings.Postdrop = ReadInteger(section, "Postdrop", settings.Postdrop);
    settings.Postpick = ReadInteger(section, "Postpick", settings.Postpick);
    settings.Prepick = ReadInteger(section, "Prepick", settings.Prepick);
    settings.Formwidth = ReadInteger(section, "Formwidth", settings.Formwidth);
    settings.Formheight = ReadInteger(section, "Formheight", settings.Formheight);
    settings.Preplay = ReadIntegerList(section, "Preplay");
    settings.Extract = ReadIntegerList(section, "Extract");
    settings.Autoplay = LookUp(section, "Autoplay") != "0";
    return settings;
}

LineKind ClassifyLine(const std::string& key)
{
    const std::string upper = UpperCase(key);
    if (upper.compare(0, 4, "PILE") == 0) return LineKind::Pile;
    if (upper.compare(0, 4, "HELP") == 0) return LineKind::Help;
    if (upper.compare(0, 6, "BUTTON") == 0) return LineKind::Button;
    return LineKind::Other;
}

PileFields ParsePileLine(const std::string& value)
{
    const Items items(value);
    PileFields pile;
    pile.left = items.Integer(0);
    pile.top = items.Integer(1);
    if (UpperCase(items.Text(2)) == "SAME") {
        pile.same = true;
        return pile;
    }
    pile.width = items.Integer(2);
    pile.height = items.Integer(3);
    pile.Direction = static_cast<std::uint8_t>(items.Integer(4));
    pile.Kind = static_cast<std::uint8_t>(items.Integer(5));
    pile.PickRule = items.Integer(6);
    pile.DropRule = items.Integer(7);
    pile.EmptyDropRule = items.Integer(8);
    pile.LayoutStyle = items.Integer(9);
    pile.ClickAction = items.Integer(10);
    pile.CardLimit = items.Integer(11);
    pile.SpareValue = items.Integer(12);
    pile.DealPattern = items.Text(13);
    return pile;
}

ButtonFields ParseButtonLine(const std::string& value)
{
    const Items items(value);
    ButtonFields button;
    button.left = items.Integer(0);
    button.top = items.Integer(1);
    button.width = items.Integer(2);
    button.height = items.Integer(3);
    button.tag = items.Integer(4);
    button.caption = items.Text(5);
    return button;
}

void CheckComponentName(const std::string& name)
{
    bool valid = !name.empty() && IsLetter(name[0]);
    for (std::size_t i = 1; valid && i < name.size(); ++i) valid = IsLetter(name[i]) || IsDigit(name[i]);
    if (!valid) throw VexaError(Format("''%s'' is not a valid component name", name.c_str()));
}

void AppendHelp(std::string& help, const std::string& value)
{
    if (value == "N")
        help += "\r\n\r\n";
    else
        help += value + " ";
}

}  // namespace vexa
