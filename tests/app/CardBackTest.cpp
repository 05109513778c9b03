// The card back of the player's choice in the window, on the offscreen
// platform: View > "Card back…" redraws every face-down card, the stock and
// the cards in flight at once and keeps the back in the catalogue (that the
// next start shows it again is the end-to-end run's), and a value there that
// names no back reads as the house back.
#include <filesystem>
#include <string>
#include <vector>

#include <QAction>
#include <QListWidget>
#include <QTimer>

#include "app/DragView.h"
#include "defs/IniFile.h"
#include "dialogs/CardBackChooser.h"
#include "support/WindowTest.h"

namespace vexa {
namespace {

const char* const kGame =
    "[Backs]\nName=Backs\nFormwidth=400\nFormheight=300\n"
    "PILE1=10,10,71,96,2,0,90,0,0,402,301,0,0,DDDDDDDDDD\n"
    "PILE2=100,10,71,96,2,1,1,0,0,402,0,0,0,-\n"
    "PILE3=200,10,71,200,0,2,3,109,208,401,0,0,0,DDU\n";

class CardBackTest : public test::WindowTest {
protected:
    // Opens the window over a catalogue with these [General] lines and
    // loads the game.
    void SetUp() override { dir.Write("backs.ini", kGame); }
    void Start(const std::string& general)
    {
        dir.Write("vexasolit.ini", "[Gamelist]\nBacks=backs.ini\n[General]\n" + general);
        Open();
        Load("Backs");
    }
    // The pictures of the cards on the table's piles, face-down ones and
    // face-up ones apart.
    void Shown(std::vector<int>& down, std::vector<int>& up)
    {
        down.clear();
        up.clear();
        for (const char* key : {"PILE1", "PILE2", "PILE3"})
            for (const Card* card : PileNamed(key).Cards())
                (card->Face.State() == ctBack ? down : up).push_back(CardView(*card)->Picture());
    }
    QImage Stock()
    {
        QApplication::processEvents();
        return PileView("PILE1")->grab().toImage();
    }
    // Opens View > "Card back…" and works the dialog with keys.
    void Choose(std::vector<Qt::Key> keys)
    {
        bool seen = false;
        QTimer::singleShot(0, [&] {
            auto* chooser = qobject_cast<CardBackChooser*>(QApplication::activeModalWidget());
            if (!chooser) return;
            seen = true;
            auto* tiles = chooser->findChild<QListWidget*>("Backs");
            for (Qt::Key key : keys) QTest::keyClick(tiles, key);
        });
        QAction* action = form->findChild<QAction*>("CardBack1");
        ASSERT_NE(action, nullptr);
        EXPECT_EQ(action->text(), "Card back…");
        action->trigger();
        EXPECT_TRUE(seen) << "the dialog did not open";
    }
};

TEST_F(CardBackTest, CancelChangesNothingAndAPickedBackShowsAtOnceOnEveryFaceDownCard)
{
    Start("TableStyle=Felt\nAnimations=0\n");
    EXPECT_EQ(form->CardBack(), 6);
    std::vector<int> down, up, upBefore;
    Shown(down, upBefore);
    ASSERT_EQ(down.size(), 12u);
    for (int picture : down) EXPECT_EQ(picture, 58);
    const QImage stockBefore = Stock();
    const std::string catalogueBefore = dir.Read("vexasolit.ini");

    Choose({Qt::Key_Right, Qt::Key_Escape});
    EXPECT_EQ(form->CardBack(), 6);
    EXPECT_EQ(Stock(), stockBefore);
    EXPECT_EQ(dir.Read("vexasolit.ini"), catalogueBefore);

    Choose({Qt::Key_Right, Qt::Key_Right, Qt::Key_Return});
    EXPECT_EQ(form->CardBack(), 8);
    Shown(down, up);
    for (int picture : down) EXPECT_EQ(picture, 60);
    EXPECT_EQ(up, upBefore);
    EXPECT_NE(Stock(), stockBefore);
    // Every card carries the back, also those off the table.
    for (int i = 1; i <= CardCount; ++i) EXPECT_EQ(form->State().Board.CardAt(i).Face.CardBackStyle(), 8) << i;

    const IniFile catalogue("vexasolit.ini");
    EXPECT_EQ(catalogue.ReadString("General", "CardBack"), "8");
    EXPECT_EQ(catalogue.ReadString("General", "TableStyle"), "Felt");
    EXPECT_EQ(catalogue.ReadString("General", "Animations"), "0");
    EXPECT_EQ(catalogue.ReadString("Gamelist", "Backs"), "backs.ini");
}

TEST_F(CardBackTest, ACardDealtFromTheStockFliesShowingTheChosenBack)
{
    Start("");
    ASSERT_TRUE(form->View().Animations());
    form->SetCardBack(3);
    Pile& stock = PileNamed("PILE1");
    form->Click(stock.Top());
    ASSERT_TRUE(form->View().Animating());
    auto* flyer = form->findChild<DragView*>("FlyingCard");
    ASSERT_NE(flyer, nullptr);
    CardWidget& next = *CardView(*stock.Top());
    EXPECT_EQ(next.Picture(), 55);
    // The same picture inside the rounded corners (what shows through them
    // differs: the stock's colour, the table's).
    const QRect inside = next.rect().adjusted(6, 6, -6, -6);
    EXPECT_EQ(flyer->grab(inside).toImage(), next.grab(inside).toImage());
    form->View().FinishAnimations();
}

TEST_F(CardBackTest, AValueThatNamesNoBackReadsAsTheHouseBackAndStaysInTheFile)
{
    struct Case {
        const char* value;
        int back;
    };
    const Case cases[] = {
        {"", 6},   {"0", 6},   {"14", 6},          {"-3", 6},  {"58", 6}, {"seven", 6},
        {"7x", 6}, {"2.5", 6}, {"99999999999", 6}, {"13", 13}, {"1", 1},  {" 9 ", 9},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string("CardBack=") + c.value);
        const std::string general = std::string("TableStyle=Felt\nCardBack=") + c.value + "\nKeep=this\n";
        const std::string catalogue = "[Gamelist]\nBacks=backs.ini\n[General]\n" + general;
        dir.Write("vexasolit.ini", catalogue);
        Open();
        EXPECT_EQ(form->CardBack(), c.back);
        EXPECT_EQ(dir.Read("vexasolit.ini"), catalogue);
        Load("Backs");
        std::vector<int> down, up;
        Shown(down, up);
        for (int picture : down) EXPECT_EQ(picture, 52 + c.back);
        EXPECT_EQ(IniFile("vexasolit.ini").ReadString("General", "TableStyle"), "Felt");
        EXPECT_EQ(IniFile("vexasolit.ini").ReadString("General", "Keep"), "this");
        form.reset();
        std::filesystem::remove(dir.Path() / "hand.ini");
    }
}

}  // namespace
}  // namespace vexa
