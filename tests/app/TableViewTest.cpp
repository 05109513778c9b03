// The table at any window size, on the offscreen platform: one scale maps
// the definition's pixels to the screen (piles, cards, bars, buttons, the
// focus frame and the dragged cards), every input lands where the model
// says, the core keeps the definition's table size, and the window's size,
// full screen and table style behave as the player set them.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QMenuBar>
#include <QStatusBar>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTimer>

#include "app/GameLoader.h"
#include "app/MainWindow.h"
#include "app/NewHand.h"
#include "app/TableView.h"
#include "app/VexaStyle.h"
#include "cards/CardLibrary.h"
#include "cards/CardWidget.h"
#include "defs/IniFile.h"
#include "dialogs/GameChooser.h"
#include "support/FakeEnvironment.h"
#include "support/TestSupport.h"
#include "table/PileWidget.h"

namespace vexa {
namespace {

class TableViewTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir.Write("vexasolit.ini", "[Gamelist]\nLift=lift.ini\n");
        // A scrolling pile of ten face-up cards, an empty pile that takes
        // anything and a button.
        dir.Write("lift.ini",
                  "[Lift]\nName=Lift\nFormwidth=500\nFormheight=300\n"
                  "PILE1=20,10,71,150,0,2,1,0,0,401,0,0,0,UUUUUUUUUU\n"
                  "PILE2=120,10,71,150,0,2,1,0,210,401,0,0,0,-\n"
                  "PILE3=220,10,71,96,2,0,0,0,0,402,0,0,0,-\n"
                  "BUTTON1=320,10,90,25,1,\"&Hide\"\n");
        form = std::make_unique<MainWindow>(library, clock);
        form->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
        Load();
        model = form->View().ModelSize();
        ASSERT_FALSE(model.isEmpty());
    }
    void Load()
    {
        Session& s = form->State();
        s.Chooser.ItemIndex = 0;
        form->Guard([&] { SelectGame(s); });
        QApplication::processEvents();
    }
    // Gives the table exactly w × h pixels between the menu bar and the
    // status bar.
    void ResizeTable(int w, int h)
    {
        form->resize(w, h + form->menuBar()->height() + form->statusBar()->height());
        QApplication::processEvents();
        ASSERT_EQ(form->View().size(), QSize(w, h));
    }
    QRect Expected(int left, int top, int width, int height) const
    {
        const QTransform& t = form->View().ToScreen();
        const QPointF a = t.map(QPointF(left, top)), b = t.map(QPointF(left + width, top + height));
        return QRect(QPoint(qRound(a.x()), qRound(a.y())), QPoint(qRound(b.x()) - 1, qRound(b.y()) - 1));
    }
    QPoint Global(QPointF modelPoint) const
    {
        return form->View().mapToGlobal(form->View().ToScreen().map(modelPoint).toPoint());
    }
    Pile& PileNamed(const char* name) { return *form->State().Board.FindPile(name); }
    PileWidget* PileView(const char* name) { return form->findChild<PileWidget*>(name); }
    CardWidget* CardView(const Card& card) { return form->findChild<CardWidget*>(QString("Card%1").arg(card.Index())); }

    test::TempDir dir;
    test::InDirectory cwd{dir.Path()};
    CardLibrary library{{qEnvironmentVariable("VEXA_CARDS_DIR")}};
    test::ManualClock clock;
    std::unique_ptr<MainWindow> form;
    QSize model;
};

