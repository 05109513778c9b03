// Program entry of the game: the application title, the look shared by all
// windows, the player's data folder (which becomes the working folder, as
// the game reads and writes ./vexasolit.ini), the card library, then the
// main window and the event loop.
#include <cstdlib>
#include <filesystem>

#include <QApplication>
#include <QFile>
#include <QMessageBox>

#include "app/DataFolder.h"

#include "app/MainWindow.h"
#include "app/VexaApplication.h"
#include "app/VexaStyle.h"
#include "cards/CardLibrary.h"
#include "core/Environment.h"
#include "core/Session.h"
#include "core/VexaError.h"

#ifndef VEXA_SOURCE_GAMES_DIR
#define VEXA_SOURCE_GAMES_DIR ""
#endif

namespace {

// Shows why the game cannot start.
void ShowStartError(const std::string& text)
{
    QMessageBox::critical(nullptr, vexa::ApplicationTitle, QString::fromStdString(text));
}

// Seeds the player's data folder from the bundled games and makes it the
// working folder. VEXA_GAMES_DIR, when set, names the bundled games instead
// of the folders beside the program.
void EnterDataFolder()
{
    namespace fs = std::filesystem;
    const fs::path data = vexa::DataFolderPath(std::getenv("XDG_DATA_HOME"), std::getenv("HOME"));
    const QByteArray override = qgetenv("VEXA_GAMES_DIR");
    const fs::path bundle =
        !override.isEmpty()
            ? fs::path(override.toStdString())
            : vexa::BundledGamesFolder(QFile::encodeName(QCoreApplication::applicationDirPath()).toStdString(),
                                       VEXA_SOURCE_GAMES_DIR);
    // Without bundled games the player's folder is used as it is.
    std::error_code ec;
    if (!bundle.empty())
        vexa::SeedDataFolder(bundle, data);
    else
        fs::create_directories(data, ec);
    fs::current_path(data, ec);
    if (ec) throw vexa::VexaError(vexa::Format("Cannot open the folder %s", data.string().c_str()));
}

}  // namespace

int main(int argc, char** argv)
{
    vexa::VexaApplication app(argc, argv);
    QApplication::setStyle(new vexa::VexaStyle);
    try {
        EnterDataFolder();
    } catch (const std::exception& error) {
        ShowStartError(vexa::ErrorBoxText(error.what()));
        return 1;
    }

    // The card library is looked for only beside the program and in its
    // install library folder, never in the current (game) folder.
    vexa::CardLibrary library(vexa::CardLibrary::DefaultSearchDirs());
    vexa::SystemClock clock;
    std::unique_ptr<vexa::MainWindow> form;
    try {
        form = std::make_unique<vexa::MainWindow>(library, clock);
    } catch (const std::exception& error) {
        // Without its cards the game cannot start: say why, then stop.
        ShowStartError(vexa::StartupErrorText(error.what(), library));
        return 1;
    }
    form->show();
    form->Render();
    return app.exec();
}
