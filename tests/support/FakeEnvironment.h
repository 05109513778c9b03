// A user interface that records what it was asked to show, and a clock that
// only moves when a test moves it.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "core/Environment.h"

namespace vexa::test {

class RecordingUi : public UserInterface {
public:
    void ShowMessage(const std::string& text) override { messages.push_back(text); }
    void ShowVictory(const VictoryText& text) override { victories.push_back(text); }
    std::vector<std::string> messages;
    std::vector<VictoryText> victories;
};

class ManualClock : public Clock {
public:
    double Now() override { return now; }
    std::uint32_t MillisecondsSinceMidnightUtc() override { return seed; }
    double now = 45000.0;
    std::uint32_t seed = 12345;
};

// Makes a folder the current directory for the lifetime of the object.
class InDirectory {
public:
    explicit InDirectory(const std::filesystem::path& path) : old_(std::filesystem::current_path())
    {
        std::filesystem::current_path(path);
    }
    ~InDirectory() { std::filesystem::current_path(old_); }

private:
    std::filesystem::path old_;
};

}  // namespace vexa::test
