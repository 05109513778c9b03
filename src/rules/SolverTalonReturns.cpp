// Talon returns. With one stock turned a card at a time onto one waste and
// round again without end, every talon card can be had at any time, and
// the talon keeps its cards in the order they are dealt. Take a position Y
// in which cards that were in the talon at the start lie bare on top of
// tableau piles or foundations (one or more on each, each on the one
// before as it was dropped there), and the position Z that is Y with some
// of them still in the talon, each at its place in the dealing order. Z
// leads to Y in as many moves as cards were taken back (turn the stock
// round to each and play it where it lies in Y: the rules decide by the
// two cards alone, not where a card comes from), so whatever wins from Y
// wins from Z. Where Z was met already, Z is searched with every move it
// has, and Y is not searched. The deferred plays never make Y from Z
// directly (a talon card is played only when a card goes on it at once),
// but other lines often do: a card built on a talon card and taken off
// again, or moves made in another order. Tried for Z: each pile's top
// cards from the talon, one, two and so on, and those of every pile at
// once.
//
// Why no win is lost: suppose the search ends without one although the
// start can be won. Count for a position the moves of its shortest way to
// win (turns of the stock not counted) less the cards in its talon. Among
// the positions it searched that can be won, take one, X, with the lowest
// count, and among those with the shortest way to win. The moves the
// search makes from X lead on a shortest way to win, within one move (or
// two, after a deferred talon play), to a position Y nearer the win. If
// the moves to Y took a card from the talon, Y keeps X's count and is
// nearer the win, and the check is not made: Y was searched, a better
// choice than X. Otherwise Y counts less than X, and a Z that Y was left
// for counts no more than Y (k cards back in the talon, at most k moves
// further from the win): again a better choice than X, a contradiction.
#include "rules/SolverSearch.h"

#include <algorithm>

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

std::size_t Solver::Search::TalonCards(const State& state) const
{
    std::size_t count = 0;
    for (std::size_t p = 0, at = 0; p < piles_.size(); ++p) {
        const std::size_t n = state[at] & ~ShownFlag;
        if (talon_[p]) count += n;
        at += n + 1;
    }
    return count;
}

bool Solver::Search::TalonReturnSeen(const State& child)
{
    // Per pile: how many of its top cards, face up, came from the talon.
    auto& tops = returnTops_;
    tops.assign(piles_.size(), 0);
    bool any = false;
    for (std::size_t p = 0, at = 0; p < piles_.size(); ++p) {
        const std::size_t n = child[at] & ~ShownFlag;
        if (piles_[p]->Kind == 2 || piles_[p]->Kind == 3)
            while (tops[p] < n && (child[at + n - tops[p]] & 1) == 0 && talonPlace_[child[at + n - tops[p]] >> 1] >= 0)
                ++tops[p];
        any = any || tops[p] > 0;
        at += n + 1;
    }
    if (!any) return false;
    childTalonSet_ = TalonSetHash(child);
    // Each pile's top cards from the talon, one, two and so on, then all of
    // them from every pile at once.
    auto& take = returnTake_;
    for (std::size_t p = 0; p < piles_.size(); ++p)
        for (std::size_t count = 1; count <= tops[p]; ++count) {
            take.assign(piles_.size(), 0);
            take[p] = count;
            if (ReturnedSeen(child)) return true;
        }
    take = tops;
    return std::count_if(tops.begin(), tops.end(), [](std::size_t n) { return n > 0; }) > 1 && ReturnedSeen(child);
}

std::uint64_t Solver::Search::CardSetHash(std::uint8_t byte) { return HashFinish(0x51ed27u + (byte >> 1)); }

std::uint64_t Solver::Search::TalonSetHash(const State& state) const
{
    std::uint64_t set = 0;
    for (std::size_t p = 0, at = 0; p < piles_.size(); ++p) {
        const std::size_t n = state[at] & ~ShownFlag;
        if (talon_[p])
            for (std::size_t i = 1; i <= n; ++i) set += CardSetHash(state[at + i]);
        at += n + 1;
    }
    return set;
}

