// The real terminal backend, run on a pseudo-terminal through the driver program, which does
// console actions. One case for each rule of the terminal; the game's own screens and keys are
// proven on the scripted console.
#include <gtest/gtest.h>

#include <csignal>
#include <functional>

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

// Every way out gives the terminal back as the player's shell had it (lines, echo and signal
// keys), and the player's own screen with the cursor showing.
void expectGivenBack(const PtySession& session)
{
    EXPECT_EQ(session.modes().c_lflag & (ICANON | ECHO | ISIG), tcflag_t{ICANON | ECHO | ISIG});
    const std::string& out = session.output();
    EXPECT_NE(out.find("\x1b[?25h\x1b[?1049l", out.find("\x1b[?1049h")), std::string::npos) << ::testing::PrintToString(out);
}

const auto byName = [](const auto& info) { return std::string(info.param.name); };

// AddressSanitizer's runtime needs descriptors of its own: the cases that leave none are skipped.
#ifdef __SANITIZE_ADDRESS__
constexpr bool sanitized = true;
#else
constexpr bool sanitized = false;
#endif

// Keys typed while the game pauses before it asks for a line (the time warp) are dropped, not taken
// into the line. The line entry echoes and edits, and takes control keys as characters (the redraw
// test shows raw mode given back after it). Keys typed while the game then pauses wait for the next
// read, which takes the first and drops the rest (a burst longer than the terminal's buffer,
// reaching the program in pieces). Then each key arrives unechoed as its code; the keys a terminal
// would turn into a signal or a stop of output are keys like any other. Arrow and function keys
// (and a terminal's own reports) give no key at all, also when their bytes come in reads a moment
// apart (within the short wait that tells them from ESC); a lone ESC is a key of its own, and so is
// an ESC followed by anything but "[" or "O". Before the line: a line end, a clear and the dash
// byte ("^" where the locale does not take UTF-8).
TEST(PosixTerminal, KeysArriveAsTheirCodesAndTypeAheadIsDropped)
{
    PtySession session(driver({"ab\ncd", "clear", "<\x1e>", "READY\n", "hold:300", "line", "pause:300", "keys"}));
    ASSERT_SEEN(session, "ab\r\ncd\x1b[2J\x1b[H<^>READY\r\n");
    session.send("abc");
    ASSERT_TRUE(inLineMode(session));
    session.send("43\x7f" "2\x04\x03\x1a\x1c\r");
    EXPECT_EQ(session.waitFor("line 6 42\x04\x03\x1a\x1c\r\n").value_or("").substr(0, 2), "43") << "echoed";
    session.send("a" + std::string(10000, 'b'));
    ASSERT_SEEN(session, "key 97\r\n");
    session.waitFor("never shown", 200);  // the pieces after the first come and go
    session.send("q");
    EXPECT_LT(session.waitFor("key 113\r\n").value_or(std::string(1000, '?')).size(), 1000u);
    const std::pair<std::vector<std::string>, int> keys[] = {
        {{"\n"}, 13}, {{"\x03"}, 3}, {{"\x13"}, 19}, {{"\xe9"}, 0xe9}, {{"\x1b"}, 27}, {{"\x1b" "x"}, 27},
        {{"\x1bOP" "z"}, 'z'}, {{"\x1b[?1;2c" "z"}, 'z'}, {{"\x1b", "[1", "5~" "z"}, 'z'}};  // the last split across three reads
    for (const auto& [reads, code] : keys) {
        for (const std::string& read : reads) session.send(read), session.waitFor("never shown", 5);
        EXPECT_EQ(session.waitFor("key " + std::to_string(code) + "\r\n"), "") << ::testing::PrintToString(reads);
    }
}

// A signal in each kind of wait, a hang-up (without a controlling terminal only the read or the
// write fails) and a wait that fails for good (no descriptor may be watched any more) end the
// program with status 0 and, where there still is a terminal, give it back.
struct WayOut {
    const char* name;
    const char* wait;
    int signal;  // 0: the terminal hangs up
    bool controlling = true, descriptorsTaken = false;
};
void PrintTo(const WayOut& row, std::ostream* os) { *os << row.name; }
class WaysOut : public ::testing::TestWithParam<WayOut> {};

