// A hostile terminal: signals in every kind of wait, kills in the middle of a freeze, input
// that ends at every prompt, bursts of garbage typed ahead. The program must give the player's
// terminal back, keep the frozen game whole and keep answering keys.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "console/posix_pty_expect.h"
#include "console/posix_pty_session.h"
#include "mission/mission_state.h"
#include "persist/frozen_game.h"

namespace fs = std::filesystem;

namespace {

// A folder of its own for one test, gone again at the end.
struct Scratch {
    const fs::path path = fs::temp_directory_path() / ("zorvane_hostile_" + std::to_string(getpid()));
    Scratch()
    {
        fs::remove_all(path);
        fs::create_directories(path);
    }
    ~Scratch() { fs::remove_all(path); }
    void put(const std::string& name, const std::string& bytes) const
    {
        fs::create_directories((path / name).parent_path());
        std::ofstream(path / name, std::ios::binary) << bytes;
    }
    std::string get(const std::string& name) const
    {
        std::ifstream in(path / name, std::ios::binary);
        std::stringstream bytes;
        bytes << in.rdbuf();
        return bytes.str();
    }
};

// An 8-bit mono sound of a minute's silence: far longer than any test waits.
std::string longWav()
{
    const std::uint32_t rate = 8000, frames = rate * 60;
    std::string file = "RIFF";
    auto put = [&file](std::uint32_t value, int bytes) {
        for (int i = 0; i < bytes; ++i) file.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
    };
    put(36 + frames, 4);
    file += "WAVEfmt ";
    put(16, 4), put(1, 2), put(1, 2), put(rate, 4), put(rate, 4), put(1, 2), put(8, 2);
    file += "data";
    put(frames, 4);
    file.append(frames, '\x80');
    return file;
}

// A frozen game the driver wrote, kept whole only when the game itself would resume it.
bool isWholeFrozenGame(const std::string& text)
{
    MissionState state{};
    return !text.empty() && text.back() == '\n' && readFrozenGame(text, state);
}

std::string freezeInto(const Scratch& scratch)
{
    PtyLaunch launch = driverLaunch({"freeze"});
    launch.workDir = scratch.path.string();
    PtySession session(launch);
    EXPECT_TRUE(session.waitFor("frozen\r\n")) << session.printableOutput();
    session.waitExit();
    return scratch.get("mars.dat");
}

// ---- signals in every kind of wait ----

struct SignalCase {
    int signal;
    const char* wait;  // pause, key, line or sound
};

void PrintTo(const SignalCase& c, std::ostream* os) { *os << strsignal(c.signal) << " in " << c.wait; }

class SignalsInWaits : public ::testing::TestWithParam<SignalCase> {};

// The sound plays into a file device whose file is a pipe that the test never reads: once the
// pipe is full the playback blocks, as a slow sound card would, for as long as the test likes.
TEST_P(SignalsInWaits, GiveTheTerminalBackWithinASecond)
{
    const std::string wait = GetParam().wait;
    Scratch scratch;
    std::string action = wait == "pause" ? "pause:10000" : wait;
    PtyLaunch launch;
    int soundPipe = -1;
    if (wait == "sound") {
        const fs::path pipe = scratch.path / "card";
        ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
        soundPipe = open(pipe.c_str(), O_RDONLY | O_NONBLOCK);
        scratch.put("home/.asoundrc", "pcm.!default {\n type file\n slave.pcm null\n file \"" + pipe.string() +
                                          "\"\n}\n");
        scratch.put("data/long.wav", longWav());
        action = "sound:data\\long.wav";
    }
    launch = driverLaunch({"ready", action, "end"});
    launch.workDir = scratch.path.string();
    launch.env.push_back({"HOME", (scratch.path / "home").string()});
    PtySession session(launch);
    ASSERT_TRUE(session.waitFor("READY\r\n")) << session.printableOutput();
    if (wait == "line") {
        ASSERT_TRUE(session.waitForLineMode());
    }
    if (wait == "sound") {
        pollfd playing{soundPipe, POLLIN, 0};
        ASSERT_EQ(poll(&playing, 1, 2000), 1) << "the sound never started";
    }
    session.waitFor("never shown", 100);  // well inside the wait
    ASSERT_TRUE(session.running());

    const long long start = monotonicMicros();
    kill(session.pid(), GetParam().signal);
    EXPECT_EQ(session.waitExit(1000), 0);
    EXPECT_LT(monotonicMicros() - start, 1000000);
    expectCookedModes(session.modes());
    expectScreenGivenBack(session.output());
    if (soundPipe >= 0) close(soundPipe);
}

std::vector<SignalCase> signalCases()
{
    std::vector<SignalCase> cases;
    for (int signal : {SIGTERM, SIGHUP, SIGQUIT})
        for (const char* wait : {"pause", "key", "line", "sound"}) cases.push_back({signal, wait});
    return cases;
}

INSTANTIATE_TEST_SUITE_P(Hostile, SignalsInWaits, ::testing::ValuesIn(signalCases()),
                         [](const auto& info) {
                             return std::string(sigabbrev_np(info.param.signal)) + "_" + info.param.wait;
                         });

// ---- kills in the middle of a freeze ----

// The driver freezes the game again and again over an old frozen game and is killed at a
// random moment: the file is always the old game or a whole new one, a leftover temporary
// file never stops the next freeze, and the game still starts and offers to resume.
TEST(Hostile, KillsDuringAFreezeLeaveAWholeFrozenGame)
{
    Scratch scratch;
    const std::string old = freezeInto(scratch);
    ASSERT_TRUE(isWholeFrozenGame(old));
    std::mt19937 chance(20261207);
    std::uniform_int_distribution<int> delayMicros(0, 3000);
    const int kills = 250;
    int oldKept = 0, leftovers = 0;
    const long long start = monotonicMicros();
    for (int i = 0; i < kills; ++i) {
        PtyLaunch launch = driverLaunch({"freezes"});
        launch.workDir = scratch.path.string();
        PtySession session(launch);
        ASSERT_TRUE(session.waitFor("FREEZING\r\n")) << session.printableOutput();
        const long long until = monotonicMicros() + delayMicros(chance);
        while (monotonicMicros() < until) {
        }
        kill(session.pid(), SIGKILL);
        ASSERT_EQ(session.waitExit(), 128 + SIGKILL) << "a freeze failed:\n" << session.printableOutput();
        const std::string now = scratch.get("mars.dat");
        if (now == old) ++oldKept;
        else {
            ASSERT_TRUE(isWholeFrozenGame(now)) << "kill " << i << " left:\n" << now;
        }
        if (fs::exists(scratch.path / ("mars.dat." + std::to_string(session.pid()) + ".tmp"))) ++leftovers;
    }
    std::cout << "[ freezes ] " << kills << " kills in " << (monotonicMicros() - start) / 1000 << " ms; "
              << leftovers << " inside the write (a temporary file left), " << oldKept
              << " before the first rename\n";

    const std::string leftover = "mars.dat.4194305.tmp";  // named for a process that cannot exist
    scratch.put(leftover, "12\n3");  // a half-written leftover, as a kill leaves it
    EXPECT_TRUE(isWholeFrozenGame(freezeInto(scratch)));
    EXPECT_FALSE(fs::exists(scratch.path / leftover));

    scratch.put(leftover, "12\n3");
    PtyLaunch game;
    game.argv = {ZORVANE_PROGRAM_PATH};
    game.workDir = scratch.path.string();
    PtySession session(game);
    ASSERT_TRUE(session.waitFor("F or W  ")) << session.printableOutput();
    session.send("f");
    EXPECT_TRUE(session.waitFor("Resume prior game  or begin new game, R or B? ")) << session.printableOutput();
    EXPECT_FALSE(fs::exists(scratch.path / leftover));  // cleared by the start
}

// ---- the end of input at every prompt ----

enum class InputEnd { hangUp, closedTerminal, pipeRunsOut, devNull };

struct Step {
    const char* shown;  // the prompt
    const char* typed;  // the key that answers it
};

struct PromptCase {
    const char* name;
    bool game;           // the real game, or the driver
    bool frozenGame;     // a frozen game waits in the working directory
    std::vector<Step> steps;
    const char* prompt;  // where the input ends
    InputEnd end;
};

void PrintTo(const PromptCase& c, std::ostream* os) { *os << c.name; }

class EndOfInput : public ::testing::TestWithParam<PromptCase> {};

TEST_P(EndOfInput, EndsTheProgramWithinASecond)
{
    const PromptCase& c = GetParam();
    Scratch scratch;
    if (c.frozenGame) freezeInto(scratch);
    PtyLaunch launch = c.game ? PtyLaunch{} : driverLaunch({"ready", c.prompt});
    if (c.game) launch.argv = {ZORVANE_PROGRAM_PATH};
    launch.workDir = scratch.path.string();
    launch.controllingTerminal = c.end != InputEnd::closedTerminal;
    if (c.end == InputEnd::devNull) launch.keys = KeySource::devNull;
    if (c.end == InputEnd::pipeRunsOut) {
        launch.keys = KeySource::pipe;
        for (const Step& step : c.steps) launch.pipedKeys += step.typed;
        if (!c.game && std::string(c.prompt) == "line") launch.pipedKeys = "12";  // a line cut short
    }
    PtySession session(launch);
    const bool typing = c.end == InputEnd::hangUp || c.end == InputEnd::closedTerminal;
    for (const Step& step : c.steps) {
        ASSERT_TRUE(session.waitFor(step.shown)) << session.printableOutput();
        if (typing) session.send(step.typed);
    }
    if (typing) {
        ASSERT_TRUE(session.waitFor(c.game ? c.prompt : "READY\r\n")) << session.printableOutput();
        if (!c.game && std::string(c.prompt) == "line") {
            ASSERT_TRUE(session.waitForLineMode());
        }
        session.waitFor("never shown", 50);
        ASSERT_TRUE(session.running());
        session.hangUp();
    } else if (c.game) {
        EXPECT_TRUE(session.waitFor(c.prompt)) << session.printableOutput();
    }
    const long long start = monotonicMicros();
    EXPECT_EQ(session.waitExit(1000), 0) << session.printableOutput();
    EXPECT_LT(monotonicMicros() - start, 1000000);
}

std::vector<PromptCase> promptCases()
{
    const Step mode{"F or W  ", "f"}, resume{"R or B? ", "r"}, noInstructions{"instructions?  Y or N  ", "n"},
        noSound{"sound effects?  Y or N     ", "n"};
    const std::vector<PromptCase> prompts = {
        {"driverKeyWait", false, false, {}, "key", InputEnd::hangUp},
        {"driverLineEntry", false, false, {}, "line", InputEnd::hangUp},
        {"titleScreen", true, false, {}, "F or W  ", InputEnd::hangUp},
        {"resumePrompt", true, true, {mode}, "R or B? ", InputEnd::hangUp},
        {"instructionPage", true, false, {mode, {"instructions?  Y or N  ", "y"}},
         "Press C to continue or R to return to the game.  ", InputEnd::hangUp},
        {"launchPad", true, false, {mode, noInstructions, noSound}, "Press B to blast off  ", InputEnd::hangUp},
        {"wheelPrompt", true, true, {mode, resume, noInstructions, noSound}, "Spin cosmic wheel", InputEnd::hangUp},
        {"endOfMissionEscapeWait", true, false, {{"F or W  ", "\x1b"}}, "Press ESCAPE to exit ", InputEnd::hangUp},
    };
    const std::pair<InputEnd, const char*> ends[] = {{InputEnd::hangUp, "_hangUp"},
                                                     {InputEnd::closedTerminal, "_closedTerminal"},
                                                     {InputEnd::pipeRunsOut, "_pipeRunsOut"},
                                                     {InputEnd::devNull, "_devNull"}};
    static std::vector<std::string> names;  // the cases point into it
    names.reserve(prompts.size() * 4);
    std::vector<PromptCase> cases;
    for (const PromptCase& prompt : prompts) {
        for (const auto& [end, suffix] : ends) {
            if (end == InputEnd::devNull && !prompt.steps.empty()) continue;  // no keys reach it
            names.push_back(std::string(prompt.name) + suffix);
            PromptCase c = prompt;
            c.name = names.back().c_str();
            c.end = end;
            cases.push_back(c);
        }
    }
    return cases;
}

INSTANTIATE_TEST_SUITE_P(Hostile, EndOfInput, ::testing::ValuesIn(promptCases()),
                         [](const auto& info) { return std::string(info.param.name); });

// ---- garbage typed ahead ----

// Bursts of ten thousand random bytes, the first during a pause: the first key read is the
// first byte, whatever is pending after each key is dropped, and the program still answers.
TEST(Hostile, BurstsOfRandomBytesAreDroppedAndTheProgramAnswers)
{
    PtySession session(driverLaunch({"ready", "pause:300", "keys"}));
    ASSERT_TRUE(session.waitFor("READY\r\n"));
    std::mt19937 chance(7);
    for (int burst = 0; burst < 5; ++burst) {
        std::string bytes(10000, '\0');
        for (char& byte : bytes) byte = static_cast<char>(chance());
        if (burst == 0) bytes[0] = 'a';
        session.send(bytes);
        if (burst == 0) {
            EXPECT_TRUE(session.waitFor("key 97\r\n")) << session.printableOutput();
        }
        const std::size_t before = session.output().size();
        session.waitFor("never shown", 200);  // lets a trailing ESC time out
        const std::string after = session.output().substr(before);
        std::size_t keys = 0;
        for (std::size_t at = after.find("key "); at != std::string::npos; at = after.find("key ", at + 1)) ++keys;
        EXPECT_LT(keys, 100u) << "keys read from a burst of 10000 bytes";
        session.send("q");
        ASSERT_TRUE(session.waitFor("key 113\r\n")) << "burst " << burst;
    }
    ASSERT_TRUE(session.running());
    kill(session.pid(), SIGTERM);
    EXPECT_EQ(session.waitExit(1000), 0);
    expectCookedModes(session.modes());
}

// ---- control keys inside a line ----

// In the line entry the control keys a terminal treats specially are only characters: Ctrl-D
// (the terminal's end of file) at the start of a line or inside it ends neither the line nor
// the program, and Ctrl-Z and Ctrl-\ raise no signal.
TEST(Hostile, ControlKeysInALineAreCharacters)
{
    PtySession session(driverLaunch({"ready", "line", "line", "line", "key"}));
    ASSERT_TRUE(session.waitFor("READY\r\n"));
    ASSERT_TRUE(session.waitForLineMode());
    session.send("\x04");
    session.waitFor("never shown", 100);
    ASSERT_TRUE(session.running()) << "Ctrl-D at the start of a line ended the program";
    session.send("7\r");
    EXPECT_TRUE(session.waitFor("line 2 \x04" "7\r\n")) << session.printableOutput();
    ASSERT_TRUE(session.waitForLineMode());
    session.send("1\x04" "2\r");
    EXPECT_TRUE(session.waitFor("line 3 1\x04" "2\r\n")) << session.printableOutput();
    ASSERT_TRUE(session.waitForLineMode());
    session.send("\x1a\x1c" "3\r");
    EXPECT_TRUE(session.waitFor("line 3 \x1a\x1c" "3\r\n")) << session.printableOutput();
    session.send("k");
    EXPECT_TRUE(session.waitFor("key 107\r\n")) << session.printableOutput();
}

}  // namespace
