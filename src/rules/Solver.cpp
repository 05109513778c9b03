#include "rules/Solver.h"

#include <algorithm>
#include <array>
#include <bitset>
#include <chrono>
#include <cstring>
#include <queue>
#include <unordered_map>

#include "core/Session.h"
#include "records/GameButtons.h"
#include "records/Score.h"
#include "rules/Autoplay.h"
#include "rules/ClickDispatch.h"
#include "rules/MoveRules.h"
#include "table/PileLayout.h"

namespace vexa {

namespace {

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

// A move as the search keeps it: what was clicked, and where the lifted
// cards were dropped.
struct PackedMove {
    std::uint8_t Kind = 0;       // SolverMove::Type
    std::uint8_t Card = 0;       // the card clicked first
    std::uint8_t DropCard = 0;   // the card clicked to drop (0: the pile's area)
    std::uint8_t Lifted = 0;     // the lowest card lifted
    std::int16_t Position = -1;  // the drop target, clicked pile or button
    // Turns of the stock played before the move (see the stock cycles).
    std::uint8_t Clicks = 0;
};

struct Node {
    std::uint64_t StateOffset = 0;
    std::uint32_t StateLength = 0;
    std::int32_t Parent = -1;
    std::int32_t Redeals = 0;
    std::uint64_t Key = 0;
    PackedMove Move;
    // Reached by playing a talon card to this pile (see the deferred
    // plays): the next move must put cards on it. -1 for none.
    std::int16_t Deferred = -1;
};

struct QueueEntry {
    int Priority;
    std::int32_t Id;
    // Highest priority first; among equals the older position.
    bool operator<(const QueueEntry& other) const
    {
        return Priority != other.Priority ? Priority < other.Priority : Id > other.Id;
    }
};

using State = std::vector<std::uint8_t>;

constexpr std::uint8_t ShownFlag = 0x80;

// A card in a position: its index and whether it lies face down.
std::uint8_t CardByte(const Card& card)
{
    return static_cast<std::uint8_t>(card.Index() << 1 | (card.Face.State() == ctBack ? 1 : 0));
}
// OneTimeMove and RedealsLeft close every position, RedealsLeft last.
constexpr std::size_t CounterBytes = 8;

// DropRules that decide by the two cards alone (and the target's count).
constexpr std::array TwoCardDropRules{101, 102, 103, 104, 105, 106, 107, 108, 109, 112, 114, 115, 117, 118, 120, 122, 124};
// Those of them that take one card at a time.
constexpr std::array SingleCardDropRules{101, 102, 103, 104, 105, 106, 108, 112, 115, 117, 124};

template <std::size_t N>
bool IsOneOf(int rule, const std::array<int, N>& rules)
{
    return std::find(rules.begin(), rules.end(), rule) != rules.end();
}

std::int32_t GetInt(const std::uint8_t* at)
{
    std::int32_t value;
    std::memcpy(&value, at, 4);
    return value;
}

std::uint64_t HashBytes(const std::uint8_t* data, std::size_t length)
{
    // FNV-1a with a final mix: the same bytes give the same hash everywhere.
    std::uint64_t h = 1469598103934665603ull;
    for (std::size_t i = 0; i < length; ++i) {
        h ^= data[i];
        h *= 1099511628211ull;
    }
    h ^= h >> 33;
    h *= 0xff51afd7ed558ccdull;
    h ^= h >> 33;
    return h;
}

}  // namespace

struct Solver::Search {
    explicit Search(const Session& live);

    SolveAnswer Run(const SolverBudget& budget, const std::atomic<bool>* cancel);

    // The position of the scratch table.
    void Capture(State& out) const;
    // Puts the scratch table into a position, rewriting only the piles that
    // differ from the one it holds.
    void Restore(const std::uint8_t* state, std::size_t length);
    void RestoreParent() { Restore(parent_.data(), parent_.size()); }
    // After a move played on the scratch table: a won hand ends the search,
    // a new position becomes a child.
    void Played(const PackedMove& move);
    // The moves of the parent position; with talonOnly only those that
    // lift cards from the talon, and autoplay.
    void Expand(bool talonOnly);
    // Expands a node: every position of its stock cycle, or the node alone.
    void ExpandNode();
    bool TryLift(Card& card, std::vector<std::uint64_t>& lifts);
    // Clicks a card to lift it. When nothing but the lift changed the
    // table since it was put in a position, and picking up has no side
    // effects, the lift can be taken back by putting the cards back.
    void Lift(Card& card);
    bool CancelLift();
    bool simpleLifts_ = false;
    bool liftOnly_ = false;
    Control* DropSender(Pile& target) const;
    int Priority() const;
    // The driver moves of a packed move played from the position before it:
    // the turns of the stock it starts with, then the move itself.
    void Unpack(const PackedMove& move, const State& before, std::vector<SolverMove>& out);
    SolverMove Unpack(const PackedMove& move) const;

    NullPictureSource pictures_;
    ScratchUi ui_;
    StillClock clock_;
    Session s_;
    bool usable_ = true;
    std::vector<Pile*> piles_;        // game piles in TableOrder
    std::vector<int> pilePositions_;  // their TableOrder positions
    std::vector<GameButton*> buttons_;
    // More redeals never hurt, unless a button needs RedealsLeft to be 0:
    // a position reached again with no more redeals left is not searched.
    bool redealsDominate_ = true;
    bool keepsGenerator_ = false;  // a pile reshuffles: the generator is part of the position
    // Interchangeable piles: the group of each pile (-1 for none). Two
    // positions that differ only by which pile of a group holds which cards
    // are one position to the search.
    std::vector<int> group_;
    bool symmetric_ = false;
    void FindInterchangeablePiles();
    // Whether a rule of the game reads piles other than the ones a move
    // lifts from and drops on.
    bool RulesReadOtherPiles() const;
    std::uint64_t KeyHash(const State& state);

    // Safe foundation moves. A card that no card still off the foundations
    // can ever be built on, and that exactly one foundation takes (the only
    // card that foundation takes now), goes there in some winning line if
    // the hand can be won at all: a node with such a move has that move
    // alone as its child. Only for games whose rules decide a drop by the
    // two cards (and the target's count), where foundations keep their
    // cards and nothing else puts cards on a pile.
    using CardSet = std::bitset<128>;
    void FindSafeMoves();
    bool PlaySafeMove();
    bool safeMoves_ = false;
    std::vector<char> safeSource_;   // per pile: its top card may be moved this way
    std::vector<CardSet> buildsOn_;  // per card: the cards a non-foundation pile takes on it
    // Per foundation DropRule and top card: the cards it takes.
    std::vector<std::pair<int, std::vector<CardSet>>> foundationTakes_;
    // Per foundation EmptyDropRule: the cards it takes while empty.
    std::vector<std::pair<int, CardSet>> foundationStarts_;
    bool firstFoundationWlog_ = false;
    // Whether the card could lie on a card on top of an empty foundation
    // with these rules, whenever it goes there.
    bool CanGoOnACard(const Pile& foundation, std::size_t card) const;
    // The cards a pile with this DropRule takes on each card, by the rule code.
    std::vector<CardSet> TakenOn(Pile& pile, const std::vector<int>& cards);

    // Stock cycles. When turning the stock over and over only moves cards
    // among the talon piles (the stock and the wastes) and comes back to the
    // same position, every position on the way is reachable from every
    // other: the search keeps them as one position, keyed by a fixed member
    // of the cycle, and expands all of them at once with moves that turn the
    // stock a number of times first. Redeals then count as unlimited, so
    // this is done only when the game allows so many that they never run out
    // within a search, and a loss is claimed only when none ran out.
    void FindStockCycles();
    struct Cycle {
        std::uint64_t Canonical = 0;  // the talon hash of its fixed member
        std::uint16_t Length = 0;     // positions on the cycle; 0 for none
    };
    Cycle CycleOf(const State& state);
    std::uint64_t lastTalon_ = 0;
    Cycle lastCycle_;
    bool lastKnown_ = false;
    Cycle FindCycle(const State& start);
    // Turns the stock once on the scratch table; false when it does nothing.
    bool TurnStock();
    std::uint64_t TalonHash(const State& state);
    // Whether two positions agree outside the talon (RedealsLeft aside).
    bool SameOutsideTalon(const State& a, const State& b) const;
    bool cycles_ = false;
    // Every card autoplay moves could also be lifted alone from its pile and
    // dropped where autoplay drops it.
    bool singleAutoMoves_ = false;
    bool sharedMoves_ = false;                          // members share every move that leaves the talon alone
    std::size_t stock_ = 0;                             // the stock among piles_
    std::vector<char> talon_;                           // per pile: a stock or waste pile
    std::unordered_map<std::uint64_t, Cycle> cycleOf_;  // talon hash -> its cycle
    // A merge or a redeal count that may hide a reachable position: a
    // search without a win then ends unknown, not lost.
    bool lossUnproven_ = false;
    bool cycleNode_ = false;  // the node being expanded stands for its cycle
    int clicks_ = 0;          // turns of the stock before the moves being made
    State talonBytes_;

