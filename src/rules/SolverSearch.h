// The inside of the solver, shared by the files that make it up: the
// scratch session and its search state (struct Solver::Search), and the
// compact positions it keeps. Solver.cpp holds the search loop; the
// positions, the moves of a position and each saving worked out from the
// rules have a file of their own.
#pragma once

#include <algorithm>
#include <array>
#include <bitset>
#include <cstdint>
#include <cstring>
#include <functional>
#include <optional>
#include <unordered_map>
#include <unordered_set>
#include <utility>
#include <vector>

#include "core/Session.h"
#include "records/GameButtons.h"
#include "rules/RunPlanner.h"
#include "rules/ScratchTable.h"
#include "rules/Solver.h"
#include "rules/SolverSeenTable.h"

namespace vexa {

namespace solving {

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

using State = std::vector<std::uint8_t>;

// The positions a staged search keeps (SolverStagedStore.h), and one of
// them waiting in a stage: highest score first, then the older.
struct StagedStore;
struct StagedEntry {
    int Score;
    std::int32_t Id;
    bool operator<(const StagedEntry& other) const
    {
        return Score != other.Score ? Score < other.Score : Id > other.Id;
    }
};

inline constexpr std::uint8_t ShownFlag = 0x80;

// Whether a pile with this run-lifting PickRule lifts the upper card
// together with the lower one; false for rules that lift no runs.
bool LiftsTogether(int pickRule, const CardFace& below, const CardFace& above);

// Sideways moves (see SolverSidewaysMoves.cpp). A card of the liftable run
// on top of a tableau pile, and whether it is the pile's top card.
struct RunCard {
    const Pile* From;
    const CardFace* Face;
    bool Top;
};
// The cards of the liftable runs on top of the tableau piles.
void FindRunCards(const std::vector<Pile*>& piles, std::vector<RunCard>& out);
// Whether lifting a run whose lowest card is bottom off origin leaves on
// top a face-up card one rank higher that can join none of the runs.
bool LeavesCardStuck(const Pile& origin, const CardFace& bottom, const std::vector<RunCard>& runs);

// A card in a position: its index and whether it lies face down.
inline std::uint8_t CardByte(const Card& card)
{
    return static_cast<std::uint8_t>(card.Index() << 1 | (card.Face.State() == ctBack ? 1 : 0));
}
// OneTimeMove and RedealsLeft close every position, RedealsLeft last.
inline constexpr std::size_t CounterBytes = 8;

// DropRules that decide by the two cards alone (and the target's count).
inline constexpr std::array TwoCardDropRules{101, 102, 103, 104, 105, 106, 107, 108, 109,
                                             112, 114, 115, 117, 118, 120, 122, 124};
// Those of them that take one card at a time.
inline constexpr std::array SingleCardDropRules{101, 102, 103, 104, 105, 106, 108, 112, 115, 117, 124};

template <std::size_t N>
inline bool IsOneOf(int rule, const std::array<int, N>& rules)
{
    return std::find(rules.begin(), rules.end(), rule) != rules.end();
}

inline std::int32_t GetInt(const std::uint8_t* at)
{
    std::int32_t value;
    std::memcpy(&value, at, 4);
    return value;
}

// FNV-1a with a final mix: the same bytes give the same hash everywhere.
// Bytes may be fed in pieces: feeding a sequence piece by piece gives the
// hash of the whole.
inline constexpr std::uint64_t HashStart = 1469598103934665603ull;

inline std::uint64_t HashFeed(std::uint64_t h, const std::uint8_t* data, std::size_t length)
{
    for (std::size_t i = 0; i < length; ++i) {
        h ^= data[i];
        h *= 1099511628211ull;
    }
    return h;
}

inline std::uint64_t HashFinish(std::uint64_t h)
{
    h ^= h >> 33;
    h *= 0xff51afd7ed558ccdull;
    h ^= h >> 33;
    return h;
}

inline std::uint64_t HashBytes(const std::uint8_t* data, std::size_t length)
{
    return HashFinish(HashFeed(HashStart, data, length));
}

}  // namespace solving

struct Solver::Search {
    using State = solving::State;
    using PackedMove = solving::PackedMove;
    using StagedEntry = solving::StagedEntry;

