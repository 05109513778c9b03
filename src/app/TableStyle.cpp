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

}  // namespace vexa
