#include "defs/IniFile.h"

#include <gtest/gtest.h>
#include <functional>

#include "support/TestSupport.h"

#include "core/VexaError.h"

namespace vexa {
namespace {

using test::ErrorOf;

using Items = std::vector<std::string>;

TEST(SplitItems, BlanksAndCommasSeparate)
{
    EXPECT_EQ(SplitItems("10, 20"), (Items{"10", "20"}));
    EXPECT_EQ(SplitItems("10 20"), (Items{"10", "20"}));
    EXPECT_EQ(SplitItems(" \t10 ,\t 20 \r"), (Items{"10", "20"}));
    EXPECT_EQ(SplitItems("1,,3"), (Items{"1", "", "3"}));
    EXPECT_EQ(SplitItems(",,"), (Items{"", ""}));
    EXPECT_EQ(SplitItems("1,2,"), (Items{"1", "2"}));
    EXPECT_EQ(SplitItems("1 ,, 2"), (Items{"1", "", "2"}));
    EXPECT_EQ(SplitItems(""), Items{});
    EXPECT_EQ(SplitItems("   "), Items{});
    // Characters above code 127 belong to items.
    EXPECT_EQ(SplitItems("caf\xe9,x"), (Items{"caf\xe9", "x"}));
}

TEST(SplitItems, QuotesEncloseAnItemOnlyAtItsStart)
{
    EXPECT_EQ(SplitItems("1,\"two words\",3"), (Items{"1", "two words", "3"}));
    EXPECT_EQ(SplitItems("\"a\"\"b\""), (Items{"a\"b"}));
    EXPECT_EQ(SplitItems("\"\",x"), (Items{"", "x"}));
    EXPECT_EQ(SplitItems("\"a, b"), (Items{"a, b"}));
    EXPECT_EQ(SplitItems("ab\"c d\""), (Items{"ab\"c", "d\""}));
    // Text right after a closing quote starts the next item.
    EXPECT_EQ(SplitItems("\"ab\"cd"), (Items{"ab", "cd"}));
}

TEST(SplitItems, StopsAtANulCharacter) { EXPECT_EQ(SplitItems(std::string("1,2\0,3", 6)), (Items{"1", "2"})); }

TEST(StrToInt, DecimalTextInThe32BitRange)
{
    EXPECT_EQ(StrToInt("0"), 0);
    EXPECT_EQ(StrToInt("+42"), 42);
    EXPECT_EQ(StrToInt("-17"), -17);
    EXPECT_EQ(StrToInt("007"), 7);
    EXPECT_EQ(StrToInt("2147483647"), 2147483647);
    EXPECT_EQ(StrToInt("-2147483648"), -2147483647 - 1);
    for (const std::string bad : {"", "+", "-", "2147483648", "-2147483649", "99999999999999999999", "1.5", " 1", "1 ",
                                  "0x10", "$10", "1e3", "ten", "--1"})
        EXPECT_EQ(ErrorOf([&] { StrToInt(bad); }), "'" + bad + "' is not a valid integer value");
}

TEST(StrToFloat, PointOrCommaWithOptionalExponent)
{
    EXPECT_EQ(StrToFloat("1.5"), 1.5);
    EXPECT_EQ(StrToFloat("1,5"), 1.5);
    EXPECT_EQ(StrToFloat("-0,25"), -0.25);
    EXPECT_EQ(StrToFloat("+3"), 3.0);
    EXPECT_EQ(StrToFloat(".5"), 0.5);
    EXPECT_EQ(StrToFloat("5."), 5.0);
    EXPECT_EQ(StrToFloat("1E3"), 1000.0);
    EXPECT_EQ(StrToFloat("2.5e-2"), 0.025);
    for (const std::string bad :
         {"", ".", "-", "1.2.3", "1,2.3", "1e", "1e+", " 1", "1 ", "inf", "nan", "0x1p3", "1e999", "abc"})
        EXPECT_EQ(ErrorOf([&] { StrToFloat(bad); }), "'" + bad + "' is not a valid floating point value");
}

TEST(FloatToText, ShortestFormWithAPointAndRoundTrips)
{
    EXPECT_EQ(FloatToText(0), "0");
    EXPECT_EQ(FloatToText(1.5), "1.5");
    EXPECT_EQ(FloatToText(1234.56789), "1234.56789");
    EXPECT_EQ(FloatToText(61.0 / 1440), "0.0423611111111111");
    EXPECT_EQ(FloatToText(1.0 / 3), "0.333333333333333");
    for (const double value : {0.0, 1.5, 0.0423611111111111, 1234.56789, 12345.678901234, 1e-7})
        EXPECT_EQ(StrToFloat(FloatToText(value)), value);
}

}  // namespace
}  // namespace vexa
