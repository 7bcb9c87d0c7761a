// The instruction pages: paging with C, B and R, refused keys, ESC and Ctrl-C.
#include "instructions/instructions.h"

#include "support/trace.h"

namespace {

const std::string prompts[] = {"Press C to continue or R to return to the game.  ",
                               "Press C to continue or B to back up or R to return to the game  ",
                               "Press B to back up or R to return to the game  "};

struct Walk {
    std::string keys;
    std::vector<int> pages;  // the page of each prompt written
    bool quits;
};

class Paging : public GameTest, public ::testing::WithParamInterface<Walk> {};

TEST_P(Paging, FollowsTheKeys)
{
    console.queueKeys(GetParam().keys);
    if (GetParam().quits) console.queueKey(keyEsc);  // the quit screen's own
    EXPECT_EQ(ends(instructionPages), GetParam().quits);
    std::vector<int> pages;
    for (const std::string& text : writes())
        for (int p = 0; p < 3; ++p)
            if (text == prompts[p]) pages.push_back(p + 1);
    EXPECT_EQ(std::tuple(pages, console.scriptUsedUp()), std::tuple(GetParam().pages, true));
    for (int r = 1; r <= 25; ++r) EXPECT_LE(console.rowText(r).size(), 79u);
    if (!GetParam().quits) EXPECT_EQ(console.rowText(7), std::string(32, ' ') + "ZORVANE");
}

INSTANTIATE_TEST_SUITE_P(Keys, Paging,
                         ::testing::Values(Walk{"CCBBr", {1, 2, 3, 2, 1}, false},  // upper case too
                                           Walk{"bccCr", {1, 1, 2, 3, 3}, false},  // no page 0 nor 4
                                           Walk{"x\r q c r", {1, 1, 1, 1, 1, 1, 2, 2}, false},
                                           Walk{"c\x1b", {1, 2}, true}, Walk{"cc\x03", {1, 2, 3}, true}));

}  // namespace
