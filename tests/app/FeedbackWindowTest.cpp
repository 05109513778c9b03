// The window's feedback around play on the offscreen platform: the status
// bar's moves, time and redeals, the shortcuts for a new hand, the
// double-click to the foundation and the sign of a refused drop.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMenuBar>
#include <QMouseEvent>
#include <QTest>

#include "app/RefusedSign.h"
#include "app/StatusBar.h"
#include "records/Statistics.h"
#include "support/WindowTest.h"
#include "table/PileLayout.h"

namespace vexa {
namespace {

class FeedbackWindowTest : public test::WindowTest {
protected:
    void SetUp() override
    {
        dir.Write("vexasolit.ini", "[Gamelist]\nFeed=feed.ini\n");
        // A column that lifts its top card, two foundations that build up in
        // suit from an Ace, a stock with two redeals and its waste.
        dir.Write("feed.ini",
                  "[Feed]\nName=Feed\nRedeals=2\nFormwidth=560\nFormheight=300\n"
                  "PILE1=20,10,71,200,0,2,1,109,209,401,0,0,0,UUU\n"
                  "PILE2=120,10,71,96,2,3,0,106,203,402,0,0,0,-\n"
                  "PILE3=220,10,71,96,2,3,0,106,203,402,0,0,0,-\n"
                  "PILE4=320,10,71,96,2,0,90,0,0,402,301,0,0," +
                      std::string(49, 'D') +
                      "\n"
                      "PILE5=420,10,71,96,2,1,1,0,0,402,0,0,0,-\n");
        form = std::make_unique<MainWindow>(library, clock);
        form->show();
        form->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
        Load();
    }
    void Load()
    {
        WindowTest::Load("Feed");
        form->Status().StartHand();
        QApplication::processEvents();
    }
    // Lays the column out anew: its cards, bottom first.
    void Column(const std::string& cards)
    {
        Session& s = form->State();
        Pile& column = Pile1();
        while (column.Count() > 0) s.Board.MoveCard(*column.Top(), *s.Board.FindPile("PILE4"));
        test::PutCards(s.Board, column, cards);
        for (int position = 0; position < s.Board.ControlCount(); ++position)
            if (Pile* pile = s.Board.PileAt(position)) LayOutPile(*pile);
        form->Render();
    }
    Pile& Pile1() { return *form->State().Board.FindPile("PILE1"); }
    using WindowTest::CardView;
    CardWidget* CardView(const std::string& name)
    {
        return form->findChild<CardWidget*>(QString("Card%1").arg(test::CardIndex(name)));
    }
    // A double-click at a point of a widget, as the window system sends it:
    // a click, then the second press as a double-click event to whatever
    // lies there now, and its release.
    void DoubleClick(QWidget* widget, QPoint at)
    {
        const QPoint global = widget->mapToGlobal(at);
        QTest::mouseClick(widget, Qt::LeftButton, {}, at);
        QWidget* table = form->centralWidget();
        QWidget* below = table->childAt(table->mapFromGlobal(global));
        if (!below) below = table;
        const QPoint local = below->mapFromGlobal(global);
        QMouseEvent press(QEvent::MouseButtonDblClick, local, local, global, Qt::LeftButton, Qt::LeftButton, {});
        press.setTimestamp(++stamp);
        QApplication::sendEvent(below, &press);
        QMouseEvent release(QEvent::MouseButtonRelease, local, local, global, Qt::LeftButton, Qt::NoButton, {});
        release.setTimestamp(++stamp);
        QApplication::sendEvent(below, &release);
    }
    QString Label(const char* name) { return form->findChild<QLabel*>(name)->text(); }
    QAction* Action(const char* name) { return form->findChild<QAction*>(name); }

