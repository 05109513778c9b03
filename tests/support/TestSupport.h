// Helpers shared by the tests: temporary folders and files, and quick ways
// to build a table from card names such as "8S 7H 6C".
#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace vexa {
class Table;
class Pile;
class Card;
}  // namespace vexa

namespace vexa::test {

// A fresh directory under the system temp folder, removed with the object.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::filesystem::path& Path() const { return path_; }
    std::filesystem::path Write(const std::string& name, const std::string& content) const;
    std::string Read(const std::string& name) const;

private:
    std::filesystem::path path_;
};

std::string ReadFile(const std::filesystem::path& path);

// The text of the VexaError that action raises, or "" when it raises none.
std::string ErrorOf(const std::function<void()>& action);
void WriteFile(const std::filesystem::path& path, const std::string& content);

// CardSet index of a card named like "AS", "10H", "KD", "7C" (first deck).
int CardIndex(const std::string& name);
// Puts the named cards (first deck) onto the pile, bottom first, face up;
// a trailing "*" marks a face-down card: "KS* QH 7C".
void PutCards(Table& table, Pile& pile, const std::string& names);
// "7C 6C" style listing of a pile, bottom first, face-down cards with "*".
std::string Describe(const Pile& pile);

}  // namespace vexa::test
