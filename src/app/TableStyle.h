// How the table looks: "Classic", the piles in the solid colours of their
// Kind on the window's background, or "Felt", a green felt with soft pile
// outlines. The choice is kept in the catalogue (General, TableStyle).
#pragma once

namespace vexa {

class IniFile;

enum class TableStyle { Classic, Felt };

// Classic unless the catalogue says exactly "Felt".
TableStyle ReadTableStyle(const IniFile& catalogue);
void WriteTableStyle(const IniFile& catalogue, TableStyle style);

}  // namespace vexa
