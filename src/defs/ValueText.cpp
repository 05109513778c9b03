// Splitting of list values into items and the conversions between numbers
// and their text in the profile files.
#include "defs/IniFile.h"

#include <charconv>
#include <cstdint>
#include <limits>

#include "core/VexaError.h"

namespace vexa {

namespace {

// Characters with codes 1 to 32 separate items like a comma does.
bool IsSeparatorBlank(char c)
{
    const auto code = static_cast<unsigned char>(c);
    return code >= 1 && code <= 32;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

std::vector<std::string> SplitItems(const std::string& value)
{
    // The value ends at a NUL character, as it would in the file reader.
    const std::string_view text(value.c_str());
    std::vector<std::string> items;
    std::size_t at = 0;
    auto skipBlanks = [&] {
        while (at < text.size() && IsSeparatorBlank(text[at])) ++at;
    };

    skipBlanks();
    while (at < text.size()) {
        std::string item;
        if (text[at] == '"') {
            // Quoted item: up to the closing quote; "" stands for one quote.
            // Without a closing quote the item takes the rest of the value.
            ++at;
            while (at < text.size()) {
                if (text[at] == '"') {
                    if (at + 1 < text.size() && text[at + 1] == '"') {
                        item += '"';
                        at += 2;
                        continue;
                    }
                    ++at;
                    break;
                }
                item += text[at++];
            }
        } else {
            const std::size_t start = at;
            while (at < text.size() && !IsSeparatorBlank(text[at]) && text[at] != ',') ++at;
            item.assign(text.substr(start, at - start));
        }
        items.push_back(std::move(item));
        skipBlanks();
        if (at < text.size() && text[at] == ',') {
            ++at;
            skipBlanks();
        }
    }
    return items;
}

int StrToInt(const std::string& text)
{
    const auto invalid = [&] { return VexaError(Format("'%s' is not a valid integer value", text.c_str())); };
    std::size_t at = 0;
    bool negative = false;
    if (at < text.size() && (text[at] == '+' || text[at] == '-')) negative = text[at++] == '-';
    if (at == text.size()) throw invalid();

    // Collected as a negative number so that the lowest int is reachable.
    std::int64_t result = 0;
    constexpr std::int64_t lowest = std::numeric_limits<std::int32_t>::min();
    for (; at < text.size(); ++at) {
        if (!IsDigit(text[at])) throw invalid();
        result = result * 10 - (text[at] - '0');
        if (result < lowest) throw invalid();
    }
    if (!negative) {
        result = -result;
        if (result > std::numeric_limits<std::int32_t>::max()) throw invalid();
    }
    return static_cast<int>(result);
}

double StrToFloat(const std::string& text)
{
    const auto invalid = [&] { return VexaError(Format("'%s' is not a valid floating point value", text.c_str())); };

    // Checked by hand so that only sign, digits, one separator and an
    // exponent pass (no blanks, "inf", "nan" or hexadecimal forms), then
    // converted with '.' whatever the locale says.
    std::string plain;
    std::size_t at = 0;
    if (at < text.size() && (text[at] == '+' || text[at] == '-')) {
        if (text[at] == '-') plain += '-';
        ++at;
    }
    bool digits = false;
    while (at < text.size() && IsDigit(text[at])) {
        plain += text[at++];
        digits = true;
    }
    if (at < text.size() && (text[at] == '.' || text[at] == ',')) {
        plain += '.';
        ++at;
        while (at < text.size() && IsDigit(text[at])) {
            plain += text[at++];
            digits = true;
        }
    }
    if (!digits) throw invalid();
    if (at < text.size() && (text[at] == 'e' || text[at] == 'E')) {
        plain += 'e';
        ++at;
        if (at < text.size() && (text[at] == '+' || text[at] == '-')) plain += text[at++];
        bool exponentDigits = false;
        while (at < text.size() && IsDigit(text[at])) {
            plain += text[at++];
            exponentDigits = true;
        }
        if (!exponentDigits) throw invalid();
    }
    if (at != text.size()) throw invalid();

    double value = 0;
    const auto [end, error] = std::from_chars(plain.data(), plain.data() + plain.size(), value);
    if (error != std::errc() || end != plain.data() + plain.size()) throw invalid();
    return value;
}

std::string FloatToText(double value)
{
    char buffer[64];
    const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 15);
    if (error != std::errc()) return "0";
    return std::string(buffer, end);
}

}  // namespace vexa
