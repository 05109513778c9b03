// The error type of the whole program. An error ends the handler that raised
// it; the top-level handler shows its text to the player and play goes on.
#pragma once

#include <cstdio>
#include <stdexcept>
#include <string>

namespace vexa {

class VexaError : public std::runtime_error {
public:
    explicit VexaError(const std::string& text) : std::runtime_error(text) {}
};

// printf-style formatting into a std::string.
template <typename... Args>
std::string Format(const char* format, Args... args)
{
    const int size = std::snprintf(nullptr, 0, format, args...);
    if (size <= 0) return {};
    std::string text(static_cast<std::size_t>(size), '\0');
    std::snprintf(text.data(), text.size() + 1, format, args...);
    return text;
}

// The text the top-level handler shows: the message with a full stop
// appended when its last character sorts after ".".
inline std::string ErrorBoxText(const std::string& message)
{
    if (!message.empty() && static_cast<unsigned char>(message.back()) > '.') return message + ".";
    return message;
}

}  // namespace vexa
