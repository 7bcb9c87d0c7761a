// The real terminal backend, run on a pseudo-terminal through the driver program, which does
// console actions. One case for each rule of the terminal; the game's own screens and keys are
// proven on the scripted console.
#include <gtest/gtest.h>

#include <csignal>
#include <functional>
#include <random>

#include "console/posix_pty_session.h"

namespace {

// On failure, all the output with its control bytes escaped.
#define ASSERT_SEEN(session, text) \
    ASSERT_TRUE((session).waitFor(text)) << "waiting for " << (text) << ", got " << ::testing::PrintToString((session).output())

// Waits until the terminal is in canonical mode: the program is reading a line.
bool inLineMode(PtySession& session) { return session.waitUntil([&] { return session.modes().c_lflag & ICANON; }); }

PtyLaunch driver(std::vector<std::string> actions, const char* lang = "C")
{
    actions.insert(actions.begin(), ZORVANE_DRIVER_PATH);
    return PtyLaunch(actions, lang);
}

// Every way out gives the terminal back as a fresh one starts, and the player's own screen
// with the cursor showing.
void expectGivenBack(const PtySession& session)
{
    EXPECT_EQ(session.modes().c_lflag, session.freshModes().c_lflag);
    const std::string& out = session.output();
    EXPECT_NE(out.find("\x1b[?25h\x1b[?1049l", out.find("\x1b[?1049h")), std::string::npos) << ::testing::PrintToString(session.output());
}

// Each key arrives unechoed as its code; the keys a terminal would turn into a signal, a stop
// or the end of input are keys like any other. Arrow and function keys give no key at all; a
// lone ESC is a key of its own, and so is an ESC followed by anything but "[" or "O". Before
// the key: the bytes of a line end, a clear and the dash byte (a triangle where the locale takes
// UTF-8, "^" elsewhere, as in the redraw test).
class Keys : public ::testing::TestWithParam<std::pair<const char*, int>> {};

TEST_P(Keys, ArriveUnechoedAsTheirCodes)
{
    PtySession session(driver({"newline", "clear", "dash", "ready", "key"}, "xx_YY.UTF-8"));
    ASSERT_SEEN(session, "ab\r\ncd\x1b[2J\x1b[H<\xe2\x96\xb2>READY\r\n");
    session.send(GetParam().first);
    EXPECT_EQ(session.waitFor("key " + std::to_string(GetParam().second) + "\r\n"), "") << ::testing::PrintToString(session.output());
}

INSTANTIATE_TEST_SUITE_P(PosixTerminal, Keys,
                         ::testing::Values(std::pair{"B", 'B'}, std::pair{"\n", 13}, std::pair{"\x03", 3},
                                           std::pair{"\x1a", 26}, std::pair{"\x04", 4}, std::pair{"\x13", 19},
                                           std::pair{"\xe9", 0xe9}, std::pair{"\x1b", 27}, std::pair{"\x1b[A" "z", int('z')},
                                           std::pair{"\x1b[15~" "z", int('z')}, std::pair{"\x1bOP" "z", int('z')},
                                           std::pair{"\x1b" "x", 27}, std::pair{"\x1b\x1b[B", 27}));

// The line entry echoes and edits, and takes control keys as characters (the redraw test shows
// raw mode given back after it). Keys typed while the game then pauses wait for the next read,
// which takes the first and drops the rest (a random burst, longer than the terminal's buffer,
// reaching the program in pieces); and the program still answers.
TEST(PosixTerminal, LineEntryThenTypeAhead)
{
    PtySession session(driver({"ready", "line", "pause:300", "keys"}));
    ASSERT_SEEN(session, "READY\r\n");
    ASSERT_TRUE(inLineMode(session));
    session.send("43\x7f" "2\x04\x03\x1a\x1c\r");
    EXPECT_NE(session.waitFor("line 6 42\x04\x03\x1a\x1c\r\n").value_or("").find("43"), std::string::npos) << "echoed";
    std::mt19937 chance(7);
    std::string burst(10000, 'a');
    for (std::size_t i = 1; i < burst.size(); ++i) burst[i] = char(chance());
    session.send(burst);
    ASSERT_SEEN(session, "key 97\r\n");
    session.waitFor("never shown", 200);  // lets a trailing ESC time out
    session.send("q");
    EXPECT_LT(session.waitFor("key 113\r\n").value_or(std::string(1000, '?')).size(), 1000u);
}

// A signal in each kind of wait and a hang-up (with or without a controlling terminal) give
// the terminal back.
class WaysOut : public ::testing::TestWithParam<std::pair<const char*, int>> {};

// -1: the terminal hangs up; -2: the same, not controlling. (The program's own end is in the
// redraw and piped-keys tests.)
TEST_P(WaysOut, GiveTheTerminalBack)
{
    const auto [wait, signal] = GetParam();
    PtyLaunch launch = driver({"ready", wait});
    launch.controllingTerminal = signal != -2;
    PtySession session(launch);
    ASSERT_SEEN(session, "READY\r\n");
    ASSERT_TRUE(std::string(wait) != "line" || inLineMode(session));
    session.waitFor("never shown", 50);  // the program waiting
    if (signal > 0) kill(session.pid(), signal);
    if (signal < 0) session.hangUp();
    EXPECT_EQ(session.waitExit(1000), 0);
    if (signal >= 0) expectGivenBack(session);
}

INSTANTIATE_TEST_SUITE_P(PosixTerminal, WaysOut,
                         ::testing::Values(std::pair{"key", SIGINT},
                                           std::pair{"pause:10000", SIGTERM}, std::pair{"key", SIGHUP}, std::pair{"line", SIGQUIT},
                                           std::pair{"key", -1}, std::pair{"line", -2}, std::pair{"pause:300", -2}));

// Keys from a pipe are all read, lines bounded as on the terminal; when they run out (or there
// never were any) the program ends with status 0.
class PipedKeys : public ::testing::TestWithParam<KeySource> {};

TEST_P(PipedKeys, AreAllReadThenTheProgramEnds)
{
    PtyLaunch launch = driver({"line", "key", "key", "keys"});
    launch.keys = GetParam();
    launch.pipedKeys = std::string(20000, 'y') + "\nab\n\x1b";
    PtySession session(launch);
    EXPECT_EQ(session.waitExit(1000), 0);
    const std::string out = session.output(), after = out.substr(std::min(out.find("line"), out.size()));
    EXPECT_EQ(after, GetParam() == KeySource::pipe ? "line 4096 yyyyyyyyyyyyyyyy\r\nkey 97\r\nkey 98\r\nkey 13\r\nkey 27\r\n\x1b[?25h\x1b[?1049l" : "");
    expectGivenBack(session);
}

INSTANTIATE_TEST_SUITE_P(PosixTerminal, PipedKeys,
                         ::testing::Values(KeySource::pipe, KeySource::devNull, KeySource::closed));

// The game itself: --help and --version answer without taking the terminal (no escape
// sequence); without them the game starts and is left with ESC at its first question and ESC at
// the screen that follows, the terminal given back.
TEST(PosixTerminal, TheGameAnswersOrStartsAndIsLeftWithEscape)
{
    for (const std::string option : {"--help", "--version"}) {
        PtySession session(PtyLaunch({ZORVANE_PROGRAM_PATH, option}));
        EXPECT_EQ(session.waitExit(), 0) << option;
        EXPECT_NE(session.output().find(option == "--help" ? "mars.dat" : "zorvane 3."), std::string::npos) << option;
        EXPECT_EQ(session.output().find('\x1b'), std::string::npos) << ::testing::PrintToString(session.output());
    }
    PtySession session(PtyLaunch({ZORVANE_PROGRAM_PATH}));
    ASSERT_SEEN(session, "Full game or Zapfest Game?  F or W");
    session.send("\x1b");
    ASSERT_SEEN(session, "SORRY YOU CANNOT PLAY NOW, PLEASE COME BACK SOON.");
    session.send("\x1b");
    EXPECT_EQ(session.waitExit(3000), 0);
    expectGivenBack(session);
}

// ---- Drawing again, on Ctrl-L, after a resize and after a suspend ----

// Each resize sends SIGWINCH as well.
void storm(PtySession& session)
{
    for (int i = 0; i < 20; ++i) {
        session.resize(1, 1);
        kill(session.pid(), SIGTSTP);
        kill(session.pid(), SIGCONT);
        session.resize(80, 25);
        session.waitFor("never shown", 5);
    }
}

// Resize, suspend and continue storms in the middle of a pause and a line entry change
// nothing: the pause lasts its time, the line is read. At the key prompt the screen is drawn
// again whole, over whatever another program wrote on the terminal meanwhile, on Ctrl-L, a
// larger window, a window one column short (which gets a notice until it grows), a suspend and
// a continue where no shell could (a SIGCONT sent before the stop would cancel it), and a storm.
// The key typed next is the one read, and the screen ends as the same run would end calm.
TEST(PosixTerminal, RedrawsLeaveTheProgramInItsPlace)
{
    // Text across a scroll, a dash, and a cursor waiting past the last column of row 20, where
    // the next character wraps (as it is again after the line): a redraw must leave it there.
    PtySession session(driver({"move:76,3", "ready", "move:40,12", "dash", "move:1,25", "newline", "move:78,20", "dash",
                               "pause:1000", "line", "move:78,20", "dash", "key"}));
    ASSERT_SEEN(session, "\x1b[20;78H<^>");
    const std::string start = session.output();
    storm(session);
    ASSERT_SEEN(session, "slept ");
    const std::string slept = session.waitFor("\r\n").value_or("0");
    EXPECT_GE(std::stoi(slept), 1000);
    ASSERT_TRUE(inLineMode(session));
    storm(session);
    session.send("42\r");
    ASSERT_SEEN(session, "line 2 42\r\n\x1b[20;78H<^>");  // the cursor waits past row 20 again
    const std::string beforeRedraws = session.output();
    const std::function<void(PtySession&)> asks[] = {
        [](PtySession& s) { s.send("\x0c"); }, [](PtySession& s) { s.resize(100, 30); },
        [](PtySession& s) {
            s.resize(79, 25);
            EXPECT_TRUE(s.waitFor("(this one is 79x25). Enlarge it or press a key."));
            s.resize(80, 25);
        },
        [](PtySession& s) {
            kill(s.pid(), SIGTSTP);
            EXPECT_TRUE(s.waitFor("\x1b[?25h\x1b[?1049l")) << "the terminal given back";
            EXPECT_TRUE(s.waitFor("\x1b[?1049h")) << "and taken again";
            kill(s.pid(), SIGCONT);
        },
        storm};
    for (const auto& ask : asks) {
        ask(session);
        ASSERT_SEEN(session, "\x1b[20;80H>") << "ask " << (&ask - asks);
    }
    session.waitFor("never shown", 100);  // any further redraw
    session.send("x");
    ASSERT_SEEN(session, "key 120\r\n");
    EXPECT_EQ(session.waitExit(), 0);
    expectGivenBack(session);
    // Calm, the pause reports its time, the terminal echoes the line, and the rest follows.
    const std::string calm = start + "slept " + slept + "\r\n42\r\nline 2 42\r\n\x1b[20;78H<^>key 120\r\n";
    const std::string redraws = session.output().substr(beforeRedraws.size());
    EXPECT_EQ(rowsOf(screenAfter(beforeRedraws + "\x1b[2J\x1b[5;5Hanother program" + redraws)), rowsOf(screenAfter(calm)));
}

}  // namespace
