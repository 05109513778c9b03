// The generator, the shuffle and the deal with its characters, Preplay,
// Extract and Postdeal, including definitions that break the deal's limits.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "support/TestSupport.h"
#include "table/Deal.h"

namespace vexa {
namespace {

TEST(Random, DrawsArePinnedByTheSeed)
{
    Random random(12345);
    std::vector<int> draws;
    for (int i = 0; i < 8; ++i) draws.push_back(random.Draw(52));
    EXPECT_EQ(draws, (std::vector<int>{20, 15, 4, 28, 32, 17, 22, 4}));
    Random zero(0);
    EXPECT_EQ(zero.Draw(100), 0);  // state 1: 1 * 100 >> 32
    EXPECT_EQ(zero.State(), 1u);
    Random big(0xFFFFFFFFu);
    EXPECT_EQ(big.State(), 0xFFFFFFFFu);
    big.Draw(10);
    EXPECT_EQ(big.State(), 0xFFFFFFFFu * 134775813u + 1u);
}

TEST(Shuffle, FreshOneDeckOrderIsPinned)
{
    Random random(12345);
    DeckOrder order{};
    Shuffle(order, DealRules{}, random);
    EXPECT_EQ(std::vector<int>(order.begin() + 1, order.begin() + 13),
              (std::vector<int>{21, 9, 31, 30, 8, 18, 32, 33, 16, 25, 36, 20}));
    std::set<int> dealt(order.begin() + 1, order.begin() + 53);
    EXPECT_EQ(dealt.size(), 52u);
    EXPECT_EQ(*dealt.begin(), 1);
    EXPECT_EQ(*dealt.rbegin(), 52);
    for (int k = 53; k <= 104; ++k) EXPECT_EQ(order[static_cast<std::size_t>(k)], k);
}

TEST(Shuffle, PreplayCardsLeadInListOrderAndTwoDecksUseEveryCard)
{
    Random random(7);
    DeckOrder order{};
    DealRules rules;
    rules.Decks = 2;
    rules.Preplay = {40, 1, 104};
    Shuffle(order, rules, random);
    EXPECT_EQ(order[1], 40);
    EXPECT_EQ(order[2], 1);
    EXPECT_EQ(order[3], 104);
    std::set<int> all(order.begin() + 1, order.end());
    EXPECT_EQ(all.size(), 104u);
}

class DealTable : public ::testing::Test {
protected:
    Pile& MakePile(const char* name, int kind, const std::string& pattern, int style = 401)
    {
        auto pile = std::make_unique<Pile>(name);
        pile->Kind = static_cast<std::uint8_t>(kind);
        pile->DealPattern = pattern;
        pile->LayoutStyle = style;
        pile->Bounds = {0, 0, 71, 400};
        return *table.AddPile(std::move(pile));
    }
    void Deal(const DealRules& rules)
    {
        table.RebuildKindRange();
        DealCards(table, order, rules);
    }
    int CardsOnTable()
    {
        int n = 0;
        for (int p = 0; p < table.ControlCount(); ++p)
            if (Pile* pile = table.PileAt(p)) n += pile->Count();
        return n;
    }
    NullPictureSource pictures;
    Table table{pictures};
    DeckOrder order = IdentityDeckOrder();
};

TEST_F(DealTable, DealCharactersPlaceDownUpAndNothing)
{
    Pile& a = MakePile("A", 2, "DDDU");
    Pile& b = MakePile("B", 2, "DDDD");
    Pile& c = MakePile("C", 2, "x-dU");
    Deal({});
    EXPECT_EQ(test::Describe(a), "AC* 2C* 3C* 4C");
    EXPECT_EQ(test::Describe(b), "5C* 6C* 7C* 8C*");
    EXPECT_EQ(test::Describe(c), "9C* 10C");
    for (const Card* card : a.Cards()) EXPECT_TRUE(card->Visible);
}

TEST_F(DealTable, PatternEndingInUTurnsTheTopCardUpAfterTheDeckRunsOut)
{
    Pile& big = MakePile("A", 2, std::string(51, 'D'));
    Pile& tail = MakePile("B", 2, "DDU");
    Deal({});
    EXPECT_EQ(big.Count(), 51);
    EXPECT_EQ(test::Describe(tail), "KS");  // only one card was left
    EXPECT_EQ(table.Store().Count(), 52);
}

TEST_F(DealTable, PreplayCardsGoWhereTheSCharactersStandAndExtraSPlaceNothing)
{
    DealRules rules;
    rules.Preplay = {1, 15};
    Random random(3);
    Shuffle(order, rules, random);
    Pile& f1 = MakePile("F1", 3, "S");
    Pile& f2 = MakePile("F2", 3, "SS");
    Pile& f3 = MakePile("F3", 3, "S");
    Pile& rest = MakePile("T", 2, std::string(50, 'U'));
    Deal(rules);
    EXPECT_EQ(test::Describe(f1), "AC");
    EXPECT_EQ(test::Describe(f2), "2D");
    EXPECT_EQ(f3.Count(), 0);
    EXPECT_EQ(rest.Count(), 50);
    EXPECT_EQ(CardsOnTable(), 52);
}

TEST_F(DealTable, PreplayEntriesOutsideTheDeckOrRepeatedAreLeftOut)
{
    DealRules rules;
    rules.Preplay = {0, 60, 105, -3, 5, 5, 7};
    const std::vector<int> usable = UsableCardList(rules.Preplay, CardsInPlay(1));
    EXPECT_EQ(usable, (std::vector<int>{5, 7}));
    Random random(99);
    Shuffle(order, rules, random);
    MakePile("S", 3, "SSSS");
    MakePile("T", 2, std::string(60, 'U'));
    Deal(rules);
    // Every card of the deck exactly once, none of the second deck.
    std::set<int> seen;
    for (int p = 0; p < table.ControlCount(); ++p) {
        if (Pile* pile = table.PileAt(p)) {
            for (const Card* card : pile->Cards()) EXPECT_TRUE(seen.insert(card->Index()).second);
        }
    }
    EXPECT_EQ(seen.size(), 52u);
    EXPECT_EQ(*seen.rbegin(), 52);
}

TEST_F(DealTable, ListsKeepAtMostSixteenEntries)
{
    std::vector<int> many;
    for (int i = 1; i <= 20; ++i) many.push_back(i);
    EXPECT_EQ(UsableCardList(many, 52).size(), 16u);
}

TEST_F(DealTable, ExtractCardsMetOnTheTableauGoToEmptyFoundations)
{
    DealRules rules;
    rules.Extract = {2, 3};
    Pile& t1 = MakePile("T1", 2, "U");   // AC
    Pile& t2 = MakePile("T2", 2, "U");   // 2C and 3C diverted, then 4C
    Pile& t3 = MakePile("T3", 2, "DU");  // 5C down, 6C
    Pile& f1 = MakePile("F1", 3, "-", 402);
    Pile& f2 = MakePile("F2", 3, "-", 402);
    Deal(rules);
    EXPECT_EQ(test::Describe(t1), "AC");
    EXPECT_EQ(test::Describe(t2), "4C");
    EXPECT_EQ(test::Describe(t3), "5C* 6C");
    EXPECT_EQ(test::Describe(f1), "2C");
    EXPECT_EQ(test::Describe(f2), "3C");
}

TEST_F(DealTable, DivertedCardsAreLaidOutOnFoundationsBeforeTheTableau)
{
    DealRules rules;
    rules.Extract = {1, 2};
    // Foundations in front of the tableau, as most games write them; one
    // deals nothing at all, so only the diversion can lay it out.
    Pile& f1 = MakePile("F1", 3, "-", 402);
    Pile& f2 = MakePile("F2", 3, "", 402);
    MakePile("T", 2, "UU");
    // Positions left over from a previous hand.
    table.CardAt(1).Bounds = {300, 200, 71, 96};
    table.CardAt(2).Bounds = {0, 150, 71, 96};
    f1.Bounds = f2.Bounds = {0, 0, 71, 96};
    Deal(rules);
    EXPECT_EQ(test::Describe(f1), "AC");
    EXPECT_EQ(test::Describe(f2), "2C");
    EXPECT_EQ(table.CardAt(1).Bounds, (Rect{0, 0, 71, 96}));
    EXPECT_EQ(table.CardAt(2).Bounds, (Rect{0, 0, 71, 96}));
}

TEST_F(DealTable, ExtractCardsDealtDownOrToOtherKindsStay)
{
    DealRules rules;
    rules.Extract = {1, 2};
    Pile& t = MakePile("T", 2, "D");
    Pile& w = MakePile("W", 1, "U");
    Pile& f = MakePile("F", 3, "-");
    Deal(rules);
    EXPECT_EQ(test::Describe(t), "AC*");
    EXPECT_EQ(test::Describe(w), "2C");
    EXPECT_EQ(f.Count(), 0);
}

TEST_F(DealTable, ExtractCardWithNoEmptyFoundationIsDealtWhereItComesUp)
{
    DealRules rules;
    rules.Extract = {1, 2};
    Pile& f = MakePile("F", 3, "-");
    Pile& t = MakePile("T", 2, "UU");
    Deal(rules);
    EXPECT_EQ(test::Describe(f), "AC");
    EXPECT_EQ(test::Describe(t), "2C 3C");
    EXPECT_EQ(CardsOnTable(), 3);
}

TEST_F(DealTable, ExtractNeverReachesBeyondTheCardsInPlay)
{
    DealRules rules;
    rules.Extract = {53, 60};  // second-deck cards in a one-deck game
    MakePile("F1", 3, "-");
    Pile& t = MakePile("T", 2, std::string(60, 'U'));
    Deal(rules);
    EXPECT_EQ(t.Count(), 52);
    EXPECT_EQ(table.Store().Count(), 52);
}

TEST_F(DealTable, KingsMoveToTheBottomInReverseOrderOfFinding)
{
    // Bottom to top: 5C KC 6C KD 7C becomes KD KC 5C 6C 7C.
    order = IdentityDeckOrder();
    order[1] = 5;
    order[2] = 13;
    order[3] = 6;
    order[4] = 26;
    order[5] = 7;
    Pile& t = MakePile("T", 2, "UUUUU");
    DealRules rules;
    rules.Postdeal = 1;
    Deal(rules);
    EXPECT_EQ(test::Describe(t), "KD KC 5C 6C 7C");
    EXPECT_EQ(table.DragPile().Count(), 0);
}

TEST_F(DealTable, KingAlreadyAtTheBottomStaysAndFacesAreKept)
{
    order = IdentityDeckOrder();
    order[1] = 13;
    order[2] = 4;
    order[3] = 39;
    Pile& t = MakePile("T", 2, "UDU");
    DealRules rules;
    rules.Postdeal = 1;
    Deal(rules);
    EXPECT_EQ(test::Describe(t), "KH KC 4C*");
}

TEST_F(DealTable, DealingAgainFromTheKeptOrderGivesTheSameHand)
{
    DealRules rules;
    Random random(4242);
    Shuffle(order, rules, random);
    MakePile("A", 2, "DDDU");
    MakePile("B", 0, std::string(48, 'D'));
    Deal(rules);
    std::vector<std::string> first;
    for (int p = 0; p < table.ControlCount(); ++p)
        if (Pile* pile = table.PileAt(p)) first.push_back(test::Describe(*pile));
    for (int i = 1; i <= CardCount; ++i) table.MoveCard(table.CardAt(i), table.Store());
    Deal(rules);
    std::vector<std::string> second;
    for (int p = 0; p < table.ControlCount(); ++p)
        if (Pile* pile = table.PileAt(p)) second.push_back(test::Describe(*pile));
    EXPECT_EQ(first, second);
}

}  // namespace
}  // namespace vexa
