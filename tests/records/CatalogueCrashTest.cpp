// The catalogue holds a player's statistics of years: a program killed while
// it writes them, a full disk or a folder it may not write to must never
// leave it damaged or half written.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <random>
#include <regex>
#include <sstream>

#include "core/VexaError.h"
#include "defs/IniFile.h"
#include "support/TestSupport.h"

namespace vexa {
namespace {

const char* const Catalogue =
    "; The player's catalogue\r\n"
    "[Gamelist]\r\n"
    "Klondike=klondike.ini\r\n"
    "Baker's Dozen=bakers-dozen.ini\r\n"
    "\r\n"
    "[General]\r\n"
    "TimeInGame=1.5\r\n"
    "; written by hand\r\n"
    "[Klondike]\r\n"
    "GamesPlayed=10\r\n"
    "TotalScore=200\r\n"
    "GamesWon=3\r\n"
    "[Baker's Dozen]\r\n"
    "GamesPlayed=7\r\n";

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

// True when text is the catalogue above with any integer (or, for
// TimeInGame, any number) in the four values a writer changes.
bool IsWholeCatalogue(const std::string& text)
{
    const std::vector<std::string> want = Lines(Catalogue);
    const std::vector<std::string> got = Lines(text);
    if (got.size() != want.size()) return false;
    static const std::regex counted(R"((GamesPlayed|TotalScore|GamesWon)=-?[0-9]+\r)");
    static const std::regex timed(R"(TimeInGame=[0-9.eE+-]+\r)");
    for (std::size_t i = 0; i < want.size(); ++i) {
        if (got[i] == want[i]) continue;
        const std::string key = want[i].substr(0, want[i].find('='));
        if (key != got[i].substr(0, got[i].find('='))) return false;
        if (key == "TimeInGame" ? !std::regex_match(got[i], timed) : !std::regex_match(got[i], counted)) return false;
        if (i != 6 && (i < 9 || i > 11)) return false;  // only the General and Klondike values change
    }
    return true;
}

[[noreturn]] void WriteForever(const std::string& path)
{
    const IniFile catalogue(path);
    for (int n = 11;; ++n) {
        try {
            catalogue.WriteInteger("Klondike", "GamesPlayed", n);
            catalogue.WriteInteger("Klondike", "TotalScore", n * 20);
            catalogue.WriteInteger("Klondike", "GamesWon", n / 3);
            catalogue.WriteString("General", "TimeInGame", std::to_string(n) + ".25");
        } catch (...) {
            _exit(3);
        }
    }
}

TEST(CatalogueCrash, KilledWhileWritingLeavesTheOldOrTheNewFileWhole)
{
    test::TempDir dir;
    const std::string path = (dir.Path() / "vexasolit.ini").string();
    test::WriteFile(path, Catalogue);
    std::mt19937 random(20261207);
    std::uniform_int_distribution<int> delay(0, 4000);
    int changed = 0;
    for (int kill = 0; kill < 300; ++kill) {
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) WriteForever(path);
        usleep(static_cast<useconds_t>(delay(random)));
        ::kill(child, SIGKILL);
        int status = 0;
        waitpid(child, &status, 0);
        ASSERT_TRUE(WIFSIGNALED(status)) << "the writer stopped by itself, status " << status;

        const std::string text = test::ReadFile(path);
        ASSERT_TRUE(IsWholeCatalogue(text)) << "after kill " << kill << ":\n" << text;
        if (text != Catalogue) ++changed;
        // Nothing but the catalogue and at most the one temporary file of
        // the writer just killed is left in the folder.
        int files = 0;
        for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(dir.Path())) ++files;
        ASSERT_LE(files, 2) << "temporary files pile up";
    }
    EXPECT_GT(changed, 100);  // the writes really happened between kills
}

TEST(CatalogueCrash, AFullDiskLeavesTheCatalogueAsItWas)
{
    test::TempDir dir;
    const std::string path = (dir.Path() / "vexasolit.ini").string();
    test::WriteFile(path, Catalogue);
    // A file size limit below the catalogue's size makes every write of the
    // new file fail part-way, as a full disk does.
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        signal(SIGXFSZ, SIG_IGN);
        rlimit limit{64, 64};
        setrlimit(RLIMIT_FSIZE, &limit);
        const std::string error = test::ErrorOf([&] { IniFile(path).WriteInteger("Klondike", "GamesWon", 4); });
        _exit(error == "Unable to write to " + path ? 0 : 1);
    }
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "the write did not report the failure";
    EXPECT_EQ(test::ReadFile(path), Catalogue);
    int files = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(dir.Path())) ++files;
    EXPECT_EQ(files, 1);
}

TEST(CatalogueCrash, AFolderMarkedReadOnlyIsNotWrittenToEvenByRoot)
{
    test::TempDir dir;
    const auto folder = dir.Path() / "games";
    std::filesystem::create_directory(folder);
    const std::string path = (folder / "vexasolit.ini").string();
    test::WriteFile(path, Catalogue);
    std::filesystem::permissions(folder, std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec |
                                             std::filesystem::perms::group_read | std::filesystem::perms::group_exec |
                                             std::filesystem::perms::others_read | std::filesystem::perms::others_exec);
    const std::string error = test::ErrorOf([&] { IniFile(path).WriteInteger("Klondike", "GamesWon", 4); });
    std::filesystem::permissions(folder, std::filesystem::perms::owner_all);
    EXPECT_EQ(error, "Unable to write to " + path);
    EXPECT_EQ(test::ReadFile(path), Catalogue);
}

}  // namespace
}  // namespace vexa
