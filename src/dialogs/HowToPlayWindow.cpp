#include "dialogs/HowToPlayWindow.h"

#include "dialogs/DialogParts.h"
#include "dialogs/Fonts.h"

#include <QPalette>
#include <QPlainTextEdit>
#include <QPushButton>

namespace vexa {

HowToPlayWindow::HowToPlayWindow(QWidget* parent) : QDialog(parent)
{
    MakeFixedDialog(*this, QStringLiteral("How to Play..."), 323, 345, QColor(0, 0, 255));
    setModal(false);

    memo_ = new QPlainTextEdit(this);
    memo_->setObjectName(QStringLiteral("Memo1"));
    memo_->setAccessibleName(QStringLiteral("How to play"));
    // The text ends above the OK button, so the button hides no part of its
    // scroll bar.
    memo_->setGeometry(8, 9, 306, 305);
    memo_->setReadOnly(true);
    memo_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    memo_->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    memo_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    memo_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // Tab passes the text by; a click still gives it focus for selecting and scrolling.
    memo_->setFocusPolicy(Qt::ClickFocus);
    memo_->setTabChangesFocus(true);
    memo_->setFont(VexaFont("Arial", 13, true));
    QPalette palette = memo_->palette();
    palette.setColor(QPalette::Base, QColor(0, 0, 128));
    palette.setColor(QPalette::Text, Qt::white);
    memo_->setPalette(palette);

    // Below the text's lower right corner.
    button_ = new QPushButton(QStringLiteral("OK"), this);
    button_->setObjectName(QStringLiteral("Button1"));
    button_->setAccessibleName(QStringLiteral("OK"));
    // Enter closes the window wherever the focus is.
    button_->setDefault(true);
    button_->setGeometry(291, 316, 30, 27);
    button_->setFont(VexaFont("MS Sans Serif", 11, true));
    SetTextColour(*button_, QColor(255, 0, 0));
    connect(button_, &QPushButton::clicked, this, &QWidget::hide);
}

void HowToPlayWindow::SetHelpText(const QString& text)
{
    QString lines = text;
    lines.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    lines.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    memo_->setPlainText(lines);
}

void HowToPlayWindow::setVisible(bool visible)
{
    // Centred the first time only: where the player then moves it, it stays.
    if (visible && !placed_) {
        CentreOnScreen(*this);
        placed_ = true;
    }
    QDialog::setVisible(visible);
}

}  // namespace vexa
