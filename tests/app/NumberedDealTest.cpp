// Numbered deals on copies of the bundled games: a hand's number is the
// generator's state when its shuffle started, and dealing that number again
// gives the same hand in any run, after anything played before.
#include <gtest/gtest.h>

#include <filesystem>

#include "app/GameLoader.h"
#include "app/NewHand.h"
#include "core/Session.h"
#include "records/KeptHand.h"
#include "rules/ClickDispatch.h"
#include "support/FakeEnvironment.h"
#include "support/TestSupport.h"
#include "table/Deal.h"

namespace vexa {
namespace {

namespace fs = std::filesystem;

class NumberedDeal : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (const auto& entry : fs::directory_iterator(fs::path(VEXA_SOURCE_DIR) / "games"))
            fs::copy_file(entry.path(), dir.Path() / entry.path().filename());
    }
    // A run as the program starts it: the generator starts at seed.
    std::unique_ptr<Session> Start(std::uint32_t seed)
    {
        clock.seed = seed;
        auto session = std::make_unique<Session>(pictures, ui, clock, 1920, 1080);
        CreateChooser(*session);
        return session;
    }
    static void Choose(Session& session, const std::string& game)
    {
        const auto& items = session.Chooser.Items;
        const auto at = std::find(items.begin(), items.end(), game);
        ASSERT_NE(at, items.end()) << game;
        session.Chooser.ItemIndex = static_cast<int>(at - items.begin());
        SelectGame(session);
    }
    // Some play that moves cards and may draw from the generator (a
    // reshuffling pile): clicks on cards and piles across the table.
    static void PlayAWhile(Session& session)
    {
        for (int step = 0; step < 60; ++step) {
            Card& card = session.Board.CardAt(1 + (step * 37) % CardCount);
            if (CanClickCard(session, card)) DispatchClick(session, &card);
            const Pile* pile = session.Board.PileAt(1 + step % (session.Board.ControlCount() - 1));
            if (pile && CanClickPileArea(session, *pile)) DispatchClick(session, const_cast<Pile*>(pile));
        }
    }

    test::TempDir dir;
    test::InDirectory cwd{dir.Path()};
    NullPictureSource pictures;
    test::RecordingUi ui;
    test::ManualClock clock;
};

// One game of each kind of deal: one deck, two decks, Preplay cards set
// aside, Extract cards diverted, Postdeal, and a pile that reshuffles in
// play with the same generator (the driver's script tries fewer kinds).
const char* const Games[] = {"Klondike",    "FreeCell",       "Spider (800x600)", "Beleaguered Castle",
                             "Calculation", "Auld Lang Syne", "La Belle Lucie"};

// Restart and other numbers giving other hands are left to the driver's
// script.
TEST_F(NumberedDeal, TheSameNumberGivesTheSameHandWhateverWasPlayedBefore)
{
    for (const char* game : Games) {
        SCOPED_TRACE(game);
        // The first hand of a run is the number the generator started at.
        auto first = Start(1234);
        Choose(*first, game);
        ASSERT_EQ(first->DealNumber, std::optional<std::uint32_t>(1234));
        const std::vector<KeptPile> hand = PilesOnTable(*first);
        const DeckOrder deck = first->Deck;
        const std::uint32_t after = first->Rng.State();

        // Another run, other hands dealt and played: deal 1234 is the same
        // hand, and the generator goes on from where that shuffle left it.
        auto other = Start(99);
        Choose(*other, game);
        for (int i = 0; i < 3; ++i) {
            PlayAWhile(*other);
            DealNewHand(*other, NewHandKind::Deal);
        }
        PlayAWhile(*other);
        DealNumberedHand(*other, 1234);
        EXPECT_EQ(other->DealNumber, std::optional<std::uint32_t>(1234));
        EXPECT_EQ(PilesOnTable(*other), hand);
        EXPECT_EQ(other->Deck, deck);
        EXPECT_EQ(other->Rng.State(), after);
    }
}

// An ordinary new hand draws as it always did; its number is the state the
// generator was in, and dealing that number elsewhere gives the same hand.
TEST_F(NumberedDeal, AnOrdinaryDealIsNumberedByTheStateItStartedFrom)
{
    auto session = Start(777);
    Choose(*session, "Klondike");
    PlayAWhile(*session);
    const std::uint32_t state = session->Rng.State();
    Random expected(state);
    DeckOrder order;
    Shuffle(order, {1, {}, {}, 0}, expected);
    DealNewHand(*session, NewHandKind::Deal);
    EXPECT_EQ(session->DealNumber, std::optional<std::uint32_t>(state));
    EXPECT_EQ(session->Deck, order);
    EXPECT_EQ(session->Rng.State(), expected.State());

    auto other = Start(5);
    Choose(*other, "Klondike");
    DealNumberedHand(*other, state);
    EXPECT_EQ(PilesOnTable(*other), PilesOnTable(*session));
}

// A numbered deal closes the hand in play like any new hand: a played hand
// counts once, an unplayed one not at all.
TEST_F(NumberedDeal, StatisticsCountANumberedDealLikeAnyOtherHand)
{
    auto session = Start(1);
    Choose(*session, "Klondike");
    const int played = session->Stats.GamesPlayed;
    DealNumberedHand(*session, 42);
    EXPECT_EQ(session->Stats.GamesPlayed, played);
    session->HandPlayed = true;
    DealNumberedHand(*session, 42);
    EXPECT_EQ(session->Stats.GamesPlayed, played + 1);
    EXPECT_FALSE(session->HandPlayed);
    EXPECT_FALSE(session->Menu.Undo);
}

TEST_F(NumberedDeal, ALoadThatStopsLeavesNoNumber)
{
    test::WriteFile(dir.Path() / "broken.ini", "[Broken]\nPILE1=10,10,71,96,2,3,0,0,0,402,0,0,0,-\nPILE2=oops\n");
    std::string catalogue = test::ReadFile(dir.Path() / "vexasolit.ini");
    catalogue.replace(catalogue.find("[Gamelist]\n"), 11, "[Gamelist]\nBroken=broken.ini\n");
    test::WriteFile(dir.Path() / "vexasolit.ini", catalogue);
    auto session = Start(3);
    Choose(*session, "Klondike");
    ASSERT_TRUE(session->DealNumber);
    EXPECT_FALSE(test::ErrorOf([&] { Choose(*session, "Broken"); }).empty());
    EXPECT_TRUE(session->Inert);
    EXPECT_FALSE(session->DealNumber);
}

TEST(DealNumberText, OnlyDecimalNumbersOfThirtyTwoBitsAreNumbers)
{
    const struct {
        const char* text;
        std::optional<std::uint32_t> number;
    } cases[] = {
        {"0", 0u},
        {"1234", 1234u},
        {"0000001234", 1234u},
        {"4294967295", 4294967295u},
        {"4294967296", std::nullopt},
        {"9999999999", std::nullopt},
        {"00000000001", std::nullopt},
        {"", std::nullopt},
        {"-1", std::nullopt},
        {"+1", std::nullopt},
        {" 12", std::nullopt},
        {"12 ", std::nullopt},
        {"12a", std::nullopt},
        {"0x10", std::nullopt},
    };
    for (const auto& c : cases) EXPECT_EQ(ParseDealNumber(c.text), c.number) << '"' << c.text << '"';
}

}  // namespace
}  // namespace vexa
