#include "defs/IniFile.h"

#include <set>

#include "core/VexaError.h"
#include "defs/AtomicFile.h"
#include "defs/TextRules.h"

namespace vexa {

namespace {

constexpr std::size_t MaxValueLength = 1023;
constexpr std::size_t KeyNameBudget = 8192;

// One physical line: its text and the line end that followed it ("\r\n",
// "\n" or "" for a last line without one).
struct RawLine {
    std::string text;
    std::string end;
};

std::vector<RawLine> SplitLines(const std::string& content)
{
    std::vector<RawLine> lines;
    std::size_t start = 0;
    while (start < content.size()) {
        const std::size_t newline = content.find('\n', start);
        if (newline == std::string::npos) {
            // A last line cut off between CR and LF still ends at the CR.
            const bool cr = content.back() == '\r';
            lines.push_back({content.substr(start, content.size() - start - (cr ? 1 : 0)), cr ? "\r" : ""});
            break;
        }
        std::size_t stop = newline;
        if (stop > start && content[stop - 1] == '\r') --stop;
        lines.push_back({content.substr(start, stop - start), content.substr(stop, newline + 1 - stop)});
        start = newline + 1;
    }
    return lines;
}

enum class LineType { Other, Section, Key };

struct ParsedLine {
    LineType type = LineType::Other;
    std::string name;        // section name or key, blanks removed
    std::string value;       // blanks removed
    std::size_t equals = 0;  // position of the first '=' in a key line
};

ParsedLine ParseLine(const std::string& text)
{
    ParsedLine parsed;
    const std::string trimmed = Trim(text);
    if (trimmed.empty() || trimmed[0] == ';') return parsed;
    if (trimmed[0] == '[') {
        const std::size_t close = trimmed.find(']');
        if (close != std::string::npos) {
            parsed.type = LineType::Section;
            parsed.name = Trim(std::string_view(trimmed).substr(1, close - 1));
            return parsed;
        }
    }
    const std::size_t equals = text.find('=');
    if (equals == std::string::npos) return parsed;
    parsed.name = Trim(std::string_view(text).substr(0, equals));
    if (parsed.name.empty()) return parsed;  // "=value" names nothing
    parsed.type = LineType::Key;
    parsed.value = Trim(std::string_view(text).substr(equals + 1));
    parsed.equals = equals;
    return parsed;
}

std::vector<RawLine> LoadLines(const std::string& path)
{
    std::string content;
    if (ReadWholeFile(path, content) != FileRead::Ok) return {};
    return SplitLines(content);
}

// Index of the header line of the first section with that name, or -1.
std::ptrdiff_t FindSection(const std::vector<RawLine>& lines, const std::string& section)
{
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const ParsedLine parsed = ParseLine(lines[i].text);
        if (parsed.type == LineType::Section && SameText(parsed.name, section)) return static_cast<std::ptrdiff_t>(i);
    }
    return -1;
}

// Gives a line that a new line is to follow a line end the reader knows: a
// last line without one takes the file's, and a lone CR (which the reader
// does not take for a line end) is completed to CR LF.
void EndLine(RawLine& line, const std::string& fileEnd)
{
    if (line.end.empty()) line.end = fileEnd;
    if (line.end == "\r") line.end = "\r\n";
}

bool HasLineBreak(const std::string& text) { return text.find_first_of("\r\n", 0) != std::string::npos; }

// Whether the section, key and value can be written so that they read back
// as the same section, key and value without disturbing other lines.
bool Writable(const std::string& section, const std::string& key, const std::string& value)
{
    if (section.find('\0') != std::string::npos || key.find('\0') != std::string::npos ||
        value.find('\0') != std::string::npos)
        return false;
    if (HasLineBreak(section) || section.find(']') != std::string::npos) return false;
    if (HasLineBreak(key) || key.find('=') != std::string::npos || key.empty() || Trim(key) != key) return false;
    if (key[0] == ';' || key[0] == '[') return false;
    return !HasLineBreak(value);
}

}  // namespace

namespace {

// The key lines of the section whose header is at lines[header], by the
// reading rules of IniSection.
IniSection CollectSection(const std::vector<RawLine>& lines, std::size_t header)
{
    IniSection result;
    std::set<std::string> seen;  // upper-cased keys met so far, empty ones included
    std::size_t budget = 0;
    for (std::size_t i = header + 1; i < lines.size(); ++i) {
        const ParsedLine parsed = ParseLine(lines[i].text);
        if (parsed.type == LineType::Section) break;
        if (parsed.type != LineType::Key) continue;
        // Every key line uses up its name and a terminator, even one that
        // repeats an earlier key or has no value.
        budget += parsed.name.size() + 1;
        if (budget > KeyNameBudget) break;
        if (!seen.insert(UpperCase(parsed.name)).second) continue;
        if (parsed.value.empty()) continue;
        result.push_back({parsed.name, parsed.value.substr(0, MaxValueLength), static_cast<int>(i) + 1});
    }
    return result;
}

}  // namespace