bool Solver::Search::ReturnedSeen(const State& child)
{
    // No stock cycle has a talon of these cards: Z was never met.
    std::uint64_t set = childTalonSet_;
    for (std::size_t p = 0, at = 0; p < piles_.size(); ++p) {
        const std::size_t n = child[at] & ~ShownFlag;
        for (std::size_t i = n + 1 - returnTake_[p]; i <= n; ++i) set += CardSetHash(child[at + i]);
        at += n + 1;
    }
    if (!cycleTalonSets_.contains(set)) return false;

    // The talon's cards and those taken back, each at its place in the
    // dealing order: into the waste those dealt before its top card, the
    // rest into the stock. Waste bytes run from the first dealt, face up;
    // stock bytes from the last, face down.
    const auto [wasteAt, wasteBytes] = PileBytes(child, waste_);
    const auto [stockAt, stockBytes] = PileBytes(child, stock_);
    auto placeOf = [this](std::uint8_t byte) { return talonPlace_[byte >> 1]; };
    const std::int16_t wasteTop = wasteBytes > 1 ? placeOf(child[wasteAt + wasteBytes - 1]) : -1;
    auto& waste = returnWaste_;
    auto& stock = returnStock_;
    waste.assign(child.begin() + static_cast<std::ptrdiff_t>(wasteAt + 1),
                 child.begin() + static_cast<std::ptrdiff_t>(wasteAt + wasteBytes));
    stock.assign(child.begin() + static_cast<std::ptrdiff_t>(stockAt + 1),
                 child.begin() + static_cast<std::ptrdiff_t>(stockAt + stockBytes));
    for (std::size_t p = 0, at = 0; p < piles_.size(); ++p) {
        const std::size_t n = child[at] & ~ShownFlag;
        for (std::size_t i = n + 1 - returnTake_[p]; i <= n; ++i) {
            const std::uint8_t card = child[at + i];
            if (placeOf(card) < wasteTop)
                waste.push_back(card);
            else
                stock.push_back(static_cast<std::uint8_t>(card | 1));
        }
        at += n + 1;
    }
    std::sort(waste.begin(), waste.end(), [&](std::uint8_t a, std::uint8_t b) { return placeOf(a) < placeOf(b); });
    std::sort(stock.begin(), stock.end(), [&](std::uint8_t a, std::uint8_t b) { return placeOf(a) > placeOf(b); });
    // Z, pile by pile; first its talon alone, looked up among the cycles met.
    auto build = [&](State& out, bool talonOnly) {
        out.clear();
        std::size_t at = 0;
        for (std::size_t p = 0; p < piles_.size(); ++p) {
            const std::size_t n = child[at] & ~ShownFlag;
            const auto flag = static_cast<std::uint8_t>(child[at] & ShownFlag);
            if (p == waste_ || p == stock_) {
                const State& cards = p == waste_ ? waste : stock;
                out.push_back(static_cast<std::uint8_t>(cards.size() | flag));
                out.insert(out.end(), cards.begin(), cards.end());
            } else if (!talonOnly) {
                out.push_back(static_cast<std::uint8_t>((n - returnTake_[p]) | flag));
                out.insert(out.end(), child.begin() + static_cast<std::ptrdiff_t>(at + 1),
                           child.begin() + static_cast<std::ptrdiff_t>(at + 1 + n - returnTake_[p]));
            }
            at += n + 1;
        }
        // The counters close the position.
        if (!talonOnly) out.insert(out.end(), child.begin() + static_cast<std::ptrdiff_t>(at), child.end());
    };
    build(talonBytes_, true);
    const auto cycle = cycleOf_.find(HashBytes(talonBytes_.data(), talonBytes_.size()));
    if (cycle == cycleOf_.end() || cycle->second.Length <= 1) return false;
    build(returned_, false);
    return Seen(KeyHash(returned_), GetInt(returned_.data() + returned_.size() - 4));
}

}  // namespace vexa
