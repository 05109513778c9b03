// The solver leaves moves out where it can show that a winning line never
// needs them (safe foundation moves, talon cards played only when a card
// goes on them, stock cycles, interchangeable piles). These tests check
// those shortcuts against a plain search of every click on small Klondike
// endgames, on Gypsy-like ones whose stock deals rows onto the columns and
// on Strategy-like ones whose reserves one stock feeds and give cards only
// to the foundations (with stocks dealt once also under the several
// orderings the solver then searches with):
// whatever the plain search can win, the solver must win, and whatever it
// proves lost, the solver must not win.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <unordered_set>
#include <vector>

#include "rules/ClickDispatch.h"
#include "rules/MoveRules.h"
#include "rules/Solver.h"
#include "support/SolverTable.h"
#include "table/PileLayout.h"

namespace vexa {
namespace {

using test::DrawOneStock;
using test::Foundation;
using test::PileSpec;
using test::SolverTable;
using test::Suit;
using test::Waste;

// Klondike columns: any face-up run lifts, build down in alternating
// colours, only a king (with its run) into an empty column.
const PileSpec KlondikeColumn{2, 3, 109, 208, 401, 0, {0, 120, 71, 400}};

// Gypsy-like columns and stock: runs in alternating colours lift, a run or
// a card goes into an empty column, and the stock deals a row, one card
// onto every column.
const PileSpec GypsyColumn{2, 3, 109, 207, 401, 0, {0, 120, 71, 400}};
const PileSpec RowStock{0, 92, 0, 0, 402, 2, {0, 0, 71, 96}};

// Strategy-like piles: a stock whose top card goes to any reserve pile (and
// only from there), reserves that give their top card to the foundations,
// which take cards beyond the aces only once the stock is used up.
const PileSpec DealingStock{0, 1, 0, 0, 402, 2, {0, 0, 71, 96}};
const PileSpec Reserve{2, 1, 113, 214, 401, 0, {0, 120, 71, 400}};
const PileSpec StockFirstFoundation{3, 0, 110, 203, 402, 2};

const char Suits[] = {'S', 'H', 'C', 'D'};

// A table without autoplay whose stock turns over without end.
class Endgame : public SolverTable {
public:
    Endgame()
    {
        session.Settings.Autoplay = false;
        session.Menu.Autoplay = false;
        session.RedealsLeft = 9999;
    }
};

// Every pile's cards and faces (not the redeals left, which never run out).
std::string Key(const Session& session)
{
    std::string key;
    const Table& table = session.Board;
    for (int position = 0; position < table.ControlCount(); ++position)
        if (const Pile* pile = table.PileAt(position); pile && pile != &table.DragPile()) {
            for (const Card* card : pile->Cards())
                key += static_cast<char>(card->Index() * 2 + (card->Face.State() == ctBack ? 1 : 0));
            key += '|';
        }
    return key;
}

struct Placement {
    std::vector<std::pair<Pile*, std::vector<std::pair<int, CardState>>>> piles;
    int redeals = 0;
};

Placement Take(Session& session)
{
    Placement placement;
    Table& table = session.Board;
    for (int position = 0; position < table.ControlCount(); ++position)
        if (Pile* pile = table.PileAt(position); pile && pile != &table.DragPile()) {
            std::vector<std::pair<int, CardState>> cards;
            for (const Card* card : pile->Cards()) cards.emplace_back(card->Index(), card->Face.State());
            placement.piles.emplace_back(pile, cards);
        }
    placement.redeals = session.RedealsLeft;
    return placement;
}

void PutBack(Session& session, const Placement& placement)
{
    Table& table = session.Board;
    session.Carrying = false;
    session.OriginPile = nullptr;
    while (table.DragPile().Count() > 0) table.MoveCard(*table.DragPile().Top(), table.Store());
    for (const auto& [pile, cards] : placement.piles)
        while (pile->Count() > 0) table.MoveCard(*pile->Top(), table.Store());
    for (const auto& [pile, cards] : placement.piles) {
        for (const auto& [index, state] : cards) {
            Card& card = table.CardAt(index);
            card.Face.SetState(state);
            table.MoveCard(card, *pile);
        }
        LayOutPile(*pile);
    }
    session.RedealsLeft = placement.redeals;
}

// Every position reachable by clicks, depth first; true when one wins.
// Gives up (and says so) past a number of positions.
struct FullSearch {
    std::unordered_set<std::string> seen;
    std::size_t limit = 400000;
    bool gaveUp = false;

