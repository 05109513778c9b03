// The Hint command in the window on the offscreen platform: a winnable
// position gets the card and the target pile framed and nothing moves; a
// dead one gets the plain message; a second request replaces the first; a
// line that starts by turning the stock frames the stock's top card.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QFrame>
#include <QMessageBox>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include "app/GameLoader.h"
#include "app/HintController.h"
#include "app/StatusBar.h"
#include "app/MainWindow.h"
#include "cards/CardLibrary.h"
#include "support/FakeEnvironment.h"
#include "support/TestSupport.h"
#include "table/PileLayout.h"

namespace vexa {
namespace {

class HintTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        // Four foundations and two columns; the deal places nothing, the
        // test lays out the cards.
        Load(
            "[End]\nName=End\nFormwidth=600\nFormheight=400\nAutoplay=0\n"
            "PILE5=10,120,71,250,0,2,1,103,201,401,0,0,0,-\n"
            "PILE6=90,120,SAME\n");
    }
    // Loads a one-game catalogue: four foundations PILE1 to PILE4 and the
    // piles the definition adds, in a fresh window.
    void Load(const std::string& definition)
    {
        const std::string foundations =
            "PILE1=10,10,71,96,2,3,0,106,203,402,0,0,0,-\n"
            "PILE2=90,10,SAME\nPILE3=170,10,SAME\nPILE4=250,10,SAME\n";
        const std::size_t piles = definition.find("PILE");
        // The catalogue names the game by its section.
        const std::string name = definition.substr(1, definition.find(']') - 1);
        dir.Write("vexasolit.ini", "[Gamelist]\n" + name + "=game.ini\n");
        dir.Write("game.ini", definition.substr(0, piles) + foundations + definition.substr(piles));
        form = std::make_unique<MainWindow>(library, clock);
        // A number of positions instead of seconds, so that the answer does
        // not depend on the machine's speed.
        form->Hint().Budget = SolverBudget{};
        form->Hint().Budget.MaxStates = 200000;
        Session& s = form->State();
        s.Chooser.ItemIndex = 0;
        form->Guard([&] { SelectGame(s); });
    }
    // Clubs, diamonds and spades complete; hearts up to the given rank; the
    // rest of the hearts on the columns as given.
    void Lay(int hearts, const std::string& first, const std::string& second)
    {
        Session& s = form->State();
        Table& table = s.Board;
        const char* const ranks[] = {"", "A", "2", "3", "4", "5", "6", "7", "8", "9", "10", "J", "Q", "K"};
        auto suit = [&](char letter, int to) {
            std::string cards;
            for (int rank = 1; rank <= to; ++rank) cards += std::string(rank > 1 ? " " : "") + ranks[rank] + letter;
            return cards;
        };
        test::PutCards(table, *table.FindPile("PILE1"), suit('C', 13));
        test::PutCards(table, *table.FindPile("PILE2"), suit('D', 13));
        test::PutCards(table, *table.FindPile("PILE3"), suit('S', 13));
        test::PutCards(table, *table.FindPile("PILE4"), suit('H', hearts));
        test::PutCards(table, *table.FindPile("PILE5"), first);
        test::PutCards(table, *table.FindPile("PILE6"), second);
        for (int position = 0; position < table.ControlCount(); ++position)
            if (Pile* pile = table.PileAt(position)) LayOutPile(*pile);
        form->Render();
    }
    bool Ask()
    {
        QSignalSpy answered(&form->Hint(), &HintController::Answered);
        form->findChild<QAction*>("Hint1")->trigger();
        return answered.count() > 0 || answered.wait(20000);
    }
    QFrame* Marker(const char* name) { return form->findChild<QFrame*>(name); }

    test::TempDir dir;
    test::InDirectory cwd{dir.Path()};
    CardLibrary library{{qEnvironmentVariable("VEXA_CARDS_DIR")}};
    test::ManualClock clock;
    std::unique_ptr<MainWindow> form;
};

