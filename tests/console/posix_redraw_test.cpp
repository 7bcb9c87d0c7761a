// The terminal draws its screen again, as terminal programs do: on Ctrl-L, after a resize and
// after a suspend; and ESC typed quickly before another key is still the key ESC.
#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <regex>
#include <string>
#include <vector>

#include "console/posix_pty_expect.h"
#include "console/posix_pty_session.h"
#include "console/screen_model.h"

namespace {

// What a terminal shows after these bytes: the few VT100 codes the game sends, read into a
// screen model. The UTF-8 triangle is taken back to the one cell of the game's dash byte.
ScreenModel emulate(std::string_view bytes)
{
    ScreenModel screen;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes.compare(i, 2, "\x1b[") == 0) {
            const std::size_t end = bytes.find_first_of("HJhl", i);
            if (end == std::string_view::npos) break;
            const std::string params(bytes.substr(i + 2, end - i - 2));
            const std::size_t semicolon = params.find(';');
            if (bytes[end] == 'H' && semicolon == std::string::npos)
                screen.moveCursor(0, 0);
            else if (bytes[end] == 'H')
                screen.moveCursor(std::stoi(params.substr(semicolon + 1)) - 1, std::stoi(params) - 1);
            else if (bytes[end] == 'J' || params + bytes[end] == "?1049h")
                screen.clear();  // the game's screen, entered afresh, is blank too
            i = end;
        } else if (bytes.compare(i, 3, "\xe2\x96\xb2") == 0) {
            screen.write("\x1e");
            i += 2;
        } else if (bytes[i] == '\r') {
            screen.moveCursor(0, screen.cursorRow());
        } else {
            screen.write(bytes.substr(i, 1));
        }
    }
    return screen;
}

std::string dump(const ScreenModel& screen)
{
    std::string text;
    for (int row = 0; row < ScreenModel::rows; ++row) text += screen.row(row) + "|\n";
    return text + "cursor " + std::to_string(screen.cursorCol()) + "," + std::to_string(screen.cursorRow());
}

// Text across a scroll, a dash, and a cursor waiting past the last column of row 20, where the
// next character wraps: the redraw must leave it waiting there too.
const std::vector<std::string> drawing = {"move:76,3", "ready", "move:40,12", "dash", "move:1,25",
                                          "newline",   "move:78,20", "dash"};
const char* const drawn = "\x1b[20;78H<\xe2\x96\xb2>";

PtyLaunch drawingThen(std::vector<std::string> actions)
{
    std::vector<std::string> all = drawing;
    all.insert(all.end(), actions.begin(), actions.end());
    PtyLaunch launch = driverLaunch(all);
    launch.env = {{"LANG", "C.UTF-8"}};
    return launch;
}

void storm(PtySession& session)
{
    for (int i = 0; i < 20; ++i) {
        session.resize(1, 1);
        kill(session.pid(), SIGTSTP);
        kill(session.pid(), SIGCONT);
        session.resize(80, 25);
        kill(session.pid(), i % 2 ? SIGWINCH : SIGCONT);
        session.waitFor("never shown", 5);
    }
}

// Stopped, or on again at once where no shell could continue it; a SIGCONT sent before the
// stop would cancel it.
void suspendAndContinue(PtySession& session)
{
    kill(session.pid(), SIGTSTP);
    EXPECT_TRUE(session.waitFor("\x1b[?25h\x1b[?1049l")) << "the terminal given back";
    EXPECT_TRUE(session.waitFor("\x1b[?1049h")) << "and taken again";
    kill(session.pid(), SIGCONT);
}

void smallThenLarge(PtySession& session)
{
    session.resize(1, 1);
    EXPECT_TRUE(session.waitFor("(this one is 1x1). Enlarge it or press a key."));
    session.resize(80, 25);
}

struct RedrawCase {
    const char* name;
    void (*ask)(PtySession&);
};

void PrintTo(const RedrawCase& c, std::ostream* os) { *os << c.name; }

class Redraw : public ::testing::TestWithParam<RedrawCase> {};

