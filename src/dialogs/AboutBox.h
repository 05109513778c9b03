// The About box: program name, version and credits on a yellow card. A
// click anywhere on it, labels included, closes it.
#pragma once

#include <QDialog>

namespace vexa {

class AboutBox : public QDialog {
    Q_OBJECT

public:
    explicit AboutBox(QWidget* parent = nullptr);

    void setVisible(bool visible) override;

protected:
    // Labels leave mouse clicks to the box, so both land here.
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    // The box has no buttons: Enter and Space close it as a click does,
    // Escape as well.
    void keyPressEvent(QKeyEvent* event) override;

private:
    bool pressed_ = false;
};

}  // namespace vexa
