// The bundled catalogue: every game of games/ loads through the program's
// own loading code and deals a full, well-placed hand from several seeds, in
// which every shown pile can be clicked.
#include <gtest/gtest.h>

#include <filesystem>

#include "app/DefinitionChecker.h"
#include "core/Session.h"
#include "defs/TextRules.h"
#include "rules/ClickDispatch.h"
#include "support/FakeEnvironment.h"
#include "support/TestSupport.h"
#include "table/Deal.h"

namespace vexa {
namespace {

class Catalogue : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (const auto& entry : std::filesystem::directory_iterator(VEXA_SOURCE_DIR "/games"))
            std::filesystem::copy_file(entry.path(), dir.Path() / entry.path().filename());
    }
    std::vector<std::string> Games()
    {
        CheckSession session(1);
        EXPECT_EQ(session.OpenCatalogue(), "");
        return session.Get().Chooser.Items;
    }

    test::TempDir dir;
    test::InDirectory cwd{dir.Path()};
};

TEST_F(Catalogue, HoldsThirtySixGamesOneOfThemNamedForItsWindowSize)
{
    const std::vector<std::string> games = Games();
    EXPECT_EQ(games.size(), 36u);
    EXPECT_EQ(std::count_if(games.begin(), games.end(), [](const std::string& g) { return g.ends_with(" (800x600)"); }),
              1);
}

TEST_F(Catalogue, EveryGameDealsEveryCardOnceInsideTheWindow)
{
    for (const std::string& game : Games()) {
        for (std::uint32_t seed : {1u, 2u, 77u, 12345u, 4000000000u}) {
            SCOPED_TRACE(game + " seed " + std::to_string(seed));
            CheckSession check(seed);
            ASSERT_EQ(check.OpenCatalogue(), "");
            ASSERT_EQ(check.Load(game), "");
            EXPECT_TRUE(check.Messages.empty());
            Session& session = check.Get();
            Table& table = session.Board;
            EXPECT_NE(session.HelpText, "Sorry, no information available.");
            EXPECT_EQ(CardPlacesFault(table), "");

            const int cards = CardsInPlay(session.Settings.Decks);
            int dealt = 0;
            const Rect budget = ClientBudget(session.Settings);
            for (int i = 0; i < table.ControlCount(); ++i) {
                Pile* pile = table.PileAt(i);
                if (!pile || pile == &table.DragPile()) continue;
                dealt += pile->Count();
                EXPECT_LE(pile->Kind, 5) << pile->Name;
                const Rect& b = pile->Bounds;
                EXPECT_TRUE(b.left >= 0 && b.top >= 0 && b.left + b.width <= budget.width &&
                            b.top + b.height <= budget.height)
                    << pile->Name << " lies outside the client area";
                for (Card* card : pile->Cards()) EXPECT_LE(card->Index(), cards) << pile->Name;
                // A player can click every shown pile: a card of it or its own area.
                if (pile->Visible) {
                    bool clickable = CanClickPileArea(session, *pile);
                    for (Card* card : pile->Cards()) clickable = clickable || CanClickCard(session, *card);
                    EXPECT_TRUE(clickable) << pile->Name << " cannot be clicked";
                }
            }
            EXPECT_EQ(dealt, cards);
            EXPECT_EQ(table.Store().Count(), CardCount - cards);
            EXPECT_EQ(check.Victories, 0);
        }
    }
}

}  // namespace
}  // namespace vexa
