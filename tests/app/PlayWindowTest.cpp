// Play in the main window on the offscreen platform: clicks on cards, pile
// areas and the background reach the core, the carry pointer follows the
// carried card, the peek hides and restores a pile's scroll bars, and the
// Edit menu, game buttons and the victory dialog are wired to the core.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTimer>

#include <functional>

#include "dialogs/GameChooser.h"
#include "dialogs/StatisticsDialog.h"
#include "support/WindowTest.h"

namespace vexa {
namespace {

using test::Cards;
using test::Drag;

class PlayWindowTest : public test::WindowTest {
protected:
    void SetUp() override
    {
        dir.Write("vexasolit.ini", "[Gamelist]\nLift=lift.ini\nWin=win.ini\nAuto=auto.ini\n");
        dir.Write("lift.ini", test::LiftGame());
        // Scored by the cards on tableau piles: moving the waste card onto
        // the empty pile wins.
        dir.Write("win.ini",
                  "[Win]\nName=Win\nScoring=2\nFormwidth=420\nFormheight=300\n"
                  "PILE1=20,10,71,96,2,2,0,0,0,402,0,0,0," +
                      Cards('U', 51) +
                      "\n"
                      "PILE2=120,10,71,96,2,1,1,0,0,402,0,0,0,U\n"
                      "PILE3=220,10,71,200,0,2,0,0,210,401,0,0,0,-\n");
        // Four foundations that take any first card and then its suit:
        // autoplay moves every card.
        std::string autoDef =
            "[Auto]\nName=Auto\nFormwidth=520\nFormheight=250\n"
            "PILE1=20,10,71,96,2,2,0,0,0,402,0,0,0," +
            Cards('U', 52) + "\n";
        for (int i = 0; i < 4; ++i)
            autoDef += "PILE" + std::to_string(i + 2) + "=" + std::to_string(120 + 100 * i) +
                       ",10,71,96,2,3,0,120,201,402,0,0,0,-\n";
        dir.Write("auto.ini", autoDef);
        Open();
    }
    // Closes the next modal dialog as soon as it is shown.
    void CloseNextDialog(QString* title = nullptr)
    {
        QTimer::singleShot(0, [title] {
            QWidget* modal = QApplication::activeModalWidget();
            if (!modal) return;
            if (title) *title = modal->windowTitle();
            static_cast<QDialog*>(modal)->accept();
        });
    }
};

TEST_F(PlayWindowTest, ClicksLiftShowTheCarryPointerDropAndUndo)
{
    Load("Lift");
    Session& s = form->State();
    Pile& first = PileNamed("PILE1");
    const std::vector<int> dealt = CardsOf(first);
    const Card& top = *first.Top();
    EXPECT_EQ(form->cursor().shape(), Qt::ArrowCursor);

    // The pile's rule lifts its top card whichever card is clicked.
    ClickCard(*first.CardAt(0));
    ASSERT_TRUE(s.Carrying);
    // The carried card stays dimmed in its place, out of the clicks' way.
    EXPECT_NE(CardView(top)->graphicsEffect(), nullptr);
    EXPECT_TRUE(CardView(top)->testAttribute(Qt::WA_TransparentForMouseEvents));
    EXPECT_EQ(form->cursor().shape(), Qt::BitmapCursor);
    EXPECT_EQ(form->cursor().hotSpot(), QPoint(15, 0));
    const QImage pointer = form->cursor().pixmap().toImage();
    EXPECT_EQ(pointer.size(), QSize(32, 32));

    // The background and a refusing pile keep the cards carried.
    QTest::mouseClick(form->centralWidget(), Qt::LeftButton, {}, QPoint(480, 250));
    ClickPileArea("PILE3");
    EXPECT_TRUE(s.Carrying);

    ClickPileArea("PILE2");
    EXPECT_FALSE(s.Carrying);
    EXPECT_EQ(form->cursor().shape(), Qt::ArrowCursor);
    EXPECT_EQ(CardsOf(PileNamed("PILE2")), std::vector<int>{top.Index()});
    form->View().FinishAnimations();
    EXPECT_FALSE(CardView(top)->isHidden());
    EXPECT_EQ(CardView(top)->parentWidget(), PileView("PILE2")->Content());
    QAction* undo = form->findChild<QAction*>("Undo1");
    QAction* redo = form->findChild<QAction*>("Redo1");
    ASSERT_TRUE(undo->isEnabled());
    EXPECT_FALSE(redo->isEnabled());

    undo->trigger();
    EXPECT_EQ(CardsOf(first), dealt);
    EXPECT_TRUE(PileNamed("PILE2").Cards().empty());
    EXPECT_EQ(CardView(top)->parentWidget(), PileView("PILE1")->Content());
    EXPECT_FALSE(undo->isEnabled());
    ASSERT_TRUE(redo->isEnabled());
    redo->trigger();
    EXPECT_EQ(CardsOf(PileNamed("PILE2")), std::vector<int>{top.Index()});
}

TEST_F(PlayWindowTest, ThePileInFrontOfAPileKeepsTheOrderItsCardsAreShownIn)
{
    Load("Lift");
    Pile& first = PileNamed("PILE1");
    // After a move and its undo the card widgets of the pile are stacked
    // bottom card first, as the pile holds them.
    ClickCard(*first.CardAt(0));
    ClickPileArea("PILE2");
    form->findChild<QAction*>("Undo1")->trigger();
    std::vector<int> shown;
    for (QObject* child : PileView("PILE1")->Content()->children())
        if (auto* card = qobject_cast<CardWidget*>(child)) shown.push_back(card->objectName().mid(4).toInt());
    EXPECT_EQ(shown, CardsOf(first));
}

TEST_F(PlayWindowTest, SecondaryButtonPeeksAndItsReleaseAnywhereRestoresTheBars)
{
    Load("Lift");
    Session& s = form->State();
    PileWidget* view = PileView("PILE1");
    ASSERT_TRUE(PileNamed("PILE1").Vert.Visible);
    view->verticalScrollBar()->setValue(40);
    const Card& card = *PileNamed("PILE1").CardAt(2);

    QTest::mousePress(CardView(card), Qt::RightButton, {}, QPoint(10, 5));
    EXPECT_EQ(s.Peek.Pile, &PileNamed("PILE1"));
    EXPECT_EQ(view->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    EXPECT_EQ(view->verticalScrollBar()->value(), 0);
    EXPECT_EQ(QWidget::mouseGrabber(), form.get());

    // Primary clicks during the peek still play.
    QTest::mouseClick(form.get(), Qt::LeftButton, {},
                      form->mapFromGlobal(CardView(*PileNamed("PILE1").CardAt(3))->mapToGlobal(QPoint(30, 5))));
    EXPECT_TRUE(s.Carrying);

    // The release over the other pile ends the peek.
    QTest::mouseRelease(form.get(), Qt::RightButton, {},
                        form->mapFromGlobal(PileView("PILE2")->mapToGlobal(QPoint(10, 10))));
    EXPECT_EQ(s.Peek.Pile, nullptr);
    EXPECT_EQ(view->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    EXPECT_EQ(view->verticalScrollBar()->value(), PileNamed("PILE1").Vert.Position);
    EXPECT_EQ(QWidget::mouseGrabber(), nullptr);
}

TEST_F(PlayWindowTest, TargetAtNamesCardsPileAreasAndTheBackground)
{
    Load("Lift");
    const Card& top = *PileNamed("PILE1").CardAt(0);
    auto at = [&](QWidget* widget, QPoint pos) { return form->TargetAt(widget->mapToGlobal(pos)); };
    EXPECT_EQ(at(CardView(top), QPoint(30, 5)), (MainWindow::PointTarget{true, const_cast<Card*>(&top)}));
    EXPECT_EQ(at(PileView("PILE2"), QPoint(30, 30)), (MainWindow::PointTarget{true, &PileNamed("PILE2")}));
    EXPECT_EQ(at(form->centralWidget(), QPoint(480, 250)), (MainWindow::PointTarget{true, nullptr}));
    EXPECT_FALSE(at(PileView("PILE1")->verticalScrollBar(), QPoint(5, 40)).Any);
    EXPECT_FALSE(at(form->findChild<QPushButton*>("BUTTON1"), QPoint(5, 5)).Any);
}

TEST_F(PlayWindowTest, GameButtonsReachTheCore)
{
    Load("Lift");
    auto* button = form->findChild<QPushButton*>("BUTTON1");
    ASSERT_NE(button, nullptr);
    // Tag 1 hides the last empty tableau pile.
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_FALSE(PileNamed("PILE2").Visible);
    EXPECT_TRUE(PileView("PILE2")->isHidden());
}

TEST_F(PlayWindowTest, WinningMoveAndAutoplayShowTheVictoryAndTheStatisticsCountIt)
{
    Load("Win");
    ClickCard(*PileNamed("PILE2").Top());
    QString title;
    CloseNextDialog(&title);
    ClickPileArea("PILE3");
    EXPECT_EQ(title, "Victory!");
    EXPECT_EQ(form->State().VictoriesShown, 1);

    Load("Auto");
    QAction* autoplay = form->findChild<QAction*>("Autoplay1");
    ASSERT_TRUE(autoplay->isEnabled());
    title.clear();
    CloseNextDialog(&title);
    autoplay->trigger();
    EXPECT_EQ(title, "Victory!");
    EXPECT_TRUE(PileNamed("PILE1").Cards().empty());

    // The statistics dialog shows the hand just won.
    QString won;
    QTimer::singleShot(0, [&won] {
        auto* dialog = qobject_cast<StatisticsDialog*>(QApplication::activeModalWidget());
        if (!dialog) return;
        for (QLabel* label : dialog->findChildren<QLabel*>()) won += label->text() + "|";
        dialog->accept();
    });
    form->ShowStatistics();
    EXPECT_TRUE(won.contains("|1|")) << won.toStdString();
    EXPECT_TRUE(won.contains("|52|")) << won.toStdString();
}

}  // namespace
}  // namespace vexa

namespace vexa {
namespace {

TEST_F(PlayWindowTest, DragOntoAnAcceptingPileMovesTheCardsAsTwoClicksWould)
{
    Load("Lift");
    Session& s = form->State();
    Pile& first = PileNamed("PILE1");
    const int top = first.Top()->Index();
    Drag(CardView(*first.CardAt(0)), QPoint(30, 5), PileView("PILE2")->Content(), QPoint(20, 20));
    EXPECT_FALSE(s.Carrying);
    EXPECT_FALSE(form->Dragging());
    EXPECT_EQ(CardsOf(PileNamed("PILE2")), std::vector<int>{top});
    EXPECT_TRUE(form->findChild<QWidget*>("DragView")->isHidden());
    const std::vector<std::string> dragged = s.Journal.UndoSteps;

    // The same move made with two clicks records the same step.
    form->Undo();
    ClickCard(*first.CardAt(0));
    ClickPileArea("PILE2");
    EXPECT_EQ(s.Journal.UndoSteps, dragged);
}

TEST_F(PlayWindowTest, DragReleasedOverTheBackgroundOrARefusingPileReturnsTheCards)
{
    Load("Lift");
    Session& s = form->State();
    Pile& first = PileNamed("PILE1");
    const std::vector<int> dealt = CardsOf(first);
    Drag(CardView(*first.CardAt(0)), QPoint(30, 5), form->centralWidget(), QPoint(480, 250));
    EXPECT_FALSE(s.Carrying);
    EXPECT_EQ(CardsOf(first), dealt);
    EXPECT_TRUE(s.Journal.UndoSteps.empty());

    Drag(CardView(*first.CardAt(0)), QPoint(30, 5), PileView("PILE3"), QPoint(20, 20));
    EXPECT_FALSE(s.Carrying);
    EXPECT_EQ(CardsOf(first), dealt);
    EXPECT_TRUE(s.Journal.UndoSteps.empty());
}

TEST_F(PlayWindowTest, PressAndReleaseInPlaceStaysAClickAndSoDoesAClickWhileCarrying)
{
    Load("Lift");
    Session& s = form->State();
    Pile& first = PileNamed("PILE1");
    // A move shorter than the drag distance: the release is a plain click.
    Drag(CardView(*first.CardAt(0)), QPoint(30, 5), CardView(*first.CardAt(0)), QPoint(31, 5));
    EXPECT_TRUE(s.Carrying);
    EXPECT_FALSE(form->Dragging());
    // Cards carried by a first click: a press and move is no new lift, the
    // release over the other pile is the second click.
    Drag(PileView("PILE2")->Content(), QPoint(10, 10), PileView("PILE2")->Content(), QPoint(40, 60));
    EXPECT_FALSE(s.Carrying);
    EXPECT_EQ(PileNamed("PILE2").Count(), 1);
}

}  // namespace
}  // namespace vexa

namespace vexa {
namespace {

TEST_F(PlayWindowTest, TheWholeMoveFromTheKeyboard)
{
    Load("Lift");
    Session& s = form->State();
    Pile& first = PileNamed("PILE1");
    QWidget* frame = form->findChild<QWidget*>("FocusFrame");
    ASSERT_NE(frame, nullptr);
    EXPECT_TRUE(frame->isHidden());
    EXPECT_EQ(form->FocusTarget(), nullptr);

    // The first key shows the frame on the first pile's top card.
    QTest::keyClick(form.get(), Qt::Key_Right);
    EXPECT_FALSE(frame->isHidden());
    EXPECT_EQ(form->FocusTarget(), first.Top());
    QTest::keyClick(form.get(), Qt::Key_PageUp);
    EXPECT_EQ(form->FocusTarget(), first.CardAt(first.Count() - 2));
    QTest::keyClick(form.get(), Qt::Key_PageDown);
    const int top = first.Top()->Index();

    // Enter lifts, Escape puts back without an undo step, Space lifts again.
    QTest::keyClick(form.get(), Qt::Key_Return);
    EXPECT_TRUE(s.Carrying);
    QTest::keyClick(form.get(), Qt::Key_Escape);
    EXPECT_FALSE(s.Carrying);
    EXPECT_TRUE(s.Journal.UndoSteps.empty());
    QTest::keyClick(form.get(), Qt::Key_Space);
    ASSERT_TRUE(s.Carrying);

    // Right goes to the empty pile's own area; Enter drops there.
    QTest::keyClick(form.get(), Qt::Key_Right);
    EXPECT_EQ(form->FocusTarget(), &PileNamed("PILE2"));
    EXPECT_EQ(frame->geometry(), PileView("PILE2")->geometry().adjusted(-3, -3, 3, 3));
    QTest::keyClick(form.get(), Qt::Key_Enter);
    EXPECT_FALSE(s.Carrying);
    EXPECT_EQ(CardsOf(PileNamed("PILE2")), std::vector<int>{top});
    // The area is still partly free and keeps the focus; Page Up reaches
    // the card.
    EXPECT_EQ(form->FocusTarget(), &PileNamed("PILE2"));
    QTest::keyClick(form.get(), Qt::Key_PageUp);
    EXPECT_EQ(form->FocusTarget(), &s.Board.CardAt(top));
    QTest::keyClick(form.get(), Qt::Key_Left);
    EXPECT_EQ(form->FocusTarget(), first.Top());
    QTest::keyClick(form.get(), Qt::Key_Left);
    EXPECT_EQ(form->FocusTarget(), first.Top());
}

TEST_F(PlayWindowTest, HoldingPPeeksAtTheFocusedPile)
{
    Load("Lift");
    Session& s = form->State();
    QTest::keyClick(form.get(), Qt::Key_Right);
    QTest::keyPress(form.get(), Qt::Key_P);
    EXPECT_EQ(s.Peek.Pile, &PileNamed("PILE1"));
    EXPECT_EQ(PileView("PILE1")->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    QTest::keyRelease(form.get(), Qt::Key_P);
    EXPECT_EQ(s.Peek.Pile, nullptr);
    EXPECT_EQ(PileView("PILE1")->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
}

}  // namespace
}  // namespace vexa

namespace vexa {
namespace {

TEST_F(PlayWindowTest, EditMenuAndShortcutsShowNoFocusFrame)
{
    Load("Lift");
    QStringList edit;
    for (QAction* action : form->menuBar()->actions()[1]->menu()->actions()) edit << action->text();
    EXPECT_EQ(edit, (QStringList{"Undo", "Redo", "Autoplay", "Hint"}));
    QAction* redo = form->findChild<QAction*>("Redo1");
    EXPECT_EQ(redo->shortcuts(), (QList<QKeySequence>{QKeySequence("Ctrl+Y"), QKeySequence("Ctrl+Shift+Z")}));
    QTest::keyClick(form.get(), Qt::Key_Control);
    QTest::keyClick(form.get(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_TRUE(form->findChild<QWidget*>("FocusFrame")->isHidden());
}

}  // namespace
}  // namespace vexa

namespace vexa {
namespace {

// The keyboard's frame belongs to keyboard play: a mouse action on the
// table ends it, a key held down since the chooser closed does not start
// it, and after Escape it rings the returned card, not the card below.
TEST_F(PlayWindowTest, TheFocusFrameShowsOnlyWhileTheKeyboardPlays)
{
    Load("Lift");
    Session& s = form->State();
    Pile& first = PileNamed("PILE1");
    QWidget* frame = form->findChild<QWidget*>("FocusFrame");
    auto key = [&](Qt::Key which, bool repeat = false) {
        QKeyEvent press(QEvent::KeyPress, which, Qt::NoModifier, QString(), repeat);
        QApplication::sendEvent(form.get(), &press);
    };

    // Enter held down in the chooser repeats on the table.
    key(Qt::Key_Return, true);
    EXPECT_TRUE(frame->isHidden());
    EXPECT_FALSE(s.Carrying);

    struct Mouse {
        const char* what;
        std::function<void()> act;
    };
    const std::vector<Mouse> actions = {
        {"card",
         [&] {
             QTest::mousePress(CardView(*first.Top()), Qt::RightButton, {}, QPoint(30, 5));
             QTest::mouseRelease(form.get(), Qt::RightButton);
         }},
        {"pile area", [&] { ClickPileArea("PILE2"); }},
        {"background", [&] { QTest::mouseClick(form->centralWidget(), Qt::LeftButton, {}, QPoint(480, 250)); }},
    };
    for (const Mouse& action : actions) {
        key(Qt::Key_Right);
        ASSERT_FALSE(frame->isHidden()) << action.what;
        action.act();
        EXPECT_TRUE(frame->isHidden()) << action.what;
        EXPECT_EQ(form->FocusTarget(), nullptr) << action.what;
    }

    // A game loaded by the keyboard starts without the frame.
    key(Qt::Key_Right);
    Load("Lift");
    form->Chooser().SetItemIndex(s.Chooser.ItemIndex);
    QTimer::singleShot(0, [] {
        if (QWidget* modal = QApplication::activeModalWidget())
            QTest::keyClick(modal->findChild<QWidget*>("Gamelist"), Qt::Key_Return);
    });
    form->ChooseGame();
    EXPECT_TRUE(frame->isHidden());
    EXPECT_FALSE(s.Welcome);

    // Enter lifts the top card, Escape returns it: the frame rings that card.
    key(Qt::Key_Right);
    Pile& again = PileNamed("PILE1");
    Card* top = again.Top();
    EXPECT_EQ(form->FocusTarget(), top);
    key(Qt::Key_Return);
    ASSERT_TRUE(s.Carrying);
    key(Qt::Key_Escape);
    ASSERT_FALSE(s.Carrying);
    EXPECT_EQ(form->FocusTarget(), top);
}

// A drag holds the cards where they were grabbed, and the pointer shows
// no card of its own over them.
TEST_F(PlayWindowTest, ADragKeepsTheGrabOffsetAndAPlainPointer)
{
    Load("Lift");
    Pile& first = PileNamed("PILE1");
    CardWidget* top = CardView(*first.Top());
    const QPoint grab(40, 60);
    const QPoint corner = top->mapTo(form->centralWidget(), QPoint());
    QTest::mousePress(top, Qt::LeftButton, {}, grab);
    const QPoint pressed = top->mapToGlobal(grab);
    auto moveTo = [&](QPoint global) {
        QWidget* receiver = QWidget::mouseGrabber() ? QWidget::mouseGrabber() : top;
        QMouseEvent move(QEvent::MouseMove, receiver->mapFromGlobal(global), global, Qt::NoButton, Qt::LeftButton, {});
        QApplication::sendEvent(receiver, &move);
    };
    moveTo(pressed + QPoint(0, 3 * QApplication::startDragDistance()));
    ASSERT_TRUE(form->Dragging());
    QWidget* dragged = form->findChild<QWidget*>("DragView");
    moveTo(pressed + QPoint(150, 20));
    EXPECT_EQ(dragged->pos(), corner + QPoint(150, 20));
    EXPECT_NE(form->cursor().shape(), Qt::BitmapCursor);
    QMouseEvent release(QEvent::MouseButtonRelease, form->mapFromGlobal(pressed), pressed, Qt::LeftButton, Qt::NoButton,
                        {});
    QApplication::sendEvent(QWidget::mouseGrabber() ? QWidget::mouseGrabber() : form.get(), &release);
    EXPECT_FALSE(form->State().Carrying);
}

}  // namespace
}  // namespace vexa
