// Working the dialogs with the keyboard alone, and what a screen reader
// hears: every control carries an accessible name, and Enter in every
// dialog does what its default button does.
#include "cards/CardLibrary.h"
#include "cards/CardTestDirs.h"
#include "core/Environment.h"
#include "dialogs/AboutBox.h"
#include "dialogs/CardBackChooser.h"
#include "dialogs/GameChooser.h"
#include "dialogs/HowToPlayWindow.h"
#include "dialogs/StatisticsDialog.h"
#include "dialogs/VictoryDialog.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

namespace vexa {
namespace {

QListWidget& List(GameChooser& chooser) { return *chooser.findChild<QListWidget*>(QStringLiteral("Gamelist")); }

// The chooser shown without its own event loop, so keys can be sent to it.
struct OpenChooser {
    GameChooser chooser;
    OpenChooser()
    {
        chooser.SetItems({"Aardvark", "Baker's Dozen", "Calculation", "Canfield", "Klondike", "Zebra"});
        chooser.show();
    }
    void Key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::keyClick(&List(chooser), static_cast<Qt::Key>(key), modifiers);
    }
    void Type(const char* text) { QTest::keyClicks(&List(chooser), QString::fromLatin1(text)); }
};

TEST(Keyboard, ChooserMovesWithArrowsHomeEndAndTyping)
{
    OpenChooser open;
    EXPECT_EQ(open.chooser.ItemIndex(), -1);
    open.Key(Qt::Key_Down);
    EXPECT_EQ(open.chooser.ItemIndex(), 0);
    open.Key(Qt::Key_Down);
    open.Key(Qt::Key_Down);
    EXPECT_EQ(open.chooser.ItemIndex(), 2);
    open.Key(Qt::Key_Up);
    EXPECT_EQ(open.chooser.ItemIndex(), 1);
    open.Key(Qt::Key_End);
    EXPECT_EQ(open.chooser.ItemIndex(), 5);
    open.Key(Qt::Key_Down);  // stays on the last row
    EXPECT_EQ(open.chooser.ItemIndex(), 5);
    open.Key(Qt::Key_Home);
    EXPECT_EQ(open.chooser.ItemIndex(), 0);
    // Typing picks by the start of the name, case aside. Keys closer than
    // the keyboard input interval extend the word; a key after a longer
    // pause starts a new one. The interval is set for each case, so that a
    // slow machine can neither split a word nor join two.
    const int interval = QApplication::keyboardInputInterval();
    QApplication::setKeyboardInputInterval(600000);
    open.Type("kl");
    EXPECT_EQ(open.chooser.ItemIndex(), 4);
    QApplication::setKeyboardInputInterval(0);
    QTest::qWait(20);
    open.Type("C");
    QApplication::setKeyboardInputInterval(600000);
    open.Type("AN");
    EXPECT_EQ(open.chooser.ItemIndex(), 3);
    QApplication::setKeyboardInputInterval(interval);
}

TEST(Keyboard, EnterChoosesAndEscapeCancels)
{
    {
        OpenChooser open;
        open.Key(Qt::Key_End);
        open.Key(Qt::Key_Return);
        EXPECT_FALSE(open.chooser.isVisible());
        EXPECT_EQ(open.chooser.result(), QDialog::Accepted);
        EXPECT_EQ(open.chooser.ItemIndex(), 5);
    }
    {
        OpenChooser open;
        open.Key(Qt::Key_Down);
        open.Key(Qt::Key_Enter, Qt::KeypadModifier);
        EXPECT_EQ(open.chooser.result(), QDialog::Accepted);
    }
    {
        OpenChooser open;
        open.Key(Qt::Key_Down);
        open.Key(Qt::Key_Escape);
        EXPECT_FALSE(open.chooser.isVisible());
        EXPECT_EQ(open.chooser.result(), QDialog::Rejected);
        // The selection stays for the next time.
        EXPECT_EQ(open.chooser.ItemIndex(), 0);
    }
}

// Every button, list, text view and figure of a dialog has a name, and a
// dialog with buttons has exactly one default button.
void ExpectNamedWithDefault(const QDialog& dialog, bool hasButtons)
{
    for (const QWidget* control : dialog.findChildren<QWidget*>()) {
        const bool interactive = qobject_cast<const QAbstractButton*>(control) ||
                                 qobject_cast<const QAbstractItemView*>(control) ||
                                 qobject_cast<const QPlainTextEdit*>(control);
        const auto* label = qobject_cast<const QLabel*>(control);
        // A label with text is read by its text; an empty one (a figure filled
        // in later) needs a name.
        if (interactive || (label && label->text().isEmpty()) || control->inherits("vexa::CardWidget")) {
            EXPECT_FALSE(control->accessibleName().isEmpty())
                << dialog.windowTitle().toStdString() << ": " << control->objectName().toStdString();
        }
    }
    int defaults = 0;
    for (const QPushButton* button : dialog.findChildren<QPushButton*>()) defaults += button->isDefault();
    EXPECT_EQ(defaults, hasButtons ? 1 : 0) << dialog.windowTitle().toStdString();
}

TEST(Keyboard, EveryDialogNamesItsControlsAndHasADefault)
{
    GameChooser chooser;
    ExpectNamedWithDefault(chooser, true);
    HowToPlayWindow help;
    ExpectNamedWithDefault(help, true);
    CardLibrary library(test::CardsDirs());
    VictoryDialog victory(library, {"The Queen of Diamonds says:", "Well done", "It's only a silly card game", 12, 1});
    ExpectNamedWithDefault(victory, true);
    EXPECT_EQ(victory.findChild<QWidget*>(QStringLiteral("Cardigan"))->accessibleName(), "Queen of Diamonds");
    CardBackChooser backs(library, 6);
    ExpectNamedWithDefault(backs, true);
    StatisticsDialog stats;
    ExpectNamedWithDefault(stats, false);
    AboutBox about;
    ExpectNamedWithDefault(about, false);
}

TEST(Keyboard, EnterClosesTheHelpAndTheBoxesWithoutButtons)
{
    HowToPlayWindow help;
    help.show();
    QTest::keyClick(&help, Qt::Key_Return);
    EXPECT_FALSE(help.isVisible());

    StatisticsDialog stats;
    stats.show();
    QTest::keyClick(&stats, Qt::Key_Return);
    EXPECT_FALSE(stats.isVisible());
    EXPECT_EQ(stats.result(), QDialog::Accepted);

    AboutBox about;
    about.show();
    QTest::keyClick(&about, Qt::Key_Space);
    EXPECT_FALSE(about.isVisible());
    about.show();
    QTest::keyClick(&about, Qt::Key_Escape);
    EXPECT_FALSE(about.isVisible());
}

}  // namespace
}  // namespace vexa
