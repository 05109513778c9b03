// How the table looks: "Classic", the piles in the solid colours of their
// Kind on the window's background, or "Felt", a green felt with soft pile
// outlines. The choice is kept in the catalogue (General, TableStyle), next
// to the table's other view settings: its animations and the card back.
#pragma once

namespace vexa {

class IniFile;

enum class TableStyle { Classic, Felt };

// Classic unless the catalogue says exactly "Felt".
TableStyle ReadTableStyle(const IniFile& catalogue);
void WriteTableStyle(const IniFile& catalogue, TableStyle style);

// Whether moved cards glide to their new place (General, Animations): on
// unless the catalogue says exactly "0".
bool ReadAnimations(const IniFile& catalogue);
void WriteAnimations(const IniFile& catalogue, bool on);

// The back design every face-down card shows (General, CardBack): one of the
// library's thirteen, 1 to 13 (picture 52 + N). A value that is missing, no
// whole number or out of range reads as the house back; reading never
// writes, so such a value stays in the file until the player picks a back.
constexpr int FirstCardBack = 1;
constexpr int LastCardBack = 13;
constexpr int DefaultCardBack = 6;
int ReadCardBack(const IniFile& catalogue);
void WriteCardBack(const IniFile& catalogue, int back);

}  // namespace vexa
