#include "app/SimDriver.h"

#include <cstdlib>
#include <istream>
#include <ostream>
#include <sstream>
#include <vector>

#include "app/GameLoader.h"
#include "app/HandKeeping.h"
#include "app/NewHand.h"
#include "app/WinnableDeal.h"
#include "core/Session.h"
#include "core/VexaError.h"
#include "defs/IniFile.h"
#include "defs/TextRules.h"
#include "records/GameButtons.h"
#include "records/Statistics.h"
#include "records/UndoJournal.h"
#include "rules/Autoplay.h"
#include "rules/ClickDispatch.h"
#include "rules/Solver.h"
#include "table/Deal.h"

namespace vexa {

std::string SimQuote(const std::string& text)
{
    std::string quoted = "\"";
    for (char c : text) {
        switch (c) {
        case '"': quoted += "\\\""; break;
        case '\\': quoted += "\\\\"; break;
        case '\r': quoted += "\\r"; break;
        case '\n': quoted += "\\n"; break;
        default: quoted += c;
        }
    }
    return quoted + "\"";
}

SimDriver::SimDriver(const SimOptions& options, std::ostream& out) : out_(out), clock_(options.StoppedClock)
{
    session_ = std::make_unique<Session>(pictures_, *this, clock_, options.ScreenWidth, options.ScreenHeight);
    if (options.Seed) session_->Rng.Seed(*options.Seed);
    try {
        CreateChooser(*session_);
    } catch (const VexaError& error) {
        out_ << "error " << SimQuote(ErrorBoxText(error.what())) << '\n';
    }
}

SimDriver::~SimDriver() = default;

void SimDriver::ShowMessage(const std::string& text) { out_ << "message " << SimQuote(text) << '\n'; }

void SimDriver::ShowVictory(const VictoryText& text)
{
    out_ << "victory " << SimQuote(text.Label1) << ' ' << SimQuote(text.Label2) << ' ' << SimQuote(text.Button)
         << " card " << text.Rank << ' ' << text.Suit << '\n';
}

void SimDriver::Complain(const std::string& text) { out_ << "sim " << SimQuote(text) << '\n'; }

int SimDriver::Run(std::istream& in)
{
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (!Execute(line)) break;
        out_.flush();
    }
    return 0;
}

