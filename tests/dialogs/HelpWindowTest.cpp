#include "dialogs/HowToPlayWindow.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>

namespace vexa {
namespace {

TEST(HelpWindowTest, ShowsCrLfTextAsLines)
{
    HowToPlayWindow help;
    help.SetHelpText(QStringLiteral("Build up by suit. \r\n\r\nKings fill spaces.\rLast\nline"));
    auto* memo = help.findChild<QPlainTextEdit*>(QStringLiteral("Memo1"));
    ASSERT_NE(memo, nullptr);
    EXPECT_EQ(memo->toPlainText(), "Build up by suit. \n\nKings fill spaces.\nLast\nline");
    EXPECT_EQ(memo->document()->blockCount(), 5);
    EXPECT_TRUE(memo->isReadOnly());
    EXPECT_FALSE(memo->focusPolicy() & Qt::TabFocus);
    EXPECT_EQ(memo->geometry(), QRect(8, 9, 306, 305));
    EXPECT_EQ(help.size(), QSize(323, 345));
}

TEST(HelpWindowTest, IsModelessAndOkOrCloseOnlyHide)
{
    QWidget table;
    table.show();
    auto* help = new HowToPlayWindow(&table);
    auto* ok = help->findChild<QPushButton*>(QStringLiteral("Button1"));
    ASSERT_NE(ok, nullptr);
    EXPECT_EQ(ok->geometry(), QRect(291, 316, 30, 27));

    help->show();
    EXPECT_FALSE(help->isModal());
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    QTest::mouseClick(ok, Qt::LeftButton);
    EXPECT_FALSE(help->isVisible());

    help->show();
    help->close();
    EXPECT_FALSE(help->isVisible());
    EXPECT_EQ(table.findChildren<HowToPlayWindow*>().size(), 1);
}

TEST(HelpWindowTest, TheOkButtonLeavesTheWholeScrollBarVisible)
{
    HowToPlayWindow help;
    help.SetHelpText(QString("A long line of help.\n").repeated(60));
    help.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&help));
    auto* memo = help.findChild<QPlainTextEdit*>(QStringLiteral("Memo1"));
    auto* ok = help.findChild<QPushButton*>(QStringLiteral("Button1"));
    QScrollBar* bar = memo->verticalScrollBar();
    ASSERT_TRUE(bar->isVisible());
    const QRect shown(bar->mapTo(&help, QPoint()), bar->size());
    EXPECT_FALSE(shown.intersects(ok->geometry())) << "bar bottom " << shown.bottom() << ", button top " << ok->y();
    // The text area itself lies above the button too.
    EXPECT_FALSE(memo->geometry().intersects(ok->geometry()));
}

TEST(HelpWindowTest, ShowingAgainKeepsTheWindowWhereThePlayerPutIt)
{
    HowToPlayWindow help;
    help.show();
    help.move(help.pos() + QPoint(40, 30));
    const QPoint moved = help.pos();
    help.hide();
    help.show();
    help.show();
    EXPECT_TRUE(help.isVisible());
    EXPECT_EQ(help.pos(), moved);
}

}  // namespace
}  // namespace vexa
