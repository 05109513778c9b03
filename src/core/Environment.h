// What the game core needs from the world around it: a place to show
// messages and the victory, and a clock. The Qt application and the headless
// driver each provide their own.
#pragma once

#include <cstdint>
#include <string>

namespace vexa {

// The texts of the victory dialog and the court card it shows.
struct VictoryText {
    std::string Label1;
    std::string Label2;
    std::string Button;
    int Rank = 11;
    int Suit = 0;
};

class UserInterface {
public:
    virtual ~UserInterface() = default;
    // The plain message box: modal, the application title as caption, OK.
    virtual void ShowMessage(const std::string& text) = 0;
    // The modal victory dialog; returns when the player closes it.
    virtual void ShowVictory(const VictoryText& text) = 0;
};

class Clock {
public:
    virtual ~Clock() = default;
    // The current date and time counted in days.
    virtual double Now() = 0;
    // Milliseconds since midnight, universal time, to seed the generator.
    virtual std::uint32_t MillisecondsSinceMidnightUtc() = 0;
};

// The system clock.
class SystemClock : public Clock {
public:
    double Now() override;
    std::uint32_t MillisecondsSinceMidnightUtc() override;
};

}  // namespace vexa
