#include "records/HandFile.h"

#include <algorithm>
#include <map>
#include <sstream>

#include "core/VexaError.h"
#include "defs/TextRules.h"
#include "table/Deal.h"

namespace vexa {

namespace {

// Every record the journal writes is at least this long.
constexpr std::size_t ShortestRecord = 10;

void Add(IniDocumentSection& section, const std::string& key, const std::string& value)
{
    section.lines.push_back({key, value, 0});
}

std::string CardText(const KeptCard& card)
{
    return (card.Shown ? "" : ".") + std::to_string(card.Index) + (card.FaceDown ? "d" : "u");
}

std::string PileText(const KeptPile& pile)
{
    std::string text = pile.Name + (pile.Visible ? " 1" : " 0");
    for (const KeptCard& card : pile.Cards) text += " " + CardText(card);
    return text;
}

std::vector<std::string> Words(const std::string& text)
{
    std::vector<std::string> words;
    std::istringstream in(text);
    for (std::string word; in >> word;) words.push_back(word);
    return words;
}

std::optional<KeptCard> ParseCard(std::string word)
{
    KeptCard card;
    if (!word.empty() && word[0] == '.') {
        card.Shown = false;
        word.erase(0, 1);
    }
    if (word.size() < 2 || (word.back() != 'd' && word.back() != 'u')) return std::nullopt;
    card.FaceDown = word.back() == 'd';
    word.pop_back();
    card.Index = StrToInt(word);
    return card;
}

std::optional<KeptPile> ParsePile(const IniLine& line)
{
    const std::vector<std::string> words = Words(line.value);
    if (words.size() < 2 || (words[1] != "0" && words[1] != "1")) return std::nullopt;
    KeptPile pile{StrToInt(line.key), words[0], words[1] == "1", {}, "", false};
    for (std::size_t i = 2; i < words.size(); ++i) {
        const std::optional<KeptCard> card = ParseCard(words[i]);
        if (!card) return std::nullopt;
        pile.Cards.push_back(*card);
    }
    return pile;
}

const IniSection* Find(const std::map<std::string, const IniSection*>& sections, const std::string& name)
{
    const auto it = sections.find(UpperCase(name));
    return it == sections.end() ? nullptr : it->second;
}

IniDocumentSection StepSection(const std::string& name, const std::string& step)
{
    IniDocumentSection section{name, {}};
    std::size_t start = 0;
    int record = 0;
    while (start < step.size()) {
        std::size_t end = step.find("\r\n", start);
        if (end == std::string::npos) end = step.size();
        Add(section, std::to_string(++record), step.substr(start, end - start));
        start = end + 2;
    }
    return section;
}

// A plain shown pile without a hint is left out of a redo step's views.
const PileView PlainView{};

std::string ViewText(const PileView& view)
{
    return std::string(view.Visible ? "1" : "0") + (view.ShowHint ? " 1" : " 0") +
           (view.Hint.empty() ? "" : " " + view.Hint);
}

std::optional<PileView> ParseView(const std::string& text)
{
    if (text.size() < 3 || (text[0] != '0' && text[0] != '1') || text[1] != ' ' || (text[2] != '0' && text[2] != '1'))
        return std::nullopt;
    if (text.size() > 3 && text[3] != ' ') return std::nullopt;
    return PileView{text[0] == '1', text[2] == '1', text.size() > 4 ? text.substr(4) : ""};
}

// The records of a step section, and its views where it has them.
bool ReadStep(const IniSection& section, std::string& records, std::vector<PileView>* views)
{
    records.clear();
    for (const IniLine& line : section) {
        if (views && SameText(line.key, "Views")) {
            const int count = StrToInt(line.value);
            if (count < 0 || count > 1000) return false;
            views->assign(static_cast<std::size_t>(count), PlainView);
        } else if (views && line.key.size() > 1 && (line.key[0] == 'V' || line.key[0] == 'v')) {
            const int position = StrToInt(line.key.substr(1));
            const std::optional<PileView> view = ParseView(line.value);
            if (!view || position < 0 || static_cast<std::size_t>(position) >= views->size()) return false;
            (*views)[static_cast<std::size_t>(position)] = *view;
        } else {
            if (line.value.size() < ShortestRecord) return false;
            records += line.value + "\r\n";
        }
    }
    return !records.empty();
}

const IniSection* StepOf(const std::map<std::string, const IniSection*>& sections, const std::string& name)
{
    const IniSection* section = Find(sections, name);
    return section && !section->empty() ? section : nullptr;
}

std::map<std::string, const IniSection*> ByName(const IniDocument& document)
{
    std::map<std::string, const IniSection*> sections;
    for (const IniDocumentSection& section : document) sections.emplace(UpperCase(section.name), &section.lines);
    return sections;
}

}  // namespace

void WriteJournalSteps(const std::vector<std::string>& undo, const std::vector<RedoStep>& redo,
                       IniDocument& document)
{
    for (std::size_t i = 0; i < undo.size(); ++i) document.push_back(StepSection("Undo" + std::to_string(i + 1), undo[i]));
    for (std::size_t i = 0; i < redo.size(); ++i) {
        IniDocumentSection section = StepSection("Redo" + std::to_string(i + 1), redo[i].Records);
        Add(section, "Views", std::to_string(redo[i].Views.size()));
        for (std::size_t position = 0; position < redo[i].Views.size(); ++position)
            if (redo[i].Views[position] != PlainView)
                Add(section, "V" + std::to_string(position), ViewText(redo[i].Views[position]));
        document.push_back(std::move(section));
    }
}

bool ReadJournalSteps(const IniDocument& document, int undoCount, int redoCount, std::vector<std::string>& undo,
                      std::vector<RedoStep>& redo)
{
    const auto sections = ByName(document);
    undo.assign(static_cast<std::size_t>(std::max(undoCount, 0)), "");
    redo.assign(static_cast<std::size_t>(std::max(redoCount, 0)), {});
    for (int i = 1; i <= undoCount; ++i) {
        const IniSection* section = StepOf(sections, "Undo" + std::to_string(i));
        if (!section || !ReadStep(*section, undo[static_cast<std::size_t>(i - 1)], nullptr)) return false;
    }
    for (int i = 1; i <= redoCount; ++i) {
        RedoStep& step = redo[static_cast<std::size_t>(i - 1)];
        const IniSection* section = StepOf(sections, "Redo" + std::to_string(i));
        if (!section || !ReadStep(*section, step.Records, &step.Views)) return false;
    }
    return true;
}

std::string FormatHandFile(const KeptHand& hand)
{
    IniDocument document;
    IniDocumentSection game{"Game", {}};
    Add(game, "Name", hand.Game);
    Add(game, "Definition", hand.Definition);
    document.push_back(std::move(game));
    if (hand.HasHand) {
        IniDocumentSection counters{"Hand", {}};
        Add(counters, "Score", std::to_string(hand.Score));
        Add(counters, "StreakCount", std::to_string(hand.StreakCount));
        Add(counters, "StreakBonus", std::to_string(hand.StreakBonus));
        Add(counters, "OneTimeMove", std::to_string(hand.OneTimeMove));
        Add(counters, "RedealsLeft", std::to_string(hand.RedealsLeft));
        Add(counters, "HandPlayed", hand.HandPlayed ? "1" : "0");
        std::string deck;
        for (int position = 1; position <= CardCount; ++position)
            deck += (position > 1 ? " " : "") + std::to_string(hand.Deck[static_cast<std::size_t>(position)]);
        Add(counters, "Deck", deck);
        if (hand.DealNumber) Add(counters, "DealNumber", std::to_string(*hand.DealNumber));
        Add(counters, "UndoSteps", std::to_string(hand.UndoSteps.size()));
        Add(counters, "RedoSteps", std::to_string(hand.RedoSteps.size()));
        document.push_back(std::move(counters));
        IniDocumentSection piles{"Piles", {}};
        IniDocumentSection hints{"Hints", {}};
        for (const KeptPile& pile : hand.Piles) {
            Add(piles, std::to_string(pile.Position), PileText(pile));
            if (!pile.Hint.empty() || pile.ShowHint)
                Add(hints, std::to_string(pile.Position),
                    std::string(pile.ShowHint ? "1" : "0") + (pile.Hint.empty() ? "" : " " + pile.Hint));
        }
        document.push_back(std::move(piles));
        document.push_back(std::move(hints));
        WriteJournalSteps(hand.UndoSteps, hand.RedoSteps, document);
    }
    const std::string body = FormatIniText(document);
    return body + FormatIniText({{"Check", {{"Sum", TextIdentity(body), 0}}}});
}

std::optional<KeptHand> ParseHandFile(const std::string& text)
{
    IniDocument document = ParseIniText(text);
    // Only the writer's own text is trusted: read back, it must format to
    // the very same bytes, and its sum must match the rest.
    if (document.empty() || FormatIniText(document) != text) return std::nullopt;
    const IniDocumentSection check = document.back();
    document.pop_back();
    if (!SameText(check.name, "Check") || LookUp(check.lines, "Sum") != TextIdentity(FormatIniText(document)))
        return std::nullopt;
    const auto sections = ByName(document);
    if (sections.size() != document.size()) return std::nullopt;  // a section name repeated
    const IniSection* game = Find(sections, "Game");
    if (!game) return std::nullopt;
    KeptHand hand;
    hand.Game = LookUp(*game, "Name");
    hand.Definition = LookUp(*game, "Definition");
    if (hand.Game.empty()) return std::nullopt;
    const IniSection* counters = Find(sections, "Hand");
    if (!counters) return hand;
    try {
        auto number = [&](const char* key) { return StrToInt(LookUp(*counters, key)); };
        hand.HasHand = true;
        hand.Score = number("Score");
        hand.StreakCount = number("StreakCount");
        hand.StreakBonus = number("StreakBonus");
        hand.OneTimeMove = number("OneTimeMove");
        hand.RedealsLeft = number("RedealsLeft");
        hand.HandPlayed = number("HandPlayed") != 0;
        const std::vector<std::string> deck = Words(LookUp(*counters, "Deck"));
        if (deck.size() != static_cast<std::size_t>(CardCount)) return std::nullopt;
        for (int position = 1; position <= CardCount; ++position)
            hand.Deck[static_cast<std::size_t>(position)] = StrToInt(deck[static_cast<std::size_t>(position - 1)]);
        // A file from before deal numbers were kept has none.
        if (const std::string number = LookUp(*counters, "DealNumber"); !number.empty()) {
            hand.DealNumber = ParseDealNumber(number);
            if (!hand.DealNumber) return std::nullopt;
        }
        const int undo = number("UndoSteps");
        const int redo = number("RedoSteps");
        if (undo < 0 || redo < 0 || undo + redo > static_cast<int>(document.size())) return std::nullopt;
        const IniSection* piles = Find(sections, "Piles");
        if (!piles) return std::nullopt;
        for (const IniLine& line : *piles) {
            std::optional<KeptPile> pile = ParsePile(line);
            if (!pile) return std::nullopt;
            hand.Piles.push_back(std::move(*pile));
        }
        const IniSection* hints = Find(sections, "Hints");
        if (!hints) return std::nullopt;
        for (const IniLine& line : *hints) {
            const int position = StrToInt(line.key);
            const auto pile = std::find_if(hand.Piles.begin(), hand.Piles.end(),
                                           [&](const KeptPile& p) { return p.Position == position; });
            if (pile == hand.Piles.end() || (line.value[0] != '0' && line.value[0] != '1')) return std::nullopt;
            if (line.value.size() > 1 && line.value[1] != ' ') return std::nullopt;
            pile->ShowHint = line.value[0] == '1';
            pile->Hint = line.value.size() > 2 ? line.value.substr(2) : "";
        }
        if (!ReadJournalSteps(document, undo, redo, hand.UndoSteps, hand.RedoSteps)) return std::nullopt;
    } catch (const VexaError&) {
        return std::nullopt;
    }
    return hand;
}

}  // namespace vexa
