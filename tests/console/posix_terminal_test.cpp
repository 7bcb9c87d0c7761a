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
// or the end of input are keys like any other. Arrow and function keys give no key at all, also
// when their bytes come in two reads a moment apart (within the short wait that tells them from
// ESC); a lone ESC is a key of its own, and so is an ESC followed by anything but "[" or "O".
// Before the key: the bytes of a line end, a clear and the dash byte ("^" where the locale does
// not take UTF-8; the triangle is in the redraw test).
struct KeyCase {
    const char* name;
    std::vector<std::string> reads;  // typed a moment apart
    int code;
};
void PrintTo(const KeyCase& key, std::ostream* out) { *out << key.name; }

class Keys : public ::testing::TestWithParam<KeyCase> {};

TEST_P(Keys, ArriveUnechoedAsTheirCodes)
{
    PtySession session(driver({"newline", "clear", "dash", "ready", "key"}));
    ASSERT_SEEN(session, "ab\r\ncd\x1b[2J\x1b[H<^>READY\r\n");
    for (const std::string& read : GetParam().reads) {
        session.send(read);
        session.waitFor("never shown", 5);
    }
    EXPECT_EQ(session.waitFor("key " + std::to_string(GetParam().code) + "\r\n"), "") << ::testing::PrintToString(session.output());
}

INSTANTIATE_TEST_SUITE_P(
    PosixTerminal, Keys,
    ::testing::Values(KeyCase{"enter", {"\n"}, 13}, KeyCase{"ctrlC", {"\x03"}, 3}, KeyCase{"ctrlZ", {"\x1a"}, 26},
                      KeyCase{"ctrlD", {"\x04"}, 4}, KeyCase{"ctrlS", {"\x13"}, 19}, KeyCase{"eightBitByte", {"\xe9"}, 0xe9},
                      KeyCase{"esc", {"\x1b"}, 27}, KeyCase{"escThenLetter", {"\x1b" "x"}, 27},
                      KeyCase{"arrow", {"\x1b[A" "z"}, 'z'}, KeyCase{"functionKey", {"\x1b[15~" "z"}, 'z'},
                      KeyCase{"functionKeyO", {"\x1bOP" "z"}, 'z'}, KeyCase{"arrowAfterEscInASecondRead", {"\x1b", "[A" "z"}, 'z'},
                      KeyCase{"functionKeySplitInItsSequence", {"\x1b[1", "5~" "z"}, 'z'}),
    [](const auto& info) { return std::string(info.param.name); });

