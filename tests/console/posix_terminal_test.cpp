// The real terminal backend, run on a pseudo-terminal: through the driver program, which does
// console actions, and through the game itself. One case for each rule of the terminal.
#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
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

#define ASSERT_SEEN(session, text) \
    ASSERT_TRUE((session).waitFor(text)) << "waiting for " << (text) << ", got:\n" << (session).printableOutput()

// A folder of its own for one test, gone again at the end.
struct Scratch {
    const fs::path path = fs::temp_directory_path() / ("zorvane_pty_" + std::to_string(getpid()));
    Scratch() { fs::remove_all(path), fs::create_directories(path); }
    ~Scratch() { fs::remove_all(path); }
    std::string get(const std::string& name) const
    {
        std::stringstream bytes;
        bytes << std::ifstream(path / name, std::ios::binary).rdbuf();
        return bytes.str();
    }
    PtyLaunch in(PtyLaunch launch) const { return launch.workDir = path.string(), launch; }
};

PtyLaunch game()
{
    PtyLaunch launch;
    launch.argv = {ZORVANE_PROGRAM_PATH};
    return launch;
}

// Each key arrives unechoed as its code; the keys a terminal would turn into a signal, a stop
// or the end of input are keys like any other. Arrow and function keys give no key at all; a
// lone ESC is a key of its own, and so is an ESC followed by anything but "[" or "O".
struct KeyCase {
    const char* typed;
    int key;
};

class Keys : public ::testing::TestWithParam<KeyCase> {};

TEST_P(Keys, ArriveUnechoedAsTheirCodes)
{
    PtySession session(driverLaunch({"ready", "key", "ready"}));
    ASSERT_SEEN(session, "READY\r\n");
    session.send(GetParam().typed);
    const auto between = session.waitFor("key " + std::to_string(GetParam().key) + "\r\n");
    ASSERT_TRUE(between) << session.printableOutput();
    EXPECT_EQ(*between, "") << "echoed";
    ASSERT_SEEN(session, "READY\r\n");
}

INSTANTIATE_TEST_SUITE_P(PosixTerminal, Keys,
                         ::testing::Values(KeyCase{"B", 'B'}, KeyCase{"\n", 13}, KeyCase{"\x03", 3},
                                           KeyCase{"\x1c", 28}, KeyCase{"\x1a", 26}, KeyCase{"\x04", 4},
                                           KeyCase{"\x13", 19}, KeyCase{"\xe9", 0xe9}, KeyCase{"\x1b", 27},
                                           KeyCase{"\x1b[A" "z", 'z'}, KeyCase{"\x1b[15~" "z", 'z'},
                                           KeyCase{"\x1bOP" "z", 'z'}, KeyCase{"\x1b" "x", 27}, KeyCase{"\x1b\x1b[B", 27}));

// Keys typed while the game pauses wait for the next read, which takes the first and drops the
// rest; so do bursts of random bytes, and the program still answers.
TEST(PosixTerminal, TypeAheadKeepsOnlyTheFirstKey)
{
    PtySession session(driverLaunch({"ready", "pause:300", "keys"}));
    ASSERT_SEEN(session, "READY\r\n");
    std::mt19937 chance(7);
    for (int burst = 0; burst < 3; ++burst) {
        std::string bytes(burst == 0 ? 3 : 10000, 'b');
        for (std::size_t i = 1; burst > 0 && i < bytes.size(); ++i) bytes[i] = static_cast<char>(chance());
        bytes[0] = 'a';
        session.send(bytes);
        ASSERT_SEEN(session, "key 97\r\n");
        const std::size_t before = session.output().size();
        session.waitFor("never shown", 200);  // lets a trailing ESC time out
        EXPECT_LT(session.output().size() - before, 1000u) << "keys read from the burst";
        session.send("q");
        ASSERT_SEEN(session, "key 113\r\n");
    }
}

