#include "cards/CardLibrary.h"
#include "cards/CardTestDirs.h"
#include "cards/CardWidget.h"
#include "core/Environment.h"
#include "core/VexaError.h"
#include "dialogs/VictoryDialog.h"
#include "records/Score.h"
#include "table/Random.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>

#include <QLabel>
#include <QPushButton>
#include <QTest>

namespace vexa {
namespace {

CardLibrary& Library()
{
    static CardLibrary library(test::CardsDirs());
    return library;
}

VictoryText Text(const std::string& label2, int rank = 12, int suit = 1)
{
    return {"The Queen of Diamonds says:", label2, "It's only a silly card game", rank, suit};
}

template <typename T>
T* Part(const QWidget& dialog, const char* name)
{
    return dialog.findChild<T*>(QString::fromLatin1(name));
}

TEST(VictoryTest, ShowsTheDrawnCardAndTexts)
{
    VictoryDialog dialog(Library(), Text("\"Superb.\"", 13, 3));
    EXPECT_EQ(dialog.windowTitle(), "Victory!");
    EXPECT_EQ(dialog.size(), QSize(592, 273));

    auto* card = Part<CardWidget>(dialog, "Cardigan");
    ASSERT_NE(card, nullptr);
    EXPECT_EQ(card->geometry(), QRect(32, 40, 142, 192));
    EXPECT_EQ(card->Value(), 13);
    EXPECT_EQ(card->Suit(), csSpades);
    EXPECT_EQ(card->Picture(), 3 * 13 + 13);  // face up
    // The picture is stretched to the control, not drawn at its natural size.
    const QImage shot = card->grab().toImage();
    EXPECT_EQ(shot.size(), QSize(142, 192));
    EXPECT_NE(shot.pixelColor(130, 180), QColor(0, 0, 0));

    auto* label1 = Part<QLabel>(dialog, "Label1");
    auto* label2 = Part<QLabel>(dialog, "Label2");
    auto* button = Part<QPushButton>(dialog, "Button1");
    ASSERT_TRUE(label1 && label2 && button);
    EXPECT_EQ(label1->text(), "The Queen of Diamonds says:");
    EXPECT_EQ(label1->geometry(), QRect(199, 26, 362, 37));
    EXPECT_EQ(label2->text(), "\"Superb.\"");
    EXPECT_EQ(label2->geometry(), QRect(189, 81, 379, 122));
    EXPECT_EQ(button->text(), "It's only a silly card game");
    EXPECT_EQ(button->geometry(), QRect(266, 219, 214, 29));
}

TEST(VictoryTest, ButtonAndCloseBoxBothCloseWithOk)
{
    VictoryDialog dialog(Library(), Text("\"Superb.\""));
    dialog.open();
    QTest::mouseClick(Part<QPushButton>(dialog, "Button1"), Qt::LeftButton);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);

    dialog.setResult(-1);
    dialog.open();
    EXPECT_TRUE(dialog.close());
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
}

// Every text the core can draw fits its control: the quotes wrap within
// Label2's height, the headings and captions fit on one line.
TEST(VictoryTest, EveryDrawnTextFitsItsControl)
{
    std::set<std::string> quotes, headings, captions;
    Random random(7);
    for (int i = 0; i < 2000; ++i) {
        const VictoryText text = DrawVictoryText(random);
        quotes.insert(text.Label2);
        headings.insert(text.Label1);
        captions.insert(text.Button);
    }
    ASSERT_EQ(quotes.size(), 10u);
    ASSERT_EQ(headings.size(), 12u);
    ASSERT_EQ(captions.size(), 8u);

    VictoryDialog dialog(Library(), Text(""));
    auto* label1 = Part<QLabel>(dialog, "Label1");
    auto* label2 = Part<QLabel>(dialog, "Label2");
    auto* button = Part<QPushButton>(dialog, "Button1");
    ASSERT_TRUE(label2->wordWrap());
    int tallest = 0;
    for (const std::string& quote : quotes) {
        label2->setText(QString::fromStdString(quote));
        const int height = label2->heightForWidth(379);
        EXPECT_LE(height, 122) << quote;
        tallest = std::max(tallest, height);
    }
    // The longer quotes do need the second line.
    EXPECT_GT(tallest, label2->fontMetrics().lineSpacing());
    for (const std::string& heading : headings) {
        label1->setText(QString::fromStdString(heading));
        EXPECT_LE(label1->sizeHint().width(), 362) << heading;
        EXPECT_LE(label1->sizeHint().height(), 37) << heading;
    }
    for (const std::string& caption : captions) {
        const int width = button->fontMetrics().horizontalAdvance(QString::fromStdString(caption));
        EXPECT_LT(width, 214) << caption;
    }
}

TEST(VictoryTest, AMissingCardLibraryIsReportedToTheCaller)
{
    CardLibrary missing({QStringLiteral("/nonexistent/vexa-cards")});
    EXPECT_THROW(VictoryDialog(missing, Text("\"Superb.\"")), VexaError);
}

}  // namespace
}  // namespace vexa
