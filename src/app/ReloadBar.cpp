#include "app/ReloadBar.h"

#include <algorithm>

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QToolButton>

namespace vexa {

QString FindingsCount(int errors, int warnings)
{
    if (errors == 0 && warnings == 0) return "No errors or warnings";
    const QString e = errors == 1 ? "1 error" : QString("%1 errors").arg(errors);
    const QString w = warnings == 1 ? "1 warning" : QString("%1 warnings").arg(warnings);
    if (warnings == 0) return e;
    if (errors == 0) return w;
    return e + ", " + w;
}

ReloadBar::ReloadBar(QWidget* anchor, QWidget* parent) : QFrame(parent), anchor_(anchor)
{
    setObjectName("ReloadBar");
    // The colours of a notice, whatever the table's style.
    setStyleSheet("#ReloadBar { background: #fdf2c8; border-bottom: 1px solid #b8a25a; }"
                  "#ReloadBar QLabel { color: #1e1e1e; }");
    // Clicks on the bar are the bar's: none reaches the table below it.
    setAttribute(Qt::WA_NoMousePropagation);
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(8, 2, 4, 2);
    row->setSpacing(10);
    text_ = new QLabel(this);
    text_->setObjectName("ReloadText");
    count_ = new QLabel(this);
    count_->setObjectName("ReloadCount");
    count_->setTextFormat(Qt::RichText);
    count_->setTextInteractionFlags(Qt::LinksAccessibleByMouse);
    count_->setToolTip("Show the findings of the definition check");
    connect(count_, &QLabel::linkActivated, this, [this] { emit FindingsAsked(); });
    reload_ = new QPushButton("Reload", this);
    reload_->setObjectName("ReloadButton");
    close_ = new QToolButton(this);
    close_->setObjectName("ReloadClose");
    close_->setIcon(style()->standardIcon(QStyle::SP_TitleBarCloseButton));
    close_->setAutoRaise(true);
    close_->setToolTip("Close");
    // The window keeps the keys of play: the bar's buttons take no focus.
    for (QWidget* button : {static_cast<QWidget*>(reload_), static_cast<QWidget*>(close_)})
        button->setFocusPolicy(Qt::NoFocus);
    connect(reload_, &QPushButton::clicked, this, [this] { emit ReloadAsked(); });
    connect(close_, &QToolButton::clicked, this, &QWidget::hide);
    row->addWidget(text_);
    row->addWidget(count_);
    row->addStretch(1);
    row->addWidget(reload_);
    row->addWidget(close_);
    anchor_->installEventFilter(this);
    hide();
}

void ReloadBar::ShowChange(const QString& game, int errors, int warnings, bool canReload)
{
    text_->setText(QString("The definition of %1 changed.").arg(game));
    countText_ = FindingsCount(errors, warnings);
    count_->setText(QString("<a href=\"findings\">%1</a>").arg(countText_.toHtmlEscaped()));
    reload_->setEnabled(canReload);
    Follow();
    show();
    raise();
}

QString ReloadBar::Text() const { return text_->text(); }

QString ReloadBar::Count() const { return countText_; }

bool ReloadBar::CanReload() const { return reload_->isEnabled(); }

bool ReloadBar::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == anchor_ && (event->type() == QEvent::Resize || event->type() == QEvent::Move)) Follow();
    return QFrame::eventFilter(watched, event);
}

void ReloadBar::Follow()
{
    // At most the table's own height, so that a tiny window still shows it.
    const QRect table = anchor_->geometry();
    setGeometry(table.x(), table.y(), table.width(), std::min(sizeHint().height(), table.height()));
    raise();
}

}  // namespace vexa