TEST_F(HintTest, FramesTheCardToLiftAndThePileItGoesOnAndMovesNothing)
{
    Lay(11, "KH", "QH");
    const std::string before = test::Describe(*form->State().Board.FindPile("PILE6"));
    ASSERT_TRUE(Ask());
    QFrame* card = Marker("HintCard");
    QFrame* pile = Marker("HintPile");
    ASSERT_TRUE(card && pile);
    EXPECT_FALSE(card->isHidden());
    EXPECT_FALSE(pile->isHidden());
    auto* queen = form->findChild<QWidget*>(QString("Card%1").arg(test::CardIndex("QH")));
    auto* hearts = form->findChild<QWidget*>("PILE4");
    const QWidget* table = card->parentWidget();
    EXPECT_TRUE(card->geometry().contains(QRect(queen->mapTo(table, QPoint(0, 0)), queen->size())));
    EXPECT_TRUE(pile->geometry().contains(QRect(hearts->mapTo(table, QPoint(0, 0)), hearts->size())));
    EXPECT_EQ(test::Describe(*form->State().Board.FindPile("PILE6")), before);
    EXPECT_FALSE(form->State().Carrying);
}

TEST_F(HintTest, TheFramesGoAsSoonAsTheTableChangesButNotForAnUnchangedRepaint)
{
    Lay(11, "KH", "QH");
    ASSERT_TRUE(Ask());
    form->Render();
    EXPECT_FALSE(Marker("HintCard")->isHidden());
    // The player follows the hint: the queen onto the hearts.
    Session& s = form->State();
    form->Click(&s.Board.CardAt(test::CardIndex("QH")));
    EXPECT_TRUE(s.Carrying);
    EXPECT_TRUE(Marker("HintCard")->isHidden());
    EXPECT_TRUE(Marker("HintPile")->isHidden());
}

// Frames shown while the window grows follow their card and pile, their
// lines drawn at the table's scale.
TEST_F(HintTest, TheFramesFollowTheTableAtItsScale)
{
    form->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    Lay(11, "KH", "QH");
    ASSERT_TRUE(Ask());
    QFrame* card = Marker("HintCard");
    QFrame* pile = Marker("HintPile");
    ASSERT_TRUE(card && pile);
    auto* queen = form->findChild<QWidget*>(QString("Card%1").arg(test::CardIndex("QH")));
    auto* hearts = form->findChild<QWidget*>("PILE4");
    const QWidget* table = card->parentWidget();
    const auto around = [table](const QWidget* over, int out) {
        return QRect(over->mapTo(table, QPoint(0, 0)), over->size()).adjusted(-out, -out, out, out);
    };
    const QSize menu(0, form->height() - table->height());
    for (const int scale : {1, 2, 3}) {
        SCOPED_TRACE(scale);
        form->resize(form->View().ModelSize() * scale + menu);
        QApplication::processEvents();
        ASSERT_EQ(form->View().Scale(), scale);
        for (QFrame* frame : {card, pile}) {
            EXPECT_FALSE(frame->isHidden());
            EXPECT_EQ(frame->lineWidth(), 3 * scale);
            auto* inner = frame->findChild<QFrame*>();
            ASSERT_TRUE(inner);
            EXPECT_EQ(inner->lineWidth(), 2 * scale);
            EXPECT_EQ(inner->geometry(), frame->rect().adjusted(3 * scale, 3 * scale, -3 * scale, -3 * scale));
        }
        EXPECT_EQ(card->geometry(), around(queen, 2 * scale));
        EXPECT_EQ(pile->geometry(), around(hearts, 2 * scale));
    }
}

TEST_F(HintTest, SaysSoWhenTheHandCanNoLongerBeWon)
{
    // The jack of hearts lies under the king, which no pile takes.
    Lay(10, "JH KH", "QH");
    QString shown;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            shown = box->text();
            box->accept();
        }
    });
    timer.start(20);
    ASSERT_TRUE(Ask());
    EXPECT_EQ(shown, "This hand can no longer be won.");
    EXPECT_FALSE(Marker("HintCard") && !Marker("HintCard")->isHidden());
}

