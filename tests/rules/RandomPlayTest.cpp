// Random play over every game of the bundled catalogue and of the rule test
// games: many hands of random clicks on cards, piles and the background,
// and undos. After every click each card lies in exactly one place and the
// carry state is consistent; at the end of each hand undoing every step
// gives back the table exactly as it was dealt.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <random>

#include "app/GameLoader.h"
#include "app/NewHand.h"
#include "core/Session.h"
#include "records/UndoJournal.h"
#include "rules/ClickDispatch.h"
#include "rules/MoveRules.h"
#include "support/FakeEnvironment.h"
#include "support/TestSupport.h"

namespace vexa {
namespace {

namespace fs = std::filesystem;

constexpr int HandsPerGame = 10;
constexpr int ClicksPerHand = 400;

// Every table pile with its visibility and its cards (index, face,
// visibility), and the two journaled counters.
std::vector<std::string> TableImage(const Session& session)
{
    std::vector<std::string> image;
    const Table& table = session.Board;
    for (int position = 0; position < table.ControlCount(); ++position) {
        const Pile* pile = table.PileAt(position);
        if (!pile || pile == &table.DragPile()) continue;
        std::string line = pile->Name + (pile->Visible ? " shown:" : " hidden:");
        for (const Card* card : pile->Cards())
            line += ' ' + std::to_string(card->Index()) + (card->Face.State() == ctBack ? 'd' : 'u') +
                    (card->Visible ? "" : ".");
        image.push_back(line);
    }
    image.push_back("redeals " + std::to_string(session.RedealsLeft));
    image.push_back("onetime " + std::to_string(session.OneTimeMove));
    return image;
}

// Each of the 104 cards in exactly one container, which is its parent, and
// cards carried exactly while Carrying is set.
::testing::AssertionResult Consistent(Session& session)
{
    Table& table = session.Board;
    std::vector<int> seen(CardCount + 1, 0);
    auto count = [&](const CardContainer& container) -> std::string {
        for (const Card* card : container.Cards()) {
            ++seen[static_cast<std::size_t>(card->Index())];
            if (card->Parent() != &container) return "card " + std::to_string(card->Index()) + " has another parent";
        }
        return "";
    };
    for (int position = 0; position < table.ControlCount(); ++position)
        if (const Pile* pile = table.PileAt(position))
            if (auto fault = count(*pile); !fault.empty()) return ::testing::AssertionFailure() << fault;
    for (const CardContainer* container : {&table.Store(), &table.Window()})
        if (auto fault = count(*container); !fault.empty()) return ::testing::AssertionFailure() << fault;
    for (int i = 1; i <= CardCount; ++i)
        if (seen[static_cast<std::size_t>(i)] != 1)
            return ::testing::AssertionFailure()
                   << "card " << i << " lies in " << seen[static_cast<std::size_t>(i)] << " places";
    const bool carried = table.DragPile().Count() > 0;
    if (carried != session.Carrying || session.Carrying != (session.OriginPile != nullptr))
        return ::testing::AssertionFailure()
               << "carry state: Carrying " << session.Carrying << ", " << table.DragPile().Count() << " cards carried";
    return ::testing::AssertionSuccess();
}

// Every card and pile area a player can click.
std::vector<Control*> Clickable(Session& session)
{
    std::vector<Control*> targets;
    Table& table = session.Board;
    for (int i = 1; i <= CardCount; ++i)
        if (CanClickCard(session, table.CardAt(i))) targets.push_back(&table.CardAt(i));
    for (int position = 0; position < table.ControlCount(); ++position)
        if (Pile* pile = table.PileAt(position); pile && CanClickPileArea(session, *pile)) targets.push_back(pile);
    return targets;
}

// Would the pile of a clicked card or pile take the carried cards (other
// than their origin)? Asks the rule tables, which change nothing.
bool Accepts(const Session& session, Control* target)
{
    const Pile* pile = target->Type() == ControlType::Card
                           ? dynamic_cast<const Pile*>(static_cast<Card*>(target)->Parent())
                           : static_cast<const Pile*>(target);
    if (!pile || pile == session.OriginPile) return false;
    const MovedCards moved{session.Board.DragPile(), 0};
    return pile->Count() > 0 ? DropRuleAccepts(session, *pile, moved) : EmptyDropRuleAccepts(session, *pile, moved);
}

class RandomPlay : public ::testing::TestWithParam<const char*> {};

TEST_P(RandomPlay, CardsStayInOnePlaceAndUndoGivesBackTheDeal)
{
    test::TempDir dir;
    for (const auto& entry : fs::directory_iterator(GetParam()))
        if (entry.path().extension() == ".ini") fs::copy_file(entry.path(), dir.Path() / entry.path().filename());
    test::InDirectory cwd{dir.Path()};
    NullPictureSource pictures;
    test::RecordingUi ui;
    test::ManualClock clock;
    Session session(pictures, ui, clock, 1920, 1080);
    CreateChooser(session);
    std::mt19937 random(20261208);
    long clicks = 0;
    long steps = 0;
    ASSERT_FALSE(session.Chooser.Items.empty());

    for (std::size_t game = 0; game < session.Chooser.Items.size(); ++game) {
        const std::string name = session.Chooser.Items[game];
        session.Chooser.ItemIndex = static_cast<int>(game);
        ASSERT_EQ(test::ErrorOf([&] { SelectGame(session); }), "") << name;
        for (int hand = 0; hand < HandsPerGame; ++hand) {
            session.Rng.Seed(static_cast<std::uint32_t>(1000 * game + hand + 1));
            DealNewHand(session, NewHandKind::Deal);
            const auto dealt = TableImage(session);
            const std::size_t victories = ui.victories.size();
            for (int click = 0; click < ClicksPerHand; ++click, ++clicks) {
                const std::size_t stepsBefore = session.Journal.UndoSteps.size();
                const int kind = static_cast<int>(random() % 100);
                if (kind >= 97) {
                    if (session.Menu.Undo) UndoLastStep(session);
                } else if (kind >= 92) {
                    DispatchClick(session, nullptr);
                } else {
                    // While carrying, most clicks go to a pile that takes the
                    // cards, so that hands get played; the rest anywhere.
                    std::vector<Control*> targets = Clickable(session);
                    if (session.Carrying && kind < 70) {
                        std::vector<Control*> accepting;
                        for (Control* target : targets)
                            if (Accepts(session, target)) accepting.push_back(target);
                        // Nowhere to go: put the cards back.
                        targets = accepting.empty() ? std::vector<Control*>{session.OriginPile} : accepting;
                    }
                    DispatchClick(session, targets.empty() ? nullptr : targets[random() % targets.size()]);
                }
                if (session.Journal.UndoSteps.size() > stepsBefore) ++steps;
                ASSERT_TRUE(Consistent(session)) << name << " hand " << hand << " click " << click;
            }
            if (session.Carrying) DispatchClick(session, session.OriginPile);
            ASSERT_FALSE(session.Carrying);
            while (!session.Journal.UndoSteps.empty()) UndoLastStep(session);
            ASSERT_TRUE(Consistent(session));
            // A win under scheme 5 turns the stock onto the foundation after
            // its step was recorded; such a hand cannot be taken back whole
            // (Undo is never enabled under that scheme).
            if (session.Settings.Scoring == 5 && ui.victories.size() > victories) continue;
            EXPECT_EQ(TableImage(session), dealt) << name << " hand " << hand;
        }
    }
    std::printf("random clicks: %ld over %zu games, %ld undo steps recorded\n", clicks, session.Chooser.Items.size(),
                steps);
}

INSTANTIATE_TEST_SUITE_P(Catalogues, RandomPlay, ::testing::Values(VEXA_GAMES_DIR, VEXA_RULE_GAMES_DIR),
                         [](const auto& info) { return info.index == 0 ? "Bundled" : "RuleTestGames"; });

}  // namespace
}  // namespace vexa
