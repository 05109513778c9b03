// Program entry of the game: the application title, the look shared by all
// windows, the command line, the player's data folder (which becomes the
// working folder, as the game reads and writes ./vexasolit.ini) or the
// folder named on the command line, the card library, then the main window
// and the event loop.
#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include <QApplication>
#include <QCommandLineParser>
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
#ifndef VEXA_VERSION
#define VEXA_VERSION "unknown"
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

// Makes a folder named on the command line the working folder, as it is:
// its catalogue is played without seeding it from the bundled games, and
// the player's data folder is left alone.
void EnterGivenFolder(const QString& folder)
{
    std::error_code ec;
    const std::filesystem::path path(QFile::encodeName(folder).toStdString());
    if (!std::filesystem::is_directory(path, ec)) ec = std::make_error_code(std::errc::not_a_directory);
    if (!ec) std::filesystem::current_path(path, ec);
    if (ec) throw vexa::VexaError(vexa::Format("Cannot open the folder %s", path.string().c_str()));
}

}  // namespace

int main(int argc, char** argv)
{
    vexa::VexaApplication app(argc, argv);
    QApplication::setApplicationVersion(VEXA_VERSION);
    QCommandLineParser options;
    options.setApplicationDescription(
        "A solitaire compendium: every game is a definition file listed in a "
        "catalogue, vexasolit.ini.");
    options.addHelpOption();
    options.addVersionOption();
    options.addPositionalArgument("FOLDER",
                                  "Play the catalogue of this folder, as it is, instead of the one in your data "
                                  "folder (for trying games you write).",
                                  "[FOLDER]");
    options.process(app);
    const QStringList folders = options.positionalArguments();
    if (folders.size() > 1) {
        std::fputs(qPrintable(options.helpText()), stderr);
        return 2;
    }
    QApplication::setStyle(new vexa::VexaStyle);
    try {
        if (folders.isEmpty())
            EnterDataFolder();
        else
            EnterGivenFolder(folders.front());
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
