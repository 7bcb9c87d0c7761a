#include <cstring>

#include "encounters/action_prompt.h"
#include "support/game_test.h"

namespace {

const std::string shortPrompt = "Make your move \x1e ";
const std::string longPrompt = "Press A, B, E, F, R, N, or H for help \x1e ";
const std::string helpPrompt = "Press the letter of your choice \x1e ";

class ActionPrompt : public GameTest {
protected:
    std::vector<std::string> prompts() const
    {
        std::vector<std::string> list;
        for (const auto& text : writes())
            if (text == shortPrompt || text == longPrompt || text == helpPrompt) list.push_back(text);
        return list;
    }
};

TEST_F(ActionPrompt, EitherCaseChoosesTheAction)
{
    for (char letter : std::string("abefrn")) {
        for (char key : {letter, static_cast<char>(std::toupper(letter))}) {
            console.queueKey(key);
            EXPECT_EQ(actionPrompt(), letter) << key;
        }
    }
}

TEST_F(ActionPrompt, ThePromptSequenceAndTheBlankedRowOnReturn)
{
    gotoColRow(17, 21);
    writeText("Spin cosmic wheel and more text to fill fifty cols");
    console.clearLog();
    console.queueKeys("n");
    EXPECT_EQ(actionPrompt(), 'n');
    const std::vector<LogEntry> expected{
        {LogEntry::Move, "", 17, 21},         {LogEntry::Write, std::string(29, ' ')},
        {LogEntry::Move, "", 17, 21},         {LogEntry::Pause, "", 200},
        {LogEntry::Write, shortPrompt},       {LogEntry::Key, "", 'n'},
        {LogEntry::Move, "", 17, 21},         {LogEntry::Write, std::string(50, ' ')},
        {LogEntry::Move, "", 17, 21},
    };
    EXPECT_EQ(console.log(), expected);
    EXPECT_EQ(console.rowText(21), "");
    EXPECT_EQ(console.cursorCol(), 17);
    EXPECT_EQ(console.cursorRow(), 21);
}

TEST_F(ActionPrompt, TheLongerPromptStaysForTheRestOfTheCall)
{
    console.queueKey(keyEsc);
    console.queueKey(keyCtrlC);
    console.queueKeys("z\r");
    console.queueKeys("e");
    EXPECT_EQ(actionPrompt(), 'e');
    EXPECT_EQ(prompts(), (std::vector<std::string>{shortPrompt, longPrompt, longPrompt, longPrompt, longPrompt}));
    // The next call starts again with the short prompt.
    console.clearLog();
    console.queueKeys("a");
    EXPECT_EQ(actionPrompt(), 'a');
    EXPECT_EQ(prompts(), (std::vector<std::string>{shortPrompt}));
}

TEST_F(ActionPrompt, HelpFromEitherPromptEndsTheCallWithThePageLetter)
{
    for (const char* keys : {"hR", "xHf", "Hqhb"}) {
        SetUp();
        gotoColRow(1, 5);
        writeText("You are caught in a huge meteor storm.\n");
        console.queueKeys(keys);
        const char got = actionPrompt();
        EXPECT_EQ(got, static_cast<char>(std::tolower(keys[std::strlen(keys) - 1]))) << keys;
        EXPECT_EQ(console.rowText(5), "") << "the help page leaves a blank screen";
        EXPECT_EQ(prompts().back(), helpPrompt) << "no further prompt after the page";
        EXPECT_TRUE(console.scriptUsedUp());
        TearDown();
    }
}

TEST_F(ActionPrompt, TheHelpPageListsFiveLettersAndIgnoresHAndEsc)
{
    console.queueKeys("h");
    console.queueKeys("H");
    console.queueKey(keyEsc);
    console.queueKeys("x");
    console.queueKey(keyCtrlC);
    console.onScriptEmpty = [this](bool) {
        EXPECT_EQ(rows(2, 10), (std::vector<std::string>{
                                   "You need help \x1e here it is.",
                                   "Below is a list of letters with their definitions.  Simply press the",
                                   "letter of your choice.", "", "A = Accelerate.", "B = Set up force field barrier.",
                                   "E = Take evasive action.", "F = Fire phasers.", "N = Take no action."}));
        EXPECT_EQ(console.rowText(11), "");
        EXPECT_EQ(console.at(1, 24, static_cast<int>(helpPrompt.size())), helpPrompt);
        console.queueKeys("r");
        console.onScriptEmpty = nullptr;
    };
    EXPECT_EQ(actionPrompt(), 'r');
    const auto shown = prompts();
    EXPECT_EQ(std::count(shown.begin(), shown.end(), helpPrompt), 5);
    EXPECT_EQ(console.clears(), 2);
}

}  // namespace
