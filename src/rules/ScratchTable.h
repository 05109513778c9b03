// A table of its own for work that must not touch the live session: the
// solver plays its moves there, and the winnable-deal probe deals there.
#pragma once

#include <cstdint>
#include <string>

#include "core/Session.h"

namespace vexa {

// The scratch session's world: pictures are never drawn, messages go
// nowhere, and a victory is only counted.
class ScratchUi : public UserInterface {
public:
    void ShowMessage(const std::string&) override {}
    void ShowVictory(const VictoryText&) override { ++Victories; }
    int Victories = 0;
};

class StillClock : public Clock {
public:
    double Now() override { return 0; }
    std::uint32_t MillisecondsSinceMidnightUtc() override { return 0; }
};

// Copies the loaded game and the hand on the live table onto a fresh
// scratch session: settings, menu state, deck order, generator and hand
// counters, then every pile (rules, place, cards and faces) and game
// button in TableOrder. The scratch session records no undo steps and
// counts no win. The card in the window's corner goes back to the store.
void CopyGameOnto(const Session& live, Session& scratch);

}  // namespace vexa
