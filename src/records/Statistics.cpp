#include "records/Statistics.h"

#include "app/Session.h"
#include "app/VexaError.h"
#include "defs/IniFile.h"

namespace vexa {

void CloseHandStatistics(Session& session)
{
    if (session.HandPlayed) {
        Statistics& stats = session.Stats;
        ++stats.GamesPlayed;
        stats.TotalScore += session.Score;
        if (session.Settings.Scoring != 5 && session.Score == session.Settings.Decks * 52) ++stats.GamesWon;
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

void AppOnActivate(Session& session)
{
    session.ActivatedAt = session.Time.Now();
    session.Active = true;
}

void AppOnDeactivate(Session& session)
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
    AppOnDeactivate(session);
    if (session.PlayTimeLoaded) catalogue.WriteString("General", "TimeInGame", FloatToText(session.PlayTime));
}

}  // namespace vexa
