// Cards that must wait in an empty place: with one suit built up from the
// ace and down from the king, a card whose ranks to wait for, both ways,
// all lie under it in its reserve has to leave for a free place, and a
// position where a reserve needs more of them at once than there are
// places is lost. Checked on a hand-made hand at the edge of the count and
// against the plain search of every click on random endgames of one
// suit, whose cards lie in two reserves with one or two free places.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "rules/Solver.h"
#include "support/FullSearch.h"

namespace vexa {
namespace {

using test::AceFoundation;
using test::Endgame;
using test::KingFoundation;
using test::PileSpec;
using test::Place;

const PileSpec OnceStock{0, 90, 0, 0, 402, 2, {0, 0, 71, 96}};
const PileSpec Reserve{1, 1, 0, 0, 402, 2};

// Every suit home but spades, whose ace foundation holds the first deck's
// ace up to rank up and whose king foundation the second deck's king down
// to rank down; the reserves hold the spades left, bottom first, as
// (rank, deck) pairs; places empty places. With a stock (dealt once onto
// the waste, top last) the places hold a card each, refilled from the
// stock while it lasts.
struct Hand {
    int up, down;
    std::vector<std::pair<int, int>> first, second;
    int places;
    std::vector<std::pair<int, int>> stock, waste, inPlaces;
};

void Deal(Endgame& t, const Hand& hand)
{
    Session& s = t.session;
    s.Settings.Decks = 2;
    s.Settings.Postdrop = 20;
    s.RedealsLeft = 0;
    const auto cards = [](const std::vector<std::pair<int, int>>& ranks) {
        std::vector<int> out;
        for (const auto& [rank, deck] : ranks) out.push_back(test::CardOf(0, rank, deck));
        return out;
    };
    test::PlaceCards(t, t.Place("ST", OnceStock), cards(hand.stock), true);
    test::PlaceCards(t, t.Place("W", Reserve), cards(hand.waste));
    test::PlaceCards(t, t.Place("R1", Reserve), cards(hand.first));
    test::PlaceCards(t, t.Place("R2", Reserve), cards(hand.second));
    for (int p = 0; p < hand.places; ++p) {
        std::vector<int> card;
        if (static_cast<std::size_t>(p) < hand.inPlaces.size())
            card = cards({hand.inPlaces[static_cast<std::size_t>(p)]});
        test::PlaceCards(t, t.Place("T" + std::to_string(p + 1), Place), card);
    }
    for (int suit = 0; suit < 4; ++suit) {
        std::vector<int> up, down;
        for (int rank = 1; rank <= (suit == 0 ? hand.up : 13); ++rank) up.push_back(test::CardOf(suit, rank, 0));
        for (int rank = 13; rank >= (suit == 0 ? hand.down : 1); --rank) down.push_back(test::CardOf(suit, rank, 1));
        test::PlaceCards(t, t.Place("A" + std::to_string(suit + 1), AceFoundation), up);
        test::PlaceCards(t, t.Place("K" + std::to_string(suit + 1), KingFoundation), down);
    }
}

// The spades the second reserve holds in the order the foundations want
// them: the second deck's ranks up to up (which go down last), under the
// first deck's from the king down to down (which go up after the gap).
std::vector<std::pair<int, int>> SinglesInOrder(int up, int down)
{
    std::vector<std::pair<int, int>> cards;
    for (int rank = 1; rank <= up; ++rank) cards.emplace_back(rank, 1);
    for (int rank = 13; rank >= down; --rank) cards.emplace_back(rank, 0);
    return cards;
}

TEST(SolverParkedCards, TwoFoursOverBothThreesAndFivesNeedTwoPlaces)
{
    // The ace foundation stands at the two, the king foundation at the six.
    // Both fours lie on both threes and both fives: each must wait in a
    // place until a five or a three is out, so both at once. With two
    // places the fives go down, a four on them frees a place for the
    // other, and the suit comes home.
    for (const int places : {1, 2}) {
        Endgame t;
        Deal(t, {2, 6, {{3, 0}, {3, 1}, {5, 0}, {5, 1}, {4, 0}, {4, 1}}, SinglesInOrder(2, 6), places, {}, {}, {}});
        SolverBudget budget;
        budget.MaxStates = 20000;
        const SolveAnswer answer = SolvePosition(t.session, budget);
        ASSERT_EQ(answer.Outcome, places == 2 ? SolveOutcome::Won : SolveOutcome::Lost) << places << " places";
        if (places == 1) {
            // Lost without a move: the first four would fill the only place.
            EXPECT_LE(answer.States, 2) << "lost at the start";
            continue;
        }
        t.Play(answer.Moves);
        EXPECT_FALSE(t.ui.victories.empty());
    }
}

TEST(SolverParkedCards, AStockCardWaitsForTheWasteItIsDealtOnto)
{
    // The spades' foundations stand at the two and the six; both threes
    // and both fives lie under a four, and the stock holds the other four,
    // the last card it deals. Two places hold the spade six, which waits
    // for a three, and the king of hearts, whose foundation has the jack.
    // On the waste the stock's four can go nowhere but a place or onto that
    // waste above the first four: with the six, three cards for two places
    // (the queen of hearts tops a reserve). On a reserve the first four
    // waits in a place and the last on the waste, once the queen of hearts
    // has left the waste before it and the king has freed its place: won,
    // but only by a line that plays the queen while the stock holds the four.
    for (const bool onWaste : {true, false}) {
        Endgame t;
        Session& s = t.session;
        s.Settings.Decks = 2;
        s.Settings.Postdrop = 20;
        s.RedealsLeft = 0;
        const auto spades = [](const std::vector<std::pair<int, int>>& ranks) {
            std::vector<int> out;
            for (const auto& [rank, deck] : ranks) out.push_back(test::CardOf(0, rank, deck));
            return out;
        };
        const std::vector<int> buried = spades({{3, 0}, {3, 1}, {5, 0}, {5, 1}, {4, 0}});
        test::PlaceCards(t, t.Place("ST", OnceStock), spades({{4, 1}}), true);
        const std::vector<int> queen{test::CardOf(1, 12, 0)};
        test::PlaceCards(t, t.Place("W", Reserve), onWaste ? buried : queen);
        test::PlaceCards(t, t.Place("R1", Reserve), onWaste ? queen : buried);
        test::PlaceCards(t, t.Place("R2", Reserve), spades({{1, 1}, {2, 1}, {13, 0}, {12, 0}, {11, 0}, {10, 0}, {9, 0}, {8, 0}, {7, 0}}));
        test::PlaceCards(t, t.Place("T1", Place), spades({{6, 0}}));
        test::PlaceCards(t, t.Place("T2", Place), {test::CardOf(1, 13, 0)});
        for (int suit = 0; suit < 4; ++suit) {
            std::vector<int> up, down;
            const int top = suit == 0 ? 2 : suit == 1 ? 11 : 13;
            for (int rank = 1; rank <= top; ++rank) up.push_back(test::CardOf(suit, rank, 0));
            for (int rank = 13; rank >= (suit == 0 ? 6 : 1); --rank) down.push_back(test::CardOf(suit, rank, 1));
            test::PlaceCards(t, t.Place("A" + std::to_string(suit + 1), AceFoundation), up);
            test::PlaceCards(t, t.Place("K" + std::to_string(suit + 1), KingFoundation), down);
        }
        SolverBudget budget;
        budget.MaxStates = 20000;
        const SolveAnswer answer = SolvePosition(t.session, budget);
        if (onWaste) {
            EXPECT_EQ(answer.Outcome, SolveOutcome::Lost);
            // Every move keeps the three cards for two places.
            EXPECT_LE(answer.States, 1);
            continue;
        }
        ASSERT_EQ(answer.Outcome, SolveOutcome::Won);
        t.Play(answer.Moves);
        EXPECT_FALSE(t.ui.victories.empty());
    }
}

// One suit with a gap between its foundations: both copies of the ranks in
// it lie shuffled in the first reserve, the single copies mostly in order
// in the second; a few cards change reserves or places.
Hand RandomHand(std::mt19937& random)
{
    Hand hand;
    hand.up = 1 + static_cast<int>(random() % 4);
    hand.down = hand.up + 4 + static_cast<int>(random() % 3);
    for (int rank = hand.up + 1; rank < hand.down; ++rank) {
        hand.first.emplace_back(rank, 0);
        hand.first.emplace_back(rank, 1);
    }
    std::shuffle(hand.first.begin(), hand.first.end(), random);
    hand.second = SinglesInOrder(hand.up, hand.down);
    for (int swaps = static_cast<int>(random() % 3); swaps > 0; --swaps) {
        const std::size_t at = random() % (hand.second.size() - 1);
        std::swap(hand.second[at], hand.second[at + 1]);
    }
    // A few of the gap's cards on top of the second reserve.
    for (int moved = static_cast<int>(random() % 4); moved > 0 && hand.first.size() > 1; --moved) {
        const auto at = hand.first.begin() + static_cast<std::ptrdiff_t>(random() % hand.first.size());
        hand.second.push_back(*at);
        hand.first.erase(at);
    }
    hand.places = 1 + static_cast<int>(random() % 3 / 2);
    return hand;
}

// As above, with a stock of two to four of the gap's cards dealt onto a
// waste that holds up to three more, and the places filled from them.
Hand RandomHandWithStock(std::mt19937& random)
{
    Hand hand = RandomHand(random);
    // A wider gap, in one place.
    for (int rank = hand.down; rank < hand.down + 1 && rank < 13; ++rank) {
        hand.first.emplace_back(rank, 0);
        hand.first.emplace_back(rank, 1);
        hand.second.erase(std::find(hand.second.begin(), hand.second.end(), std::make_pair(rank, 0)));
    }
    hand.down = std::min(hand.down + 1, 13);
    std::shuffle(hand.first.begin(), hand.first.end(), random);
    hand.places = 1;
    auto take = [&](std::vector<std::pair<int, int>>& to, std::size_t n) {
        for (; n > 0 && hand.first.size() > 1; --n) {
            const auto at = hand.first.begin() + static_cast<std::ptrdiff_t>(random() % hand.first.size());
            to.push_back(*at);
            hand.first.erase(at);
        }
    };
    take(hand.waste, 1 + random() % 4);
    take(hand.stock, 2 + random() % 3);
    take(hand.inPlaces, static_cast<std::size_t>(hand.places));
    return hand;
}

TEST(SolverParkedCards, AgreesWithThePlainSearchOnOneSuitsGap)
{
    VEXA_SKIP_TWO_DECK_SAMPLE_UNDER_SANITIZERS();
    test::Agreement sample(40);
    for (const unsigned seed : sample.Seeds()) {
        std::mt19937 random(seed + 11000);
        Endgame t;
        Deal(t, RandomHand(random));
        sample.CompareReplaying(t, seed, "gap");
    }
    sample.ExpectMix(36, 15, 8, "gap");
}

TEST(SolverParkedCards, AgreesWithThePlainSearchWithAStockDealtOnce)
{
    VEXA_SKIP_TWO_DECK_SAMPLE_UNDER_SANITIZERS();
    test::Agreement sample(40);
    for (const unsigned seed : sample.Seeds()) {
        std::mt19937 random(seed + 12000);
        Endgame t;
        Deal(t, RandomHandWithStock(random));
        sample.CompareReplaying(t, seed, "stock");
    }
    sample.ExpectMix(36, 25, 3, "stock");
}

}  // namespace
}  // namespace vexa
