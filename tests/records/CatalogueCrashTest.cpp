// The catalogue holds a player's statistics of years: a program killed while
// it writes them, a full disk or a folder it may not write to must never
// leave it damaged or half written.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <random>
#include <thread>

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

// The writer's writes in order: write i stores round 11 + i / 4 into the
// value i % 4.
const char* const WrittenKeys[] = {"GamesPlayed", "TotalScore", "GamesWon", "TimeInGame"};

std::string WrittenValue(int write)
{
    const int n = 11 + write / 4;
    switch (write % 4) {
    case 0: return std::to_string(n);
    case 1: return std::to_string(n * 20);
    case 2: return std::to_string(n / 3);
    default: return std::to_string(n) + ".25";
    }
}

// The catalogue above after the writes first to first + count - 1.
std::string CatalogueAfter(int first, int count)
{
    std::string text = Catalogue;
    for (int write = first; write < first + count; ++write) {
        const std::string name = std::string(WrittenKeys[write % 4]) + "=";
        const std::size_t at = text.find(name) + name.size();
        text.replace(at, text.find('\r', at) - at, WrittenValue(write));
    }
    return text;
}

// Makes the writes from first on for ever, sending 'S' through the pipe
// before each write and 'E' after it, so that the parent knows how many
// writes were complete when it killed the writer and whether one was under
// way.
[[noreturn]] void WriteForever(const std::string& path, int first, int report)
{
    const IniFile catalogue(path);
    for (int write = first;; ++write) {
        if (::write(report, "S", 1) != 1) _exit(4);
        try {
            const std::string section = write % 4 == 3 ? "General" : "Klondike";
            catalogue.WriteString(section, WrittenKeys[write % 4], WrittenValue(write));
        } catch (...) {
            _exit(3);
        }
        if (::write(report, "E", 1) != 1) _exit(4);
    }
}

TEST(CatalogueCrash, KilledWhileWritingLeavesTheOldOrTheNewFileWhole)
{
    // Each kill lets the writer complete a random number of writes, then
    // waits a random fraction of the time a write takes on this machine, so
    // that the kills fall all over the writes however fast the machine is.
    using Clock = std::chrono::steady_clock;
    test::TempDir dir;
    const std::string path = (dir.Path() / "vexasolit.ini").string();
    std::mt19937 random(20261207);
    std::uniform_int_distribution<int> firstWrite(0, 3);
    std::uniform_int_distribution<int> completed(0, 1);
    std::uniform_real_distribution<double> fraction(0.0, 1.0);
    Clock::duration writing{};  // the time of the writes seen complete so far
    int written = 0;
    int inside = 0;
    for (int kill = 0; kill < 300; ++kill) {
        test::WriteFile(path, Catalogue);
        int report[2];
        ASSERT_EQ(pipe(report), 0);
        const int first = firstWrite(random);
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            close(report[0]);
            WriteForever(path, first, report[1]);
        }
        close(report[1]);

        // Read the reports up to the start of the write after `wait`
        // complete ones, timing the complete writes.
        const int wait = completed(random);
        int writes = 0;
        char last = 0;
        Clock::time_point started;
        while (writes < wait || last != 'S') {
            if (read(report[0], &last, 1) != 1) break;  // the writer died
            if (last == 'S') started = Clock::now();
            if (last == 'E') {
                ++writes;
                writing += Clock::now() - started;
                ++written;
            }
        }
        if (written > 0) std::this_thread::sleep_for(writing / written * fraction(random));
        ::kill(child, SIGKILL);
        int status = 0;
        waitpid(child, &status, 0);
        for (char c; read(report[0], &c, 1) == 1; last = c)
            if (c == 'E') ++writes;
        close(report[0]);
        ASSERT_TRUE(WIFSIGNALED(status)) << "the writer stopped by itself, status " << status;

        const std::string text = test::ReadFile(path);
        const bool whole =
            text == CatalogueAfter(first, writes) || (last == 'S' && text == CatalogueAfter(first, writes + 1));
        ASSERT_TRUE(whole) << "after kill " << kill << " with " << writes << " writes complete"
                           << (last == 'S' ? " and one under way" : "") << ":\n"
                           << text;
        if (last == 'S') ++inside;
        // Nothing but the catalogue and at most the one temporary file of
        // the writer just killed is left in the folder.
        int files = 0;
        for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(dir.Path())) ++files;
        ASSERT_LE(files, 2) << "temporary files pile up";
    }
    // The writer does nothing but write: a kill finds it between two writes
    // only in the instant it takes to report.
    std::printf("kills inside a write: %d of 300\n", inside);
    EXPECT_GT(inside, 200);
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