struct OutputCase {
    const char* action;
    const char* lang;
    const char* bytes;  // what the terminal is sent for the action
};

class Output : public ::testing::TestWithParam<OutputCase> {};

TEST_P(Output, SendsTheTerminalTheseBytes)
{
    PtyLaunch launch = driverLaunch({"ready", GetParam().action, "done"});
    launch.env = {{"LANG", GetParam().lang}};
    PtySession session(launch);
    ASSERT_SEEN(session, "READY\r\n");
    const auto between = session.waitFor("DONE\r\n");
    ASSERT_TRUE(between) << session.printableOutput();
    EXPECT_EQ(*between, GetParam().bytes);
}

INSTANTIATE_TEST_SUITE_P(PosixTerminal, Output,
                         ::testing::Values(OutputCase{"newline", "C", "ab\r\ncd"},
                                           OutputCase{"move:80,25", "C", "\x1b[25;80H"},
                                           OutputCase{"clear", "C", "\x1b[2J\x1b[H"},
                                           OutputCase{"dash", "C.UTF-8", "<\xe2\x96\xb2>"},
                                           OutputCase{"dash", "xx_YY.UTF-8", "<\xe2\x96\xb2>"},
                                           OutputCase{"dash", "POSIX", "<^>"},
                                           OutputCase{"sound:data\\nothing.wav", "C", ""}));

// Pauses last at least the time asked, and waiting for a key or a pause costs no processor time.
TEST(PosixTerminal, PausesSleep)
{
    PtySession session(driverLaunch({"pause:250", "ready", "key"}));
    ASSERT_SEEN(session, "slept ");
    const auto slept = session.waitFor("\r\n");
    ASSERT_TRUE(slept);
    EXPECT_GE(std::stoi(*slept), 250);
    EXPECT_LT(std::stoi(*slept), 750);
    ASSERT_SEEN(session, "READY\r\n");
    const long long startCpu = session.cpuMicros();
    session.waitFor("never shown", 300);
    if (startCpu >= 0) EXPECT_LT(session.cpuMicros() - startCpu, 30000);
}

// The line entry echoes and edits, bounds a long line, and takes control keys as characters;
// raw mode comes back after it.
TEST(PosixTerminal, ReadLine)
{
    PtySession session(driverLaunch({"ready", "line", "line", "line", "key"}));
    ASSERT_SEEN(session, "READY\r\n");
    ASSERT_TRUE(session.waitForLineMode());
    session.send(std::string(10000, 'x') + "\r");
    ASSERT_SEEN(session, "line ");
    const auto length = session.waitFor(" ");
    ASSERT_TRUE(length);
    EXPECT_GT(std::stoi(*length), 0);
    EXPECT_LE(std::stoi(*length), 4096);
    ASSERT_TRUE(session.waitForLineMode());
    session.send("43\x7f" "2\r");
    const auto echo = session.waitFor("line 2 42\r\n");
    ASSERT_TRUE(echo) << session.printableOutput();
    EXPECT_NE(echo->find("4"), std::string::npos) << "typed digits are echoed";
    ASSERT_TRUE(session.waitForLineMode());
    session.send("\x04\x03\x1a\x1c" "3\r");
    ASSERT_SEEN(session, "line 5 \x04\x03\x1a\x1c" "3\r\n");
    session.send("k");
    const auto between = session.waitFor("key 107\r\n");
    ASSERT_TRUE(between) << session.printableOutput();
    EXPECT_EQ(*between, "");
}

// Every way out gives the terminal back as it was: the end of the program, a signal in each
// kind of wait, a hang-up (with or without a controlling terminal), and input that runs out.
struct WayOut {
    const char* wait;
    int signal;  // 0: a key ends it; -1: the terminal hangs up; -2: the same, not controlling
};

void PrintTo(const WayOut& c, std::ostream* os) { *os << c.wait << " " << c.signal; }

class WaysOut : public ::testing::TestWithParam<WayOut> {};

