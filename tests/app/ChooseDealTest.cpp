// Numbered deals in the window on the offscreen platform: the status bar
// shows the number of the hand in play, Game > Choose deal... asks for a
// number and deals that hand.
#include <filesystem>
#include <functional>

#include <QAction>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include "app/NewHand.h"
#include "app/StatusBar.h"
#include "dialogs/DealNumberDialog.h"
#include "records/KeptHand.h"
#include "support/WindowTest.h"

namespace vexa {
namespace {

namespace fs = std::filesystem;

class ChooseDealTest : public test::WindowTest {
protected:
    void SetUp() override
    {
        for (const auto& entry : fs::directory_iterator(fs::path(VEXA_SOURCE_DIR) / "games"))
            fs::copy_file(entry.path(), dir.Path() / entry.path().filename());
        Open();
        form->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    }
    void Load(const std::string& game)
    {
        WindowTest::Load(game);
        form->Status().StartHand();
    }
    // Opens Choose deal... (by its shortcut when byKey) and lets answer act
    // on the dialog while it is shown.
    void ChooseDeal(bool byKey, const std::function<void(DealNumberDialog&)>& answer)
    {
        bool shown = false;
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<DealNumberDialog*>(QApplication::activeModalWidget());
            if (!dialog) return;
            shown = true;
            answer(*dialog);
            if (dialog->isVisible()) dialog->reject();
        });
        if (byKey)
            QTest::keyClick(form.get(), Qt::Key_G, Qt::ControlModifier);
        else
            Action("ChooseDeal1")->trigger();
        EXPECT_TRUE(shown);
        // The keys go to the window again, as a window manager would see to.
        form->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(form.get()));
    }
    static QLineEdit& Field(DealNumberDialog& dialog) { return *dialog.findChild<QLineEdit*>("DealNumber"); }
    static QPushButton& Button(DealNumberDialog& dialog, QDialogButtonBox::StandardButton which)
    {
        return *dialog.findChild<QDialogButtonBox*>()->button(which);
    }
    static void Type(DealNumberDialog& dialog, const QString& text)
    {
        Field(dialog).selectAll();
        QTest::keyClick(&Field(dialog), Qt::Key_Delete);
        QTest::keyClicks(&Field(dialog), text);
    }
    QString DealLabel()
    {
        auto* label = form->findChild<QLabel*>("StatusDeal");
        return label->isHidden() ? QString() : label->text();
    }
    QAction* Action(const char* name) { return form->findChild<QAction*>(name); }
};

TEST_F(ChooseDealTest, TheMenuItemWaitsForAGameAndTheStatusBarShowsTheHandsNumber)
{
    EXPECT_EQ(Action("ChooseDeal1")->text(), "&Choose deal…");
    EXPECT_EQ(Action("ChooseDeal1")->shortcut(), QKeySequence("Ctrl+G"));
    EXPECT_FALSE(Action("ChooseDeal1")->isEnabled());
    Load("Klondike");
    EXPECT_TRUE(Action("ChooseDeal1")->isEnabled());
    // The window's generator starts from the clock's milliseconds.
    EXPECT_EQ(DealLabel(), "Deal 12345");
    form->NewHand(NewHandKind::Deal);
    ASSERT_TRUE(form->State().DealNumber);
    EXPECT_NE(*form->State().DealNumber, 12345u);
    EXPECT_EQ(DealLabel(), QString("Deal %1").arg(*form->State().DealNumber));
}

TEST_F(ChooseDealTest, ChoosingANumberDealsThatHandAndRestartGivesItAgain)
{
    Load("Klondike");
    Session& s = form->State();
    ChooseDeal(true, [&](DealNumberDialog& dialog) {
        // The field starts with the number in play, selected.
        EXPECT_EQ(Field(dialog).text(), "12345");
        Type(dialog, "1234");
        EXPECT_TRUE(Button(dialog, QDialogButtonBox::Ok).isEnabled());
        QTest::mouseClick(&Button(dialog, QDialogButtonBox::Ok), Qt::LeftButton);
    });
    EXPECT_EQ(s.DealNumber, std::optional<std::uint32_t>(1234));
    EXPECT_EQ(DealLabel(), "Deal 1234");
    const std::vector<KeptPile> dealt = PilesOnTable(s);
    // Every card widget shows its card as the core holds it.
    for (int i = 1; i <= 52; ++i) {
        const Card& card = s.Board.CardAt(i);
        const CardWidget* widget = CardView(card);
        ASSERT_NE(widget, nullptr);
        EXPECT_EQ(widget->State(), card.Face.State()) << i;
        EXPECT_EQ(!widget->isHidden(), card.Visible) << i;
    }

    QTest::keyClick(form.get(), Qt::Key_F2);
    EXPECT_NE(PilesOnTable(s), dealt);
    ChooseDeal(false, [&](DealNumberDialog& dialog) {
        Type(dialog, "1234");
        QTest::keyClick(&Field(dialog), Qt::Key_Return);
    });
    EXPECT_EQ(PilesOnTable(s), dealt);
    QTest::keyClick(form.get(), Qt::Key_R, Qt::ControlModifier);
    EXPECT_EQ(PilesOnTable(s), dealt);
    EXPECT_EQ(DealLabel(), "Deal 1234");
}

TEST_F(ChooseDealTest, CancelAndNumbersOutOfRangeChangeNothing)
{
    Load("FreeCell");
    Session& s = form->State();
    const std::vector<KeptPile> dealt = PilesOnTable(s);
    const auto deck = s.Deck;
    ChooseDeal(false, [&](DealNumberDialog& dialog) {
        Type(dialog, "");
        EXPECT_FALSE(Button(dialog, QDialogButtonBox::Ok).isEnabled());
        // The field takes no eleventh digit, no number past the range, and
        // nothing but digits.
        Type(dialog, "42949672951");
        EXPECT_EQ(Field(dialog).text(), "4294967295");
        Type(dialog, "4294967296");
        EXPECT_EQ(Field(dialog).text(), "429496729");
        Type(dialog, "-12x 3");
        EXPECT_EQ(Field(dialog).text(), "123");
        // Enter with an empty field does not close the dialog.
        Type(dialog, "");
        QTest::keyClick(&Field(dialog), Qt::Key_Return);
        EXPECT_TRUE(dialog.isVisible());
        Type(dialog, "77");
        QTest::mouseClick(&Button(dialog, QDialogButtonBox::Cancel), Qt::LeftButton);
    });
    EXPECT_EQ(s.Deck, deck);
    EXPECT_EQ(PilesOnTable(s), dealt);
    EXPECT_EQ(DealLabel(), "Deal 12345");
}

}  // namespace
}  // namespace vexa
