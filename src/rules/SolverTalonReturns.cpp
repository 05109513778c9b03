// Talon returns. With one stock turned a card at a time onto one waste and
// round again without end, every talon card can be had at any time, and
// the talon keeps its cards in the order they are dealt. Take a position Y
// in which a card C that was in the talon at the start lies bare on a
// tableau pile or on top of a foundation, and the position Z that is Y
// with C still in the talon, at its place in the dealing order. Z leads to
// Y in one move (turn the stock round to C and play it where it lies in Y:
// the rules decide by the two cards alone, not where C comes from), so
// whatever wins from Y wins from Z in one move more. Where Z was met
// already, Z is searched with every move it has, and Y is not searched.
// The deferred plays never make Y from Z directly (a talon card is played
// only when a card goes on it at once), but other lines often do: a card
// built on a talon card and taken off again, or moves made in another
// order.
//
// Why no win is lost: suppose the search ends without one although the
// start can be won. Among the positions it searched that can be won, take
// one, X, with the shortest way to win (turns of the stock not counted),
// and among those with the most cards in the talon. The moves the search
// makes from X lead on a shortest way to win, within one move (or two,
// after a deferred talon play), to a position Y nearer the win. Y was
// searched, or was left for a Z met already that is at most one move
// further from the win than Y and so no further than X. If the move to Y
// took no card from the talon, Z holds one card more in the talon than X:
// a better choice than X, a contradiction. So the check is made only after
// moves that take no card from the talon (and after a deferred play, where
// Y is two moves on and Z nearer than X).
#include "rules/SolverSearch.h"

