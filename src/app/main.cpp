// Program entry of the game: the application title, the look shared by all
// windows, the card library, then the main window and the event loop.
#include <QApplication>
#include <QMessageBox>

#include "app/MainWindow.h"
#include "app/VexaApplication.h"
#include "app/VexaStyle.h"
#include "cards/CardLibrary.h"
#include "core/Environment.h"
#include "core/Session.h"
#include "core/VexaError.h"

int main(int argc, char** argv)
{
    vexa::VexaApplication app(argc, argv);
    QApplication::setStyle(new vexa::VexaStyle);

    // The card library is looked for only beside the program and in its
    // install library folder, never in the current (game) folder.
    vexa::CardLibrary library(vexa::CardLibrary::DefaultSearchDirs());
    vexa::SystemClock clock;
    std::unique_ptr<vexa::MainWindow> form;
    try {
        form = std::make_unique<vexa::MainWindow>(library, clock);
    } catch (const std::exception& error) {
        // Without its cards the game cannot start: say why, then stop.
        QMessageBox::critical(nullptr, vexa::ApplicationTitle,
                              QString::fromStdString(vexa::StartupErrorText(error.what(), library)));
        return 1;
    }
    form->show();
    form->Render();
    return app.exec();
}
