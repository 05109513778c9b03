// "Winnable deals only" in the window on the offscreen platform: while
// hands are searched the window keeps handling its events, the progress
// dialog shows, and a game that is never proven winnable ends with the
// message and the last hand dealt; a game whose hands the solver rarely
// proves winnable is dealt as usual after one word to the player.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include <QApplication>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QSignalSpy>
#include <QProgressDialog>
#include <QTimer>

#include "app/GameLoader.h"
#include "app/HintController.h"
#include "app/MainWindow.h"
#include "app/WinnableDeal.h"
#include "app/WinnableDealDialog.h"
#include "cards/CardLibrary.h"
#include "rules/Solver.h"
#include "support/FakeEnvironment.h"
#include "support/OneCardColumns.h"
#include "support/TestSupport.h"

namespace vexa {
namespace {

// 52 one-card columns that take any card of their suit, and foundations
// that take nothing: far too many positions to search, and never a win, so
// every hand uses its whole share of the time.
std::string EndlessDefinition()
{
    std::string game = "[Endless]\nName=Endless\nFormwidth=1000\nFormheight=700\nAutoplay=0\n";
    for (int i = 0; i < 4; ++i)
        game += "PILE0" + std::to_string(i) + "=" + std::to_string(10 + 80 * i) + ",10,71,96,2,3,0,106,0,402,0,0,0,-\n";
    for (int i = 0; i < 52; ++i)
        game += "PILE" + std::to_string(10 + i) + "=" + std::to_string(10 + 18 * (i % 13)) + "," +
                std::to_string(120 + 100 * (i / 13)) + ",71,96,2,2,1,120,0,402,0,0,0,U\n";
    return game;
}

// The game loaded in a window; the catalogue is written before the window
// reads it.
struct EndlessGame {
    EndlessGame()
    {
        s.Chooser.ItemIndex = 0;
        form.Guard([&] { SelectGame(s); });
    }
    test::TempDir dir;
    test::InDirectory cwd{dir.Path()};
    bool written = (dir.Write("vexasolit.ini", "[Gamelist]\nEndless=endless.ini\n[General]\nWinnableOnly=1\n"),
                    dir.Write("endless.ini", EndlessDefinition()), true);
    CardLibrary library{{qEnvironmentVariable("VEXA_CARDS_DIR")}};
    test::ManualClock clock;
    MainWindow form{library, clock};
    Session& s = form.State();
};

// Holds the search thread until released() holds or Stop is pressed. The
// guard only turns a window that never handles its events into a failure
// (the search then ends unreleased); it never lets a test pass.
SolveOutcome HoldUntil(const std::atomic<bool>& cancel, const std::function<bool()>& released)
{
    const auto guard = std::chrono::steady_clock::now() + std::chrono::minutes(2);
    while (!cancel.load() && !released() && std::chrono::steady_clock::now() < guard)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    return SolveOutcome::Unknown;
}

TEST(WinnableDealDialog, StopSaysTheHandWasNotChecked)
{
    EndlessGame endless;
    // Stop is pressed as soon as the window handles its first event; the
    // search is held until then.
    QTimer stopper;
    QObject::connect(&stopper, &QTimer::timeout, [&] {
        if (auto* progress = endless.form.findChild<QProgressDialog*>("WinnableProgress")) progress->cancel();
    });
    stopper.start(0);
    std::string told;
    DealWinnableWithProgress(
        endless.form, endless.s, [&](const std::string& text) { told = text; },
        [](const std::atomic<bool>& cancel) { return HoldUntil(cancel, [] { return false; }); });
    stopper.stop();
    EXPECT_EQ(told, "The search was stopped; this hand was not checked.");
}

TEST(WinnableDealDialog, TheWindowKeepsHandlingEventsWhileHandsAreSearched)
{
    EndlessGame endless;
    MainWindow& form = endless.form;
    Session& s = endless.s;

    // The first hand's search is held until the window has handled timer
    // events while it ran and has shown the progress dialog: a window that
    // handled its events only between hands never releases it.
    std::atomic<bool> searching{false};
    std::atomic<bool> released{false};
    int ticks = 0;
    bool progressShown = false;
    QTimer ticker;
    QObject::connect(&ticker, &QTimer::timeout, [&] {
        if (!searching.load() || released.load()) return;
        ++ticks;
        if (auto* progress = form.findChild<QProgressDialog*>("WinnableProgress"); progress && progress->isVisible())
            progressShown = true;
        if (ticks >= 3 && progressShown) released.store(true);
    });
    ticker.start(5);
    int hands = 0;
    std::string told;
    DealWinnableWithProgress(
        form, s, [&](const std::string& text) { told = text; },
        [&](const std::atomic<bool>& cancel) {
            ++hands;
            searching.store(true);
            return HoldUntil(cancel, [&] { return released.load(); });
        });
    ticker.stop();

    EXPECT_TRUE(released.load());
    EXPECT_GE(ticks, 3);
    EXPECT_TRUE(progressShown);
    EXPECT_GE(hands, 1);
    EXPECT_EQ(told, "No winnable hand was found in time; this hand may not be winnable.");
    int dealt = 0;
    for (int position = 0; position < s.Board.ControlCount(); ++position)
        if (const Pile* pile = s.Board.PileAt(position); pile && pile != &s.Board.DragPile()) dealt += pile->Count();
    EXPECT_EQ(dealt, 52);
    EXPECT_FALSE(s.Carrying);
    // The status bar names the hand left on the table (that the number
    // gives this hand is the search's own test).
    form.Render();
    ASSERT_TRUE(s.DealNumber);
    EXPECT_EQ(form.findChild<QLabel*>("StatusDeal")->text(), QString("Deal %1").arg(*s.DealNumber));
}

// A game whose hands the probe never proves winnable is dealt as usual and
// the player is told so once per choice of the game; a game it wins deals
// by the search and says nothing.
TEST(WinnableDealDialog, AGameRarelyConfirmedIsDealtAsUsualAndSaidOncePerChoice)
{
    test::TempDir dir;
    test::InDirectory cwd{dir.Path()};
    dir.Write("vexasolit.ini", "[Gamelist]\nStuck=stuck.ini\nEasy=easy.ini\n[General]\nWinnableOnly=1\n");
    dir.Write("stuck.ini", test::OneCardColumns("Stuck", 0));
    dir.Write("easy.ini", test::OneCardColumns("Easy", 203));
    CardLibrary library{{qEnvironmentVariable("VEXA_CARDS_DIR")}};
    test::ManualClock clock;
    MainWindow form(library, clock);
    Session& s = form.State();
    auto choose = [&](int index) {
        s.Chooser.ItemIndex = index;
        form.Guard([&] { SelectGame(s); });
    };
    std::vector<std::string> told;
    auto tell = [&](const std::string& text) { told.push_back(text); };
    bool progressShown = false;
    QTimer watcher;
    QObject::connect(&watcher, &QTimer::timeout, [&] {
        if (auto* progress = form.findChild<QProgressDialog*>("WinnableProgress"); progress && progress->isVisible())
            progressShown = true;
    });
    watcher.start(5);

    // The chooser lists the games by name: Easy, then Stuck.
    WinnableDealer dealer;
    choose(1);
    const std::string hand = test::Describe(*s.Board.FindPile("PILE10"));
    const std::uint32_t generator = s.Rng.State();
    dealer.Deal(form, s, true, tell);
    ASSERT_EQ(told.size(), 1u);
    EXPECT_EQ(told[0], WinnableRarelyConfirmedText);
    // The probe's busy pointer is gone with it.
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    // The hand stays as dealt, the generator untouched: no shuffle again.
    EXPECT_EQ(test::Describe(*s.Board.FindPile("PILE10")), hand);
    EXPECT_EQ(s.Rng.State(), generator);
    // Further deals of the game say nothing; choosing it again says it again.
    dealer.Deal(form, s, false, tell);
    EXPECT_EQ(told.size(), 1u);
    choose(1);
    dealer.Deal(form, s, true, tell);
    EXPECT_EQ(told.size(), 2u);
    EXPECT_FALSE(progressShown);

    choose(0);
    dealer.Deal(form, s, true, tell);
    EXPECT_EQ(told.size(), 2u);
    watcher.stop();
}

// A hand proven winnable leaves its winning line with the hint, which then
// answers at once.
TEST(WinnableDealDialog, TheProvenHandsLineAnswersTheFirstHintAtOnce)
{
    // 52 one-card columns and four foundations that build up in suit from
    // an Ace: every hand wins.
    std::string game = "[Easy]\nName=Easy\nFormwidth=1000\nFormheight=700\nAutoplay=0\n";
    for (int i = 0; i < 4; ++i)
        game += "PILE0" + std::to_string(i) + "=" + std::to_string(10 + 80 * i) + ",10,71,96,2,3,0,106,203,402,0,0,0,-\n";
    for (int i = 0; i < 52; ++i)
        game += "PILE" + std::to_string(10 + i) + "=" + std::to_string(10 + 18 * (i % 13)) + "," +
                std::to_string(120 + 100 * (i / 13)) + ",71,96,2,2,1,0,0,402,0,0,0,U\n";
    test::TempDir dir;
    test::InDirectory cwd{dir.Path()};
    dir.Write("vexasolit.ini", "[Gamelist]\nEasy=easy.ini\n[General]\nWinnableOnly=1\n");
    dir.Write("easy.ini", game);
    CardLibrary library{{qEnvironmentVariable("VEXA_CARDS_DIR")}};
    test::ManualClock clock;
    MainWindow form(library, clock);
    Session& s = form.State();
    s.Chooser.ItemIndex = 0;
    form.Guard([&] { SelectGame(s); });
    ASSERT_TRUE(s.WinnableOnly);

    form.NewHand(NewHandKind::Deal);
    EXPECT_EQ(form.Hint().Line().Size(), 52u);
    QSignalSpy answered(&form.Hint(), &HintController::Answered);
    form.Hint().Request();
    EXPECT_EQ(answered.count(), 1);
    QFrame* marker = form.findChild<QFrame*>("HintCard");
    ASSERT_NE(marker, nullptr);
    EXPECT_FALSE(marker->isHidden());
}

}  // namespace
}  // namespace vexa
