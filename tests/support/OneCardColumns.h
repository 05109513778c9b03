// A game for the winnable-deal tests: four foundations and 52 one-card
// columns. With foundation EmptyDropRule 203 autoplay wins every hand; with
// 0 no hand can be won.
#pragma once

#include <string>

namespace vexa::test {

inline std::string OneCardColumns(const std::string& name, int emptyDrop)
{
    std::string text = "[" + name + "]\nName=" + name + "\nFormwidth=1000\nFormheight=700\n";
    for (int i = 0; i < 4; ++i)
        text += "PILE0" + std::to_string(i) + "=" + std::to_string(10 + 80 * i) + ",10,71,96,2,3,0,106," +
                std::to_string(emptyDrop) + ",402,0,0,0,-\n";
    for (int i = 0; i < 52; ++i)
        text += "PILE" + std::to_string(10 + i) + "=" + std::to_string(10 + 18 * (i % 13)) + "," +
                std::to_string(120 + 100 * (i / 13)) + ",71,96,2,2,1,0,0,402,0,0,0,U\n";
    return text;
}

}  // namespace vexa::test
