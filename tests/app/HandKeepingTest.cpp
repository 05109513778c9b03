// Keeping the hand between runs, on copies of real games: each test plays
// in one session, then starts another in the same folder as the next run
// would.
#include <gtest/gtest.h>

#include <filesystem>

#include "app/GameLoader.h"
#include "app/HandKeeping.h"
#include "app/NewHand.h"
#include "core/Session.h"
#include "defs/IniFile.h"
#include "records/HandFile.h"
#include "records/KeptHand.h"
#include "records/Statistics.h"
#include "records/UndoJournal.h"
#include "rules/ClickDispatch.h"
#include "support/FakeEnvironment.h"
#include "support/TestSupport.h"

namespace vexa {
namespace {

namespace fs = std::filesystem;

class HandKeeping : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (const auto& entry : fs::directory_iterator(fs::path(VEXA_SOURCE_DIR) / "games"))
            fs::copy_file(entry.path(), dir.Path() / entry.path().filename());
        fs::copy_file(fs::path(VEXA_SOURCE_DIR) / "tests/e2e/data/play/quickwin.ini", dir.Path() / "quickwin.ini");
        std::string catalogue = test::ReadFile(dir.Path() / "vexasolit.ini");
        catalogue.replace(catalogue.find("[Gamelist]\n"), 11, "[Gamelist]\nQuick win=quickwin.ini\n");
        test::WriteFile(dir.Path() / "vexasolit.ini", catalogue);
    }

    // A new run: a session as the program starts it, with its own seed.
    std::unique_ptr<Session> Start(std::uint32_t seed)
    {
        clock.seed = seed;
        auto session = std::make_unique<Session>(pictures, ui, clock, 1920, 1080);
        CreateChooser(*session);
        return session;
    }
    void Choose(Session& session, const std::string& game)
    {
        const auto& items = session.Chooser.Items;
        session.Chooser.ItemIndex = static_cast<int>(std::find(items.begin(), items.end(), game) - items.begin());
        SelectGame(session);
        KeepHand(session);
    }
    // A click as the player makes it, then the step is kept.
    static void ClickCard(Session& session, int card)
    {
        DispatchClick(session, &session.Board.CardAt(card));
        KeepHand(session);
    }
    static void ClickPile(Session& session, const std::string& pile)
    {
        DispatchClick(session, session.Board.FindPile(pile));
        KeepHand(session);
    }
    std::string Catalogue() const { return test::ReadFile(dir.Path() / "vexasolit.ini"); }
    bool KeptFileExists() const { return fs::exists(dir.Path() / "hand.ini"); }

    // Klondike, seed 12345: the ace and two of hearts to a foundation, the
    // two taken back, a card from the stock.
    std::unique_ptr<Session> PlayKlondike()
    {
        auto session = Start(12345);
        Choose(*session, "Klondike");
        dealt = PilesOnTable(*session);
        ClickCard(*session, 27);
        ClickPile(*session, "PILE03");
        ClickCard(*session, 28);
        ClickCard(*session, 27);
        UndoLastStep(*session);
        KeepHand(*session);
        EXPECT_TRUE(session->Menu.Redo);
        return session;
    }

    test::TempDir dir;
    test::InDirectory cwd{dir.Path()};
    NullPictureSource pictures;
    test::RecordingUi ui;
    test::ManualClock clock;
    std::vector<KeptPile> dealt;
};

TEST_F(HandKeeping, TheNextRunResumesTheSameHandWithItsJournal)
{
    auto first = PlayKlondike();
    const KeptHand played = CaptureHand(*first);
    LeaveKeepingHand(*first);
    const std::string catalogue = Catalogue();
    EXPECT_EQ(IniFile("./vexasolit.ini").ReadString("Klondike", "GamesPlayed"), "0");

    auto next = Start(777);
    ASSERT_TRUE(ResumeKeptHand(*next));
    EXPECT_FALSE(next->Welcome);
    EXPECT_EQ(next->CurrentGame, "Klondike");
    EXPECT_EQ(CaptureHand(*next), played);
    EXPECT_EQ(next->Menu.ScoreCaption, first->Menu.ScoreCaption);
    EXPECT_TRUE(next->Menu.Undo && next->Menu.Redo && next->Menu.Restart);
    // The hand was not counted when the first run ended: it is still played.
    EXPECT_EQ(Catalogue(), catalogue);
    EXPECT_EQ(OpenStatistics(*next).Played, 1);

    // Redo, then undo back to the deal; Restart deals the same hand.
    RedoLastStep(*next);
    EXPECT_EQ(next->Board.FindPile("PILE03")->Count(), 2);
    while (next->Menu.Undo) UndoLastStep(*next);
    EXPECT_EQ(PilesOnTable(*next), dealt);

    // Counted once, by the run that closes it.
    DealNewHand(*next, NewHandKind::Deal);
    LeaveKeepingHand(*next);
    EXPECT_EQ(IniFile("./vexasolit.ini").ReadString("Klondike", "GamesPlayed"), "1");
}