TEST_P(WaysOut, GiveTheTerminalBack)
{
    const WayOut& way = GetParam();
    if (sanitized && way.descriptorsTaken) GTEST_SKIP() << "no descriptors for the sanitizer";
    PtyLaunch launch = driver({"READY\n", way.wait});
    launch.controllingTerminal = way.controlling;
    PtySession session(launch);
    ASSERT_SEEN(session, "READY\r\n");
    ASSERT_TRUE(std::string(way.wait) != "line" || inLineMode(session));
    session.waitFor("never shown", 50);  // the program waiting
    const rlimit none{0, 0};
    if (way.descriptorsTaken) prlimit(session.pid(), RLIMIT_NOFILE, &none, nullptr);
    if (way.signal > 0) kill(session.pid(), way.signal);
    else session.hangUp();
    EXPECT_EQ(session.waitExit(1000), 0);
    if (way.signal > 0) expectGivenBack(session);
}

INSTANTIATE_TEST_SUITE_P(PosixTerminal, WaysOut,
                         ::testing::Values(WayOut{"sigintAtAKey", "key", SIGINT}, WayOut{"sigtermInAPause", "pause:10000", SIGTERM},
                                           WayOut{"sigquitInALine", "line", SIGQUIT}, WayOut{"hangUpAtAKey", "key", 0},
                                           WayOut{"hangUpInALineNotControlling", "line", 0, false},
                                           WayOut{"hangUpInAPauseNotControlling", "pause:300", 0, false},
                                           WayOut{"resizeAtAKeyWithNoDescriptorsLeft", "key", SIGWINCH, true, true}),
                         byName);

// Keys from a pipe are all read, lines bounded as on the terminal; when they run out, or there
// never were any (not even standard error, nor a descriptor to spare), the program ends with
// status 0. The shell puts the keys in place.
struct Piped {
    const char* name;
    const char* shell;
    const char* shown;  // from the line on
};
void PrintTo(const Piped& row, std::ostream* os) { *os << row.name; }
class PipedKeys : public ::testing::TestWithParam<Piped> {};

TEST_P(PipedKeys, AreAllReadThenTheProgramEnds)
{
    if (sanitized && std::string(GetParam().shell).find("ulimit") != std::string::npos) GTEST_SKIP() << "no descriptors for the sanitizer";
    PtySession session(PtyLaunch({"/bin/sh", "-c", GetParam().shell, ZORVANE_DRIVER_PATH, "line", "key", "key", "keys"}));
    EXPECT_EQ(session.waitExit(1000), 0);
    const std::string out = session.output();
    EXPECT_EQ(out.substr(std::min(out.find("line"), out.size())), GetParam().shown);
    expectGivenBack(session);
}

