#include "core/Session.h"

#include <algorithm>

#include "defs/TextRules.h"

namespace vexa {

const char* const StartupHint = "Click on the \"Game | Select a card game\" menu item to get started.";
const char* const CatalogueFile = "./vexasolit.ini";
const char* const ApplicationTitle = "Vexa Solitaire";

namespace {
constexpr int WelcomeCards[3] = {52, 38, 11};
}

Session::Session(PictureSource& pictures, UserInterface& ui, Clock& clock, int screenWidth, int screenHeight)
    : Ui(ui), Time(clock), ScreenWidth(screenWidth), ScreenHeight(screenHeight), Board(pictures)
{
    ActivatedAt = Time.Now();
    PlayTime = 0;
    Rng.Seed(Time.MillisecondsSinceMidnightUtc());
    Caption = ApplicationTitle;
    WindowBounds = {(screenWidth - 228) / 2, (screenHeight - 175) / 2, 228, 175};
    HelpText = StartupHint;
    for (int i = 0; i < 3; ++i) {
        Card& card = Board.CardAt(WelcomeCards[i]);
        Board.MoveCard(card, Board.Window());
        card.Bounds = {3 + 71 * i, 2, CardWidth, CardHeight};
    }
}

std::string DefinitionPath(const std::string& file)
{
    // Catalogues written for other systems may separate folders with "\".
    std::string path = file;
    std::replace(path.begin(), path.end(), '\\', '/');
    return "./" + path;
}

std::string GameFileOf(const Session& session, const std::string& name)
{
    for (const auto& [game, file] : session.GameFiles)
        if (SameText(game, name)) return file;
    return "";
}

}  // namespace vexa
