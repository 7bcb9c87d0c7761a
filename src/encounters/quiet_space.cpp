// Quiet space. Nothing threatens the ship, so every answer is judged by one question: is damage
// waiting? With none, the player may cruise, but a repair of nothing is a warning. With damage
// waiting, anything but a repair is neglect and costs a damage and a warning; a repair works
// seven times in ten and makes things worse the other three.
#include "encounters/quiet_space.h"

#include "encounters/encounter.h"
#include "core/message_list.h"
#include "core/chance.h"
#include "core/mission_state.h"

namespace {

constexpr Need noDamage = Need::NoDamage;
constexpr Need damageWaiting = Need::DamageWaiting;

const MessageList upbeatLines = {
    {"You are zooming to Mars.\n"},
    {"All systems go, rocket ranger.  Mars is getting closer.\n"},
    {"Steady as she goes, space captain.\n"},
    {"You are right on course, space cadet \x1e keep it up!\n"},
    {"Mars is waiting for you, star tripper.\n"},
};

// A mishap plays its own cue, when it has one, between the failed repair's damage sound and
// its two lines: a trip for the clumsy ones, a splash for the cut water pipe.
struct Mishap {
    std::vector<Step> cue;
    Message lines;
};

const std::vector<Mishap> mishaps = {
    {{play(Cue::Trip)},
     {"Your screwdriver slipped and you sliced your finger.\n", "You bungled the job and need first aid.\n"}},
    {{play(Cue::Trip)},
     {"Ouch!  You smashed your thumb with the hammer.\n", "You failed to make the repair.\n"}},
    {{},
     {"Your drill slipped, rocket ranger.\n", "Now there is a hole in the floor of your ship.\n"}},
    {{play(Cue::Trip)},
     {"You glued your sleeve to the work table.\n", "You are stuck and the repair was not made.\n"}},
    {{},
     {"Your laser burned a hole in your space suit.\n", "The cabin is full of smoke, space captain.\n"}},
    {{play(Cue::Trip)},
     {"You fell off the ladder, space cadet.\n", "Now you have a big bump on your head.\n"}},
    {{},
     {"You dropped your wrench in the garbage compactor.\n", "You failed to make the repair.\n"}},
    {{},
     {"You sawed a piece off the throttle, rocket ranger.\n", "At least there is a piece of it left.\n"}},
    {{play(Cue::Trip)},
     {"You tripped over your tool box, space captain.\n", "You smashed your nose on the floor.\n"}},
    {{play(Cue::Trip)},
     {"Zap!  You touched the power line.\n", "The electric shock made your hair stand on end.\n"}},
    {{play(Cue::Spla)},
     {"Oops!  You cut right through a water pipe.\n", "There is water all over the floor, space cadet.\n"}},
    {{},
     {"You broke the light bulb, rocket ranger.\n", "Now you are hunting for a new one in the dark.\n"}},
};

const MessageList repairPraises = {
    {"Nice fix up job!\n", "You are handy and dandy.\n"},
    {"Good work, space cadet.  Your ship is as good as new.\n"},
    {"Well done, rocket ranger \x1e the damage is fixed.\n"},
    {"A first class repair, space captain!\n"},
    {"You fixed it like a pro, star tripper.\n"},
    {"Mission Control is proud of you, space cadet.\n"},
    {"That was a slick repair job, rocket ranger.\n"},
    {"Your tools did the trick, space captain.  All fixed!\n"},
};

const MessageList repairNags = {
    {"Wake up and pay attention, repairs are needed.\n"},
    {"Quit daydreaming, space cadet!  Your ship needs fixing.\n"},
    {"Get out your tool box, rocket ranger.  There is damage.\n"},
    {"Your ship is falling apart, space captain.  Fix it!\n"},
    {"Stop loafing, star tripper.  Repairs come first.\n"},
    {"Hello, is anybody home?  Your ship is damaged, space cadet.\n"},
    {"Roll up your sleeves, rocket ranger.  Repairs are waiting.\n"},
    {"No time for napping, space captain.  Fix that damage!\n"},
};

const char* const ignoringRepairs = "You are ignoring needed repairs.\n";
const char* const givenAWarning = "You have been given a warning from Mission Control.\n";
const char* const receivedAWarning = "You have received a warning from Mission Control.\n";

// The scenic event has written its two lines already, so there is no opening cue and no
// announcement. The damage test of each row sees the damage as it stood before the action.
const Encounter quietSpaceScene = {
    "quiet space",
    {},
    {},
    {
        // action when                      cues                          lines                       changes
        {'a', when(noDamage),               {keyCue},
         {fromList(upbeatLine)},
         aMove},
        {'a', when(damageWaiting),          {keyCue, alarmCue},
         {"Wake up space cadet!  You are ignoring ship damage.\n", "You are on a joy ride instead of working.\n",
          receivedAWarning},
         addDamage | addWarning | aMove},
        {'e', when(noDamage),               {keyCue},
         {},
         noChange},
        {'e', when(damageWaiting),          {keyCue, play(Cue::Aler)},
         {ignoringRepairs, "Mission Control is giving you a warning for reckless action.\n"},
         addDamage | addWarning},
        {'b', when(noDamage),               {keyCue, play(Cue::Aler)},
         {},
         noChange},
        {'b', when(damageWaiting),          {keyCue, play(Cue::Aler)},
         {ignoringRepairs, "You are using the force field barrier frivolously.\n", givenAWarning},
         addDamage | addWarning | spendBarrierEvenDead},
        {'f', when(noDamage),               {keyCue, play(Cue::Aler)},
         {},
         noChange},
        {'f', when(damageWaiting),          {keyCue, play(Cue::Aler)},
         {ignoringRepairs, "You are using the phasers  frivolously.\n", givenAWarning},
         addDamage | addWarning | spendPhasersEvenDead},
        {'n', when(noDamage),               {},
         {fromList(upbeatLine)},
         noChange},
        {'n', when(damageWaiting),          {play(Cue::Aler)},
         {fromList(repairNag), receivedAWarning},
         addDamage | addWarning},
        {'r', when(noDamage),               {keyCue, play(Cue::Aler)},
         {"No repairs are needed.\n", "Pay attention or you will be called back to Earth.\n", givenAWarning},
         addWarning},
        {'r', roll(1, 7, damageWaiting),    {keyCue},
         {fromList(repairPraise)},
         repairDamage},
        {'r', roll(8, 10, damageWaiting),   {keyCue, play(Cue::Dama)},
         {fromList(repairMishap)},
         addDamage},
    },
};

}  // namespace

void quietSpace() { runEncounter(quietSpaceScene); }

void upbeatLine() { writeRolledEntry(upbeatLines); }

void repairMishap()
{
    rollDie(static_cast<int>(mishaps.size()));
    const Mishap& mishap = mishaps[static_cast<std::size_t>(mission.dieRoll - 1)];
    playSteps(mishap.cue, 0);
    writeMessage(mishap.lines);
}

void repairPraise() { writeRolledEntry(repairPraises); }

void repairNag() { writeRolledEntry(repairNags); }

std::vector<const Encounter*> quietSpaceTables() { return {&quietSpaceScene}; }