bool SimDriver::Execute(const std::string& raw)
{
    const std::string line = Trim(raw);
    if (line.empty() || line[0] == '#') return true;
    const auto space = line.find(' ');
    const std::string command = line.substr(0, space);
    const std::string rest = space == std::string::npos ? "" : Trim(line.substr(space + 1));
    Session& session = *session_;
    try {
        if (command == "select") {
            const auto& items = session.Chooser.Items;
            int index = -1;
            for (std::size_t i = 0; i < items.size() && index < 0; ++i)
                if (items[i] == rest) index = static_cast<int>(i);
            for (std::size_t i = 0; i < items.size() && index < 0; ++i)
                if (SameText(items[i], rest)) index = static_cast<int>(i);
            if (index < 0 && !items.empty()) {
                Complain("no game named " + rest + " in the chooser");
                return true;
            }
            session.Chooser.ItemIndex = index;
            SelectGame(session);
            DealWinnable();
        } else if (command == "show") {
            Show();
        } else if (command == "help") {
            out_ << "help " << SimQuote(session.HelpText) << '\n';
        } else if (command == "exit") {
            LeaveKeepingHand(session);
            return false;
        } else if (command == "resume" && rest.empty()) {
            if (!ResumeKeptHand(session)) Complain("no kept hand to resume");
        } else if (command == "deal" && !rest.empty()) {
            // "deal N": the hand numbered N, never shuffled again for
            // "Winnable deals only" (the player chose this hand).
            const std::optional<std::uint32_t> number = ParseDealNumber(rest);
            if (!number)
                Complain("deal takes a number from 0 to 4294967295");
            else if (session.Menu.Deal)
                DealNumberedHand(session, *number);
        } else if (command == "deal" || command == "restart") {
            // A disabled menu item does nothing, as in the game.
            const bool enabled = command == "deal" ? session.Menu.Deal : session.Menu.Restart;
            if (enabled) DealNewHand(session, command == "deal" ? NewHandKind::Deal : NewHandKind::Restart);
            if (enabled && command == "deal") DealWinnable();
        } else if (command == "click") {
            Click(rest);
        } else if (command == "dblclick") {
            DoubleClick(rest);
        } else if (command == "undo") {
            if (session.Menu.Undo) UndoLastStep(session);
        } else if (command == "redo") {
            if (session.Menu.Redo) RedoLastStep(session);
        } else if (command == "autoplay") {
            if (session.Menu.Autoplay) AutoplayCommand(session);
        } else if (command == "button") {
            Control* control = session.Board.FindControl(rest);
            if (!control || control->Type() != ControlType::Button || !control->Visible || session.Welcome)
                Complain("no button " + rest + " on the table");
            else
                PressGameButton(session, *static_cast<GameButton*>(control));
        } else if (command == "winnable" && (rest == "on" || rest == "off")) {
            session.WinnableOnly = rest == "on";
            WriteWinnableOnly(IniFile(CatalogueFile), session.WinnableOnly);
        } else if (command == "solve") {
            Solve(rest);
        } else if (command == "stats") {
            const StatsFigures f = OpenStatistics(session);
            out_ << "stats " << SimQuote(f.Title) << " played " << f.Played << " won " << f.Won << " average "
                 << f.Average << " time " << f.Days << ' ' << f.Hours << ' ' << f.Minutes << '\n';
        } else if (command == "focus" && rest == "out") {
            ApplicationDeactivated(session);
        } else if (command == "focus" && rest == "in") {
            ApplicationActivated(session);
        } else {
            Complain("unknown command: " + line);
        }
    } catch (const VexaError& error) {
        out_ << "error " << SimQuote(ErrorBoxText(error.what())) << '\n';
        if (command == "exit") return false;
    }
    // The window keeps the hand after every step; so does the driver.
    KeepHand(session);
    return true;
}

std::optional<Control*> SimDriver::ClickTarget(const std::string& what)
{
    Session& session = *session_;
    const auto space = what.find(' ');
    const std::string kind = what.substr(0, space);
    const std::string name = space == std::string::npos ? "" : Trim(what.substr(space + 1));
    if (kind == "background" && name.empty()) return nullptr;
    if (kind == "card") {
        int index = name.empty() || name.size() > 3 ? -1 : 0;
        for (char c : name) {
            if (c < '0' || c > '9') index = -1;
            if (index >= 0) index = index * 10 + (c - '0');
        }
        if (index < 1 || index > CardCount) return Complain("no card numbered " + name), std::nullopt;
        Card& card = session.Board.CardAt(index);
        if (!CanClickCard(session, card)) return Complain("card " + name + " cannot be clicked"), std::nullopt;
        return &card;
    }
    if (kind == "pile") {
        Pile* pile = session.Board.FindPile(name);
        if (!pile || pile == &session.Board.DragPile()) return Complain("no pile named " + name), std::nullopt;
        if (!CanClickPileArea(session, *pile)) return Complain("pile " + name + " cannot be clicked"), std::nullopt;
        return pile;
    }
    Complain("unknown command: click " + what);
    return std::nullopt;
}

void SimDriver::Click(const std::string& what)
{
    if (const auto target = ClickTarget(what)) DispatchClick(*session_, *target);
}

void SimDriver::DoubleClick(const std::string& what)
{
    Session& session = *session_;
    const auto first = ClickTarget(what);
    if (!first) return;
    // The second click falls on the pile the first one did: while cards are
    // carried any part of it stands for the pile; otherwise it reaches the
    // pile's top card, or its area when it has none.
    Control* second = *first;
    if (second && second->Type() == ControlType::Card) second = dynamic_cast<Pile*>(static_cast<Card*>(second)->Parent());
    DispatchClick(session, *first);
    if (SendCarriedToFoundation(session, second)) return;
    if (second && !session.Carrying && second->Type() == ControlType::Pile) {
        auto* pile = static_cast<Pile*>(second);
        if (pile->Count() > 0 && CanClickCard(session, *pile->Top()))
            second = pile->Top();
        else if (!CanClickPileArea(session, *pile))
            return Complain("the second click reaches nothing");
    }
    DispatchClick(session, second);
}