INSTANTIATE_TEST_SUITE_P(
    PosixTerminal, PipedKeys,
    ::testing::Values(Piped{"pipe", "{ printf %20000s | tr ' ' y; printf '\\nab\\n\\033'; } | \"$0\" \"$@\"",
                            "line 4096 yyyyyyyyyyyyyyyy\r\nkey 97\r\nkey 98\r\nkey 13\r\nkey 27\r\n\x1b[?25h\x1b[?1049l"},
                      Piped{"devNull", "exec \"$0\" \"$@\" </dev/null", ""},
                      Piped{"noneAndNoDescriptorsToSpare", "exec <&- 2>&-; ulimit -n 4; exec \"$0\" \"$@\"", ""}),
    byName);

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
// a larger window, and a suspend and a continue where no shell could (a SIGCONT sent before the
// stop would cancel it). The key typed next is the one read, and the screen ends as the same run
// would end calm. (The windows too small are the next test's.)
TEST(PosixTerminal, RedrawsLeaveTheProgramInItsPlace)
{
    // Text across a scroll, a dash (the screen model keeps the triangle as the dash byte, so that
    // any other glyph in a redraw shows), and a cursor waiting past the last column of row 20, where
    // the next character wraps (as it is again after the line): a redraw must leave it there.
    PtySession session(driver({"move:76,3", "READY\n", "move:40,12", "<\x1e>", "move:1,25", "ab\ncd", "move:78,20", "<\x1e>",
                               "pause:1000", "line", "move:78,20", "<\x1e>", "key"}, "xx_YY.UTF-8"));
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
    // Each redraw draws the whole screen over what another program wrote meanwhile.
    const auto redrawsOn = [&](const std::function<void()>& ask) {
        const std::string before = session.output();
        ask();
        ASSERT_SEEN(session, "\x1b[20;80H>");
        const std::string after = before + "\x1b[2J\x1b[5;5Hanother program" + session.output().substr(before.size());
        EXPECT_EQ(rowsOf(screenAfter(after)), rowsOf(screenAfter(before)));
    };
    redrawsOn([&] { session.send("\x0c"); });  // Ctrl-L
    redrawsOn([&] { session.resize(100, 30); });
    redrawsOn([&] {
        kill(session.pid(), SIGTSTP);
        EXPECT_TRUE(session.waitFor("\x1b[?25h\x1b[?1049l")) << "the terminal given back";
        EXPECT_TRUE(session.waitFor("\x1b[?1049h")) << "and taken again";
        kill(session.pid(), SIGCONT);
    });
    session.waitFor("never shown", 100);  // any further redraw
    session.send("x");
    ASSERT_SEEN(session, "key 120\r\n");
    EXPECT_EQ(session.waitExit(), 0);
    expectGivenBack(session);
    // Calm, the pause reports its time, the terminal echoes the line, and the rest follows.
    const std::string calm = start + "slept " + slept + "\r\n42\r\nline 2 42\r\n\x1b[20;78H<\xe2\x96\xb2>key 120\r\n";
    EXPECT_EQ(rowsOf(screenAfter(session.output())), rowsOf(screenAfter(calm)));
}

// A window one row or one column short gets a notice at start, and the game (its first line) only
// once the window is 80x25; shrunk again during a pause, the notice comes back and what the game
// writes meanwhile waits for the window to grow. The screen then is the one a calm run shows. A
// key pressed at the notice plays on in the small window (the key itself is not the game's). A
// window whose width or height the terminal does not know is played in without a notice.
struct WindowCase {
    const char* name;
    unsigned short cols, rows;
    bool small, keyPressed = false;
};
void PrintTo(const WindowCase& row, std::ostream* os) { *os << row.name; }
class Window : public ::testing::TestWithParam<WindowCase> {};

TEST_P(Window, TooSmallGetsTheNoticeUntilItIsEnlarged)
{
    const auto [name, cols, rows, small, keyPressed] = GetParam();
    PtyLaunch launch = driver({"READY\n", "hold:600", "move:40,12", "<\x1e>", "key"}, "xx_YY.UTF-8");
    launch.cols = cols, launch.rows = rows;
    PtySession session(launch);
    const std::string notice = "(this one is " + std::to_string(cols) + "x" + std::to_string(rows) + "). Enlarge it or press a key.";
    if (small) {
        ASSERT_SEEN(session, notice);
        session.waitFor("never shown", 100);
        EXPECT_EQ(session.output().find("READY"), std::string::npos);
        keyPressed ? session.send("k") : session.resize(80, 25);
    }
    ASSERT_SEEN(session, "READY\r\n");
    if (small && !keyPressed) {
        session.resize(cols, rows);
        ASSERT_SEEN(session, notice);
        session.waitFor("never shown", 700);  // the pause ends, the dash goes to the hidden screen
        session.resize(80, 25);
    }
    ScreenModel calm;
    calm.write("READY\n");
    calm.moveCursor(39, 11);
    calm.write("<\x1e>");
    EXPECT_TRUE(session.waitUntil([&] { return rowsOf(screenAfter(session.output())) == rowsOf(calm); })) << rowsOf(screenAfter(session.output()));
    session.send("x");
    ASSERT_SEEN(session, "key 120\r\n");
    EXPECT_EQ(session.output().find("Enlarge") != std::string::npos, small);
}

INSTANTIATE_TEST_SUITE_P(PosixTerminal, Window,
                         ::testing::Values(WindowCase{"oneRowShort", 80, 24, true}, WindowCase{"oneColumnShort", 79, 25, true},
                                           WindowCase{"keyPressedInAWindowOneRowShort", 80, 24, true, true},
                                           WindowCase{"widthUnknown", 0, 25, false}, WindowCase{"heightUnknown", 80, 0, false}),
                         byName);

}  // namespace