TEST_F(HintTest, SaysSoWhenTheMoveIsOnlyABestGuess)
{
    // Two positions are too few to reach the win: the move shown leads to
    // the best position found, and both frames and the message say so.
    Lay(11, "KH", "QH");
    form->Hint().Budget.MaxStates = 2;
    // The remark shows in the status bar; no box stops play.
    bool boxed = false;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            boxed = true;
            box->accept();
        }
    });
    timer.start(20);
    ASSERT_TRUE(Ask());
    EXPECT_FALSE(boxed);
    EXPECT_EQ(form->Status().currentMessage().toStdString(), BestGuessText);
    EXPECT_TRUE(Marker("HintCard") && !Marker("HintCard")->isHidden());
    // A line that wins says nothing more.
    form->Hint().Budget.MaxStates = 0;
    form->Status().clearMessage();
    ASSERT_TRUE(Ask());
    EXPECT_FALSE(boxed);
    EXPECT_TRUE(form->Status().currentMessage().isEmpty());
    EXPECT_FALSE(Marker("HintCard")->isHidden());
}

TEST_F(HintTest, AGameThatAnnouncesNoVictoryGetsTheMoveToTheLowestScore)
{
    // Scored by the cards left on columns that take none: no victory can
    // come, so the hint shows the move towards the lowest score and says so.
    Load("[Strokes]\nName=Strokes\nFormwidth=600\nFormheight=400\nScoring=2\nAutoplay=0\n"
         "PILE5=10,120,71,250,0,2,1,0,0,401,0,0,0,-\n");
    test::PutCards(form->State().Board, *form->State().Board.FindPile("PILE5"), "AH");
    LayOutPile(*form->State().Board.FindPile("PILE5"));
    form->Render();
    form->Hint().Budget.LowestScoreLine = true;
    ASSERT_TRUE(Ask());
    EXPECT_EQ(form->Status().currentMessage().toStdString(), LowestScoreText);
    auto* ace = form->findChild<QWidget*>(QString("Card%1").arg(test::CardIndex("AH")));
    ASSERT_TRUE(Marker("HintCard") && !Marker("HintCard")->isHidden());
    const QWidget* table = Marker("HintCard")->parentWidget();
    EXPECT_TRUE(Marker("HintCard")->geometry().contains(QRect(ace->mapTo(table, QPoint(0, 0)), ace->size())));
}

TEST_F(HintTest, ASecondRequestReplacesTheFirstAndOnlyItIsAnswered)
{
    Lay(11, "KH", "QH");
    QSignalSpy answered(&form->Hint(), &HintController::Answered);
    form->Hint().Request();
    form->Hint().Request();
    ASSERT_TRUE(answered.wait(20000));
    QApplication::processEvents();
    EXPECT_EQ(answered.count(), 1);
    EXPECT_FALSE(Marker("HintCard")->isHidden());
}

