// Moved cards glide in the window on the offscreen platform: a card flies
// from where it was drawn while its widget waits hidden, input lands every
// flight before it acts, autoplay's cards fly one step after another within
// the longest time, carried cards stay dimmed in their place, and with
// View > Animations off a move lands at once. The flights are driven by
// setting the animation's time, never by waiting.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QGraphicsEffect>
#include <QTest>
#include <QVariantAnimation>

#include "app/CardFlights.h"
#include "app/DragView.h"
#include "app/GameLoader.h"
#include "app/MainWindow.h"
#include "cards/CardLibrary.h"
#include "cards/CardWidget.h"
#include "defs/IniFile.h"
#include "support/FakeEnvironment.h"
#include "support/TestSupport.h"
#include "table/PileWidget.h"

namespace vexa {
namespace {

class CardFlightsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir.Write("vexasolit.ini", "[Gamelist]\nLift=lift.ini\nAuto=auto.ini\n");
        // Ten face-up cards in a pile that lifts its top card, an empty pile
        // that takes anything, the rest in a stock.
        dir.Write("lift.ini", "[Lift]\nName=Lift\nFormwidth=500\nFormheight=300\n"
                              "PILE1=20,10,71,150,0,2,1,0,0,401,0,0,0," +
                                  std::string(10, 'U') +
                                  "\nPILE2=120,10,71,150,0,2,1,0,210,401,0,0,0,-\n"
                                  "PILE3=220,10,71,96,2,0,0,0,0,402,0,0,0," +
                                  std::string(42, 'D') + "\n");
        // Four foundations that take any first card and then its suit; the
        // column spreads 50 cards, so autoplay moves many cards in sight; two
        // stay in a stock, so the hand is not won.
        std::string autoDef = "[Auto]\nName=Auto\nFormwidth=520\nFormheight=700\n"
                              "PILE1=20,10,71,600,0,2,0,0,0,401,0,0,0," +
                              std::string(50, 'U') + "\nPILE6=20,620,71,96,2,0,0,0,0,402,0,0,0,DD\n";
        for (int i = 0; i < 4; ++i)
            autoDef += "PILE" + std::to_string(i + 2) + "=" + std::to_string(120 + 100 * i) +
                       ",10,71,96,2,3,0,120,201,402,0,0,0,-\n";
        dir.Write("auto.ini", autoDef);
        Open();
    }
    void Open()
    {
        form = std::make_unique<MainWindow>(library, clock);
        form->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    }
    void Load(const std::string& name)
    {
        Session& s = form->State();
        const auto& items = s.Chooser.Items;
        s.Chooser.ItemIndex = static_cast<int>(std::find(items.begin(), items.end(), name) - items.begin());
        form->Guard([&] { SelectGame(s); });
        QApplication::processEvents();
    }
    Pile& PileNamed(const char* name) { return *form->State().Board.FindPile(name); }
    PileWidget* PileView(const char* name) { return form->findChild<PileWidget*>(name); }
    CardWidget* CardView(const Card& card) { return form->findChild<CardWidget*>(QString("Card%1").arg(card.Index())); }
    void ClickCard(const Card& card) { QTest::mouseClick(CardView(card), Qt::LeftButton, {}, QPoint(30, 5)); }
    void ClickPileArea(const char* name)
    {
        PileWidget* pile = PileView(name);
        QTest::mouseClick(pile->Content(), Qt::LeftButton, {}, QPoint(5, pile->Content()->height() - 5));
    }
    QRect OnTable(QWidget* widget) { return {widget->mapTo(&form->View(), QPoint()), widget->size()}; }
    QVariantAnimation& Animation() { return form->View().Flights().Animation(); }
    // Cards in flight, whose widgets wait hidden.
    int HiddenCards()
    {
        int hidden = 0;
        for (int i = 1; i <= CardCount; ++i)
            if (form->View().Flights().Flying(i)) {
                ++hidden;
                EXPECT_TRUE(CardView(form->State().Board.CardAt(i))->isHidden());
            }
        return hidden;
    }

    test::TempDir dir;
    test::InDirectory cwd{dir.Path()};
    CardLibrary library{{qEnvironmentVariable("VEXA_CARDS_DIR")}};
    test::ManualClock clock;
    std::unique_ptr<MainWindow> form;
};

