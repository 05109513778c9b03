// A click on a pile's own area, where no card lies, runs the pile's
// ClickAction: 301 turns the first waste pile over onto the empty stock,
// 303 first empties the last waste pile onto the first, 302 gathers the
// tableau, shuffles it with the deal's generator and deals it out again in
// threes. Each redeal costs one of RedealsLeft.
#pragma once

namespace vexa {

struct Session;
class Pile;

// Runs the pile's ClickAction, then records the undo step (none when
// nothing changed). Called after the Before snapshot while nothing is
// carried. The score is not recomputed here.
void PileAction(Session& session, Pile& pile);

}  // namespace vexa
