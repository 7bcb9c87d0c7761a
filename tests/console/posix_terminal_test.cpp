// The real terminal backend, run on a pseudo-terminal: through the driver program, which
// does scripted console actions, and through the game itself.
#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <string>
#include <vector>

#include "console/posix_pty_expect.h"
#include "console/posix_pty_session.h"

namespace {

PtyLaunch driver(std::vector<std::string> actions) { return driverLaunch(std::move(actions)); }

// The number the driver writes after `label` next ("key 97", "slept 250"), or -1.
int nextNumber(PtySession& session, const std::string& label)
{
    if (!session.waitFor(label)) return -1;
    const auto digits = session.waitFor("\r\n");
    return digits ? std::stoi(*digits) : -1;
}

#define EXPECT_SEEN(session, text) \
    EXPECT_TRUE((session).waitFor(text)) << "waiting for " #text ", got:\n" << (session).printableOutput()
#define ASSERT_SEEN(session, text) \
    ASSERT_TRUE((session).waitFor(text)) << "waiting for " #text ", got:\n" << (session).printableOutput()

// ---- keys ----

struct KeyCase {
    const char* name;
    const char* typed;
    int key;
};

void PrintTo(const KeyCase& c, std::ostream* os) { *os << c.name; }

class KeyCodes : public ::testing::TestWithParam<KeyCase> {};

// Each key arrives unechoed as its code; the control keys that a terminal would turn into a
// signal, a stop or the end of input are keys like any other, and the program lives on.
TEST_P(KeyCodes, ArriveUnechoedAndLeaveTheProgramRunning)
{
    PtySession session(driver({"ready", "key", "ready", "key"}));
    ASSERT_SEEN(session, "READY\r\n");
    session.send(GetParam().typed);
    const auto between = session.waitFor("key " + std::to_string(GetParam().key) + "\r\n");
    ASSERT_TRUE(between) << session.printableOutput();
    EXPECT_EQ(*between, "") << "echoed";
    EXPECT_SEEN(session, "READY\r\n");
    EXPECT_TRUE(session.running());
}

INSTANTIATE_TEST_SUITE_P(
    PosixTerminal, KeyCodes,
    ::testing::Values(KeyCase{"letter", "b", 'b'}, KeyCase{"capital", "B", 'B'},
                      KeyCase{"enter", "\r", 13}, KeyCase{"lineFeedIsEnter", "\n", 13},
                      KeyCase{"ctrlC", "\x03", 3}, KeyCase{"ctrlBackslash", "\x1c", 28},
                      KeyCase{"ctrlZ", "\x1a", 26}, KeyCase{"ctrlD", "\x04", 4},
                      KeyCase{"ctrlS", "\x13", 19}, KeyCase{"ctrlV", "\x16", 22},
                      KeyCase{"backspace", "\x7f", 127}, KeyCase{"highByte", "\xe9", 0xe9}),
    [](const auto& info) { return std::string(info.param.name); });

class EscapeSequences : public ::testing::TestWithParam<const char*> {};

// An arrow or function key is one press that means nothing to the game: its bytes give no
// key, and the key typed right after it is the one read.
TEST_P(EscapeSequences, GiveNoKey)
{
    PtySession session(driver({"ready", "key"}));
    ASSERT_SEEN(session, "READY\r\n");
    session.send(std::string(GetParam()) + "z");
    EXPECT_EQ(nextNumber(session, "key "), 'z') << session.printableOutput();
}

INSTANTIATE_TEST_SUITE_P(PosixTerminal, EscapeSequences,
                         ::testing::Values("\x1b[A", "\x1b[1;5C", "\x1b[15~", "\x1b[200~", "\x1bOP"));

TEST(PosixTerminal, LoneEscapeIsAKeyOfItsOwn)
{
    PtySession session(driver({"ready", "key", "key"}));
    ASSERT_SEEN(session, "READY\r\n");
    session.send("\x1b");
    EXPECT_SEEN(session, "key 27\r\n");
    session.send("z");
    EXPECT_SEEN(session, "key 122\r\n");
}

// Keys typed while the game pauses wait for the next read, which takes the first of them and
// drops the others.
TEST(PosixTerminal, TypeAheadDuringAPauseKeepsOnlyTheFirstKey)
{
    PtySession session(driver({"ready", "pause:400", "key", "ready", "key"}));
    ASSERT_SEEN(session, "READY\r\n");
    session.send("abc");
    EXPECT_SEEN(session, "key 97\r\nREADY\r\n");
    session.send("d");
    EXPECT_SEEN(session, "key 100\r\n");
}

// ---- output ----

struct OutputCase {
    const char* name;
    const char* action;
    const char* lang;
    const char* bytes;  // what the terminal is sent for the action
};

void PrintTo(const OutputCase& c, std::ostream* os) { *os << c.name; }

class Output : public ::testing::TestWithParam<OutputCase> {};

TEST_P(Output, SendsTheTerminalTheseBytes)
{
    PtyLaunch launch = driver({"ready", GetParam().action, "done"});
    launch.env = {{"LANG", GetParam().lang}};
    PtySession session(launch);
    ASSERT_SEEN(session, "READY\r\n");
    const auto between = session.waitFor("DONE\r\n");
    ASSERT_TRUE(between) << session.printableOutput();
    EXPECT_EQ(*between, GetParam().bytes) << session.printableOutput();
}

INSTANTIATE_TEST_SUITE_P(
    PosixTerminal, Output,
    ::testing::Values(OutputCase{"lineEndGoesToColumnOne", "newline", "C", "ab\r\ncd"},
                      OutputCase{"topLeft", "move:1,1", "C", "\x1b[1;1H"},
                      OutputCase{"bottomRight", "move:80,25", "C", "\x1b[25;80H"},
                      OutputCase{"clear", "clear", "C", "\x1b[2J\x1b[H"},
                      OutputCase{"dashAsTriangle", "dash", "C.UTF-8", "<\xe2\x96\xb2>"},
                      OutputCase{"dashAsCaret", "dash", "C", "<^>"},
                      OutputCase{"dashInAMissingUtf8Locale", "dash", "xx_YY.UTF-8", "<\xe2\x96\xb2>"},
                      OutputCase{"dashInAMissingOtherLocale", "dash", "xx_YY.ISO-8859-1", "<^>"},
                      OutputCase{"dashAsCaretInPosix", "dash", "POSIX", "<^>"},
                      OutputCase{"missingSoundIsSilent", "sound:data\\nothing.wav", "C", ""}),
    [](const auto& info) { return std::string(info.param.name); });

// ---- time ----

class Pauses : public ::testing::TestWithParam<int> {};

TEST_P(Pauses, LastAtLeastTheTimeAsked)
{
    PtySession session(driver({"pause:" + std::to_string(GetParam())}));
    const int slept = nextNumber(session, "slept ");
    EXPECT_GE(slept, GetParam());
    EXPECT_LT(slept, GetParam() + 500);
}

INSTANTIATE_TEST_SUITE_P(PosixTerminal, Pauses, ::testing::Values(0, 1, 30, 250, 1001));

class Waiting : public ::testing::TestWithParam<const char*> {};

// Waiting for a key and pausing both sleep; a busy wait would burn the whole time.
TEST_P(Waiting, CostsNoProcessorTime)
{
    PtySession session(driver({"ready", GetParam()}));
    ASSERT_SEEN(session, "READY\r\n");
    const long long startCpu = session.cpuMicros();
    if (startCpu < 0) GTEST_SKIP() << "no /proc schedstat here";
    const long long start = monotonicMicros();
    while (monotonicMicros() - start < 500000) session.waitFor("never shown", 50);
    const long long used = session.cpuMicros() - startCpu;
    EXPECT_LT(used, 50000) << "microseconds of processor time in half a second";
}

INSTANTIATE_TEST_SUITE_P(PosixTerminal, Waiting, ::testing::Values("key", "pause:2000", "line"));

// ---- lines ----

TEST(PosixTerminal, ReadLineEchoesEditsAndBoundsALongLine)
{
    PtySession session(driver({"ready", "line", "line", "line", "key"}));
    ASSERT_SEEN(session, "READY\r\n");
    ASSERT_TRUE(session.waitForLineMode());
    session.send(std::string(10000, 'x') + "\r");
    const int length = nextNumber(session, "line ");
    EXPECT_GT(length, 0);
    EXPECT_LE(length, 4096);

    ASSERT_TRUE(session.waitForLineMode());
    session.send("43\x7f" "2\r");  // 4, 3, rubout, 2
    const auto echo = session.waitFor("line 2 42\r\n");
    ASSERT_TRUE(echo) << session.printableOutput();
    EXPECT_NE(echo->find("4"), std::string::npos) << "typed digits are echoed";

    ASSERT_TRUE(session.waitForLineMode());
    session.send("\x03" "7\r");  // Ctrl-C is only a character here too
    EXPECT_SEEN(session, "line 2 \x03" "7\r\n");
    EXPECT_TRUE(session.running());

    // Raw again: the next key is read at once and unechoed.
    session.send("k");
    const auto between = session.waitFor("key 107\r\n");
    ASSERT_TRUE(between) << session.printableOutput();
    EXPECT_EQ(*between, "");
}

TEST(PosixTerminal, PipedLinesKeepTheirStartAndDropTheRest)
{
    PtyLaunch launch = driver({"line", "line", "key", "line"});
    launch.keys = KeySource::pipe;
    launch.pipedKeys = std::string(20000, 'y') + "\n42\r\nk9";
    PtySession session(launch);
    EXPECT_SEEN(session, "line 4096 yyyyyyyyyyyyyyyy\r\n");
    EXPECT_SEEN(session, "line 2 42\r\n");
    EXPECT_SEEN(session, "key 107\r\n");
    // "9" with no line end, then the end of input: the game ends there.
    EXPECT_EQ(session.waitExit(1000), 0);
    EXPECT_EQ(session.output().find("line 1"), std::string::npos);
}

// ---- ways out ----

struct WayOut {
    const char* name;
    const char* waitingIn;  // the driver action the program is in when it is ended
    int signal;             // 0: the program ends itself after a key
};

void PrintTo(const WayOut& c, std::ostream* os) { *os << c.name; }

class WaysOut : public ::testing::TestWithParam<WayOut> {};

TEST_P(WaysOut, GiveTheTerminalBack)
{
    PtySession session(driver({"ready", GetParam().waitingIn, "end"}));
    ASSERT_SEEN(session, "READY\r\n");
    if (std::string(GetParam().waitingIn) == "line") {
        ASSERT_TRUE(session.waitForLineMode());
    }
    if (GetParam().signal == 0)
        session.send("q\r");
    else
        kill(session.pid(), GetParam().signal);
    EXPECT_EQ(session.waitExit(1000), 0);
    expectCookedModes(session.modes());
    expectScreenGivenBack(session.output());
}

INSTANTIATE_TEST_SUITE_P(
    PosixTerminal, WaysOut,
    ::testing::Values(WayOut{"endProgram", "key", 0}, WayOut{"endProgramAfterALine", "line", 0},
                      WayOut{"sigint", "key", SIGINT}),
    [](const auto& info) { return std::string(info.param.name); });

struct HangUp {
    const char* name;
    bool controllingTerminal;  // true: SIGHUP; false: only EIO on the next read or write
    const char* waitingIn;
};

void PrintTo(const HangUp& c, std::ostream* os) { *os << c.name; }

class HangUps : public ::testing::TestWithParam<HangUp> {};

// A closed terminal window is the end of input: the program ends at once, with status 0.
TEST_P(HangUps, EndTheProgramWithinASecond)
{
    PtyLaunch launch = driver({"ready", GetParam().waitingIn, "ready", "key"});
    launch.controllingTerminal = GetParam().controllingTerminal;
    PtySession session(launch);
    ASSERT_SEEN(session, "READY\r\n");
    if (std::string(GetParam().waitingIn) == "line") {
        ASSERT_TRUE(session.waitForLineMode());
    }
    session.hangUp();
    EXPECT_EQ(session.waitExit(1000), 0);
}

INSTANTIATE_TEST_SUITE_P(PosixTerminal, HangUps,
                         ::testing::Values(HangUp{"signalled", true, "key"},
                                           HangUp{"readError", false, "key"},
                                           HangUp{"lineReadError", false, "line"},
                                           HangUp{"writeErrorAfterAPause", false, "pause:300"}),
                         [](const auto& info) { return std::string(info.param.name); });

struct PipedCase {
    const char* name;
    KeySource keys;
    const char* pipedKeys;
    const char* shown;  // the keys the driver reports, then the player's screen back
};

void PrintTo(const PipedCase& c, std::ostream* os) { *os << c.name; }

class PipedKeys : public ::testing::TestWithParam<PipedCase> {};

// Keys from a pipe drive the program without raw mode and without anything dropped; when
// they run out (or there never were any) the program ends with status 0.
TEST_P(PipedKeys, AreAllReadThenTheProgramEnds)
{
    PtyLaunch launch = driver({"keys"});
    launch.keys = GetParam().keys;
    launch.pipedKeys = GetParam().pipedKeys;
    PtySession session(launch);
    EXPECT_EQ(session.waitExit(1000), 0);
    const std::string& out = session.output();
    const std::size_t first = out.find("key ");
    EXPECT_EQ(first == std::string::npos ? "" : out.substr(first), GetParam().shown);
    expectCookedModes(session.modes());  // a pipe leaves the terminal alone
}

INSTANTIATE_TEST_SUITE_P(
    PosixTerminal, PipedKeys,
    ::testing::Values(
        PipedCase{"keysRunOut", KeySource::pipe, "ab\n\x1b\x1b", "key 97\r\nkey 98\r\nkey 13\r\nkey 27\r\nkey 27\r\n\x1b[?25h\x1b[?1049l"},
        PipedCase{"emptyPipe", KeySource::pipe, "", ""}, PipedCase{"devNull", KeySource::devNull, "", ""},
        PipedCase{"closedInput", KeySource::closed, "", ""},
        PipedCase{"unreadableInput", KeySource::writeOnly, "", ""}),
    [](const auto& info) { return std::string(info.param.name); });

// ---- window size ----

struct WindowCase {
    unsigned short cols;
    unsigned short rows;
    bool notice;
};

void PrintTo(const WindowCase& c, std::ostream* os) { *os << c.cols << "x" << c.rows; }

class WindowSizes : public ::testing::TestWithParam<WindowCase> {};

// A window smaller than the game's screen gets a notice, which a key press gets past; the key
// is not passed on to the game.
TEST_P(WindowSizes, TooSmallGetsANoticeUntilAKey)
{
    PtyLaunch launch = driver({"ready", "key"});
    launch.cols = GetParam().cols;
    launch.rows = GetParam().rows;
    PtySession session(launch);
    if (GetParam().notice) {
        const std::string size = std::to_string(GetParam().cols) + "x" + std::to_string(GetParam().rows);
        ASSERT_SEEN(session, "Zorvane needs a terminal of 80 columns by 25 rows (this one is " + size +
                                 "). Enlarge it or press a key.");
        EXPECT_FALSE(session.waitFor("READY", 300));
        session.send("q");
    }
    const auto before = session.waitFor("READY\r\n");
    ASSERT_TRUE(before) << session.printableOutput();
    if (!GetParam().notice) {
        EXPECT_EQ(before->find("Zorvane needs"), std::string::npos);
    }
    session.send("z");
    EXPECT_SEEN(session, "key 122\r\n");
}

INSTANTIATE_TEST_SUITE_P(PosixTerminal, WindowSizes,
                         ::testing::Values(WindowCase{70, 20, true}, WindowCase{80, 24, true},
                                           WindowCase{79, 25, true}, WindowCase{80, 25, false},
                                           WindowCase{132, 43, false},
                                           WindowCase{0, 0, false}));  // size unknown

TEST(PosixTerminal, NoticeGoesWhenTheWindowGrows)
{
    PtyLaunch launch = driver({"ready", "key"});
    launch.cols = 70;
    launch.rows = 20;
    PtySession session(launch);
    ASSERT_SEEN(session, "(this one is 70x20)");
    session.resize(75, 25);
    EXPECT_SEEN(session, "(this one is 75x25)");
    session.resize(80, 25);
    EXPECT_SEEN(session, "READY\r\n");
}

// ---- the game itself ----

// The title screen at its cells, Ctrl-C refused at the mode question, ESC to the quit screen,
// ESC again to leave, and the terminal given back.
TEST(PosixTerminal, GameQuitsFromTheTitleScreen)
{
    const std::filesystem::path scratch =
        std::filesystem::temp_directory_path() / ("zorvane_pty_" + std::to_string(getpid()));
    std::filesystem::create_directories(scratch);
    PtyLaunch launch;
    launch.argv = {ZORVANE_PROGRAM_PATH};
    launch.workDir = scratch.string();
    PtySession session(launch);

    const char* modeQuestion = "\x1b[21;23HFull game or Zapfest Game?  F or W  ";
    ASSERT_SEEN(session, "\x1b[2J\x1b[H\x1b[7;33HZORVANE");
    ASSERT_SEEN(session, modeQuestion);
    session.send("\x03");
    ASSERT_SEEN(session, modeQuestion);  // asked again
    session.send("\x1b");
    ASSERT_SEEN(session, "\x1b[12;16HSORRY YOU CANNOT PLAY NOW, PLEASE COME BACK SOON.");
    ASSERT_SEEN(session, "\x1b[22;34HPress ESCAPE to exit ");
    session.send("\x1b");
    EXPECT_EQ(session.waitExit(1000), 0);
    expectCookedModes(session.modes());
    expectScreenGivenBack(session.output());
    std::filesystem::remove_all(scratch);
}

}  // namespace
