// Worked examples of the encounters played through the scripted console: one scene of each
// kind, from the announcement and the prompt to the screen, the sounds and the new state; the
// action prompt they ask with; the time warp.
#include "support/trace.h"

#include "encounters/action_prompt.h"
#include "encounters/hazards.h"
#include "encounters/scenery.h"
#include "encounters/time_warp.h"

namespace {

using Rows = std::vector<std::string>;

struct Scene : GameTest {
    // Plays `scene` on the die `face` with the keys given, sound on, from column 1 of row 5.
    bool play(void (*scene)(), int face, const std::string& keys)
    {
        mission.soundOn = 'y';
        chance->face(face);
        console.queueKeys(keys);
        gotoColRow(1, 5);
        return ends(scene);
    }
};

TEST_F(Scene, AMeteorStormHitsTheShipAsItAccelerates)
{
    EXPECT_FALSE(play(meteorStorm, 2, "xA"));  // a refused key, then upper case
    EXPECT_EQ(console.rowText(5), "You are caught in a huge meteor storm.");
    EXPECT_EQ(rows(9, 10), (Rows{"Bing bong kaboom \x1e you have been hit by a meteor.", "There is a hole in your hull."}));
    EXPECT_EQ(shortNames(sounds()), (Rows{"mete", "mete", "mete", "mete", "acce", "dama"}));
    EXPECT_EQ(pauses(), (std::vector<int>{200, 200, 1000, 1000, 1000}));
    EXPECT_EQ(console.rowText(19).substr(16), "Miles to Mars: 34 million, 8 hundred thousand");
    EXPECT_EQ(std::tuple(mission.fuel, mission.damage), std::tuple(380, 1));
}

TEST_F(Scene, AQuietViewThenARepairInQuietSpace)
{
    mission.damage = 2;
    chance->face(3).face(1);  // the repair's die, then the praise
    EXPECT_FALSE(play([] { quietScene(QuietView::ShootingStar); }, 1, "r"));
    EXPECT_EQ(rows(5, 9), (Rows{"The beauty of the vast universe captivates you.",
                                "A shooting star travels across the dark curtain of space.", "", "", "Nice fix up job!"}));
    EXPECT_EQ(shortNames(sounds()).front(), "star");
    EXPECT_EQ(std::tuple(mission.damage, chance->left()), std::tuple(1, 0u));
}

// A phaser shot that hits is heard, then a second later the explosion; at point blank the
// shuttle's explosion takes the ship with it, half a second and another second later.
TEST_F(Scene, PhaserHitsExplodeASecondLater)
{
    mission.phaserCells = 1;
    EXPECT_FALSE(play(spaceJunk, 4, "f"));
    EXPECT_TRUE(logHasRun(console, {played("phas"), paused(1000), played("expl")}));
    SetUp();
    mission.phaserCells = 1;
    EXPECT_TRUE(play(abandonedShuttle, 10, "f\x1b"));
    EXPECT_TRUE(logHasRun(console, {played("phas"), paused(1000), played("expl"), paused(500), paused(1000), played("expl")}));
    EXPECT_EQ(console.rowText(5), "Oh no!  The shuttle explosion blew you to bits.");
}

// The action prompt: the six letters in either case, refused keys under a longer prompt, and
// the help page, whose own keys are the five letters only. The prompts written, by number: 0
// the first, 1 the longer one after a refused key, 2 the help page's. ESC and Ctrl-C are refused
// keys like any other, and so are ESC and H on the help page, whose letter ends the prompt (the
// R after it is not the action); the prompt's row is blanked on the way out.
TEST_F(Scene, TheActionPromptTakesItsLettersAndTheHelpPageOnlyItsFive)
{
    console.queueKeys("abefrnABEFRN");
    for (const char letter : std::string("abefrnabefrn")) EXPECT_EQ(actionPrompt(), letter);
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
}

// The time warp: the way home is the first era's year digit plus the spins, mod 10; a wrong
// digit costs fuel and shows another era; a line that is no digit costs nothing.
// Card 1 is 1943: (3 + 16) mod 10 = 9. Lines that are not one digit, refused for free, a wrong
// digit (a new era, 10 more units), then the right one.
TEST_F(Scene, ATimeWarpRefusedWrongThenRight)
{
    mission.soundOn = 'y';
    mission.spins = 16;
    chance->face(1).face(2);
    // The last but one is wrong, but a digit: the lowest.
    for (const std::string& line : std::vector<std::string>{"abc", "12", "-1", "", "   ", "+", "- 3", "+-3", "\xb5" "0",
                                                            std::string(10000, '9'), std::string(1, '\0') + "0", "0", " +9x"})
        console.queueLine(line);
    EXPECT_FALSE(ends(timeWarp));
    EXPECT_EQ(shortNames(sounds()), (Rows{"tiwa", "tw_g", "tw_g", "ouwa"}));
    EXPECT_EQ(console.rowText(22).substr(16), "Good job, you made it back to the present!");
    EXPECT_EQ(std::tuple(mission.fuel, chance->left()), std::tuple(380, 0u));
    EXPECT_TRUE(logHasRun(console, {paused(200), wrote("Enter 0 to 9 to get back  ")}));
}

// Every era names its year, and the digit it returns is that year's last digit; written from
// column 10, the line keeps to its row (71 columns).
TEST_F(Scene, EachEraReturnsItsYearsLastDigit)
{
    for (int card = 1; card <= 20; ++card) {
        SetUp();
        chance->face(card);
        const int digit = eraLine();
        const std::string text = textAfterClear(console);
        const auto end = text.find_first_not_of("0123456789", text.find_first_of("0123456789"));
        EXPECT_EQ(text[end - 1] - '0', digit) << text;
        EXPECT_LE(text.size(), 72u) << text;  // and the line end
    }
}

}  // namespace
