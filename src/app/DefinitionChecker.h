// The definition checker: loads every game of the catalogue in the current
// folder exactly as the program does, then looks at what was built for the
// cases the rules do not support and for the usual slips of hand-written
// definitions. Each finding names the file and line it comes from.
#pragma once

#include <cstdint>
#include <iosfwd>
#include <memory>
#include <string>
#include <vector>

#include "cards/CardFace.h"
#include "core/Environment.h"
#include "table/Table.h"

namespace vexa {

struct Session;
struct GameSettings;

// A session over the catalogue of the current folder with a fixed seed and
// clock, that keeps the messages it is asked to show instead of showing them.
class CheckSession : public UserInterface, public Clock {
public:
    explicit CheckSession(std::uint32_t seed, int screenWidth = 1920, int screenHeight = 1080);
    ~CheckSession() override;
    CheckSession(const CheckSession&) = delete;
    CheckSession& operator=(const CheckSession&) = delete;

    Session& Get() { return *session_; }
    // Reads the catalogue as the chooser does; returns its error text, "" when none.
    std::string OpenCatalogue();
    // Loads the named game as the chooser's OK does; returns the load error
    // text, "" when the game loaded.
    std::string Load(const std::string& displayName);

    void ShowMessage(const std::string& text) override { Messages.push_back(text); }
    void ShowVictory(const VictoryText&) override { ++Victories; }
    double Now() override { return 45000.0; }
    std::uint32_t MillisecondsSinceMidnightUtc() override { return seed_; }

    std::vector<std::string> Messages;
    int Victories = 0;

private:
    std::uint32_t seed_;
    NullPictureSource pictures_;
    std::unique_ptr<Session> session_;
};

// The part of the window that piles may use: the outer size less a
// conservative allowance for frame, caption and menu bar (20 across, 70 down).
Rect ClientBudget(const GameSettings& settings);

// "" when each of the 104 cards lies in exactly one place (a pile, the
// CardStore, the DragPile or the welcome window) and every container agrees
// with its cards about it; otherwise what is wrong.
std::string CardPlacesFault(Table& table);

struct Finding {
    std::string File;
    int Line = 0;
    bool Error = false;
    std::string Text;
};

struct CheckReport {
    int Games = 0;
    std::vector<Finding> Findings;
    int Errors() const;
    int Warnings() const;
};

// Checks the catalogue of the current folder and every definition it names.
CheckReport CheckCatalogue();

// Checks one game of that catalogue, named as the chooser lists it: the
// catalogue, the game's entry and its definition, with the same findings
// that CheckCatalogue gives for them. A game the catalogue does not list is
// an error.
CheckReport CheckGame(const std::string& displayName);

// Prints one line per finding, "FILE:LINE: error|warning: TEXT", then the
// summary line.
void PrintReport(const CheckReport& report, std::ostream& out);

// vexasim --check FOLDER: checks, prints, and returns the exit status (1 when
// an error was found, 2 when the folder cannot be entered).
int RunDefinitionCheck(const std::string& folder, std::ostream& out, std::ostream& err);

}  // namespace vexa