TEST_F(CardFlightsTest, ACarriedCardIsDimmedInPlaceThenFliesAndAClickLandsItBeforeActing)
{
    Load("Lift");
    ASSERT_TRUE(form->View().Animations());
    Session& s = form->State();
    const Card& top = *PileNamed("PILE1").Top();
    const Card& next = *PileNamed("PILE1").CardAt(PileNamed("PILE1").Count() - 2);
    const QRect origin = OnTable(CardView(top));

    ClickCard(top);
    ASSERT_TRUE(s.Carrying);
    // The ghost: the card stays in its place, dimmed, and clicks pass it.
    EXPECT_FALSE(CardView(top)->isHidden());
    EXPECT_NE(CardView(top)->graphicsEffect(), nullptr);
    EXPECT_EQ(OnTable(CardView(top)), origin);
    EXPECT_FALSE(form->View().Animating());

    ClickPileArea("PILE2");
    ASSERT_FALSE(s.Carrying);
    // The drop: the card flies from the ghost's place, its widget hidden at
    // the destination until it lands.
    ASSERT_TRUE(form->View().Animating());
    EXPECT_EQ(CardView(top)->graphicsEffect(), nullptr);
    EXPECT_TRUE(CardView(top)->isHidden());
    EXPECT_EQ(CardView(top)->parentWidget(), PileView("PILE2")->Content());
    auto* flyer = form->findChild<DragView*>("FlyingCard");
    ASSERT_NE(flyer, nullptr);
    EXPECT_EQ(flyer->pos(), origin.topLeft());
    const QRect target = OnTable(CardView(top));
    EXPECT_GE(Animation().duration(), 150);
    EXPECT_LE(Animation().duration(), 250);
    Animation().setCurrentTime(Animation().duration() / 2);
    EXPECT_GT(flyer->x(), origin.x());
    EXPECT_LT(flyer->x(), target.x());

    // A click on the next card lands the flight first, then lifts.
    ClickCard(next);
    EXPECT_FALSE(form->View().Animating());
    EXPECT_EQ(form->findChild<DragView*>("FlyingCard"), nullptr);
    EXPECT_FALSE(CardView(top)->isHidden());
    EXPECT_EQ(OnTable(CardView(top)), target);
    EXPECT_TRUE(s.Carrying);
    EXPECT_NE(CardView(next)->graphicsEffect(), nullptr);

    // Going back to its own pile the card does not move: nothing flies.
    ClickPileArea("PILE1");
    EXPECT_FALSE(s.Carrying);
    EXPECT_EQ(CardView(next)->graphicsEffect(), nullptr);
    EXPECT_FALSE(CardView(next)->isHidden());
    EXPECT_FALSE(form->View().Animating());
}

TEST_F(CardFlightsTest, AutoplaysCardsFlyOneStepAfterAnotherWithinTheLongestTimeAndAKeyLandsThem)
{
    Load("Auto");
    QAction* autoplay = form->findChild<QAction*>("Autoplay1");
    ASSERT_NE(autoplay, nullptr);
    autoplay->trigger();
    ASSERT_TRUE(form->View().Animating());
    EXPECT_LE(Animation().duration(), CardFlights::LongestMilliseconds);
    const int flying = HiddenCards();
    EXPECT_GT(flying, 1);
    // Halfway through, the first steps have landed and the last not yet.
    Animation().setCurrentTime(Animation().duration() / 2);
    EXPECT_LT(HiddenCards(), flying);
    EXPECT_GT(HiddenCards(), 0);
    // A key lands every card before it acts.
    QTest::keyClick(form.get(), Qt::Key_Right);
    EXPECT_FALSE(form->View().Animating());
    EXPECT_EQ(HiddenCards(), 0);
}

TEST_F(CardFlightsTest, WithAnimationsOffAMoveLandsAtOnceAndTheChoiceIsKept)
{
    QAction* animations = form->findChild<QAction*>("Animations1");
    ASSERT_NE(animations, nullptr);
    ASSERT_TRUE(animations->isChecked());
    animations->trigger();
    EXPECT_FALSE(form->View().Animations());
    EXPECT_EQ(IniFile("vexasolit.ini").ReadString("General", "Animations"), "0");

    Load("Lift");
    const Card& top = *PileNamed("PILE1").Top();
    ClickCard(top);
    ClickPileArea("PILE2");
    EXPECT_FALSE(form->View().Animating());
    EXPECT_FALSE(CardView(top)->isHidden());
    EXPECT_EQ(CardView(top)->parentWidget(), PileView("PILE2")->Content());

    // The next window starts with the choice kept.
    form.reset();
    Open();
    EXPECT_FALSE(form->findChild<QAction*>("Animations1")->isChecked());
    EXPECT_FALSE(form->View().Animations());
}

}  // namespace
}  // namespace vexa
