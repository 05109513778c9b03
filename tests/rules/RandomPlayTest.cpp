// Random play over every game of the bundled catalogue and of the rule test
// games: many hands of random clicks on cards, piles, the background and the
// game buttons, and undos. After every click each card lies in exactly one
// place and the carry state is consistent; at the end of each hand undoing
// every step gives back the table exactly as it was dealt, and redoing them
// all gives back the table as it was played, with its counters, shown
// piles, hints and score.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <random>

#include "app/GameLoader.h"
#include "app/NewHand.h"
#include "core/Session.h"
#include "records/GameButtons.h"
#include "records/UndoJournal.h"
#include "rules/ClickDispatch.h"
#include "rules/MoveRules.h"
#include "support/FakeEnvironment.h"
#include "support/TestSupport.h"

namespace vexa {
namespace {

namespace fs = std::filesystem;

// About 36 hands per catalogue, at least three per game, so that the run
// stays short under the sanitizers as the catalogue grows.
int HandsPerGame(std::size_t games) { return std::max(3, static_cast<int>(36 / std::max<std::size_t>(games, 1))); }
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

// The table image with the score and every pile's hint: what a redo must
// give back besides the cards.
std::vector<std::string> PlayedImage(const Session& session)
{
    std::vector<std::string> image = TableImage(session);
    image.push_back("score " + std::to_string(session.Score));
    const Table& table = session.Board;
    for (int position = 0; position < table.ControlCount(); ++position)
        if (const Pile* pile = table.PileAt(position); pile && pile->ShowHint)
            image.push_back(pile->Name + " hint " + pile->Hint);
    return image;
}

// A random game button, or null when the game has none.
GameButton* RandomButton(Session& session, std::mt19937& random)
{
    std::vector<GameButton*> buttons;
    for (int position = 0; position < session.Board.ControlCount(); ++position)
        if (Control* control = session.Board.ControlAt(position); control->Type() == ControlType::Button)
            buttons.push_back(static_cast<GameButton*>(control));
    return buttons.empty() ? nullptr : buttons[random() % buttons.size()];
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

// A random card or pile area that a player can click, or null (the
// background) when a few tries find none.
Control* RandomTarget(Session& session, std::mt19937& random, bool card)
{
    Table& table = session.Board;
    for (int attempt = 0; attempt < 24; ++attempt) {
        if (card) {
            Card& c = table.CardAt(1 + static_cast<int>(random() % (52 * session.Settings.Decks)));
            if (CanClickCard(session, c)) return &c;
        } else {
            Pile* pile = table.PileAt(static_cast<int>(random() % table.ControlCount()));
            if (pile && CanClickPileArea(session, *pile)) return pile;
        }
    }
    return nullptr;
}

// A clickable card or area of a pile other than the origin that takes the
// carried cards (asking the rule tables, which change nothing); the origin
// pile when there is none, so that the cards are put back.
Control* AcceptingTarget(Session& session, std::mt19937& random)
{
    Table& table = session.Board;
    const MovedCards moved{table.DragPile(), 0};
    std::vector<Control*> targets;
    for (int position = 0; position < table.ControlCount(); ++position) {
        Pile* pile = table.PileAt(position);
        if (!pile || pile == session.OriginPile || pile == &table.DragPile()) continue;
        if (!(pile->Count() > 0 ? DropRuleAccepts(session, *pile, moved) : EmptyDropRuleAccepts(session, *pile, moved)))
            continue;
        if (pile->Count() > 0 && CanClickCard(session, *pile->Top()))
            targets.push_back(pile->Top());
        else if (CanClickPileArea(session, *pile))
            targets.push_back(pile);
    }
    return targets.empty() ? session.OriginPile : targets[random() % targets.size()];
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
        for (int hand = 0; hand < HandsPerGame(session.Chooser.Items.size()); ++hand) {
            session.Rng.Seed(static_cast<std::uint32_t>(1000 * game + hand + 1));
            DealNewHand(session, NewHandKind::Deal);
            const auto dealt = TableImage(session);
            const std::size_t victories = ui.victories.size();
            for (int click = 0; click < ClicksPerHand; ++click, ++clicks) {
                const std::size_t stepsBefore = session.Journal.UndoSteps.size();
                const int kind = static_cast<int>(random() % 100);
                if (kind >= 97) {
                    if (session.Menu.Undo) UndoLastStep(session);
                } else if (kind >= 95) {
                    if (GameButton* button = RandomButton(session, random)) PressGameButton(session, *button);
                } else if (kind >= 92) {
                    DispatchClick(session, nullptr);
                } else {
                    // While carrying, most clicks go to a pile that takes the
                    // cards, so that hands get played; the rest anywhere.
                    DispatchClick(session, session.Carrying && kind < 70 ? AcceptingTarget(session, random)
                                                                         : RandomTarget(session, random, kind < 60));
                }
                if (session.Journal.UndoSteps.size() > stepsBefore) ++steps;
                ASSERT_TRUE(Consistent(session)) << name << " hand " << hand << " click " << click;
            }
            if (session.Carrying) DispatchClick(session, session.OriginPile);
            ASSERT_FALSE(session.Carrying);
            const auto played = PlayedImage(session);
            const std::size_t pending = session.Journal.RedoSteps.size();
            while (!session.Journal.UndoSteps.empty()) UndoLastStep(session);
            ASSERT_TRUE(Consistent(session));
            // Under scheme 5 nothing is redone, and a win turns the stock
            // onto the foundation after its step was recorded; such a hand
            // cannot be taken back whole (Undo is never enabled under that
            // scheme).
            if (session.Settings.Scoring == 5) {
                if (ui.victories.size() == victories) {
                    EXPECT_EQ(TableImage(session), dealt) << name << " hand " << hand;
                }
                continue;
            }
            EXPECT_EQ(TableImage(session), dealt) << name << " hand " << hand;
            // Steps undone during play and not replaced lie below those.
            while (session.Journal.RedoSteps.size() > pending) RedoLastStep(session);
            ASSERT_TRUE(Consistent(session));
            EXPECT_EQ(PlayedImage(session), played) << name << " hand " << hand;
        }
    }
    std::printf("random clicks: %ld over %zu games, %ld undo steps recorded\n", clicks, session.Chooser.Items.size(),
                steps);
}

// Drags (as the window makes them: the lift click on a card, then the click
// on what lies below the release, then, while still carrying, a click on
// the origin pile) mixed with clicks, undo and redo. A redo gives back
// exactly the table the undo took away; undoing everything gives back the
// deal.
TEST_P(RandomPlay, DragsUndoAndRedoKeepCardsInOnePlaceAndGiveBackTheDeal)
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
    std::mt19937 random(8122026);
    long actions = 0;
    long redos = 0;

