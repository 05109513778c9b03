#include "table/PileWidget.h"

#include <algorithm>

#include <QEvent>
#include <QMouseEvent>
#include <QScrollBar>
#include <QSignalBlocker>

#include "table/PileLayout.h"
#include "table/Table.h"

namespace vexa {

QColor KindColour(int kind)
{
    switch (kind) {
    case 0: return QColor(0, 0, 255);
    case 1: return QColor(0, 255, 255);
    case 2: return QColor(0, 128, 0);
    case 3: return QColor(255, 0, 0);
    case 4: return QColor(0, 128, 128);
    case 5: return QColor(128, 0, 128);
    default: return QColor();
    }
}

PileWidget::PileWidget(Pile& pile, QWidget* parent) : QScrollArea(parent), pile_(&pile)
{
    setObjectName(QString::fromStdString(pile.Name));
    setFrameShape(QFrame::NoFrame);
    setWidgetResizable(false);
    auto* content = new QWidget;
    content->setObjectName(objectName() + "Content");
    content->setAutoFillBackground(true);
    setWidget(content);
    const QColor colour = KindColour(pile.Kind);
    if (colour.isValid()) {
        QPalette palette = content->palette();
        palette.setColor(QPalette::Window, colour);
        content->setPalette(palette);
        QPalette outer = viewport()->palette();
        outer.setColor(QPalette::Window, colour);
        viewport()->setPalette(outer);
        viewport()->setAutoFillBackground(true);
    }
    content->installEventFilter(this);
    viewport()->installEventFilter(this);
    // The player's scrolling is the pile's state as much as the layout's.
    connect(horizontalScrollBar(), &QScrollBar::valueChanged, this,
            [this](int value) { pile_->Horz.Position = value; });
    connect(verticalScrollBar(), &QScrollBar::valueChanged, this, [this](int value) { pile_->Vert.Position = value; });
}

void PileWidget::Render()
{
    const Rect& b = pile_->Bounds;
    if (geometry() != QRect(b.left, b.top, b.width, b.height)) setGeometry(b.left, b.top, b.width, b.height);
    setHorizontalScrollBarPolicy(pile_->Horz.Visible ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(pile_->Vert.Visible ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    int width = b.width - (pile_->Vert.Visible ? ScrollBarSize : 0);
    int height = b.height - (pile_->Horz.Visible ? ScrollBarSize : 0);
    for (const Card* card : pile_->Cards()) {
        if (!card->Visible) continue;
        width = std::max(width, card->Bounds.left + card->Bounds.width);
        height = std::max(height, card->Bounds.top + card->Bounds.height);
    }
    if (widget()->size() != QSize(width, height)) widget()->resize(width, height);
    {
        const QSignalBlocker hb(horizontalScrollBar()), vb(verticalScrollBar());
        horizontalScrollBar()->setValue(pile_->Horz.Position);
        verticalScrollBar()->setValue(pile_->Vert.Position);
    }
    const QString tip = pile_->ShowHint ? QString::fromStdString(pile_->Hint) : QString();
    if (toolTip() != tip) setToolTip(tip);
    if (isVisible() != pile_->Visible) setVisible(pile_->Visible);
    if (lastRepaint_ != pile_->RepaintCount) {
        lastRepaint_ = pile_->RepaintCount;
        widget()->update();
    }
}

bool PileWidget::eventFilter(QObject* watched, QEvent* event)
{
    // A click on the pile's own area: press and release of the primary
    // button on it, where no card lies (cards take their own clicks).
    if (event->type() == QEvent::MouseButtonPress) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        pressed_ = mouse->button() == Qt::LeftButton;
    } else if (event->type() == QEvent::MouseButtonRelease) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        auto* target = static_cast<QWidget*>(watched);
        const bool inside = target->rect().contains(mouse->position().toPoint());
        const bool click = pressed_ && mouse->button() == Qt::LeftButton && inside;
        pressed_ = false;
        emit MouseUp(mouse->button());
        if (click) emit Clicked(this);
    }
    return QScrollArea::eventFilter(watched, event);
}

}  // namespace vexa
