#include "app/TableStyle.h"

#include "defs/IniFile.h"

namespace vexa {

TableStyle ReadTableStyle(const IniFile& catalogue)
{
    return catalogue.ReadString("General", "TableStyle") == "Felt" ? TableStyle::Felt : TableStyle::Classic;
}

void WriteTableStyle(const IniFile& catalogue, TableStyle style)
{
    catalogue.WriteString("General", "TableStyle", style == TableStyle::Felt ? "Felt" : "Classic");
}

bool ReadAnimations(const IniFile& catalogue) { return catalogue.ReadString("General", "Animations") != "0"; }

void WriteAnimations(const IniFile& catalogue, bool on)
{
    catalogue.WriteString("General", "Animations", on ? "1" : "0");
}

}  // namespace vexa
