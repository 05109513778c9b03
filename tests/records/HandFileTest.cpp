// The kept hand's file: what is written reads back as the same hand, and
// any text the writer would not have written is refused.
#include <gtest/gtest.h>

#include "defs/IniFile.h"
#include "records/HandFile.h"

namespace vexa {
namespace {

KeptHand SampleHand()
{
    KeptHand hand;
    hand.Game = "Klondike (Draw Three)";
    hand.Definition = TextIdentity("[Klondike]\nName=K\n");
    hand.HasHand = true;
    hand.Score = -17;
    hand.StreakCount = 3;
    hand.StreakBonus = 6;
    hand.OneTimeMove = -1;
    hand.RedealsLeft = 9998;
    hand.HandPlayed = true;
    for (int i = 1; i <= CardCount; ++i) hand.Deck[static_cast<std::size_t>(i)] = CardCount + 1 - i;
    hand.DealNumber = 4294967295u;
    hand.Piles = {{5, "PILE01", true, {{21, true, false}, {9, true, true}}, "Unlimited redeals", false},
                  {6, "PILE02", false, {}, "", true},
                  {9, "pileX", true, {{104, false, true}}, "", false}};
    hand.UndoSteps = {"0050000021\r\n0050011009\r\n", "OTF0000001\r\n", "0060000104\r\nDLS0009999\r\n"};
    // A redo step with the views an undo saved: a hidden pile, a stock's
    // hint shown and one kept hidden, a hint text with spaces and an "=".
    hand.RedoSteps = {{"OTF-0000001\r\n",
                       {{}, {false, false, ""}, {true, true, "2 redeals left"}, {true, false, "a = b"}, {}}}};
    return hand;
}

TEST(HandFile, WrittenHandReadsBackTheSame)
{
    const KeptHand hand = SampleHand();
    const std::optional<KeptHand> back = ParseHandFile(FormatHandFile(hand));
    ASSERT_TRUE(back);
    EXPECT_EQ(*back, hand);

    KeptHand nameOnly;
    nameOnly.Game = "Golf";
    nameOnly.Definition = "none";
    const std::optional<KeptHand> remembered = ParseHandFile(FormatHandFile(nameOnly));
    ASSERT_TRUE(remembered);
    EXPECT_FALSE(remembered->HasHand);
    EXPECT_EQ(remembered->Game, "Golf");
}

// A file written before deal numbers were kept has no DealNumber line: it
// reads back as the same hand without a number.
TEST(HandFile, AFileWithoutADealNumberStillReads)
{
    KeptHand hand = SampleHand();
    hand.DealNumber.reset();
    const std::string text = FormatHandFile(hand);
    EXPECT_EQ(text.find("DealNumber"), std::string::npos);
    const std::optional<KeptHand> back = ParseHandFile(text);
    ASSERT_TRUE(back);
    EXPECT_EQ(*back, hand);
    hand.DealNumber = 0;
    const std::optional<KeptHand> zero = ParseHandFile(FormatHandFile(hand));
    ASSERT_TRUE(zero);
    EXPECT_EQ(zero->DealNumber, std::optional<std::uint32_t>(0));
}

TEST(HandFile, JournalStepsKeepTheirExactText)
{
    const KeptHand hand = SampleHand();
    IniDocument document;
    WriteJournalSteps(hand.UndoSteps, hand.RedoSteps, document);
    std::vector<std::string> undo;
    std::vector<RedoStep> redo;
    ASSERT_TRUE(ReadJournalSteps(ParseIniText(FormatIniText(document)), 3, 1, undo, redo));
    EXPECT_EQ(undo, hand.UndoSteps);
    EXPECT_EQ(redo, hand.RedoSteps);
    // A step asked for that is not there, or a record cut short, is refused.
    EXPECT_FALSE(ReadJournalSteps(document, 4, 1, undo, redo));
    IniDocument cut;
    WriteJournalSteps({"00500000\r\n"}, {}, cut);
    EXPECT_FALSE(ReadJournalSteps(cut, 1, 0, undo, redo));
    // A view of a position the step does not have is refused.
    IniDocument outside;
    WriteJournalSteps({}, {{"OTF0000001\r\n", {}}}, outside);
    outside.back().lines.push_back({"V0", "0 0", 0});
    EXPECT_FALSE(ReadJournalSteps(outside, 0, 1, undo, redo));
}

// Every way a file can come back other than written: cut short anywhere,
// a byte changed anywhere, line ends converted, sections repeated or
// reordered, values the sum does not cover.
TEST(HandFile, DamagedTextIsNeverTrusted)
{
    const std::string text = FormatHandFile(SampleHand());
    for (std::size_t length = 0; length < text.size(); length += 7)
        EXPECT_FALSE(ParseHandFile(text.substr(0, length))) << "cut at " << length;
    for (std::size_t at = 0; at < text.size(); at += 5) {
        std::string changed = text;
        changed[at] = changed[at] == '1' ? '2' : '1';
        EXPECT_FALSE(ParseHandFile(changed)) << "changed at " << at;
    }
    std::string crlf;
    for (char c : text) crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    const std::size_t check = text.find("[Check]");
    const std::string body = text.substr(0, check);
    const struct {
        const char* what;
        std::string text;
    } cases[] = {
        {"empty", ""},
        {"CR LF line ends", crlf},
        {"a blank line added", "\n" + text},
        {"no check sum", body},
        {"the check section first", text.substr(check) + body},
        {"a section repeated", body + "[Game]\nName=X\n" + text.substr(check)},
        {"a sum of other text", body + "[Check]\nSum=" + TextIdentity(body + " ") + "\n"},
        {"a sum of the body with a section added", body + "[More]\nA=1\n[Check]\nSum=" + TextIdentity(body) + "\n"},
    };
    for (const auto& c : cases) EXPECT_FALSE(ParseHandFile(c.text)) << c.what;
}

// Values that are consistent text (the sum matches) but no hand: refused.
TEST(HandFile, InconsistentContentIsRefused)
{
    auto resigned = [](std::string body) { return body + "[Check]\nSum=" + TextIdentity(body) + "\n"; };
    const std::string text = FormatHandFile(SampleHand());
    const std::string body = text.substr(0, text.find("[Check]"));
    auto replaced = [&](const std::string& from, const std::string& to) {
        std::string changed = body;
        const std::size_t at = changed.find(from);
        EXPECT_NE(at, std::string::npos) << from;
        return resigned(changed.replace(at, from.size(), to));
    };
    ASSERT_TRUE(ParseHandFile(resigned(body)));
    const std::string cases[] = {
        replaced("Score=-17", "Score=many"),
        replaced("UndoSteps=3", "UndoSteps=4"),
        replaced("RedoSteps=1", "RedoSteps=-1"),
        replaced("Deck=104 ", "Deck="),
        replaced("5=PILE01 1 .21d", "5=PILE01 1 .21x"),
        replaced("6=PILE02 0", "6=PILE02 2"),
        replaced("9=pileX 1 104u", "9=pileX"),
        replaced("Name=Klondike (Draw Three)\n", ""),
        replaced("[Piles]", "[Heaps]"),
        replaced("5=0 Unlimited", "4=0 Unlimited"),
        replaced("6=1", "6=yes"),
        replaced("DealNumber=4294967295", "DealNumber=4294967296"),
        replaced("DealNumber=4294967295", "DealNumber=-1"),
        replaced("DealNumber=4294967295", "DealNumber=12 34"),
    };
    for (const std::string& c : cases) EXPECT_FALSE(ParseHandFile(c)) << c;
}

TEST(IniText, ParsedAsTheSectionReaderReadsAndFormattedBack)
{
    const IniDocument document = ParseIniText("; note\r\n[A]\r\nk = v \r\nK=again\r\nempty=\r\n[B]\nx=1\n[A]\ny=2\n");
    ASSERT_EQ(document.size(), 3u);
    EXPECT_EQ(document[0].name, "A");
    ASSERT_EQ(document[0].lines.size(), 1u);
    EXPECT_EQ(document[0].lines[0].value, "v");
    EXPECT_EQ(document[2].lines[0].key, "y");
    EXPECT_EQ(FormatIniText(document), "[A]\nk=v\n[B]\nx=1\n[A]\ny=2\n");
    EXPECT_EQ(FormatIniText(ParseIniText(FormatIniText(document))), FormatIniText(document));
}

}  // namespace
}  // namespace vexa
