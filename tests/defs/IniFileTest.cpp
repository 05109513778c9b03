#include "defs/IniFile.h"

#include <grp.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>
#include <filesystem>

#include "core/VexaError.h"
#include "support/TestSupport.h"

namespace vexa {
namespace {

namespace fs = std::filesystem;
using test::TempDir;

std::string Describe(const IniSection& section)
{
    std::string text;
    for (const IniLine& line : section) text += line.key + "=" + line.value + "|";
    return text;
}

IniSection Read(const TempDir& dir, const std::string& content, const std::string& section = "Game")
{
    return IniFile(dir.Write("game.ini", content).string()).ReadSection(section);
}

TEST(IniRead, KeysAndSectionsIgnoreCaseAndSurroundingBlanks)
{
    TempDir dir;
    const std::string content =
        "[Other]\nName=wrong\n"
        "  [ gAME ]  \n"
        "  Name \t=\t Klondike  \n"
        "; Decks=2\n"
        "just text without equals\n"
        "HELP1=\"quoted, kept\" a=b\n"
        "=no key\n";
    EXPECT_EQ(Describe(Read(dir, content)), "Name=Klondike|HELP1=\"quoted, kept\" a=b|");
    const IniFile ini((dir.Path() / "game.ini").string());
    EXPECT_EQ(ini.ReadString("GAME", "name"), "Klondike");
    EXPECT_EQ(LookUp(ini.ReadSection("game"), "hElP1"), "\"quoted, kept\" a=b");
    EXPECT_EQ(LookUp(ini.ReadSection("game"), "Decks"), "");
}

TEST(IniRead, FirstOccurrenceWinsAndEmptyValuesAreDropped)
{
    TempDir dir;
    const std::string content =
        "[Game]\n"
        "PILE1=1\n"
        "Empty=\n"
        "Blank=   \n"
        "HELP=first\n"
        "pile1=2\n"
        "Empty=late value\n"
        "help=second\n"
        "PILE2=3\n";
    EXPECT_EQ(Describe(Read(dir, content)), "PILE1=1|HELP=first|PILE2=3|");
    const IniFile ini((dir.Path() / "game.ini").string());
    EXPECT_EQ(ini.ReadString("Game", "Empty", "fallback"), "fallback");
    EXPECT_EQ(ini.ReadString("Game", "Missing", "fallback"), "fallback");
    EXPECT_EQ(ini.ReadKeys("Game"), (std::vector<std::string>{"PILE1", "HELP", "PILE2"}));
}

TEST(IniRead, OnlyTheFirstSectionOfThatNameIsRead)
{
    TempDir dir;
    EXPECT_EQ(Describe(Read(dir, "[Game]\na=1\n[Next]\nb=2\n[GAME]\nc=3\n")), "a=1|");
}

TEST(IniRead, LineEndsOfEveryKind)
{
    TempDir dir;
    EXPECT_EQ(Describe(Read(dir, "[Game]\r\na=1\r\nb=2\r\n")), "a=1|b=2|");
    EXPECT_EQ(Describe(Read(dir, "[Game]\na=1\nb=2")), "a=1|b=2|");
    EXPECT_EQ(Describe(Read(dir, "[Game]\r\na=1\r\nb=2 \r")), "a=1|b=2|");
    EXPECT_EQ(Describe(Read(dir, "[Game]")), "");
}

TEST(IniRead, LongValuesAreCutTo1023Characters)
{
    TempDir dir;
    const std::string value = "x" + std::string(1100, 'y');
    const IniSection section = Read(dir, "[Game]\nLong=  " + value + "  \n");
    ASSERT_EQ(section.size(), 1u);
    EXPECT_EQ(section[0].value, value.substr(0, 1023));
    EXPECT_EQ(IniFile((dir.Path() / "game.ini").string()).ReadString("Game", "Long"), value.substr(0, 1023));
}

TEST(IniRead, KeyNamesShareAn8192ByteBudget)
{
    // Each line below costs its key name plus one byte; repeated and empty
    // keys use up the budget too.
    const std::string name99(99, 'k');             // 100 bytes with its terminator
    std::string lines = "Dup=1\nDup=2\nEmpty=\n";  // 4 + 4 + 6 = 14 bytes
    for (int i = 0; i < 81; ++i) lines += name99.substr(0, 95) + Format("%04d", i) + "=v\n";  // 8100 bytes
    // 8114 used: a key of 77 characters fills the budget exactly.
    TempDir dir;
    const IniSection fits = Read(dir, "[Game]\n" + lines + std::string(77, 'F') + "=last\n");
    ASSERT_EQ(fits.size(), 83u);
    EXPECT_EQ(fits.back().value, "last");

    const IniSection over = Read(dir, "[Game]\n" + lines + std::string(78, 'F') + "=lost\nX=after\n");
    ASSERT_EQ(over.size(), 82u);
    EXPECT_EQ(LookUp(over, "X"), "");
    // A direct look-up still finds the key.
    EXPECT_EQ(IniFile((dir.Path() / "game.ini").string()).ReadString("Game", "X"), "after");
}

TEST(IniRead, MissingOrUnreadableFileReadsAsEmpty)
{
    TempDir dir;
    EXPECT_TRUE(IniFile((dir.Path() / "absent.ini").string()).ReadSection("Game").empty());
    EXPECT_TRUE(IniFile(dir.Path().string()).ReadSection("Game").empty());
    EXPECT_EQ(IniFile((dir.Path() / "absent.ini").string()).ReadString("Game", "Name", "none"), "none");
}

// Writing.

const std::string Catalogue =
    "; statistics are kept below\r\n"
    "[Gamelist]\r\n"
    "Klondike=klondike.ini\r\n"
    "\r\n"
    "[Klondike]\r\n"
    "gamesplayed = 3\r\n"
    "TotalScore=40\r\n"
    "GamesPlayed=99\r\n"
    "\r\n"
    "[Spider]\r\n"
    "GamesPlayed=5\r\n";

TEST(IniWrite, ReplacingAValueKeepsEveryOtherByte)
{
    TempDir dir;
    const IniFile ini(dir.Write("vexasolit.ini", Catalogue).string());
    ini.WriteInteger("KLONDIKE", "GamesPlayed", 4);
    std::string expected = Catalogue;
    expected.replace(expected.find("gamesplayed = 3"), 15, "gamesplayed = 4");
    EXPECT_EQ(dir.Read("vexasolit.ini"), expected);
    EXPECT_EQ(ini.ReadString("Klondike", "GamesPlayed"), "4");
}

TEST(IniWrite, AddsMissingKeysAndSectionsInTheFilesLineEnds)
{
    TempDir dir;
    const IniFile ini(dir.Write("vexasolit.ini", Catalogue).string());
    ini.WriteInteger("Klondike", "GamesWon", -2);
    ini.WriteString("General", "TimeInGame", "0.5");
    std::string expected = Catalogue;
    expected.insert(expected.find("GamesPlayed=99\r\n") + 16, "GamesWon=-2\r\n");
    expected += "\r\n[General]\r\nTimeInGame=0.5\r\n";
    EXPECT_EQ(dir.Read("vexasolit.ini"), expected);

    // LF file ending without a line break, and a section with no keys yet.
    const IniFile bare(dir.Write("bare.ini", "[A]\nx=1\n[B]").string());
    bare.WriteString("A", "y", "2");
    bare.WriteString("B", "z", "3");
    bare.WriteString("C", "w", "4");
    EXPECT_EQ(dir.Read("bare.ini"), "[A]\nx=1\ny=2\n[B]\nz=3\n\n[C]\nw=4\n");
}

TEST(IniWrite, CreatesAMissingFileAndLeavesNoTemporaryFiles)
{
    TempDir dir;
    const IniFile ini((dir.Path() / "new.ini").string());
    ini.WriteInteger("Game", "GamesPlayed", 1);
    ini.WriteInteger("Game", "GamesPlayed", 2);
    EXPECT_EQ(dir.Read("new.ini"), "[Game]\nGamesPlayed=2\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.Path()), fs::directory_iterator()), 1);
}

TEST(IniWrite, KeepsPermissionsAndSymbolicLinks)
{
    TempDir dir;
    const fs::path real = dir.Write("real.ini", "[Game]\nA=1\n");
    fs::permissions(real, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    fs::create_symlink("real.ini", dir.Path() / "link.ini");
    IniFile((dir.Path() / "link.ini").string()).WriteInteger("Game", "A", 2);
    EXPECT_TRUE(fs::is_symlink(dir.Path() / "link.ini"));
    EXPECT_EQ(dir.Read("real.ini"), "[Game]\nA=2\n");
    EXPECT_EQ(fs::status(real).permissions(), fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

TEST(IniWrite, RefusesTextThatWouldBreakTheFile)
{
    TempDir dir;
    const std::string path = dir.Write("game.ini", Catalogue).string();
    const IniFile ini(path);
    const std::string message = "Unable to write to " + path;
    for (const auto& [section, key, value] :
         std::vector<std::tuple<std::string, std::string, std::string>>{{"Klondike", "GamesPlayed", "1\r\n[Evil]"},
                                                                        {"Klondike", "a=b", "1"},
                                                                        {"Kl]", "a", "1"},
                                                                        {"Klondike", "", "1"},
                                                                        {"Klondike", ";a", "1"}}) {
        try {
            ini.WriteString(section, key, value);
            ADD_FAILURE() << "no error for key " << key;
        } catch (const VexaError& error) {
            EXPECT_EQ(error.what(), message);
        }
    }
    EXPECT_EQ(dir.Read("game.ini"), Catalogue);
}

// Root may write through any permission bits, so these run in a child
// process as an unprivileged user when the tests run as root.
void WriteAsUnprivilegedUser(const IniFile& ini)
{
    if (geteuid() == 0) {
        const gid_t nobody = 65534;
        if (setgroups(0, nullptr) != 0 || setgid(nobody) != 0 || setuid(nobody) != 0) std::_Exit(2);
    }
    try {
        ini.WriteInteger("Klondike", "GamesPlayed", 7);
    } catch (const VexaError& error) {
        std::_Exit(error.what() == "Unable to write to " + ini.Path() ? 0 : 3);
    }
    std::_Exit(4);
}

void ExpectWriteFailsUnchanged(const TempDir& dir, const std::string& name)
{
    SCOPED_TRACE(name);
    const IniFile ini((dir.Path() / name).string());
    const bool existed = fs::exists(dir.Path() / name);
    EXPECT_EXIT(WriteAsUnprivilegedUser(ini), testing::ExitedWithCode(0), "");
    if (existed)
        EXPECT_EQ(dir.Read(name), Catalogue);
    else
        EXPECT_FALSE(fs::exists(dir.Path() / name));
}

TEST(IniWriteDeathTest, ReadOnlyPlacesGiveAnErrorAndKeepTheFile)
{
    constexpr auto all = fs::perms::all;
    constexpr auto readOnly = fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read;
    constexpr auto readExecute = readOnly | fs::perms::owner_exec | fs::perms::group_exec | fs::perms::others_exec;

    TempDir dir;
    fs::permissions(dir.Write("shared.ini", Catalogue), all);
    fs::permissions(dir.Path(), readExecute);
    ExpectWriteFailsUnchanged(dir, "shared.ini");  // the rename needs a writable directory
    ExpectWriteFailsUnchanged(dir, "new.ini");

    fs::permissions(dir.Path(), all);
    fs::permissions(dir.Write("readonly.ini", Catalogue), readOnly);
    ExpectWriteFailsUnchanged(dir, "readonly.ini");
    // A file that cannot be read is not overwritten with a lone value.
    fs::permissions(dir.Write("writeonly.ini", Catalogue),
                    fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write);
    ExpectWriteFailsUnchanged(dir, "writeonly.ini");
}

// Run by root (as the documented "make run" does), the access check alone
// would let the rename replace the file: its mode bits decide too.
TEST(IniWrite, ReadOnlyFileIsKeptWhateverTheUser)
{
    TempDir dir;
    const fs::path path = dir.Write("readonly.ini", Catalogue);
    constexpr auto readOnly = fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read;
    fs::permissions(path, readOnly);
    EXPECT_EQ(test::ErrorOf([&] { IniFile(path.string()).WriteInteger("Klondike", "GamesPlayed", 7); }),
              "Unable to write to " + path.string());
    EXPECT_EQ(dir.Read("readonly.ini"), Catalogue);
    EXPECT_EQ(fs::status(path).permissions(), readOnly);
}

TEST(IniWrite, MissingDirectoryGivesAnError)
{
    TempDir dir;
    const std::string path = (dir.Path() / "absent" / "game.ini").string();
    try {
        IniFile(path).WriteInteger("Game", "A", 1);
        ADD_FAILURE() << "no error";
    } catch (const VexaError& error) {
        EXPECT_EQ(std::string(error.what()), "Unable to write to " + path);
    }
    EXPECT_FALSE(fs::exists(dir.Path() / "absent"));
}

}  // namespace
}  // namespace vexa
