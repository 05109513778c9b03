#include "app/DataFolder.h"

#include <algorithm>
#include <cctype>
#include <set>
#include <system_error>
#include <vector>

#include "core/Session.h"
#include "core/VexaError.h"
#include "defs/AtomicFile.h"

namespace vexa {

namespace fs = std::filesystem;

const char* const OfferedGamesFile = ".offered-games";

namespace {

std::string Trim(const std::string& s)
{
    const auto first = s.find_first_not_of(" \t\r\n");
    if (first == std::string::npos) return {};
    const auto last = s.find_last_not_of(" \t\r\n");
    return s.substr(first, last - first + 1);
}

std::string Lower(std::string s)
{
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return char(std::tolower(c)); });
    return s;
}

// The text split into lines, each keeping its line break.
std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::size_t at = 0;
    while (at < text.size()) {
        const auto end = text.find('\n', at);
        const auto next = end == std::string::npos ? text.size() : end + 1;
        lines.push_back(text.substr(at, next - at));
        at = next;
    }
    return lines;
}

// The section a line opens ("" when it opens none), in lower case.
bool SectionOf(const std::string& line, std::string& section)
{
    const std::string t = Trim(line);
    if (t.size() < 2 || t.front() != '[' || t.back() != ']') return false;
    section = Lower(Trim(t.substr(1, t.size() - 2)));
    return true;
}

struct Entry {
    std::string key;
    std::string line;  // "key=value\n" as written
};

std::vector<Entry> GameList(const std::string& text)
{
    std::vector<Entry> entries;
    std::string section;
    for (const std::string& line : Lines(text)) {
        if (SectionOf(line, section)) continue;
        const std::string t = Trim(line);
        if (section != "gamelist" || t.empty() || t[0] == ';') continue;
        const auto eq = t.find('=');
        if (eq == std::string::npos) continue;
        const std::string key = Trim(t.substr(0, eq));
        if (!key.empty()) entries.push_back({key, key + "=" + Trim(t.substr(eq + 1)) + "\n"});
    }
    return entries;
}

std::string ReadOrThrow(const fs::path& path)
{
    std::string content;
    if (ReadWholeFile(path.string(), content) != FileRead::Ok)
        throw VexaError(Format("Cannot read %s", path.string().c_str()));
    return content;
}

}  // namespace

fs::path DataFolderPath(const char* xdgDataHome, const char* home)
{
    if (xdgDataHome && *xdgDataHome && fs::path(xdgDataHome).is_absolute()) return fs::path(xdgDataHome) / "vexasolit";
    if (home && *home) return fs::path(home) / ".local" / "share" / "vexasolit";
    throw VexaError("Cannot find the folder for the game data: neither XDG_DATA_HOME nor HOME is set");
}

fs::path BundledGamesFolder(const fs::path& executableDir, const fs::path& buildTreeGames)
{
    std::error_code ec;
    const fs::path installed = (executableDir / ".." / "share" / "vexasolit" / "games").lexically_normal();
    if (fs::is_regular_file(installed / CatalogueFile, ec)) return installed;
    if (!buildTreeGames.empty() && fs::is_regular_file(buildTreeGames / CatalogueFile, ec)) return buildTreeGames;
    return {};
}

std::string MergeGameList(const std::string& player, const std::string& bundled, const std::set<std::string>& offered)
{
    std::set<std::string> have = offered;
    for (const Entry& entry : GameList(player)) have.insert(Lower(entry.key));
    std::string added;
    for (const Entry& entry : GameList(bundled))
        if (have.insert(Lower(entry.key)).second) added += entry.line;
    if (added.empty()) return player;

    std::vector<std::string> lines = Lines(player);
    if (!lines.empty() && lines.back().back() != '\n') lines.back() += '\n';
    // The new entries go right after the last non-blank line of the list.
    std::string section;
    std::size_t at = std::string::npos;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (SectionOf(lines[i], section)) {
            if (section == "gamelist") at = i + 1;
        } else if (section == "gamelist" && !Trim(lines[i]).empty()) {
            at = i + 1;
        }
    }
    std::string out;
    if (at == std::string::npos) {
        for (const std::string& line : lines) out += line;
        return out + "[Gamelist]\n" + added;
    }
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i == at) out += added;
        out += lines[i];
    }
    if (at == lines.size()) out += added;
    return out;
}

void SeedDataFolder(const fs::path& bundle, const fs::path& data)
{
    std::error_code ec;
    fs::create_directories(data, ec);
    if (!fs::is_directory(data, ec)) throw VexaError(Format("Cannot create the folder %s", data.string().c_str()));

    // Definitions first, so that a catalogue never names a game whose file
    // is missing; sorted, so that the order of copying is the same each run.
    std::vector<fs::path> definitions;
    for (const auto& item : fs::directory_iterator(bundle, ec))
        if (item.path().extension() == ".ini" && item.path().filename() != CatalogueFile)
            definitions.push_back(item.path());
    if (ec) throw VexaError(Format("Cannot read the folder %s", bundle.string().c_str()));
    std::sort(definitions.begin(), definitions.end());
    for (const fs::path& definition : definitions) {
        const fs::path target = data / definition.filename();
        if (fs::exists(fs::symlink_status(target, ec))) continue;
        if (!ReplaceFile(target.string(), ReadOrThrow(definition)))
            throw VexaError(Format("Cannot write %s", target.string().c_str()));
    }

    const fs::path catalogue = data / CatalogueFile;
    const std::string bundled = ReadOrThrow(bundle / CatalogueFile);
    std::string player;
    const FileRead read = ReadWholeFile(catalogue.string(), player);
    if (read == FileRead::Failed) throw VexaError(Format("Cannot read %s", catalogue.string().c_str()));

    // The games offered before; none for a folder seeded by an older version,
    // which then gets every bundled game it lacks once.
    const fs::path offeredFile = data / OfferedGamesFile;
    std::string offeredText;
    std::set<std::string> offered;
    if (ReadWholeFile(offeredFile.string(), offeredText) == FileRead::Ok)
        for (const std::string& line : Lines(offeredText))
            if (!Trim(line).empty()) offered.insert(Lower(Trim(line)));

    // On first use the catalogue is copied as it is; later only new games
    // are added, and a catalogue with nothing new is not written at all.
    const std::string merged = read == FileRead::Missing ? bundled : MergeGameList(player, bundled, offered);
    if (read == FileRead::Missing || merged != player) {
        if (!ReplaceFile(catalogue.string(), merged))
            throw VexaError(Format("Cannot write %s", catalogue.string().c_str()));
    }

    std::string record = offeredText;
    if (!record.empty() && record.back() != '\n') record += '\n';
    for (const Entry& entry : GameList(bundled))
        if (offered.insert(Lower(entry.key)).second) record += entry.key + "\n";
    if (record != offeredText && !ReplaceFile(offeredFile.string(), record))
        throw VexaError(Format("Cannot write %s", offeredFile.string().c_str()));
}

}  // namespace vexa
