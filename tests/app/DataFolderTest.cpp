// The player's data folder: where it is, where the bundled games are found,
// and seeding it without ever overwriting the player's files.
#include <gtest/gtest.h>

#include <filesystem>

#include "app/DataFolder.h"
#include "support/TestSupport.h"

namespace vexa {
namespace {

namespace fs = std::filesystem;
using test::ErrorOf;
using test::ReadFile;
using test::TempDir;

// Writes a file, creating its folders first.
void WriteFile(const fs::path& path, const std::string& content)
{
    fs::create_directories(path.parent_path());
    test::WriteFile(path, content);
}

TEST(DataFolder, PathFollowsTheBaseDirectoryRules)
{
    EXPECT_EQ(DataFolderPath("/x/data", "/home/p"), fs::path("/x/data/vexasolit"));
    // Unset, empty and relative values fall back to the home folder.
    EXPECT_EQ(DataFolderPath(nullptr, "/home/p"), fs::path("/home/p/.local/share/vexasolit"));
    EXPECT_EQ(DataFolderPath("", "/home/p"), fs::path("/home/p/.local/share/vexasolit"));
    EXPECT_EQ(DataFolderPath("rel/data", "/home/p"), fs::path("/home/p/.local/share/vexasolit"));
    EXPECT_NE(ErrorOf([] { DataFolderPath(nullptr, nullptr); }), "");
}

TEST(DataFolder, InstalledGamesComeBeforeTheBuildTree)
{
    TempDir dir;
    const fs::path source = dir.Path() / "src" / "games";
    WriteFile(source / "vexasolit.ini", "[Gamelist]\n");
    fs::create_directories(dir.Path() / "bin");
    EXPECT_EQ(BundledGamesFolder(dir.Path() / "bin", source), source);
    EXPECT_EQ(BundledGamesFolder(dir.Path() / "bin", dir.Path() / "none"), fs::path());

    WriteFile(dir.Path() / "share" / "vexasolit" / "games" / "vexasolit.ini", "[Gamelist]\n");
    EXPECT_EQ(BundledGamesFolder(dir.Path() / "bin", source), dir.Path() / "share" / "vexasolit" / "games");
}

TEST(DataFolder, MergeAddsOnlyMissingNamesAfterTheList)
{
    const std::string player = "; mine\n[gamelist]\nAlpha=alpha.ini\n\n[Alpha]\nGamesPlayed=7\n";
    // Names compare without case; comments and blank lines are no entries.
    EXPECT_EQ(MergeGameList(player, "[Gamelist]\nALPHA=other.ini\n;Beta=beta.ini\n\n"), player);
    EXPECT_EQ(MergeGameList(player, "[Gamelist]\nalpha=alpha.ini\n Beta = beta.ini \nGamma=g.ini\n"),
              "; mine\n[gamelist]\nAlpha=alpha.ini\nBeta=beta.ini\nGamma=g.ini\n\n[Alpha]\nGamesPlayed=7\n");
    // Names offered before are not offered again.
    EXPECT_EQ(MergeGameList(player, "[Gamelist]\nBeta=beta.ini\nGamma=g.ini\n", {"beta"}),
              "; mine\n[gamelist]\nAlpha=alpha.ini\nGamma=g.ini\n\n[Alpha]\nGamesPlayed=7\n");
    // A list at the very end without a final line break.
    EXPECT_EQ(MergeGameList("[Gamelist]\nAlpha=a.ini", "[Gamelist]\nBeta=b.ini\n"),
              "[Gamelist]\nAlpha=a.ini\nBeta=b.ini\n");
    // No list at all: one is added at the end, the rest stays.
    EXPECT_EQ(MergeGameList("[General]\nTimeInGame=2\n", "[Gamelist]\nBeta=b.ini\n"),
              "[General]\nTimeInGame=2\n[Gamelist]\nBeta=b.ini\n");
    // An empty list section takes the entries right after its header.
    EXPECT_EQ(MergeGameList("[Gamelist]\n[General]\nX=1\n", "[Gamelist]\nBeta=b.ini\n"),
              "[Gamelist]\nBeta=b.ini\n[General]\nX=1\n");
}

TEST(DataFolder, SeedingKeepsThePlayersFilesAndAddsNewGames)
{
    TempDir dir;
    const fs::path bundle = dir.Path() / "bundle", data = dir.Path() / "data" / "vexasolit";
    WriteFile(bundle / "vexasolit.ini", "[Gamelist]\nAlpha=alpha.ini\n");
    WriteFile(bundle / "alpha.ini", "[Alpha]\nName=Alpha\n");
    WriteFile(bundle / "readme.txt", "not a game");

    SeedDataFolder(bundle, data);
    EXPECT_EQ(ReadFile(data / "vexasolit.ini"), "[Gamelist]\nAlpha=alpha.ini\n");
    EXPECT_EQ(ReadFile(data / "alpha.ini"), "[Alpha]\nName=Alpha\n");
    EXPECT_FALSE(fs::exists(data / "readme.txt"));

    // The player plays and edits; a newer version brings a game.
    WriteFile(data / "vexasolit.ini", "[Gamelist]\nAlpha=alpha.ini\n[Alpha]\nGamesPlayed=7\n");
    WriteFile(data / "alpha.ini", "[Alpha]\nName=My Alpha\n");
    WriteFile(data / "own.ini", "[Own]\nName=Mine\n");
    WriteFile(bundle / "vexasolit.ini", "[Gamelist]\nAlpha=alpha.ini\nBeta=beta.ini\n");
    WriteFile(bundle / "beta.ini", "[Beta]\nName=Beta\n");
    WriteFile(bundle / "own.ini", "[Own]\nName=Bundled\n");

    SeedDataFolder(bundle, data);
    EXPECT_EQ(ReadFile(data / "vexasolit.ini"), "[Gamelist]\nAlpha=alpha.ini\nBeta=beta.ini\n[Alpha]\nGamesPlayed=7\n");
    EXPECT_EQ(ReadFile(data / "alpha.ini"), "[Alpha]\nName=My Alpha\n");
    EXPECT_EQ(ReadFile(data / "own.ini"), "[Own]\nName=Mine\n");
    EXPECT_EQ(ReadFile(data / "beta.ini"), "[Beta]\nName=Beta\n");

    // A game the player took off the list stays off; a newer game comes.
    WriteFile(data / "vexasolit.ini", "[Gamelist]\nBeta=beta.ini\n[Alpha]\nGamesPlayed=7\n");
    WriteFile(bundle / "vexasolit.ini", "[Gamelist]\nAlpha=alpha.ini\nBeta=beta.ini\nGamma=gamma.ini\n");
    SeedDataFolder(bundle, data);
    EXPECT_EQ(ReadFile(data / "vexasolit.ini"), "[Gamelist]\nBeta=beta.ini\nGamma=gamma.ini\n[Alpha]\nGamesPlayed=7\n");
    EXPECT_EQ(ReadFile(data / ".offered-games"), "Alpha\nBeta\nGamma\n");

    // Nothing new: the catalogue is not even rewritten.
    const auto stamp = fs::last_write_time(data / "vexasolit.ini");
    fs::last_write_time(data / "vexasolit.ini", stamp - std::chrono::hours(1));
    SeedDataFolder(bundle, data);
    EXPECT_EQ(fs::last_write_time(data / "vexasolit.ini"), stamp - std::chrono::hours(1));
}

TEST(DataFolder, SeedingReportsWhatItCannotDo)
{
    TempDir dir;
    const fs::path bundle = dir.Path() / "bundle";
    EXPECT_NE(ErrorOf([&] { SeedDataFolder(bundle, dir.Path() / "data"); }), "");
    // A file where the data folder should be.
    WriteFile(bundle / "vexasolit.ini", "[Gamelist]\n");
    WriteFile(dir.Path() / "taken", "x");
    EXPECT_EQ(ErrorOf([&] { SeedDataFolder(bundle, dir.Path() / "taken"); }),
              "Cannot create the folder " + (dir.Path() / "taken").string());
}

}  // namespace
}  // namespace vexa