TEST_P(WaysOut, GiveTheTerminalBack)
{
    PtyLaunch launch = driverLaunch({"ready", GetParam().wait, "end"});
    launch.controllingTerminal = GetParam().signal != -2;
    PtySession session(launch);
    ASSERT_SEEN(session, "READY\r\n");
    if (std::string(GetParam().wait) == "line") {
        ASSERT_TRUE(session.waitForLineMode());
    }
    session.waitFor("never shown", 50);
    ASSERT_TRUE(session.running());
    if (GetParam().signal == 0) session.send("q\r");
    if (GetParam().signal > 0) kill(session.pid(), GetParam().signal);
    if (GetParam().signal < 0) session.hangUp();
    EXPECT_EQ(session.waitExit(1000), 0);
    if (GetParam().signal < 0) return;
    expectCookedModes(session.modes());
    expectScreenGivenBack(session.output());
}

INSTANTIATE_TEST_SUITE_P(PosixTerminal, WaysOut,
                         ::testing::Values(WayOut{"key", 0}, WayOut{"line", 0}, WayOut{"key", SIGINT},
                                           WayOut{"pause:10000", SIGTERM}, WayOut{"key", SIGHUP},
                                           WayOut{"line", SIGQUIT}, WayOut{"line", SIGTERM}, WayOut{"key", -1},
                                           WayOut{"line", -2}, WayOut{"pause:300", -2}));

// Keys from a pipe are all read, without raw mode; when they run out (or there never were any)
// the program ends with status 0.
struct PipedCase {
    KeySource keys;
    const char* piped;
    const char* shown;
};

class PipedKeys : public ::testing::TestWithParam<PipedCase> {};

TEST_P(PipedKeys, AreAllReadThenTheProgramEnds)
{
    PtyLaunch launch = driverLaunch({"keys"});
    launch.keys = GetParam().keys;
    launch.pipedKeys = GetParam().piped;
    PtySession session(launch);
    EXPECT_EQ(session.waitExit(1000), 0);
    const std::string& out = session.output();
    const std::size_t first = out.find("key ");
    EXPECT_EQ(first == std::string::npos ? "" : out.substr(first), GetParam().shown);
    expectCookedModes(session.modes());
}

INSTANTIATE_TEST_SUITE_P(
    PosixTerminal, PipedKeys,
    ::testing::Values(PipedCase{KeySource::pipe, "ab\n\x1b", "key 97\r\nkey 98\r\nkey 13\r\nkey 27\r\n\x1b[?25h\x1b[?1049l"},
                      PipedCase{KeySource::devNull, "", ""}, PipedCase{KeySource::closed, "", ""},
                      PipedCase{KeySource::writeOnly, "", ""}));

TEST(PosixTerminal, PipedLinesKeepTheirStartAndDropTheRest)
{
    PtyLaunch launch = driverLaunch({"line", "line", "key", "line"});
    launch.keys = KeySource::pipe;
    launch.pipedKeys = std::string(20000, 'y') + "\n42\r\nk9";
    PtySession session(launch);
    ASSERT_SEEN(session, "line 4096 yyyyyyyyyyyyyyyy\r\n");
    ASSERT_SEEN(session, "line 2 42\r\n");
    ASSERT_SEEN(session, "key 107\r\n");
    EXPECT_EQ(session.waitExit(1000), 0);  // "9" with no line end, then the end of input
    EXPECT_EQ(session.output().find("line 1"), std::string::npos);
}

// A window smaller than the game's screen gets a notice until a key or a larger window.
TEST(PosixTerminal, ASmallWindowGetsANotice)
{
    for (unsigned short cols : {79, 80}) {
        PtyLaunch launch = driverLaunch({"ready", "key"});
        launch.cols = cols;
        PtySession session(launch);
        if (cols == 79) {
            ASSERT_SEEN(session, "(this one is 79x25). Enlarge it or press a key.");
            EXPECT_FALSE(session.waitFor("READY", 200));
            session.resize(80, 24);
            ASSERT_SEEN(session, "(this one is 80x24)");
            session.send("q");
        }
        const auto before = session.waitFor("READY\r\n");
        ASSERT_TRUE(before) << session.printableOutput();
        EXPECT_EQ(before->find("Zorvane needs"), std::string::npos);
    }
}

