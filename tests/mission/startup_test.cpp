#include <gtest/gtest.h>

#include "mission/startup.h"
#include "support/trace.h"

namespace {

class Startup : public GameTest {
protected:
    int countWrites(const std::string& text) const
    {
        const auto all = writes();
        return static_cast<int>(std::count(all.begin(), all.end(), text));
    }
    void expectQuitScreen() const
    {
        EXPECT_EQ(console.at(16, 12, 49), "SORRY YOU CANNOT PLAY NOW, PLEASE COME BACK SOON.");
        EXPECT_EQ(console.at(34, 22, 20), "Press ESCAPE to exit");
        EXPECT_TRUE(sounds().empty());
    }
};

TEST_F(Startup, TitleScreenAndTheModeQuestion)
{
    console.queueKeys("x");
    EXPECT_THROW(titleMenu(), ScriptExhausted);
    EXPECT_EQ(console.at(33, 7, 7), "ZORVANE");
    EXPECT_EQ(console.at(28, 9, 23), "Version 3.1 for Windows");
    EXPECT_NE(console.rowText(12).find("the Zorvane developers"), std::string::npos);
    EXPECT_NE(console.at(40, 13, 1), " ");
    EXPECT_NE(console.at(1, 15, 1), " ");
    EXPECT_NE(console.at(1, 16, 1), " ");
    EXPECT_EQ(console.at(23, 21, 36), "Full game or Zapfest Game?  F or W  ");
    EXPECT_EQ(countWrites("Full game or Zapfest Game?  F or W  "), 2);
    EXPECT_EQ(countWrites(std::string(55, ' ')), 2);
}

TEST_F(Startup, CtrlCIsRefusedAtTheTitleQuestions)
{
    console.queueKey(keyCtrlC);
    console.queueKeys("w");
    console.queueKey(keyCtrlC);
    console.queueKeys("n");
    console.queueKey(keyCtrlC);
    console.queueKeys("n");
    titleMenu();
    EXPECT_EQ(mission.zapfestMode, 1);
    EXPECT_EQ(mission.soundOn, 'n');
    EXPECT_EQ(countWrites("Full game or Zapfest Game?  F or W  "), 2);
    EXPECT_EQ(countWrites("Do you want instructions?  Y or N  "), 2);
    EXPECT_EQ(countWrites("Do you want sound effects?  Y or N     "), 2);
}

TEST_F(Startup, EscAtEachTitleQuestionGoesToTheQuitScreen)
{
    for (const char* before : {"", "f", "fn"}) {
        SetUp();
        console.queueKeys(before);
        console.queueKey(keyEsc);
        console.queueKeys("xy");
        console.queueKey(keyEsc);
        EXPECT_TRUE(ends([] { titleMenu(); })) << before;
        expectQuitScreen();
        EXPECT_TRUE(console.scriptUsedUp());
        TearDown();
    }
}

TEST_F(Startup, ZapfestSkipsTheResumeOfferButAsksTheOtherQuestions)
{
    writeFile("mars.dat", "not a game");
    console.queueKeys("WNY");
    mission.soundOn = 0;
    titleMenu();
    EXPECT_EQ(mission.zapfestMode, 1);
    EXPECT_EQ(mission.soundOn, 'y');
    EXPECT_EQ(shortNames(sounds()), (std::vector<std::string>{"intr"}));
    EXPECT_EQ(countWrites("Resume prior game  or begin new game, R or B? "), 0);
}

TEST_F(Startup, SoundQuestionIsWrittenWithoutBlankingAfterA200msPause)
{
    console.queueKeys("fn");
    console.queueKeys("n");
    titleMenu();
    EXPECT_TRUE(logHasRun(console, {moved(23, 21), paused(200), wrote("Do you want sound effects?  Y or N     ")}));
    EXPECT_EQ(console.at(23, 21, 39), "Do you want sound effects?  Y or N     ");
    EXPECT_EQ(mission.soundOn, 'n');
    EXPECT_TRUE(sounds().empty());
}

TEST_F(Startup, LaunchPadQuitsOnEscAndCtrlC)
{
    for (int key : {keyEsc, keyCtrlC}) {
        SetUp();
        console.queueKeys("x");
        console.queueKey(key);
        console.queueKey(keyEsc);
        EXPECT_TRUE(ends([] { launchPad(); }));
        expectQuitScreen();
        TearDown();
    }
}

TEST_F(Startup, BlastOffSetsCellsThenCharges)
{
    mission.soundOn = 'y';
    chance->face(4).face(2).face(5);  // the blast-off roll, phaser cells, barrier charges
    console.queueKeys("B");
    launchPad();
    EXPECT_EQ(mission.phaserCells, 4);
    EXPECT_EQ(mission.barrierCharges, 7);
    EXPECT_EQ(shortNames(sounds()), (std::vector<std::string>{"stup", "blof"}));
    EXPECT_EQ(console.at(31, 12, 29), "SUCCESSFUL BLASTOFF!         ");
    EXPECT_EQ(console.at(20, 14, 41), "* You are now in orbit around the Earth *");
    EXPECT_EQ(console.at(17, 16, 49), "You are ready to begin your 35 million mile trip.");
    EXPECT_EQ(console.at(17, 20, 26), "You have 400 units of fuel");
}

TEST_F(Startup, CrashOnTheLaunchPadLeavesTheFrozenGameAlone)
{
    writeFile("mars.dat", "old game\n");
    mission.soundOn = 'y';
    chance->face(13);
    console.queueKeys("b");
    console.queueKeys("q");
    console.queueKey(keyEsc);
    EXPECT_TRUE(ends([] { launchPad(); }));
    EXPECT_EQ(console.rowText(5), "Oh no!  You crashed on blastoff.");
    EXPECT_EQ(console.rowText(12), "But THIS MISSION IS OVER!");
    EXPECT_EQ(console.at(34, 22, 20), "Press ESCAPE to exit");
    EXPECT_EQ(shortNames(sounds()), (std::vector<std::string>{"stup", "blof", "expl", "exit"}));
    EXPECT_EQ(pauses().back(), 3000);
    EXPECT_EQ(readFile("mars.dat"), "old game\n");
    EXPECT_EQ(console.rowText(1), "");  // no statistics
}

TEST_F(Startup, ConfirmQuitNoBlanksTheRowAndReturns)
{
    gotoColRow(17, 21);
    writeText("Spin cosmic wheel");
    console.queueKeys("x");
    console.queueKey(keyEsc);
    console.queueKeys("N");
    confirmQuit();
    EXPECT_EQ(countWrites("Do you want to quit this game?  Y or N  "), 3);
    // Only 29 columns are blanked: the caller's own prompt covers the rest.
    EXPECT_EQ(console.rowText(21), std::string(45, ' ') + "?  Y or N");
    EXPECT_EQ(console.cursorCol(), 17);
    EXPECT_EQ(console.cursorRow(), 21);
    const auto& log = console.log();
    EXPECT_EQ(log[log.size() - 2], (LogEntry{LogEntry::Write, std::string(29, ' ')}));
}

TEST_F(Startup, ConfirmQuitYesEndsTheMission)
{
    writeFile("mars.dat", "frozen\n");
    mission.soundOn = 'y';
    mission.spins = 12;
    mission.distanceLeft = 123;
    console.queueKeys("y");
    console.queueKey(keyEsc);
    EXPECT_TRUE(ends([] { confirmQuit(); }));
    EXPECT_EQ(console.rowText(1), "You made 12 spins of the cosmic wheel.");
    EXPECT_EQ(console.rowText(2), "You had 12 million 3 hundred thousand miles to go.");
    EXPECT_EQ(shortNames(sounds()), (std::vector<std::string>{"quit", "exit"}));
    EXPECT_FALSE(fileExists("mars.dat"));
}

TEST_F(Startup, AWholeVoyageFromTheTitleToAQuit)
{
    chance.reset();
    console.seedSeconds = 1234567;
    console.queueKeys("fnnb");
    console.queueKey(keyEsc);
    console.queueKeys("y");
    console.queueKey(keyEsc);
    EXPECT_TRUE(ends([] { runGame(); }));
    EXPECT_EQ(console.rowText(1), "You made 0 spins of the cosmic wheel.");
    EXPECT_EQ(console.rowText(2), "You had 35 million miles to go.");
    EXPECT_TRUE(console.scriptUsedUp());
}

}  // namespace