IniSection IniFile::ReadSection(const std::string& section) const
{
    const std::vector<RawLine> lines = LoadLines(path_);
    const std::ptrdiff_t header = FindSection(lines, section);
    if (header < 0) return {};
    return CollectSection(lines, static_cast<std::size_t>(header));
}

IniDocument ParseIniText(const std::string& content)
{
    const std::vector<RawLine> lines = SplitLines(content);
    IniDocument document;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        ParsedLine parsed = ParseLine(lines[i].text);
        if (parsed.type == LineType::Section) document.push_back({std::move(parsed.name), CollectSection(lines, i)});
    }
    return document;
}

std::string FormatIniText(const IniDocument& document)
{
    std::string text;
    for (const IniDocumentSection& section : document) {
        text += "[" + section.name + "]\n";
        for (const IniLine& line : section.lines) text += line.key + "=" + line.value + "\n";
    }
    return text;
}

std::vector<std::string> IniFile::ReadKeys(const std::string& section) const
{
    std::vector<std::string> keys;
    for (IniLine& line : ReadSection(section)) keys.push_back(std::move(line.key));
    return keys;
}

std::string IniFile::ReadString(const std::string& section, const std::string& key, const std::string& fallback) const
{
    const std::vector<RawLine> lines = LoadLines(path_);
    const std::ptrdiff_t header = FindSection(lines, section);
    if (header < 0) return fallback;
    for (std::size_t i = static_cast<std::size_t>(header) + 1; i < lines.size(); ++i) {
        const ParsedLine parsed = ParseLine(lines[i].text);
        if (parsed.type == LineType::Section) break;
        if (parsed.type != LineType::Key || !SameText(parsed.name, key)) continue;
        // The first occurrence decides, even when it is empty.
        return parsed.value.empty() ? fallback : parsed.value.substr(0, MaxValueLength);
    }
    return fallback;
}

void IniFile::WriteString(const std::string& section, const std::string& key, const std::string& value) const
{
    const std::string failure = Format("Unable to write to %s", path_.c_str());
    if (!Writable(section, key, value)) throw VexaError(failure);

    std::string content;
    // An existing file that cannot be read must not be replaced by one that
    // holds only the new value.
    if (ReadWholeFile(path_, content) == FileRead::Failed) throw VexaError(failure);
    std::vector<RawLine> lines = SplitLines(content);

    // New lines take the line end the file already uses.
    const std::string end = (!lines.empty() && lines[0].end == "\r\n") ? "\r\n" : "\n";
    const std::ptrdiff_t header = FindSection(lines, section);

    if (header < 0) {
        if (!lines.empty()) {
            EndLine(lines.back(), end);
            if (!Trim(lines.back().text).empty()) lines.push_back({"", end});
        }
        lines.push_back({"[" + section + "]", end});
        lines.push_back({key + "=" + value, end});
    } else {
        std::size_t lastKey = static_cast<std::size_t>(header);
        bool replaced = false;
        for (std::size_t i = lastKey + 1; i < lines.size(); ++i) {
            const ParsedLine parsed = ParseLine(lines[i].text);
            if (parsed.type == LineType::Section) break;
            if (parsed.type != LineType::Key) continue;
            if (SameText(parsed.name, key)) {
                // Keep the key as spelled and the blanks around "=" as they were.
                std::string& text = lines[i].text;
                std::size_t valueStart = parsed.equals + 1;
                while (valueStart < text.size() && (text[valueStart] == ' ' || text[valueStart] == '\t')) ++valueStart;
                text = text.substr(0, valueStart) + value;
                replaced = true;
                break;
            }
            lastKey = i;
        }
        if (!replaced) {
            EndLine(lines[lastKey], end);
            lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(lastKey) + 1, RawLine{key + "=" + value, end});
        }
    }

    std::string result;
    result.reserve(content.size() + key.size() + value.size() + section.size() + 8);
    for (const RawLine& line : lines) result += line.text + line.end;
    if (!ReplaceFile(path_, result)) throw VexaError(failure);
}

void IniFile::WriteInteger(const std::string& section, const std::string& key, int value) const
{
    WriteString(section, key, std::to_string(value));
}

std::string LookUp(const IniSection& section, const std::string& key)
{
    for (const IniLine& line : section)
        if (SameText(line.key, key)) return line.value;
    return "";
}

}  // namespace vexa