// The game itself: Ctrl-C refused at the title, ESC to the quit screen and out; the end of
// input at a prompt of the game ends it too.
TEST(PosixTerminal, TheGameQuitsFromTheTitleScreen)
{
    Scratch scratch;
    PtySession session(scratch.in(game()));
    const char* modeQuestion = "\x1b[21;23HFull game or Zapfest Game?  F or W  ";
    ASSERT_SEEN(session, "\x1b[2J\x1b[H\x1b[7;33HZORVANE");
    ASSERT_SEEN(session, modeQuestion);
    session.send("\x03");
    ASSERT_SEEN(session, modeQuestion);
    session.send("\x1b");
    ASSERT_SEEN(session, "\x1b[12;16HSORRY YOU CANNOT PLAY NOW, PLEASE COME BACK SOON.");
    ASSERT_SEEN(session, "Press ESCAPE to exit ");
    session.send("\x1b");
    EXPECT_EQ(session.waitExit(1000), 0);
    expectCookedModes(session.modes());
    expectScreenGivenBack(session.output());

    PtyLaunch piped = scratch.in(game());
    piped.keys = KeySource::pipe;
    piped.pipedKeys = "fnn";
    PtySession launchPad(piped);
    ASSERT_SEEN(launchPad, "Press B to blast off  ");
    EXPECT_EQ(launchPad.waitExit(1000), 0);
}

// The driver freezes the game again and again over an old frozen game and is killed at a
// random moment: the file is always the old game or a whole new one, and a leftover temporary
// file never stops the next freeze. ZORVANE_FREEZE_KILLS sets the number of kills (250 finds
// a fault of the kind nearly always; the default keeps the suite quick).
TEST(PosixTerminal, KillsDuringAFreezeLeaveAWholeFrozenGame)
{
    Scratch scratch;
    auto freeze = [&scratch](const char* action) {
        auto session = std::make_unique<PtySession>(scratch.in(driverLaunch({action})));
        EXPECT_TRUE(session->waitFor(std::string(action) == "freezes" ? "FREEZING\r\n" : "frozen\r\n"));
        return session;
    };
    auto whole = [](const std::string& text) {
        MissionState state{};
        return !text.empty() && text.back() == '\n' && readFrozenGame(text, state);
    };
    freeze("freeze")->waitExit();
    const std::string old = scratch.get("mars.dat");
    ASSERT_TRUE(whole(old));
    const char* asked = std::getenv("ZORVANE_FREEZE_KILLS");
    const int kills = asked ? std::atoi(asked) : 25;
    std::mt19937 chance(20261207);
    for (int i = 0; i < kills; ++i) {
        auto session = freeze("freezes");
        const long long until = monotonicMicros() + chance() % 3000;
        while (monotonicMicros() < until) {
        }
        kill(session->pid(), SIGKILL);
        ASSERT_EQ(session->waitExit(), 128 + SIGKILL) << "a freeze failed:\n" << session->printableOutput();
        const std::string now = scratch.get("mars.dat");
        ASSERT_TRUE(now == old || whole(now)) << "kill " << i << " left:\n" << now;
    }
    const std::string leftover = "mars.dat.4194305.tmp";  // named for a process that cannot exist
    std::ofstream(scratch.path / leftover) << "12\n3";       // a half-written leftover
    freeze("freeze")->waitExit();
    EXPECT_TRUE(whole(scratch.get("mars.dat")));
    EXPECT_FALSE(fs::exists(scratch.path / leftover));
}

}  // namespace