namespace vexa {

using namespace solving;

void Solver::Search::FindTalonReturns()
{
    talonReturns_ = false;
    talonPlace_.fill(-1);
    // The deferred plays' conditions: every talon card can be had at any
    // time, and a pile takes it as it would from anywhere else.
    // No step before or after a move: playing the card from the talon
    // makes exactly the position it lies in.
    const GameSettings& settings = s_.Settings;
    if (!deferredPlays_ || !cycles_ || !oneCardTalon_ || settings.Prepick != 0 || settings.Postpick != 0 ||
        settings.Postdrop != 0)
        return;
    int wastes = 0;
    for (std::size_t p = 0; p < piles_.size(); ++p)
        if (talon_[p] && p != stock_) {
            waste_ = p;
            ++wastes;
        }
    if (wastes != 1) return;
    // The dealing order: the waste from the bottom, then the stock from the
    // top. Turning the waste over deals it again in the same order.
    std::int16_t place = 0;
    for (const Card* card : piles_[waste_]->Cards()) talonPlace_[static_cast<std::size_t>(card->Index())] = place++;
    const Pile& stock = *piles_[stock_];
    for (int i = stock.Count() - 1; i >= 0; --i)
        talonPlace_[static_cast<std::size_t>(stock.CardAt(i)->Index())] = place++;
    talonReturns_ = place > 0;
}

std::size_t Solver::Search::TalonCount(const State& state, const std::vector<char>& talon)
{
    std::size_t count = 0;
    for (std::size_t p = 0, at = 0; p < talon.size(); ++p) {
        const std::size_t n = state[at] & ~ShownFlag;
        if (talon[p]) count += n;
        at += n + 1;
    }
    return count;
}

bool Solver::Search::TalonReturnSeen(const State& child)
{
    std::size_t at = 0;
    for (std::size_t p = 0; p < piles_.size(); ++p) {
        const std::size_t n = child[at] & ~ShownFlag;
        // The top card of a tableau pile or a foundation, face up, from the
        // talon. Z must stand on a stock cycle met already (its turns are
        // free), and have been met itself; the talon alone is looked up
        // first.
        if ((piles_[p]->Kind == 2 || piles_[p]->Kind == 3) && n > 0 && (child[at + n] & 1) == 0 &&
            talonPlace_[child[at + n] >> 1] >= 0 && ReturnToTalon(child, child[at + n])) {
            const auto cycle = cycleOf_.find(HashBytes(talonBytes_.data(), talonBytes_.size()));
            if (cycle != cycleOf_.end() && cycle->second.Length > 1) {
                // Z: the pile less its top card, the talon pile with it.
                returned_.clear();
                std::size_t b = 0;
                for (std::size_t q = 0; q < piles_.size(); ++q) {
                    const std::size_t m = child[b] & ~ShownFlag;
                    const auto from = child.begin() + static_cast<std::ptrdiff_t>(b);
                    if (q == p) {
                        returned_.push_back(static_cast<std::uint8_t>(child[b] - 1));
                        returned_.insert(returned_.end(), from + 1, from + static_cast<std::ptrdiff_t>(m));
                    } else if (q == returnedPile_) {
                        returned_.insert(returned_.end(), returnedTalon_.begin(), returnedTalon_.end());
                    } else {
                        returned_.insert(returned_.end(), from, from + static_cast<std::ptrdiff_t>(m + 1));
                    }
                    b += m + 1;
                }
                returned_.insert(returned_.end(), child.begin() + static_cast<std::ptrdiff_t>(b), child.end());
                if (Seen(KeyHash(returned_), GetInt(returned_.data() + returned_.size() - 4))) return true;
            }
        }
        at += n + 1;
    }
    return false;
}

bool Solver::Search::ReturnToTalon(const State& child, std::uint8_t card)
{
    const std::int16_t place = talonPlace_[card >> 1];
    auto placeOf = [this](std::uint8_t byte) { return talonPlace_[byte >> 1]; };
    // The card goes into the waste before the first card there dealt after
    // it; if there is none, onto the stock, face down, above the cards
    // dealt after it. Waste bytes run from the first dealt, stock bytes
    // from the last.
    const auto [wasteAt, wasteBytes] = PileBytes(child, waste_);
    std::size_t into = wasteBytes;
    for (std::size_t i = 1; i < wasteBytes && into == wasteBytes; ++i)
        if (placeOf(child[wasteAt + i]) > place) into = i;
    const bool waste = into < wasteBytes;
    returnedPile_ = waste ? waste_ : stock_;
    const auto [pileAt, pileBytes] = waste ? std::pair{wasteAt, wasteBytes} : PileBytes(child, stock_);
    if (!waste) {
        into = 1;
        while (into < pileBytes && placeOf(child[pileAt + into]) > place) ++into;
    }
    const std::size_t m = pileBytes - 1;
    // A copy of the card there already, or a pile too long to count.
    if ((into < pileBytes && placeOf(child[pileAt + into]) == place) || m + 1 > 127) return false;
    returnedTalon_.assign(child.begin() + static_cast<std::ptrdiff_t>(pileAt),
                          child.begin() + static_cast<std::ptrdiff_t>(pileAt + pileBytes));
    returnedTalon_[0] = static_cast<std::uint8_t>(returnedTalon_[0] + 1);
    returnedTalon_.insert(returnedTalon_.begin() + static_cast<std::ptrdiff_t>(into),
                          static_cast<std::uint8_t>(waste ? card : card | 1));
    // The talon piles' bytes as TalonHash reads them.
    talonBytes_.clear();
    std::size_t b = 0;
    for (std::size_t q = 0; q < piles_.size(); ++q) {
        const std::size_t n = 1 + (child[b] & ~ShownFlag);
        if (q == returnedPile_)
            talonBytes_.insert(talonBytes_.end(), returnedTalon_.begin(), returnedTalon_.end());
        else if (talon_[q])
            talonBytes_.insert(talonBytes_.end(), child.begin() + static_cast<std::ptrdiff_t>(b),
                               child.begin() + static_cast<std::ptrdiff_t>(b + n));
        b += n;
    }
    return true;
}

}  // namespace vexa
