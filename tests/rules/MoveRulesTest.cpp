// Move legality: every DropRule and EmptyDropRule code on small tables, the
// origin shortcut, and the rules that read the origin pile, the preceding
// control or TableOrder.
#include <gtest/gtest.h>

#include "rules/MoveRules.h"
#include "support/PlayTable.h"

namespace vexa {
namespace {

using test::PileSpec;

struct Case {
    int code;
    const char* target;  // cards on the target, bottom first ("" = empty)
    const char* moved;   // the cards offered, lowest first
    bool accepts;
};

// Offers the moved cards (carried in the DragPile) to a target whose DropRule
// or EmptyDropRule is the code.
bool Offer(const Case& c, int cardLimit = 0)
{
    test::PlayTable t;
    PileSpec shape;
    shape.drop = c.code;
    shape.emptyDrop = c.code;
    shape.cardLimit = cardLimit;
    Pile& target = t.Add("T", shape, c.target);
    t.Put(t.Drag(), c.moved);
    return CanDrop(t.session, target, t.Drag(), 0);
}

TEST(DropRules, EveryCodeOnAPileThatHoldsCards)
{
    const Case cases[] = {
        {101, "5C", "6H", true},     {101, "KC", "AH", true},     {101, "5C", "6H 5S", false},
        {101, "5C", "7H", false},    {102, "8S", "7S", true},     {102, "8S", "7H", false},
        {103, "8S", "7H", true},     {103, "8S", "7C", false},    {103, "8S", "7H 6S", false},
        {104, "5C", "7D", true},     {104, "QC", "AD", true},     {104, "KC", "2D", true},
        {104, "5C", "6D", false},    {105, "5C", "8D", true},     {105, "JC", "AD", true},
        {105, "KC", "3D", false},    {106, "5H", "6H", true},     {106, "KH", "AH", true},
        {106, "5H", "6C", false},    {107, "8H", "7H 6H", true},  {107, "8H", "7C", false},
        {108, "5C", "9D", true},     {108, "10C", "AD", true},    {108, "5C", "8D", false},
        {109, "8S", "7H 6S", true},  {109, "8S", "7C", false},    {112, "5C", "6D", true},
        {112, "5C", "4D", true},     {112, "KC", "QD", false},    {112, "AC", "KD", false},
        {114, "8S", "7S 6H", true},  {114, "8S", "9S", false},    {115, "KC", "AH", true},
        {115, "5C", "6H 7H", false}, {117, "AC", "KD", true},     {117, "KC", "AD", true},
        {117, "5C", "7D", false},    {118, "6C", "8D 2S", true},  {118, "6C", "7D", false},
        {119, "8S", "7H", true},     {119, "AS", "KH", true},     {119, "AS", "KS", false},
        {120, "2H", "9H 3C", true},  {120, "2H", "9C", false},    {122, "8H", "7H", true},
        {122, "8H", "8C 2D", true},  {122, "8H", "7C", false},    {123, "AH 2H", "3H", true},
        {123, "KH QH", "JH", true},  {123, "AH 2H", "AH", false}, {123, "5H 6H", "7H", false},
        {0, "5C", "6H", false},      {199, "5C", "6H", false},
    };
    for (const Case& c : cases) EXPECT_EQ(Offer(c), c.accepts) << c.code << ": " << c.moved << " on " << c.target;
}

TEST(DropRules, PileSizeLimits)
{
    // 101, 104, 106, 108 and 115 stop at thirteen cards; 105 only refuses a King.
    const char* twelve = "AC 2D 3C 4D 5C 6D 7C 8D 9C 10D JC QH";
    const char* thirteen = "AC 2D 3C 4D 5C 6D 7C 8D 9C 10D JC QH KH";
    EXPECT_TRUE(Offer({101, twelve, "KS", true}));
    EXPECT_FALSE(Offer({101, thirteen, "AS", true}));
    EXPECT_FALSE(Offer({115, thirteen, "AS", true}));
    EXPECT_FALSE(Offer({106, thirteen, "AH", true}));
    EXPECT_FALSE(Offer({104, thirteen, "2S", true}));
    EXPECT_FALSE(Offer({108, thirteen, "4S", true}));
    EXPECT_FALSE(Offer({105, thirteen, "AS", true}));  // nothing goes on a King
    EXPECT_TRUE(Offer({105, "AC 2D 3C 4D 5C 6D 7C 8D 9C 10D JC QH KH 2C", "5S", true}));
    // 124: fewer than CardLimit cards, single, ranks one apart without wrap.
    EXPECT_TRUE(Offer({124, "5C 6D", "7H", true}, 3));
    EXPECT_FALSE(Offer({124, "5C 6D 7C", "8H", true}, 3));
    EXPECT_FALSE(Offer({124, "KC", "AH", true}, 3));
}

TEST(DropRules, CompleteSuitIgnoresTheTarget)
{
    const char* suit = "KS QS JS 10S 9S 8S 7S 6S 5S 4S 3S 2S AS";
    EXPECT_TRUE(Offer({111, "4H", suit, true}));
    EXPECT_TRUE(Offer({211, "", suit, true}));
    EXPECT_FALSE(Offer({111, "4H", "KS QS JS 10S 9S 8S 7S 6S 5S 4S 3S 2S", true}));
    EXPECT_FALSE(Offer({211, "", "KS QS JS 10S 9S 8S 7S 6S 5S 4S 3S AS 2S", true}));
}

TEST(EmptyDropRules, EveryCardTestOnAnEmptyPile)
{
    const Case cases[] = {
        {201, "", "5C", true},       {201, "", "5C 4C", false},    {202, "", "KC", true},
        {202, "", "QC", false},      {203, "", "AC", true},        {203, "", "2C", false},
        {205, "", "9C", true},       {205, "", "9C 8C 7C", true},  {205, "", "9C 8H", false},
        {206, "", "KC", true},       {206, "", "KC QC JC", true},  {206, "", "QC JC", false},
        {206, "", "KC QH", false},   {207, "", "9C 8H 7S", true},  {207, "", "9C 8C", false},
        {208, "", "KC QH JS", true}, {208, "", "KC QS JC", false}, {208, "", "QH JS", false},
        {209, "", "KC 3H", true},    {209, "", "QC", false},       {210, "", "2D 9S", true},
        {0, "", "KC", false},        {299, "", "KC", false},
    };
    for (const Case& c : cases) EXPECT_EQ(Offer(c), c.accepts) << c.code << ": " << c.moved;
}

class TableRules : public ::testing::Test {
protected:
    test::PlayTable t;
    bool Offer(Pile& target, const std::string& cards)
    {
        while (t.Drag().Count() > 0) t.session.Board.MoveCard(*t.Drag().Top(), t.session.Board.Store());
        t.Put(t.Drag(), cards);
        return CanDrop(t.session, target, t.Drag(), 0);
    }
};

TEST_F(TableRules, TheOriginAlwaysTakesItsCardsBackWithoutMarkingTheHand)
{
    Pile& stock = t.Add("S", {.kind = 0}, "");
    t.session.OriginPile = &stock;
    t.session.RedealsLeft = 2;
    EXPECT_TRUE(Offer(stock, "5C"));
    EXPECT_FALSE(t.session.HandPlayed);
    // Putting back onto a stock refreshes its hint before the card arrives.
    EXPECT_TRUE(stock.ShowHint);
    EXPECT_EQ(stock.Hint, "2 redeals left");

    Pile& other = t.Add("O", {.emptyDrop = 201});
    EXPECT_TRUE(Offer(other, "5C"));
    EXPECT_TRUE(t.session.HandPlayed);
}

TEST_F(TableRules, GoverningStockWalksBackToTheNearestKindZeroControl)
{
    Pile& early = t.Add("E", {.kind = 2, .drop = 113, .emptyDrop = 213});
    Pile& stock1 = t.Add("S1", {.kind = 0}, "2C");
    Pile& waste1 = t.Add("W1", {.kind = 1, .drop = 113, .emptyDrop = 213}, "9H");
    Pile& stock2 = t.Add("S2", {.kind = 0}, "3C");
    t.AddButton("B", {500, 500, 10, 10});
    Pile& waste2 = t.Add("W2", {.kind = 1, .drop = 113, .emptyDrop = 213});
    EXPECT_EQ(GoverningStock(t.session.Board, waste1), &stock1);
    EXPECT_EQ(GoverningStock(t.session.Board, waste2), &stock2);
    EXPECT_EQ(GoverningStock(t.session.Board, stock2), &stock2);
    EXPECT_EQ(GoverningStock(t.session.Board, early), nullptr);

    t.session.OriginPile = &stock1;
    EXPECT_TRUE(Offer(waste1, "5D"));
    EXPECT_FALSE(Offer(waste1, "5D 4C"));
    EXPECT_FALSE(Offer(waste2, "5D"));
    EXPECT_FALSE(Offer(early, "5D"));
    t.session.OriginPile = &stock2;
    EXPECT_TRUE(Offer(waste2, "5D"));
    // 213 also takes a card from the control right before the target.
    t.session.OriginPile = &waste1;
    Pile& after = t.Add("A", {.kind = 1, .emptyDrop = 213});
    EXPECT_FALSE(Offer(after, "5D"));
    t.session.OriginPile = &waste2;
    EXPECT_TRUE(Offer(after, "5D"));
    // With no origin pile (autoplay) neither rule accepts.
    t.session.OriginPile = nullptr;
    EXPECT_FALSE(Offer(waste1, "5D"));
    EXPECT_FALSE(Offer(after, "5D"));
}

TEST_F(TableRules, RulesThatReadTheOriginKindTreatNoOriginAsNoKind)
{
    Pile& stock = t.Add("S", {.kind = 0});
    Pile& reserve = t.Add("R", {.kind = 5});
    Pile& waste = t.Add("W", {.kind = 1, .drop = 116}, "9C");
    Pile& column = t.Add("C", {.kind = 2, .drop = 119, .emptyDrop = 214}, "8S");
    Pile& empty = t.Add("E", {.kind = 2, .emptyDrop = 214});
    t.session.OriginPile = &stock;
    EXPECT_TRUE(Offer(waste, "2D"));  // stock onto waste: no sum needed
    EXPECT_TRUE(Offer(empty, "2D 9S"));
    t.session.OriginPile = &reserve;
    EXPECT_FALSE(Offer(waste, "2D"));
    EXPECT_TRUE(Offer(waste, "4D"));
    EXPECT_FALSE(Offer(column, "7H"));  // 119 refuses cards from a Kind-5 pile
    EXPECT_FALSE(Offer(empty, "2D"));
    t.session.OriginPile = nullptr;
    EXPECT_FALSE(Offer(waste, "2D"));  // 116 falls to the sum test
    EXPECT_TRUE(Offer(waste, "4D"));
    EXPECT_TRUE(Offer(column, "7H"));  // 119 passes its origin test
    EXPECT_FALSE(Offer(empty, "KD"));  // 214 refuses
}

TEST_F(TableRules, SumOfThirteenOnAPyramidPileNeedsItUncovered)
{
    Pile& apex = t.Add("P0", {.kind = 4, .drop = 116, .bounds = {100, 8, 71, 96}}, "9C");
    EXPECT_TRUE(Offer(apex, "4D"));
    Pile& left = t.Add("P1", {.kind = 4, .drop = 116, .bounds = {64, 48, 71, 96}}, "5C");
    EXPECT_FALSE(Offer(apex, "4D"));  // the lower-left corner is covered
    left.Visible = false;             // a hidden pile covers nothing
    EXPECT_TRUE(Offer(apex, "4D"));
    left.Visible = true;
    left.Bounds.left = 150;  // only the lower-right corner covered: still covered
    EXPECT_FALSE(Offer(apex, "4D"));
}

TEST_F(TableRules, PrecedingControlButtonsCountAsPilesWithoutCards)
{
    Pile& base = t.Add("F1", {.kind = 3}, "5H 9C");
    Pile& next = t.Add("F2", {.kind = 3, .drop = 121, .emptyDrop = 212}, "7H");
    EXPECT_TRUE(Offer(next, "9H"));   // a 9 lies in the preceding pile
    EXPECT_FALSE(Offer(next, "8H"));  // no 8 there
    EXPECT_FALSE(Offer(next, "9S"));  // suit of T
    while (next.Count() > 0) t.session.Board.MoveCard(*next.Top(), t.session.Board.Store());
    EXPECT_TRUE(Offer(next, "6H"));  // 212: suit of the preceding bottom card, higher rank
    EXPECT_FALSE(Offer(next, "4H"));
    EXPECT_FALSE(Offer(next, "6C"));
    Pile& spaced = t.Add("F3", {.kind = 3, .emptyDrop = 215});
    EXPECT_FALSE(Offer(spaced, "AH"));  // the preceding pile is empty
    t.Put(next, "AS");
    EXPECT_TRUE(Offer(spaced, "AH 2H"));
    t.AddButton("B", {700, 500, 20, 20});
    Pile& afterButton = t.Add("F4", {.kind = 3, .drop = 121, .emptyDrop = 215});
    EXPECT_FALSE(Offer(afterButton, "AH"));
    t.Put(afterButton, "3H");
    EXPECT_FALSE(Offer(afterButton, "5H"));
    (void)base;
}

TEST_F(TableRules, FirstPileSeesTheCarryPileAsItsPredecessor)
{
    Pile& first = t.Add("F", {.kind = 3, .emptyDrop = 215});
    // The carried cards themselves lie in the DragPile, the control before.
    EXPECT_TRUE(Offer(first, "7H"));
}

TEST_F(TableRules, EarlierFoundationAndFoundationRange)
{
    Pile& f1 = t.Add("F1", {.kind = 3}, "4C");
    Pile& f2 = t.Add("F2", {.kind = 3});
    Pile& target = t.Add("T", {.kind = 2, .emptyDrop = 204});
    EXPECT_TRUE(Offer(target, "4H"));
    EXPECT_FALSE(Offer(target, "5H"));
    t.session.Board.MoveCard(*f1.Top(), t.session.Board.Store());
    EXPECT_FALSE(Offer(target, "4H"));  // no earlier Kind-3 pile holds cards
    // The second deck's King of spades lies on F2: the first deck's one has
    // the same Deckvalue and is refused.
    t.session.Board.MoveCard(t.session.Board.CardAt(52 + test::CardIndex("KS")), f2);
    Pile& cell = t.Add("K", {.kind = 2, .emptyDrop = 216});
    EXPECT_FALSE(Offer(cell, "KS"));
    EXPECT_TRUE(Offer(cell, "KH"));
    Pile& aces = t.Add("A", {.kind = 2, .emptyDrop = 217});
    EXPECT_TRUE(Offer(aces, "AS"));
    EXPECT_FALSE(Offer(aces, "KH"));
    Pile& ends = t.Add("E", {.kind = 2, .emptyDrop = 218});
    EXPECT_FALSE(Offer(ends, "AS"));  // a spade lies at the bottom of F2
    EXPECT_TRUE(Offer(ends, "KD"));
    EXPECT_FALSE(Offer(ends, "QD"));
}

TEST_F(TableRules, StockMustBeEmptyForRule110)
{
    Pile& stock = t.Add("S", {.kind = 0}, "2C");
    Pile& f = t.Add("F", {.kind = 3, .drop = 110}, "5H");
    EXPECT_FALSE(Offer(f, "6H"));
    t.session.Board.MoveCard(*stock.Top(), t.session.Board.Store());
    EXPECT_TRUE(Offer(f, "6H"));
    EXPECT_FALSE(Offer(f, "7H"));
    test::PlayTable noStock;
    Pile& g = noStock.Add("F", {.kind = 3, .drop = 110}, "5H");
    noStock.Put(noStock.Drag(), "6H");
    EXPECT_FALSE(CanDrop(noStock.session, g, noStock.Drag(), 0));
}

}  // namespace
}  // namespace vexa
