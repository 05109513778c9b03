// Program entry of the game: the application title, the look shared by all
// windows, the card library, then the main window and the event loop.
#include <QApplication>
#include <QMessageBox>

#include "app/Environment.h"
#include "app/TForm1.h"
#include "app/VexaError.h"
#include "app/VexaStyle.h"
#include "cards/CardLibrary.h"

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName("Vexa Solitaire");
    QApplication::setStyle(new vexa::VexaStyle);

    // The card library is looked for only beside the program and in its
    // install library folder, never in the current (game) folder.
    vexa::CardLibrary library(vexa::CardLibrary::DefaultSearchDirs());
    vexa::SystemClock clock;
    std::unique_ptr<vexa::TForm1> form;
    try {
        form = std::make_unique<vexa::TForm1>(library, clock);
    } catch (const vexa::VexaError& error) {
        QMessageBox::critical(nullptr, "Vexa Solitaire", QString::fromStdString(error.what()) + ".");
        return 1;
    }
    form->show();
    form->Render();
    return app.exec();
}
