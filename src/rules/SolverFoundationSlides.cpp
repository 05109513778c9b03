// Slides between the two foundations of a suit. Where every foundation
// builds in suit from its base card (DropRule 123: up from an ace, down
// from a king) and gives its top card back (PickRule 1), a suit whose two
// foundations meet (the ace's up to rank u, the king's down to u + 1) can
// pass its top cards from one to the other: u moves down onto the king's,
// or u + 1 up onto the ace's, which slides the meeting point. Cards then
// go up at u + 1 or down at u; the other cards of the suit left, one copy
// of each rank, wait for a slide.
//
// A slide is made only towards a card of its suit that some pile offers
// now: down from u only if such a card of rank below u lies on top of a
// pile, up from u only for one above u + 1. Sound, where nothing but the
// foundations' own moves and drops read them: a slide touches only the
// two foundations, so in a winning line every slide of a suit can wait
// until just before the next move that touches those foundations
// otherwise. That move plays a card onto them (after which they no longer
// meet), and it lies on top of its pile while the slides are made, since
// they change nothing else; or it lifts a foundation card into an empty
// pile, and while a pile that takes cards stands empty every slide is
// tried. The slides before a play of rank r can go straight towards r and
// stop where a foundation takes it: down to u = r, up to u = r - 1, each
// step passing the test above. A slide down to r - 1 to play r up instead
// of down ends in the same position but for which copy of r lies where,
// and the copies are keyed alike (SolverCopyKeys.cpp), which this needs.
// Autoplay, where the game has it, must take only top cards that the
// player could lift alone (PickRules 1 to 9 but 8): it is then a shortcut
// through single moves, which a winning line can make instead, each
// passing the test as above. The score counts only the foundations'
// cards, no other pile takes a card on a card (DropRule 0 off the
// foundations), and an empty foundation
// takes only an ace or a king whose face no foundation starts with (216,
// 217), so that a foundation card moves only to the other foundation of
// its suit: where a pile takes cards when empty, the test is off while
// one is empty, and a move that empties a foundation is always tried.
#include "rules/SolverSearch.h"

#include <algorithm>

namespace vexa {

using namespace solving;

void Solver::Search::FindFoundationSlides()
{
    slides_ = false;
    const GameSettings& settings = s_.Settings;
    if (!copyKeys_ || settings.Scoring != 0 || settings.Postpick != 0 ||
        settings.Postdrop == 13 || settings.Postdrop == 14 || RulesReadOtherPiles(true, true))
        return;
    bool any = false;
    for (const Pile* pile : piles_) {
        if (pile->PickRule == 94) return;
        if (s_.Menu.Autoplay && (pile->Kind == 1 || pile->Kind == 2 || pile->Kind == 4) &&
            (pile->PickRule < 1 || pile->PickRule > 9 || pile->PickRule == 8))
            return;
        if (pile->Kind == 3) {
            if (pile->DropRule != 123 || pile->PickRule != 1 ||
                (pile->EmptyDropRule != 216 && pile->EmptyDropRule != 217))
                return;
            any = true;
        } else if (pile->DropRule != 0) {
            return;
        }
    }
    slides_ = any;
}

void Solver::Search::FindSlideReach()
{
    slideOpen_ = false;
    slideLow_.fill(99);
    slideHigh_.fill(-1);
    for (const Pile* pile : piles_) {
        if (pile->Kind == 3) continue;
        if (pile->Count() == 0) {
            if (pile->EmptyDropRule != 0) slideOpen_ = true;
            continue;
        }
        // A stock that deals onto the wastes offers nothing itself; a pile
        // that lifts more than its top card offers all its cards.
        if (pile->PickRule >= 90) continue;
        const int from = pile->PickRule == 1 ? pile->Count() - 1 : 0;
        for (int i = from; i < pile->Count(); ++i) {
            const CardFace& face = pile->CardAt(i)->Face;
            const auto suit = static_cast<std::size_t>(face.Suit());
            slideLow_[suit] = std::min(slideLow_[suit], face.Value());
            slideHigh_[suit] = std::max(slideHigh_[suit], face.Value());
        }
    }
}

bool Solver::Search::SlideUseless(const Pile& origin, const CardFace& moved) const
{
    // A foundation emptied may take another card: always tried.
    if (slideOpen_ || origin.Count() == 0) return false;
    const CardFace& base = origin.CardAt(0)->Face;  // fixes the direction
    const auto suit = static_cast<std::size_t>(moved.Suit());
    if (base.Value() == 1) return slideLow_[suit] > moved.Value() - 1;
    if (base.Value() == 13) return slideHigh_[suit] < moved.Value() + 1;
    return false;
}

}  // namespace vexa