// The resumed hand shows its number again; a file written before numbers
// were kept, or one whose number does not give its deal, resumes the hand
// without a number.
TEST_F(HandKeeping, TheResumedHandKeepsItsDealNumberWhenItGivesTheDeal)
{
    auto first = PlayKlondike();
    ASSERT_EQ(first->DealNumber, std::optional<std::uint32_t>(12345));
    LeaveKeepingHand(*first);
    const std::string text = test::ReadFile(dir.Path() / "hand.ini");
    EXPECT_NE(text.find("DealNumber=12345\n"), std::string::npos);

    auto next = Start(777);
    ASSERT_TRUE(ResumeKeptHand(*next));
    EXPECT_EQ(next->DealNumber, std::optional<std::uint32_t>(12345));
    DealNewHand(*next, NewHandKind::Restart);
    EXPECT_EQ(next->DealNumber, std::optional<std::uint32_t>(12345));
    EXPECT_EQ(PilesOnTable(*next), dealt);

    const struct {
        const char* what;
        std::optional<std::uint32_t> number;
    } cases[] = {{"no number kept", std::nullopt}, {"a number of another deal", 12346u}};
    for (const auto& c : cases) {
        KeptHand hand = *ParseHandFile(text);
        hand.DealNumber = c.number;
        test::WriteFile(dir.Path() / "hand.ini", FormatHandFile(hand));
        auto resumed = Start(778);
        ASSERT_TRUE(ResumeKeptHand(*resumed)) << c.what;
        EXPECT_FALSE(resumed->DealNumber) << c.what;
        EXPECT_EQ(CaptureHand(*resumed).Piles, hand.Piles) << c.what;
    }
}

TEST_F(HandKeeping, CarriedCardsAreKeptPutBack)
{
    auto first = PlayKlondike();
    const KeptHand before = CaptureHand(*first);
    ClickCard(*first, 4);  // lifted from PILE07
    ASSERT_TRUE(first->Carrying);
    EXPECT_EQ(CaptureHand(*first), before);
    LeaveKeepingHand(*first);

    auto next = Start(1);
    ASSERT_TRUE(ResumeKeptHand(*next));
    EXPECT_FALSE(next->Carrying);
    EXPECT_EQ(CaptureHand(*next), before);
    // Restart deals the kept hand's deal again.
    DealNewHand(*next, NewHandKind::Restart);
    EXPECT_EQ(PilesOnTable(*next), dealt);
}

TEST_F(HandKeeping, WonHandKeepsOnlyTheGameForTheChooser)
{
    auto first = Start(5);
    Choose(*first, "Quick win");
    ClickCard(*first, first->Board.FindPile("PILE2")->Top()->Index());
    ClickPile(*first, "PILE3");
    ASSERT_EQ(ui.victories.size(), 1u);
    LeaveKeepingHand(*first);
    EXPECT_EQ(IniFile("./vexasolit.ini").ReadString("Quick win", "GamesWon"), "1");

    auto next = Start(6);
    EXPECT_FALSE(ResumeKeptHand(*next));
    EXPECT_TRUE(next->Welcome);
    EXPECT_EQ(next->Chooser.Items[static_cast<std::size_t>(next->Chooser.ItemIndex)], "Quick win");
    EXPECT_TRUE(KeptFileExists());
}

// What the next start finds, and what it does: nothing shown, the welcome
// window, the stale or damaged file gone, the catalogue as it was (a played
// hand of an edited game counts once).
TEST_F(HandKeeping, StaleOrDamagedFileGivesTheWelcomeWindow)
{
    const struct {
        const char* what;
        std::function<void()> change;
        bool chooserOnGame;
        const char* played;  // Klondike's GamesPlayed afterwards
    } cases[] = {
        {"definition edited", [] { test::WriteFile("klondike.ini", test::ReadFile("klondike.ini") + "; edited\n"); },
         true, "1"},
        {"definition removed", [] { fs::remove("klondike.ini"); }, true, "1"},
        {"game taken off the list",
         [] {
             std::string text = test::ReadFile("vexasolit.ini");
             text.erase(text.find("Klondike="), text.find('\n', text.find("Klondike=")) - text.find("Klondike=") + 1);
             test::WriteFile("vexasolit.ini", text);
         },
         false, "0"},
        {"file cut short",
         [] {
             const std::string text = test::ReadFile("hand.ini");
             test::WriteFile("hand.ini", text.substr(0, text.size() / 2));
         },
         false, "0"},
        {"a card moved in the file, sum made again",
         [] {
             std::string text = test::ReadFile("hand.ini");
             std::string body = text.substr(0, text.find("[Check]"));
             body.replace(body.find(" 4u"), 3, " 28u");  // two cards 28
             test::WriteFile("hand.ini", body + "[Check]\nSum=" + TextIdentity(body) + "\n");
         },
         true, "0"},
        {"a journal step changed, sum made again",
         [] {
             std::string text = test::ReadFile("hand.ini");
             std::string body = text.substr(0, text.find("[Check]"));
             const std::size_t undo = body.find("[Undo1]\n1=");
             body[undo + 10] = body[undo + 10] == '0' ? '1' : '0';
             test::WriteFile("hand.ini", body + "[Check]\nSum=" + TextIdentity(body) + "\n");
         },
         true, "0"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        for (const auto& entry : fs::directory_iterator(dir.Path())) fs::remove(entry.path());
        SetUp();
        LeaveKeepingHand(*PlayKlondike());
        ASSERT_TRUE(KeptFileExists());
        c.change();
        std::string catalogue = Catalogue();
        auto next = Start(2);
        EXPECT_FALSE(ResumeKeptHand(*next));
        EXPECT_TRUE(next->Welcome);
        EXPECT_TRUE(ui.messages.empty());
        EXPECT_FALSE(KeptFileExists());
        EXPECT_EQ(IniFile("./vexasolit.ini").ReadString("Klondike", "GamesPlayed", "0"), c.played);
        if (std::string(c.played) == "0") {
            EXPECT_EQ(Catalogue(), catalogue);
        }
        const int index = next->Chooser.ItemIndex;
        EXPECT_EQ(next->Chooser.Items[static_cast<std::size_t>(index)] == "Klondike", c.chooserOnGame);
    }
}

}  // namespace
}  // namespace vexa
