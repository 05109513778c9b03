#include "dialogs/ClickToCloseDialog.h"

#include <QKeyEvent>
#include <QMouseEvent>

#include "dialogs/DialogParts.h"

namespace vexa {

void ClickToCloseDialog::setVisible(bool visible)
{
    if (visible && !isVisible()) {
        pressed_ = false;
        CentreOnScreen(*this);
    }
    QDialog::setVisible(visible);
}

void ClickToCloseDialog::mousePressEvent(QMouseEvent* event)
{
    pressed_ = event->button() == Qt::LeftButton;
    event->accept();
}

void ClickToCloseDialog::mouseReleaseEvent(QMouseEvent* event)
{
    const bool click = pressed_ && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
    pressed_ = false;
    event->accept();
    if (click) accept();
}

void ClickToCloseDialog::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space: accept(); break;
    default: QDialog::keyPressEvent(event);
    }
}

}  // namespace vexa
