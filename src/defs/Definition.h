// The game definition file: settings with their defaults, the table lines
// (PILE, HELP, BUTTON) and how each is read. The loader walks the lines in
// file order and builds the table from these pieces.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "defs/IniFile.h"

namespace vexa {

struct GameSettings {
    std::string Name;
    int Decks = 1;
    int Scoring = 0;
    int Redeals = 0;  // capped at 9999
    int Postdeal = 0;
    int Postdrop = 0;
    int Postpick = 0;
    int Prepick = 0;
    int Formwidth = 640;
    int Formheight = 440;
    std::vector<int> Preplay;
    std::vector<int> Extract;
    bool Autoplay = true;  // false only for the exact value "0"
};

// Reads the settings in the order Name, Decks, Scoring, Redeals, Postdeal,
// Postdrop, Postpick, Prepick, Formwidth, Formheight, Preplay, Extract,
// Autoplay; a non-integer throws at the first bad value.
GameSettings ReadSettings(const IniSection& section);

enum class LineKind { Pile, Help, Button, Other };
// PILE or HELP by the first four characters upper-cased, BUTTON by the first six.
LineKind ClassifyLine(const std::string& key);

// The fields of a PILE line. With Same set only left and top were read; the
// rest is copied from the pile before it.
struct PileFields {
    int left = 0, top = 0;
    bool same = false;
    int width = 0, height = 0;
    std::uint8_t Direction = 0;  // low 8 bits of the number
    std::uint8_t Kind = 0;       // low 8 bits of the number
    std::int32_t PickRule = 0, DropRule = 0, EmptyDropRule = 0, LayoutStyle = 0, ClickAction = 0, CardLimit = 0,
                 SpareValue = 0;
    std::string DealPattern;
};

// Items are read in the order 0 to 13; a missing item throws
// "List index out of bounds (%d)", a bad number "'%s' is not a valid integer value".
PileFields ParsePileLine(const std::string& value);

struct ButtonFields {
    int left = 0, top = 0, width = 0, height = 0;
    int tag = 0;
    std::string caption;
};
ButtonFields ParseButtonLine(const std::string& value);

// Throws "''%s'' is not a valid component name" unless name is letters,
// digits and underscores not starting with a digit.
void CheckComponentName(const std::string& name);

// Appends one HELP value to the help text: "N" adds a paragraph break
// (CR LF CR LF), anything else is added followed by one blank.
void AppendHelp(std::string& help, const std::string& value);

}  // namespace vexa