// Keys typed while the game pauses before it asks for a line (the time warp) are dropped, not
// taken into the line. The line entry echoes and edits, and takes control keys as characters (the
// redraw test shows raw mode given back after it). Keys typed while the game then pauses wait for
// the next read, which takes the first and drops the rest (a random burst, longer than the
// terminal's buffer, reaching the program in pieces); and the program still answers.
TEST(PosixTerminal, LineEntryThenTypeAhead)
{
    PtySession session(driver({"ready", "hold:300", "line", "pause:300", "keys"}));
    ASSERT_SEEN(session, "READY\r\n");
    session.send("abc");
    ASSERT_TRUE(inLineMode(session));
    session.send("43\x7f" "2\x04\x03\x1a\x1c\r");
    EXPECT_EQ(session.waitFor("line 6 42\x04\x03\x1a\x1c\r\n").value_or("").substr(0, 2), "43") << "echoed";
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
struct WayOut {
    const char* name;
    const char* wait;
    int signal;  // -1: the terminal hangs up; -2: the same, not controlling
};
void PrintTo(const WayOut& way, std::ostream* out) { *out << way.name; }

class WaysOut : public ::testing::TestWithParam<WayOut> {};

// (The program's own end is in the redraw and piped-keys tests.)
TEST_P(WaysOut, GiveTheTerminalBack)
{
    const auto [name, wait, signal] = GetParam();
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
                         ::testing::Values(WayOut{"sigintAtAKey", "key", SIGINT}, WayOut{"sigtermInAPause", "pause:10000", SIGTERM},
                                           WayOut{"sighupAtAKey", "key", SIGHUP}, WayOut{"sigquitInALine", "line", SIGQUIT},
                                           WayOut{"hangUpAtAKey", "key", -1}, WayOut{"hangUpInALineNotControlling", "line", -2},
                                           WayOut{"hangUpInAPauseNotControlling", "pause:300", -2}),
                         [](const auto& info) { return std::string(info.param.name); });

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

INSTANTIATE_TEST_SUITE_P(PosixTerminal, PipedKeys, ::testing::Values(KeySource::pipe, KeySource::devNull, KeySource::closed),
                         [](const auto& info) { return std::string(info.index == 0 ? "pipe" : info.index == 1 ? "devNull" : "closed"); });

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
// nothing: the pause lasts its time, the line is read. At the key prompt the screen, dashes shown
// as triangles, is drawn again whole, over whatever another program wrote meanwhile, on Ctrl-L,
// a larger window, a suspend and a continue where no shell could (a SIGCONT sent before the stop
// would cancel it), and a storm. The key typed next is the one read, and the screen ends as the
// same run would end calm. (The windows too small are the next test's.)
TEST(PosixTerminal, RedrawsLeaveTheProgramInItsPlace)
{
    // Text across a scroll, a dash (the screen model keeps the triangle as the dash byte, so that
    // any other glyph in a redraw shows), and a cursor waiting past the last column of row 20, where
    // the next character wraps (as it is again after the line): a redraw must leave it there.
    PtySession session(driver({"move:76,3", "ready", "move:40,12", "dash", "move:1,25", "newline", "move:78,20", "dash",
                               "pause:1000", "line", "move:78,20", "dash", "key"}, "xx_YY.UTF-8"));
    ASSERT_SEEN(session, "\x1b[20;78H<\xe2\x96\xb2>");
    const std::string start = session.output();
    storm(session);
    ASSERT_SEEN(session, "slept ");
    const std::string slept = session.waitFor("\r\n").value_or("0");
    EXPECT_GE(std::stoi(slept), 1000);
    ASSERT_TRUE(inLineMode(session));
    storm(session);
    session.send("42\r");
    ASSERT_SEEN(session, "line 2 42\r\n\x1b[20;78H<\xe2\x96\xb2>");  // the cursor waits past row 20 again
    const std::string beforeRedraws = session.output();
    const std::function<void(PtySession&)> asks[] = {
        [](PtySession& s) { s.send("\x0c"); }, [](PtySession& s) { s.resize(100, 30); },
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
    const std::string calm = start + "slept " + slept + "\r\n42\r\nline 2 42\r\n\x1b[20;78H<\xe2\x96\xb2>key 120\r\n";
    const std::string redraws = session.output().substr(beforeRedraws.size());
    EXPECT_EQ(rowsOf(screenAfter(beforeRedraws + "\x1b[2J\x1b[5;5Hanother program" + redraws)), rowsOf(screenAfter(calm)));
}

// A window one row or one column short gets a notice at start, and the game (its first line) only
// once the window is 80x25; shrunk again during a pause, the notice comes back and what the game
// writes meanwhile waits for the window to grow. The screen then is the one a calm run shows. A
// window whose width the terminal does not know is played in without a notice.
struct WindowCase {
    const char* name;
    unsigned short cols, rows;
    bool small;
};
void PrintTo(const WindowCase& window, std::ostream* out) { *out << window.name; }

class Window : public ::testing::TestWithParam<WindowCase> {};

TEST_P(Window, TooSmallGetsTheNoticeUntilItIsEnlarged)
{
    const std::vector<std::string> actions{"ready", "hold:600", "move:40,12", "dash", "key"};
    PtySession calmRun(driver(actions, "xx_YY.UTF-8"));
    ASSERT_SEEN(calmRun, "<\xe2\x96\xb2>");
    const std::string calm = rowsOf(screenAfter(calmRun.output()));
    calmRun.send("q");

    const auto [name, cols, rows, small] = GetParam();
    PtyLaunch launch = driver(actions, "xx_YY.UTF-8");
    launch.cols = cols, launch.rows = rows;
    PtySession session(launch);
    const std::string notice = "(this one is " + std::to_string(cols) + "x" + std::to_string(rows) + "). Enlarge it or press a key.";
    if (small) {
        ASSERT_SEEN(session, notice);
        session.waitFor("never shown", 100);
        EXPECT_EQ(session.output().find("READY"), std::string::npos);
        session.resize(80, 25);
    }
    ASSERT_SEEN(session, "READY\r\n");
    if (small) {
        session.resize(cols, rows);
        ASSERT_SEEN(session, notice);
        session.waitFor("never shown", 700);  // the pause ends, the dash goes to the hidden screen
        session.resize(80, 25);
    }
    EXPECT_TRUE(session.waitUntil([&] { return rowsOf(screenAfter(session.output())) == calm; })) << rowsOf(screenAfter(session.output()));
    session.send("x");
    ASSERT_SEEN(session, "key 120\r\n");
    EXPECT_EQ(session.output().find("Enlarge") != std::string::npos, small);
}

INSTANTIATE_TEST_SUITE_P(PosixTerminal, Window,
                         ::testing::Values(WindowCase{"oneRowShort", 80, 24, true}, WindowCase{"oneColumnShort", 79, 25, true},
                                           WindowCase{"widthUnknown", 0, 25, false}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