    explicit Search(const Session& live);

    SolveAnswer Run(const SolverBudget& budget, const std::atomic<bool>* cancel);

    // The position of the scratch table.
    void Capture(State& out) const;
    State Captured() const
    {
        State state;
        Capture(state);
        return state;
    }
    // Every card on the scratch table, pile by pile.
    std::vector<int> CardsOnTable() const
    {
        std::vector<int> cards;
        for (const Pile* pile : piles_)
            for (const Card* card : pile->Cards()) cards.push_back(card->Index());
        return cards;
    }
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
    // The score of the scratch table's position under ordering_: higher
    // is expanded first (see SolverOrdering.cpp).
    int Priority() const;
    // The orderings of the searches Run makes in turn, each with its share
    // of the budget; only the order of the positions differs.
    struct Ordering {
        bool OneWay = false;  // the score for a stock dealt once
        int Depth = 0;        // points per move from the start
        int Stock = 0;        // points less per card still in the stock
        int Lift = 0;         // points per pair of cards lifted together
        int Share = 1;        // share of the budget
        // Noisy dives: up to Noise - 1 points of a position's own, drawn
        // from its key and Salt (see SolverNoisyDives.cpp).
        int Noise = 0;
        std::uint64_t Salt = 0;
        bool Staged = false;  // the staged search (SolverStaged.cpp) under its own score
        int Waste = 0;        // points less per card blocking a sooner one on a waste the stock feeds
        int WasteSteps = 0;   // points less per step it is needed later than the card it blocks
        // Staged search: positions searched per stage between rows (0: the
        // default, see SolverStaged.cpp).
        int StagePositions = 0;
        // Staged search: positions kept from one row to the next (0: depth
        // first) and points per card of a run from a King at the bottom of
        // a column where a claim button counts them (see SolverRowBeam.cpp).
        int Beam = 0;
        int Claim = 30;
        // Staged search: points less per card face down while the stock
        // still holds rows (the default once it is empty).
        static constexpr int DefaultFaceDown = 500;
        int FaceDown = DefaultFaceDown;
        // Row beam: each stage searched from all the kept positions at
        // once, in one queue, instead of from each in turn.
        bool Pooled = false;
        // Staged search: points less per run of one suit among the face-up
        // cards of the column that has fewest (see SolverRowBeam.cpp).
        int Runs = 0;
        int Talon = 0;  // points less per card on a waste a stock dealt once feeds (see SolverWasteDepth.cpp)
        // The lowest game score first, and the line to the lowest found
        // kept whatever the outcome (see SolverOutOfReach.cpp).
        bool LowestScore = false;
        // The beam over the cards of a stock dealt once (see SolverStockBeam.cpp).
        bool StockBeam = false;
        // Row beam: no run moved sideways (see SolverSidewaysMoves.cpp).
        bool NoSideways = false;
        // The compact model's search, replayed (see SolverRunPlanner.cpp).
        bool RunPlanner = false;
    };
    void FindOrderings();
    void FindNoisyDives();
    // Staged searches of several stage sizes where the tableau lifts runs
    // of any suit (SolverStageSizes.cpp); a weight on the cards of a waste
    // dealt onto once (SolverWasteDepth.cpp). Orderings only.
    void FindStageSizes();
    void FindWasteDepth();
    std::vector<Ordering> orderings_;
    Ordering ordering_;
    // Per pile: its table in buildTables_ (the cards its DropRule takes on
    // each card), or -1.
    std::vector<int> builtOn_;
    std::vector<std::vector<std::bitset<128>>> buildTables_;
    // One search under ordering_.
    SolveAnswer SearchOnce(const SolverBudget& budget, const std::atomic<bool>* cancel);
    // After a search: the scratch table back at root, the keys' memory freed.
    void EndSearch(const State& root);
    bool spent_ = false;  // the last search stopped at its budget
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
    // With oneGoverningStock, DropRule 113 does not count where one stock
    // governs every pile that has it: it then answers alike for them all.
    // With foundationWalks, EmptyDropRules 204 and 216 to 218 do not count
    // where they read only where the foundations stand (see
    // SolverFoundationWalks.cpp): piles outside them may then be exchanged.
    bool RulesReadOtherPiles(bool oneGoverningStock = false, bool foundationWalks = false) const;
    bool WalksReadOnlyFoundations() const;
    bool OneStockGovernsAll() const;
    std::uint64_t KeyHash(const State& state);
    // Foundation order. Where nothing reads a foundation but its top and
    // bottom cards, its count and which ranks it holds, two positions that
    // differ only in the order of the cards between its bottom and top card
    // are one position to the search (see SolverPositions.cpp).
    void FindOrderFreeFoundations();
    std::vector<char> orderFree_;  // per pile: the cards between its bottom and top are keyed sorted
    // KeyHash where order-free foundations are the only reason to key
    // other than by the bytes as they stand.
    std::uint64_t OrderFreeHash(const State& state, std::size_t length);
    // The hash h fed with the pile's bytes at offset at, an order-free
    // foundation's cards between its bottom and top card sorted.
    std::uint64_t FeedPile(std::uint64_t h, const State& state, std::size_t pile, std::size_t at);
    std::array<std::uint8_t, 128> sortBuffer_{};  // a pile holds at most 127 cards (its count byte)
    bool anyOrderFree_ = false;

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
    // Drops the card lifted alone onto target as the position's only move;
    // false, with the parent position put back, when nothing is dropped.
    bool DropAsOnlyMove(int card, Pile& target);
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
    // Whether a stock that deals a row onto the tableau leaves the safe
    // moves safe (see SolverSafeMoves.cpp).
    bool RowDealsKeepSafeMovesSafe() const;
    static bool LiftsTogether(int pickRule, const CardFace& below, const CardFace& above)
    {
        return solving::LiftsTogether(pickRule, below, above);
    }
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
    // The piles' change counts and the count of cards turned when current_
    // was last taken from the table or put onto it (SolverPositions.cpp).
    void Synced();
    std::vector<std::uint32_t> syncedChanges_;
    std::uint64_t syncedTurns_ = ~std::uint64_t{0};
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
    // Buffers of children gone, for new ones: a copy of state in one of them.
    std::vector<State> spare_;
    State SpareCopy(const State& state);
    // One stage of a staged search: best first from kept positions (all
    // in one queue) within limit positions; a child that deals the next
    // row goes to row, with the position it came from, instead of being
    // kept. True when won, with store.Winner set (SolverStaged.cpp).
    bool SearchStage(solving::StagedStore& store, const std::vector<StagedEntry>& from, std::int64_t limit,
                     const std::function<void(const StagedEntry&, Child&)>& row);
    // The answer of a staged search; the scratch table put back.
    SolveAnswer EndStaged(solving::StagedStore& store, bool won, const State& root);
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
    bool oneCardTalon_ = false;  // one stock turned a card at a time onto one waste
    int deferTo_ = -1;           // the move being played is such a play, to this pile
    int deferredPile_ = -1;      // the node being expanded was reached by one, to this pile
    State deferredBytes_;        // that pile's bytes then
    // The bytes of a pile in a position.
    static std::pair<std::size_t, std::size_t> PileBytes(const State& state, std::size_t pile);
    std::uint64_t DeferredKey(std::uint64_t key, const State& state, int pile);
    bool BuildsOnDeferred(const State& child) const;
    // Talon returns (SolverTalonReturns.cpp). Cards from the talon lying
    // bare on top of tableau piles or foundations could as well still be in
    // the talon: a position met already with them there, as many moves
    // from this one, is searched instead.
    void FindTalonReturns();
    bool TalonReturnSeen(const State& child);
    // Whether the position with the cards returnTake_ counts (per pile, its
    // top cards) back in the talon was met.
    bool ReturnedSeen(const State& child);
    std::size_t TalonCards(const State& state) const;
    bool talonReturns_ = false;
    std::size_t waste_ = 0;
    // Per card: its place in the talon's dealing order at the start of the
    // search, -1 for a card that was not in the talon then.
    std::array<std::int16_t, 128> talonPlace_{};
    State returned_;  // the position with the cards back in the talon
    State returnWaste_, returnStock_;
    std::vector<std::size_t> returnTops_, returnTake_;
    // The cards of each talon that makes a stock cycle, as a set (a sum of
    // a hash per card): a position whose talon would hold other cards is
    // on no cycle, which is told before its talon is built.
    static std::uint64_t CardSetHash(std::uint8_t byte);
    std::uint64_t TalonSetHash(const State& state) const;
    std::unordered_set<std::uint64_t> cycleTalonSets_;
    std::uint64_t childTalonSet_ = 0;  // the talon's set of the position TalonReturnSeen checks
    // The cards worth lifting in the position expanded: those some pile
    // takes now, or after a deferred play those the pile played to takes
    // on the card played. A drop puts the lowest card lifted on the
    // target's top card, and the rules decide by the two cards, so a lift
    // whose lowest card is not among them has no move. False where the
    // tables cannot tell.
    bool FindLiftFilter(bool deferred);
    bool MayLiftFor(const Pile& pile, int i) const;
    CardSet liftFilter_;
    // Whether the target's table might take the lowest card lifted (see
    // SolverTableFilters.cpp); only where the safe moves apply.
    bool MayTake(const Pile& target, int lowest) const;
    // Whether a card that can be built on this one lies face up outside the
    // foundations (a talon card can always be had).
    bool CanBuildOn(std::size_t pile) const;
    // Whether a pile outside the talon might take the card alone now, by
    // the rule tables (an empty pile that takes cards always might).
    bool MayGoSomewhere(const Card& card) const;
    solving::SeenTable deferredSeen_;

