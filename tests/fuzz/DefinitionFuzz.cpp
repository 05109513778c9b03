// Fuzz target: any bytes as a game definition. The input up to the first NUL
// is the definition file, named in a one-game catalogue under the name of its
// first section; the bytes after the NUL are a script of actions on the
// loaded game (clicks on cards, piles and the background, undo, redo,
// autoplay, game buttons, new deals and restarts). The definition goes
// through the checker, is loaded and dealt as the program does; after every
// step each of the 104 cards must lie in exactly one place, and at the end
// undoing every step must give back the table of the last deal.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "FuzzSupport.h"
#include "app/DefinitionChecker.h"
#include "app/NewHand.h"
#include "core/Session.h"
#include "records/GameButtons.h"
#include "records/UndoJournal.h"
#include "rules/Autoplay.h"
#include "rules/ClickDispatch.h"

namespace {

const std::filesystem::path Folder = vexa::fuzz::EnterWorkFolder();

// A name the catalogue can carry as a key.
std::string CatalogueName(const std::string& definition)
{
    const std::string name = vexa::fuzz::FirstSectionName(definition);
    if (name.empty() || name.find_first_of("=\r\n;[", 0) == 0 || name.find_first_of("=\r\n") != std::string::npos)
        return "Fuzz";
    return name;
}

void CheckPlaces(vexa::Session& session)
{
    if (!vexa::CardPlacesFault(session.Board).empty()) std::abort();
}

// Where every card lies and which way up. (A pile hidden by a game button
// stays hidden through undo, so visibility is not compared.)
std::string TableImage(vexa::Session& session)
{
    std::string image;
    vexa::Table& table = session.Board;
    for (int position = 0; position < table.ControlCount(); ++position) {
        const vexa::Pile* pile = table.PileAt(position);
        if (!pile) continue;
        image += '|';
        for (const vexa::Card* card : pile->Cards())
            image += std::to_string(card->Index()) + (card->Face.State() == vexa::ctBack ? "d " : "u ");
    }
    return image;
}

// The control at a position counted among the controls of one type.
vexa::Control* NthControl(vexa::Table& table, vexa::ControlType type, unsigned n)
{
    std::vector<vexa::Control*> found;
    for (int position = 0; position < table.ControlCount(); ++position)
        if (vexa::Control* control = table.ControlAt(position); control->Type() == type) found.push_back(control);
    return found.empty() ? nullptr : found[n % found.size()];
}

// One step of the script: the low three bits choose the action, the rest
// which card, pile or button it acts on.
void Act(vexa::Session& session, std::uint8_t step, std::string& dealt)
{
    if (session.Inert) return;
    vexa::Table& table = session.Board;
    const unsigned arg = step >> 3;
    switch (step % 8) {
    case 0:
        vexa::DealNewHand(session, arg % 2 ? vexa::NewHandKind::Restart : vexa::NewHandKind::Deal);
        dealt = TableImage(session);
        break;
    case 1:
    case 2: {
        // Only what a player could click in the window.
        vexa::Card& card = table.CardAt(static_cast<int>((arg * 4 + step % 2) % 104 + 1));
        if (vexa::CanClickCard(session, card)) vexa::DispatchClick(session, &card);
        break;
    }
    case 3: {
        auto* pile = static_cast<vexa::Pile*>(NthControl(table, vexa::ControlType::Pile, arg));
        if (pile && vexa::CanClickPileArea(session, *pile)) vexa::DispatchClick(session, pile);
        break;
    }
    case 4: vexa::DispatchClick(session, nullptr); break;
    case 5: vexa::UndoLastStep(session); break;
    case 6: arg % 2 ? vexa::RedoLastStep(session) : vexa::AutoplayCommand(session); break;
    case 7:
        if (auto* button = static_cast<vexa::GameButton*>(NthControl(table, vexa::ControlType::Button, arg)))
            vexa::PressGameButton(session, *button);
        break;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string input(reinterpret_cast<const char*>(data), size);
    const std::size_t nul = input.find('\0');
    const std::string definition = input.substr(0, nul);
    const std::string script = nul == std::string::npos ? "" : input.substr(nul + 1, 64);
    const std::string name = CatalogueName(definition);
    vexa::fuzz::WriteWhole("game.ini", definition);
    vexa::fuzz::WriteWhole("vexasolit.ini", "[Gamelist]\n" + name + "=game.ini\n");

    vexa::CheckCatalogue();

    vexa::CheckSession check(script.empty() ? 1u : static_cast<std::uint8_t>(script[0]));
    if (!check.OpenCatalogue().empty()) std::abort();
    check.Load(name);
    vexa::Session& session = check.Get();
    CheckPlaces(session);
    std::string dealt = TableImage(session);
    for (char step : script) {
        Act(session, static_cast<std::uint8_t>(step), dealt);
        CheckPlaces(session);
        if (!session.Carrying && session.Board.DragPile().Count() != 0) std::abort();
    }
    // Put carried cards back where they came from, then undo everything: the
    // table is the dealt one again. (Scheme 5 moves the stock after the
    // winning step is recorded and never allows undo, so it is left out.)
    if (session.Carrying && session.OriginPile) vexa::DispatchClick(session, session.OriginPile);
    if (!session.Inert && session.Settings.Scoring != 5 && !session.Carrying) {
        while (!session.Journal.UndoSteps.empty()) vexa::UndoLastStep(session);
        if (TableImage(session) != dealt) std::abort();
    }
    return 0;
}
