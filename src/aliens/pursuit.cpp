// The alien ship of the full game. Unlike the other encounters it is a battle of exchanges:
// each action is settled on a fresh die of 10 and most outcomes draw the aliens' fire, until
// the player gets away or wins, the aliens lose interest, or the mission itself is at stake.
#include "aliens/pursuit.h"

#include "aliens/battle.h"
#include "console/console.h"
#include "encounters/action_prompt.h"
#include "core/chance.h"
#include "endings/endings.h"
#include "core/mission_state.h"
#include "core/sound.h"
#include "core/verse.h"
#include "endings/end_mission.h"

namespace {

constexpr Need barrierLive = Need::BarrierLive;
constexpr Need barrierDead = Need::BarrierDead;
constexpr Need phasersLive = Need::PhasersLive;
constexpr Need phasersDead = Need::PhasersDead;

constexpr int hitsToFlee = 3;

const std::vector<Verse> destructions = {
    {"Hehehehehehehehehehehehehe you vaporized the space goons.\n",
     "You turned them into cosmic gas and it stinks of alien around here.\n"},
    {"Kaboom!  You blew the alien creeps to smithereens.\n",
     "Bits of skunk ship are drifting past your window.\n"},
    {"Bullseye!  Those space punks are nothing but dust now.\n",
     "Their ship went up like a cheap firecracker.\n"},
};

const std::vector<const char*> misses = {
    "The bums are firing but they missed you\n",
    "Those space goons could not hit a barn door\n",
    "The creeps fired wide and hit nothing but stars\n",
    "Ha!  The alien skunks are lousy shots\n",
    "Their blast went sailing past your nose\n",
    "The punks missed you by a mile\n",
    "Whoosh!  Their shot flew right over your hull\n",
    "The goons need glasses, they missed you clean\n",
    "Those creeps could not hit the Moon from here\n",
    "The alien bums are wasting their ammo\n",
    "Nice!  The skunks fired and missed\n",
    "The space punks shot at you and missed by a light year\n",
};

void writeDestruction() { writeVerse(oneOf(destructions)); }
void writeMiss() { writeText(oneOf(misses)); }

}  // namespace

const Verse vaporizedVerse = {
    "Oh no!  You have been vaporized.\n",
    "One flash of green, a puff of steam,\n",
    "And you exist no more, it would seem.\n",
    "Back home they'll hold a grand parade\n",
    "And raise your statue in the shade;\n",
    "A school will bear your name with pride,\n",
    "Your posthumous medal hung inside.\n",
    "But THIS MISSION IS OVER!\n",
};

