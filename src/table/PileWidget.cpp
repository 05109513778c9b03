#include "table/PileWidget.h"

#include <algorithm>

#include <cmath>

#include <QEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

#include "core/Session.h"
#include "table/FeltPainting.h"
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

PileWidget::PileWidget(Pile& pile, const Session& session, QWidget* parent)
    : QScrollArea(parent), pile_(&pile), session_(session)
{
    setObjectName(QString::fromStdString(pile.Name));
    setFrameShape(QFrame::NoFrame);
    // The main window takes the keys (arrows move its focus frame).
    setFocusPolicy(Qt::NoFocus);
    horizontalScrollBar()->setFocusPolicy(Qt::NoFocus);
    verticalScrollBar()->setFocusPolicy(Qt::NoFocus);
    setWidgetResizable(false);
    auto* content = new QWidget;
    content->setObjectName(objectName() + "Content");
    setWidget(content);
    SetFelt(false);
    content->installEventFilter(this);
    viewport()->installEventFilter(this);
    // The player's scrolling is the pile's state as much as the layout's,
    // kept in the model's pixels.
    connect(horizontalScrollBar(), &QScrollBar::valueChanged, this, [this](int value) {
        if (!applying_) pile_->Horz.Position = qRound(value / scale_);
    });
    connect(verticalScrollBar(), &QScrollBar::valueChanged, this, [this](int value) {
        if (!applying_) pile_->Vert.Position = qRound(value / scale_);
    });
}

void PileWidget::SetFelt(bool felt)
{
    felt_ = felt;
    // Classic: the solid colour of the Kind on the viewport and content.
    // Felt: both transparent, the outline painted over the table's felt.
    const QColor colour = KindColour(pile_->Kind);
    for (QWidget* area : {static_cast<QWidget*>(viewport()), widget()}) {
        QPalette palette = area->palette();
        if (colour.isValid()) palette.setColor(QPalette::Window, colour);
        area->setPalette(palette);
        area->setAutoFillBackground(!felt && (colour.isValid() || area == widget()));
    }
    viewport()->update();
}

void PileWidget::Render(const QRect& bounds, qreal scale)
{
    const bool rescaled = scale != scale_;
    scale_ = scale;
    auto scaled = [scale](int model) { return qRound(model * scale); };
    if (geometry() != bounds) setGeometry(bounds);
    const Qt::ScrollBarPolicy horz = pile_->Horz.Visible ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff;
    const Qt::ScrollBarPolicy vert = pile_->Vert.Visible ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff;
    if (horizontalScrollBarPolicy() != horz) setHorizontalScrollBarPolicy(horz);
    if (verticalScrollBarPolicy() != vert) setVerticalScrollBarPolicy(vert);
    // The bars are as thick as the model's bar at this scale (the style
    // asks the pile for its scale).
    if (rescaled) {
        horizontalScrollBar()->updateGeometry();
        verticalScrollBar()->updateGeometry();
        setViewportMargins(0, 0, 0, 0);
    }
    const Rect& b = pile_->Bounds;
    int width = b.width - (pile_->Vert.Visible ? ScrollBarSize : 0);
    int height = b.height - (pile_->Horz.Visible ? ScrollBarSize : 0);
    for (const Card* card : pile_->Cards()) {
        if (!card->Visible) continue;
        width = std::max(width, card->Bounds.left + card->Bounds.width);
        height = std::max(height, card->Bounds.top + card->Bounds.height);
    }
    const QSize content(scaled(width), scaled(height));
    if (widget()->size() != content) widget()->resize(content);
    {
        // The bars move the content as they are set; what they report back
        // meanwhile is the core's own state, not the player's scrolling.
        applying_ = true;
        // The ranges the core computed, so that a restored position holds
        // before the toolkit gets round to measuring the content again.
        if (pile_->Horz.Visible) horizontalScrollBar()->setRange(0, scaled(pile_->Horz.Range));
        if (pile_->Vert.Visible) verticalScrollBar()->setRange(0, scaled(pile_->Vert.Range));
        horizontalScrollBar()->setValue(scaled(pile_->Horz.Position));
        verticalScrollBar()->setValue(scaled(pile_->Vert.Position));
        applying_ = false;
    }
    const QString tip = pile_->ShowHint ? QString::fromStdString(pile_->Hint) : QString();
    if (toolTip() != tip) setToolTip(tip);
    if (isVisible() != pile_->Visible) setVisible(pile_->Visible);
    if (lastRepaint_ != pile_->RepaintCount || (felt_ && pile_->Count() == 0)) {
        lastRepaint_ = pile_->RepaintCount;
        widget()->update();
        viewport()->update();
    }
}

bool PileWidget::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Paint && felt_ && watched == viewport()) {
        // The outline is drawn in the viewport, below the content's cards.
        QPainter painter(viewport());
        PaintFeltPile(painter, QRectF(viewport()->rect()), pile_->Kind, scale_);
        if (pile_->Kind == 0 && pile_->Count() == 0 && pile_->Visible)
            PaintStockMark(painter,
                           QRectF(0, 0, CardWidth * scale_, CardHeight * scale_).intersected(viewport()->rect()),
                           session_.RedealsLeft > 0);
        return false;
    }
    // A click on the pile's own area: press and release of the primary
    // button on it, where no card lies (cards take their own clicks). The
    // second press of a quick double click is a press like any other. The
    // pile keeps its mouse events: they are not the table's background.
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        pressed_ = mouse->button() == Qt::LeftButton;
        return true;
    }
    case QEvent::MouseButtonRelease: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        auto* target = static_cast<QWidget*>(watched);
        const bool inside = target->rect().contains(mouse->position().toPoint());
        const bool click = pressed_ && mouse->button() == Qt::LeftButton && inside;
        if (mouse->button() == Qt::LeftButton) pressed_ = false;
        if (click) emit Clicked(this);
        emit MouseUp(mouse->button());
        return true;
    }
    default: return QScrollArea::eventFilter(watched, event);
    }
}

}  // namespace vexa
