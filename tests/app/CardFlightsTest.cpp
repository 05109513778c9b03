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
#include "defs/IniFile.h"
#include "support/WindowTest.h"

namespace vexa {
namespace {

class CardFlightsTest : public test::WindowTest {
protected:
    void SetUp() override
    {
        dir.Write("vexasolit.ini", "[Gamelist]\nLift=lift.ini\nAuto=auto.ini\n");
        dir.Write("lift.ini", test::LiftGame());
        // Four foundations that take any first card and then its suit; the
        // column spreads 50 cards, so autoplay moves many cards in sight; two
        // stay in a stock, so the hand is not won.
        std::string autoDef = "[Auto]\nName=Auto\nFormwidth=520\nFormheight=700\n"
                              "PILE1=20,10,71,600,0,2,0,0,0,401,0,0,0," +
                              test::Cards('U', 50) + "\nPILE6=20,620,71,96,2,0,0,0,0,402,0,0,0,DD\n";
        for (int i = 0; i < 4; ++i)
            autoDef += "PILE" + std::to_string(i + 2) + "=" + std::to_string(120 + 100 * i) +
                       ",10,71,96,2,3,0,120,201,402,0,0,0,-\n";
        dir.Write("auto.ini", autoDef);
        Open();
    }
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
    const int dealt = PileNamed("PILE1").Count();
    autoplay->trigger();
    ASSERT_TRUE(form->View().Animating());
    // Every card autoplay moved flies, also those that end covered on a
    // foundation, each as a step of its own.
    const int flying = HiddenCards();
    EXPECT_EQ(flying, dealt - PileNamed("PILE1").Count());
    EXPECT_GT(flying, 4);
    EXPECT_EQ(Animation().duration(),
              std::min(CardFlights::StepMilliseconds, CardFlights::LongestMilliseconds / flying) * flying);
    EXPECT_LE(Animation().duration(), CardFlights::LongestMilliseconds);
    // Halfway through, the first steps have landed and the last not yet;
    // every foundation that a card reached shows one, whether it lies on
    // top at the end or gets covered later.
    Animation().setCurrentTime(Animation().duration() / 2);
    EXPECT_LT(HiddenCards(), flying);
    EXPECT_GT(HiddenCards(), 0);
    const auto flyers = form->findChildren<DragView*>("FlyingCard");
    for (const char* name : {"PILE2", "PILE3", "PILE4", "PILE5"}) {
        const Pile& foundation = PileNamed(name);
        bool reached = false;
        for (const Card* card : foundation.Cards()) reached |= !form->View().Flights().Flying(card->Index());
        if (!reached) continue;
        const QPoint place = OnTable(CardView(*foundation.Top())).topLeft();
        const bool shown = CardView(*foundation.Top())->isVisible() ||
                           std::any_of(flyers.begin(), flyers.end(), [&](DragView* v) { return v->pos() == place; });
        EXPECT_TRUE(shown) << name;
    }
    // A key lands every card before it acts.
    QTest::keyClick(form.get(), Qt::Key_Right);
    EXPECT_FALSE(form->View().Animating());
    EXPECT_EQ(HiddenCards(), 0);
    EXPECT_EQ(form->findChild<DragView*>("FlyingCard"), nullptr);
}

TEST_F(CardFlightsTest, ADragsDropGlidesFromThePointerToItsPlaceAndARefusedOneBackToItsPile)
{
    Load("Lift");
    Session& s = form->State();
    Pile& first = PileNamed("PILE1");
    const Card& top = *first.Top();
    const QRect origin = OnTable(CardView(top));
    auto* dragged = form->findChild<DragView*>("DragView");
    ASSERT_NE(dragged, nullptr);

    // The empty PILE2 takes the card; the stock refuses it; the background
    // is no pile at all.
    struct Case {
        QWidget* target;
        QPoint at;
        bool taken;
    };
    const Case cases[] = {{PileView("PILE2")->Content(), {20, 20}, true},
                          {PileView("PILE3"), {20, 20}, false},
                          {form->centralWidget(), {480, 250}, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.target->objectName().toStdString());
        test::Drag(CardView(*first.CardAt(0)), QPoint(30, 5), c.target, c.at);
        ASSERT_FALSE(s.Carrying);
        EXPECT_EQ(top.Parent() == &PileNamed("PILE2"), c.taken);
        // The card starts where the drag drew it at the release, its widget
        // waiting hidden in its place, no longer a ghost.
        ASSERT_TRUE(form->View().Animating());
        EXPECT_EQ(Animation().duration(), CardFlights::DropMilliseconds);
        auto* flyer = form->findChild<DragView*>("FlyingCard");
        ASSERT_NE(flyer, nullptr);
        const QPoint drop = dragged->pos();
        EXPECT_EQ(flyer->pos(), drop);
        EXPECT_TRUE(CardView(top)->isHidden());
        EXPECT_EQ(CardView(top)->graphicsEffect(), nullptr);
        const QRect rest = OnTable(CardView(top));
        if (!c.taken) {
            EXPECT_EQ(rest, origin);
        }
        ASSERT_NE(rest.topLeft(), drop);

        // Halfway it lies between the two, then it lands in its place.
        Animation().setCurrentTime(Animation().duration() / 2);
        const QPoint halfway = flyer->pos();
        EXPECT_NE(halfway, drop);
        EXPECT_NE(halfway, rest.topLeft());
        EXPECT_GE(halfway.x(), std::min(drop.x(), rest.x()));
        EXPECT_LE(halfway.x(), std::max(drop.x(), rest.x()));
        EXPECT_GE(halfway.y(), std::min(drop.y(), rest.y()));
        EXPECT_LE(halfway.y(), std::max(drop.y(), rest.y()));
        form->View().FinishAnimations();
        EXPECT_FALSE(CardView(top)->isHidden());
        EXPECT_EQ(OnTable(CardView(top)), rest);
        if (c.taken) {
            form->Undo();
            form->View().FinishAnimations();
            ASSERT_EQ(first.Top(), &top);
        }
    }
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
    // So does the undo, and a drag's drop.
    form->Undo();
    EXPECT_FALSE(form->View().Animating());
    test::Drag(CardView(top), QPoint(30, 5), PileView("PILE2")->Content(), QPoint(20, 20));
    EXPECT_EQ(top.Parent(), &PileNamed("PILE2"));
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