namespace {

const AlienGun alienGun = {
    "pursuit alien gun",
    10,
    nullptr,
    {
        // shot          cover          cues                                          lines  blow
        {roll(1, 6),     eitherCover,   {},
         {fromList(writeMiss)},
         noBlow},
        {roll(7, 9),     behindBarrier, {play(Cue::Defl)},
         {"They are firing but the shot deflected off your force field barrier.\n"},
         noBlow},
        {roll(7, 9),     unprotected,   {play(Cue::Dama)},
         {"Hit the deck!    Boom, you have been hit and there is damage.\n"},
         shipDamaged},
        // The shot bounces back from the barrier into the aliens' own ship.
        {roll(10, 10),   behindBarrier, {play(Cue::Defl), pauseThen(500, Cue::Hit)},
         {"They are firing but your force field barrier deflected the shot.\n",
          "And hehehehehehehehehe, it hit the space goons!\n"},
         aliensHit},
        {roll(10, 10),   unprotected,   {},
         {},
         noBlow, vaporizedEnding},
    },
};

void reply(char action, Score& score) { alienFire(action, score.hits); }

const Battle pursuit = {
    "pursuit exchanges",
    {
        // key when                        cues                      lines                       deeds  then
        {'a', roll(10, 10),                {play(Cue::Acce)},
         {"Nice job!  You got away from those slime balls.\n"},
         {accelerateShip}, battleEnds},
        {'a', roll(1, 9),                  {play(Cue::Acce)},
         {},
         {fire, accelerateShip}, nextExchange},
        {'b', when(barrierLive),           {play(Cue::Barr)},
         {},
         {fire, spendCharge}, nextExchange},
        {'b', when(barrierDead),           {play(Cue::Dead)},
         {"No good!  Your force field generator is dead.\n", pauseFor(1000)},
         {fire, spendCharge}, nextExchange},
        {'e', roll(9, 9),                  {play(Cue::Evad)},
         {pauseFor(1000), "You have eluded the alien dirtbags.\n", "You have left them in a cloud of cosmic dust.\n"},
         {}, battleEnds},
        {'e', always,                      {play(Cue::Evad)},
         {},
         {fire}, nextExchange},
        {'f', when(phasersDead),           {play(Cue::Dead)},
         {"Forget it!  Your phaser power cells are dead.\n", pauseFor(1000)},
         {fire}, nextExchange},
        {'f', roll(10, 10, phasersLive),   {play(Cue::Phas), play(Cue::Expl), play(Cue::Laug)},
         {fromList(writeDestruction)},
         {spendCell}, battleEnds},
        {'f', roll(1, 3, phasersLive),     {play(Cue::Phas), play(Cue::Hit)},
         {fromList(writeHitMessage)},
         {spendCell, scoreHit, fireIfStanding}, nextExchange},
        {'f', roll(4, 9, phasersLive),     {play(Cue::Phas)},
         {pauseFor(1000), "You missed them!\n"},
         {fire, spendCell}, nextExchange},
        {'n', roll(7, 7),                  {},
         {"The aliens have gone on their way.\n", "They are not very neighborly.\n"},
         {}, battleEnds},
        {'n', always,                      {},
         {},
         {fire}, nextExchange},
        {'r', always,                      {play(Cue::RepairTool), play(Cue::Aler)},
         {"This is no time to grab your tool box.\n", "You have been given a warning from Mission Control.\n",
          pauseFor(2000)},
         {takeWarning, fire}, nextExchange},
    },
    hitsToFlee,
    reply,
};

const Passage aliensFlee = {
    {pauseThen(2000, Cue::Laug)},
    {"The stinking goon aliens are running away!\n", "You have whipped their butts.\n",
     "They cannot take anymore of a beating.\n", "They have  run away like dirty dogs.\n"},
};

// Every exchange but an acceleration burns the fuel of a spin's worth of manoeuvring; the
// A move has paid for itself.
void burnExchangeFuel()
{
    mission.fuel -= 10;
    if (mission.fuel < 1) outOfFuelEnding();
}

}  // namespace

void alienPursuit()
{
    Score score;
    cue(Cue::Alie);
    writeText("Be careful!  An alien ship is following you.\n");
    writeText("You have no indication of its intentions, but the dudes look nasty.\n");
    // The battle stops at the mission's own limits; the wheel loop turns them into endings.
    while (mission.damage < 5 && mission.fuel > 0 && mission.warnings < 3 && score.hits < hitsToFlee) {
        rollDie(10);  // before the prompt, so the help page cannot change the outcome
        const char action = actionPrompt();
        clearScreen();
        gotoColRow(1, 5);
        if (fightExchange(pursuit, action, mission.dieRoll, score)) break;
        if (action != 'a') burnExchangeFuel();
    }
    if (score.hits >= hitsToFlee) perform(aliensFlee);
}

void alienFire(char action, int& hits)
{
    int killed = 0;  // a fatal shot here is the vaporized ending, which never returns
    alienShot(alienGun, action, hits, killed);
}

void vaporizedEnding()
{
    pauseMs(1000);
    cue(Cue::Expl);
    cue(Cue::Alla);
    clearScreen();
    gotoColRow(1, 3);
    writeVerse(vaporizedVerse);
    endMission();
}

const Battle& pursuitExchanges() { return pursuit; }
const AlienGun& pursuitGun() { return alienGun; }
