// Field hazards: a radiation field and a pocket of magnetism. Both can be outrun, dodged or
// kept out by the barrier, depending on the die; shooting at a field or repairing inside one
// is always wrong. The two share their thresholds and differ only in words and cues.
#include "encounters/fields.h"

#include "encounters/encounter.h"

namespace {

// A field spends a charge or a cell whenever the barrier or the phasers are tried, dead or
// not, so the counts can sink below zero here.
const Encounter radiationScene = {
    "radiation field",
    {play(Cue::RadiationField)},
    {"Your instruments show a radiation field somewhere nearby.\n", "The needle on the meter is jumping wildly.\n"},
    {
        // action when                  cues                      lines                              changes
        {'a', roll(4, 10),              {keyCue},
         {"You have sped away from the radiation \x1e nifty navigating!\n"},
         aMove},
        {'a', roll(1, 3),               {keyCue, hitCue},
         {"Yikes!  You streaked right into the radiation field.\n", "Your instrument panel is all messed up now.\n"},
         addDamage | aMove},
        {'e', roll(1, 4),               {keyCue},
         {"Good job space cadet, you avoided the radiation field.\n", "The danger has passed.\n"},
         noChange},
        {'e', roll(5, 10),              {keyCue, hitCue},
         {"Not a good choice!\n", "You have passed through the radiation field.\n",
          "There is damage to your instrument panel.\n"},
         addDamage},
        {'b', roll(1, 7, barrierLive),  {keyCue},
         {"Good thinking rocket ranger.\n", "The force field barrier has blocked the radiation.\n"},
         spendBarrierEvenDead},
        {'b', roll(8, 10, barrierLive), {keyCue, hitCue},
         {"The radiation has penetrated the force field.\n", "Your instruments are out of control.\n"},
         addDamage | spendBarrierEvenDead},
        {'b', when(barrierDead),        {keyCue, hitCue},
         {deadBarrierLine, "Your instruments are out of control.\n"},
         addDamage | spendBarrierEvenDead},
        {'f', always,                   {keyCue, alarmCue},
         {onlyIf(phasersDead, deadPhasersLine), "Using your phasers is preposterous behavior.\n",
          "The radiation has damaged your instruments.\n",
          "And you have received a warning from Mission Control on Earth.\n"},
         spendPhasersEvenDead | addWarning | addDamage},
        {'n', roll(9, 10),              {},
         {"You have passed by the radiation field.\n", "You are out of danger.\n"},
         noChange},
        {'n', roll(1, 8),               {play(Cue::Damage)},
         {"You have been frozen by panic rocket ranger!\n",
          "You have flown right into the radiation and damaged your ship.\n"},
         addDamage},
        {'r', always,                   {keyCue, play(Cue::Warning)},
         {"This is no time to repair your ship.\n", "Your actions are irrational and irresponsible.\n",
          "The radiation has damaged your instruments.\n", "You have received a warning from Mission Control.\n"},
         addDamage | addWarning},
    },
};

// Magnetism gives no warning sound of its own, and its R is met by the alarm alone.
const Encounter magnetismScene = {
    "magnetism pocket",
    {},
    {"Your detectors show a pocket of magnetism in the neighborhood.\n", "You fear it could damage your equipment.\n"},
    {
        {'a', roll(4, 10),              {keyCue},
         {"You have fled from the magnetism.\n"},
         aMove},
        {'a', roll(1, 3),               {keyCue, hitCue},
         {"Watch out!  You zoomed right into the magnetism.\n", "Your gages are going bonkers.\n"},
         addDamage | aMove},
        {'e', roll(1, 4),               {keyCue},
         {"Pretty neat!  You looped around the magnetism.\n", "The coast is clear now.\n"},
         noChange},
        {'e', roll(5, 10),              {keyCue, hitCue},
         {"You have made a grave error.\n", "You have hooked into the magnetism.\n", "There is damage to your gages.\n"},
         addDamage},
        {'b', roll(1, 7, barrierLive),  {keyCue},
         {"You did it!\n", "The magnetism cannot penetrate the force field barrier.\n"},
         spendBarrierEvenDead},
        {'b', roll(8, 10, barrierLive), {keyCue, hitCue},
         {"Too bad!  The magnetism got through.\n", "Your gages are going crazy.\n"},
         addDamage | spendBarrierEvenDead},
        {'b', when(barrierDead),        {keyCue, hitCue},
         {deadBarrierLine, "Your gages are going crazy.\n"},
         addDamage | spendBarrierEvenDead},
        {'f', always,                   {keyCue, alarmCue},
         {onlyIf(phasersDead, deadPhasersLine), "You are shooting your phasers unnecessarily.\n",
          "The magnetism has damaged your gages.\n",
          "And you have received a warning from Mission Control on Earth.\n"},
         spendPhasersEvenDead | addWarning | addDamage},
        {'n', roll(9, 10),              {},
         {"The magnetism has moved away now.\n", "You are out of danger.\n"},
         noChange},
        {'n', roll(1, 8),               {play(Cue::Damage)},
         {"Get a grip on yourself space cadet!\n", "You are in the magnetism and your gages are flipping out.\n"},
         addDamage},
        {'r', always,                   {play(Cue::Warning)},
         {"This is not the time for repairs.\n", "You are oblivious to your problem.\n",
          "The magnetism has damaged your gages.\n", "You also have received a warning from Mission Control.\n"},
         addDamage | addWarning},
    },
};

}  // namespace

void radiationField() { runEncounter(radiationScene); }

void magnetismPocket() { runEncounter(magnetismScene); }

std::vector<const Encounter*> fieldTables() { return {&radiationScene, &magnetismScene}; }
