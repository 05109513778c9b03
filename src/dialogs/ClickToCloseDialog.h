// A dialog without buttons that a click anywhere on it closes, labels
// included; Enter and Space close it as a click does, Escape as well. It
// opens at the centre of its screen.
#pragma once

#include <QDialog>

namespace vexa {

class ClickToCloseDialog : public QDialog {
    Q_OBJECT

public:
    explicit ClickToCloseDialog(QWidget* parent = nullptr) : QDialog(parent) {}

    void setVisible(bool visible) override;

protected:
    // Labels leave mouse clicks to the dialog, so both land here.
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    bool pressed_ = false;
};

}  // namespace vexa
