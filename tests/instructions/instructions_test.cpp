#include <algorithm>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "instructions/instructions.h"
#include "mission/startup.h"
#include "support/trace.h"

namespace {

const std::string prompts[] = {
    "Press C to continue or R to return to the game.  ",
    "Press C to continue or B to back up or R to return to the game  ",
    "Press B to back up or R to return to the game  ",
};

class Instructions : public GameTest {
protected:
    // Shows the pages reached by `keys` and stops at the prompt of the last one.
    void openAt(const std::string& keys)
    {
        console.queueKeys(keys);
        EXPECT_THROW(instructionPages(), ScriptExhausted);
    }

    // The page numbers of the prompts written, in order.
    std::vector<int> promptsShown() const
    {
        std::vector<int> pages;
        for (const auto& w : writes())
            for (int p = 0; p < 3; ++p)
                if (w == prompts[p]) pages.push_back(p + 1);
        return pages;
    }

    // Every row of the page: within 79 columns, and blank outside the groups; no addresses.
    // `groups` are {first row, line count}; blank rows lie between them.
    void expectBody(const std::vector<std::pair<int, int>>& groups, int firstRow, int lastRow)
    {
        for (int r = 1; r <= 25; ++r) EXPECT_LE(console.rowText(r).size(), 79u) << "row " << r;
        for (const char* mark : {"@", "http", "www.", ".com", ".org", ".net"})
            EXPECT_EQ(console.screenDump().find(mark), std::string::npos) << mark;
        int row = firstRow;
        for (const auto& [first, count] : groups) {
            for (; row < first; ++row) EXPECT_EQ(console.rowText(row), "") << "row " << row;
            for (; row < first + count; ++row) EXPECT_NE(console.rowText(row), "") << "row " << row;
        }
        EXPECT_EQ(row - 1, lastRow);
        for (; row < 24; ++row) EXPECT_EQ(console.rowText(row), "") << "row " << row;
        EXPECT_EQ(console.rowText(25), "");
    }