TEST_F(TableViewTest, OneScaleFitsTheTableAndCentresIt)
{
    // At the defined size: 1x and no margin.
    EXPECT_EQ(form->View().size(), model);
    EXPECT_DOUBLE_EQ(form->View().Scale(), 1.0);
    EXPECT_EQ(PileView("PILE1")->geometry(), QRect(20, 10, 71, 150));

    struct Size {
        int w, h;
        double scale;
    };
    for (const Size& size : {Size{model.width() * 2, model.height() * 3, 2.0},
                             Size{model.width() * 5 / 2 + 40, model.height() * 5 / 2, 2.5}}) {
        SCOPED_TRACE(size.w);
        ResizeTable(size.w, size.h);
        TableView& view = form->View();
        EXPECT_DOUBLE_EQ(view.Scale(), size.scale);
        // Centred: equal margins (to a pixel) on the long side.
        const QRectF shown = view.ToScreen().mapRect(QRectF(QPointF(), QSizeF(model)));
        EXPECT_NEAR(shown.left(), view.width() - shown.right(), 1.0);
        EXPECT_NEAR(shown.top(), view.height() - shown.bottom(), 1.0);
        EXPECT_EQ(PileView("PILE1")->geometry(), Expected(20, 10, 71, 150));
        EXPECT_EQ(PileView("PILE3")->geometry(), Expected(220, 10, 71, 96));
        EXPECT_EQ(form->findChild<QPushButton*>("BUTTON1")->geometry(), Expected(320, 10, 90, 25));
        const Card& card = *PileNamed("PILE1").CardAt(0);
        EXPECT_EQ(CardView(card)->size(), QSize(qRound(71 * size.scale), qRound(96 * size.scale)));
        // The pile's bar is the model's bar at this scale.
        VexaStyle style;
        EXPECT_EQ(style.pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, PileView("PILE1")->verticalScrollBar()),
                  qRound(16 * size.scale));
        // The core keeps the definition's table.
        EXPECT_EQ(form->State().ClientWidth, model.width());
        EXPECT_EQ(form->State().ClientHeight, model.height());
    }
}

TEST_F(TableViewTest, ClicksDragsAndScrollingWorkAtTheScale)
{
    ResizeTable(model.width() * 2, model.height() * 2);
    Session& s = form->State();
    Pile& first = PileNamed("PILE1");
    const Card& bottom = *first.CardAt(0);
    // Hit-testing through the inverse: the scaled place of a card, a pile
    // area and the margin.
    EXPECT_EQ(form->TargetAt(Global({50, 15})), (MainWindow::PointTarget{true, const_cast<Card*>(&bottom)}));
    EXPECT_EQ(form->TargetAt(Global({150, 100})), (MainWindow::PointTarget{true, &PileNamed("PILE2")}));
    EXPECT_EQ(form->TargetAt(Global({450, 250})), (MainWindow::PointTarget{true, nullptr}));
    EXPECT_FALSE(form->TargetAt(Global({340, 20})).Any);  // the game button

    // A drag from the card's scaled place to PILE2's scaled place.
    CardWidget* pressed = CardView(bottom);
    const QPoint from = pressed->mapFromGlobal(Global({50, 15}));
    QTest::mousePress(pressed, Qt::LeftButton, {}, from);
    const QPoint a = Global({50, 15}), b = Global({150, 100});
    for (int step = 1; step <= 6; ++step) {
        const QPoint at = a + (b - a) * step / 6;
        QWidget* receiver = QWidget::mouseGrabber() ? QWidget::mouseGrabber() : pressed;
        QMouseEvent move(QEvent::MouseMove, receiver->mapFromGlobal(at), at, Qt::NoButton, Qt::LeftButton, {});
        QApplication::sendEvent(receiver, &move);
        if (step == 3) {
            // The dragged cards are drawn at the table's scale.
            ASSERT_TRUE(form->Dragging());
            EXPECT_EQ(form->findChild<QWidget*>("DragView")->width(), 142);
        }
    }
    QWidget* receiver = QWidget::mouseGrabber() ? QWidget::mouseGrabber() : pressed;
    QMouseEvent release(QEvent::MouseButtonRelease, receiver->mapFromGlobal(b), b, Qt::LeftButton, Qt::NoButton, {});
    QApplication::sendEvent(receiver, &release);
    EXPECT_FALSE(s.Carrying);
    EXPECT_EQ(PileNamed("PILE2").Count(), 1);

    // A click lifts: the carry pointer is drawn at the table's scale.
    QTest::mouseClick(CardView(*PileNamed("PILE2").Top()), Qt::LeftButton, {}, QPoint(20, 20));
    ASSERT_TRUE(s.Carrying);
    EXPECT_EQ(form->cursor().hotSpot(), QPoint(30, 0));
    EXPECT_EQ(form->cursor().pixmap().deviceIndependentSize(), QSizeF(64, 64));
    QTest::mouseClick(PileView("PILE2")->Content(), Qt::LeftButton, {}, QPoint(20, 20));
    EXPECT_FALSE(s.Carrying);

    // The player's scrolling is kept in the model's pixels.
    QScrollBar* bar = PileView("PILE1")->verticalScrollBar();
    bar->setValue(40);
    EXPECT_EQ(first.Vert.Position, 20);

    // The keyboard's frame rings the scaled pile with a scaled line.
    for (int key = 0; key < 3; ++key) QTest::keyClick(form.get(), Qt::Key_Right);
    ASSERT_EQ(form->FocusTarget(), &PileNamed("PILE3"));
    EXPECT_EQ(form->findChild<QWidget*>("FocusFrame")->geometry(), Expected(220, 10, 71, 96).adjusted(-6, -6, 6, 6));
}

