#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <sstream>

#include <sys/stat.h>
#include <unistd.h>

#include "console/files.h"
#include "mission/startup.h"
#include "mission/wheel.h"
#include "persist/frozen_game.h"
#include "support/game_test.h"

namespace {

std::vector<std::string> linesOf(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

// A frozen game as the game writes it: 50 decoys, twelve fields, twenty cards.
std::string frozenText(const std::vector<long long>& fields, const std::vector<long long>& cards,
                       long long decoy = 7)
{
    std::string text;
    for (int i = 0; i < 50; ++i) text += std::to_string(decoy) + "\n";
    for (long long v : fields) text += std::to_string(v) + "\n";
    for (long long v : cards) text += std::to_string(v) + "\n";
    return text;
}

const std::vector<long long> goodFields{2, 1, 250, 17, 201, 3, -1, 1, 0, 1, 1, 2};
const std::vector<long long> goodCards{10, 4, 13, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};

class FrozenGame : public GameTest {
protected:
    void setPlayedState()
    {
        mission.damage = 2;
        mission.warnings = 1;
        mission.fuel = 250;
        mission.spins = 17;
        mission.distanceLeft = 201;
        mission.phaserCells = 3;
        mission.barrierCharges = -1;
        mission.hasDiamond = 1;
        mission.hasGold = 1;
        mission.stationVisited = 1;
        mission.eventDeck.cards = {10, 4, 13};
        mission.eventDeck.last = 2;
        mission.oxygen = 45;
        mission.rocksPlaced = 1;
        mission.goldSquare = 3;
        mission.eraDeck.cards = {5};
        mission.soundOn = 'y';
    }
    void freezeWithDecoys(int decoy)
    {
        for (int i = 0; i < 50; ++i) chance->push(decoy - 1);
        console.queueKey(keyEsc);
        EXPECT_TRUE(ends([] { freezeGame(); }));
    }
    // Start-up's full-game path up to the resume answer.
    void resumeWith(const char* keys)
    {
        mission = MissionState{};
        console = ScriptedConsole();
        installConsole(console);
        console.queueKeys(keys);
        offerResume();
    }
};

TEST_F(FrozenGame, FreezeWritesEightyTwoLinesAndTheFrozenScreen)
{
    setPlayedState();
    freezeWithDecoys(400);
    const auto lines = linesOf(readFile("mars.dat"));
    ASSERT_EQ(lines.size(), 82u);
    for (int i = 0; i < 50; ++i) EXPECT_EQ(lines[static_cast<std::size_t>(i)], "400");
    const std::vector<std::string> fields{"2", "1", "250", "17", "201", "3", "-1", "1", "0", "1", "1", "2",
                                          "10", "4", "13", "0"};
    for (std::size_t i = 0; i < fields.size(); ++i) EXPECT_EQ(lines[50 + i], fields[i]) << "line " << 51 + i;
    EXPECT_EQ(console.at(16, 12, 47), "GAME HAS BEEN FROZEN!  COME BACK FOR CONCLUSION");
    EXPECT_NE(console.rowText(18), "");
    EXPECT_NE(console.rowText(19), "");
    EXPECT_EQ(console.at(34, 21, 16), "Bye for now pal!");
    EXPECT_EQ(console.at(34, 22, 20), "Press ESCAPE to exit");
    EXPECT_EQ(shortNames(sounds()), (std::vector<std::string>{"exit"}));
    EXPECT_EQ(pauses(), (std::vector<int>{3000}));
    EXPECT_FALSE(fileExists("mars.dat.new"));
}

TEST_F(FrozenGame, DecoysAreDrawnOneToFourHundred)
{
    chance.reset();
    gameSrand(99);
    setPlayedState();
    console.queueKey(keyEsc);
    EXPECT_TRUE(ends([] { freezeGame(); }));
    const auto lines = linesOf(readFile("mars.dat"));
    for (int i = 0; i < 50; ++i) {
        const int decoy = std::stoi(lines[static_cast<std::size_t>(i)]);
        EXPECT_GE(decoy, 1);
        EXPECT_LE(decoy, 400);
    }
}

TEST_F(FrozenGame, ResumeGivesBackTheSavedFieldsAndOnlyThose)
{
    setPlayedState();
    freezeWithDecoys(1);
    resumeWith("r");
    EXPECT_EQ(mission.resumedGame, 1);
    EXPECT_EQ(mission.damage, 2);
    EXPECT_EQ(mission.warnings, 1);
    EXPECT_EQ(mission.fuel, 250);
    EXPECT_EQ(mission.spins, 17);
    EXPECT_EQ(mission.distanceLeft, 201);
    EXPECT_EQ(mission.phaserCells, 3);
    EXPECT_EQ(mission.barrierCharges, -1);
    EXPECT_EQ(mission.hasDiamond, 1);
    EXPECT_EQ(mission.hasPlatinum, 0);
    EXPECT_EQ(mission.hasGold, 1);
    EXPECT_EQ(mission.stationVisited, 1);
    EXPECT_EQ(mission.eventDeck.last, 2);
    EXPECT_EQ(mission.eventDeck.cards[2], 13);
    // What the file does not hold keeps its start value.
    EXPECT_EQ(mission.oxygen, 105);
    EXPECT_EQ(mission.rocksPlaced, 0);
    EXPECT_EQ(mission.goldSquare, 0);
    EXPECT_EQ(mission.eraDeck.cards[0], 0);
    EXPECT_EQ(mission.soundOn, 0);
    EXPECT_EQ(mission.zapfestMode, 0);
    EXPECT_TRUE(fileExists("mars.dat"));
    EXPECT_EQ(console.at(23, 20, 19), "Resuming prior game");
    EXPECT_EQ(console.at(23, 21, 46), "Resume prior game  or begin new game, R or B? ");
}

TEST_F(FrozenGame, AResumedGameFrozenAgainDiffersOnlyInTheDecoys)
{
    setPlayedState();
    freezeWithDecoys(5);
    const auto first = linesOf(readFile("mars.dat"));
    resumeWith("r");
    chance.emplace();
    freezeWithDecoys(300);
    const auto second = linesOf(readFile("mars.dat"));
    ASSERT_EQ(second.size(), 82u);
    for (std::size_t i = 0; i < 50; ++i) EXPECT_NE(first[i], second[i]);
    for (std::size_t i = 50; i < 82; ++i) EXPECT_EQ(first[i], second[i]) << "line " << i + 1;
}

TEST_F(FrozenGame, TheReaderSkipsExactlyFiftyNumbersWhateverTheyHold)
{
    for (long long decoy : {0LL, 1LL, 400LL, -5LL, 2147483647LL}) {
        MissionState state;
        ASSERT_TRUE(readFrozenGame(frozenText(goodFields, goodCards, decoy), state)) << decoy;
        EXPECT_EQ(state.damage, 2);
        EXPECT_EQ(state.eventDeck.cards[1], 4);
    }
    // Windows line ends and stray blanks read the same.
    std::string crlf;
    for (char c : frozenText(goodFields, goodCards)) crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    MissionState state;
    EXPECT_TRUE(readFrozenGame(crlf, state));
    EXPECT_EQ(state.spins, 17);
}

TEST_F(FrozenGame, AnyKeyButRBOrEscRedrawsThePromptAfterHalfASecond)
{
    writeFile("mars.dat", frozenText(goodFields, goodCards));
    console.queueKeys("x");
    console.queueKey(keyCtrlC);
    console.queueKeys("B");
    offerResume();
    EXPECT_EQ(pauses(), (std::vector<int>{500, 500, 500}));
    EXPECT_EQ(mission.resumedGame, 0);
    EXPECT_EQ(mission.fuel, 400);
}

TEST_F(FrozenGame, EscAtTheResumePromptLeavesWithTheFileKept)
{
    const std::string text = frozenText(goodFields, goodCards);
    writeFile("mars.dat", text);
    console.queueKey(keyEsc);
    console.queueKey(keyEsc);
    EXPECT_TRUE(ends([] { offerResume(); }));
    EXPECT_EQ(console.at(16, 12, 49), "SORRY YOU CANNOT PLAY NOW, PLEASE COME BACK SOON.");
    EXPECT_EQ(readFile("mars.dat"), text);
}

TEST_F(FrozenGame, NoFileMeansNoQuestion)
{
    offerResume();
    EXPECT_TRUE(console.log().empty());
}

TEST_F(FrozenGame, ResumeThenQuitDeletesTheFile)
{
    writeFile("mars.dat", frozenText(goodFields, goodCards));
    console.queueKeys("fr" "nn");
    console.queueKey(keyEsc);
    console.queueKeys("y");
    console.queueKey(keyEsc);
    EXPECT_TRUE(ends([] { runGame(); }));
    EXPECT_FALSE(fileExists("mars.dat"));
    EXPECT_EQ(console.rowText(1), "You made 17 spins of the cosmic wheel.");
    EXPECT_EQ(console.rowText(2), "You had 20 million 1 hundred thousand miles to go.");
}

TEST_F(FrozenGame, BeginningANewGameThenFreezingReplacesTheOldFile)
{
    writeFile("mars.dat", frozenText(goodFields, goodCards));
    chance.reset();
    console.queueKeys("fb" "nn" "b" "fy");
    console.queueKey(keyEsc);
    EXPECT_TRUE(ends([] { runGame(); }));
    const auto lines = linesOf(readFile("mars.dat"));
    ASSERT_EQ(lines.size(), 82u);
    EXPECT_EQ(lines[50], "0");    // damage
    EXPECT_EQ(lines[52], "400");  // fuel
    EXPECT_EQ(lines[53], "0");    // spins
}

// --- A freeze that cannot be written ------------------------------------------------------

class FreezeFault : public FrozenGame, public ::testing::WithParamInterface<FileFault> {};

TEST_P(FreezeFault, KeepsTheGameGoingAndTheOldFileWhole)
{
    const std::string old = frozenText(goodFields, goodCards);
    writeFile("mars.dat", old);
    setPlayedState();
    injectFileFault(GetParam());
    for (int i = 0; i < 50; ++i) chance->push(0);
    console.queueKeys("fy");
    EXPECT_THROW(wheelTurn(), ScriptExhausted);  // back at the wheel prompt
    injectFileFault(FileFault::None);
    EXPECT_EQ(readFile("mars.dat"), old);
    EXPECT_FALSE(fileExists("mars.dat.new"));
    const std::string message = console.rowText(23);
    EXPECT_NE(message.find("The game could not be frozen: "), std::string::npos) << message;
    EXPECT_LE(message.size(), 80u);
    EXPECT_EQ(console.rowText(24), "");
    EXPECT_EQ(console.at(17, 21, 17), "Spin cosmic wheel");
    for (int row = 1; row <= 25; ++row) EXPECT_EQ(console.rowText(row).find("FROZEN"), std::string::npos);
    EXPECT_EQ(mission.fuel, 250);
}

INSTANTIATE_TEST_SUITE_P(EveryStep, FreezeFault,
                         ::testing::Values(FileFault::Create, FileFault::Write, FileFault::Flush,
                                           FileFault::Close, FileFault::Rename));

TEST_F(FrozenGame, AFreezeInADirectoryThatCannotBeWrittenIsReported)
{
    // mars.dat a directory: the new file cannot take its place.
    std::filesystem::create_directory(scratch / "mars.dat");
    setPlayedState();
    for (int i = 0; i < 50; ++i) chance->push(0);
    console.queueKeys("fy");
    EXPECT_THROW(wheelTurn(), ScriptExhausted);
    EXPECT_NE(console.rowText(23).find("could not be frozen"), std::string::npos);
    EXPECT_TRUE(std::filesystem::is_directory(scratch / "mars.dat"));
    EXPECT_FALSE(fileExists("mars.dat.new"));
    if (geteuid() != 0) {  // root writes anywhere
        std::filesystem::remove(scratch / "mars.dat");
        chmod(scratch.c_str(), 0555);
        for (int i = 0; i < 50; ++i) chance->push(0);
        console.queueKeys("fy");
        EXPECT_THROW(wheelTurn(), ScriptExhausted);
        EXPECT_NE(console.rowText(23).find("could not be frozen"), std::string::npos);
        chmod(scratch.c_str(), 0755);
        EXPECT_FALSE(fileExists("mars.dat"));
    }
}

// --- A damaged file ------------------------------------------------------------------------

struct DamagedCase {
    const char* name;
    std::string text;
};

std::string withField(int index, long long value)
{
    std::vector<long long> fields = goodFields;
    fields[static_cast<std::size_t>(index)] = value;
    return frozenText(fields, goodCards);
}

std::string withCards(std::vector<long long> cards, long long last)
{
    std::vector<long long> fields = goodFields;
    fields[11] = last;
    cards.resize(20, 0);
    return frozenText(fields, cards);
}

class DamagedFile : public FrozenGame, public ::testing::WithParamInterface<DamagedCase> {};

TEST_P(DamagedFile, IsNeverResumedAndStaysAsItWas)
{
    const std::string text = GetParam().text;
    writeFile("mars.dat", text);
    MissionState state;
    EXPECT_FALSE(readFrozenGame(text, state));
    console.queueKeys("rR");
    console.queueKey(keyCtrlC);
    console.queueKeys("b");
    offerResume();
    EXPECT_EQ(mission.resumedGame, 0);
    EXPECT_EQ(mission.fuel, 400);
    EXPECT_EQ(console.at(23, 20, 49), "The frozen game is damaged and cannot be resumed.");
    EXPECT_EQ(readFile("mars.dat"), text);
}

INSTANTIATE_TEST_SUITE_P(
    Table, DamagedFile,
    ::testing::Values(
        DamagedCase{"empty", ""}, DamagedCase{"blank", "  \n\n"},
        DamagedCase{"short", frozenText(goodFields, goodCards).substr(0, 150)},
        DamagedCase{"oneMissing", frozenText(goodFields, {1, 2, 3, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0})},
        DamagedCase{"letters", "hello world\n"},
        DamagedCase{"numberAndLetters", [] {
                        std::string t = frozenText(goodFields, goodCards);
                        return t.replace(t.find("250"), 3, "25O");
                    }()},
        DamagedCase{"beyond32Bits", withField(2, 4294967296LL)},
        DamagedCase{"beyondInt32", withField(0, 2147483648LL)},
        DamagedCase{"hugeDecoy", [] {
                        std::string t = frozenText(goodFields, goodCards);
                        return "99999999999999999999\n" + t.substr(t.find('\n') + 1);
                    }()},
        DamagedCase{"fuelTooLarge", withField(2, 1000000001LL)},
        DamagedCase{"spinsTooNegative", withField(3, -1000000001LL)},
        DamagedCase{"diamondFlag2", withField(7, 2)}, DamagedCase{"goldFlagMinus1", withField(9, -1)},
        DamagedCase{"stationFlag7", withField(10, 7)},
        DamagedCase{"deckRepeats", withCards({3, 3}, 1)}, DamagedCase{"last20", withCards({1}, 20)},
        DamagedCase{"lastMinus1", withCards({1}, -1)}, DamagedCase{"card21", withCards({21}, 0)},
        DamagedCase{"cardAfterLast", withCards({1, 2, 3}, 1)}, DamagedCase{"gapInsideLast", withCards({1, 0, 3}, 2)},
        DamagedCase{"negativeCard", withCards({-4}, 0)}, DamagedCase{"nul", std::string(82, '\0')},
        DamagedCase{"minusAlone", [] {
                        std::string t = frozenText(goodFields, goodCards);
                        return t.replace(t.find("\n") + 1, 0, "-\n");
                    }()}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(FrozenGame, WhatFollowsTheEightyTwoNumbersIsNotRead)
{
    for (const char* tail : {"5\n", "\x1a", "notes of a space traveller\n", "-\n"}) {
        MissionState state;
        ASSERT_TRUE(readFrozenGame(frozenText(goodFields, goodCards) + tail, state)) << tail;
        EXPECT_EQ(state.eventDeck.cards[2], 13);
    }
    // The last number itself must be whole.
    std::string text = frozenText(goodFields, goodCards);
    text.back() = 'x';
    MissionState state;
    EXPECT_FALSE(readFrozenGame(text, state));
}

TEST_F(FrozenGame, CountersKeepWhatTheFileHoldsWithoutClamping)
{
    MissionState state;
    ASSERT_TRUE(readFrozenGame(withField(2, -35), state));
    EXPECT_EQ(state.fuel, -35);
    ASSERT_TRUE(readFrozenGame(withField(4, 1000000000), state));
    EXPECT_EQ(state.distanceLeft, 1000000000);
    ASSERT_TRUE(readFrozenGame(withField(6, -1000000000), state));
    EXPECT_EQ(state.barrierCharges, -1000000000);
    std::vector<long long> full;
    for (int kind = 20; kind >= 1; --kind) full.push_back(kind);
    ASSERT_TRUE(readFrozenGame(withCards(full, 19), state));
    EXPECT_EQ(state.eventDeck.cards[19], 1);
}

TEST_F(FrozenGame, ThousandsOfMutationsNeverResumeGarbage)
{
    const std::string good = frozenText(goodFields, goodCards);
    std::mt19937 random(2026);
    const std::string alphabet = "0123456789-+ \n\r\tx.";
    int accepted = 0;
    for (int i = 0; i < 4000; ++i) {
        std::string text = good;
        const int edits = 1 + static_cast<int>(random() % 4);
        for (int e = 0; e < edits; ++e) {
            const std::size_t at = random() % (text.size() + 1);
            switch (random() % 4) {
            case 0: text.insert(at, 1, alphabet[random() % alphabet.size()]); break;
            case 1: if (at < text.size()) text.erase(at, 1); break;
            case 2: if (at < text.size()) text[at] = alphabet[random() % alphabet.size()]; break;
            default: if (at < text.size()) text[at] = static_cast<char>(random() % 256); break;
            }
        }
        MissionState state;
        if (readFrozenGame(text, state)) {
            ++accepted;
            // Whatever was accepted is a sound game.
            ASSERT_TRUE(deckIsValid(state.eventDeck));
            for (int flag : {state.hasDiamond, state.hasPlatinum, state.hasGold, state.stationVisited})
                ASSERT_TRUE(flag == 0 || flag == 1);
            for (int counter : {state.damage, state.warnings, state.fuel, state.spins, state.distanceLeft,
                                state.phaserCells, state.barrierCharges})
                ASSERT_LE(std::abs(static_cast<long long>(counter)), 1000000000LL);
        }
    }
    EXPECT_LT(accepted, 4000);
}

TEST_F(FrozenGame, AMutatedFileOnDiskIsLeftByteForByte)
{
    const std::string good = frozenText(goodFields, goodCards);
    std::mt19937 random(7);
    for (int i = 0; i < 200; ++i) {
        std::string text = good;
        text[random() % text.size()] = static_cast<char>(random() % 256);
        writeFile("mars.dat", text);
        MissionState before = mission;
        console = ScriptedConsole();
        installConsole(console);
        console.queueKeys("r");
        console.queueKey(keyEsc);
        console.queueKey(keyEsc);
        const bool ended = ends([] { offerResume(); });
        EXPECT_EQ(readFile("mars.dat"), text);
        if (!ended) {
            EXPECT_EQ(mission.resumedGame, 1);  // it was still a sound game
            mission = before;
        }
    }
}

}  // namespace