    static int leadingBlanks(const std::string& text)
    {
        return static_cast<int>(text.find_first_not_of(' '));
    }
};

TEST_F(Instructions, PageOne)
{
    openAt("");
    EXPECT_EQ(console.rowText(1), "");
    EXPECT_EQ(console.row(2).substr(0, 17 + 28), std::string(17, ' ') + "* INSTRUCTIONS FOR ZORVANE *");
    EXPECT_EQ(leadingBlanks(console.row(2)), 17);
    const std::string author = console.rowText(3);
    EXPECT_EQ(leadingBlanks(author), 37);
    EXPECT_NE(author.find("the Zorvane developers"), std::string::npos);
    EXPECT_EQ(console.rowText(4), "");
    expectBody({{5, 5}, {11, 7}}, 5, 17);
    EXPECT_EQ(console.rowText(24), prompts[0].substr(0, prompts[0].size() - 2));
    for (int r = 5; r <= 17; ++r) {
        if (r != 10) {
            EXPECT_NE(console.row(r)[0], ' ') << "row " << r;
        }
    }
}

TEST_F(Instructions, PageTwoListsTheSevenLetters)
{
    openAt("c");
    expectBody({{2, 5}, {8, 14}}, 2, 21);
    EXPECT_EQ(console.rowText(1), "");
    const std::string letters = "ABEFRNH";
    int listed = 0;
    for (int r = 8; r <= 21; ++r) {
        const std::string text = console.rowText(r);
        if (leadingBlanks(text) == 0) continue;
        ASSERT_LT(listed, 7) << "row " << r;
        EXPECT_EQ(leadingBlanks(text), 10) << "row " << r;
        EXPECT_EQ(text[10], letters[static_cast<std::size_t>(listed)]) << "row " << r;
        EXPECT_EQ(text.back(), '\x1e') << "row " << r;
        ++listed;
    }
    EXPECT_EQ(listed, 7);
    EXPECT_EQ(console.rowText(24), prompts[1].substr(0, prompts[1].size() - 2));
}

TEST_F(Instructions, PageThreeEndsUnderItsPrompt)
{
    openAt("cc");
    expectBody({{2, 6}, {9, 2}, {12, 3}, {16, 9}}, 2, 24);
    for (int r = 2; r <= 23; ++r) {
        if (console.rowText(r).empty()) continue;
        const int indent = leadingBlanks(console.row(r));
        EXPECT_EQ(indent, (r == 9 || r == 12) ? 5 : 0) << "row " << r;
    }
    // The last closing line was written on row 24 and the prompt over its start; what stands
    // beyond the prompt is the credit.
    const std::string last = console.rowText(24);
    EXPECT_EQ(last.substr(0, prompts[2].size()), prompts[2]);
    EXPECT_NE(last.find("the Zorvane developers", prompts[2].size()), std::string::npos);
}

// What a run of keys does: the prompts written in order, and whether the pages were left by
// R (the title again) or by ESC or Ctrl-C (the quit screen).
struct Walk {
    const char* name;
    std::vector<int> keys;
    std::vector<int> prompts;  // page of each prompt written
    int pagesDrawn;
    bool quits;
};

constexpr int C = 'c', B = 'b', R = 'r';

const std::vector<Walk> walks = {
    {"ROnPageOne", {R}, {1}, 1, false},
    {"ROnPageTwo", {C, R}, {1, 2}, 2, false},
    {"ROnPageThree", {C, C, R}, {1, 2, 3}, 3, false},
    {"UpperCaseKeys", {'C', 'C', 'B', 'R'}, {1, 2, 3, 2}, 4, false},
    {"BOnPageOneOnlyAsksAgain", {B, R}, {1, 1}, 1, false},
    {"COnPageThreeOnlyAsksAgain", {C, C, C, R}, {1, 2, 3, 3}, 3, false},
    {"OtherKeysAskAgain", {'x', keyEnter, ' ', C, 'q', R}, {1, 1, 1, 1, 2, 2}, 2, false},
    {"BackFromTwoRedrawsOne", {C, B, R}, {1, 2, 1}, 3, false},
    {"BackFromThreeRedrawsTwo", {C, C, B, B, R}, {1, 2, 3, 2, 1}, 5, false},
    {"EscOnPageOne", {keyEsc}, {1}, 1, true},
    {"EscOnPageTwo", {C, keyEsc}, {1, 2}, 2, true},
    {"EscOnPageThree", {C, C, keyEsc}, {1, 2, 3}, 3, true},
    {"CtrlCOnPageOne", {keyCtrlC}, {1}, 1, true},
    {"CtrlCOnPageTwo", {C, keyCtrlC}, {1, 2}, 2, true},
    {"CtrlCOnPageThree", {C, C, keyCtrlC}, {1, 2, 3}, 3, true},
};

void PrintTo(const Walk& walk, std::ostream* os) { *os << walk.name; }

class InstructionWalk : public Instructions, public ::testing::WithParamInterface<Walk> {};

TEST_P(InstructionWalk, Keys)
{
    const Walk& walk = GetParam();
    for (int key : walk.keys) console.queueKey(key);
    if (walk.quits) {
        console.queueKey(keyEsc);  // the quit screen's own ESC
        EXPECT_TRUE(ends(instructionPages));
        EXPECT_EQ(console.rowText(12), std::string(15, ' ') + "SORRY YOU CANNOT PLAY NOW, PLEASE COME BACK SOON.");
        // The pages clear their screen before the quit screen clears its own.
        const auto& log = console.log();
        const auto bothClears = [](const LogEntry& a, const LogEntry& b) {
            return a.kind == LogEntry::Clear && b.kind == LogEntry::Clear;
        };
        EXPECT_NE(std::adjacent_find(log.begin(), log.end(), bothClears), log.end());
        EXPECT_EQ(console.clears(), walk.pagesDrawn + 2);
    } else {
        EXPECT_FALSE(ends(instructionPages));
        EXPECT_EQ(console.clears(), walk.pagesDrawn + 1);
        for (int r = 1; r <= 25; ++r)
            EXPECT_EQ(console.rowText(r), r == 7 ? std::string(32, ' ') + "ZORVANE" : "") << "row " << r;
        const auto& log = console.log();
        ASSERT_GE(log.size(), 3u);
        EXPECT_EQ(std::vector<LogEntry>(log.end() - 3, log.end()),
                  (std::vector<LogEntry>{{LogEntry::Clear, ""}, {LogEntry::Move, "", 33, 7},
                                         {LogEntry::Write, "ZORVANE"}}));
    }
    EXPECT_EQ(promptsShown(), walk.prompts);
    EXPECT_TRUE(console.scriptUsedUp());
    EXPECT_TRUE(sounds().empty());
}

INSTANTIATE_TEST_SUITE_P(Navigation, InstructionWalk, ::testing::ValuesIn(walks),
                         [](const auto& info) { return std::string(info.param.name); });

// Each prompt: move to column 1, row 24, blank 31 columns, move back, wait (not on page 3).
TEST_F(Instructions, PromptPauses)
{
    console.queueKeys("cc");
    EXPECT_THROW(instructionPages(), ScriptExhausted);
    EXPECT_EQ(pauses(), (std::vector<int>{200, 200}));
    for (int page = 0; page < 3; ++page) {
        std::vector<LogEntry> asked = {moved(1, 24), wrote(std::string(31, ' ')), moved(1, 24), paused(200),
                                       wrote(prompts[page])};
        if (page == 2) asked.erase(asked.begin() + 3);
        EXPECT_TRUE(logHasRun(console, asked)) << "page " << page + 1;
    }
}

// From the title menu: Y to the instructions question, R on the first page, and the sound
// question follows under the title.
TEST_F(Instructions, BackToTheTitleMenu)
{
    console.queueKeys("wyrn");
    EXPECT_FALSE(ends(titleMenu));
    EXPECT_EQ(console.rowText(7), std::string(32, ' ') + "ZORVANE");
    EXPECT_EQ(console.rowText(21), std::string(22, ' ') + "Do you want sound effects?  Y or N");
    EXPECT_EQ(mission.soundOn, 'n');
}

}  // namespace
