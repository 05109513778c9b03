// How the table looks: "Classic", the piles in the solid colours of their
// Kind on the window's background, or "Felt", a green felt with soft pile
// outlines. The choice is kept in the catalogue (General, TableStyle), next
// to the table's other view setting, its animations.
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

}  // namespace vexa
