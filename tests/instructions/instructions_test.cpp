// The instruction pages: paging with C, B and R, refused keys, ESC and Ctrl-C.
#include "instructions/instructions.h"

#include "support/trace.h"

const std::string prompts[] = {"Press C to continue or R to return to the game.  ",
                               "Press C to continue or B to back up or R to return to the game  ",
                               "Press B to back up or R to return to the game  "};

// Each walk: the keys, the page of each prompt written (refused keys write it again; there is
// no page 0 nor 4; upper case pages too), and whether it ends in a quit (ESC or Ctrl-C).
TEST_F(GameTest, PagingFollowsTheKeys)
{
    for (auto [keys, pages, quits] : {std::tuple{"x\r qbCCcBBr", std::vector<long>{1, 1, 1, 1, 1, 1, 2, 3, 3, 2, 1}, false},
                                      {"c\x1b", {1, 2}, true}, {"cc\x03", {1, 2, 3}, true}}) {
        SetUp();
        console.queueKeys(keys);
        if (quits) console.queueKey(keyEsc);  // the quit screen's own
        EXPECT_EQ(ends(instructionPages), quits);
        std::vector<long> seen;
        for (const std::string& text : writes())
            if (const auto p = std::find(prompts, prompts + 3, text); p != prompts + 3) seen.push_back(p - prompts + 1);
        EXPECT_EQ(std::tuple(seen, console.scriptUsedUp()), std::tuple(pages, true));
        if (!quits) { EXPECT_EQ(console.rowText(7), std::string(32, ' ') + "ZORVANE"); }
    }
}
