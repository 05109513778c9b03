#include "defs/Definition.h"

#include <gtest/gtest.h>
#include <functional>

#include "support/TestSupport.h"

#include "core/VexaError.h"

namespace vexa {
namespace {

using test::ErrorOf;

TEST(ReadSettings, DefaultsForAnEmptySection)
{
    const GameSettings settings = ReadSettings({});
    EXPECT_EQ(settings.Name, "");
    EXPECT_EQ(settings.Decks, 1);
    EXPECT_EQ(settings.Scoring, 0);
    EXPECT_EQ(settings.Redeals, 0);
    EXPECT_EQ(settings.Formwidth, 640);
    EXPECT_EQ(settings.Formheight, 440);
    EXPECT_TRUE(settings.Preplay.empty());
    EXPECT_TRUE(settings.Extract.empty());
    EXPECT_TRUE(settings.Autoplay);
}

TEST(ReadSettings, ValuesCapsAndLists)
{
    const GameSettings settings = ReadSettings({{"name", "Forty Thieves"},
                                                {"DECKS", "2"},
                                                {"Scoring", "3"},
                                                {"Redeals", "12000"},
                                                {"Postdeal", "1"},
                                                {"Postdrop", "2"},
                                                {"Postpick", "3"},
                                                {"Prepick", "4"},
                                                {"Formwidth", "800"},
                                                {"Formheight", "600"},
                                                {"Preplay", "1, 14 27,40"},
                                                {"Extract", "1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17 bad"}});
    EXPECT_EQ(settings.Name, "Forty Thieves");
    EXPECT_EQ(settings.Decks, 2);
    EXPECT_EQ(settings.Scoring, 3);
    EXPECT_EQ(settings.Redeals, 9999);
    EXPECT_EQ(settings.Postdeal, 1);
    EXPECT_EQ(settings.Postdrop, 2);
    EXPECT_EQ(settings.Postpick, 3);
    EXPECT_EQ(settings.Prepick, 4);
    EXPECT_EQ(settings.Formwidth, 800);
    EXPECT_EQ(settings.Formheight, 600);
    EXPECT_EQ(settings.Preplay, (std::vector<int>{1, 14, 27, 40}));
    EXPECT_EQ(settings.Extract, (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16}));
    EXPECT_EQ(ReadSettings({{"Redeals", "9999"}}).Redeals, 9999);
}

TEST(ReadSettings, OnlyTheExactValueZeroDisablesAutoplay)
{
    EXPECT_FALSE(ReadSettings({{"Autoplay", "0"}}).Autoplay);
    EXPECT_TRUE(ReadSettings({{"Autoplay", "no"}}).Autoplay);
    EXPECT_TRUE(ReadSettings({{"Autoplay", "00"}}).Autoplay);
    EXPECT_TRUE(ReadSettings({{"Autoplay", "1"}}).Autoplay);
}

TEST(ReadSettings, TheFirstBadValueInReadingOrderIsReported)
{
    EXPECT_EQ(ErrorOf([] {
                  ReadSettings({{"Formwidth", "wide"}, {"Decks", "two"}});
              }),
              "'two' is not a valid integer value");
    EXPECT_EQ(ErrorOf([] {
                  ReadSettings({{"Extract", "x"}, {"Preplay", "1,,2"}});
              }),
              "'' is not a valid integer value");
}

TEST(ClassifyLine, ByPrefixIgnoringCase)
{
    EXPECT_EQ(ClassifyLine("PILE1"), LineKind::Pile);
    EXPECT_EQ(ClassifyLine("pile"), LineKind::Pile);
    EXPECT_EQ(ClassifyLine("Helpfile"), LineKind::Help);
    EXPECT_EQ(ClassifyLine("HELP"), LineKind::Help);
    EXPECT_EQ(ClassifyLine("Button_Deal"), LineKind::Button);
    EXPECT_EQ(ClassifyLine("BUTTO"), LineKind::Other);
    EXPECT_EQ(ClassifyLine("PIL"), LineKind::Other);
    EXPECT_EQ(ClassifyLine("Decks"), LineKind::Other);
    EXPECT_EQ(ClassifyLine(""), LineKind::Other);
}

TEST(ParsePileLine, AllFourteenItems)
{
    const PileFields pile = ParsePileLine("10,20,71,300,258,-253,1,102,201,402,301,13,0,\"F 5D\"");
    EXPECT_EQ(pile.left, 10);
    EXPECT_EQ(pile.top, 20);
    EXPECT_FALSE(pile.same);
    EXPECT_EQ(pile.width, 71);
    EXPECT_EQ(pile.height, 300);
    EXPECT_EQ(pile.Direction, 2);  // 258 keeps its low 8 bits
    EXPECT_EQ(pile.Kind, 3);       // so does -253
    EXPECT_EQ(pile.PickRule, 1);
    EXPECT_EQ(pile.DropRule, 102);
    EXPECT_EQ(pile.EmptyDropRule, 201);
    EXPECT_EQ(pile.LayoutStyle, 402);
    EXPECT_EQ(pile.ClickAction, 301);
    EXPECT_EQ(pile.CardLimit, 13);
    EXPECT_EQ(pile.SpareValue, 0);
    EXPECT_EQ(pile.DealPattern, "F 5D");
}

TEST(ParsePileLine, SameReadsOnlyThePosition)
{
    const PileFields pile = ParsePileLine("120, 10, same, junk, more");
    EXPECT_TRUE(pile.same);
    EXPECT_EQ(pile.left, 120);
    EXPECT_EQ(pile.top, 10);
    EXPECT_EQ(pile.width, 0);
    EXPECT_TRUE(ParsePileLine("1 2 SAME").same);
}

TEST(ParsePileLine, ErrorsComeInItemOrder)
{
    EXPECT_EQ(ErrorOf([] { ParsePileLine(""); }), "List index out of bounds (0)");
    EXPECT_EQ(ErrorOf([] { ParsePileLine("5,6"); }), "List index out of bounds (2)");
    EXPECT_EQ(ErrorOf([] { ParsePileLine("5,6,SAMEX"); }), "'SAMEX' is not a valid integer value");
    EXPECT_EQ(ErrorOf([] { ParsePileLine("1,2,3,4,5,6,7,8,9,10,11,12,13"); }), "List index out of bounds (13)");
    EXPECT_EQ(ErrorOf([] { ParsePileLine("1,x,3"); }), "'x' is not a valid integer value");
    EXPECT_EQ(ErrorOf([] { ParsePileLine("1,2,3,4,5,6,7,oops"); }), "'oops' is not a valid integer value");
}

TEST(ParseButtonLine, CaptionIsOneItem)
{
    const ButtonFields quoted = ParseButtonLine("10,400,75,25,2,\"&Deal again\"");
    EXPECT_EQ(quoted.left, 10);
    EXPECT_EQ(quoted.top, 400);
    EXPECT_EQ(quoted.width, 75);
    EXPECT_EQ(quoted.height, 25);
    EXPECT_EQ(quoted.tag, 2);
    EXPECT_EQ(quoted.caption, "&Deal again");
    EXPECT_EQ(ParseButtonLine("10,400,75,25,2,&Deal again").caption, "&Deal");
    EXPECT_EQ(ErrorOf([] { ParseButtonLine("10,400,75,25,2"); }), "List index out of bounds (5)");
    EXPECT_EQ(ErrorOf([] { ParseButtonLine("10,400,75,25,Deal,x"); }), "'Deal' is not a valid integer value");
}

TEST(CheckComponentName, IdentifiersOnly)
{
    for (const std::string good : {"PILE1", "Button_2", "_x", "HELP"}) EXPECT_NO_THROW(CheckComponentName(good));
    for (const std::string bad : {"", "1PILE", "PILE-1", "PILE 1", "Pil\xe9"})
        EXPECT_EQ(ErrorOf([&] { CheckComponentName(bad); }), "''" + bad + "'' is not a valid component name");
}

TEST(AppendHelp, CapitalNIsAParagraphBreak)
{
    std::string help;
    for (const char* value : {"First,", "part.", "N", "Second", "n"}) AppendHelp(help, value);
    EXPECT_EQ(help, "First, part. \r\n\r\nSecond n ");
}

}  // namespace
}  // namespace vexa
