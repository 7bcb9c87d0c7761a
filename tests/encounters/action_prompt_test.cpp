// The action prompt: the six letters in either case, refused keys under a longer prompt, and
// the help page, whose own keys are the five letters only.
#include "encounters/action_prompt.h"

#include "support/trace.h"

namespace {

TEST_F(GameTest, EitherCaseChoosesTheAction)
{
    console.queueKeys("abefrnABEFRN");
    for (const char letter : std::string("abefrnabefrn")) EXPECT_EQ(actionPrompt(), letter);
}

// The prompts written, by number: 0 the first, 1 the longer one after a refused key, 2 the help
// page's. ESC and Ctrl-C are refused keys like any other, and so are ESC and H on the help page,
// whose letter ends the prompt (the last R is left unread); the prompt's row is blanked on the
// way out.
TEST_F(GameTest, RefusedKeysAskAgainAndTheHelpPageTakesOnlyItsFiveLetters)
{
    const std::string prompts[] = {"Make your move \x1e ", "Press A, B, E, F, R, N, or H for help \x1e ",
                                   "Press the letter of your choice \x1e "};
    for (auto [keys, action, asked] : {std::tuple{"\x1b\x03z\re", 'e', std::vector<long>{0, 1, 1, 1, 1}},
                                       {"xH\x1bhaR", 'a', {0, 1, 2, 2, 2}}}) {
        SetUp();
        console.queueKeys(keys);
        EXPECT_EQ(actionPrompt(), action);
        std::vector<long> seen;
        for (const std::string& text : writes())
            if (const auto p = std::find(prompts, prompts + 3, text); p != prompts + 3) seen.push_back(p - prompts);
        EXPECT_EQ(seen, asked);
        EXPECT_EQ(console.rowText(21), "");
    }
    EXPECT_NE(textAfterClear(console, 1).find("A = Accelerate."), std::string::npos);
    EXPECT_EQ(console.keysLeft(), 1u);
}

}  // namespace
