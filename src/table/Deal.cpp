#include "table/Deal.h"

#include <algorithm>
#include <cctype>
#include <limits>

#include "table/PileLayout.h"

namespace vexa {

namespace {
constexpr std::size_t MaxListEntries = 16;

bool Contains(const std::vector<int>& list, int value)
{
    return std::find(list.begin(), list.end(), value) != list.end();
}

void PlaceCard(Table& table, Card& card, Pile& pile, CardState face)
{
    table.MoveCard(card, pile);
    card.Face.SetState(face);
    card.Visible = true;
}

Pile* FirstEmptyFoundation(const Table& table)
{
    for (int position = 0; position < table.ControlCount(); ++position) {
        Pile* pile = table.PileAt(position);
        if (pile && pile->Kind == 3 && pile->Count() == 0) return pile;
    }
    return nullptr;
}
}  // namespace

DeckOrder IdentityDeckOrder()
{
    DeckOrder order{};
    for (int k = 0; k <= CardCount; ++k) order[static_cast<std::size_t>(k)] = k;
    return order;
}

int CardsInPlay(int decks) { return std::clamp(decks, 0, 2) * 52; }

std::vector<int> UsableCardList(const std::vector<int>& entries, int cardsInPlay)
{
    std::vector<int> usable;
    for (int entry : entries) {
        if (usable.size() == MaxListEntries) break;
        if (entry >= 1 && entry <= cardsInPlay && !Contains(usable, entry)) usable.push_back(entry);
    }
    return usable;
}

void Shuffle(DeckOrder& order, const DealRules& rules, Random& random)
{
    const int n = CardsInPlay(rules.Decks);
    const std::vector<int> preplay = UsableCardList(rules.Preplay, n);
    const int p = static_cast<int>(preplay.size());
    order = IdentityDeckOrder();
    for (int j = 1; j <= p; ++j) {
        auto at = std::find(order.begin() + 1, order.end(), preplay[static_cast<std::size_t>(j - 1)]);
        std::swap(order[static_cast<std::size_t>(j)], *at);
    }
    for (int k = p + 1; k <= n; ++k) {
        const int r = random.Draw(n - p);
        std::swap(order[static_cast<std::size_t>(k)], order[static_cast<std::size_t>(p + 1 + r)]);
    }
}

std::optional<std::uint32_t> ParseDealNumber(const std::string& text)
{
    if (text.empty() || text.size() > 10) return std::nullopt;
    std::uint64_t value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + static_cast<std::uint64_t>(c - '0');
    }
    if (value > std::numeric_limits<std::uint32_t>::max()) return std::nullopt;
    return static_cast<std::uint32_t>(value);
}

void DealCards(Table& table, const DeckOrder& order, const DealRules& rules)
{
    const int n = CardsInPlay(rules.Decks);
    const std::vector<int> preplay = UsableCardList(rules.Preplay, n);
    const std::vector<int> extract = UsableCardList(rules.Extract, n);
    int next = static_cast<int>(preplay.size()) + 1;
    std::size_t pre = 0;
    auto deckCard = [&](int position) -> Card& { return table.CardAt(order[static_cast<std::size_t>(position)]); };

    for (int position = 0; position < table.ControlCount(); ++position) {
        Pile* pile = table.PileAt(position);
        if (!pile || pile->DealPattern.empty()) continue;
        for (char c : pile->DealPattern) {
            switch (std::toupper(static_cast<unsigned char>(c))) {
            case 'D':
                if (next <= n) PlaceCard(table, deckCard(next), *pile, ctBack);
                ++next;
                break;
            case 'U':
                // Extract cards met on a tableau go to empty foundations; with
                // no empty foundation left the card is dealt where it is.
                if (!extract.empty() && pile->Kind == 2) {
                    while (next <= n && Contains(extract, order[static_cast<std::size_t>(next)])) {
                        Pile* foundation = FirstEmptyFoundation(table);
                        if (!foundation) break;
                        PlaceCard(table, deckCard(next), *foundation, ctFront);
                        // The foundation may come before this pile or deal
                        // nothing itself: the loop would not lay it out.
                        LayOutPile(*foundation);
                        ++next;
                    }
                }
                if (next <= n) PlaceCard(table, deckCard(next), *pile, ctFront);
                ++next;
                break;
            case 'S':
                // An "S" beyond the Preplay list places nothing.
                if (pre < preplay.size()) PlaceCard(table, table.CardAt(preplay[pre]), *pile, ctFront);
                ++pre;
                break;
            default: break;
            }
        }
        const char last = static_cast<char>(std::toupper(static_cast<unsigned char>(pile->DealPattern.back())));
        if (last == 'U' && pile->Count() > 0 && pile->Top()->Face.State() == ctBack)
            pile->Top()->Face.SetState(ctFront);
        LayOutPile(*pile);
    }
    if (rules.Postdeal == 1) KingsToBottom(table);
}

void KingsToBottom(Table& table)
{
    const KindSpan span = table.KindRange(2);
    if (span.first < 0) return;
    Pile& scratch = table.DragPile();
    for (int position = span.first; position <= span.last; ++position) {
        Pile* pile = table.PileAt(position);
        if (!pile || pile->Kind != 2) continue;
        const int count = pile->Count();
        for (int idx = 1; idx < count; ++idx) {
            Card* king = pile->CardAt(idx);
            if (king->Face.Value() != 13) continue;
            table.MoveCard(*king, scratch);
            while (pile->Count() > 0) table.MoveCard(*pile->CardAt(0), scratch);
            while (scratch.Count() > 0) table.MoveCard(*scratch.CardAt(0), *pile);
        }
        LayOutPile(*pile);
    }
}

}  // namespace vexa
