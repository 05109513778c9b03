// The View menu of the main window: full screen, the table's style, the
// animations and the card back, each kept in the catalogue's [General]
// section as soon as the player changes it.
#include "app/MainWindow.h"

#include <QAction>
#include <QActionGroup>
#include <QMenuBar>

#include "app/TableStyle.h"
#include "app/TableView.h"
#include "cards/CardLibrary.h"
#include "defs/IniFile.h"
#include "dialogs/CardBackChooser.h"

namespace vexa {

void MainWindow::ToggleFullScreen()
{
    if (isFullScreen()) {
        if (maximisedBeforeFullScreen_)
            showMaximized();
        else
            showNormal();
    } else {
        maximisedBeforeFullScreen_ = isMaximized();
        showFullScreen();
    }
    fullScreen_->setChecked(isFullScreen());
}

void MainWindow::CreateViewMenu()
{
    QMenu* view = menuBar()->addMenu("View");
    fullScreen_ = view->addAction("Full screen", this, [this] { ToggleFullScreen(); });
    fullScreen_->setObjectName("FullScreen1");
    fullScreen_->setCheckable(true);
    fullScreen_->setShortcut(QKeySequence(Qt::Key_F11));
    QMenu* style = view->addMenu("Table style");
    style->setObjectName("TableStyle1");
    auto* group = new QActionGroup(this);
    classic_ = style->addAction("Classic", this, [this] { SetTableStyle(TableStyle::Classic); });
    classic_->setObjectName("Classic1");
    felt_ = style->addAction("Felt", this, [this] { SetTableStyle(TableStyle::Felt); });
    felt_->setObjectName("Felt1");
    for (QAction* action : {classic_, felt_}) {
        action->setCheckable(true);
        group->addAction(action);
    }
    (table_->Style() == TableStyle::Felt ? felt_ : classic_)->setChecked(true);
    animations_ = view->addAction("Animations");
    animations_->setObjectName("Animations1");
    animations_->setCheckable(true);
    animations_->setChecked(table_->Animations());
    connect(animations_, &QAction::triggered, this, [this](bool on) {
        Guard([this, on] {
            table_->SetAnimations(on);
            WriteAnimations(IniFile(CatalogueFile), on);
        });
    });
    auto* back = view->addAction("Card back…", this, [this] { ChooseCardBack(); });
    back->setObjectName("CardBack1");
}

void MainWindow::ChooseCardBack()
{
    CardBackChooser chooser(library_, cardBack_, this);
    if (chooser.exec() == QDialog::Accepted) SetCardBack(chooser.Selected());
}

void MainWindow::SetCardBack(int back)
{
    if (back < FirstCardBack || back > LastCardBack) return;
    Guard([this, back] {
        // Fetched before any card takes it, so that a back the library
        // lacks changes no card and is not kept.
        library_.LoadCardBitmap(52 + back);
        cardBack_ = back;
        for (int i = 1; i <= CardCount; ++i) session_->Board.CardAt(i).Face.SetCardBackStyle(back);
        WriteCardBack(IniFile(CatalogueFile), back);
    });
}

void MainWindow::SetTableStyle(TableStyle style)
{
    Guard([this, style] {
        table_->SetStyle(style);
        (style == TableStyle::Felt ? felt_ : classic_)->setChecked(true);
        WriteTableStyle(IniFile(CatalogueFile), style);
    });
}

}  // namespace vexa