    // Twin foundations. Where two decks give several foundations that take
    // the same card, a card no other card can prepare any foundation for
    // goes to the first of them that are alike (see SolverTwinFoundations.cpp).
    void FindTwinFoundations();
    bool TwinsTake(std::size_t card, const CardSet& off, const std::vector<Pile*>& foundations);
    bool twinFoundations_ = false;

    // Locked cards. Where some piles give their cards only to foundations
    // that build each suit up by one, a card needs the card on top of it
    // there and a card one rank lower of its suit to go first; a position
    // in which some card can never go is lost and is not searched (see
    // SolverLockedCards.cpp).
    void FindLockedPiles();
    bool Deadlocked();
    // Whether the locked piles' cards of each suit can carry on its
    // foundations in rising runs, ranks counted from this base.
    bool LockedRunsFit(int base) const;
    bool lockedCards_ = false;
    int suitFoundations_ = 0;  // foundations each suit fills (0: cards not in full decks)
    std::vector<char> locked_;    // per pile: its cards leave only for a foundation
    bool baseFromFirst_ = false;  // the first foundation's first card sets the base rank (else aces)
    // The rank the foundations start from: 1 (aces), or the first
    // foundation's bottom card's, 0 while it has none.
    int BaseRank() const;
    std::size_t firstFoundation_ = 0;
    std::array<std::array<std::int16_t, 2>, 4 * 14> byFace_{};  // the cards of each suit and rank
    std::array<std::int16_t, 128> above_{};  // per card: the card on top of it in a locked pile, or -1
    std::array<std::int16_t, 128> below_{};  // per card: the card under it in a locked pile, or -1
    CardSet free_;                           // the cards that can reach a foundation
    CardSet waitsLower_;                     // the cards still waiting for a lower card
    std::vector<std::int16_t> ready_;