    State canonical_;
    std::vector<std::pair<std::size_t, std::size_t>> segments_;
    std::vector<std::size_t> groupNext_;
    std::vector<std::vector<std::pair<std::size_t, std::size_t>>> groupSorted_;
    struct ChangedPile {
        std::size_t Pile, Offset, Kept;
    };
    std::vector<ChangedPile> changed_;

    State current_;         // what the scratch table holds
    bool touched_ = false;  // the play code ran since current_ was taken
    State parent_;          // the position being expanded
    State child_;
    struct Child {
        State Position;
        PackedMove Move;
        int Priority;
        std::uint64_t Key;
        std::int16_t Deferred = -1;
    };
    std::vector<Child> children_;
    // Deferred plays. When every talon card can be brought to the top at
    // any time (one card turned at a time, one waste, the stock cycles),
    // playing a talon card to a tableau pile can wait until a card is put
    // on it: any move in between that leaves its pile alone could come
    // first; a move that lifts it could take it from the talon instead;
    // a move that lifts the cards under it could lift them without it,
    // and the card follow them from the talon. So a winning line can always
    // be put in an order in which each such play is followed at once by a
    // move that puts cards on the card played, and after such a play the
    // search tries only those. A position reached by such a play is kept
    // apart from the same position reached otherwise, which is searched
    // with every move.
    void FindDeferredPlays();
    bool deferredPlays_ = false;
    bool deferredFoundations_ = false;
    bool oneCardTalon_ = false;   // one stock turned a card at a time onto one waste
    int deferTo_ = -1;            // the move being played is such a play, to this pile
    int deferredPile_ = -1;       // the node being expanded was reached by one, to this pile
    State deferredBytes_;         // that pile's bytes then
    // The bytes of a pile in a position.
    static std::pair<std::size_t, std::size_t> PileBytes(const State& state, std::size_t pile);
    std::uint64_t DeferredKey(std::uint64_t key, const State& state, int pile);
    bool BuildsOnDeferred(const State& child) const;
    // Whether a card that can be built on this one lies face up outside the
    // foundations (a talon card can always be had).
    bool CanBuildOn(std::size_t pile) const;
    // Whether a pile outside the talon might take the card alone now, by
    // the rule tables (an empty pile that takes cards always might).
    bool MayGoSomewhere(const Card& card) const;
    std::unordered_map<std::uint64_t, std::int32_t> deferredSeen_;

