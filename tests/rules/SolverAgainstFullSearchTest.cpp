// The solver leaves moves out where it can show that a winning line never
// needs them (safe foundation moves, talon cards played only when a card
// goes on them, talon cards returned, stock cycles, interchangeable piles).
// These tests check those shortcuts against a plain search of every click
// on small Klondike endgames, on Gypsy-like ones whose stock deals rows
// onto the columns and on Strategy-like ones whose reserves one stock feeds (with stocks dealt
// once also under the several orderings the solver then searches with):
// whatever the plain search can win, the solver must win, and whatever it
// proves lost, the solver must not win.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "rules/Solver.h"
#include "support/FullSearch.h"

namespace vexa {
namespace {

using test::DealingStock;
using test::DrawOneStock;
using test::Endgame;
using test::Foundation;
using test::FullSearch;
using test::PileSpec;
using test::Placement;
using test::PutBack;
using test::Reserve;
using test::StockFirstFoundation;
using test::Suit;
using test::Suits;
using test::Take;
using test::Waste;

// Klondike columns: any face-up run lifts, build down in alternating
// colours, only a king (with its run) into an empty column.
const PileSpec KlondikeColumn{2, 3, 109, 208, 401, 0, {0, 120, 71, 400}};

// Gypsy-like columns and stock: runs in alternating colours lift, a run or
// a card goes into an empty column, and the stock deals a row, one card
// onto every column.
const PileSpec GypsyColumn{2, 3, 109, 207, 401, 0, {0, 120, 71, 400}};
const PileSpec RowStock{0, 92, 0, 0, 402, 2, {0, 0, 71, 96}};
// Spider-like columns: build down regardless of suit, lift runs of one
// suit; the staged search between rows runs for these.
const PileSpec SpiderColumn{2, 4, 114, 205, 401, 0, {0, 120, 71, 400}};

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

// Klondike endgames: the foundations built up to random heights, the
// other cards dealt at random to the stock (one share in `stockShares` of
// them) and three columns, all but the top card of a column face down
// unless the dice say otherwise (one in `faceUp`). Some are won, some lost.
void CompareKlondikeEndgames(test::Agreement& sample, int cardsLeft, unsigned stockShares, unsigned faceUp)
{
    for (const unsigned seed : sample.Seeds()) {
        std::mt19937 random(seed);
        std::vector<std::string> rest;
        std::vector<std::string> foundations(4);
        int left = cardsLeft + static_cast<int>(random() % 5);
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
            const std::size_t pick = random() % (stockShares + 3);
            const std::size_t pile = pick < stockShares ? 0 : pick - stockShares + 1;
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
            std::string cards;
            const std::string& dealt = piles[column];
            std::size_t start = 0;
            while (start < dealt.size()) {
                std::size_t end = dealt.find(' ', start);
                if (end == std::string::npos) end = dealt.size();
                const bool top = end == dealt.size();
                cards += (cards.empty() ? "" : " ") + dealt.substr(start, end - start) +
                         (!top && random() % faceUp != 0 ? "*" : "");
                start = end + 1;
            }
            t.Place("T" + std::to_string(column), KlondikeColumn, cards);
        }
        sample.Compare(t, seed);
    }
}

TEST(SolverAgainstFullSearch, AgreesOnRandomEndgames)
{
    test::Agreement sample(120);
    CompareKlondikeEndgames(sample, 12, 1, 3);
    // The sample must hold both kinds of endgame to mean anything.
    sample.ExpectMix(100, 15, 15);
}

TEST(SolverAgainstFullSearch, AgreesOnRandomEndgamesWithMostCardsInTheStock)
{
    // Half the cards in the stock and more of the columns face up: talon
    // cards are played, built on and left bare again, and the positions
    // with them back in the talon are met (the talon returns).
    test::Agreement sample(60);
    CompareKlondikeEndgames(sample, 16, 2, 2);
    sample.ExpectMix(50, 15, 15);
}

// Safe foundation moves where the stock lays a row on the columns: the
// foundations built up to random heights, the other cards dealt at random
// to the stock and three columns, some of them face down. With no redeal
// the stock is dealt once, and the solver searches under its orderings for
// such a stock in turn.
void CompareWithRowStock(int redeals, const PileSpec& columnSpec = GypsyColumn)
{
    test::Agreement sample(80);
    for (const unsigned seed : sample.Seeds()) {
        std::mt19937 random(seed + 1000);
        Endgame t;
        t.session.RedealsLeft = redeals;
        const std::vector<std::string> rest = PlaceFoundationsAtRandom(t, random);
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
            t.Place("T" + std::to_string(column + 1), columnSpec, cards);
        }
        sample.CompareReplaying(t, seed);
    }
    sample.ExpectMix(60, 10, 10);
}

TEST(SolverAgainstFullSearch, AgreesOnRandomEndgamesWithAStockThatDealsRows) { CompareWithRowStock(9999); }

TEST(SolverAgainstFullSearch, AgreesOnRandomEndgamesWithAStockThatDealsRowsOnce) { CompareWithRowStock(0); }

TEST(SolverAgainstFullSearch, AgreesOnRandomEndgamesWithRowsOntoColumnsOfOneSuitRuns)
{
    CompareWithRowStock(0, SpiderColumn);
}

// Reserves that only the one stock before them feeds are interchangeable:
// the foundations built up to random heights, the other cards in the stock,
// face down under its top card, some already on the reserves.
void CompareWithReserves(int redeals)
{
    test::Agreement sample(100);
    for (const unsigned seed : sample.Seeds()) {
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
        sample.Compare(t, seed);
    }
    sample.ExpectMix(50, 10, 10, "redeals " + std::to_string(redeals));
}

TEST(SolverAgainstFullSearch, AgreesOnRandomEndgamesWithReservesOneStockGoverns) { CompareWithReserves(9999); }

TEST(SolverAgainstFullSearch, AgreesOnRandomEndgamesWithReservesOneStockGovernsDealtOnce) { CompareWithReserves(0); }

}  // namespace
}  // namespace vexa