// A hint that found a winning line leaves it behind: the next hints along
// it answer at once, with no search and no busy pointer; a table that left
// the line is searched again.
TEST_F(HintTest, AHintOnTheLineAlreadyFoundAnswersAtOnce)
{
    Lay(8, "KH QH JH", "10H 9H");
    Session& s = form->State();
    QWidget* table = form->centralWidget();
    QSignalSpy answered(&form->Hint(), &HintController::Answered);
    form->Hint().Request();
    // The answer of a search comes through the event loop: until then the
    // pointer over the table is busy.
    EXPECT_EQ(answered.count(), 0);
    EXPECT_TRUE(table->testAttribute(Qt::WA_SetCursor));
    EXPECT_EQ(table->cursor().shape(), Qt::BusyCursor);
    ASSERT_TRUE(answered.wait(20000));
    EXPECT_FALSE(table->testAttribute(Qt::WA_SetCursor));
    EXPECT_EQ(form->Hint().Line().Size(), 5u);
    auto framed = [&](const char* card) {
        QFrame* marker = Marker("HintCard");
        auto* widget = form->findChild<QWidget*>(QString("Card%1").arg(test::CardIndex(card)));
        return marker && !marker->isHidden() &&
               marker->geometry().contains(QRect(widget->mapTo(table, QPoint(0, 0)), widget->size()));
    };
    EXPECT_TRUE(framed("9H"));

    // The player follows it: the next hint is there before the call returns.
    form->Click(&s.Board.CardAt(test::CardIndex("9H")));
    form->Click(s.Board.FindPile("PILE4"));
    answered.clear();
    form->Hint().Request();
    EXPECT_EQ(answered.count(), 1);
    EXPECT_FALSE(form->Hint().Searching());
    EXPECT_FALSE(table->testAttribute(Qt::WA_SetCursor));
    EXPECT_TRUE(framed("10H"));
    // Undone, the table stands on the line again, one move back.
    form->Undo();
    answered.clear();
    form->Hint().Request();
    EXPECT_EQ(answered.count(), 1);
    EXPECT_TRUE(framed("9H"));

    // Laid out otherwise, the table is off the line: a search again.
    Lay(8, "KH QH JH 10H", "9H");
    answered.clear();
    form->Hint().Request();
    EXPECT_EQ(answered.count(), 0);
    EXPECT_TRUE(form->Hint().Searching() || table->testAttribute(Qt::WA_SetCursor));
    ASSERT_TRUE(answered.wait(20000));
    EXPECT_TRUE(framed("9H"));
}

TEST_F(HintTest, TheBusyPointerGoesWhenTheTableLeavesTheSearchedPosition)
{
    Lay(8, "KH QH JH", "10H 9H");
    Session& s = form->State();
    QWidget* table = form->centralWidget();
    QSignalSpy answered(&form->Hint(), &HintController::Answered);
    form->Hint().Request();
    EXPECT_TRUE(table->testAttribute(Qt::WA_SetCursor));
    // A lift shows the carry pointer, which the busy one must not hide.
    form->Click(&s.Board.CardAt(test::CardIndex("9H")));
    EXPECT_FALSE(table->testAttribute(Qt::WA_SetCursor));
    ASSERT_TRUE(answered.wait(20000));
    EXPECT_FALSE(Marker("HintCard") && !Marker("HintCard")->isHidden());
}

// A stock turned over without end: the first move of the winning line is a
// click on the stock, and the hint frames the stock's top card alone.
class StockHintTest : public HintTest {
protected:
    void SetUp() override
    {
        Load(
            "[Draw]\nName=Draw\nFormwidth=600\nFormheight=400\nAutoplay=0\nRedeals=9999\n"
            "PILE5=10,120,71,96,2,0,90,0,0,402,301,0,0,-\n"
            "PILE6=90,120,71,96,2,1,1,0,0,402,0,0,0,-\n");
    }
};

TEST_F(StockHintTest, FramesTheStockWhenTheLineStartsByTurningIt)
{
    // The king of hearts lies on top of the queen in the stock: both must be
    // turned before the queen can go up.
    Lay(11, "QH* KH*", "");
    ASSERT_TRUE(Ask());
    QFrame* card = Marker("HintCard");
    ASSERT_TRUE(card);
    EXPECT_FALSE(card->isHidden());
    auto* king = form->findChild<QWidget*>(QString("Card%1").arg(test::CardIndex("KH")));
    const QWidget* table = card->parentWidget();
    EXPECT_TRUE(card->geometry().contains(QRect(king->mapTo(table, QPoint(0, 0)), king->size())));
    EXPECT_FALSE(Marker("HintPile") && !Marker("HintPile")->isHidden());
    EXPECT_EQ(test::Describe(*form->State().Board.FindPile("PILE5")), "QH* KH*");
}

}  // namespace
}  // namespace vexa
