// vexasim: the game core driven by text commands on standard input, in the
// current folder, for scripted play and tests; with --win-rates it measures
// how many deals of every game the solver wins.
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <string>

#include "app/DefinitionChecker.h"
#include "app/SimDriver.h"
#include "app/WinRates.h"

namespace {
int Usage()
{
    std::cerr << "usage: vexasim [--seed N] [--screen WxH] [--clock DAYS] < commands\n"
                 "       vexasim --check [FOLDER]\n"
                 "       vexasim --win-rates [--deals N] [--seconds S] [FOLDER]\n";
    return 2;
}

int WinRates(int argc, char** argv)
{
    vexa::WinRateOptions options;
    std::string folder;
    for (int i = 2; i < argc; ++i) {
        const std::string arg = argv[i];
        char* end = nullptr;
        if (arg == "--deals" && i + 1 < argc) {
            options.Deals = static_cast<int>(std::strtol(argv[++i], &end, 10));
            if (*end != '\0' || options.Deals <= 0) return Usage();
        } else if (arg == "--seconds" && i + 1 < argc) {
            options.Seconds = std::strtod(argv[++i], &end);
            if (*end != '\0' || !(options.Seconds > 0)) return Usage();
        } else if (folder.empty() && !arg.empty() && arg[0] != '-') {
            folder = arg;
        } else {
            return Usage();
        }
    }
    std::error_code error;
    if (!folder.empty()) std::filesystem::current_path(folder, error);
    if (error) {
        std::cerr << "vexasim: cannot enter " << folder << ": " << error.message() << '\n';
        return 1;
    }
    std::cout << options.Deals << " deals per game, " << options.Seconds << " s per deal\n\n";
    vexa::PrintWinRateHeader(std::cout);
    try {
        vexa::MeasureWinRates(options, &std::cout);
    } catch (const std::exception& e) {
        std::cerr << "vexasim: " << e.what() << '\n';
        return 1;
    }
    return 0;
}
}  // namespace

int main(int argc, char** argv)
{
    // The definition checker: vexasim --check [FOLDER].
    if (argc >= 2 && std::strcmp(argv[1], "--check") == 0) {
        if (argc > 3) return Usage();
        return vexa::RunDefinitionCheck(argc == 3 ? argv[2] : ".", std::cout, std::cerr);
    }
    if (argc > 1 && std::strcmp(argv[1], "--win-rates") == 0) return WinRates(argc, argv);
    vexa::SimOptions options;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--seed" && i + 1 < argc) {
            char* end = nullptr;
            const unsigned long long seed = std::strtoull(argv[++i], &end, 10);
            if (*end != '\0' || seed > 0xFFFFFFFFull) return Usage();
            options.Seed = static_cast<std::uint32_t>(seed);
        } else if (arg == "--clock" && i + 1 < argc) {
            char* end = nullptr;
            options.StoppedClock = std::strtod(argv[++i], &end);
            if (*end != '\0' || !std::isfinite(*options.StoppedClock)) return Usage();
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
