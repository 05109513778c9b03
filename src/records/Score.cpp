#include "records/Score.h"

#include "core/Saturating.h"
#include "core/Session.h"
#include "core/VexaError.h"
#include "table/PileLayout.h"

namespace vexa {

namespace {

int CardsOnKind(const Table& table, int kind)
{
    int count = 0;
    for (int position = 0; position < table.ControlCount(); ++position) {
        const Pile* pile = table.PileAt(position);
        if (pile && pile->Kind == kind) count += pile->Count();
    }
    return count;
}

int CountAt(const Table& table, int position)
{
    const Pile* pile = table.PileAt(position);
    return pile ? pile->Count() : 0;
}

// Scheme 4: rows of 14 positions from the first foundation; a row counts its
// first card and then each card 2..13 of that card's suit in its place.
int RowScore(const Table& table)
{
    const KindSpan span = table.KindRange(3);
    int score = 0;
    for (int p = span.first; p >= 0 && (p == span.first || p <= span.last); p += 14) {
        const Pile* start = table.PileAt(p);
        if (!start || start->Count() != 1) continue;
        ++score;
        const int suit = start->CardAt(0)->Face.Suit();
        for (int v = 2; v <= 13; ++v) {
            const Pile* cell = table.PileAt(p + v - 1);
            if (cell && cell->Count() == 1 && cell->CardAt(0)->Face.Suit() == suit &&
                cell->CardAt(0)->Face.Value() == v)
                ++score;
        }
    }
    return score;
}

// Scheme 5: empty peaks, the cards left on the peaks, the stock against 23
// cards, and the streak bonus.
int PeakScore(const Session& session)
{
    const Table& table = session.Board;
    const KindSpan peaks = table.KindRange(4);
    long long score = 0;
    if (peaks.first >= 0) {
        int empty = 0;
        for (int i = 0; i < 3; ++i)
            if (CountAt(table, peaks.first + i) == 0) ++empty;
        score += empty == 3 ? 60 : 15 * empty;
        for (int position = peaks.first; position <= peaks.last; ++position) {
            const Pile* pile = table.PileAt(position);
            if (pile && pile->Kind == 4 && pile->Count() == 1) score -= 5;
        }
    }
    const KindSpan stock = table.KindRange(0);
    if (stock.first >= 0) score += 5 * (CountAt(table, stock.first) - 23);
    return Saturate(score + session.StreakBonus);
}

bool PeaksCleared(const Table& table)
{
    const KindSpan peaks = table.KindRange(4);
    if (peaks.first < 0) return true;
    for (int position = peaks.first; position <= peaks.last; ++position) {
        const Pile* pile = table.PileAt(position);
        if (pile && pile->Kind == 4 && pile->Count() > 0) return false;
    }
    return true;
}

// Scheme 5 win: the stock is turned face up onto the first foundation.
void ClearStock(Session& session)
{
    Table& table = session.Board;
    Pile* stock = table.PileAt(table.KindRange(0).first);
    Pile* foundation = table.PileAt(table.KindRange(3).first);
    if (stock && foundation) {
        while (stock->Count() > 0) {
            Card& card = *stock->Top();
            card.Face.SetState(ctFront);
            table.MoveCard(card, *foundation);
        }
        LayOutPile(*stock);
        LayOutPile(*foundation);
    }
    // A won hand counts once: undoing into the win and winning again, or a
    // later score update that finds the peaks still cleared, adds nothing.
    if (!session.WinCounted) session.Stats.GamesWon = SaturatingAdd(session.Stats.GamesWon, 1);
    session.WinCounted = true;
}

}  // namespace

int CountInSequence(const Table& table)
{
    int count = 0;
    for (int position = 0; position < table.ControlCount(); ++position) {
        const Pile* pile = table.PileAt(position);
        if (!pile || pile->Kind != 2 || pile->Count() == 0) continue;
        const CardFace& bottom = pile->CardAt(0)->Face;
        if (bottom.Value() == 13 && bottom.State() == ctFront) ++count;
        for (int i = 1; i < pile->Count(); ++i) {
            const CardFace& above = pile->CardAt(i)->Face;
            const CardFace& below = pile->CardAt(i - 1)->Face;
            if (above.State() == ctFront && below.State() == ctFront && above.Suit() == below.Suit() &&
                above.Value() == below.Value() - 1)
                ++count;
        }
    }
    return count;
}

int ComputeScore(const Session& session)
{
    const Table& table = session.Board;
    switch (session.Settings.Scoring) {
    case 0: return CardsOnKind(table, 3);
    case 1: return CountInSequence(table);
    case 2: return CardsOnKind(table, 2);
    case 3: return CardsOnKind(table, 3) + CountInSequence(table);
    case 4: return RowScore(table);
    case 5: return PeakScore(session);
    default: return 0;
    }
}

std::string ScoreCaption(int score) { return "             Your score = " + std::to_string(score); }

void UpdateScore(Session& session, bool showVictory)
{
    // The caption follows the score alone: it is built again only when the
    // score changed or nothing has built it since it was cleared (the
    // solver's searches score every position they try).
    const int score = ComputeScore(session);
    if (score != session.Score || session.Menu.ScoreCaption.empty()) session.Menu.ScoreCaption = ScoreCaption(score);
    session.Score = score;
    if (session.Settings.Scoring == 5) {
        if (!PeaksCleared(session.Board)) return;
        ClearStock(session);
    } else if (session.Score != session.Settings.Decks * 52) {
        return;
    }
    if (!showVictory) return;
    ++session.VictoriesShown;
    session.Ui.ShowVictory(DrawVictoryText(session.Rng));
}

VictoryText DrawVictoryText(Random& random)
{
    static const char* const RankName[] = {"Jack", "Queen", "King"};
    static const char* const SuitName[] = {"Clubs", "Diamonds", "Hearts", "Spades"};
    static const char* const PraiseQuote[] = {
        "\"Isn't there some work you should be doing?\"",
        "\"I could not have done better myself.\"",
        "\"I am in awe of your skill.\"",
        "\"Truly, you are a master of this game.\"",
        "\"Your deeds will be long remembered.\"",
        "\"Superb.\"",
        "\"Thank you for the privilege of watching you play.\"",
        "\"You have been proclaimed the Monarch of Rerozoriri.\"",
        "\"You are a credit to your 3-dimensional kind.\"",
        "\"You are too clever for us cards.\"",
    };
    static const char* const ThanksCaption[] = {
        "Thank you, it was nothing", "You are too gracious",        "The pleasure was mine",       "You helped a lot",
        "I did it all for you",      "It's only a silly card game", "Your praise is ample reward",
    };
    VictoryText text;
    text.Rank = 11 + random.Draw(3);
    text.Suit = random.Draw(4);
    text.Label1 = Format("The %s of %s says:", RankName[text.Rank - 11], SuitName[text.Suit]);
    const int q = random.Draw(10);
    text.Label2 = PraiseQuote[q];
    text.Button = q == 0 ? "Just one more game..." : ThanksCaption[random.Draw(7)];
    return text;
}

}  // namespace vexa
