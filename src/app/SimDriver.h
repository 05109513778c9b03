// The headless driver: plays the game core from text commands, one per line,
// and prints what each command raised, so that whole games can be scripted
// and checked without a window.
#pragma once

#include <cstdint>
#include <iosfwd>
#include <memory>
#include <optional>
#include <string>

#include "cards/CardFace.h"
#include "core/Environment.h"

namespace vexa {

struct Session;
class Control;

struct SimOptions {
    std::optional<std::uint32_t> Seed;
    // A clock that stands still at this date-time (in days), so that the
    // time in game a script shows does not depend on how long it ran.
    std::optional<double> StoppedClock;
    int ScreenWidth = 1920;
    int ScreenHeight = 1080;
};

// Quotes a text for the driver's output: \" \\ \r \n stand for the characters.
std::string SimQuote(const std::string& text);

// The system clock, or one standing still at a given date-time.
class SimClock : public Clock {
public:
    explicit SimClock(std::optional<double> stopped) : stopped_(stopped) {}
    double Now() override { return stopped_ ? *stopped_ : system_.Now(); }
    std::uint32_t MillisecondsSinceMidnightUtc() override { return system_.MillisecondsSinceMidnightUtc(); }

private:
    std::optional<double> stopped_;
    SystemClock system_;
};

class SimDriver : public UserInterface {
public:
    SimDriver(const SimOptions& options, std::ostream& out);
    ~SimDriver() override;

    // Runs commands until "exit" or the end of input; returns the exit status.
    int Run(std::istream& in);
    // Runs one command line; returns false after "exit".
    bool Execute(const std::string& line);

    void ShowMessage(const std::string& text) override;
    void ShowVictory(const VictoryText& text) override;

private:
    void Show();
    // What "click card N", "click pile NAME" or "click background" names;
    // none (after a complaint) when a player could not click it.
    std::optional<Control*> ClickTarget(const std::string& what);
    void Click(const std::string& what);
    // A double-click: a click, then the second click of a double-click.
    void DoubleClick(const std::string& what);
    void Solve(const std::string& args);
    void DealWinnable();
    void Complain(const std::string& text);

    std::ostream& out_;
    NullPictureSource pictures_;
    SimClock clock_;
    std::unique_ptr<Session> session_;
};

}  // namespace vexa
