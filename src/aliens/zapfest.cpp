// The Zapfest mode: alien battles one after another, with phasers and the barrier only, fresh
// supplies for every battle and no journey around them. Losing a battle only brings back the
// menu; the mode is left through the quit question alone.
#include "aliens/zapfest.h"

#include "aliens/battle.h"
#include "console/console.h"
#include "core/chance.h"
#include "core/mission_state.h"
#include "core/sound.h"
#include "endings/end_mission.h"
#include "core/verse.h"

namespace {

constexpr Need barrierLive = Need::BarrierLive;
constexpr Need barrierDead = Need::BarrierDead;
constexpr Need phasersLive = Need::PhasersLive;
constexpr Need phasersDead = Need::PhasersDead;

constexpr int hitsToFlee = 5;

const std::vector<const char*> taunts = {
    "It is preparing to fire  at you and  man they are  ugly dudes.\n",
    "The green wrinkled goons are sneering at you through their window.\n",
    "They look rude, they look mean and they look really ugly.\n",
    "Those space creeps are making faces at you.\n",
    "The wrinkled punks are warming up their cannons.\n",
    "Green, slimy and rude, these goons want a fight.\n",
    "The ugliest creeps in the galaxy are right behind you.\n",
    "They are laughing at your little ship, the green punks.\n",
    "Those wrinkled space goons think you are an easy target.\n",
    "Get ready, the rude green creeps are coming in close.\n",
};

const std::vector<Verse> destructions = {
    {"Hehehehehehehehehehehehehe, wow, you whacked  the ugly space goons.\n",
     "You turned them into cosmic gas and it stinks of alien around here.\n"},
    {"Kaboom!  The green creeps are space dust now.\n",
     "Their wrinkled ship went up like a cheap firecracker.\n"},
    {"Bullseye!  You blew those rude punks to smithereens.\n",
     "Bits of ugly goon are drifting past your window.\n"},
};

const std::vector<const char*> misses = {
    "That blast was serious, better teach them a lesson\n",
    "The green goons missed, they shoot like they look\n",
    "Ha!  Those wrinkled creeps could not hit a planet\n",
    "Their shot went wide, the rude punks\n",
    "Missed you by a mile, the ugly space goons\n",
    "Whoosh!  That one flew right over your hull\n",
    "The creeps are firing blind, give it to them\n",
    "Those punks need glasses, they missed you clean\n",
    "Close call, but the green goons missed\n",
    "The wrinkled creeps are wasting their ammo\n",
    "Their blast sailed past your nose, show them how\n",
    "The ugly punks fired and hit nothing but stars\n",
    "Ha!  The rude goons are lousy shots\n",
    "They missed again, the green space creeps\n",
    "That was close, make those wrinkled punks pay\n",
    "The goons fired a big one and missed\n",
    "Their shot fizzled out, the ugly creeps\n",
    "The rude space punks could not hit the Moon\n",
    "Missed!  The green goons are blushing purple\n",
    "Their cannon coughed and missed, zap them back\n",
};

void writeDestruction()
{
    writeVerse(oneOf(destructions));
}
void writeMiss() { writeText(oneOf(misses)); }

const char* const deflected = "They are firing but the shot deflected off your force field barrier.\n";

const AlienGun alienGun = {
    "zapfest alien gun",
    20,
    "So sorry space captain, you are toast!\n",
    {
        // shot          cover          cues                                           lines  blow
        {roll(8, 19),    eitherCover,   {},
         {fromList(writeMiss)},
         noBlow},
        {roll(1, 5),     behindBarrier, {play(Cue::Defl)},
         {deflected},
         noBlow},
        {roll(6, 7),     behindBarrier, {play(Cue::Defl), beat(500), play(Cue::Hit)},
         {deflected, "And hehehehehehehehe, it hit the space goons!\n"},
         aliensHit},
        {roll(1, 7),     unprotected,   {play(Cue::Dama)},
         {"Hit the deck, you have been hit.\n"},
         shipDamaged},
        {roll(20, 20),   behindBarrier, {play(Cue::Defl)},
         {deflected},
         noBlow},
        {roll(20, 20),   unprotected,   {play(Cue::Expl), play(Cue::Alla)},
         {"Oh no, the  goons whacked you !\n"},
         shipKilled},
    },
};

void reply(char key, Score& score) { zapfestAlienFire(key, score.hits, score.killed); }

const Battle zapfest = {
    "zapfest exchanges",
    {
        // key when                        cues                      lines                       deeds  then
        {'f', roll(1, 7, phasersLive),     {play(Cue::Phas), play(Cue::Hit)},
         {fromList(writeHitMessage)},
         {spendCell, scoreHit, fireIfStanding}, nextExchange},
        {'f', roll(8, 19, phasersLive),    {play(Cue::Phas)},
         {pauseFor(500), "You missed them.\n"},
         {fire, spendCell}, nextExchange},
        {'f', roll(20, 20, phasersLive),   {play(Cue::Phas), play(Cue::Expl), play(Cue::Laug)},
         {fromList(writeDestruction)},
         {spendCell}, battleEnds},
        {'f', roll(1, 20, phasersDead),    {play(Cue::Dead)},
         {"No good, your phaser power cells are dead.\n", pauseFor(500)},
         {fire}, nextExchange},
        {'b', roll(1, 20, barrierLive),    {play(Cue::Barr)},
         {},
         {fire, spendCharge}, nextExchange},
        {'b', roll(1, 20, barrierDead),    {play(Cue::Dead)},
         {"No good!  Your force field generator is dead.\n", pauseFor(500)},
         {fire, spendCharge}, nextExchange},
    },
    hitsToFlee,
    reply,
};

const Passage aliensFlee = {
    {pauseThen(1000, Cue::Laug)},
    {"The stinking goon aliens are running away!\n", "You have whacked them.\n",
     "They cannot take any more hits.\n", "They have  absconded in terror.\n"},
};

const Passage shipBlownApart = {
    {pauseThen(1000, Cue::Expl), play(Cue::Alla)},
    {"Oh no, you have sustained too much damage and have blown apart.\n",
     "You have been whacked by the space goons.\n"},
};

// A key of the battle prompt: ESC offers to quit before the key is judged, and a declined
// quit leaves it a wrong key like any other.
char readBattleKey()
{
    const char key = lowerKey(readKey());
    if (key == keyEsc) confirmQuit();
    return key;
}

}  // namespace

