// vexasim: the game core driven by text commands on standard input, in the
// current folder, for scripted play and tests.
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <string>

#include "app/DefinitionChecker.h"
#include "app/SimDriver.h"

namespace {
int Usage()
{
    std::cerr << "usage: vexasim [--seed N] [--screen WxH] < commands\n       vexasim --check [FOLDER]\n";
    return 2;
}
}  // namespace

int main(int argc, char** argv)
{
    // The definition checker: vexasim --check [FOLDER].
    if (argc >= 2 && std::strcmp(argv[1], "--check") == 0) {
        if (argc > 3) return Usage();
        return vexa::RunDefinitionCheck(argc == 3 ? argv[2] : ".", std::cout, std::cerr);
    }
    vexa::SimOptions options;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--seed" && i + 1 < argc) {
            char* end = nullptr;
            const unsigned long long seed = std::strtoull(argv[++i], &end, 10);
            if (*end != '\0' || seed > 0xFFFFFFFFull) return Usage();
            options.Seed = static_cast<std::uint32_t>(seed);
        } else if (arg == "--screen" && i + 1 < argc) {
            int w = 0, h = 0;
            char tail = 0;
            if (std::sscanf(argv[++i], "%dx%d%c", &w, &h, &tail) != 2 || w <= 0 || h <= 0) return Usage();
            options.ScreenWidth = w;
            options.ScreenHeight = h;
        } else {
            return Usage();
        }
    }
    vexa::SimDriver driver(options, std::cout);
    return driver.Run(std::cin);
}