    bool Won(Endgame& t)
    {
        if (!t.ui.victories.empty()) return true;
        if (seen.size() >= limit) {
            gaveUp = true;
            return false;
        }
        if (!seen.insert(Key(t.session)).second) return false;
        Session& s = t.session;
        const Placement here = Take(s);
        std::vector<Control*> clicks;
        for (const auto& [pile, cards] : here.piles) {
            clicks.push_back(pile);
            for (Card* card : pile->Cards()) clicks.push_back(card);
        }
        for (Control* first : clicks) {
            const bool isCard = first->Type() == ControlType::Card;
            if (isCard ? !CanClickCard(s, *static_cast<Card*>(first))
                       : !CanClickPileArea(s, *static_cast<Pile*>(first)))
                continue;
            DispatchClick(s, first);
            if (!s.Carrying) {
                if (Won(t)) return true;
                PutBack(s, here);
                continue;
            }
            PutBack(s, here);
            for (const auto& [target, cards] : here.piles) {
                DispatchClick(s, first);
                if (!s.Carrying) break;
                Control* second = target->Count() > 0 ? static_cast<Control*>(target->Top()) : target;
                const bool can = second == target ? CanClickPileArea(s, *target)
                                                  : CanClickCard(s, *static_cast<Card*>(second));
                if (target != s.OriginPile && can && CanDrop(s, *target, s.Board.DragPile(), 0)) {
                    DispatchClick(s, second);
                    if (!s.Carrying && Won(t)) return true;
                }
                PutBack(s, here);
            }
        }
        return false;
    }
};

TEST(SolverAgainstFullSearch, TalonCardsPlayedInAChainOnEachOther)
{
    // The six of spades must leave the five of spades: only onto the seven
    // of hearts from the stock, which goes only onto the eight of spades
    // from the stock, which goes only onto the nine of hearts.
    Endgame t;
    t.Foundations(4, 5);
    t.Place("ST", DrawOneStock, "7S* 7H* JH* 8S* 6H* 10S* 8H* QS* JS* 9S* KH* QH* KS* 10H*");
    t.Place("W", Waste);
    t.Place("T1", KlondikeColumn, "5S 6S");
    t.Place("T2", KlondikeColumn, "9H");
    SolverBudget budget;
    budget.MaxStates = 200000;
    const SolveAnswer answer = SolvePosition(t.session, budget);
    ASSERT_EQ(answer.Outcome, SolveOutcome::Won);
    FullSearch full;
    EXPECT_TRUE(full.Won(t));
}

TEST(SolverAgainstFullSearch, AgreesOnRandomEndgames)
{
    // Each endgame: the foundations built up to random heights, the other
    // cards dealt at random to the stock and three columns, most of them
    // face down. Some are won, some lost.
    int won = 0, lost = 0, compared = 0;
    for (unsigned seed = 1; seed <= 120; ++seed) {
        std::mt19937 random(seed);
        std::vector<std::string> rest;
        std::vector<std::string> foundations(4);
        int left = 12 + static_cast<int>(random() % 5);
        std::vector<int> heights{13, 13, 13, 13};
        while (left > 0) {
            const auto suit = static_cast<std::size_t>(random() % 4);
            if (heights[suit] > 1) {
                --heights[suit];
                --left;
            }
        }
        for (std::size_t suit = 0; suit < 4; ++suit) {
            foundations[suit] = Suit(Suits[suit], 1, heights[suit]);
            for (int rank = heights[suit] + 1; rank <= 13; ++rank) rest.push_back(Suit(Suits[suit], rank, rank));
        }
        std::shuffle(rest.begin(), rest.end(), random);
        std::vector<std::string> piles(4);  // the stock, then three columns
        for (std::size_t i = 0; i < rest.size(); ++i) {
            const std::size_t pile = random() % 4;
            piles[pile] += (piles[pile].empty() ? "" : " ") + rest[i];
        }
        Endgame t;
        for (std::size_t suit = 0; suit < 4; ++suit)
            t.Place("F" + std::to_string(suit + 1), Foundation, foundations[suit]);
        std::string stock;
        for (char c : piles[0]) stock += c == ' ' ? std::string("* ") : std::string(1, c);
        t.Place("ST", DrawOneStock, stock.empty() ? "" : stock + "*");
        t.Place("W", Waste);
        for (std::size_t column = 1; column <= 3; ++column) {
            // All but the top card face down, unless the dice say otherwise.
            std::string cards;
            const std::string& dealt = piles[column];
            std::size_t start = 0;
            while (start < dealt.size()) {
                std::size_t end = dealt.find(' ', start);
                if (end == std::string::npos) end = dealt.size();
                const bool top = end == dealt.size();
                cards += (cards.empty() ? "" : " ") + dealt.substr(start, end - start) +
                         (!top && random() % 3 != 0 ? "*" : "");
                start = end + 1;
            }
            t.Place("T" + std::to_string(column), KlondikeColumn, cards);
        }
        SolverBudget budget;
        budget.MaxStates = 300000;
        const SolveAnswer answer = SolvePosition(t.session, budget);
        FullSearch full;
        const bool fullWon = full.Won(t);
        if (full.gaveUp || answer.Outcome == SolveOutcome::Unknown) continue;
        ++compared;
        EXPECT_EQ(answer.Outcome, fullWon ? SolveOutcome::Won : SolveOutcome::Lost) << "seed " << seed;
        (fullWon ? won : lost)++;
    }
    // The sample must hold both kinds of endgame to mean anything.
    EXPECT_GE(compared, 100);
    EXPECT_GE(won, 15);
    EXPECT_GE(lost, 15);
}

// Safe foundation moves where the stock lays a row on the columns: the
// foundations built up to random heights, the other cards dealt at random
// to the stock and three columns, some of them face down. With no redeal
// the stock is dealt once, and the solver searches under its orderings for
// such a stock in turn.
void CompareWithRowStock(int redeals)
{
    int won = 0, lost = 0, compared = 0;
    for (unsigned seed = 1; seed <= 80; ++seed) {
        std::mt19937 random(seed + 1000);
        std::vector<std::string> rest;
        std::vector<int> heights{13, 13, 13, 13};
        for (int left = 11 + static_cast<int>(random() % 4); left > 0;) {
            const auto suit = static_cast<std::size_t>(random() % 4);
            if (heights[suit] > 1) {
                --heights[suit];
                --left;
            }
        }
        Endgame t;
        t.session.RedealsLeft = redeals;
        for (std::size_t suit = 0; suit < 4; ++suit) {
            t.Place("F" + std::to_string(suit + 1), Foundation, Suit(Suits[suit], 1, heights[suit]));
            for (int rank = heights[suit] + 1; rank <= 13; ++rank) rest.push_back(Suit(Suits[suit], rank, rank));
        }
        std::shuffle(rest.begin(), rest.end(), random);
        // A row or two in the stock, the rest on the columns.
        const std::size_t inStock = 3 * (1 + random() % 2);
        std::string stock;
        for (std::size_t i = 0; i < inStock; ++i) stock += (stock.empty() ? "" : " ") + rest[i] + "*";
        t.Place("ST", RowStock, stock);
        std::vector<std::string> columns(3);
        for (std::size_t i = inStock; i < rest.size(); ++i) {
            std::string& column = columns[random() % 3];
            const bool last = i + 1 == rest.size();
            column += (column.empty() ? "" : " ") + rest[i] + (!last && random() % 2 ? "*" : "");
        }
        for (std::size_t column = 0; column < 3; ++column) {
            // The top card of every column lies face up.
            std::string cards = columns[column];
            if (!cards.empty() && cards.back() == '*') cards.pop_back();
            t.Place("T" + std::to_string(column + 1), GypsyColumn, cards);
        }
        SolverBudget budget;
        budget.MaxStates = 300000;
        const SolveAnswer answer = SolvePosition(t.session, budget);
        if (answer.Outcome == SolveOutcome::Won) {
            // The line replays to the victory.
            const Placement start = Take(t.session);
            t.Play(answer.Moves);
            EXPECT_FALSE(t.ui.victories.empty()) << "seed " << seed;
            t.ui.victories.clear();
            PutBack(t.session, start);
        }
        FullSearch full;
        const bool fullWon = full.Won(t);
        if (full.gaveUp || answer.Outcome == SolveOutcome::Unknown) continue;
        ++compared;
        EXPECT_EQ(answer.Outcome, fullWon ? SolveOutcome::Won : SolveOutcome::Lost) << "seed " << seed;
        (fullWon ? won : lost)++;
    }
    EXPECT_GE(compared, 60);
    EXPECT_GE(won, 10);
    EXPECT_GE(lost, 10);
}

TEST(SolverAgainstFullSearch, AgreesOnRandomEndgamesWithAStockThatDealsRows) { CompareWithRowStock(9999); }

TEST(SolverAgainstFullSearch, AgreesOnRandomEndgamesWithAStockThatDealsRowsOnce) { CompareWithRowStock(0); }

// Reserves that only the one stock before them feeds are interchangeable:
// the foundations built up to random heights, the other cards in the stock,
// face down under its top card, some already on the reserves.
void CompareWithReserves(int redeals)
{
    int won = 0, lost = 0, compared = 0;
    for (unsigned seed = 1; seed <= 100; ++seed) {
        std::mt19937 random(seed + 2000);
        std::vector<std::string> rest;
        std::vector<int> heights{13, 13, 13, 13};
        for (int left = 5 + static_cast<int>(random() % 3); left > 0;) {
            const auto suit = static_cast<std::size_t>(random() % 4);
            if (heights[suit] > 0) {
                --heights[suit];
                --left;
            }
        }
        std::vector<std::string> reserves(2);
        for (std::size_t suit = 0; suit < 4; ++suit)
            for (int rank = heights[suit] + 1; rank <= 13; ++rank) rest.push_back(Suit(Suits[suit], rank, rank));
        std::shuffle(rest.begin(), rest.end(), random);
        std::string stock;
        for (std::size_t i = 0; i < rest.size(); ++i) {
            if (random() % 4 == 0) {
                std::string& reserve = reserves[random() % 2];
                reserve += (reserve.empty() ? "" : " ") + rest[i];
            } else {
                stock += (stock.empty() ? "" : " ") + rest[i] + "*";
            }
        }
        if (!stock.empty()) stock.pop_back();  // the top card lies face up
        Endgame t;
        t.session.RedealsLeft = redeals;
        t.Place("ST", DealingStock, stock);
        for (std::size_t suit = 0; suit < 4; ++suit)
            t.Place("F" + std::to_string(suit + 1), StockFirstFoundation,
                    heights[suit] > 0 ? Suit(Suits[suit], 1, heights[suit]) : "");
        for (std::size_t reserve = 0; reserve < 2; ++reserve)
            t.Place("R" + std::to_string(reserve + 1), Reserve, reserves[reserve]);
        SolverBudget budget;
        budget.MaxStates = 300000;
        const SolveAnswer answer = SolvePosition(t.session, budget);
        FullSearch full;
        const bool fullWon = full.Won(t);
        if (full.gaveUp || answer.Outcome == SolveOutcome::Unknown) continue;
        ++compared;
        EXPECT_EQ(answer.Outcome, fullWon ? SolveOutcome::Won : SolveOutcome::Lost) << "seed " << seed;
        (fullWon ? won : lost)++;
    }
    EXPECT_GE(compared, 50) << "redeals " << redeals;
    EXPECT_GE(won, 10);
    EXPECT_GE(lost, 10);
}

// Reserves that give cards only to the foundations: a cycle of cards each
// needing the next to reach a foundation first proves the hand lost at
// once, while the same cards are won where an empty reserve takes a card
// from another one, and where no cycle exists.
TEST(SolverAgainstFullSearch, LockedReservesProveALossAtOnce)
{
    const PileSpec OpenReserve{2, 1, 113, 201, 401, 0, {0, 120, 71, 400}};
    struct Case {
        const char* what;
        PileSpec reserve;
        const char* stock;
        std::vector<std::string> reserves;
        SolveOutcome outcome;
    };
    const std::vector<Case> cases{
        {"a cycle across two reserves", Reserve, "KS* KH", {"JH QS", "JS QH", ""}, SolveOutcome::Lost},
        {"a higher card of a suit above a lower one", Reserve, "", {"JS QS", "JH QH", "KS KH"}, SolveOutcome::Lost},
        {"no cycle", Reserve, "KS* KH", {"QS JS", "QH JH", ""}, SolveOutcome::Won},
        {"a cycle an empty reserve breaks", OpenReserve, "", {"JH QS", "JS QH", "", "KS KH"}, SolveOutcome::Won},
    };
    for (const Case& c : cases) {
        Endgame t;
        t.session.RedealsLeft = 0;
        t.Place("ST", DealingStock, c.stock);
        t.Place("F1", StockFirstFoundation, Suit('C', 1, 13));
        t.Place("F2", StockFirstFoundation, Suit('D', 1, 13));
        t.Place("F3", StockFirstFoundation, Suit('S', 1, 10));
        t.Place("F4", StockFirstFoundation, Suit('H', 1, 10));
        for (std::size_t r = 0; r < c.reserves.size(); ++r)
            t.Place("R" + std::to_string(r + 1), c.reserve, c.reserves[r]);
        SolverBudget budget;
        budget.MaxStates = 100000;
        const SolveAnswer answer = SolvePosition(t.session, budget);
        EXPECT_EQ(answer.Outcome, c.outcome) << c.what;
        // A lost position is known lost before any move is searched.
        if (c.outcome == SolveOutcome::Lost) {
            EXPECT_EQ(answer.States, 1) << c.what;
        }
        FullSearch full;
        EXPECT_EQ(full.Won(t), c.outcome == SolveOutcome::Won) << c.what;
        EXPECT_FALSE(full.gaveUp) << c.what;
    }
}

// With two decks a card waits for either copy of the card one rank lower:
// two pairs of spades locked crosswise are lost, while one jack free breaks
// the wait for both queens. The other suits lie complete; each deck's
// spades lie on a foundation up to the ten, the kings on a reserve.
TEST(SolverAgainstFullSearch, LockedReservesWithTwoDecks)
{
    const int JS = 50, QS = 51, KS = 52, Second = 52;  // a card's index; the second deck's is Second more
    struct Case {
        const char* what;
        std::vector<std::vector<int>> reserves;  // bottom card first
        SolveOutcome outcome;
    };
    const std::vector<Case> cases{
        {"each jack under the other queen", {{JS, QS + Second}, {JS + Second, QS}, {KS, KS + Second}}, SolveOutcome::Lost},
        {"one jack free", {{JS, QS + Second}, {JS + Second}, {QS}, {KS, KS + Second}}, SolveOutcome::Won},
    };
    for (const Case& c : cases) {
        Endgame t;
        t.session.RedealsLeft = 0;
        t.session.Settings.Decks = 2;
        Table& board = t.session.Board;
        auto put = [&board](Pile& pile, const std::vector<int>& cards) {
            for (const int index : cards) {
                Card& card = board.CardAt(index);
                board.MoveCard(card, pile);
                card.Face.SetState(ctFront);
                card.Visible = true;
            }
            LayOutPile(pile);
        };
        t.Place("ST", DealingStock);
        for (int deck = 0; deck < 2; ++deck)
            for (int suit = 0; suit < 4; ++suit) {
                std::vector<int> cards;
                for (int rank = 1; rank <= (suit == 3 ? 10 : 13); ++rank) cards.push_back(deck * Second + suit * 13 + rank);
                put(t.Place("F" + std::to_string(deck * 4 + suit + 1), StockFirstFoundation), cards);
            }
        for (std::size_t r = 0; r < c.reserves.size(); ++r) put(t.Place("R" + std::to_string(r + 1), Reserve), c.reserves[r]);
        SolverBudget budget;
        budget.MaxStates = 100000;
        const SolveAnswer answer = SolvePosition(t.session, budget);
        EXPECT_EQ(answer.Outcome, c.outcome) << c.what;
        if (c.outcome == SolveOutcome::Lost) {
            EXPECT_EQ(answer.States, 1) << c.what;
        }
        FullSearch full;
        EXPECT_EQ(full.Won(t), c.outcome == SolveOutcome::Won) << c.what;
        EXPECT_FALSE(full.gaveUp) << c.what;
    }
}

TEST(SolverAgainstFullSearch, AgreesOnRandomEndgamesWithReservesOneStockGoverns) { CompareWithReserves(9999); }

TEST(SolverAgainstFullSearch, AgreesOnRandomEndgamesWithReservesOneStockGovernsDealtOnce) { CompareWithReserves(0); }

// A foundation that takes a card one rank above or below its top card
// (Black Hole, Golf) holds its cards in whatever order they came: the
// solver keys positions that differ only in the order below the top card
// alike. Random endgames: a chain of cards each one rank from the last,
// laid on four piles so that it can be played off (sometimes two of its
// cards swapped, or a card from outside it laid under it, which may lose
// the hand), sometimes a stock whose cards go
// straight onto the foundation, and the rest on the foundation in a random
// order under the card the chain starts from.
TEST(SolverAgainstFullSearch, AgreesOnRandomEndgamesWithAFoundationInAnyOrder)
{
    const PileSpec UpOrDown{3, 0, 117, 0, 402, 2};
    const PileSpec Heap{2, 1, 0, 0, 401, 0, {0, 120, 71, 400}};
    const PileSpec ToFoundation{0, 94, 0, 0, 402, 2, {0, 0, 71, 96}};
    static const char* const Ranks[] = {"A", "2", "3", "4", "5", "6", "7", "8", "9", "10", "J", "Q", "K"};
    auto name = [](int card) { return std::string(Ranks[card % 13]) + Suits[card / 13]; };
    int won = 0, lost = 0, compared = 0;
    for (unsigned seed = 1; seed <= 80; ++seed) {
        std::mt19937 random(seed + 3000);
        std::vector<int> unused(52);
        for (int card = 0; card < 52; ++card) unused[static_cast<std::size_t>(card)] = card;
        std::shuffle(unused.begin(), unused.end(), random);
        const int top = unused.back();
        unused.pop_back();
        // The chain, while a card of a neighbouring rank is left.
        std::vector<int> chain;
        for (int at = top; chain.size() < 11 + seed % 3;) {
            const int rank = (at % 13 + (random() % 2 ? 1 : 12)) % 13;
            const auto next = std::find_if(unused.begin(), unused.end(), [rank](int card) { return card % 13 == rank; });
            if (next == unused.end()) break;
            at = *next;
            chain.push_back(at);
            unused.erase(next);
        }
        if (seed % 3 == 0) std::swap(chain[random() % chain.size()], chain[random() % chain.size()]);
        const std::size_t inStock = seed % 2 == 0 ? 2 : 0;
        std::string stock;
        for (std::size_t i = 0; i < inStock; ++i) stock += (stock.empty() ? "" : " ") + name(chain[i]) + "*";
        std::vector<std::string> heaps(4);
        // Sometimes a card from outside the chain at the bottom of a heap.
        if (seed % 4 == 1) {
            heaps[random() % 4] = name(unused.back());
            unused.pop_back();
        }
        for (std::size_t i = chain.size(); i-- > inStock;) {
            std::string& heap = heaps[random() % 4];
            heap += (heap.empty() ? "" : " ") + name(chain[i]);
        }
        std::string foundation;
        for (const int card : unused) foundation += name(card) + " ";
        foundation += name(top);
        Endgame t;
        t.session.RedealsLeft = 0;
        if (!stock.empty()) t.Place("ST", ToFoundation, stock);
        t.Place("F", UpOrDown, foundation);
        for (std::size_t h = 0; h < heaps.size(); ++h) t.Place("H" + std::to_string(h + 1), Heap, heaps[h]);
        SolverBudget budget;
        budget.MaxStates = 300000;
        const SolveAnswer answer = SolvePosition(t.session, budget);
        FullSearch full;
        const bool fullWon = full.Won(t);
        if (full.gaveUp || answer.Outcome == SolveOutcome::Unknown) continue;
        ++compared;
        EXPECT_EQ(answer.Outcome, fullWon ? SolveOutcome::Won : SolveOutcome::Lost) << "seed " << seed;
        (fullWon ? won : lost)++;
    }
    EXPECT_GE(compared, 60);
    EXPECT_GE(won, 10);
    EXPECT_GE(lost, 10);
}

}  // namespace
}  // namespace vexa
