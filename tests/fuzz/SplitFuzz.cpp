// Fuzz target: any bytes as a PILE, BUTTON, Preplay or Extract value. The
// split items, quoted and joined again, split into the same items; numbers
// either convert or raise the program's error, and a converted floating-point
// value reads back from its stored text form (15 significant digits).
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "core/VexaError.h"
#include "defs/IniFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace vexa;
    const std::string value(reinterpret_cast<const char*>(data), size);
    const std::vector<std::string> items = SplitItems(value);

    std::string joined;
    for (const std::string& item : items) {
        if (!joined.empty()) joined += ',';
        joined += '"';
        for (char c : item) joined += c == '"' ? std::string("\"\"") : std::string(1, c);
        joined += '"';
        try {
            StrToInt(item);
        } catch (const VexaError&) {
        }
        try {
            const double number = StrToFloat(item);
            if (std::isfinite(number)) {
                const double again = StrToFloat(FloatToText(number));
                if (std::fabs(again - number) > 1e-14 * std::fabs(number)) std::abort();
            }
        } catch (const VexaError&) {
        }
    }
    if (SplitItems(joined) != items) std::abort();
    return 0;
}
