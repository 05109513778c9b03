// Fuzz target: any bytes as a game definition. The input up to the first NUL
// is the definition file, named in a one-game catalogue under the name of its
// first section; the bytes after the NUL are a script of actions on the
// loaded game. The definition goes through the checker, is loaded and dealt
// as the program does, and after every step each of the 104 cards must lie in
// exactly one place.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "FuzzSupport.h"
#include "app/DefinitionChecker.h"
#include "app/NewHand.h"
#include "core/Session.h"

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

// One step of the script. Steps that need card play (clicks on piles and
// buttons, undo, autoplay) join this switch once the core has them.
void Act(vexa::Session& session, std::uint8_t step)
{
    if (session.Inert) return;
    switch (step % 2) {
    case 0: vexa::DealNewHand(session, vexa::NewHandKind::Deal); break;
    case 1: vexa::DealNewHand(session, vexa::NewHandKind::Restart); break;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string input(reinterpret_cast<const char*>(data), size);
    const std::size_t nul = input.find('\0');
    const std::string definition = input.substr(0, nul);
    const std::string script = nul == std::string::npos ? "" : input.substr(nul + 1, 32);
    const std::string name = CatalogueName(definition);
    vexa::fuzz::WriteWhole("game.ini", definition);
    vexa::fuzz::WriteWhole("vexasolit.ini", "[Gamelist]\n" + name + "=game.ini\n");

    vexa::CheckCatalogue();

    vexa::CheckSession check(script.empty() ? 1u : static_cast<std::uint8_t>(script[0]));
    if (!check.OpenCatalogue().empty()) std::abort();
    check.Load(name);
    vexa::Session& session = check.Get();
    CheckPlaces(session);
    for (char step : script) {
        Act(session, static_cast<std::uint8_t>(step));
        CheckPlaces(session);
    }
    return 0;
}
