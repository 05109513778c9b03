// The help of every bundled game read against its definition: what the
// help promises about redeals, buttons and autoplay is what the table has,
// and it points to the redeal status where the table shows it (the empty
// stock's tooltip), never to a note that no pile draws.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace vexa {
namespace {

namespace fs = std::filesystem;

struct BundledGame {
    std::string File;
    std::string Help;  // the HELP lines joined by spaces
    int Redeals = 0;
    bool Autoplay = true;
    bool HasStock = false;             // a pile of Kind 0
    std::vector<std::string> Buttons;  // captions without their '&'
};

std::string Value(const std::string& line) { return line.substr(line.find('=') + 1); }

BundledGame ReadGame(const fs::path& path)
{
    BundledGame game;
    game.File = path.filename().string();
    std::ifstream in(path);
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        auto starts = [&](const char* key) { return line.rfind(key, 0) == 0; };
        if (starts("HELP")) {
            game.Help += Value(line) + ' ';
        } else if (starts("Redeals=")) {
            game.Redeals = std::stoi(Value(line));
        } else if (starts("Autoplay=")) {
            game.Autoplay = Value(line) != "0";
        } else if (starts("PILE")) {
            // left, top, width, height, Direction, Kind, ...
            std::string fields = Value(line);
            for (int skip = 0; skip < 5; ++skip) fields = fields.substr(fields.find(',') + 1);
            game.HasStock |= fields.substr(0, fields.find(',')) == "0";
        } else if (starts("BUTTON")) {
            std::string caption = line.substr(line.find('"') + 1);
            caption = caption.substr(0, caption.find('"'));
            caption.erase(std::remove(caption.begin(), caption.end(), '&'), caption.end());
            game.Buttons.push_back(caption);
        }
    }
    return game;
}

std::vector<BundledGame> BundledGames()
{
    std::vector<BundledGame> games;
    for (const auto& entry : fs::directory_iterator(VEXA_GAMES_DIR))
        if (entry.path().extension() == ".ini" && entry.path().filename() != "vexasolit.ini")
            games.push_back(ReadGame(entry.path()));
    return games;
}

bool Says(const BundledGame& game, const char* words) { return game.Help.find(words) != std::string::npos; }

TEST(BundledHelp, EveryGameIsRead)
{
    const auto games = BundledGames();
    EXPECT_GE(games.size(), 30U);
    for (const BundledGame& game : games) EXPECT_FALSE(game.Help.empty()) << game.File;
}

TEST(BundledHelp, RedealsAreDescribedAsTheTableHasThem)
{
    for (const BundledGame& game : BundledGames()) {
        SCOPED_TRACE(game.File);
        // No pile draws a note under itself: the redeal status is the empty
        // stock's tooltip.
        EXPECT_FALSE(Says(game, "note under"));
        if (Says(game, "redeals are left")) {
            EXPECT_TRUE(game.HasStock);
            EXPECT_GT(game.Redeals, 0);
            EXPECT_TRUE(Says(game, "pointer rests on") || Says(game, "est the pointer on"));
        }
        if (Says(game, "There is no redeal") || Says(game, "gone through only once") ||
            Says(game, "gone through once")) {
            EXPECT_EQ(game.Redeals, 0);
        }
        if (Says(game, "as often as you like")) {
            EXPECT_GT(game.Redeals, 1000);
        }
        if (Says(game, "done twice")) {
            EXPECT_EQ(game.Redeals, 2);
        }
    }
}

TEST(BundledHelp, ButtonsAndAutoplayAreDescribedAsTheTableHasThem)
{
    for (const BundledGame& game : BundledGames()) {
        SCOPED_TRACE(game.File);
        EXPECT_EQ(Says(game, "no buttons of its own"), game.Buttons.empty());
        for (const std::string& caption : game.Buttons) EXPECT_TRUE(Says(game, caption.c_str())) << caption;
        EXPECT_EQ(Says(game, "There is no autoplay in this game"), !game.Autoplay);
    }
}

}  // namespace
}  // namespace vexa
