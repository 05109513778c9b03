// Small text helpers shared by the file readers and the table: case-blind
// comparison as the definition files need it (ASCII letters only, the files
// are single-byte text) and trimming of blanks.
#pragma once

#include <string>
#include <string_view>

namespace vexa {

char UpperChar(char c);
std::string UpperCase(std::string_view text);
bool SameText(std::string_view a, std::string_view b);
// Compares without regard to case; negative, zero or positive like strcmp.
int CompareText(std::string_view a, std::string_view b);
// Removes blanks (spaces and tabs) at both ends.
std::string Trim(std::string_view text);

}  // namespace vexa