void SimDriver::DealWinnable()
{
    Session& session = *session_;
    if (!session.WinnableOnly || session.Welcome || session.Inert) return;
    const WinnableDealResult result = DealWinnableHand(session, 3.0);
    out_ << "winnable " << (result.Proven ? "proven " : "unproven ") << result.Shuffles << '\n';
}

void SimDriver::Solve(const std::string& args)
{
    Session& session = *session_;
    SolverBudget budget;
    budget.Seconds = 10;
    // solve [SECONDS [STATES]]: a state limit makes the answer independent
    // of the machine's speed.
    std::istringstream in(args);
    std::string word;
    if (in >> word) {
        char* end = nullptr;
        budget.Seconds = std::strtod(word.c_str(), &end);
        if (*end != '\0' || !(budget.Seconds > 0)) return Complain("solve takes a number of seconds");
        if (in >> word) {
            budget.MaxStates = std::strtoll(word.c_str(), &end, 10);
            if (*end != '\0' || budget.MaxStates <= 0) return Complain("solve takes a number of states");
        }
    }
    if (session.Welcome || session.Inert) return Complain("no hand to solve");
    if (session.Carrying) return Complain("cards are carried");
    const SolveAnswer answer = SolvePosition(session, budget);
    if (answer.Outcome != SolveOutcome::Won) {
        out_ << "solve " << OutcomeName(answer.Outcome) << ' ' << answer.States << '\n';
        return;
    }
    std::vector<std::string> lines;
    for (const SolverMove& move : answer.Moves) lines.insert(lines.end(), move.Commands.begin(), move.Commands.end());
    out_ << "solve won " << lines.size() << '\n';
    for (const std::string& line : lines) out_ << line << '\n';
}

void SimDriver::Show()
{
    Session& session = *session_;
    const MenuState& menu = session.Menu;
    out_ << "caption " << SimQuote(session.Caption) << '\n';
    if (!session.Welcome) {
        const Rect& w = session.WindowBounds;
        out_ << "window " << w.left << ' ' << w.top << ' ' << w.width << ' ' << w.height << '\n';
    }
    out_ << "score " << SimQuote(menu.ScoreCaption) << '\n';
    out_ << "menu deal " << menu.Deal << " restart " << menu.Restart << " undo " << menu.Undo << " autoplay "
         << menu.Autoplay << '\n';
    if (session.Welcome) {
        out_ << "welcome\n";
        return;
    }
    out_ << "state carrying " << session.Carrying << " origin "
         << (session.OriginPile ? session.OriginPile->Name : std::string("-")) << " redeals " << session.RedealsLeft
         << " onetime " << session.OneTimeMove << " handplayed " << session.HandPlayed << '\n';
    auto cards = [](const CardContainer& pile) {
        std::string text = ":";
        for (const Card* card : pile.Cards()) {
            text += ' ';
            if (!card->Visible) text += '.';
            text += std::to_string(card->Index()) + (card->Face.State() == ctBack ? 'd' : 'u');
        }
        return text.size() == 1 ? text + " " : text;
    };
    const Table& table = session.Board;
    for (int position = 0; position < table.ControlCount(); ++position) {
        const Control* control = table.ControlAt(position);
        if (control->Type() == ControlType::Pile && control != &session.Board.DragPile()) {
            const auto* pile = static_cast<const Pile*>(control);
            out_ << "pile " << pile->Name << " kind " << int(pile->Kind) << " visible " << pile->Visible << " hint "
                 << SimQuote(pile->Hint) << " hinton " << pile->ShowHint << ' ' << cards(*pile) << '\n';
        } else if (control->Type() == ControlType::Button) {
            const auto* button = static_cast<const GameButton*>(control);
            out_ << "button " << button->Name << " visible " << button->Visible << ' ' << SimQuote(button->Caption)
                 << '\n';
        }
    }
    out_ << "drag " << cards(session.Board.DragPile()) << '\n';
}

}  // namespace vexa