TEST_F(TableViewTest, TheWindowIsSizedByThePlayerAndALoadGivesItsDefinedSize)
{
    const QSize defined = form->size();
    EXPECT_GT(form->maximumWidth(), defined.width());
    EXPECT_EQ(form->minimumSize(),
              QSize((model.width() + 1) / 2, (model.height() + 1) / 2 + (defined.height() - model.height())));
    form->resize(defined * 2);
    QApplication::processEvents();
    // A new hand keeps the player's size; a game load gives the defined one.
    form->NewHand(NewHandKind::Deal);
    EXPECT_EQ(form->size(), defined * 2);
    QTimer::singleShot(0, [] {
        if (QWidget* modal = QApplication::activeModalWidget())
            QTest::keyClick(modal->findChild<QWidget*>("Gamelist"), Qt::Key_Return);
    });
    form->Chooser().SetItemIndex(0);
    form->ChooseGame();
    EXPECT_EQ(form->size(), defined);

    // F11 goes to full screen and back.
    QAction* full = form->findChild<QAction*>("FullScreen1");
    ASSERT_NE(full, nullptr);
    EXPECT_EQ(full->shortcut(), QKeySequence(Qt::Key_F11));
    full->trigger();
    EXPECT_TRUE(form->isFullScreen());
    EXPECT_TRUE(full->isChecked());
    Load();
    EXPECT_TRUE(form->isFullScreen());
    full->trigger();
    EXPECT_FALSE(form->isFullScreen());
}

TEST_F(TableViewTest, TheTableStyleIsKeptInTheCatalogue)
{
    QAction* felt = form->findChild<QAction*>("Felt1");
    QAction* classic = form->findChild<QAction*>("Classic1");
    ASSERT_TRUE(felt && classic);
    EXPECT_TRUE(classic->isChecked());
    EXPECT_EQ(form->View().Style(), TableStyle::Classic);
    felt->trigger();
    EXPECT_EQ(form->View().Style(), TableStyle::Felt);
    EXPECT_EQ(IniFile("vexasolit.ini").ReadString("General", "TableStyle"), "Felt");
    // The felt piles leave the solid colour to the classic style.
    EXPECT_FALSE(PileView("PILE1")->viewport()->autoFillBackground());

    // The empty stock says whether a redeal is left: a cross through its
    // middle when none is, a circular arrow round an empty middle when one is.
    auto middle = [&] {
        const QImage shot = form->View().grab(PileView("PILE3")->geometry()).toImage();
        return qGray(shot.pixel(shot.width() / 2, shot.height() / 2));
    };
    Session& s = form->State();
    ASSERT_EQ(PileNamed("PILE3").Count(), 0);
    s.RedealsLeft = 0;
    form->Render();
    const int cross = middle();
    s.RedealsLeft = 2;
    form->Render();
    const int arrow = middle();
    EXPECT_GT(cross, arrow + 60) << cross << " " << arrow;

    MainWindow again(library, clock);
    EXPECT_EQ(again.View().Style(), TableStyle::Felt);
    EXPECT_TRUE(again.findChild<QAction*>("Felt1")->isChecked());
    classic->trigger();
    EXPECT_EQ(IniFile("vexasolit.ini").ReadString("General", "TableStyle"), "Classic");
    EXPECT_TRUE(PileView("PILE1")->viewport()->autoFillBackground());
}

}  // namespace
}  // namespace vexa