    quint64 stamp = 1000;
};

constexpr double Second = 1.0 / 86400;

TEST_F(FeedbackWindowTest, TheStatusBarShowsMovesTimeAndRedealsBelowAnUnchangedTable)
{
    Session& s = form->State();
    auto* bar = form->findChild<QStatusBar*>("StatusBar");
    ASSERT_NE(bar, nullptr);
    EXPECT_FALSE(bar->isHidden());
    EXPECT_EQ(Label("StatusMoves"), "Moves: 0");
    EXPECT_EQ(Label("StatusTime"), "Time: 0:00");
    EXPECT_EQ(Label("StatusRedeals"), "2 redeals left");
    // The table keeps the area the game defines; the bar lies below it.
    const QSize frame = form->frameGeometry().size() - form->geometry().size();
    const QRect table = form->centralWidget()->geometry();
    EXPECT_EQ(table.size(), QSize(560 - frame.width(), 300 - frame.height() - form->menuBar()->height()));
    EXPECT_EQ(s.ClientHeight, table.height());
    EXPECT_EQ(bar->geometry().top(), table.bottom() + 1);
    EXPECT_EQ(form->frameGeometry().height(), 300 + bar->height());
}

TEST_F(FeedbackWindowTest, TheMoveCounterFollowsMovesPileActionsUndoRedoAndANewHand)
{
    Column("9C 8D 5S");
    // A lift put back on its own pile changed nothing: no move.
    QTest::mouseClick(CardView("5S"), Qt::LeftButton, {}, QPoint(30, 5));
    ClickPileArea("PILE1");
    EXPECT_EQ(Label("StatusMoves"), "Moves: 0");
    // A pile action (the stock turns a card) counts one, and so does a move.
    Card& stockTop = *PileNamed("PILE4").Top();
    QTest::mouseClick(form->findChild<CardWidget*>(QString("Card%1").arg(stockTop.Index())), Qt::LeftButton, {},
                      QPoint(30, 5));
    EXPECT_EQ(Label("StatusMoves"), "Moves: 1");
    QTest::mouseClick(CardView("5S"), Qt::LeftButton, {}, QPoint(30, 5));
    ClickPileArea("PILE3");  // refused: the foundation takes an Ace first
    ClickPileArea("PILE1");
    EXPECT_EQ(Label("StatusMoves"), "Moves: 1");
    form->Undo();
    EXPECT_EQ(Label("StatusMoves"), "Moves: 0");
    form->Redo();
    EXPECT_EQ(Label("StatusMoves"), "Moves: 1");
    // Autoplay's run is one move.
    Column("9C AH");
    form->Autoplay();
    EXPECT_EQ(Label("StatusMoves"), "Moves: 2");
    form->NewHand(NewHandKind::Restart);
    EXPECT_EQ(Label("StatusMoves"), "Moves: 0");
}

TEST_F(FeedbackWindowTest, TheHandTimeCountsOnlyWhileActiveAndStartsAgainWithEachHand)
{
    Session& s = form->State();
    clock.now += 75 * Second;
    form->Status().Refresh();
    EXPECT_EQ(Label("StatusTime"), "Time: 1:15");
    // The time in game and the hand's time stop together while inactive.
    ApplicationDeactivated(s);
    clock.now += 600 * Second;
    form->Status().Refresh();
    EXPECT_EQ(Label("StatusTime"), "Time: 1:15");
    ApplicationActivated(s);
    clock.now += 5 * Second;
    form->Status().Refresh();
    EXPECT_EQ(Label("StatusTime"), "Time: 1:20");
    // Opening the statistics folds the running period in: no jump.
    OpenStatistics(s);
    form->Status().Refresh();
    EXPECT_EQ(Label("StatusTime"), "Time: 1:20");
    clock.now += 3600 * Second;
    form->Status().Refresh();
    EXPECT_EQ(Label("StatusTime"), "Time: 61:20");

    form->NewHand(NewHandKind::Deal);
    EXPECT_EQ(Label("StatusTime"), "Time: 0:00");
    clock.now += 9 * Second;
    form->NewHand(NewHandKind::Restart);
    EXPECT_EQ(Label("StatusTime"), "Time: 0:00");
}

TEST_F(FeedbackWindowTest, F2AndCtrlNDealAndCtrlRRestartsFromTheGameMenu)
{
    EXPECT_EQ(Action("Newgame1")->shortcuts(), (QList<QKeySequence>{QKeySequence(Qt::Key_F2), QKeySequence("Ctrl+N")}));
    EXPECT_EQ(Action("Replay1")->shortcut(), QKeySequence("Ctrl+R"));
    Session& s = form->State();
    const auto dealt = s.Deck;
    Column("9C 8D 5S");
    ClickPileArea("PILE4");  // a move to take back
    QTest::keyClick(form.get(), Qt::Key_R, Qt::ControlModifier);
    EXPECT_EQ(s.Deck, dealt);
    EXPECT_TRUE(s.Journal.UndoSteps.empty());
    EXPECT_EQ(PileNamed("PILE4").Count(), 49);  // dealt again as at the start

    QTest::keyClick(form.get(), Qt::Key_F2);
    const auto second = s.Deck;
    EXPECT_NE(second, dealt);
    QTest::keyClick(form.get(), Qt::Key_N, Qt::ControlModifier);
    EXPECT_NE(s.Deck, second);
}

TEST_F(FeedbackWindowTest, ADoubleClickSendsTheCardToAFoundationAsOneUndoStep)
{
    Session& s = form->State();
    Column("9C 2H AH");
    DoubleClick(CardView("AH"), QPoint(30, 5));
    EXPECT_FALSE(s.Carrying);
    EXPECT_EQ(test::Describe(PileNamed("PILE2")), "AH");
    form->View().FinishAnimations();
    EXPECT_FALSE(CardView("AH")->isHidden());
    // The next one goes onto it, not onto the empty foundation after it.
    DoubleClick(CardView("2H"), QPoint(30, 5));
    EXPECT_EQ(test::Describe(PileNamed("PILE2")), "AH 2H");
    EXPECT_EQ(test::Describe(PileNamed("PILE3")), "");
    EXPECT_EQ(Label("StatusMoves"), "Moves: 2");
    form->Undo();
    EXPECT_EQ(test::Describe(Pile1()), "9C 2H");
    EXPECT_EQ(test::Describe(PileNamed("PILE2")), "AH");
}

TEST_F(FeedbackWindowTest, ADoubleClickThatNoFoundationTakesActsAsTwoClicks)
{
    Session& s = form->State();
    Column("9C 5S");
    DoubleClick(CardView("5S"), QPoint(30, 5));
    // Lifted and put back on its own pile, as two clicks do.
    EXPECT_FALSE(s.Carrying);
    EXPECT_EQ(test::Describe(Pile1()), "9C 5S");
    EXPECT_TRUE(s.Journal.UndoSteps.empty());
    // A double-click on the stock turns two cards.
    const int before = PileNamed("PILE4").Count();
    const Card& top = *PileNamed("PILE4").Top();
    DoubleClick(form->findChild<CardWidget*>(QString("Card%1").arg(top.Index())), QPoint(30, 5));
    EXPECT_EQ(PileNamed("PILE4").Count(), before - 2);
    EXPECT_EQ(PileNamed("PILE5").Count(), 2);
}

TEST_F(FeedbackWindowTest, ARefusedDropOutlinesThePileAndTheCardsStayCarried)
{
    Session& s = form->State();
    RefusedSign& sign = form->Refused();
    Column("9C 5S");
    QTest::mouseClick(CardView("5S"), Qt::LeftButton, {}, QPoint(30, 5));
    EXPECT_FALSE(sign.Showing());
    ClickPileArea("PILE2");
    EXPECT_TRUE(s.Carrying);
    ASSERT_TRUE(sign.Showing());
    EXPECT_EQ(sign.geometry(), PileView("PILE2")->geometry().adjusted(-3, -3, 3, 3));
    sign.Clear();
    // Put back on its own pile: no refusal.
    ClickPileArea("PILE1");
    EXPECT_FALSE(s.Carrying);
    EXPECT_FALSE(sign.Showing());
    // An accepted drop shows nothing either.
    Column("9C AH");
    QTest::mouseClick(CardView("AH"), Qt::LeftButton, {}, QPoint(30, 5));
    ClickPileArea("PILE3");
    EXPECT_EQ(test::Describe(PileNamed("PILE3")), "AH");
    EXPECT_FALSE(sign.Showing());
}

}  // namespace
}  // namespace vexa