    for (std::size_t game = 0; game < session.Chooser.Items.size(); ++game) {
        const std::string name = session.Chooser.Items[game];
        session.Chooser.ItemIndex = static_cast<int>(game);
        ASSERT_EQ(test::ErrorOf([&] { SelectGame(session); }), "") << name;
        for (int hand = 0; hand < std::max(2, HandsPerGame(session.Chooser.Items.size()) / 2); ++hand) {
            session.Rng.Seed(static_cast<std::uint32_t>(7000 * game + hand + 1));
            DealNewHand(session, NewHandKind::Deal);
            const auto dealt = TableImage(session);
            const std::size_t victories = ui.victories.size();
            std::vector<std::vector<std::string>> undone;  // tables an undo took away, newest last
            for (int action = 0; action < ClicksPerHand; ++action, ++actions) {
                const int kind = static_cast<int>(random() % 100);
                const std::size_t stepsBefore = session.Journal.UndoSteps.size();
                if (kind >= 90 && !session.Carrying) {
                    if (kind >= 95 && session.Menu.Redo) {
                        DispatchClick(session, nullptr);  // a background click changes nothing
                        RedoLastStep(session);
                        ++redos;
                        ASSERT_FALSE(undone.empty());
                        EXPECT_EQ(TableImage(session), undone.back()) << name << " hand " << hand;
                        undone.pop_back();
                    } else if (session.Menu.Undo) {
                        undone.push_back(TableImage(session));
                        UndoLastStep(session);
                    }
                } else if (kind >= 50 && !session.Carrying) {
                    // A drag from a random card.
                    DispatchClick(session, RandomTarget(session, random, true));
                    if (session.Carrying) {
                        DispatchClick(session, kind < 80 ? AcceptingTarget(session, random)
                                                         : RandomTarget(session, random, kind < 85));
                        if (session.Carrying) DispatchClick(session, session.OriginPile);
                    }
                    ASSERT_FALSE(session.Carrying) << name << " hand " << hand;
                } else {
                    DispatchClick(session, session.Carrying && kind < 40 ? AcceptingTarget(session, random)
                                                                         : RandomTarget(session, random, kind < 30));
                }
                // A new step empties what could be redone.
                if (session.Journal.UndoSteps.size() > stepsBefore && !session.Menu.Redo) undone.clear();
                ASSERT_TRUE(Consistent(session)) << name << " hand " << hand << " action " << action;
                ASSERT_EQ(session.Menu.Redo, !undone.empty()) << name << " hand " << hand << " action " << action;
            }
            if (session.Carrying) DispatchClick(session, session.OriginPile);
            while (!session.Journal.UndoSteps.empty()) UndoLastStep(session);
            ASSERT_TRUE(Consistent(session));
            if (session.Settings.Scoring == 5 && ui.victories.size() > victories) continue;
            EXPECT_EQ(TableImage(session), dealt) << name << " hand " << hand;
        }
    }
    std::printf("drags, clicks, undo and redo: %ld actions, %ld redos\n", actions, redos);
}

INSTANTIATE_TEST_SUITE_P(Catalogues, RandomPlay, ::testing::Values(VEXA_GAMES_DIR, VEXA_RULE_GAMES_DIR),
                         [](const auto& info) { return info.index == 0 ? "Bundled" : "RuleTestGames"; });

}  // namespace
}  // namespace vexa
