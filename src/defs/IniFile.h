// INI profile files: the catalogue and the game definitions. Sections in
// square brackets, key=value lines. Reading follows the profile rules the
// formats rely on; writing changes one value and keeps every other line.
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace vexa {

struct IniLine {
    std::string key;
    std::string value;
    int line = 0;  // 1-based line of the file it was read from
};

// A section read as ordered key=value lines:
// - section names and keys are compared without regard to case;
// - blanks around keys and values are not part of them;
// - a key whose value is empty is dropped;
// - a repeated key counts once, at its first place, with its first value;
// - a value is cut to 1023 characters;
// - the key names, each counted with one terminating byte, may take at most
//   8192 bytes; keys beyond that are not seen.
// A file that does not exist or cannot be read reads as empty sections.
using IniSection = std::vector<IniLine>;

class IniFile {
public:
    explicit IniFile(std::string path) : path_(std::move(path)) {}
    const std::string& Path() const { return path_; }

    IniSection ReadSection(const std::string& section) const;
    // The key names of a section in file order, by the same rules.
    std::vector<std::string> ReadKeys(const std::string& section) const;
    // The value of one key (its first occurrence, blanks removed, cut to 1023
    // characters), or fallback when it is absent or empty. A single look-up
    // is not limited by the 8192-byte budget of the key names.
    std::string ReadString(const std::string& section, const std::string& key, const std::string& fallback = "") const;

    // Write one value. Every other line of the file stays as it was; a
    // missing section or key is added, a missing file is created. A file
    // that exists but cannot be read or is read-only is not replaced. The new file is written beside the
    // old one and renamed over it, so a failure never leaves a damaged file.
    // Throws VexaError "Unable to write to %s" (the file name) on failure.
    void WriteString(const std::string& section, const std::string& key, const std::string& value) const;
    void WriteInteger(const std::string& section, const std::string& key, int value) const;

private:
    std::string path_;
};

// A whole file read at once: every section in file order (a repeated
// section name appears each time), each read by the rules of IniSection.
struct IniDocumentSection {
    std::string name;
    IniSection lines;
};
using IniDocument = std::vector<IniDocumentSection>;

// Reads a whole file's text in one pass.
IniDocument ParseIniText(const std::string& content);

// The text of a document: "[name]" then "key=value" lines, each ended by
// "\n". It reads back as the same document when its names and values are
// trimmed, values non-empty and at most 1023 characters, keys distinct and
// free of '=', and no text holds a line break.
std::string FormatIniText(const IniDocument& document);

// The value of a key in a section read before, or "" when absent.
std::string LookUp(const IniSection& section, const std::string& key);

// Splits a PILE, BUTTON, Preplay or Extract value into items: blanks and
// commas separate items, double quotes enclose an item (two double quotes in
// a row stand for one), two commas in a row give an empty item and a
// trailing comma adds nothing.
std::vector<std::string> SplitItems(const std::string& value);

// Decimal integer text to a 32-bit integer; anything else throws
// VexaError "'%s' is not a valid integer value".
int StrToInt(const std::string& text);

// Floating-point text with "." or "," as the decimal separator; anything else
// throws VexaError "'%s' is not a valid floating point value".
double StrToFloat(const std::string& text);

// Shortest general form with at most 15 significant digits and "." as the
// decimal separator, as TimeInGame is stored.
std::string FloatToText(double value);

}  // namespace vexa
