#include "support/trace.h"

#include <deque>
#include <functional>

#include "aliens/zapfest.h"

namespace {

const char* const firstMiss = "That blast was serious, better teach them a lesson\n";
const char* const deflectedLine = "They are firing but the shot deflected off your force field barrier.\n";
const char* const hitLine = "Hit the deck, you have been hit.\n";
const char* const whackedLine = "Oh no, the  goons whacked you !\n";
const char* const firstHit = "Good shot!  You clipped the buggers\n";
const Trace fleeing = {"pause 1000 (sound)", "cue laug", "The stinking goon aliens are running away!\n",
                       "You have whacked them.\n", "They cannot take any more hits.\n",
                       "They have  absconded in terror.\n"};
const Trace aliensFire = {"pause 1000", "cue phal", "pause 1000 (sound)"};
const Trace deflectedBack = {"cue defl", "pause 500", "cue hit", deflectedLine,
                             "And hehehehehehehehe, it hit the space goons!\n"};
const Trace killing = {"cue expl", "cue alla", whackedLine};
const Trace toast = {"So sorry space captain, you are toast!\n", "pause 2000"};
const Trace phaserMiss = {"cue phas", "pause 500", "You missed them.\n"};

// The aliens' reply that misses with the first entry of the list.
Trace withMiss(const Trace& before) { return plus(plus(before, aliensFire), {firstMiss}); }

class Zapfest : public GameTest {
protected:
    void SetUp() override
    {
        GameTest::SetUp();
        mission.zapfestMode = 1;
        mission.soundOn = 'n';
        // What a lost battle leaves: every battle starts again with 8 cells, 8 charges, no damage.
        mission.phaserCells = 0;
        mission.barrierCharges = -3;
        mission.damage = 4;
    }
    // The battle opens with a taunt (the first, raw 10).
    void opening() { chance->push(10); }
    // One exchange: the player's shot (a value 1..20), the key, and the draws that follow.
    void exchange(int shot, char key, const std::vector<int>& draws)
    {
        chance->face(shot);
        console.queueKey(key);
        for (int raw : draws) chance->push(raw);
    }
    // Exchanges that spend a cell or a charge each and leave everything else alone: a phaser
    // miss or a barrier, answered by an alien miss.
    void missWithPhasers(int times)
    {
        for (int i = 0; i < times; ++i) exchange(10, 'f', {9, 0});
    }
    void raiseBarrier(int times)
    {
        for (int i = 0; i < times; ++i) exchange(1, 'b', {9, 0});
    }
    // Quitting at the next battle prompt, after its shot has been drawn.
    void quitAtTheNextPrompt()
    {
        chance->push(0);
        console.queueKey(keyEsc);
        console.queueKeys("y");
        console.queueKey(keyEsc);
    }
    // Steps run each time the game waits for a key the script does not hold yet.
    void whenWaiting(std::vector<std::function<void()>> steps)
    {
        waiting = std::deque<std::function<void()>>(steps.begin(), steps.end());
        console.onScriptEmpty = [this](bool) {
            if (waiting.empty()) return;
            auto step = waiting.front();
            waiting.pop_front();
            step();
        };
    }
    std::deque<std::function<void()>> waiting;
};

// --- Every row of the exchange table, with sound on and off --------------------------------

struct ExchangeRow {
    const char* name;
    int cellsSpent;    // phaser misses before the exchange
    int chargesSpent;  // barriers raised before it
    int hitsBefore;    // phaser hits before it, each answered by a miss
    int damageBefore;  // phaser misses before it, each answered by a damage
    int shot;
    char key;
    std::vector<int> draws;
    Trace rules;
    bool ends;  // the battle ends in this exchange
    int cellsAfter, chargesAfter, damageAfter;
};

const Trace deadPhasers = {"cue dead", "No good, your phaser power cells are dead.\n", "pause 500"};
const Trace deadBarrier = {"cue dead", "No good!  Your force field generator is dead.\n", "pause 500"};

const ExchangeRow exchangeRows[] = {
    {"PhasersHitAtOne", 0, 0, 0, 0, 1, 'f', {5, 9, 20}, withMiss({"cue phas", "cue hit", firstHit}), false, 7, 8, 0},
    {"PhasersHitAtSeven", 0, 0, 0, 0, 7, 'f', {0, 9, 0}, withMiss({"cue phas", "cue hit", firstHit}), false, 7, 8, 0},
    {"PhasersMissAtEight", 0, 0, 0, 0, 8, 'f', {9, 0}, withMiss(phaserMiss), false, 7, 8, 0},
    {"PhasersMissAtNineteen", 0, 0, 0, 0, 19, 'f', {9, 0}, withMiss(phaserMiss), false, 7, 8, 0},
    // A miss spends its cell after the reply, so a reply that kills the ship leaves it.
    {"PhasersMissKilledKeepsTheCell", 0, 0, 0, 0, 10, 'f', {19}, plus(plus(phaserMiss, aliensFire), killing), true, 8, 8, 0},
    {"PhasersDestroyTheAliensAtTwenty", 0, 0, 0, 0, 20, 'f', {3},
     {"cue phas", "cue expl", "cue laug", "Hehehehehehehehehehehehehe, wow, you whacked  the ugly space goons.\n",
      "You turned them into cosmic gas and it stinks of alien around here.\n"},
     true, 7, 8, 0},
    {"DeadPhasersAtTwentyOnlyTakeFire", 8, 0, 0, 0, 20, 'f', {9, 0}, withMiss(deadPhasers), false, 0, 8, 0},
    {"DeadPhasersAtOneOnlyTakeFire", 8, 0, 0, 0, 1, 'f', {9, 0}, withMiss(deadPhasers), false, 0, 8, 0},
    {"BarrierAtOneDeflects", 0, 0, 0, 0, 1, 'b', {4}, plus(plus({"cue barr"}, aliensFire), {"cue defl", deflectedLine}),
     false, 8, 7, 0},
    {"BarrierAtTwentyDeflects", 0, 0, 0, 0, 20, 'b', {4}, plus(plus({"cue barr"}, aliensFire), {"cue defl", deflectedLine}),
     false, 8, 7, 0},
    {"DeadBarrierLeavesTheShipOpenAndCountsBelowZero", 0, 8, 0, 0, 5, 'b', {2},
     plus(plus(deadBarrier, aliensFire), {"cue dama", hitLine}), false, 8, -1, 1},
    // The hit that spends the last cell, with no charges left, is answered by the fatal shot.
    {"LastCellSpentByAHitIsToast", 7, 8, 0, 0, 3, 'f', {0, 12}, plus(plus({"cue phas", "cue hit", firstHit}, aliensFire), plus(toast, killing)),
     true, 0, 0, 0},
    {"DeadBarrierKilledKeepsTheCount", 0, 8, 0, 0, 4, 'b', {19}, plus(plus(deadBarrier, aliensFire), killing), true, 8, 0, 0},
    // The fifth hit gets no reply, and a deflection that makes the fifth spends its charge;
    // both end the battle with the flee lines. The fifth damage blows the ship apart.
    {"FifthPhaserHit", 0, 0, 4, 0, 7, 'f', {0}, plus({"cue phas", "cue hit", firstHit}, fleeing), true, 3, 8, 0},
    {"DeflectionMakesTheFifthHit", 0, 0, 4, 0, 12, 'b', {5},
     plus(plus(plus({"cue barr"}, aliensFire), deflectedBack), fleeing), true, 4, 7, 0},
    {"FifthDamage", 0, 0, 0, 4, 8, 'f', {2},
     plus(plus(phaserMiss, aliensFire), {"cue dama", hitLine, "pause 1000 (sound)", "cue expl", "cue alla",
                                         "Oh no, you have sustained too much damage and have blown apart.\n",
                                         "You have been whacked by the space goons.\n"}),
     true, 3, 8, 5},
};

class ZapfestExchange : public Zapfest, public ::testing::WithParamInterface<std::tuple<ExchangeRow, bool>> {};

TEST_P(ZapfestExchange, FollowsItsRow)
{
    const auto& [row, soundOn] = GetParam();
    mission.soundOn = soundOn ? 'y' : 'n';
    opening();
    missWithPhasers(row.cellsSpent);
    raiseBarrier(row.chargesSpent);
    for (int hit = 0; hit < row.hitsBefore; ++hit) exchange(1 + hit, 'f', {0, 9, 0});
    for (int damage = 0; damage < row.damageBefore; ++damage) exchange(8, 'f', {2});
    exchange(row.shot, row.key, row.draws);
    if (!row.ends) quitAtTheNextPrompt();
    EXPECT_EQ(ends(zapfestBattle), !row.ends);
    // Every battle opens on a clean screen with its cue, then at row 3 the warning and a taunt.
    EXPECT_EQ(console.log()[0], cleared());
    expectTrace(console, 1, {"cue alie", "Be careful, an alien ship is following you.\n",
                             "It is preparing to fire  at you and  man they are  ugly dudes.\n"}, soundOn);
    EXPECT_TRUE(logHasRun(console, {moved(1, 3), wrote("Be careful, an alien ship is following you.\n"
                                                       "It is preparing to fire  at you and  man they are  ugly dudes.\n")}));
    expectTrace(console, 2 + row.cellsSpent + row.chargesSpent + row.hitsBefore + row.damageBefore, row.rules, soundOn);
    EXPECT_EQ(mission.phaserCells, row.cellsAfter);
    EXPECT_EQ(mission.barrierCharges, row.chargesAfter);
    EXPECT_EQ(mission.damage, row.damageAfter);
    EXPECT_EQ(chance->left(), 0u);
    EXPECT_TRUE(console.scriptUsedUp());
}

INSTANTIATE_TEST_SUITE_P(EveryRow, ZapfestExchange, ::testing::Combine(::testing::ValuesIn(exchangeRows), ::testing::Bool()),
                         RowAndSound());

// --- Every row of the alien shot -----------------------------------------------------------

struct ShotRowCase {
    const char* name;
    char key;
    int cells, charges;
    std::vector<int> draws;  // the shot, then the message choice of a miss
    Trace rules;
    int damageAfter, hitsAfter, killedAfter;
};

const ShotRowCase shotRows[] = {
    {"MissAtEight", 'f', 3, 3, {7, 20}, withMiss({}), 0, 0, 0},
    {"MissAtNineteenEvenBehindTheBarrier", 'b', 3, 3, {18, 0}, withMiss({}), 0, 0, 0},
    {"DeflectedAtOne", 'b', 3, 1, {0}, plus(aliensFire, {"cue defl", deflectedLine}), 0, 0, 0},
    {"DeflectedAtFive", 'b', 3, 1, {4}, plus(aliensFire, {"cue defl", deflectedLine}), 0, 0, 0},
    {"DeflectedBackIntoTheAliensAtSix", 'b', 3, 1, {5}, plus(aliensFire, deflectedBack), 0, 1, 0},
    {"DeflectedBackIntoTheAliensAtSeven", 'b', 3, 1, {6}, plus(aliensFire, deflectedBack), 0, 1, 0},
    {"OnlyTheBarrierProtectsAtOne", 'f', 3, 5, {0}, plus(aliensFire, {"cue dama", hitLine}), 1, 0, 0},
    {"DeadBarrierDamagedAtSeven", 'b', 3, 0, {6}, plus(aliensFire, {"cue dama", hitLine}), 1, 0, 0},
    {"DeflectedAtTwenty", 'b', 3, 1, {19}, plus(aliensFire, {"cue defl", deflectedLine}), 0, 0, 0},
    {"NoBarrierKilledAtTwenty", 'f', 3, 5, {19}, plus(aliensFire, killing), 0, 0, 1},
    {"DeadBarrierKilledAtTwenty", 'b', 2, 0, {39}, plus(aliensFire, killing), 0, 0, 1},
    // With neither cells nor charges left, every shot is the deadly one.
    {"DefencelessIsToastWhateverTheDraw", 'b', 0, 0, {2}, plus(plus(aliensFire, toast), killing), 0, 0, 1},
    {"DefencelessIsToastEvenOnAMiss", 'f', 0, -2, {10}, plus(plus(aliensFire, toast), killing), 0, 0, 1},
    {"ChargesLeftAreNoToastWithoutTheBarrier", 'f', 0, 1, {2}, plus(aliensFire, {"cue dama", hitLine}), 1, 0, 0},
    {"CellsLeftAreNoToast", 'b', 1, 0, {10, 0}, withMiss({}), 0, 0, 0},
};

class ZapfestShot : public Zapfest, public ::testing::WithParamInterface<std::tuple<ShotRowCase, bool>> {};

TEST_P(ZapfestShot, FollowsItsRow)
{
    const auto& [row, soundOn] = GetParam();
    mission.soundOn = soundOn ? 'y' : 'n';
    mission.phaserCells = row.cells;
    mission.barrierCharges = row.charges;
    mission.damage = 0;
    for (int raw : row.draws) chance->push(raw);
    int hits = 2;
    int killed = 0;
    zapfestAlienFire(row.key, hits, killed);

    expectTrace(console, 0, row.rules, soundOn);
    EXPECT_EQ(mission.damage, row.damageAfter);
    EXPECT_EQ(hits, 2 + row.hitsAfter);
    EXPECT_EQ(killed, row.killedAfter);
    EXPECT_EQ(mission.phaserCells, row.cells);
    EXPECT_EQ(mission.barrierCharges, row.charges);
    EXPECT_EQ(chance->left(), 0u);
}

INSTANTIATE_TEST_SUITE_P(EveryRow, ZapfestShot, ::testing::Combine(::testing::ValuesIn(shotRows), ::testing::Bool()),
                         RowAndSound());

// --- The menu and the prompts ------------------------------------------------------------------

// A lost battle leaves its screen at the menu, which never clears it; S at the menu toggles the
// sound both ways, blanking the longer message; other keys do nothing.
TEST_F(Zapfest, TheMenuBetweenBattles)
{
    mission.soundOn = 'y';
    opening();
    console.queueKey(keyEnter);
    exchange(9, 'f', {19});  // killed
    console.queueKeys("sSx");
    whenWaiting({[&] {
        EXPECT_EQ(console.rowText(21), "                Press ENTER to play or ESCAPE to quit");
        EXPECT_EQ(console.rowText(4), "Oh no, the  goons whacked you !");
        EXPECT_EQ(console.at(17, 19, 29), "* Sound on *" + std::string(17, ' '));
        EXPECT_EQ(console.clears(), 2);
        console.queueKey(keyEsc);
        console.queueKeys("y");
        console.queueKey(keyEsc);
    }});
    EXPECT_TRUE(ends(zapfestLoop));
    Trace toggles;
    for (const std::string& text : writes())
        if (text.rfind("* Sound", 0) == 0) toggles.push_back(text);
    EXPECT_EQ(toggles, (Trace{"* Sound off *", "* Sound on *"}));
    EXPECT_EQ(mission.soundOn, 'y');
    EXPECT_EQ(chance->left(), 0u);
}

// The mode is left only through a confirmed quit, and its end of mission has no statistics.
class ZapfestQuit : public Zapfest, public ::testing::WithParamInterface<int> {};

TEST_P(ZapfestQuit, AtTheMenuAsksFirst)
{
    mission.soundOn = 'y';
    mission.spins = 7;
    writeFile("mars.dat", "kept\n");
    console.queueKey(GetParam());
    console.queueKeys("n");
    console.queueKey(GetParam());
    console.queueKeys("y");
    console.queueKey(keyEsc);
    EXPECT_TRUE(ends(zapfestLoop));
    const Trace written = writes();
    EXPECT_EQ(std::count(written.begin(), written.end(), "Do you want to quit this game?  Y or N  "), 2);
    for (const std::string& text : written) EXPECT_EQ(text.find("spins"), std::string::npos);
    EXPECT_EQ(shortNames(sounds()), (Trace{"quit", "zapf"}));
    EXPECT_TRUE(fileExists("mars.dat"));
}

INSTANTIATE_TEST_SUITE_P(EscapeAndCtrlC, ZapfestQuit, ::testing::Values(keyEsc, keyCtrlC));

TEST_F(Zapfest, BattlePromptTakesFOrBAndOffersToQuitOnEscapeOnly)
{
    console.queueKeys("x");
    console.queueKey(keyCtrlC);
    console.queueKey(keyEsc);
    console.queueKeys("nB");
    EXPECT_EQ(battlePrompt(), 'b');
    Trace prompts;
    for (const std::string& text : writes())
        if (text.find_first_not_of(' ') != std::string::npos) prompts.push_back(text);
    const std::string longer = "F to fire phasers, B for force field barrier or Escape to quit ";
    EXPECT_EQ(prompts, (Trace{"Press F or B ", longer, longer, "Do you want to quit this game?  Y or N  ", longer}));
    // Fifty blanks: the tail of the longer prompt stays until the exchange clears the screen.
    EXPECT_EQ(console.at(17, 21, 50), std::string(50, ' '));
    EXPECT_EQ(console.cursorCol(), 17);
    EXPECT_EQ(console.cursorRow(), 21);

    console.clearLog();  // a good key at once: the short prompt only
    console.queueKeys("F");
    EXPECT_EQ(battlePrompt(), 'f');
    EXPECT_EQ(writes().size(), 3u);
    EXPECT_EQ(pauses(), std::vector<int>{200});
}

}  // namespace