    // Buried cards. A card with only face-down cards under it in a tableau
    // pile that can go nowhere but on cards lying under such cards never
    // leaves its pile; where the victory needs every card on a foundation,
    // such a position is lost and is not searched (see
    // SolverBuriedCards.cpp).
    void FindBuriedCards();
    bool CardsBuriedForGood();
    bool buriedCards_ = false;
    std::vector<char> buriedSource_;         // per pile: its bottom cards may be held this way
    std::vector<CardSet> goesOnFoundation_;  // per card: the foundation cards it goes on
    std::vector<CardSet> goesOnPile_;        // per card: the pile cards it goes on
    CardSet leavesFreely_;                   // cards an empty pile of some kind takes
    std::vector<int> buriedTops_;            // per pile: its bottom cards held to stay
    // Staged search between rows of a stock that deals rows (see
    // SolverStaged.cpp): it can win but never proves a loss.
    void FindStagedSearch();
    SolveAnswer SearchStaged(const SolverBudget& budget, const std::atomic<bool>* cancel);
    int StagedScore() const;
    // The staged search breadth first over the rows where a claim button
    // wins on runs of any suits (SolverRowBeam.cpp); an ordering only.
    void FindRowBeam();
    // Where the compact model of RunPlanner.h fits the rules, its search
    // first (SolverRunPlanner.cpp); it can find a win but not prove a loss.
    void FindRunPlanner();
    bool RunModelFits() const;
    std::optional<solving::RunTable> CaptureRunTable() const;
    SolveAnswer SearchRunPlanner(const SolverBudget& budget, const std::atomic<bool>* cancel);
    SolveAnswer SearchRowBeam(const SolverBudget& budget, const std::atomic<bool>* cancel);
    // Sideways moves: a run lying on a card one rank higher, moved onto
    // another pile where it joins no run, while the card it leaves can
    // join none either; left out of the row beams (SolverSidewaysMoves.cpp).
    std::vector<solving::RunCard> runCards_;  // the parent position's, for the lifts
    bool staged_ = false;
    bool claimButton_ = false;               // a button claims the win by the runs from Kings (Tag 3)
    std::size_t rowStock_ = 0;               // the stock among piles_
    bool interchangeableOnceDealt_ = false;  // tableau piles interchangeable once the stock is empty
    std::uint64_t InterchangeableKey(const State& state);
    std::vector<std::pair<std::size_t, std::size_t>> stagedSpans_;  // its tableau piles: offset, length
    // Stock beam: the few best positions kept at each count of cards left
    // in a stock turned once onto one waste, a small stage searched from
    // each (see SolverStockBeam.cpp); an ordering only. It reads the stock
    // at rowStock_.
    void FindStockBeam();
    int StockBeamScore() const;
    int StockBeamScore(int base) const;  // with the foundations built from that base rank
    SolveAnswer SearchStockBeam(const SolverBudget& budget, const std::atomic<bool>* cancel);
    bool stockBeam_ = false;
    mutable std::vector<std::vector<std::uint8_t>> beamStacks_;  // per pile: its cards as the score plays them off
    bool stockBeamBase_ = false;  // the first foundation's first card sets the base rank
    // Rank-only keys. Where no rule reads a card's suit or colour, cards
    // are keyed by rank and face alone (see SolverRankOnlyKeys.cpp).
    void FindRankOnlyKeys();
    // The position with every card byte put as its rank and face.
    const State& RankOnly(const State& state);
    bool rankOnly_ = false;
    // Copies keyed alike. With two decks the two cards of a face are keyed
    // by its deck value through the same byte table (see SolverCopyKeys.cpp).
    void FindCopyKeys();
    bool copyKeys_ = false;
    // Interchangeable foundations: foundations of the same rules join the
    // groups of interchangeable piles where nothing reads where they stand
    // (see SolverInterchangeableFoundations.cpp).
    void FindInterchangeableFoundations();
    // Foundations built either way (DropRule 123 on every foundation): the
    // ordering counts a card's rank as its steps from the nearer end of its
    // suit (see SolverTwoWayOrdering.cpp).
    struct TwoWayEnds {
        std::array<int, 4> Up{}, Down{};  // per suit, the next rank up and down
    };
    void FindTwoWayOrdering();
    TwoWayEnds TwoWayNext() const;
    static int TwoWaySteps(const TwoWayEnds& ends, const CardFace& face);
    bool twoWay_ = false;
    // Slides between the two foundations of a suit only towards a card a
    // pile offers (see SolverFoundationSlides.cpp).
    void FindFoundationSlides();
    void FindSlideReach();
    bool SlideUseless(const Pile& origin, const CardFace& moved) const;
    bool slides_ = false;
    bool slideOpen_ = false;  // a pile that takes cards stands empty
    std::array<int, 4> slideLow_{}, slideHigh_{};  // per suit, the ranks piles offer
    std::array<std::uint8_t, 256> rankByte_{};  // card byte -> rank byte
    State rankBytes_;

