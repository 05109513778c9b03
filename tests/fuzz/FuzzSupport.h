// Helpers shared by the fuzz targets: a private working folder, whole-file
// writes, and the line split the properties compare.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace vexa::fuzz {

// Creates a fresh folder under the temp folder and makes it current; the
// targets work on fixed file names inside it. It is removed at exit.
inline std::filesystem::path EnterWorkFolder()
{
    static std::string folder = (std::filesystem::temp_directory_path() / "vexafuzz-XXXXXX").string();
    if (!mkdtemp(folder.data())) std::abort();
    std::filesystem::current_path(folder);
    std::atexit([] {
        std::error_code ignored;
        std::filesystem::current_path(std::filesystem::temp_directory_path(), ignored);
        std::filesystem::remove_all(folder, ignored);
    });
    return folder;
}

inline void WriteWhole(const std::string& path, const std::string& content)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(content.data(), static_cast<std::streamsize>(content.size()));
    if (!out) std::abort();
}

inline std::string ReadWhole(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Lines without their ends ("\n", "\r\n", or a last "\r"); a final line end
// adds no empty line.
inline std::vector<std::string> TextLines(const std::string& content)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < content.size()) {
        std::size_t end = content.find('\n', start);
        const bool last = end == std::string::npos;
        if (last) end = content.size();
        std::string line = content.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
        start = end + 1;
    }
    return lines;
}

// The name inside the first "[...]" line, blanks removed, or "" when none.
inline std::string FirstSectionName(const std::string& content)
{
    for (const std::string& line : TextLines(content)) {
        const std::size_t open = line.find_first_not_of(" \t");
        if (open == std::string::npos || line[open] != '[') continue;
        const std::size_t close = line.find(']', open);
        if (close == std::string::npos) continue;
        std::string name = line.substr(open + 1, close - open - 1);
        const std::size_t first = name.find_first_not_of(" \t");
        if (first == std::string::npos) return "";
        const std::size_t last = name.find_last_not_of(" \t");
        return name.substr(first, last - first + 1);
    }
    return "";
}

}  // namespace vexa::fuzz
