#include "app/DefinitionReload.h"

#include <exception>
#include <sstream>

#include <QWidget>

#include "app/DefinitionChecker.h"
#include "app/ReloadBar.h"
#include "core/Session.h"
#include "dialogs/FindingsDialog.h"

namespace vexa {

DefinitionReload::DefinitionReload(Session& session, QWidget& table, QWidget& window)
    : QObject(&window), session_(session), window_(window)
{
    watch_ = new DefinitionWatch(this);
    bar_ = new ReloadBar(&table, &window);
    connect(watch_, &DefinitionWatch::Changed, this, [this] { Changed(); });
    connect(bar_, &ReloadBar::ReloadAsked, this, [this] { emit ReloadAsked(); });
    connect(bar_, &ReloadBar::FindingsAsked, this, [this] { ShowFindings(); });
}

DefinitionStamp DefinitionReload::BeforeChoose() const
{
    const ChooserState& chooser = session_.Chooser;
    if (chooser.ItemIndex < 0 || chooser.ItemIndex >= static_cast<int>(chooser.Items.size())) return {};
    const std::string& game = chooser.Items[static_cast<std::size_t>(chooser.ItemIndex)];
    return StampOf(game, GameFileOf(session_, game));
}

DefinitionStamp DefinitionReload::BeforeReload() const { return StampOnDisk(session_.CurrentGame); }

void DefinitionReload::AfterLoad(const DefinitionStamp& before, bool loaded)
{
    const std::string& game = session_.CurrentGame;
    const bool shown = !session_.Welcome && !game.empty();
    // A chooser with nothing selected, or a game the catalogue no longer
    // lists, stops the load before the table changes.
    if (!loaded && !(shown && before.Game == game && before.Listed)) return;
    bar_->hide();
    if (!shown)
        watch_->Stop();
    else if (before.Game == game)
        watch_->Watch(before);
    else
        watch_->Watch(StampOf(game, GameFileOf(session_, game)));
}

void DefinitionReload::Changed()
{
    // An edit taken back leaves nothing to reload.
    if (!watch_->Differs()) {
        bar_->hide();
        return;
    }
    const std::string& game = watch_->Loaded().Game;
    CheckReport report;
    try {
        report = CheckGame(game);
    } catch (const std::exception& error) {
        report.Findings.push_back({CatalogueFile, 0, true, error.what()});
    }
    std::ostringstream text;
    PrintReport(report, text);
    report_ = QString::fromStdString(text.str());
    const QString name = QString::fromStdString(game);
    bar_->ShowChange(name, report.Errors(), report.Warnings(), watch_->OnDisk().Listed);
    if (findings_) findings_->SetFindings(name, report_);
}

FindingsDialog& DefinitionReload::Findings()
{
    if (!findings_) findings_ = new FindingsDialog(&window_);
    return *findings_;
}

void DefinitionReload::ShowFindings()
{
    Findings().SetFindings(QString::fromStdString(watch_->Loaded().Game), report_);
    findings_->show();
    findings_->raise();
    findings_->activateWindow();
}

}  // namespace vexa
