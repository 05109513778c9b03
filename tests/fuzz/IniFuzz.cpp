// Fuzz target: any bytes as an INI file. Reading never fails; the whole-file
// reader sees the first section as the section reader does, and what it
// formats reads back the same; the kept hand's reader takes any bytes;
// writing one key either leaves the file exactly as it was (a refused
// write) or changes only that key's line (or adds it, with its section), and
// the value reads back.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "FuzzSupport.h"
#include "core/VexaError.h"
#include "defs/TextRules.h"
#include "defs/IniFile.h"
#include "records/HandFile.h"

namespace {
const std::string Path = (vexa::fuzz::EnterWorkFolder() / "fuzz.ini").string();
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace vexa;
    const std::string before(reinterpret_cast<const char*>(data), size);
    fuzz::WriteWhole(Path, before);
    const IniFile ini(Path);
    std::string section = fuzz::FirstSectionName(before);
    if (section.empty() || section.find('\0') != std::string::npos) section = "General";

    // Each look-up reads the whole file: the first few keys are enough.
    int lookedUp = 0;
    for (const IniLine& line : ini.ReadSection(section)) {
        if (line.key.empty() || line.value.empty() || line.value.size() > 1023 || line.line < 1) std::abort();
        if (++lookedUp <= 8 && ini.ReadString(section, line.key) != line.value) std::abort();
    }
    ini.ReadKeys("Gamelist");

    const IniDocument document = ParseIniText(before);
    for (const IniDocumentSection& whole : document) {
        if (whole.name != Trim(whole.name)) std::abort();
        if (!SameText(whole.name, section)) continue;
        const IniSection lines = ini.ReadSection(section);
        if (whole.lines.size() != lines.size()) std::abort();
        for (std::size_t i = 0; i < lines.size(); ++i)
            if (whole.lines[i].key != lines[i].key || whole.lines[i].value != lines[i].value) std::abort();
        break;
    }
    const std::string formatted = FormatIniText(document);
    if (FormatIniText(ParseIniText(formatted)) != formatted) std::abort();
    ParseHandFile(before);

    const std::string key = "TimeInGame", value = "7";
    try {
        ini.WriteString(section, key, value);
    } catch (const VexaError&) {
        if (fuzz::ReadWhole(Path) != before) std::abort();
        return 0;
    }
    if (ini.ReadString(section, key) != value) std::abort();

    // Every other line is kept: the old and new lines differ only in one
    // middle stretch of at most one old line and three new ones (a blank
    // line, the section header and the key).
    const std::vector<std::string> old = fuzz::TextLines(before);
    const std::vector<std::string> now = fuzz::TextLines(fuzz::ReadWhole(Path));
    std::size_t prefix = 0;
    while (prefix < old.size() && prefix < now.size() && old[prefix] == now[prefix]) ++prefix;
    std::size_t suffix = 0;
    while (suffix < old.size() - prefix && suffix < now.size() - prefix &&
           old[old.size() - 1 - suffix] == now[now.size() - 1 - suffix])
        ++suffix;
    if (old.size() - prefix - suffix > 1 || now.size() - prefix - suffix > 3) std::abort();
    return 0;
}