void zapfestLoop()
{
    // The menu never clears the screen: the last battle stays in view until the next begins.
    for (;;) {
        showPrompt(17, 21, 49, 200, "Press ENTER to play or ESCAPE to quit ");
        const char key = lowerKey(readKey());
        if (key == 's')
            toggleSound();
        else if (key == keyEnter)
            zapfestBattle();
        else if (key == keyEsc || key == keyCtrlC)
            confirmQuit();
    }
}

void zapfestBattle()
{
    mission.phaserCells = 8;
    mission.barrierCharges = 8;
    mission.damage = 0;
    Score score;
    clearScreen();
    cue(Cue::Alie);
    gotoColRow(1, 3);
    writeText("Be careful, an alien ship is following you.\n");
    writeText(oneOf(taunts));
    while (mission.damage < 5 && score.hits < hitsToFlee) {
        const int shot = gameRand() % 20 + 1;
        const char key = battlePrompt();
        clearScreen();
        gotoColRow(1, 3);
        if (fightExchange(zapfest, key, shot, score)) break;
    }
    if (score.hits >= hitsToFlee)
        perform(aliensFlee);
    else if (mission.damage >= 5)
        perform(shipBlownApart);
}

char battlePrompt()
{
    showPrompt(17, 21, 49, 200, "Press F or B ");
    char key = readBattleKey();
    while (key != 'f' && key != 'b') {
        showPrompt(17, 21, 49, 200, "F to fire phasers, B for force field barrier or Escape to quit ");
        key = readBattleKey();
    }
    gotoColRow(17, 21);
    writeBlanks(50);
    gotoColRow(17, 21);
    return key;
}

void zapfestAlienFire(char key, int& hits, int& killed) { alienShot(alienGun, key, hits, killed); }

const Battle& zapfestExchanges() { return zapfest; }
const AlienGun& zapfestGun() { return alienGun; }