    // Waste order. Where the stock alone feeds the wastes and their cards
    // go only to the foundations, a card above one the foundations need
    // sooner blocks it (see SolverWasteOrder.cpp); an ordering only.
    void FindWasteOrder();
    struct WasteBlocking {
        int Cards = 0;  // cards above one needed sooner
        int Steps = 0;  // how much later they are needed, summed
    };
    WasteBlocking WasteBlockers() const;
    static std::vector<Ordering> WasteOrderings();
    bool wasteOrder_ = false;
    std::vector<char> fedWaste_;  // per pile: the stock alone feeds it
    std::vector<int> needOf_;     // per foundation: its table in needFrom_, or -1
    // Per foundation and top card (128: empty): the cards it takes before each card.
    std::vector<std::vector<std::array<std::int8_t, 128>>> needFrom_;

    // Foundations that only grow in what they allow: a card that can go
    // to one foundation alone, ever, from a pile nothing is put on, is
    // played there as the only move (see SolverGrowingFoundations.cpp).
    void FindGrowingFoundations();
    bool PlayGrowingFoundationMove();
    bool growing_ = false;
    std::vector<char> growingSource_;  // per pile: its top card may be played so

    // Stuck wastes. Where the stock feeds wastes that give cards only to
    // foundations built up by one from the ace regardless of suit, a card
    // goes up only when more cards of the rank below are up than of its
    // own; a position where some card can never go is lost and is not
    // searched (see SolverStuckWastes.cpp).
    void FindStuckWastes();
    bool WastesStuck();
    bool stuckWastes_ = false;
    std::vector<char> stuckWaste_;  // per pile: a waste whose top card alone leaves, for the foundations

