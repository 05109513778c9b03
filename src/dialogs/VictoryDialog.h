// The victory dialog: a court card stretched to double size, what it says
// and a button to thank it. The texts and the card are drawn by the game
// core; a fresh dialog is made for each victory and only shows them.
#pragma once

#include <QDialog>

namespace vexa {

class CardLibrary;
class CardWidget;
struct VictoryText;

class VictoryDialog : public QDialog {
    Q_OBJECT

public:
    // Fetches the card's picture at once: throws the library's VexaError
    // when it cannot be had.
    VictoryDialog(CardLibrary& library, const VictoryText& text, QWidget* parent = nullptr);

    void setVisible(bool visible) override;
    // Every way out of the dialog (button, close box, Escape) counts as OK.
    void reject() override;
};

}  // namespace vexa
