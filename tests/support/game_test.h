// The fixture of the scenario tests: a scripted console, a fresh MissionState, forced chance
// and a scratch working directory of the test's own.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "console/scripted_console.h"
#include "mission/chance.h"
#include "mission/mission_state.h"

class GameTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Runs `step` and reports whether it ended the program (true) or returned (false).
    bool ends(const std::function<void()>& step);

    // The entries of the log of one kind, in order.
    std::vector<std::string> writes() const;
    std::vector<int> pauses() const;
    std::vector<std::string> sounds() const { return console.soundsPlayed(); }

    // The rows of the screen from `first` to `last`, trailing blanks removed.
    std::vector<std::string> rows(int first, int last) const;

    // Writes a file in the scratch directory.
    void writeFile(const std::string& name, const std::string& contents) const;
    std::string readFile(const std::string& name) const;

    ScriptedConsole console;
    std::optional<ForcedChance> chance;
    std::filesystem::path scratch;

private:
    std::filesystem::path previousDirectory;
};

// The short names of the sound files played, "data\\expl.wav" -> "expl".
std::vector<std::string> shortNames(const std::vector<std::string>& files);