// The screen is drawn again whole at a key prompt, over whatever else was written on the
// terminal meanwhile; the key typed next is the one read, and the game goes on from there.
TEST_P(Redraw, RestoresTheScreenAtAKeyPrompt)
{
    PtySession session(drawingThen({"key", "end"}));
    ASSERT_TRUE(session.waitFor(drawn)) << session.printableOutput();
    const std::string before = session.output();
    GetParam().ask(session);
    ASSERT_TRUE(session.waitFor("\x1b[20;80H>")) << session.printableOutput();
    session.waitFor("never shown", 100);  // any further redraw
    session.send("x");
    ASSERT_TRUE(session.waitFor("key 120\r\n")) << session.printableOutput();
    EXPECT_EQ(session.waitExit(), 0);
    expectCookedModes(session.modes());

    ScreenModel expected = emulate(before);
    expected.write("key 120\n");
    const std::string scribbled = "\x1b[2J\x1b[5;5Hanother program\r\nwrote here";
    EXPECT_EQ(dump(emulate(before + scribbled + session.output().substr(before.size()))), dump(expected));
}

INSTANTIATE_TEST_SUITE_P(PosixTerminal, Redraw,
                         ::testing::Values(RedrawCase{"ctrlL", [](PtySession& s) { s.send("\x0c"); }},
                                           RedrawCase{"largerWindow", [](PtySession& s) { s.resize(100, 30); }},
                                           RedrawCase{"noticeWhileSmall", smallThenLarge},
                                           RedrawCase{"suspendAndContinue", suspendAndContinue},
                                           RedrawCase{"storm", storm}),
                         [](const auto& info) { return std::string(info.param.name); });

class StormDuring : public ::testing::TestWithParam<const char*> {};

// Resizes, suspends and continues in the middle of a pause or a line entry change nothing:
// the pause lasts its time, the line is read, and the screen ends as in a calm run.
TEST_P(StormDuring, LeavesTheGameInItsPlace)
{
    const bool line = std::string(GetParam()) == "line";
    std::string screens[2];
    for (bool stormy : {false, true}) {
        PtySession session(drawingThen({GetParam(), "key", "end"}));
        ASSERT_TRUE(session.waitFor(drawn) && (!line || session.waitForLineMode())) << session.printableOutput();
        if (stormy) storm(session);
        session.waitFor("never shown", 100);
        if (line) session.send("42\r");
        ASSERT_TRUE(session.waitFor(line ? "line 2 42\r\n" : "slept ")) << session.printableOutput();
        if (!line) {
            EXPECT_GE(std::stoi(session.waitFor("\r\n").value_or("0")), 1000);
        }
        session.send(stormy ? "\x0cx" : "x");  // and the screen kept since is drawn again
        EXPECT_TRUE(session.waitFor("key 120\r\n")) << session.printableOutput();
        EXPECT_EQ(session.waitExit(), 0);
        expectCookedModes(session.modes());
        screens[stormy] = dump(emulate(std::regex_replace(session.output(), std::regex("slept [0-9]+"), "slept")));
    }
    EXPECT_EQ(screens[1], screens[0]);
}

INSTANTIATE_TEST_SUITE_P(PosixTerminal, StormDuring, ::testing::Values("pause:1000", "line"));

// ---- ESC ----

class EscapeBeforeAKey : public ::testing::TestWithParam<const char*> {};

// Only ESC [ and ESC O begin the sequence of an arrow or function key: ESC then anything else,
// however quickly, is the key ESC (what came with it is dropped), and it leaves the title
// screen rather than, say, starting Zapfest.
TEST_P(EscapeBeforeAKey, IsTheKeyEscape)
{
    const std::filesystem::path scratch =
        std::filesystem::temp_directory_path() / ("zorvane_redraw_" + std::to_string(getpid()));
    std::filesystem::create_directories(scratch);
    PtyLaunch launch;
    launch.argv = {ZORVANE_PROGRAM_PATH};
    launch.workDir = scratch.string();
    PtySession session(launch);
    ASSERT_TRUE(session.waitFor("Full game or Zapfest Game?  F or W  ")) << session.printableOutput();
    session.send(GetParam());
    EXPECT_TRUE(session.waitFor("SORRY YOU CANNOT PLAY NOW")) << session.printableOutput();
    std::filesystem::remove_all(scratch);
}

INSTANTIATE_TEST_SUITE_P(PosixTerminal, EscapeBeforeAKey, ::testing::Values("\x1bw", "\x1b" "fn", "\x1b\x1b[B"));

}  // namespace
