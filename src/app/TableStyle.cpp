#include "app/TableStyle.h"

#include "core/VexaError.h"
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

int ReadCardBack(const IniFile& catalogue)
{
    const std::string text = catalogue.ReadString("General", "CardBack");
    if (text.empty()) return DefaultCardBack;
    try {
        const int back = StrToInt(text);
        return back >= FirstCardBack && back <= LastCardBack ? back : DefaultCardBack;
    } catch (const VexaError&) {
        return DefaultCardBack;
    }
}

void WriteCardBack(const IniFile& catalogue, int back) { catalogue.WriteInteger("General", "CardBack", back); }

}  // namespace vexa
