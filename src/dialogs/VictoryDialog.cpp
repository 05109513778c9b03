#include "dialogs/VictoryDialog.h"

#include "cards/CardWidget.h"
#include "core/Environment.h"
#include "dialogs/DialogParts.h"
#include "dialogs/Fonts.h"

#include <string>

#include <QLabel>
#include <QPushButton>

namespace vexa {

namespace {

// The quotes carry double quotation marks and must never be taken for markup.
QLabel* PlaceText(QWidget& parent, const char* name, const std::string& text, const QFont& font, const QColor& colour,
                  const QRect& bounds)
{
    QLabel* label = PlaceLabel(parent, name, QString(), font, colour, bounds);
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    label->setText(QString::fromStdString(text));
    return label;
}

// "Queen of Diamonds": the drawn card as a screen reader names it.
QString CardName(int rank, int suit)
{
    static const char* const ranks[] = {"Ace",   "Two",  "Three", "Four", "Five",  "Six", "Seven",
                                        "Eight", "Nine", "Ten",   "Jack", "Queen", "King"};
    static const char* const suits[] = {"Clubs", "Diamonds", "Hearts", "Spades"};
    if (rank < 1 || rank > 13 || suit < 0 || suit > 3) return QStringLiteral("Card");
    return QString("%1 of %2").arg(ranks[rank - 1], suits[suit]);
}

}  // namespace

VictoryDialog::VictoryDialog(CardLibrary& library, const VictoryText& text, QWidget* parent) : QDialog(parent)
{
    MakeFixedDialog(*this, QStringLiteral("Victory!"), 592, 273, QColor(0, 0, 0));
    setModal(true);

    auto* card = new CardWidget(library, this);
    card->setObjectName(QStringLiteral("Cardigan"));
    card->setGeometry(32, 40, 142, 192);
    card->SetValue(text.Rank);
    card->SetSuit(static_cast<CardSuit>(text.Suit));
    card->setAccessibleName(CardName(text.Rank, text.Suit));

    PlaceText(*this, "Label1", text.Label1, VexaFont("Times New Roman", 27, true), QColor(255, 0, 0),
              QRect(199, 26, 362, 37));
    QLabel* quote = PlaceText(*this, "Label2", text.Label2, VexaFont("Times New Roman", 27, true, true),
                              QColor(0, 255, 255), QRect(189, 81, 379, 122));
    quote->setWordWrap(true);

    auto* button = new QPushButton(QString::fromStdString(text.Button), this);
    button->setObjectName(QStringLiteral("Button1"));
    button->setAccessibleName(QString::fromStdString(text.Button));
    button->setGeometry(266, 219, 214, 29);
    button->setFont(VexaFont("Times New Roman", 16, true));
    SetTextColour(*button, QColor(0, 128, 0));
    button->setDefault(true);
    connect(button, &QPushButton::clicked, this, &QDialog::accept);
}

void VictoryDialog::setVisible(bool visible)
{
    if (visible && !isVisible()) CentreOnScreen(*this);
    QDialog::setVisible(visible);
}

void VictoryDialog::reject() { accept(); }

}  // namespace vexa