    // Run orderings: noisy deep searches before the plain one where the
    // victory is cards in order (runs from Kings, rows from aces) and there
    // is no stock (see SolverRunOrderings.cpp).
    void FindRunOrderings();
    // Noisy dives where the stock cycles: the plain ordering alone misses
    // wins a few deep searches find (see SolverRunOrderings.cpp).
    void FindCycleDives();
    // The orderings: dives of a share each, each diving this deep and
    // adding up to noise - 1 points drawn from the position's key with a
    // salt of its own, then the plain ordering with its share.
    void DivesThenPlain(int dives, int depth, int noise, int plainShare);

    // Gap lifts. Where cards go only into gaps (see SolverGapLifts.cpp):
    // the cards some gap takes now are the only ones lifted, and only
    // empty piles are offered them.
    void FindGapLifts();
    void FindGapFilter();
    bool gapLifts_ = false;
    CardSet gapFilter_;                   // the cards some empty pile takes now
    CardSet aceCards_;                    // the aces on the table
    std::vector<CardSet> higherOfSuit_;  // per suit * 14 + rank: the cards of that suit above that rank

    // Parked cards. Where foundations build each suit up from the ace and
    // down from the king and no other pile takes a card on a card, a card
    // whose ranks to wait for, both ways, all lie under it in its pile must
    // wait in an empty pile; a position where one pile needs more of them at
    // once than there are such piles is lost and is not searched (see
    // SolverParkedCards.cpp).
    void FindParkedCards();
    bool TooManyParked();
    bool parkedCards_ = false;
    int parkPlaces_ = 0;                          // the piles that take a card while empty
    std::vector<char> parkStack_;                 // per pile: it gives its top card alone
    std::vector<int> parkHeld_;
    int parkStock_ = -1, parkWaste_ = -1;         // a stock dealt onto a waste, and that waste
    std::array<std::int8_t, 4 * 14> faceCopies_{};  // per suit and rank: the cards of that face

    // A victory the rules put out of reach: the count of cards it needs
    // can never be reached (see SolverOutOfReach.cpp).
    void FindVictoryOutOfReach();
    SolveAnswer OutOfReach(const SolverBudget& budget, const std::atomic<bool>* cancel);
    bool victoryOutOfReach_ = false;

    // Position key -> the most redeals left it was reached with.
    solving::SeenTable seen_;
    // Whether a position reached with that many redeals left was searched.
    bool Seen(std::uint64_t key, std::int32_t redeals) const { return SeenIn(seen_, key, redeals); }
    bool SeenIn(const solving::SeenTable& seen, std::uint64_t key, std::int32_t redeals) const
    {
        const std::int32_t* kept = seen.Find(key);
        // With stock cycles redeals count as unlimited: a position is
        // searched once.
        return kept && (!redealsDominate_ || cycles_ || *kept >= redeals);
    }
    bool won_ = false;
    PackedMove winningMove_;
};

}  // namespace vexa
