#include <gtest/gtest.h>

#include "mission/endings.h"
#include "mission/status.h"
#include "mission/wheel.h"
#include "support/trace.h"

namespace {

class Wheel : public GameTest {};

struct StatusCase {
    int distance;
    const char* line;
};

class StatusLine : public GameTest, public ::testing::WithParamInterface<StatusCase> {};

TEST_P(StatusLine, SplitsTheDistanceIntoMillionsAndHundredThousands)
{
    mission.distanceLeft = GetParam().distance;
    mission.fuel = 370;
    console.queueKeys("");
    gotoColRow(17, 19);
    writeText("old text on the distance row");
    showStatus();
    const std::string line = GetParam().line;
    EXPECT_EQ(console.rowText(19), line.empty() ? "" : std::string(16, ' ') + line);
    EXPECT_EQ(console.rowText(20), std::string(16, ' ') + "You have 370 units of fuel");
    EXPECT_EQ(pauses(), (std::vector<int>{1000, 1000}));
}

INSTANTIATE_TEST_SUITE_P(
    Distances, StatusLine,
    ::testing::Values(StatusCase{350, "Miles to Mars: 35 million"},
                      StatusCase{17, "Miles to Mars: 1 million, 7 hundred thousand"},
                      StatusCase{10, "Miles to Mars: 1 million"},
                      StatusCase{3, "Miles to Mars: 3 hundred thousand"},
                      StatusCase{123, "Miles to Mars: 12 million, 3 hundred thousand"},
                      StatusCase{0, ""}, StatusCase{-1, ""}, StatusCase{-13, ""}));

TEST_F(Wheel, PromptIsBlankedAndWrittenAtColumn17Row21)
{
    mission.soundOn = 'n';
    console.queueKeys("x");
    EXPECT_THROW(wheelTurn(), ScriptExhausted);
    EXPECT_TRUE(logHasRun(console, {moved(17, 21), wrote(std::string(49, ' ')), moved(17, 21), paused(200),
                                    wrote("Spin cosmic wheel")}));
    EXPECT_EQ(console.at(17, 21, 17), "Spin cosmic wheel");
    EXPECT_EQ(mission.spins, 0);
}

TEST_F(Wheel, SoundTogglesBackAndForthOnRow19)
{
    mission.soundOn = 'y';
    gotoColRow(17, 19);
    writeText("Miles to Mars: 30 million, 2 hundred thousand");
    console.queueKeys("S");
    EXPECT_THROW(wheelTurn(), ScriptExhausted);
    EXPECT_EQ(mission.soundOn, 'n');
    EXPECT_EQ(console.rowText(19), std::string(16, ' ') + "* Sound off *" + std::string(16, ' ') + "hundred thousand");
    console.queueKeys("s");
    EXPECT_THROW(wheelTurn(), ScriptExhausted);
    EXPECT_EQ(mission.soundOn, 'y');
    EXPECT_EQ(console.at(17, 19, 13), "* Sound on * ");
}

TEST_F(Wheel, SoundToggleLeavesAnUnansweredSettingAlone)
{
    mission.soundOn = 0;
    console.queueKeys("s");
    EXPECT_THROW(wheelTurn(), ScriptExhausted);
    EXPECT_EQ(mission.soundOn, 0);
    EXPECT_EQ(console.rowText(19), "");
}

TEST_F(Wheel, FreezeQuestionStandsAtColumn42AndNGoesBackToThePrompt)
{
    mission.soundOn = 'n';
    console.queueKeys("fqn");
    EXPECT_THROW(wheelTurn(), ScriptExhausted);
    // The question follows 25 blanks written from column 17.
    int questions = 0;
    for (const auto& entry : console.log())
        if (entry.kind == LogEntry::Write && entry.text == "Want to freeze the game?  Y or N  ") ++questions;
    EXPECT_EQ(questions, 2);  // q is refused and the question asked again
    // The 26 blanks written after the answer reach only column 42: the rest of the question
    // stays on the row until the next spin clears the screen.
    EXPECT_EQ(console.rowText(18), std::string(42, ' ') + "ant to freeze the game?  Y or N");
    EXPECT_EQ(console.cursorRow(), 21);
    EXPECT_FALSE(fileExists("mars.dat"));
}

TEST_F(Wheel, EscThenNoReturnsToTheWheelPrompt)
{
    mission.soundOn = 'n';
    console.queueKey(keyEsc);
    console.queueKeys("n");
    console.queueKey(keyCtrlC);
    console.queueKeys("N");
    EXPECT_THROW(wheelTurn(), ScriptExhausted);
    int prompts = 0;
    for (const auto& entry : console.log())
        if (entry.kind == LogEntry::Write && entry.text == "Spin cosmic wheel") ++prompts;
    EXPECT_EQ(prompts, 3);
    EXPECT_EQ(console.rowText(21), std::string(16, ' ') + "Spin cosmic wheel");
}

TEST_F(Wheel, ASpinMovesTheShipBurnsFuelAndDispatches)
{
    mission.soundOn = 'y';
    mission.spins = 4;
    chance->face(6);   // the wheel
    chance->face(10);  // the event card: the meteor storm
    chance->face(9);   // its die
    console.queueKey(keyEnter);
    console.queueKeys("n");
    EXPECT_TRUE(wheelTurn());
    EXPECT_EQ(mission.spins, 5);
    EXPECT_EQ(mission.distanceLeft, 338);
    EXPECT_EQ(mission.fuel, 390);
    EXPECT_EQ(console.at(17, 22, 12), "You spun a 6");
    EXPECT_EQ(console.rowText(5), "You are caught in a huge meteor storm.");
    EXPECT_EQ(console.at(17, 19, 42), "Miles to Mars: 33 million, 8 hundred thous");
    EXPECT_EQ(shortNames(sounds()).front(), "whee");
    EXPECT_EQ(mission.eventDeck.cards[0], 10);
    // The dispatcher waits a second before the encounter.
    const std::vector<int> all = pauses();
    ASSERT_GE(all.size(), 4u);
    EXPECT_EQ(std::vector<int>(all.begin(), all.begin() + 4), (std::vector<int>{200, 1000, 1000, 1000}));
}

TEST_F(Wheel, ReachingMarsSkipsTheStatusAndTheEncounter)
{
    mission.soundOn = 'n';
    mission.distanceLeft = 2;
    mission.fuel = 50;
    chance->face(1);
    console.queueKey(keyEnter);
    EXPECT_THROW(wheelTurn(), ScriptExhausted);  // waits at the orbit prompt
    EXPECT_EQ(mission.distanceLeft, 0);
    EXPECT_EQ(mission.fuel, 40);
    EXPECT_EQ(console.at(19, 12, 38), "** YOU ARE NOW IN ORBIT AROUND MARS **");
    EXPECT_EQ(mission.eventDeck.cards[0], 0);
}

TEST_F(Wheel, EndChecksComeBeforeThePrompt)
{
    for (auto setUp : std::vector<std::function<void()>>{
             [] { mission.damage = 5; }, [] { mission.distanceLeft = 0; }, [] { mission.warnings = 3; },
             [] { mission.fuel = 0; }, [] { mission.fuel = -7; }}) {
        mission = MissionState{};
        setUp();
        EXPECT_FALSE(wheelTurn());
        EXPECT_TRUE(console.log().empty());
    }
}

struct EndingCase {
    int damage, warnings, distance, fuel;
    const char* firstLine;
};

class EndingChoice : public GameTest, public ::testing::WithParamInterface<EndingCase> {};

TEST_P(EndingChoice, DamageBeforeWarningsBeforeArrivalBeforeFuel)
{
    const EndingCase& c = GetParam();
    mission.soundOn = 'n';
    mission.damage = c.damage;
    mission.warnings = c.warnings;
    mission.distanceLeft = c.distance;
    mission.fuel = c.fuel;
    chance->face(5);  // the landing roll, if it comes to that
    console.queueKeys("l");
    console.queueKey(keyEsc);
    EXPECT_TRUE(ends([] { wheelLoop(); }));
    EXPECT_EQ(console.rowText(3), c.firstLine);
}

INSTANTIATE_TEST_SUITE_P(
    Order, EndingChoice,
    ::testing::Values(EndingCase{5, 3, 0, 0, "Oh no!  You have sustained too much damage."},
                      EndingCase{0, 3, 0, 0, "Oh no!  You have received too many warnings."},
                      EndingCase{4, 2, 0, 0, "YOU DID IT!  CONGRATULATIONS."},
                      EndingCase{4, 2, -3, -20, "YOU DID IT!  CONGRATULATIONS."},
                      EndingCase{4, 2, 1, 0, "Oh no!  You are out of fuel."},
                      EndingCase{9, 0, 100, 100, "Oh no!  You have sustained too much damage."}));

TEST_F(Wheel, TheLastFuelIsBurntThenTheEncounterPlaysThenTheFuelEndingComes)
{
    mission.soundOn = 'n';
    mission.fuel = 10;
    chance->face(3).face(10).face(9);  // spin 3, meteor storm, its die 9
    console.queueKey(keyEnter);
    console.queueKeys("n");
    console.queueKey(keyEsc);
    EXPECT_TRUE(ends([] { wheelLoop(); }));
    EXPECT_EQ(mission.fuel, 0);
    bool sawZeroFuel = false, sawMeteors = false;
    for (const auto& entry : console.log()) {
        if (entry.kind != LogEntry::Write) continue;
        sawZeroFuel = sawZeroFuel || entry.text == "You have 0 units of fuel";
        sawMeteors = sawMeteors || entry.text.find("meteors have miraculously") != std::string::npos;
    }
    EXPECT_TRUE(sawZeroFuel);
    EXPECT_TRUE(sawMeteors);
    EXPECT_EQ(console.rowText(3), "Oh no!  You are out of fuel.");
}

}  // namespace
