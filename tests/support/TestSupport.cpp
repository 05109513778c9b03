#include "support/TestSupport.h"

#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>

#include "core/VexaError.h"
#include "table/Table.h"

namespace vexa::test {

namespace fs = std::filesystem;

TempDir::TempDir()
{
    std::random_device device;
    for (int attempt = 0; attempt < 100; ++attempt) {
        fs::path candidate = fs::temp_directory_path() / ("vexa-test-" + std::to_string(device()));
        if (fs::create_directory(candidate)) {
            path_ = candidate;
            return;
        }
    }
    throw std::runtime_error("cannot create a temporary directory");
}

TempDir::~TempDir()
{
    std::error_code ignored;
    fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, ignored);
    fs::remove_all(path_, ignored);
}

fs::path TempDir::Write(const std::string& name, const std::string& content) const
{
    fs::path path = path_ / name;
    WriteFile(path, content);
    return path;
}

std::string TempDir::Read(const std::string& name) const { return ReadFile(path_ / name); }

std::string ReadFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void WriteFile(const fs::path& path, const std::string& content)
{
    std::ofstream out(path, std::ios::binary);
    out << content;
}

std::string ErrorOf(const std::function<void()>& action)
{
    try {
        action();
    } catch (const VexaError& error) {
        return error.what();
    }
    return "";
}

int CardIndex(const std::string& name)
{
    const std::string rank = name.substr(0, name.size() - 1);
    const char suit = name.back();
    static const std::string ranks[] = {"A", "2", "3", "4", "5", "6", "7", "8", "9", "10", "J", "Q", "K"};
    int value = 0;
    for (int i = 0; i < 13; ++i)
        if (rank == ranks[i]) value = i + 1;
    const std::string suits = "CDHS";
    const auto s = suits.find(suit);
    if (value == 0 || s == std::string::npos) throw std::invalid_argument("bad card name " + name);
    return static_cast<int>(s) * 13 + value;
}

void PutCards(Table& table, Pile& pile, const std::string& names)
{
    std::istringstream in(names);
    std::string word;
    while (in >> word) {
        const bool down = word.back() == '*';
        if (down) word.pop_back();
        Card& card = table.CardAt(CardIndex(word));
        table.MoveCard(card, pile);
        card.Face.SetState(down ? ctBack : ctFront);
        card.Visible = true;
    }
}

std::string Describe(const Pile& pile)
{
    static const char* ranks[] = {"A", "2", "3", "4", "5", "6", "7", "8", "9", "10", "J", "Q", "K"};
    std::string text;
    for (const Card* card : pile.Cards()) {
        if (!text.empty()) text += ' ';
        text += ranks[card->Face.Value() - 1];
        text += "CDHS"[card->Face.Suit()];
        if (card->Face.State() == ctBack) text += '*';
    }
    return text;
}

}  // namespace vexa::test
