// The action prompt: the six letters in either case, refused keys under a longer prompt, and
// the help page, whose own keys are the five letters only.
#include "encounters/action_prompt.h"

#include "support/trace.h"

namespace {

const std::string shortPrompt = "Make your move \x1e ";
const std::string longPrompt = "Press A, B, E, F, R, N, or H for help \x1e ";
const std::string helpPrompt = "Press the letter of your choice \x1e ";

std::vector<std::string> promptsIn(const std::vector<std::string>& written)
{
    std::vector<std::string> list;
    for (const auto& text : written)
        if (text == shortPrompt || text == longPrompt || text == helpPrompt) list.push_back(text);
    return list;
}

TEST_F(GameTest, EitherCaseChoosesTheAction)
{
    console.queueKeys("abefrnABEFRN");
    for (const char letter : std::string("abefrnabefrn")) EXPECT_EQ(actionPrompt(), letter);
}

TEST_F(GameTest, RefusedKeysAskAgainWithTheLongerPrompt)
{
    console.queueKey(keyEsc);
    console.queueKey(keyCtrlC);
    console.queueKeys("z\re");
    EXPECT_EQ(actionPrompt(), 'e');
    EXPECT_EQ(promptsIn(writes()), (std::vector<std::string>{shortPrompt, longPrompt, longPrompt, longPrompt, longPrompt}));
    EXPECT_EQ(console.rowText(21), "");  // blanked on the way out
}

TEST_F(GameTest, TheHelpPageTakesOnlyItsFiveLetters)
{
    console.queueKeys("xH");
    console.queueKey(keyEsc);
    console.queueKeys("haR");
    EXPECT_EQ(actionPrompt(), 'a');
    EXPECT_NE(textAfterClear(console, 1).find("A = Accelerate."), std::string::npos);
    EXPECT_EQ(promptsIn(writes()), (std::vector<std::string>{shortPrompt, longPrompt, helpPrompt, helpPrompt, helpPrompt}));
    EXPECT_EQ(console.keysLeft(), 1u);
}

}  // namespace
