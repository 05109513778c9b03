#include "records/Statistics.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "core/Saturating.h"
#include "core/Session.h"
#include "core/VexaError.h"
#include "defs/IniFile.h"

namespace vexa {

void CloseHandStatistics(Session& session)
{
    if (session.HandPlayed) {
        Statistics& stats = session.Stats;
        stats.GamesPlayed = SaturatingAdd(stats.GamesPlayed, 1);
        stats.TotalScore = SaturatingAdd(stats.TotalScore, session.Score);
        if (session.Settings.Scoring != 5 && session.Score == session.Settings.Decks * 52)
            stats.GamesWon = SaturatingAdd(stats.GamesWon, 1);
    }
    session.HandPlayed = false;
}

void LoadPlayTime(Session& session, const IniFile& catalogue)
{
    session.PlayTime = 0;
    session.PlayTimeLoaded = false;
    const std::string text = catalogue.ReadString("General", "TimeInGame");
    if (!text.empty()) session.PlayTime = StrToFloat(text);
    session.PlayTimeLoaded = true;
}

void LoadGameStatistics(Session& session, const IniFile& catalogue)
{
    const IniSection section = catalogue.ReadSection(session.CurrentGame);
    auto read = [&](const char* key) {
        const std::string text = LookUp(section, key);
        return text.empty() ? 0 : StrToInt(text);
    };
    // All three are read before any is kept, so a bad value leaves no mix of
    // two games' figures behind.
    const Statistics stats{read("GamesPlayed"), read("TotalScore"), read("GamesWon")};
    session.Stats = stats;
    session.StatsLoaded = true;
}

namespace {
void WriteGameStatistics(const Session& session, const IniFile& catalogue)
{
    if (!session.StatsLoaded) return;
    catalogue.WriteInteger(session.CurrentGame, "GamesPlayed", session.Stats.GamesPlayed);
    catalogue.WriteInteger(session.CurrentGame, "TotalScore", session.Stats.TotalScore);
    catalogue.WriteInteger(session.CurrentGame, "GamesWon", session.Stats.GamesWon);
}
}  // namespace

void SaveGameStatistics(Session& session)
{
    CloseHandStatistics(session);
    WriteGameStatistics(session, IniFile(CatalogueFile));
}

void ApplicationActivated(Session& session)
{
    session.ActivatedAt = session.Time.Now();
    session.Active = true;
}

void ApplicationDeactivated(Session& session)
{
    if (session.Active) session.PlayTime += session.Time.Now() - session.ActivatedAt;
    session.Active = false;
}

void Shutdown(Session& session)
{
    if (session.CurrentGame.empty()) return;
    const IniFile catalogue(CatalogueFile);
    CloseHandStatistics(session);
    WriteGameStatistics(session, catalogue);
    // The period since the last activation is play time too; leaving it out
    // would lose the time of every run that ends while the window is active.
    ApplicationDeactivated(session);
    if (session.PlayTimeLoaded) catalogue.WriteString("General", "TimeInGame", FloatToText(session.PlayTime));
}

}  // namespace vexa

namespace vexa {

std::string StatsTitle(const std::string& name)
{
    const std::string suffix = "(800x600)";
    if (name.size() >= suffix.size() && name.compare(name.size() - suffix.size(), suffix.size(), suffix) == 0)
        return name.size() > suffix.size() ? name.substr(0, name.size() - suffix.size() - 1) : std::string();
    return name;
}

StatsFigures OpenStatistics(Session& session)
{
    const double now = session.Time.Now();
    if (session.Active) session.PlayTime += now - session.ActivatedAt;
    session.ActivatedAt = now;

    StatsFigures figures;
    figures.Title = StatsTitle(session.CurrentGame);
    // A stored time may be any number: days beyond the range of the figure
    // show the largest (or smallest) one, a time that is no number shows 0.
    const double time = std::isnan(session.PlayTime) ? 0.0 : session.PlayTime;
    constexpr double dayLimit = 9223372036854775808.0;  // 2^63, one past the largest figure
    constexpr long long msPerDay = 86400000;
    double days = std::trunc(time);
    // The time of day, taken to the nearest millisecond, then truncated; a
    // time that rounds up to a whole day counts that day.
    const double fraction = std::isfinite(time) ? std::fabs(time - days) : 0.0;
    long long ms = std::llround(fraction * static_cast<double>(msPerDay));
    if (ms >= msPerDay) {
        ms -= msPerDay;
        days += time < 0 ? -1.0 : 1.0;
    }
    if (days >= dayLimit)
        figures.Days = std::numeric_limits<long long>::max();
    else if (days < -dayLimit)
        figures.Days = std::numeric_limits<long long>::min();
    else
        figures.Days = static_cast<long long>(days);
    figures.Hours = static_cast<int>(ms / 3600000 % 24);
    figures.Minutes = static_cast<int>(ms / 60000 % 60);

    // Counts come from a file the player may have edited: the sums are taken
    // wide and a zero count shows an average of 0 instead of failing.
    auto average = [](long long total, long long count) {
        if (count == 0) return 0;
        return static_cast<int>(
            std::clamp<long long>(total / count, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
    };
    const Statistics& stats = session.Stats;
    // The hand in progress is added wide and the sum kept within the figure.
    auto plus = [](int count, int more) {
        return static_cast<int>(
            std::min<long long>(static_cast<long long>(count) + more, std::numeric_limits<int>::max()));
    };
    if (session.HandPlayed) {
        const bool won = session.Settings.Scoring != 5 && session.Score == session.Settings.Decks * 52;
        figures.Played = plus(stats.GamesPlayed, 1);
        figures.Won = plus(stats.GamesWon, won ? 1 : 0);
        figures.Average = average(static_cast<long long>(stats.TotalScore) + session.Score, stats.GamesPlayed + 1LL);
    } else {
        figures.Played = stats.GamesPlayed;
        figures.Won = stats.GamesWon;
        figures.Average = stats.GamesPlayed >= 1 ? average(stats.TotalScore, stats.GamesPlayed) : 0;
    }
    return figures;
}

}  // namespace vexa
