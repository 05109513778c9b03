// Files no one would write on purpose: huge values, thousands of keys, binary
// bytes, lines without "=", repeated sections, and paths that are no regular
// file. Reading stays within its rules and writing one key keeps every other
// byte.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "defs/IniFile.h"
#include "support/TestSupport.h"

namespace vexa {
namespace {

using test::TempDir;

TEST(HostileIni, HugeValuesAreCutOnReadAndKeptWholeByAWriteElsewhere)
{
    TempDir dir;
    const std::string huge(1 << 20, 'x');
    const std::string content = "[General]\nBig=" + huge + "\nTimeInGame=1\n";
    const IniFile ini(dir.Write("a.ini", content).string());
    EXPECT_EQ(ini.ReadString("General", "Big").size(), 1023u);
    ini.WriteString("General", "TimeInGame", "2");
    EXPECT_EQ(dir.Read("a.ini"), "[General]\nBig=" + huge + "\nTimeInGame=2\n");
}

TEST(HostileIni, ThousandsOfKeysPassTheNameBudgetButStayWritable)
{
    TempDir dir;
    std::string content = "[Game]\n";
    for (int i = 0; i < 5000; ++i) content += "PILE" + std::to_string(i) + "=1\n";
    const IniFile ini(dir.Write("a.ini", content).string());
    const IniSection lines = ini.ReadSection("Game");
    ASSERT_FALSE(lines.empty());
    EXPECT_LT(lines.size(), 5000u);
    EXPECT_EQ(lines.back().line, static_cast<int>(lines.size()) + 1);
    // A key beyond the budget is not listed but can still be looked up and written.
    EXPECT_EQ(ini.ReadString("Game", "PILE4999"), "1");
    ini.WriteString("Game", "PILE4999", "2");
    EXPECT_EQ(ini.ReadString("Game", "PILE4999"), "2");
    EXPECT_EQ(dir.Read("a.ini").size(), content.size());
}

TEST(HostileIni, BinaryBytesAndLinesWithoutEqualsAreKeptAndSkipped)
{
    TempDir dir;
    const std::string head = std::string("[Game]\n\x01\x02\xff\xfe junk\nkey=v") + '\0' + "al\n";
    const std::string content = head + "just words\n=no key\n";
    const IniFile ini(dir.Write("a.ini", content).string());
    const IniSection lines = ini.ReadSection("Game");
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].key, "key");
    EXPECT_EQ(lines[0].value, std::string("v\0al", 4));
    EXPECT_EQ(lines[0].line, 3);
    ini.WriteString("Game", "New", "1");
    EXPECT_EQ(dir.Read("a.ini"), head + "New=1\njust words\n=no key\n");
}

TEST(HostileIni, RepeatedSectionsReadAndWriteTheFirstOnly)
{
    TempDir dir;
    const IniFile ini(dir.Write("a.ini", "[S]\na=1\n[T]\n[S]\na=2\nb=3\n").string());
    EXPECT_EQ(ini.ReadString("S", "b"), "");
    ini.WriteString("S", "b", "4");
    EXPECT_EQ(dir.Read("a.ini"), "[S]\na=1\nb=4\n[T]\n[S]\na=2\nb=3\n");
}

TEST(HostileIni, AKeyAddedAfterALastLineEndingInACarriageReturnStaysApart)
{
    // The reader ends lines at LF only; the new key must not join the line
    // before it and change that line's value.
    TempDir dir;
    const IniFile ini(dir.Write("a.ini", "[General]\nTimeInGame=1\r").string());
    ini.WriteString("General", "New", "2");
    EXPECT_EQ(ini.ReadString("General", "TimeInGame"), "1");
    EXPECT_EQ(ini.ReadString("General", "New"), "2");
    ini.WriteString("Other", "Key", "3");
    EXPECT_EQ(ini.ReadString("Other", "Key"), "3");
    EXPECT_EQ(dir.Read("a.ini"), "[General]\nTimeInGame=1\r\nNew=2\n\n[Other]\nKey=3\n");
}

TEST(HostileIni, FoldersAndPipesReadAsEmptyWithoutWaiting)
{
    TempDir dir;
    std::filesystem::create_directory(dir.Path() / "folder.ini");
    EXPECT_TRUE(IniFile((dir.Path() / "folder.ini").string()).ReadSection("Game").empty());
    const std::string fifo = (dir.Path() / "pipe.ini").string();
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    // Opening a pipe nobody writes to would block for ever.
    EXPECT_TRUE(IniFile(fifo).ReadSection("Game").empty());
}

}  // namespace
}  // namespace vexa
