// Collision hazards: a meteor storm, space junk, a comet and an abandoned shuttle. A hit costs
// a damage; repairing in the face of danger is always wrong; only accelerating moves the ship.
#include "encounters/hazards.h"

#include "console/console.h"
#include "encounters/encounter.h"
#include "core/mission_state.h"
#include "core/sound.h"
#include "core/verse.h"
#include "endings/end_mission.h"

namespace {

constexpr Need barrierLive = Need::BarrierLive;
constexpr Need barrierDead = Need::BarrierDead;
constexpr Need phasersLive = Need::PhasersLive;
constexpr Need phasersDead = Need::PhasersDead;

const char* const deadBarrierLine = "No good!  Your force field generator is dead.\n";

[[noreturn]] void blownUpWithTheShuttle()
{
    pauseMs(500);
    shuttleExplosionEnding();
}

}  // namespace

const Verse shuttleExplosionVerse = {
    "Oh no!  The shuttle explosion blew you to bits.\n",
    "You fired too fast and lost your wits;\n",
    "The shuttle's old fuel tank called it quits.\n",
    "You lit up the sky like a second sun,\n",
    "A dazzling show for everyone.\n",
    "And THIS MISSION IS DONE!\n",
};

namespace {

const Encounter meteorStormScene = {
    "meteor storm",
    {play(Cue::Meteor)},
    {"You are caught in a huge meteor storm.\n", "Giant meteors are whizzing past your ship on all sides.\n"},
    {
        // action when                      cues                      lines                                changes
        {'a', roll(1, 3),                   {keyCue, hitCue},
         {"Bing bong kaboom \x1e you have been hit by a meteor.\n", "There is a hole in your hull.\n"},
         addDamage | aMove},
        {'a', roll(4, 10),                  {keyCue},
         {"You escaped from the meteor deluge \x1e good job!\n"},
         aMove},
        {'e', roll(1, 4),                   {keyCue},
         {"Crafty maneuver!\n", "You snaked between the hurtling meteors.\n"},
         noChange},
        {'e', roll(5, 10),                  {keyCue, hitCue},
         {"You turned the wrong way!\n", "You have been hit and have sustained damage.\n"},
         addDamage},
        {'b', roll(4, 10, barrierLive),     {keyCue},
         {"Very clever space captain.\n", "The big rocks are bouncing off your barrier like rubber balls.\n"},
         spendBarrierEvenDead},
        {'b', always,                       {keyCue, hitCue},
         {onlyIf(barrierDead, deadBarrierLine), onlyIf(barrierLive, "Too bad!  You were not fast enough.\n"),
          "You got clipped and have a dent.\n"},
         addDamage | spendBarrierEvenDead},
        {'f', always,                       {keyCue, hitCue},
         {onlyIf(phasersLive, "Your phasers have had no effect on the meteors.\n"),
          onlyIf(phasersDead, "Nice try but your phaser power cells are dead.\n"),
          "A meteor has smashed into your ship and there is damage.\n"},
         addDamage | spendPhasersEvenDead},
        {'r', always,                       {keyCue, play(Cue::Dama), play(Cue::Aler)},
         {"This is no time to repair your ship.\n", "Your actions are irrational and irresponsible.\n",
          "A meteor has blasted  into your ship and made a hole.\n",
          "You have received a warning from Mission Control.\n"},
         addDamage | addWarning},
        {'n', roll(9, 10),                  {},
         {"The meteors have miraculously missed your ship.\n", "You are out of danger.\n"},
         noChange},
        {'n', roll(1, 8),                   {play(Cue::Dama)},
         {"You have choked under pressure space cadet!\n",
          "Your lack of action has allowed a meteor to make a dent .\n"},
         addDamage},
    },
};

const Encounter spaceJunkScene = {
    "space junk",
    {},
    {"There is a dangerous situation developing.\n", "There is a load of space junk up ahead.\n"},
    {
        {'a', always,                       {keyCue, hitCue},
         {"For goodness sake!  You smashed right into the junk.\n", "The impact has dented your fuel tank.\n"},
         addDamage | aMove},
        {'e', roll(1, 4),                   {keyCue},
         {"You are a crack pilot space cadet.\n", "You circumvented the junk.\n", "The path is clear again.\n"},
         noChange},
        {'e', roll(5, 10),                  {keyCue, hitCue},
         {"Oh no!  You collided with the junk.\n", "The impact has damaged the fuel tank.\n"},
         addDamage},
        {'b', roll(1, 7, barrierLive),      {keyCue},
         {"Quick thinking space cadet.\n", "The force field barrier has deflected the junk.\n"},
         spendBarrierEvenDead},
        {'b', always,                       {keyCue, hitCue},
         {onlyIf(barrierDead, deadBarrierLine),
          onlyIf(barrierLive, "It did not work.  The junk cracked your fuel tank.\n"), "Your ship is in peril.\n"},
         addDamage | spendBarrierEvenDead},
        {'f', roll(4, 10, phasersLive),     {keyCue, pauseThen(1000, Cue::Expl)},
         {"Good shooting, you vaporized the junk.\n", "You blasted your path clear.\n"},
         spendPhasersEvenDead},
        {'f', always,                       {keyCue, hitCue},
         {onlyIf(phasersDead, "No good!  Your phaser power cells are dead.\n"),
          onlyIf(phasersLive, "Bad shot!  You missed the junk.\n"), "Your fuel tank has been damaged.\n"},
         addDamage | spendPhasersEvenDead},
        {'r', always,                       {keyCue, play(Cue::Aler)},
         {"You must be delirious rocket rider.  This is no time for repairs.\n", "Your behavior is ludicrous.\n",
          "You have smashed into the junk.\n", "There is now a crack in your fuel tank.\n",
          "You also have received a warning from Mission Control.\n"},
         addDamage | addWarning},
        {'n', always,                       {play(Cue::Dama)},
         {"Get it together will you please!.\n", "You crashed into the junk and damaged your fuel tank.\n"},
         addDamage},
    },
};

const Encounter cometScene = {
    "comet",
    {play(Cue::Come)},
    {"Look out!  A comet is coming your way.\n", "It looks like a big snowball in space.\n"},
    {
        {'a', roll(1, 3),                   {keyCue, hitCue},
         {"You got nailed by flying ice from the comet.\n", "There is a crack on your starboard side.\n"},
         addDamage | aMove},
        {'a', roll(4, 10),                  {keyCue},
         {"You got out of its path in time \x1e lucky break.\n"},
         aMove},
        {'e', roll(1, 4),                   {keyCue},
         {"Very tricky space cadet \x1e you got out of the way.\n"},
         noChange},
        {'e', roll(5, 10),                  {keyCue, hitCue},
         {"Too bad!  You got some of the sloshy tail.\n", "The slop got in your generator.\n"},
         addDamage},
        {'b', roll(1, 7, barrierLive),      {keyCue},
         {"Fast thinking space captain.\n", "You shielded your ship in time.\n"},
         spendBarrierEvenDead},
        {'b', always,                       {keyCue, hitCue},
         {onlyIf(barrierDead, deadBarrierLine), onlyIf(barrierLive, "What a shame!  You were too slow.\n"),
          "You got hit and have damage.\n"},
         addDamage | spendBarrierEvenDead},
        {'f', always,                       {keyCue, hitCue},
         {onlyIf(phasersLive, "The comet has absorbed your phaser attack.\n"),
          onlyIf(phasersDead, "Nice try but your phaser power cells are dead.\n"),
          "The comet tail has caught your ship and made a crack.\n"},
         addDamage | spendPhasersEvenDead},
        {'r', always,                       {keyCue, play(Cue::Aler)},
         {"This is no time to repair your ship.\n", "Your actions are irrational and irresponsible.\n",
          "A piece of the comet has hit you and made a hole.\n",
          "You have received a warning from Mission Control.\n"},
         addDamage | addWarning},
        {'n', roll(9, 10),                  {},
         {"The comet has veered away from your ship.\n", "You are in the clear now.\n"},
         noChange},
        {'n', roll(1, 8),                   {play(Cue::Dama)},
         {"Get with it space wizard!\n", "Your failure to act has allowed the comet to make a dent .\n"},
         addDamage},
    },
};

const Encounter abandonedShuttleScene = {
    "abandoned shuttle",
    {play(Cue::Shut)},
    {"You see something up ahead.\n", "It looks like an old abandoned space shuttle.\n"},
    {
        {'a', always,                       {keyCue, hitCue},
         {"Watch out!  You collided with it.\n", "Your ship is quite shaken up.\n"},
         addDamage | aMove},
        {'e', roll(1, 4),                   {keyCue},
         {"That was wild!  You looped over that shuttle.\n", "The coast is clear again.\n"},
         noChange},
        {'e', roll(5, 10),                  {keyCue, hitCue},
         {"It did not work.  You hit the shuttle.\n", "Your ship has been shaken up.\n"},
         addDamage},
        {'b', roll(7, 10, barrierLive),     {keyCue},
         {"Crafty, very crafty star tripper.\n", "The shuttle bounced off your force field barrier.\n"},
         spendBarrierEvenDead},
        {'b', always,                       {keyCue, hitCue},
         {onlyIf(barrierDead, deadBarrierLine),
          onlyIf(barrierLive, "No luck this time buddy.  Your barrier let you down.\n"),
          "Your ship is hurting badly.\n"},
         addDamage | spendBarrierEvenDead},
        {'f', roll(3, 9, phasersLive),      {keyCue, pauseThen(1000, Cue::Expl)},
         {"Crack shot!  You turned it into powder.\n"},
         spendPhasersEvenDead},
        {'f', roll(10, 10, phasersLive),    {keyCue, pauseThen(1000, Cue::Expl)},
         {},
         noChange, blownUpWithTheShuttle},
        {'f', always,                       {keyCue, hitCue},
         {onlyIf(phasersDead, "No good!  Your phaser power cells are dead.\n"),
          onlyIf(phasersLive, "You did not hit it.\n"), "You smashed into the shuttle.\n"},
         addDamage | spendPhasersEvenDead},
        {'r', always,                       {keyCue, play(Cue::Aler)},
         {"You are losing your marbles space cadet - This is no time for repairs.\n",
          "You have collided with the shuttle.\n", "There is now a crack in your fuel tank.\n",
          "You also have received a warning from Mission Control.\n"},
         addDamage | addWarning},
        {'n', always,                       {play(Cue::Dama)},
         {"A very poor decision!\n", "You crashed into the shuttle and damaged your wing.\n"},
         addDamage},
    },
};

}  // namespace

void meteorStorm() { runEncounter(meteorStormScene); }

void spaceJunk() { runEncounter(spaceJunkScene); }

void comet() { runEncounter(cometScene); }

void abandonedShuttle() { runEncounter(abandonedShuttleScene); }

void shuttleExplosionEnding()
{
    pauseMs(1000);
    cue(Cue::Expl);
    clearScreen();
    gotoColRow(1, 5);
    writeVerse(shuttleExplosionVerse);
    endMission();
}

std::vector<const Encounter*> hazardTables() { return {&meteorStormScene, &spaceJunkScene, &cometScene, &abandonedShuttleScene}; }