    // Position key -> the most redeals left it was reached with.
    std::unordered_map<std::uint64_t, std::int32_t> seen_;
    // Whether a position reached with that many redeals left was searched.
    bool Seen(std::uint64_t key, std::int32_t redeals) const { return SeenIn(seen_, key, redeals); }
    bool SeenIn(const std::unordered_map<std::uint64_t, std::int32_t>& seen, std::uint64_t key,
                std::int32_t redeals) const
    {
        const auto it = seen.find(key);
        // With stock cycles redeals count as unlimited: a position is
        // searched once.
        return it != seen.end() && (!redealsDominate_ || cycles_ || it->second >= redeals);
    }
    bool won_ = false;
    PackedMove winningMove_;
};

Solver::Search::Search(const Session& live) : s_(pictures_, ui_, clock_, live.ScreenWidth, live.ScreenHeight)
{
    Table& board = s_.Board;
    while (board.Window().Count() > 0) board.MoveCard(*board.Window().Top(), board.Store());
    s_.Welcome = false;
    s_.Inert = false;
    s_.Settings = live.Settings;
    s_.Menu = live.Menu;
    s_.ClientWidth = live.ClientWidth;
    s_.ClientHeight = live.ClientHeight;
    s_.Deck = live.Deck;
    s_.Rng = live.Rng;
    s_.CurrentGame = live.CurrentGame;
    s_.OneTimeMove = live.OneTimeMove;
    s_.RedealsLeft = live.RedealsLeft;
    s_.StreakCount = live.StreakCount;
    s_.StreakBonus = live.StreakBonus;
    s_.WinCounted = true;
    // The scratch table is never undone: its moves record no undo steps.
    s_.Journal.Off = true;
    usable_ = !live.Welcome && !live.Inert && !live.Carrying;

    const Table& from = live.Board;
    for (int position = 0; position < from.ControlCount(); ++position) {
        const Control* control = from.ControlAt(position);
        if (control->Type() == ControlType::Pile && control != &from.DragPile()) {
            const auto& pile = static_cast<const Pile&>(*control);
            auto copy = std::make_unique<Pile>(pile.Name);
            copy->Bounds = pile.Bounds;
            copy->Visible = pile.Visible;
            copy->Kind = pile.Kind;
            copy->PickRule = pile.PickRule;
            copy->DropRule = pile.DropRule;
            copy->EmptyDropRule = pile.EmptyDropRule;
            copy->LayoutStyle = pile.LayoutStyle;
            copy->DealPattern = pile.DealPattern;
            copy->Direction = pile.Direction;
            copy->ClickAction = pile.ClickAction;
            copy->CardLimit = pile.CardLimit;
            copy->SpareValue = pile.SpareValue;
            copy->Hint = pile.Hint;
            copy->ShowHint = pile.ShowHint;
            copy->Horz = pile.Horz;
            copy->Vert = pile.Vert;
            Pile* added = board.AddPile(std::move(copy));
            for (const Card* card : pile.Cards()) {
                Card& mine = board.CardAt(card->Index());
                mine.Face.SetState(card->Face.State());
                board.MoveCard(mine, *added);
            }
            if (pile.ClickAction == 302) keepsGenerator_ = true;
        } else if (control->Type() == ControlType::Button) {
            const auto& button = static_cast<const GameButton&>(*control);
            auto copy = std::make_unique<GameButton>(button.Name);
            copy->Bounds = button.Bounds;
            copy->Visible = button.Visible;
            copy->Tag = button.Tag;
            copy->Caption = button.Caption;
            if (button.Tag == 2) redealsDominate_ = false;
            board.AddButton(std::move(copy));
        }
    }
    board.RebuildKindRange();
    // The copy must stand at the same TableOrder positions as the live
    // table, since rules find piles by position.
    if (board.ControlCount() != from.ControlCount()) usable_ = false;
    for (int position = 0; usable_ && position < board.ControlCount(); ++position) {
        const Control* mine = board.ControlAt(position);
        const Control* theirs = from.ControlAt(position);
        if (mine->Type() != theirs->Type() || mine->Name != theirs->Name) usable_ = false;
        if (Pile* pile = board.PileAt(position); pile && pile != &board.DragPile()) {
            piles_.push_back(pile);
            pilePositions_.push_back(position);
            LayOutPile(*pile);
        } else if (mine->Type() == ControlType::Button) {
            buttons_.push_back(static_cast<GameButton*>(board.ControlAt(position)));
        }
    }
    for (Pile* pile : piles_)
        for (const Card* card : pile->Cards())
            if (card->Index() > 127) usable_ = false;
    FindInterchangeablePiles();
    FindStockCycles();
    FindSafeMoves();
    FindDeferredPlays();
    simpleLifts_ = s_.Settings.Prepick == 0 && s_.Settings.Postpick == 0;
    Capture(current_);
}

void Solver::Search::FindDeferredPlays()
{
    // The rules read no pile but the two of a move and not where the cards
    // come from (as for the safe moves), and every talon card can be had.
    if (!safeMoves_ || !cycles_ || !oneCardTalon_) return;
    int tableauRule = -1;
    for (const Pile* pile : piles_) {
        // Empty piles take cards by the cards alone, and a part of a run
        // they take: a run less its top card is still a run.
        if (pile->EmptyDropRule != 0 && (pile->EmptyDropRule < 201 || pile->EmptyDropRule > 210)) return;
        // Foundations take one card at a time.
        if (pile->Kind == 3 && !IsOneOf(pile->DropRule, SingleCardDropRules)) return;
        if (pile->Kind != 2) continue;
        // Every tableau pile builds alike, and lifts its top card alone or
        // a run whose lower part is a run again.
        if (pile->PickRule < 1 || pile->PickRule > 5) return;
        if (tableauRule >= 0 && pile->DropRule != tableauRule) return;
        tableauRule = pile->DropRule;
    }
    deferredPlays_ = true;
    // A talon card played to a foundation can wait too, until a card goes
    // on it there, when each card on a foundation takes one card at most:
    // no other card can take its place meanwhile.
    deferredFoundations_ = true;
    for (const auto& [rule, taken] : foundationTakes_)
        for (const CardSet& on : taken)
            if (on.count() > 1) deferredFoundations_ = false;
}

std::pair<std::size_t, std::size_t> Solver::Search::PileBytes(const State& state, std::size_t pile)
{
    std::size_t at = 0;
    for (std::size_t p = 0; p < pile; ++p) at += 1 + (state[at] & ~ShownFlag);
    return {at, 1 + static_cast<std::size_t>(state[at] & ~ShownFlag)};
}

std::uint64_t Solver::Search::DeferredKey(std::uint64_t key, const State& state, int pile)
{
    // Cards are unique: two positions alike up to the order of
    // interchangeable piles whose piles played to hold the same cards have
    // those piles at the same place of the order.
    canonical_.assign(8, 0);
    std::memcpy(canonical_.data(), &key, 8);
    const auto [at, n] = PileBytes(state, static_cast<std::size_t>(pile));
    canonical_.insert(canonical_.end(), state.begin() + static_cast<std::ptrdiff_t>(at),
                      state.begin() + static_cast<std::ptrdiff_t>(at + n));
    return HashBytes(canonical_.data(), canonical_.size());
}

bool Solver::Search::MayGoSomewhere(const Card& card) const
{
    const auto c = static_cast<std::size_t>(card.Index());
    for (std::size_t p = 0; p < piles_.size(); ++p) {
        const Pile& pile = *piles_[p];
        if (talon_[p] || !pile.Visible) continue;
        if (pile.Kind == 3) {
            if (pile.Count() == 0) {
                const auto starts = std::find_if(foundationStarts_.begin(), foundationStarts_.end(),
                                                 [&](const auto& entry) { return entry.first == pile.EmptyDropRule; });
                if (starts == foundationStarts_.end() || starts->second.test(c)) return true;
            } else {
                const auto taken = std::find_if(foundationTakes_.begin(), foundationTakes_.end(),
                                                [&](const auto& entry) { return entry.first == pile.DropRule; });
                if (taken == foundationTakes_.end() ||
                    taken->second[static_cast<std::size_t>(pile.Top()->Index())].test(c))
                    return true;
            }
        } else if (pile.Count() == 0) {
            if (pile.EmptyDropRule != 0) return true;
        } else if (pile.DropRule != 0 && buildsOn_[static_cast<std::size_t>(pile.Top()->Index())].test(c)) {
            return true;
        }
    }
    return false;
}

bool Solver::Search::CanBuildOn(std::size_t pile) const
{
    const Pile& under = *piles_[pile];
    const Card& card = *under.Top();
    CardSet on = buildsOn_[static_cast<std::size_t>(card.Index())];
    if (under.Kind == 3) {
        const auto rule = std::find_if(foundationTakes_.begin(), foundationTakes_.end(),
                                       [&](const auto& entry) { return entry.first == under.DropRule; });
        if (rule == foundationTakes_.end()) return true;  // no table: it might
        on = rule->second[static_cast<std::size_t>(card.Index())];
    }
    for (std::size_t p = 0; p < piles_.size(); ++p) {
        const Pile& pile = *piles_[p];
        if (pile.Kind == 3) continue;
        for (const Card* other : pile.Cards())
            if ((talon_[p] || FaceUp(*other)) && on.test(static_cast<std::size_t>(other->Index()))) return true;
    }
    return false;
}

bool Solver::Search::BuildsOnDeferred(const State& child) const
{
    const auto [at, n] = PileBytes(child, static_cast<std::size_t>(deferredPile_));
    return n > deferredBytes_.size() &&
           std::memcmp(child.data() + at + 1, deferredBytes_.data() + 1, deferredBytes_.size() - 1) == 0;
}

std::vector<Solver::Search::CardSet> Solver::Search::TakenOn(Pile& pile, const std::vector<int>& cards)
{
    // The pile holds each card alone in turn; each other card is carried
    // alone and offered to it. The caller puts the table back.
    Table& board = s_.Board;
    Pile& drag = board.DragPile();
    std::vector<CardSet> taken(128);
    touched_ = true;
    s_.OriginPile = nullptr;
    while (pile.Count() > 0) board.MoveCard(*pile.Top(), board.Store());
    for (const int c : cards) {
        board.MoveCard(board.CardAt(c), pile);
        for (const int m : cards) {
            if (m == c) continue;
            Card& moved = board.CardAt(m);
            board.MoveCard(moved, drag);
            if (CanDrop(s_, pile, drag, 0)) taken[static_cast<std::size_t>(c)].set(static_cast<std::size_t>(m));
            board.MoveCard(moved, board.Store());
        }
        board.MoveCard(board.CardAt(c), board.Store());
    }
    return taken;
}

void Solver::Search::FindSafeMoves()
{
    safeSource_.assign(piles_.size(), 0);
    if (!usable_ || keepsGenerator_ || RulesReadOtherPiles() || s_.Settings.Postdrop != 0 || s_.Settings.Prepick != 0 ||
        s_.Settings.Postpick != 0)
        return;
    int stocks = 0, wastes = 0, foundations = 0;
    bool drawOne = true;
    for (const Pile* pile : piles_) {
        if (pile->DropRule != 0 && !IsOneOf(pile->DropRule, TwoCardDropRules))
            return;  // the rule reads more than the two cards
        if (pile->Kind == 3 && pile->PickRule != 0) return;  // foundations give cards back
        if (pile->Kind == 3) ++foundations;
        if (pile->Kind == 1) ++wastes;
        // Deals onto other piles put cards on a card without its rule.
        if (pile->PickRule == 92 || pile->PickRule == 94 || pile->PickRule == 95) return;
        if ((pile->PickRule >= 90 && pile->PickRule <= 95) || pile->ClickAction != 0) {
            ++stocks;
            if (pile->PickRule != 90 || pile->ClickAction != 301) drawOne = false;
        }
    }
    if (foundations == 0) return;
    // A card taken off a talon that deals more than one card at a time, or
    // into several wastes, changes which cards come to the top after it.
    const bool fromTalon = stocks == 0 || (stocks == 1 && drawOne && wastes == 1);
    oneCardTalon_ = stocks == 1 && drawOne && wastes == 1;
    for (std::size_t p = 0; p < piles_.size(); ++p) {
        const Pile& pile = *piles_[p];
        const bool talon = pile.Kind == 0 || pile.Kind == 1;
        // These PickRules lift a face-up top card alone.
        const bool liftsTop = pile.PickRule >= 1 && pile.PickRule <= 9 && pile.PickRule != 8;
        safeSource_[p] = pile.Kind != 3 && liftsTop && (!talon || fromTalon);
    }
    // The rule tables, taken on the scratch table, which is then put back.
    const State start = [this] {
        State state;
        Capture(state);
        return state;
    }();
    std::vector<int> cards;
    for (const Pile* pile : piles_)
        for (const Card* card : pile->Cards()) cards.push_back(card->Index());
    buildsOn_.assign(128, CardSet{});
    std::vector<int> done;
    for (Pile* pile : piles_) {
        if (pile->DropRule == 0) continue;
        const bool known =
            std::find(done.begin(), done.end(), pile->DropRule * (pile->Kind == 3 ? -1 : 1)) != done.end();
        if (known) continue;
        done.push_back(pile->DropRule * (pile->Kind == 3 ? -1 : 1));
        std::vector<CardSet> taken = TakenOn(*pile, cards);
        Restore(start.data(), start.size());
        if (pile->Kind == 3) {
            foundationTakes_.emplace_back(pile->DropRule, std::move(taken));
            // What the foundation takes while empty.
            Pile& drag = s_.Board.DragPile();
            CardSet starts;
            touched_ = true;
            while (pile->Count() > 0) s_.Board.MoveCard(*pile->Top(), s_.Board.Store());
            for (const int m : cards) {
                Card& moved = s_.Board.CardAt(m);
                s_.Board.MoveCard(moved, drag);
                if (CanDrop(s_, *pile, drag, 0)) starts.set(static_cast<std::size_t>(m));
                s_.Board.MoveCard(moved, s_.Board.Store());
            }
            Restore(start.data(), start.size());
            foundationStarts_.emplace_back(pile->EmptyDropRule, starts);
        } else {
            for (std::size_t c = 0; c < taken.size(); ++c) buildsOn_[c] |= taken[c];
        }
    }
    // An ace goes to the first empty foundation that takes it; autoplay,
    // which picks the first foundation that takes a card, must then be a
    // shortcut through single moves.
    firstFoundationWlog_ = !s_.Menu.Autoplay;
    if (!firstFoundationWlog_) {
        firstFoundationWlog_ = true;
        for (const Pile* pile : piles_)
            if ((pile->Kind == 1 || pile->Kind == 2 || pile->Kind == 4) &&
                (pile->PickRule < 1 || pile->PickRule > 9 || pile->PickRule == 8))
                firstFoundationWlog_ = false;
    }
    safeMoves_ = true;
}

bool Solver::Search::CanGoOnACard(const Pile& foundation, std::size_t card) const
{
    const auto taken = std::find_if(foundationTakes_.begin(), foundationTakes_.end(),
                                    [&](const auto& entry) { return entry.first == foundation.DropRule; });
    const auto starts = std::find_if(foundationStarts_.begin(), foundationStarts_.end(),
                                     [&](const auto& entry) { return entry.first == foundation.EmptyDropRule; });
    if (taken == foundationTakes_.end() || starts == foundationStarts_.end()) return true;
    // The cards that could come to the top of the foundation before this
    // one: what it takes while empty, and what it takes on those, and so on.
    CardSet reach = starts->second;
    reach.reset(card);
    CardSet frontier = reach;
    while (frontier.any()) {
        CardSet next;
        for (std::size_t t = 0; t < frontier.size(); ++t)
            if (frontier.test(t)) next |= taken->second[t];
        next.reset(card);
        next &= ~reach;
        reach |= next;
        frontier = next;
    }
    for (std::size_t t = 0; t < reach.size(); ++t)
        if (reach.test(t) && taken->second[t].test(card)) return true;
    return false;
}

bool Solver::Search::PlaySafeMove()
{
    CardSet off;  // the cards not on a foundation
    std::vector<Pile*> foundations;
    for (Pile* pile : piles_) {
        if (pile->Kind == 3) {
            foundations.push_back(pile);
            continue;
        }
        for (const Card* card : pile->Cards()) off.set(static_cast<std::size_t>(card->Index()));
    }
    for (std::size_t p = 0; p < piles_.size(); ++p) {
        if (!safeSource_[p] || piles_[p]->Count() == 0) continue;
        Card& card = *piles_[p]->Top();
        const auto c = static_cast<std::size_t>(card.Index());
        if (!FaceUp(card) || (buildsOn_[c] & off).any() || !CanClickCard(s_, card)) continue;
        touched_ = true;
        DispatchClick(s_, &card);
        Pile& drag = s_.Board.DragPile();
        if (!s_.Carrying || drag.Count() != 1) {
            RestoreParent();
            continue;
        }
        Pile* only = nullptr;
        Pile* first = nullptr;
        int taking = 0;
        // Whether only empty foundations take it, and all empty ones are alike.
        bool emptyAlike = true;
        const Pile* empty = nullptr;
        for (Pile* foundation : foundations) {
            if (foundation->Count() == 0) {
                if (!empty) empty = foundation;
                emptyAlike = emptyAlike && foundation->DropRule == empty->DropRule &&
                             foundation->EmptyDropRule == empty->EmptyDropRule &&
                             foundation->CardLimit == empty->CardLimit;
            }
            if (!CanDrop(s_, *foundation, drag, 0)) continue;
            ++taking;
            only = foundation;
            if (!first) first = foundation;
            if (foundation->Count() > 0) emptyAlike = false;
        }
        // The foundation must take no other card off the foundations now.
        bool alone = taking == 1 && only->Count() > 0;
        if (alone) {
            const auto rule = std::find_if(foundationTakes_.begin(), foundationTakes_.end(),
                                           [only](const auto& entry) { return entry.first == only->DropRule; });
            CardSet others = off;
            others.reset(c);
            alone = rule != foundationTakes_.end() &&
                    (rule->second[static_cast<std::size_t>(only->Top()->Index())] & others).none();
        }
        // A card that no foundation can ever take on a card (an ace) starts
        // one; empty foundations alike are interchangeable, since no rule
        // reads where a pile stands: the first one that takes it does.
        const auto onACard = [&] {
            for (const Pile* foundation : foundations)
                if (CanGoOnACard(*foundation, c)) return true;
            return false;
        };
        if (!alone && taking > 0 && emptyAlike && firstFoundationWlog_ && !onACard()) {
            alone = true;
            only = first;
        }
        Control* sender = alone ? DropSender(*only) : nullptr;
        if (!sender) {
            RestoreParent();
            continue;
        }
        PackedMove move;
        move.Kind = static_cast<std::uint8_t>(SolverMove::Type::Card);
        move.Card = move.Lifted = static_cast<std::uint8_t>(c);
        move.Position = static_cast<std::int16_t>(s_.Board.PositionOf(only));
        move.DropCard =
            sender->Type() == ControlType::Card ? static_cast<std::uint8_t>(static_cast<Card*>(sender)->Index()) : 0;
        touched_ = true;
        DispatchClick(s_, sender);
        if (s_.Carrying) {
            RestoreParent();
            continue;
        }
        Played(move);
        return true;
    }
    return false;
}

bool Solver::Search::RulesReadOtherPiles() const
{
    if (!buttons_.empty() || s_.Settings.Scoring >= 4 || s_.Settings.Postdrop == 30) return true;
    for (const Pile* pile : piles_) {
        if (pile->PickRule == 8) return true;
        switch (pile->DropRule) {
        case 113:
        case 116:
        case 121: return true;
        default: break;
        }
        switch (pile->EmptyDropRule) {
        case 204:
        case 212:
        case 213:
        case 215:
        case 216:
        case 217:
        case 218: return true;
        default: break;
        }
    }
    return false;
}

void Solver::Search::FindStockCycles()
{
    // A count of redeals this high never runs out within a search.
    constexpr int UnlimitedRedeals = 1000;
    talon_.assign(piles_.size(), 0);
    if (!usable_ || !buttons_.empty() || keepsGenerator_ || !redealsDominate_ || s_.RedealsLeft < UnlimitedRedeals)
        return;
    int clickable = 0;
    for (std::size_t p = 0; p < piles_.size(); ++p) {
        const Pile& pile = *piles_[p];
        talon_[p] = pile.Kind == 0 || pile.Kind == 1;
        if (talon_[p] && group_[p] >= 0) return;
        if (pile.ClickAction != 0) {
            ++clickable;
            stock_ = p;
        }
    }
    // One stock that deals to the wastes and turns them over again: these
    // rules read and change the talon piles only.
    if (clickable != 1) return;
    const Pile& stock = *piles_[stock_];
    const bool dealsToWaste = stock.PickRule == 90 || stock.PickRule == 91 || stock.PickRule == 93;
    if (stock.Kind != 0 || !dealsToWaste || (stock.ClickAction != 301 && stock.ClickAction != 303)) return;
    cycles_ = true;
    // Moves that neither lift from nor drop on the talon are the same on
    // every position of a cycle unless a rule reads other piles.
    sharedMoves_ = !RulesReadOtherPiles() && s_.Settings.Postdrop == 0;
    for (std::size_t p = 0; p < piles_.size(); ++p)
        if (talon_[p] && (piles_[p]->DropRule != 0 || piles_[p]->EmptyDropRule != 0)) sharedMoves_ = false;
    // Autoplay moves the top cards of the Kind 1, 2 and 4 piles; these
    // PickRules lift a face-up top card alone when it is clicked.
    singleAutoMoves_ = s_.Settings.Prepick == 0 && s_.Settings.Postpick == 0;
    for (const Pile* pile : piles_) {
        if (pile->Kind != 1 && pile->Kind != 2 && pile->Kind != 4) continue;
        if (pile->PickRule < 1 || pile->PickRule > 9 || pile->PickRule == 8) singleAutoMoves_ = false;
    }
}

std::uint64_t Solver::Search::TalonHash(const State& state)
{
    talonBytes_.clear();
    std::size_t at = 0;
    for (std::size_t p = 0; p < piles_.size(); ++p) {
        const std::size_t n = 1 + (state[at] & ~ShownFlag);
        if (talon_[p])
            talonBytes_.insert(talonBytes_.end(), state.begin() + static_cast<std::ptrdiff_t>(at),
                               state.begin() + static_cast<std::ptrdiff_t>(at + n));
        at += n;
    }
    return HashBytes(talonBytes_.data(), talonBytes_.size());
}

bool Solver::Search::SameOutsideTalon(const State& a, const State& b) const
{
    if (a.size() != b.size()) return false;
    std::size_t i = 0, j = 0;
    for (std::size_t p = 0; p < piles_.size(); ++p) {
        const std::size_t na = 1 + (a[i] & ~ShownFlag);
        const std::size_t nb = 1 + (b[j] & ~ShownFlag);
        if (!talon_[p] && (na != nb || std::memcmp(&a[i], &b[j], na) != 0)) return false;
        i += na;
        j += nb;
    }
    // The counters: OneTimeMove must agree; RedealsLeft may not.
    return std::memcmp(&a[i], &b[j], a.size() - i - 4) == 0;
}

void Solver::Search::FindInterchangeablePiles()
{
    // Piles may be exchanged only when no rule of the game reads where a
    // pile stands: the preceding pile, the governing stock, the walks over
    // the foundation range, the cover test, the deals and gathers in
    // TableOrder, the first and last waste pile, the rows of scheme 4 and
    // the buttons all do.
    group_.assign(piles_.size(), -1);
    if (RulesReadOtherPiles()) return;
    bool wastesOrdered = false, tableauOrdered = false;
    for (const Pile* pile : piles_) {
        switch (pile->PickRule) {
        case 90:
        case 91:
        case 93:
        case 95: wastesOrdered = true; break;
        case 92: tableauOrdered = true; break;
        default: break;
        }
        if (pile->ClickAction == 301 || pile->ClickAction == 303) wastesOrdered = true;
        if (pile->ClickAction == 302) tableauOrdered = true;
    }
    auto same = [](const Pile& a, const Pile& b) {
        return a.Kind == b.Kind && a.PickRule == b.PickRule && a.DropRule == b.DropRule &&
               a.EmptyDropRule == b.EmptyDropRule && a.LayoutStyle == b.LayoutStyle && a.Direction == b.Direction &&
               a.ClickAction == b.ClickAction && a.CardLimit == b.CardLimit && a.Bounds.width == b.Bounds.width &&
               a.Bounds.height == b.Bounds.height && a.Visible && b.Visible;
    };
    int groups = 0;
    for (std::size_t i = 0; i < piles_.size(); ++i) {
        const Pile& pile = *piles_[i];
        // Stocks and foundations are found by their first position.
        if (group_[i] >= 0 || pile.Kind == 0 || pile.Kind == 3 || pile.Kind == 4 || pile.Kind >= KindCount) continue;
        if ((pile.Kind == 1 && wastesOrdered) || (pile.Kind == 2 && tableauOrdered)) continue;
        bool any = false;
        for (std::size_t j = i + 1; j < piles_.size(); ++j)
            if (group_[j] < 0 && same(pile, *piles_[j])) {
                group_[j] = groups;
                any = true;
            }
        if (any) group_[i] = groups++;
    }
    symmetric_ = groups > 0;
}

std::uint64_t Solver::Search::KeyHash(const State& state)
{
    // With dominating redeals the count of redeals left is no part of the key.
    const std::size_t length = state.size() - (redealsDominate_ ? 4 : 0);
    // A position on a stock cycle: its talon piles give way to the cycle's
    // fixed member.
    Cycle cycle;
    if (cycles_) cycle = CycleOf(state);
    const bool merged = cycle.Length > 1;
    if (!symmetric_ && !merged) return HashBytes(state.data(), length);
    segments_.clear();
    std::size_t at = 0;
    for (std::size_t p = 0; p < piles_.size(); ++p) {
        const std::size_t n = 1 + (state[at] & ~ShownFlag);
        segments_.emplace_back(at, n);
        at += n;
    }
    // Within each group the piles' contents are put in one fixed order.
    auto less = [&state](const std::pair<std::size_t, std::size_t>& x, const std::pair<std::size_t, std::size_t>& y) {
        return std::lexicographical_compare(state.begin() + static_cast<std::ptrdiff_t>(x.first),
                                            state.begin() + static_cast<std::ptrdiff_t>(x.first + x.second),
                                            state.begin() + static_cast<std::ptrdiff_t>(y.first),
                                            state.begin() + static_cast<std::ptrdiff_t>(y.first + y.second));
    };
    canonical_.clear();
    // Per group, the members' segments in order and the next one to write;
    // kept from call to call so that no call allocates.
    auto& next = groupNext_;
    auto& sorted = groupSorted_;
    next.assign(next.size(), 0);
    for (auto& members : sorted) members.clear();
    for (std::size_t p = 0; p < piles_.size(); ++p) {
        const int g = group_[p];
        if (merged && talon_[p]) continue;
        if (g < 0) {
            canonical_.insert(canonical_.end(), state.begin() + static_cast<std::ptrdiff_t>(segments_[p].first),
                              state.begin() + static_cast<std::ptrdiff_t>(segments_[p].first + segments_[p].second));
            continue;
        }
        const auto gi = static_cast<std::size_t>(g);
        if (sorted.size() <= gi) {
            sorted.resize(gi + 1);
            next.resize(gi + 1, 0);
        }
        if (sorted[gi].empty()) {
            for (std::size_t q = p; q < piles_.size(); ++q)
                if (group_[q] == g) sorted[gi].push_back(segments_[q]);
            std::sort(sorted[gi].begin(), sorted[gi].end(), less);
        }
        const auto& segment = sorted[gi][next[gi]++];
        canonical_.insert(canonical_.end(), state.begin() + static_cast<std::ptrdiff_t>(segment.first),
                          state.begin() + static_cast<std::ptrdiff_t>(segment.first + segment.second));
    }
    canonical_.insert(canonical_.end(), state.begin() + static_cast<std::ptrdiff_t>(at),
                      state.begin() + static_cast<std::ptrdiff_t>(length));
    if (merged) {
        std::uint8_t bytes[8];
        std::memcpy(bytes, &cycle.Canonical, 8);
        canonical_.insert(canonical_.end(), bytes, bytes + 8);
    }
    return HashBytes(canonical_.data(), canonical_.size());
}

Solver::Search::Cycle Solver::Search::CycleOf(const State& state)
{
    // Without a redeal left the stock cannot come round again.
    if (GetInt(state.data() + state.size() - 4) < 1) return {};
    const std::uint64_t talon = TalonHash(state);
    // Most moves leave the talon alone: the last answer is kept at hand.
    if (talon == lastTalon_ && lastKnown_) return lastCycle_;
    const auto it = cycleOf_.find(talon);
    const Cycle cycle = it != cycleOf_.end() ? it->second : FindCycle(state);
    lastTalon_ = talon;
    lastCycle_ = cycle;
    lastKnown_ = true;
    return cycle;
}

bool Solver::Search::TurnStock()
{
    Pile& stock = *piles_[stock_];
    touched_ = true;
    if (stock.Count() > 0) {
        Card& top = *stock.Top();
        if (!CanClickCard(s_, top)) return false;
        DispatchClick(s_, &top);
        return !s_.Carrying;
    }
    if (!CanClickPileArea(s_, stock)) return false;
    DispatchClick(s_, &stock);
    return true;
}

Solver::Search::Cycle Solver::Search::FindCycle(const State& start)
{
    // Turns the stock until the talon comes back as it was. The turns may
    // change the talon piles and use up a redeal, nothing else.
    std::vector<std::uint64_t> members{TalonHash(start)};
    std::size_t cards = 0;
    for (std::size_t p = 0, at = 0; p < piles_.size(); ++p) {
        const std::size_t n = start[at] & ~ShownFlag;
        if (talon_[p]) cards += n;
        at += n + 1;
    }
    const std::size_t limit = std::min<std::size_t>(2 * cards + 4, 255);
    const int victories = ui_.Victories;
    Restore(start.data(), start.size());
    State next;
    Cycle cycle;
    bool closed = false;
    for (std::size_t turn = 0; turn < limit; ++turn) {
        if (!TurnStock()) break;
        if (ui_.Victories != victories) {
            // A turn that wins is a move worth making: no cycle, and nothing
            // to remember about this talon.
            ui_.Victories = victories;
            Restore(start.data(), start.size());
            return cycle;
        }
        Capture(next);
        if (!SameOutsideTalon(start, next)) break;
        const std::uint64_t talon = TalonHash(next);
        if (talon == members.front()) {
            closed = true;
            break;
        }
        members.push_back(talon);
    }
    Restore(start.data(), start.size());
    if (closed && members.size() > 1) {
        cycle.Canonical = *std::min_element(members.begin(), members.end());
        cycle.Length = static_cast<std::uint16_t>(members.size());
        for (const std::uint64_t member : members) cycleOf_[member] = cycle;
    } else {
        cycleOf_[members.front()] = Cycle{};
    }
    return cycle;
}

void Solver::Search::Capture(State& out) const
{
    std::size_t size = piles_.size() + CounterBytes + (keepsGenerator_ ? 4 : 0);
    for (const Pile* pile : piles_) size += static_cast<std::size_t>(pile->Count());
    out.resize(size);
    std::uint8_t* at = out.data();
    for (const Pile* pile : piles_) {
        *at++ = static_cast<std::uint8_t>(pile->Count() | (pile->Visible ? ShownFlag : 0));
        for (const Card* card : pile->Cards()) *at++ = CardByte(*card);
    }
    auto put = [&at](std::int32_t value) {
        std::memcpy(at, &value, 4);
        at += 4;
    };
    if (keepsGenerator_) put(static_cast<std::int32_t>(s_.Rng.State()));
    put(s_.OneTimeMove);
    put(s_.RedealsLeft);
}

void Solver::Search::Restore(const std::uint8_t* state, std::size_t length)
{
    Table& board = s_.Board;
    Pile& drag = board.DragPile();
    // Carried cards stay in the DragPile until their pile takes them back.
    s_.Carrying = false;
    s_.OriginPile = nullptr;
    // A lift or a refused move may have changed the table since the last
    // capture: compare with what it holds now.
    if (touched_) Capture(current_);

    // Piles whose bytes differ: cut down to the cards they keep first, then
    // filled, so that a card that changed piles is free when its new pile
    // takes it.
    auto& changed = changed_;  // pile, offset in state, cards kept
    changed.clear();
    std::size_t a = 0, b = 0;
    for (std::size_t p = 0; p < piles_.size(); ++p) {
        const std::size_t na = 1 + (current_[a] & ~ShownFlag);
        const std::size_t nb = 1 + (state[b] & ~ShownFlag);
        if (na != nb || std::memcmp(&current_[a], state + b, na) != 0) {
            std::size_t kept = 0;
            while (kept + 1 < na && kept + 1 < nb && current_[a + 1 + kept] == state[b + 1 + kept]) ++kept;
            changed.push_back({p, b, kept});
        }
        a += na;
        b += nb;
    }
    // The DragPile holds the cards meanwhile: it is short, so taking a card
    // out of it again is quick.
    for (const auto& [p, offset, kept] : changed) {
        Pile& pile = *piles_[p];
        while (pile.Count() > static_cast<int>(kept)) board.MoveCard(*pile.Top(), drag);
    }
    for (const auto& [p, offset, kept] : changed) {
        Pile& pile = *piles_[p];
        const int count = state[offset] & ~ShownFlag;
        pile.Visible = (state[offset] & ShownFlag) != 0;
        for (int i = static_cast<int>(kept); i < count; ++i) {
            const std::uint8_t byte = state[offset + 1 + static_cast<std::size_t>(i)];
            Card& card = board.CardAt(byte >> 1);
            card.Face.SetState(byte & 1 ? ctBack : ctFront);
            board.MoveCard(card, pile);
        }
        LayOutPile(pile);
    }
    while (drag.Count() > 0) board.MoveCard(*drag.Top(), board.Store());
    if (keepsGenerator_) s_.Rng.Seed(static_cast<std::uint32_t>(GetInt(state + b)));
    s_.OneTimeMove = GetInt(state + length - CounterBytes);
    s_.RedealsLeft = GetInt(state + length - 4);
    s_.Journal.UndoSteps.clear();
    current_.assign(state, state + length);
    touched_ = false;
}

int Solver::Search::Priority() const
{
    // The game's own score measures progress. Besides: cards still face
    // down outside the stock are work left to do; empty piles give room;
    // cards built on a card one rank higher are in order, a card above a
    // lower one blocks it; and the next card each foundation wants (the
    // lowest rank of a suit not yet on a Kind-3 pile) should not lie deep.
    int faceDown = 0, empty = 0, inOrder = 0, blocking = 0;
    std::array<int, 4> wanted{14, 14, 14, 14};
    std::array<int, 4> cover{0, 0, 0, 0};
    // On a stock cycle every talon card comes to the top in turn: where it
    // lies there neither blocks nor buries it nor builds in order, and which
    // talon pile is empty depends only on the turn.
    for (std::size_t p = 0; p < piles_.size(); ++p) {
        const Pile* pile = piles_[p];
        if (pile->Kind == 3) continue;
        const bool anyOrder = cycles_ && talon_[p];
        if (pile->Count() == 0 && pile->Kind != 0 && pile->Visible && !anyOrder) empty += pile->Kind == 2 ? 2 : 1;
        const Card* below = nullptr;
        int lowest = 14;
        for (const Card* card : pile->Cards()) {
            if (card->Face.Value() > lowest && !anyOrder) ++blocking;
            lowest = std::min(lowest, card->Face.Value());
            if (pile->Kind != 0 && card->Face.State() == ctBack) ++faceDown;
            if (!anyOrder && below && card->Face.State() == ctFront && below->Face.State() == ctFront &&
                card->Face.Value() + 1 == below->Face.Value())
                ++inOrder;
            below = card;
            const int suit = card->Face.Suit();
            if (card->Face.Value() < wanted[suit]) wanted[suit] = card->Face.Value();
        }
    }
    for (std::size_t p = 0; p < piles_.size(); ++p) {
        const Pile* pile = piles_[p];
        if (pile->Kind == 3 || (cycles_ && talon_[p])) continue;
        const int n = pile->Count();
        for (int i = 0; i < n; ++i) {
            const CardFace& face = pile->CardAt(i)->Face;
            if (face.Value() == wanted[face.Suit()]) cover[face.Suit()] = std::max(cover[face.Suit()], n - 1 - i);
        }
    }
    const int buried = cover[0] + cover[1] + cover[2] + cover[3];
    return 60 * ComputeScore(s_) - 12 * faceDown + 20 * empty + 4 * inOrder - 5 * buried - 30 * blocking;
}

void Solver::Search::Played(const PackedMove& played)
{
    if (won_) return;
    PackedMove move = played;
    move.Clicks = static_cast<std::uint8_t>(clicks_);
    Capture(child_);
    current_ = child_;
    touched_ = false;
    s_.Journal.UndoSteps.clear();
    if (ui_.Victories > 0) {
        won_ = true;
        winningMove_ = move;
        return;
    }
    if (child_ == parent_) return;
    // After a deferred play only a move that builds on the card played.
    if (deferredPile_ >= 0 && !BuildsOnDeferred(child_)) return;
    // A position searched already is dropped before it is scored.
    const std::uint64_t key = KeyHash(child_);
    const std::int32_t redeals = GetInt(child_.data() + child_.size() - 4);
    if (Seen(key, redeals)) return;
    if (deferTo_ < 0) {
        children_.push_back({child_, move, Priority(), key});
        return;
    }
    if (!CanBuildOn(static_cast<std::size_t>(deferTo_))) return;
    const std::uint64_t deferred = DeferredKey(key, child_, deferTo_);
    if (SeenIn(deferredSeen_, deferred, redeals)) return;
    children_.push_back({child_, move, Priority(), deferred, static_cast<std::int16_t>(deferTo_)});
}

Control* Solver::Search::DropSender(Pile& target) const
{
    // The top card stands for its pile; an empty pile is clicked on its area.
    if (target.Count() > 0 && CanClickCard(s_, *target.Top())) return target.Top();
    if (CanClickPileArea(s_, target)) return &target;
    for (int i = target.Count() - 1; i >= 0; --i)
        if (CanClickCard(s_, *target.CardAt(i))) return target.CardAt(i);
    return nullptr;
}

void Solver::Search::Lift(Card& card)
{
    const bool clean = !touched_;
    touched_ = true;
    DispatchClick(s_, &card);
    // PickRules 7 and 8 may lift a card from under others.
    liftOnly_ = clean && simpleLifts_ && s_.Carrying && s_.OriginPile && s_.OriginPile->PickRule != 7 &&
                s_.OriginPile->PickRule != 8;
}

bool Solver::Search::CancelLift()
{
    if (!liftOnly_ || !s_.Carrying) return false;
    Table& board = s_.Board;
    Pile& drag = board.DragPile();
    Pile& origin = *s_.OriginPile;
    while (drag.Count() > 0) board.MoveCard(*drag.CardAt(0), origin);
    LayOutPile(origin);
    s_.Carrying = false;
    s_.OriginPile = nullptr;
    touched_ = false;
    liftOnly_ = false;
    return true;
}

// Clicks a card of the parent position. A click that completes a move at
// once (a deal from the stock, a lift that Postpick finishes) is a move of
// its own; a lift is tried on every pile that accepts the carried cards.
// Lifts already tried from this position are skipped.
bool Solver::Search::TryLift(Card& card, std::vector<std::uint64_t>& lifts)
{
    Lift(card);
    PackedMove move;
    move.Kind = static_cast<std::uint8_t>(SolverMove::Type::Card);
    move.Card = static_cast<std::uint8_t>(card.Index());
    if (!s_.Carrying) {
        Played(move);
        return true;
    }
    Pile& drag = s_.Board.DragPile();
    // Where from, the lowest card, how many, and OneTimeMove, in one number.
    const std::uint64_t lift = static_cast<std::uint64_t>(s_.Board.PositionOf(s_.OriginPile)) << 48 ^
                               static_cast<std::uint64_t>(drag.CardAt(0)->Index()) << 40 ^
                               static_cast<std::uint64_t>(drag.Count()) << 32 ^
                               static_cast<std::uint32_t>(s_.OneTimeMove);
    for (const std::uint64_t tried : lifts)
        if (tried == lift) return true;
    move.Lifted = static_cast<std::uint8_t>(drag.CardAt(0)->Index());
    lifts.push_back(lift);
    const auto from = std::find(piles_.begin(), piles_.end(), s_.OriginPile) - piles_.begin();
    const bool fromTalon =
        deferredPlays_ && from < static_cast<std::ptrdiff_t>(piles_.size()) && talon_[static_cast<std::size_t>(from)];
    for (std::size_t p = 0; p < piles_.size() && !won_; ++p) {
        // After a deferred play only a drop on the card played counts.
        if (deferredPile_ >= 0 && static_cast<int>(p) != deferredPile_) continue;
        Pile& target = *piles_[p];
        if (!s_.Carrying) {
            RestoreParent();
            Lift(card);
        }
        // A whole pile moved to an empty pile it is interchangeable with
        // gives the same position.
        if (symmetric_ && target.Count() == 0 && s_.OriginPile->Count() == 0 && group_[p] >= 0 &&
            from < static_cast<std::ptrdiff_t>(piles_.size()) && group_[static_cast<std::size_t>(from)] == group_[p])
            continue;
        if (!CanDrop(s_, target, drag, 0)) continue;
        Control* sender = DropSender(target);
        if (!sender) continue;
        move.Position = static_cast<std::int16_t>(pilePositions_[p]);
        move.DropCard =
            sender->Type() == ControlType::Card ? static_cast<std::uint8_t>(static_cast<Card*>(sender)->Index()) : 0;
        touched_ = true;
        DispatchClick(s_, sender);
        if (s_.Carrying) return false;  // a drop that CanDrop accepted always ends the carry
        deferTo_ = fromTalon && (target.Kind == 2 || (target.Kind == 3 && deferredFoundations_)) ? static_cast<int>(p) : -1;
        Played(move);
        deferTo_ = -1;
    }
    return true;
}

void Solver::Search::Expand(bool talonOnly)
{
    Restore(parent_.data(), parent_.size());
    auto reset = [this] {
        if (s_.Carrying) CancelLift();
        if (s_.Carrying || touched_ || current_ != parent_) RestoreParent();
    };

    // Autoplay is a shortcut through single foundation moves; on the later
    // positions of a cycle those moves are made one by one where they can be.
    // After a deferred play only moves that build on the card played count:
    // autoplay may, on a foundation; turning the stock never does.
    const bool deferred = deferredPile_ >= 0;
    const bool deferredOnFoundation = deferred && piles_[static_cast<std::size_t>(deferredPile_)]->Kind == 3;
    if (s_.Menu.Autoplay && !(talonOnly && singleAutoMoves_) && (!deferred || deferredOnFoundation)) {
        touched_ = true;
        AutoplayCommand(s_);
        PackedMove move;
        move.Kind = static_cast<std::uint8_t>(SolverMove::Type::Autoplay);
        Played(move);
        reset();
    }
    for (std::size_t b = 0; b < buttons_.size() && !won_ && !deferred; ++b) {
        if (!buttons_[b]->Visible) continue;
        touched_ = true;
        PressGameButton(s_, *buttons_[b]);
        PackedMove move;
        move.Kind = static_cast<std::uint8_t>(SolverMove::Type::Button);
        move.Position = static_cast<std::int16_t>(s_.Board.PositionOf(buttons_[b]));
        Played(move);
        reset();
    }
    // Only a pile with a ClickAction does anything when its own area is
    // clicked. On a stock cycle, turning the stock leads to the same node.
    for (std::size_t p = 0; p < piles_.size() && !won_ && !deferred; ++p) {
        Pile& pile = *piles_[p];
        if (pile.ClickAction == 0 || (cycleNode_ && p == stock_) || !CanClickPileArea(s_, pile)) continue;
        touched_ = true;
        DispatchClick(s_, &pile);
        PackedMove move;
        move.Kind = static_cast<std::uint8_t>(SolverMove::Type::Pile);
        move.Position = static_cast<std::int16_t>(pilePositions_[p]);
        Played(move);
        reset();
    }
    std::vector<std::uint64_t> lifts;
    for (std::size_t p = 0; p < piles_.size() && !won_; ++p) {
        if (talonOnly && !talon_[p]) continue;
        Pile& pile = *piles_[p];
        // From the top down, so that the card clicked is the card lifted
        // whenever the PickRule lifts the top card.
        for (int i = pile.Count() - 1; i >= 0 && !won_; --i) {
            if (cycleNode_ && p == stock_ && i == pile.Count() - 1) continue;
            Card& card = *pile.CardAt(i);
            // A talon card that no pile could take now is not lifted.
            if (talon_[p] && i == pile.Count() - 1 && safeMoves_ && pile.PickRule >= 1 && pile.PickRule <= 9 &&
                pile.PickRule != 8 && FaceUp(card) && !MayGoSomewhere(card))
                continue;
            if (!CanClickCard(s_, card)) continue;
            TryLift(card, lifts);
            reset();
        }
    }
}

void Solver::Search::ExpandNode()
{
    children_.clear();
    cycleNode_ = false;
    clicks_ = 0;
    // After a deferred play a safe move may be one that could wait: every
    // move is tried, and those are left out.
    if (safeMoves_ && deferredPile_ < 0) {
        Restore(parent_.data(), parent_.size());
        if (cycles_ && GetInt(parent_.data() + parent_.size() - 4) < 1) lossUnproven_ = true;
        if (PlaySafeMove()) return;
    }
    Cycle cycle;
    if (cycles_) {
        // Redeals count as unlimited: a node without one left makes a
        // search that found no win no proof of a loss.
        if (GetInt(parent_.data() + parent_.size() - 4) < 1) lossUnproven_ = true;
        cycle = CycleOf(parent_);
        cycleNode_ = cycle.Length > 1;
    }
    if (!cycleNode_) {
        Expand(false);
    } else {
        // Every position of the cycle in turn, each one turn of the stock
        // further: first in search of a safe move on any of them, which is
        // then the only move, else for all their moves. Moves away from the
        // talon are the same on all of them.
        const State start = parent_;
        // The turns were found to change the talon alone, and never to win,
        // on another position with this talon. The positions met here must
        // make the same cycle, else the merge was not sound and no loss is
        // claimed.
        auto walk = [&](bool safeOnly) {
            bool played = false;
            std::uint64_t lowest = TalonHash(start);
            parent_ = start;
            for (int turn = 0; turn < cycle.Length && !won_; ++turn) {
                if (turn > 0) {
                    Restore(parent_.data(), parent_.size());
                    const bool turned = TurnStock();
                    Capture(child_);
                    current_ = child_;
                    touched_ = false;
                    if (!turned || ui_.Victories > 0 || !SameOutsideTalon(start, child_)) {
                        ui_.Victories = 0;
                        lossUnproven_ = true;
                        break;
                    }
                    lowest = std::min(lowest, TalonHash(child_));
                    parent_ = child_;
                }
                clicks_ = turn;
                // The first position was searched for a safe move above.
                if (!safeOnly)
                    Expand(turn > 0 && sharedMoves_);
                else if (turn > 0 && !played)
                    played = PlaySafeMove();
            }
            if (!won_ && lowest != cycle.Canonical) lossUnproven_ = true;
            parent_ = start;
            return played;
        };
        if (!safeMoves_ || deferredPile_ >= 0 || !walk(true)) walk(false);
        clicks_ = 0;
        cycleNode_ = false;
    }
    std::stable_sort(children_.begin(), children_.end(),
                     [](const Child& x, const Child& y) { return x.Priority > y.Priority; });
}

void Solver::Search::Unpack(const PackedMove& packed, const State& before, std::vector<SolverMove>& out)
{
    if (packed.Clicks > 0) {
        // The turns of the stock, replayed to learn which card each one
        // turns: a click on the stock's top card, or on its empty place.
        Restore(before.data(), before.size());
        const Pile& stock = *piles_[stock_];
        for (int turn = 0; turn < packed.Clicks; ++turn) {
            SolverMove click;
            if (stock.Count() > 0) {
                click.Kind = SolverMove::Type::Card;
                click.CardIndex = click.LiftedIndex = stock.Top()->Index();
                click.Commands.push_back("click card " + std::to_string(click.CardIndex));
            } else {
                click.Kind = SolverMove::Type::Pile;
                click.Target = stock.Name;
                click.Commands.push_back("click pile " + stock.Name);
            }
            out.push_back(std::move(click));
            TurnStock();
        }
        Restore(before.data(), before.size());
    }
    out.push_back(Unpack(packed));
}

SolverMove Solver::Search::Unpack(const PackedMove& packed) const
{
    SolverMove move;
    move.Kind = static_cast<SolverMove::Type>(packed.Kind);
    const Control* control = packed.Position >= 0 ? s_.Board.ControlAt(packed.Position) : nullptr;
    switch (move.Kind) {
    case SolverMove::Type::Card:
        move.CardIndex = packed.Card;
        move.LiftedIndex = packed.Lifted ? packed.Lifted : packed.Card;
        move.Commands.push_back("click card " + std::to_string(packed.Card));
        if (control) {
            move.Target = control->Name;
            move.Commands.push_back(packed.DropCard ? "click card " + std::to_string(packed.DropCard)
                                                    : "click pile " + control->Name);
        }
        break;
    case SolverMove::Type::Pile:
        move.Target = control ? control->Name : "";
        move.Commands.push_back("click pile " + move.Target);
        break;
    case SolverMove::Type::Button:
        move.Target = control ? control->Name : "";
        move.Commands.push_back("button " + move.Target);
        break;
    case SolverMove::Type::Autoplay: move.Commands.push_back("autoplay"); break;
    }
    return move;
}

Solver::Solver(const Session& live) : search_(std::make_unique<Search>(live)) {}

Solver::~Solver() = default;

SolveAnswer Solver::Solve(const SolverBudget& budget, const std::atomic<bool>* cancel)
{
    return search_->Run(budget, cancel);
}

SolveAnswer Solver::Search::Run(const SolverBudget& budget, const std::atomic<bool>* cancel)
{
    using Clock = std::chrono::steady_clock;
    const auto started = Clock::now();
    auto elapsed = [&] { return std::chrono::duration<double>(Clock::now() - started).count(); };
    SolveAnswer answer;
    if (!usable_) return answer;

    // A hand that is won already needs no move.
    ui_.Victories = 0;
    State root = current_;
    UpdateScore(s_);
    if (ui_.Victories > 0) {
        answer.Outcome = SolveOutcome::Won;
        answer.Seconds = elapsed();
        return answer;
    }
    Restore(root.data(), root.size());
    won_ = false;
    lossUnproven_ = false;

    std::vector<std::uint8_t> arena;
    std::vector<Node> nodes;
    seen_.clear();
    std::priority_queue<QueueEntry> open;
    const std::size_t entryBytes = sizeof(Node) + sizeof(QueueEntry) + 48;
    constexpr std::size_t MemoEntryBytes = 48;

    // The position that scored best, for a move that makes progress when
    // the budget runs out; it must score above the start.
    Restore(root.data(), root.size());
    int bestPriority = Priority();
    std::int32_t best = -1;
    auto stateOf = [&](std::int32_t id) {
        const Node& node = nodes[static_cast<std::size_t>(id)];
        return State(arena.begin() + static_cast<std::ptrdiff_t>(node.StateOffset),
                     arena.begin() + static_cast<std::ptrdiff_t>(node.StateOffset + node.StateLength));
    };
    // The moves to a node, and then the move made from it (if any).
    auto lineTo = [&](std::int32_t id, const PackedMove* last) {
        std::vector<std::int32_t> path;
        for (std::int32_t at = id; at > 0; at = nodes[static_cast<std::size_t>(at)].Parent) path.push_back(at);
        std::vector<SolverMove> moves;
        for (auto it = path.rbegin(); it != path.rend(); ++it)
            Unpack(nodes[static_cast<std::size_t>(*it)].Move, stateOf(nodes[static_cast<std::size_t>(*it)].Parent),
                   moves);
        if (last) Unpack(*last, stateOf(id), moves);
        return moves;
    };
    auto add = [&](const State& state, std::uint64_t key, std::int32_t parent, const PackedMove& move, int priority,
                   std::int16_t deferred) {
        const std::int32_t redeals = GetInt(state.data() + state.size() - 4);
        auto& seen = deferred >= 0 ? deferredSeen_ : seen_;
        if (SeenIn(seen, key, redeals)) return;
        seen[key] = redeals;
        Node node;
        node.Deferred = deferred;
        node.Key = key;
        node.StateOffset = arena.size();
        node.StateLength = static_cast<std::uint32_t>(state.size());
        node.Parent = parent;
        node.Redeals = redeals;
        node.Move = move;
        arena.insert(arena.end(), state.begin(), state.end());
        nodes.push_back(node);
        open.push({priority, static_cast<std::int32_t>(nodes.size() - 1)});
        if (parent >= 0 && priority > bestPriority) {
            bestPriority = priority;
            best = static_cast<std::int32_t>(nodes.size() - 1);
        }
    };
    add(root, KeyHash(root), -1, PackedMove{}, 0, -1);

    std::int64_t expanded = 0;
    bool spent = false;
    while (!open.empty()) {
        if ((budget.MaxStates > 0 && static_cast<std::int64_t>(nodes.size()) >= budget.MaxStates) ||
            arena.size() + nodes.size() * entryBytes + cycleOf_.size() * MemoEntryBytes > budget.MaxMemoryBytes ||
            (cancel && cancel->load(std::memory_order_relaxed)) || (budget.Seconds > 0 && elapsed() > budget.Seconds)) {
            spent = true;
            break;
        }
        const std::int32_t id = open.top().Id;
        open.pop();
        const Node node = nodes[static_cast<std::size_t>(id)];
        parent_.assign(arena.begin() + static_cast<std::ptrdiff_t>(node.StateOffset),
                       arena.begin() + static_cast<std::ptrdiff_t>(node.StateOffset + node.StateLength));
        // A later visit with more redeals left supersedes this one.
        const bool deferred = node.Deferred >= 0;
        if (redealsDominate_ && (deferred ? deferredSeen_ : seen_)[node.Key] > node.Redeals) continue;
        // A position reached by a deferred play and also otherwise is
        // searched in full as the other.
        if (deferred && Seen(KeyHash(parent_), node.Redeals)) continue;
        deferredPile_ = node.Deferred;
        if (deferred) {
            const auto [at, n] = PileBytes(parent_, static_cast<std::size_t>(deferredPile_));
            deferredBytes_.assign(parent_.begin() + static_cast<std::ptrdiff_t>(at),
                                  parent_.begin() + static_cast<std::ptrdiff_t>(at + n));
        }
        ++expanded;
        ExpandNode();
        deferredPile_ = -1;
        if (won_) {
            answer.Outcome = SolveOutcome::Won;
            answer.Moves = lineTo(id, &winningMove_);
            break;
        }
        for (const Child& child : children_)
            add(child.Position, child.Key, id, child.Move, child.Priority, child.Deferred);
    }
    if (!won_ && !spent && !lossUnproven_) answer.Outcome = SolveOutcome::Lost;
    if (answer.Outcome == SolveOutcome::Unknown && best >= 0) answer.Moves = lineTo(best, nullptr);
    answer.States = static_cast<std::int64_t>(nodes.size());
    answer.Seconds = elapsed();
    // Leave the scratch table where it started, for the next call.
    Restore(root.data(), root.size());
    ui_.Victories = 0;
    won_ = false;
    // The positions' keys are no use to the next search: their memory goes.
    std::unordered_map<std::uint64_t, std::int32_t>().swap(seen_);
    std::unordered_map<std::uint64_t, std::int32_t>().swap(deferredSeen_);
    return answer;
}

SolveAnswer SolvePosition(const Session& live, const SolverBudget& budget) { return Solver(live).Solve(budget); }

const char* OutcomeName(SolveOutcome outcome)
{
    switch (outcome) {
    case SolveOutcome::Won: return "won";
    case SolveOutcome::Lost: return "lost";
    case SolveOutcome::Unknown: break;
    }
    return "unknown";
}

}  // namespace vexa
