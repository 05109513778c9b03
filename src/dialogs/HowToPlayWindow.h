// The How to Play window: the rules of the loaded game in a read-only text
// area. It is modeless, so the player can keep it open beside the table; OK
// and the close box only hide it.
#pragma once

#include <QDialog>
#include <QString>

class QPlainTextEdit;
class QPushButton;

namespace vexa {

class HowToPlayWindow : public QDialog {
    Q_OBJECT

public:
    explicit HowToPlayWindow(QWidget* parent = nullptr);

    // Shows text whose lines end in CR LF (a lone CR or LF also breaks a line).
    void SetHelpText(const QString& text);

    void setVisible(bool visible) override;

private:
    QPlainTextEdit* memo_;
    QPushButton* button_;
    bool placed_ = false;
};

}  // namespace vexa
